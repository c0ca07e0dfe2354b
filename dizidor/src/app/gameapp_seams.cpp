// Stand-ins for what GameApp calls on services that are not built yet.
//
// Each function here keeps a call site of GameApp in its final place while the class it needs
// (the theme) does not exist. Each says what it stands in for; when the service is built, the
// stand-in becomes the real call and this file shrinks until it is gone.
#include "app/gameapp.h"

#include "app/ivideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

// Start-up: setTheme(new Theme()), which also installs the theme's default cursor picture.
void GameApp::installDefaultTheme()
{
    RIR_TRACE("GameApp::installDefaultTheme");
}
