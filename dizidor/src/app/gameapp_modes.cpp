// Where the frame loop, the shutdown and the exit reach the modes on the stack.
//
// The screen-mode class is not built yet, so nothing can push a mode: the stack and the list of
// ended modes are always empty in this library, and each function below checks that instead of
// touching a mode. They are weak definitions so that a test can supply a stand-in mode class
// together with its own versions of them; the mode stack replaces this file with the real walks
// (and the weak attribute goes with it).
#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#define DIZIDOR_PENDING_MODE_STACK __attribute__((weak))

// The update walk, from the top down while the modes let updates through.
DIZIDOR_PENDING_MODE_STACK void GameApp::updateModes(float /*fDt*/)
{
    RIR_TRACE("GameApp::updateModes");
    RIR_ASSERT(m_lModes.isEmpty());
}

DIZIDOR_PENDING_MODE_STACK void GameApp::deleteEndedModes()
{
    RIR_TRACE("GameApp::deleteEndedModes");
    RIR_ASSERT(m_lEndedModes.isEmpty());
}

DIZIDOR_PENDING_MODE_STACK void GameApp::deleteAllModes()
{
    RIR_TRACE("GameApp::deleteAllModes");
    RIR_ASSERT(m_lModes.isEmpty() && m_lEndedModes.isEmpty());
}

DIZIDOR_PENDING_MODE_STACK void GameApp::notifyModesOfExit()
{
    RIR_TRACE("GameApp::notifyModesOfExit");
    RIR_ASSERT(m_lModes.isEmpty());
}
