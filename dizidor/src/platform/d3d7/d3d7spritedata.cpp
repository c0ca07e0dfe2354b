#include "platform/d3d7/d3d7spritedata.h"

#include "rir2/calltrace.h"

D3D7SpriteData::D3D7SpriteData() : m_nPolygonStamp(-1)
{
    RIR_TRACE("D3D7SpriteData::D3D7SpriteData");
}

D3D7SpriteData::~D3D7SpriteData()
{
    RIR_TRACE("D3D7SpriteData::~D3D7SpriteData");
}
