// Texture tiles: how a 3-D video driver cuts pixels into textures of limited size.
//
// The device takes textures whose sides are powers of two, at most 512. A pixel store is cut
// into tiles of one size per axis, chosen to waste the fewest texels (chooseTileSize): full tiles
// row by row, then a last column and a last row as wide and high as the remainders need, rounded
// up to powers of two, then the corner (layoutTiles). A 300 x 100 store becomes
//     (0, 0)-(256, 64), (256, 0)-(300, 64), (0, 64)-(256, 100), (256, 64)-(300, 100)
// padded to 320 x 128.
//
// Drv3DTileData keeps the tiles of one store or one image: per tile a texture cell and four
// corners (positions and texture coordinates, in the order top-left, top-right, bottom-right,
// bottom-left; the corners of tile i are entries 4i to 4i + 3). The tiles of a store own their
// cells (made in the driver's registry when allocated); the tiles of an image share the cells of
// its store's tiles. Each build of a store's tiles gets a new build number, and the tiles of an
// image remember the build they were cut from, so an image whose store was uploaded again through
// another image is recut before it is drawn instead of showing emptied cells.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_VIDEO3D_TEXTURETILES_H
#define DIZIDOR_PLATFORM_VIDEO3D_TEXTURETILES_H

#include "gfx/rect.h"
#include "platform/video3d/texturecell.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <cstdint>
#include <vector>

// The smallest power of two >= n; 1 for n <= 1 (at most 2^30).
int nextPowerOfTwo(int n);
// The tile size for a side of nLength pixels: of nSmallest and its doublings up to nLargest
// and not above nLength, the one with the least cost s x (L / s) + p(L mod s), p the next power
// of two (1 for a remainder <= 1); ties go to the larger size.
int chooseTileSize(int nLength, int nSmallest, int nLargest);
// The tiles of a nWidth x nHeight store in upload order (see the file comment), with tiles
// between 64 and 512 pixels; the padded size is the store rounded up to whole tiles.
void layoutTiles(int nWidth, int nHeight, RIR::List<Rect>& lTiles, int* pnPaddedWidth,
                 int* pnPaddedHeight);

class Drv3DTileData
{
public:
    enum
    {
        SMALLEST_TILE = 64,
        LARGEST_TILE = 512
    };

    // Tiles of a store (bOwnTextures: cells are made in pRegistry) or of an image (cells are
    // shared with shareTexture). No tiles, never built.
    Drv3DTileData(const RIR::SmartPtr<TextureRegistry>& pRegistry, bool bOwnTextures);
    // Lets go of the cells.
    virtual ~Drv3DTileData();

    Drv3DTileData(const Drv3DTileData&) = delete;
    Drv3DTileData& operator=(const Drv3DTileData&) = delete;

    // nCount tiles with zeroed corners; owning tiles get a new empty cell each, sharing tiles
    // none yet. The previous tiles are let go.
    virtual void allocate(int nCount);
    // No tiles, padded size 0, never built; the cells are let go.
    virtual void free();
    // Lets go of the cells; owning tiles first release their textures (images still sharing a
    // cell see it empty and are recut before they draw).
    virtual void releaseTextures();
    // Tile nIndex shares the cell of the source's tile nSourceIndex (AssertFailException
    // "Assertion failed : !m_bOwnTextures" on owning tiles).
    virtual void shareTexture(int nIndex, Drv3DTileData& source, int nSourceIndex);

    int getCount() const { return m_nCount; }
    bool ownsTextures() const { return m_bOwnTextures; }
    const RIR::SmartPtr<TextureRegistry>& getRegistry() const { return m_pRegistry; }
    // The cell of tile nIndex (null for a sharing tile not yet shared).
    TextureCell* getCell(int nIndex) const;

    // Corner k (0 .. 4 x count - 1).
    float getX(int k) const { return m_afX[k]; }
    float getY(int k) const { return m_afY[k]; }
    float getU(int k) const { return m_afU[k]; }
    float getV(int k) const { return m_afV[k]; }
    void setCorner(int k, float fX, float fY, float fU, float fV);
    void setPosition(int k, float fX, float fY);

    // The frame count at which the tiles were last built; -1 when never.
    int getGeneration() const { return m_nGeneration; }
    // The store's size rounded up to whole tiles (store tiles only).
    int getPaddedWidth() const { return m_nPaddedWidth; }
    int getPaddedHeight() const { return m_nPaddedHeight; }
    void setPaddedSize(int nWidth, int nHeight);
    // The tiles were built at that frame count: a store's tiles also get a new build number.
    void setBuilt(int nGeneration);
    // Unique per build of a store's tiles; 0 before the first.
    int getBuild() const { return m_nBuild; }
    // The build of the store's tiles that an image's tiles were cut from; 0 when none.
    int getSourceBuild() const { return m_nSourceBuild; }
    void setSourceBuild(int nBuild) { m_nSourceBuild = nBuild; }

private:
    RIR::SmartPtr<TextureRegistry> m_pRegistry;
    bool m_bOwnTextures;
    int32_t m_nGeneration;
    int32_t m_nCount;
    std::vector<float> m_afU;
    std::vector<float> m_afV;
    std::vector<float> m_afX;
    std::vector<float> m_afY;
    int32_t m_nPaddedWidth;
    int32_t m_nPaddedHeight;
    std::vector<RIR::SmartPtr<TextureCell>> m_lCells;
    int32_t m_nBuild;
    int32_t m_nSourceBuild;
};

#endif
