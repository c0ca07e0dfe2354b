// Stand-ins for what SDLPlatform calls on services that are not built yet.
//
// Each function keeps a call site of the platform in its final place while the class it needs
// (the TrueType font factory and the theme's font registry) does not
// exist. Each says what it stands in for; the
// issue that builds the service replaces the body by the real call, and this file shrinks until
// it is gone.
#include "platform/sdl/sdlplatform.h"

#include "rir2/calltrace.h"

// Stands in for Theme::registerFontFactory("TrueType", new SDLTTFFactory()).
void SDLPlatform::registerTrueTypeFonts()
{
    RIR_TRACE("SDLPlatform::registerTrueTypeFonts");
}

// Stands in for Theme::unregisterFontFactory("TrueType").
void SDLPlatform::unregisterTrueTypeFonts()
{
    RIR_TRACE("SDLPlatform::unregisterTrueTypeFonts");
}

// Stands in for the TrueType factory's cache counters; no font has been asked for yet.
void SDLPlatform::getFontCacheCounts(int* pnHits, int* pnMisses) const
{
    RIR_TRACE("SDLPlatform::getFontCacheCounts");
    *pnHits = 0;
    *pnMisses = 0;
}
