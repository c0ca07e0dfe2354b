// D3D7SpriteData: what the Direct3D 7 video driver keeps of a sprite between frames.
//
// A sprite with a polygon is drawn as one triangle fan of the polygon's points; the driver keeps
// the fan's vertices here and rebuilds them only when the sprite's polygon stamp is newer than
// the one they were built from (or the number of points changed). The colour of the vertices is
// written on every draw. The sprite owns the object (Sprite::setDriverData).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_D3D7_D3D7SPRITEDATA_H
#define DIZIDOR_PLATFORM_D3D7_D3D7SPRITEDATA_H

#include "gfx/drvspritedata.h"
#include "platform/gl/rendervertex.h"

#include <cstdint>
#include <vector>

class D3D7SpriteData : public DrvSpriteData
{
public:
    // No vertices, polygon stamp -1.
    D3D7SpriteData();
    ~D3D7SpriteData() override;

    D3D7SpriteData(const D3D7SpriteData&) = delete;
    D3D7SpriteData& operator=(const D3D7SpriteData&) = delete;

    int getPolygonStamp() const { return m_nPolygonStamp; }
    void setPolygonStamp(int nStamp) { m_nPolygonStamp = nStamp; }
    std::vector<RenderVertex>& getVertices() { return m_lVertices; }

private:
    std::vector<RenderVertex> m_lVertices;
    int32_t m_nPolygonStamp;
};

#endif
