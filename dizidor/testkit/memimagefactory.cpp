#include "testkit/memimagefactory.h"

#include "gfx/imageenv.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "testkit/memimage.h"

#include <algorithm>

MemImageFactory::MemImageFactory()
    : m_opaqueFormat(24, 0, 0x000000FFu, 0x0000FF00u, 0x00FF0000u),
      m_alphaFormat(32, 0xFF000000u, 0x000000FFu, 0x0000FF00u, 0x00FF0000u)
{
}

MemImageFactory::MemImageFactory(const PixelFormat& opaqueFormat, const PixelFormat& alphaFormat)
    : m_opaqueFormat(opaqueFormat), m_alphaFormat(alphaFormat)
{
}

MemImageFactory::~MemImageFactory() {}

Image* MemImageFactory::load(const char* pszName)
{
    RIR_TRACE("MemImageFactory::load");
    return loadWithFlags(pszName, true);
}

bool MemImageFactory::exists(const char* pszName)
{
    RIR_TRACE("MemImageFactory::exists");
    static const char* const s_apszExtensions[] = {".jpg", ".png", ".subimage", nullptr};
    return getImageEnvironment()->resolveResourceName(pszName, s_apszExtensions).length() > 0;
}

Image* MemImageFactory::loadWithFlags(const char* pszName, bool bConvert)
{
    RIR_TRACE("MemImageFactory::loadWithFlags");
    MemImage* pImage = new MemImage(m_opaqueFormat, m_alphaFormat);
    try
    {
        pImage->load(pszName, bConvert, true);
    }
    catch (...)
    {
        delete pImage;
        throw;
    }
    return pImage;
}

Image* MemImageFactory::createFromPixels(void* pPixels, int nWidth, int nHeight, int nDepth,
                                         int nPitch, unsigned nRMask, unsigned nGMask,
                                         unsigned nBMask, unsigned nAMask)
{
    RIR_TRACE("MemImageFactory::createFromPixels");
    const PixelFormat format((uint32_t)nDepth, nAMask, nRMask, nGMask, nBMask);
    RIR::SmartPtr<MemPixelStore> pStore =
        new MemPixelStore(pPixels, nWidth, nHeight, nPitch, format);
    MemImage* pImage = new MemImage(m_opaqueFormat, m_alphaFormat);
    pImage->setStore(pStore);
    return pImage;
}

Image* MemImageFactory::createBlank(int nWidth, int nHeight, bool bAlpha)
{
    RIR_TRACE("MemImageFactory::createBlank");
    RIR::SmartPtr<MemPixelStore> pStore = new MemPixelStore(
        std::max(nWidth, 1), std::max(nHeight, 1), bAlpha ? m_alphaFormat : m_opaqueFormat);
    MemImage* pImage = new MemImage(m_opaqueFormat, m_alphaFormat);
    pImage->setStore(pStore);
    if (bAlpha)
        pImage->fill(Color(0, 0, 0, 0));
    return pImage;
}

Image* MemImageFactory::createEmpty()
{
    RIR_TRACE("MemImageFactory::createEmpty");
    return new MemImage(m_opaqueFormat, m_alphaFormat);
}
