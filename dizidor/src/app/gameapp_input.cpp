// GameApp's own handling of quit requests, unhandled keys and the pointer leaving or entering the
// window. The dispatch of input to the modes comes with the mode stack.
#include "app/gameapp.h"

#include "app/ivideodriver.h"

#include "rir2/calltrace.h"

void GameApp::onQuit()
{
    RIR_TRACE("GameApp::onQuit");
    if (!m_bConfirmQuit)
    {
        quit(1);
        return;
    }
    if (m_bAskingQuit)
        return;
    m_bAskingQuit = true;
    askQuitConfirmation();
}

bool GameApp::onUnhandledKeyDown(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameApp::onUnhandledKeyDown");
    return false;
}

void GameApp::onUnhandledKeyUp(int /*nKey*/, int /*nModifiers*/)
{
    RIR_TRACE("GameApp::onUnhandledKeyUp");
}

void GameApp::askQuitConfirmation()
{
    RIR_TRACE("GameApp::askQuitConfirmation");
}

void GameApp::onMouseFocusGained()
{
    RIR_TRACE("GameApp::onMouseFocusGained");
    setCustomCursor(isCustomCursorSetting());
}

void GameApp::onMouseFocusLost()
{
    RIR_TRACE("GameApp::onMouseFocusLost");
    // The system pointer while the pointer is outside; the setting stays as it is.
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
        pVideo->setSoftwareCursor(false);
}
