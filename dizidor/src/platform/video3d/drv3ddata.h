// Driver data of the 3-D video drivers: the texture tiles a pixel store and an image carry.
//
// A Surface (platform/sdl/surface.h) and an SDLImage (platform/sdl/sdlimage.h) each hold one
// object of the driver's data, null until the driver first draws them, and delete it with
// themselves; the change stamp of the base class is set by the holder when its pixels (surface)
// or its geometry (image) change. The 3-D driver keeps its tiles in them: a store's tiles own
// their texture cells, an image's tiles share the cells of its store's tiles.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_VIDEO3D_DRV3DDATA_H
#define DIZIDOR_PLATFORM_VIDEO3D_DRV3DDATA_H

#include "platform/sdl/sdlimage.h"
#include "platform/sdl/surface.h"
#include "platform/video3d/texturetiles.h"

class Drv3DSurfaceData : public DrvSurfaceData
{
public:
    // Owns the tiles (never null: AssertFailException "Assertion failed : pTiles").
    explicit Drv3DSurfaceData(Drv3DTileData* pTiles);
    ~Drv3DSurfaceData() override;

    Drv3DSurfaceData(const Drv3DSurfaceData&) = delete;
    Drv3DSurfaceData& operator=(const Drv3DSurfaceData&) = delete;

    Drv3DTileData& getTiles() const { return *m_pTiles; }

private:
    Drv3DTileData* m_pTiles; // owned
};

class Drv3DImageData : public DrvImageData
{
public:
    // Owns the tiles (never null: AssertFailException "Assertion failed : pTiles").
    explicit Drv3DImageData(Drv3DTileData* pTiles);
    ~Drv3DImageData() override;

    Drv3DImageData(const Drv3DImageData&) = delete;
    Drv3DImageData& operator=(const Drv3DImageData&) = delete;

    Drv3DTileData& getTiles() const { return *m_pTiles; }

private:
    Drv3DTileData* m_pTiles; // owned
};

#endif
