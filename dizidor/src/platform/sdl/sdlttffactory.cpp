#include "platform/sdl/sdlttffactory.h"

#include "gfx/imageenv.h"
#include "platform/sdl/sdltruetypefont.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

namespace
{

int s_nCacheHits = 0;
int s_nCacheMisses = 0;

} // namespace

SDLTTFFactory::SDLTTFFactory() : m_hCache(97) {}

SDLTTFFactory::~SDLTTFFactory() {}

RIR::SmartPtr<Font> SDLTTFFactory::createFont(const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("SDLTTFFactory::createFont");
    const RIR::String sFace = lArgs.get(0);
    const RIR::String sFull = getImageEnvironment()->resolveResourceName(sFace.c_str(), nullptr);
    RIR::List<RIR::String> lRest = lArgs;
    lRest.removeAt(0);
    const RIR::String sKey = (sFull + "::" + lRest.join("::")).toLower();

    if (m_hCache.contains(sKey))
    {
        ++s_nCacheHits;
        m_lUseOrder.removeAt(m_lUseOrder.indexOf(sKey));
        m_lUseOrder.append(sKey);
        return m_hCache.get(sKey)->clone();
    }

    ++s_nCacheMisses;
    RIR::SmartPtr<SDLTrueTypeFont> pFont = new SDLTrueTypeFont();
    const int nStyle = getStyleBits(lArgs);
    const RIR::String sSize = lArgs.get(1);
    pFont->load(sFace.c_str(), RIR::String::toInt(sSize.c_str()), nStyle);
    m_hCache.set(sKey, RIR::SmartPtr<Font>(pFont.get()));
    m_lUseOrder.append(sKey);
    while (m_lUseOrder.getLength() > TTF_CACHE_LIMIT)
        m_hCache.remove(m_lUseOrder.takeFirst());
    pFont->setFactory(this, lArgs);
    return pFont->clone();
}

bool SDLTTFFactory::setIntParam(RIR::List<RIR::String>& lArgs, int nWhich, int nValue)
{
    RIR_TRACE("SDLTTFFactory::setIntParam");
    if (nWhich != 0)
        return false;
    lArgs.getNode(1)->m_value = RIR::String::format("%d", nValue);
    return true;
}

int SDLTTFFactory::getIntParam(const RIR::List<RIR::String>& lArgs, int nWhich)
{
    RIR_TRACE("SDLTTFFactory::getIntParam");
    if (nWhich != 0)
        return -1;
    return RIR::String::toInt(lArgs.get(1).c_str());
}

int SDLTTFFactory::getStyleBits(const RIR::List<RIR::String>& lArgs)
{
    RIR_TRACE("SDLTTFFactory::getStyleBits");
    int nStyle = 0;
    for (int i = 2; i < lArgs.getLength(); ++i)
    {
        const RIR::String sWord = lArgs.get(i).toLower();
        if (sWord == "bold")
            nStyle |= TTF_STYLE_BIT_BOLD;
        else if (sWord == "italic")
            nStyle |= TTF_STYLE_BIT_ITALIC;
        else if (sWord == "underline")
            nStyle |= TTF_STYLE_BIT_UNDERLINE;
    }
    return nStyle;
}

int SDLTTFFactory::getCacheHits()
{
    return s_nCacheHits;
}

int SDLTTFFactory::getCacheMisses()
{
    return s_nCacheMisses;
}

bool SDLTTFFactory::isCached(const RIR::String& sKey) const
{
    return m_hCache.contains(sKey);
}

void SDLTTFFactory::clearCache()
{
    RIR_TRACE("SDLTTFFactory::clearCache");
    m_hCache.clear();
    m_lUseOrder.clear();
}
