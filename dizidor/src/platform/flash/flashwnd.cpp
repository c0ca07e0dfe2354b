// The Flash control's container (see flashwnd.h).
#include "platform/flash/flashwnd.h"

#include "app/gameapp.h"
#include "app/iplatform.h"
#include "platform/flash/swfplayer.h"

#include "rir2/calltrace.h"

#include <SDL.h>

namespace
{

uint32_t applicationTicks()
{
    GameApp* pApp = GameApp::getInstance();
    IPlatform* pPlatform = pApp ? pApp->getPlatform() : nullptr;
    return pPlatform ? pPlatform->getTicks() : SDL_GetTicks();
}

} // namespace

CFlashWnd::CFlashWnd() : m_nFlashVersion(0)
{
}

FlashControl* CFlashWnd::makeControl()
{
    RIR_TRACE("CFlashWnd::makeControl");
    return new SwfPlayer(&applicationTicks);
}

bool CFlashWnd::onControlCreated()
{
    RIR_TRACE("CFlashWnd::onControlCreated");
    m_nFlashVersion = m_pControl->version();
    m_bTwoPass = (m_nFlashVersion & 0xFF0000) == 0x80000;
    if (m_bTransparent)
        m_pControl->setWMode("transparent");
    m_pControl->setScaleMode("showAll");
    m_pControl->setBackgroundColor(0);
    m_pControl->setEmbedMovie(false);
    return true;
}

bool CFlashWnd::loadMovie()
{
    RIR_TRACE("CFlashWnd::loadMovie");
    m_pControl->setEmbedMovie(true);
    const RIR::String sPath = resolveMoviePath(m_sMovieName.c_str());
    if (!m_pControl->loadMovie(0, sPath.c_str()))
        return false;
    m_pControl->play();
    return true;
}
