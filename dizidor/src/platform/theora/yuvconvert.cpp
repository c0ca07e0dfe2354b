// YUV tables and the frame conversions (see yuvconvert.h).
#include "platform/theora/yuvconvert.h"

#include "rir2/calltrace.h"

namespace
{

struct YuvTables
{
    YuvTables()
    {
        for (int i = 0; i < 256; ++i)
        {
            const float fC = (float)(i - 128);
            m_anR[i] = (int)(fC * 1.37f);
            m_anGU[i] = (int)(fC * -0.336f);
            m_anGV[i] = (int)(fC * -0.698f);
            m_anB[i] = (int)(fC * 1.732f);
        }
    }
    int m_anR[256];
    int m_anGU[256];
    int m_anGV[256];
    int m_anB[256];
};

// Built on first use (thread-safe static initialisation).
const YuvTables& tables()
{
    static const YuvTables s_tables;
    return s_tables;
}

inline uint32_t clamp255(int n)
{
    return n < 0 ? 0u : n > 255 ? 255u : (uint32_t)n;
}

inline uint32_t pixel(const YuvTables& t, int nY, int nU, int nV)
{
    const uint32_t nR = clamp255(nY + t.m_anR[nV]);
    const uint32_t nG = clamp255(nY + t.m_anGU[nU] + t.m_anGV[nV]);
    const uint32_t nB = clamp255(nY + t.m_anB[nU]);
    return 0xFF000000u | (nB << 16) | (nG << 8) | nR;
}

} // namespace

uint32_t yuvToPixel(int nY, int nU, int nV)
{
    return pixel(tables(), nY & 0xFF, nU & 0xFF, nV & 0xFF);
}

void convertFrame420(const YuvPlanes& planes, uint32_t* pPixels, int nWidth, int nHeight)
{
    RIR_TRACE("convertFrame420");
    const YuvTables& t = tables();
    // Rounded up: an odd last row or column is the top or left half of a block.
    const int nChromaRows = (nHeight + 1) / 2;
    const int nChromaCols = (nWidth + 1) / 2;
    for (int i = 0; i < nChromaRows; ++i)
    {
        const uint8_t* pU = planes.m_pU + i * planes.m_nUVStride;
        const uint8_t* pV = planes.m_pV + i * planes.m_nUVStride;
        for (int nRow = 2 * i; nRow < 2 * i + 2 && nRow < nHeight; ++nRow)
        {
            const uint8_t* pY = planes.m_pY + nRow * planes.m_nYStride;
            uint32_t* pOut = pPixels + nRow * nWidth;
            for (int j = 0; j < nChromaCols; ++j)
            {
                const int nU = pU[j];
                const int nV = pV[j];
                const int nCol = 2 * j;
                pOut[nCol] = pixel(t, pY[nCol], nU, nV);
                if (nCol + 1 < nWidth)
                    pOut[nCol + 1] = pixel(t, pY[nCol + 1], nU, nV);
            }
        }
    }
}

void convertFrame(const YuvPlanes& planes, uint32_t* pPixels, int nWidth, int nHeight,
                  int nChromaRowDiv, bool bFullChroma)
{
    RIR_TRACE("convertFrame");
    const YuvTables& t = tables();
    const int nDiv = nChromaRowDiv > 0 ? nChromaRowDiv : 1;
    for (int nRow = 0; nRow < nHeight; ++nRow)
    {
        const uint8_t* pY = planes.m_pY + nRow * planes.m_nYStride;
        const uint8_t* pU = planes.m_pU + (nRow / nDiv) * planes.m_nUVStride;
        const uint8_t* pV = planes.m_pV + (nRow / nDiv) * planes.m_nUVStride;
        uint32_t* pOut = pPixels + nRow * nWidth;
        for (int nCol = 0; nCol < nWidth; ++nCol)
        {
            const int nC = bFullChroma ? nCol : nCol / 2;
            pOut[nCol] = pixel(t, pY[nCol], pU[nC], pV[nC]);
        }
    }
}
