#include "app/decodedpicture.h"

#include "rir2/calltrace.h"

#include <cstring>

std::vector<uint8_t> DecodedPicture::toRGBA() const
{
    RIR_TRACE("DecodedPicture::toRGBA");
    const size_t nPixels = (size_t)m_nWidth * (size_t)m_nHeight;
    std::vector<uint8_t> abRGBA(nPixels * 4, 0);
    const size_t nPaletteSize = m_abPalette.size() / 3;
    for (size_t n = 0; n < nPixels; ++n)
    {
        uint8_t* q = &abRGBA[n * 4];
        if (m_nBytesPerPixel == 1)
        {
            const size_t nIndex = m_abPixels[n];
            // An index past the palette reads as black, as the decoders leave it.
            if (nIndex < nPaletteSize)
                std::memcpy(q, &m_abPalette[nIndex * 3], 3);
            q[3] = (m_bColorKey && (int)nIndex == m_nKeyIndex) ? 0 : 255;
        }
        else if (m_nBytesPerPixel == 3)
        {
            const uint8_t* p = &m_abPixels[n * 3];
            std::memcpy(q, p, 3);
            q[3] = (m_bColorKey && std::memcmp(p, m_aKey, 3) == 0) ? 0 : 255;
        }
        else
        {
            std::memcpy(q, &m_abPixels[n * 4], 4);
        }
    }
    return abRGBA;
}
