#include "platform/video3d/texturetiles.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// The last build number given to a store's tiles; numbers wrap and skip 0 ("none").
uint32_t s_nLastBuild = 0;

// p(r) of the tile cost: the next power of two, 1 for a remainder of 0 or 1.
int remainderCost(int nRemainder)
{
    return nRemainder <= 1 ? 1 : nextPowerOfTwo(nRemainder);
}

int tileCost(int nLength, int nSize)
{
    return nSize * (nLength / nSize) + remainderCost(nLength % nSize);
}

} // namespace

int nextPowerOfTwo(int n)
{
    RIR_TRACE("nextPowerOfTwo");
    int nPower = 1;
    while (nPower < n && nPower < (1 << 30))
        nPower <<= 1;
    return nPower;
}

int chooseTileSize(int nLength, int nSmallest, int nLargest)
{
    RIR_TRACE("chooseTileSize");
    int nBest = nSmallest;
    int nBestCost = tileCost(nLength, nSmallest);
    for (int nSize = nSmallest * 2; nSize <= nLargest && nSize <= nLength; nSize *= 2)
    {
        int nCost = tileCost(nLength, nSize);
        if (nCost <= nBestCost)
        {
            nBest = nSize;
            nBestCost = nCost;
        }
    }
    return nBest;
}

void layoutTiles(int nWidth, int nHeight, RIR::List<Rect>& lTiles, int* pnPaddedWidth,
                 int* pnPaddedHeight)
{
    RIR_TRACE("layoutTiles");
    lTiles.clear();
    if (nWidth < 0)
        nWidth = 0;
    if (nHeight < 0)
        nHeight = 0;
    int nTileW = chooseTileSize(nWidth, Drv3DTileData::SMALLEST_TILE, Drv3DTileData::LARGEST_TILE);
    int nTileH = chooseTileSize(nHeight, Drv3DTileData::SMALLEST_TILE, Drv3DTileData::LARGEST_TILE);
    int nCols = nWidth / nTileW;
    int nRows = nHeight / nTileH;
    int nRestW = nWidth % nTileW;
    int nRestH = nHeight % nTileH;
    int nLastColW = nRestW > 0 ? nextPowerOfTwo(nRestW) : 0;
    int nLastRowH = nRestH > 0 ? nextPowerOfTwo(nRestH) : 0;
    *pnPaddedWidth = nCols * nTileW + nLastColW;
    *pnPaddedHeight = nRows * nTileH + nLastRowH;

    for (int nRow = 0; nRow < nRows; ++nRow)
        for (int nCol = 0; nCol < nCols; ++nCol)
            lTiles.append(
                Rect(nCol * nTileW, nRow * nTileH, (nCol + 1) * nTileW, (nRow + 1) * nTileH));
    if (nLastColW > 0)
        for (int nRow = 0; nRow < nRows; ++nRow)
            lTiles.append(Rect(nCols * nTileW, nRow * nTileH, nWidth, (nRow + 1) * nTileH));
    if (nLastRowH > 0)
        for (int nCol = 0; nCol < nCols; ++nCol)
            lTiles.append(Rect(nCol * nTileW, nRows * nTileH, (nCol + 1) * nTileW, nHeight));
    if (nLastColW > 0 && nLastRowH > 0)
        lTiles.append(Rect(nCols * nTileW, nRows * nTileH, nWidth, nHeight));
}

Drv3DTileData::Drv3DTileData(const RIR::SmartPtr<TextureRegistry>& pRegistry, bool bOwnTextures)
    : m_pRegistry(pRegistry), m_bOwnTextures(bOwnTextures), m_nGeneration(-1), m_nCount(0),
      m_nPaddedWidth(0), m_nPaddedHeight(0), m_nBuild(0), m_nSourceBuild(0)
{
    RIR_TRACE("Drv3DTileData::Drv3DTileData");
}

Drv3DTileData::~Drv3DTileData()
{
    RIR_TRACE("Drv3DTileData::~Drv3DTileData");
    releaseTextures();
}

void Drv3DTileData::allocate(int nCount)
{
    RIR_TRACE("Drv3DTileData::allocate");
    RIR_ASSERT(nCount >= 0);
    m_lCells.clear();
    m_nCount = nCount;
    size_t nCorners = (size_t)nCount * 4;
    m_afU.assign(nCorners, 0.0f);
    m_afV.assign(nCorners, 0.0f);
    m_afX.assign(nCorners, 0.0f);
    m_afY.assign(nCorners, 0.0f);
    m_lCells.resize((size_t)nCount);
    if (m_bOwnTextures)
    {
        for (int i = 0; i < nCount; ++i)
            m_lCells[(size_t)i] = new TextureCell(m_pRegistry);
    }
}

void Drv3DTileData::free()
{
    RIR_TRACE("Drv3DTileData::free");
    releaseTextures();
    m_nCount = 0;
    m_afU.clear();
    m_afV.clear();
    m_afX.clear();
    m_afY.clear();
    m_nPaddedWidth = 0;
    m_nPaddedHeight = 0;
    m_nGeneration = -1;
}

void Drv3DTileData::releaseTextures()
{
    RIR_TRACE("Drv3DTileData::releaseTextures");
    if (m_bOwnTextures)
    {
        for (size_t i = 0; i < m_lCells.size(); ++i)
        {
            if (m_lCells[i])
                m_lCells[i]->releaseTexture();
        }
    }
    m_lCells.clear();
}

void Drv3DTileData::shareTexture(int nIndex, Drv3DTileData& source, int nSourceIndex)
{
    RIR_TRACE("Drv3DTileData::shareTexture");
    RIR_ASSERT(!m_bOwnTextures);
    RIR_ASSERT(nIndex >= 0 && nIndex < m_nCount && (size_t)nIndex < m_lCells.size());
    m_lCells[(size_t)nIndex] = source.getCell(nSourceIndex);
}

TextureCell* Drv3DTileData::getCell(int nIndex) const
{
    if (nIndex < 0 || (size_t)nIndex >= m_lCells.size())
        RIR_THROW(FatalErrorException, RIR::String::format("Tile index out of range : %d (have %d)",
                                                           nIndex, (int)m_lCells.size())
                                           .c_str());
    return m_lCells[(size_t)nIndex].get();
}

void Drv3DTileData::setCorner(int k, float fX, float fY, float fU, float fV)
{
    m_afX[(size_t)k] = fX;
    m_afY[(size_t)k] = fY;
    m_afU[(size_t)k] = fU;
    m_afV[(size_t)k] = fV;
}

void Drv3DTileData::setPosition(int k, float fX, float fY)
{
    m_afX[(size_t)k] = fX;
    m_afY[(size_t)k] = fY;
}

void Drv3DTileData::setPaddedSize(int nWidth, int nHeight)
{
    m_nPaddedWidth = nWidth;
    m_nPaddedHeight = nHeight;
}

void Drv3DTileData::setBuilt(int nGeneration)
{
    RIR_TRACE("Drv3DTileData::setBuilt");
    m_nGeneration = nGeneration;
    if (m_bOwnTextures)
    {
        if (++s_nLastBuild == 0 || s_nLastBuild > 0x7FFFFFFFu)
            s_nLastBuild = 1;
        m_nBuild = (int32_t)s_nLastBuild;
    }
}
