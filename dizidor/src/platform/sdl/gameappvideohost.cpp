#include "platform/sdl/gameappvideohost.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

GameAppVideoHost::GameAppVideoHost(GameApp* pApp) : m_pApp(pApp)
{
    RIR_TRACE("GameAppVideoHost::GameAppVideoHost");
    RIR_ASSERT(pApp);
}

GameAppVideoHost::~GameAppVideoHost()
{
    RIR_TRACE("GameAppVideoHost::~GameAppVideoHost");
    m_pApp = nullptr;
}

RIR::List<RIR::String> GameAppVideoHost::getArguments()
{
    RIR_TRACE("GameAppVideoHost::getArguments");
    return m_pApp->getArguments();
}

int GameAppVideoHost::getFrameCount()
{
    RIR_TRACE("GameAppVideoHost::getFrameCount");
    return m_pApp->getFrameCount();
}

void GameAppVideoHost::getMousePosition(int* pnX, int* pnY)
{
    RIR_TRACE("GameAppVideoHost::getMousePosition");
    m_pApp->getMousePosition(pnX, pnY);
}

int GameAppVideoHost::getFirstDrawnModeIndex()
{
    RIR_TRACE("GameAppVideoHost::getFirstDrawnModeIndex");
    return m_pApp->getFirstDrawnModeIndex();
}

IDrawnMode* GameAppVideoHost::getDrawnMode(int nIndex)
{
    RIR_TRACE("GameAppVideoHost::getDrawnMode");
    GameMode* pMode = m_pApp->getMode(nIndex);
    if (!pMode)
        return nullptr;
    m_modeView.setMode(pMode);
    return &m_modeView;
}

bool GameAppVideoHost::ModeView::isActive()
{
    return m_pMode->isActive();
}

bool GameAppVideoHost::ModeView::isVisible()
{
    return m_pMode->isVisible();
}

int GameAppVideoHost::ModeView::getFlags()
{
    return m_pMode->getFlags();
}

SpriteLayerList& GameAppVideoHost::ModeView::getSpriteLayers()
{
    return m_pMode->getSpriteLayers();
}
