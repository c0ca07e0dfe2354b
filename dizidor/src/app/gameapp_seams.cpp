// Stand-ins for what GameApp calls on services that are not built yet.
//
// Each function here keeps a call site of GameApp in its final place while the class it needs
// (fonts, theme, resource lookup, caches, screen modes) does not exist. Each says what
// it stands in for; the issue that builds the service replaces the stand-in by the real call or
// moves the member to its own file, and this file shrinks until it is gone.
#include "app/gameapp.h"

#include "app/ivideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

// Start-up: registerBitmapFontFactory(), then registerSimpleFontFactory().
void GameApp::registerFontFactories()
{
    RIR_TRACE("GameApp::registerFontFactories");
}

// Start-up: setTheme(new Theme()), which also installs the theme's default cursor picture.
void GameApp::installDefaultTheme()
{
    RIR_TRACE("GameApp::installDefaultTheme");
}
