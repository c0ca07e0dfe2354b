// SDLPlatform's TrueType fonts: the "TrueType" factory lives in the font factory table from the
// platform's construction to its shutdown.
#include "platform/sdl/sdlplatform.h"

#include "gfx/fontfactorytable.h"
#include "platform/sdl/sdlttffactory.h"

#include "rir2/calltrace.h"

namespace
{

const char* const TRUETYPE_CLASS = "TrueType";

// The cached fonts remember their factory: emptying the cache of the registered one lets it go
// when it leaves the table.
void retireTrueTypeFactory()
{
    RIR::SmartPtr<FontFactory> pFactory = FontFactoryTable::findFactory(TRUETYPE_CLASS);
    if (SDLTTFFactory* pTTF = dynamic_cast<SDLTTFFactory*>(pFactory.get()))
        pTTF->clearCache();
}

} // namespace

void SDLPlatform::registerTrueTypeFonts()
{
    RIR_TRACE("SDLPlatform::registerTrueTypeFonts");
    retireTrueTypeFactory();
    FontFactoryTable::registerFactory(TRUETYPE_CLASS, new SDLTTFFactory());
}

void SDLPlatform::unregisterTrueTypeFonts()
{
    RIR_TRACE("SDLPlatform::unregisterTrueTypeFonts");
    retireTrueTypeFactory();
    FontFactoryTable::unregisterFactory(TRUETYPE_CLASS);
}

void SDLPlatform::getFontCacheCounts(int* pnHits, int* pnMisses) const
{
    RIR_TRACE("SDLPlatform::getFontCacheCounts");
    *pnHits = SDLTTFFactory::getCacheHits();
    *pnMisses = SDLTTFFactory::getCacheMisses();
}
