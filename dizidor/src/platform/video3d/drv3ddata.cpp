#include "platform/video3d/drv3ddata.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

Drv3DSurfaceData::Drv3DSurfaceData(Drv3DTileData* pTiles) : m_pTiles(pTiles)
{
    RIR_TRACE("Drv3DSurfaceData::Drv3DSurfaceData");
    RIR_ASSERT(pTiles);
}

Drv3DSurfaceData::~Drv3DSurfaceData()
{
    RIR_TRACE("Drv3DSurfaceData::~Drv3DSurfaceData");
    delete m_pTiles;
    m_pTiles = nullptr;
}

Drv3DImageData::Drv3DImageData(Drv3DTileData* pTiles) : m_pTiles(pTiles)
{
    RIR_TRACE("Drv3DImageData::Drv3DImageData");
    RIR_ASSERT(pTiles);
}

Drv3DImageData::~Drv3DImageData()
{
    RIR_TRACE("Drv3DImageData::~Drv3DImageData");
    delete m_pTiles;
    m_pTiles = nullptr;
}
