// GameApp's font set-up: the bitmap font factories registered at start-up.
#include "app/gameapp.h"

#include "gfx/bitmapfontfactories.h"

#include "rir2/calltrace.h"

void GameApp::registerFontFactories()
{
    RIR_TRACE("GameApp::registerFontFactories");
    registerBitmapFontFactory();
    registerSimpleFontFactory();
}
