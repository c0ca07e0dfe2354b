// GameMode: life, flags, ending and suspending, transitions and the default hooks. The contents
// are in gamemode_contents.cpp, the tooltips in gamemode_tooltips.cpp.
#include "app/gamemode.h"

#include "app/gameapp.h"
#include "app/ivideodriver.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdint>

namespace
{

// The flag bits whose change needs a full redraw: active, visible, see-through.
const int REDRAW_FLAGS = MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH;
const float DEFAULT_TOOLTIP_DELAY = 0.25f;
const float DEFAULT_TOOLTIP_OFFSET = 25.0f;

// The low 32 bits of an address, as messages print it.
unsigned addressText(const void* p)
{
    return (unsigned)(uintptr_t)p;
}

} // namespace

// ---- life --------------------------------------------------------------------------------------

GameMode::GameMode()
    : m_pApp(GameApp::getInstance()), m_nFlags(0), m_nState(MS_NEW), m_bHoverHooksRunning(false),
      m_pFocusLeaving(nullptr), m_nMouseButtonMask(-1), m_pCurrentTooltip(nullptr),
      m_fTooltipCountdown(0.0f), m_fTooltipDelay(DEFAULT_TOOLTIP_DELAY),
      m_tooltipOffset(DEFAULT_TOOLTIP_OFFSET, DEFAULT_TOOLTIP_OFFSET), m_pTransition(nullptr)
{
    RIR_TRACE("GameMode::GameMode");
    // Tooltips take the theme's "Tooltip" button style when it has one, else the "" style.
    if (m_pApp && m_pApp->getTheme() && m_pApp->getTheme()->hasButtonStyle("Tooltip"))
        m_sTooltipStyle = "Tooltip";
    setFlags(MF_ACTIVE | MF_VISIBLE);
}

GameMode::~GameMode()
{
    RIR_TRACE("GameMode::~GameMode");
    clearParticles();
    clearTooltips();
    clearContents();
    delete m_pTransition;
    m_pTransition = nullptr;
}

// ---- flags -------------------------------------------------------------------------------------

void GameMode::setFlags(int nFlags)
{
    RIR_TRACE("GameMode::setFlags");
    const int nOld = m_nFlags;
    m_nFlags = nFlags;
    if (((nOld ^ nFlags) & REDRAW_FLAGS) == 0)
        return;
    // A mode made before the application or its video driver exists has nothing to redraw.
    IVideoDriver* pVideo = m_pApp ? m_pApp->getVideoDriver() : nullptr;
    if (pVideo)
    {
        RIR_TRACE_LINE();
        pVideo->invalidate();
    }
}

void GameMode::addFlags(int nBits)
{
    RIR_TRACE("GameMode::addFlags");
    setFlags(m_nFlags | nBits);
}

void GameMode::removeFlags(int nBits)
{
    RIR_TRACE("GameMode::removeFlags");
    setFlags(m_nFlags & ~nBits);
}

void GameMode::setVideoParameter(int nValue)
{
    RIR_TRACE("GameMode::setVideoParameter");
    IVideoDriver* pVideo = m_pApp ? m_pApp->getVideoDriver() : nullptr;
    if (pVideo)
        pVideo->setParameter(nValue);
}

// ---- ending, suspending, transitions -----------------------------------------------------------

void GameMode::checkTopmost(const char* pszOperation)
{
    RIR_TRACE("GameMode::checkTopmost");
    RIR_ASSERT(m_pApp);
    GameMode* pTop = m_pApp->getTopMode();
    if (pTop == this)
        return;
    RIR_THROW(FatalErrorException,
              RIR::String::format("Only the topmost mode can call %s() [this = 0x%08X, "
                                  "topmost = 0x%08X]",
                                  pszOperation, addressText(this), addressText(pTop))
                  .c_str());
}

void GameMode::endMode()
{
    RIR_TRACE("GameMode::endMode");
    checkTopmost("endMode");
    if (m_pTransition)
    {
        // The stack holds the transition from now on; taken off this mode first so that it is
        // never owned twice.
        TransitionMode* pTransition = m_pTransition;
        m_pTransition = nullptr;
        RIR_TRACE_LINE();
        startTransition(pTransition);
        return;
    }
    RIR_TRACE_LINE();
    onEnd();
    m_nState = MS_ENDED;
    RIR_TRACE_LINE();
    m_pApp->popMode();
    RIR_TRACE_LINE();
    onEnded();
}

void GameMode::suspendMode()
{
    RIR_TRACE("GameMode::suspendMode");
    checkTopmost("suspendMode");
    RIR_TRACE_LINE();
    onSuspend();
    m_nState = MS_SUSPENDED;
    RIR_TRACE_LINE();
    m_pApp->popMode();
}

void GameMode::endModesAbove()
{
    RIR_TRACE("GameMode::endModesAbove");
    RIR_ASSERT(m_pApp);
    bool bOnStack = false;
    for (int i = 0; i < m_pApp->getModeCount() && !bOnStack; ++i)
        bOnStack = m_pApp->getMode(i) == this;
    RIR_ASSERT(bOnStack);
    while (m_pApp->getTopMode() != this)
    {
        RIR_TRACE_LINE();
        m_pApp->getTopMode()->endMode();
    }
}

void GameMode::setTransition(TransitionMode* pTransition)
{
    RIR_TRACE("GameMode::setTransition");
    if (pTransition == m_pTransition)
        return;
    delete m_pTransition;
    m_pTransition = pTransition;
}

void GameMode::startTransition(TransitionMode* pTransition)
{
    RIR_TRACE("GameMode::startTransition");
    RIR_ASSERT(pTransition);
    RIR_ASSERT(m_pApp);
    RIR_TRACE_LINE();
    pTransition->leadIn(1, this, 1);
    RIR_TRACE_LINE();
    m_pApp->pushMode(pTransition);
}

void GameMode::activate()
{
    RIR_TRACE("GameMode::activate");
    hideTooltips();
    RIR_TRACE_LINE();
    onActivate();
}

void GameMode::deactivate(GameMode* pNewTop)
{
    RIR_TRACE("GameMode::deactivate");
    hideTooltips();
    RIR_TRACE_LINE();
    onDeactivate(pNewTop);
}

// ---- default hooks -----------------------------------------------------------------------------

void GameMode::onCallback(int /*nId*/, int /*nParam*/)
{
    RIR_TRACE("GameMode::onCallback");
}

void GameMode::onStart()
{
    RIR_TRACE("GameMode::onStart");
}

void GameMode::onEnd()
{
    RIR_TRACE("GameMode::onEnd");
    clearContents();
}

void GameMode::onEnded()
{
    RIR_TRACE("GameMode::onEnded");
}

void GameMode::onSuspend()
{
    RIR_TRACE("GameMode::onSuspend");
}

void GameMode::onActivate()
{
    RIR_TRACE("GameMode::onActivate");
}

void GameMode::onDeactivate(GameMode* /*pNewTop*/)
{
    RIR_TRACE("GameMode::onDeactivate");
}

bool GameMode::onQuitRequest()
{
    RIR_TRACE("GameMode::onQuitRequest");
    return false;
}

void GameMode::onAppExit()
{
    RIR_TRACE("GameMode::onAppExit");
}

void GameMode::onAppActivated()
{
    RIR_TRACE("GameMode::onAppActivated");
}

void GameMode::onAppDeactivated()
{
    RIR_TRACE("GameMode::onAppDeactivated");
}

void GameMode::update(float /*fDt*/)
{
    RIR_TRACE("GameMode::update");
}
