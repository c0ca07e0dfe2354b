// MenuFrame: layout, commands, the input lock, the hover description and the default player.
#include "shell/menuframe.h"

#include "shell/appstore.h"
#include "shell/campaignio.h"
#include "shell/dbdapp.h"
#include "shell/dbdgameoptions.h"
#include "shell/dollycreditsmode.h"
#include "shell/panelimage.h"
#include "shell/playerio.h"
#include "shell/savegameio.h"
#include "shell/textformat.h"

#include "app/sysinfo.h"
#include "gfx/font.h"
#include "ui/button.h"
#include "ui/custombutton.h"
#include "ui/label.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

struct MainButtonPlace
{
    const char* pszPrefix;
    int nCommand;
    int nX;
    int nY;
};

// In the order of their descriptions ("MainButton0..2").
const MainButtonPlace MAIN_BUTTONS[] = {{"btn_storymode_", MC_STORY, 400, 100},
                                       {"btn_campaign_", MC_CAMPAIGN, 415, 180},
                                       {"btn_timed_", MC_TIMED, 390, 258}};

const int DESCRIPTION_X = 270;
const int DESCRIPTION_Y = 530;
const int DESCRIPTION_WIDTH = 510;
const int PANEL_ALPHA = 192;
const float UNAVAILABLE_ALPHA = 0.5f;

MenuScreens& screens()
{
    static MenuScreens s_screens;
    return s_screens;
}

} // namespace

MenuFrame* MenuFrame::s_pMenuFrame = nullptr;

MenuFrame::MenuFrame() : m_fInputLock(0.0f)
{
    RIR_TRACE("MenuFrame::MenuFrame");
    RIR_ASSERT(s_pMenuFrame == NULL);
    s_pMenuFrame = this;
}

MenuFrame::~MenuFrame()
{
    if (s_pMenuFrame == this)
        s_pMenuFrame = nullptr;
}

MenuFrame* MenuFrame::instance()
{
    return s_pMenuFrame;
}

void MenuFrame::onScreenAbove(GameApp* pApp)
{
    RIR_TRACE("MenuFrame::onScreenAbove");
    pApp->showCursor(true);
    pApp->playMusicByName("st_main", true);
    if (s_pMenuFrame)
        s_pMenuFrame->lockInput();
}

void MenuFrame::setScreens(const MenuScreens& newScreens)
{
    screens() = newScreens;
}

const MenuScreens& MenuFrame::getScreens()
{
    return screens();
}

RIR::SmartPtr<Font> MenuFrame::whiteFont(int nLineSpacing)
{
    RIR_TRACE("MenuFrame::whiteFont");
    RIR::SmartPtr<Font> pFont = getApp()->getTheme()->getFont("Theme::Default")->clone();
    pFont->setColor(Color(255, 255, 255, 255));
    pFont->setLineSpacing(nLineSpacing);
    return pFont;
}

void MenuFrame::onStart()
{
    RIR_TRACE("MenuFrame::onStart");
    GameApp* pApp = getApp();

    // The shared panel of the menu's screens, keyed once for all of them.
    getPanelImage(pApp);

    addSprite(new Sprite(pApp->getImage("logo"), 20, 10, 3));
    addSprite(new Sprite(pApp->getImage("menuleft"), 0, 0, 0));
    RIR::SmartPtr<Image> pSigns = pApp->getImage("carteles");
    addSprite(new Sprite(pSigns, 800 - pSigns->getWidth(), 0, 0));

    for (const MainButtonPlace& place : MAIN_BUTTONS)
    {
        RIR_TRACE_LINE();
        const RIR::String sNormal = RIR::String(place.pszPrefix) + "normal";
        const RIR::String sHighlight = RIR::String(place.pszPrefix) + "highlight";
        RIR::SmartPtr<Button> pButton = new CustomButton(place.nCommand, sNormal.c_str(),
                                                         sNormal.c_str(), sHighlight.c_str(),
                                                         sNormal.c_str());
        pButton->setPos(place.nX, place.nY);
        pButton->setZOrder(3);
        pButton->setHitTestMode(SHT_STORED_PIXELS);
        addControl(pButton);
        m_lMainButtons.append(pButton);
    }

    RIR::SmartPtr<Label> pCopyright = new Label(pApp->getString("MMCopyright"), 25, 540, 3);
    pCopyright->setAlignment(0x24);
    pCopyright->setTextColor(Color(255, 255, 255, 255));
    pCopyright->setLineCount(2);
    addSprite(pCopyright);

    m_pWelcome = new Label("", 40, 200, 3, 167, true);
    m_pWelcome->setFont(whiteFont(-5));
    addSprite(m_pWelcome);

    m_pChangePlayer = new Button("changeplayer", MC_CHANGE_PLAYER, 86, 254, 3, -1);
    addControl(m_pChangePlayer);
    addControl(new Button("options", MC_OPTIONS, 38, 368, 3, -1));
    addControl(new Button("credits", MC_CREDITS, 130, 368, 3, -1));
    if (!screens().pfnPlayerDlg)
        m_pChangePlayer->setEnabled(false);

    rebuildLeftMenu();
}

void MenuFrame::rebuildLeftMenu()
{
    RIR_TRACE("MenuFrame::rebuildLeftMenu");
    for (int i = 0; i < m_lLeftButtons.getLength(); ++i)
        removeObject(m_lLeftButtons.get(i).get());
    m_lLeftButtons.clear();

    m_pLeftTable = new Table(this);
    m_pLeftTable->setHSpacing(-4);
    RIR::SmartPtr<Button> pExit = new Button("exitgame", MC_EXIT);
    addControl(pExit);
    m_pLeftTable->newRow();
    m_pLeftTable->newCell(1);
    m_pLeftTable->add(pExit.get(), 0x24);
    m_lLeftButtons.append(pExit);
    m_pLeftTable->setPos(0, 465);
    m_pLeftTable->setSize(getApp()->getImage("menuleft")->getWidth(), 55);
    m_pLeftTable->setZOrder(3);
}

void MenuFrame::onActivate()
{
    RIR_TRACE("MenuFrame::onActivate");
    GameApp* pApp = getApp();
    pApp->setFPS(60);
    pApp->showCursor(true);
    lockInput();
    setMainButtonsEnabled(true);
    showWelcome();
    if (getDBDApp()->isIntroDone())
        pApp->playMusicByName("st_main", true);
}

void MenuFrame::lockInput()
{
    RIR_TRACE("MenuFrame::lockInput");
    m_fInputLock = INPUT_LOCK_SECONDS;
    rebuildLeftMenu();
}

void MenuFrame::showWelcome()
{
    RIR_TRACE("MenuFrame::showWelcome");
    GameApp* pApp = getApp();
    if (pApp->getSetting("PlayerUID").length() == 0)
        ensurePlayer();
    const RIR::String sName = pApp->getSetting("PlayerName");
    const RIR::String sText = formatText(getText("WelcomePlayer").c_str(), {TextArg(sName)});
    if (m_pWelcome)
        m_pWelcome->setText(sText.c_str());
}

void MenuFrame::ensurePlayer()
{
    RIR_TRACE("MenuFrame::ensurePlayer");
    ensureDefaultPlayer(getUserName().c_str());
}

bool MenuFrame::isMainButtonAvailable(int i) const
{
    const MenuScreens& s = screens();
    switch (MAIN_BUTTONS[i].nCommand)
    {
    case MC_STORY:
        return s.pfnNewGameDlg && s.pfnStoryModeDlg;
    case MC_CAMPAIGN:
        return s.pfnOpponentDlg && s.pfnCampaignDlg && s.pfnYesNo;
    case MC_TIMED:
        return s.pfnTimeAttackDlg && s.pfnYesNo;
    default:
        return false;
    }
}

void MenuFrame::setMainButtonsEnabled(bool bEnabled)
{
    RIR_TRACE("MenuFrame::setMainButtonsEnabled");
    for (int i = 0; i < m_lMainButtons.getLength(); ++i)
    {
        // A way to play whose screens are not there yet is shown faded.
        const bool bAvailable = isMainButtonAvailable(i);
        m_lMainButtons.get(i)->setEnabled(bEnabled && bAvailable);
        m_lMainButtons.get(i)->setAlpha(bAvailable ? 1.0f : UNAVAILABLE_ALPHA);
    }
    if (!bEnabled)
    {
        if (m_pDescription)
            removeObject(m_pDescription.get());
        m_pDescription = nullptr;
        if (m_pDescriptionPanel)
            m_pDescriptionPanel->setVisible(false);
        m_pHoverButton = nullptr;
    }
}

void MenuFrame::onCallback(int nId, int nParam)
{
    RIR_TRACE("MenuFrame::onCallback");
    (void)nParam;
    if (m_fInputLock > 0.0f && nId != MC_TIMED_CONFIRMED && nId != MC_CAMPAIGN_CONFIRMED)
        return;
    GameApp* pApp = getApp();
    const MenuScreens& s = screens();
    switch (nId)
    {
    case MC_OPTIONS:
        pApp->pushMode(new DBDGameOptions(nullptr, 0, 0));
        break;
    case MC_CREDITS:
        pApp->pushMode(new DollyCreditsMode());
        break;
    case MC_CHANGE_PLAYER:
        if (s.pfnPlayerDlg)
            pApp->pushMode(s.pfnPlayerDlg(this));
        break;
    case MC_STORY:
        if (!s.pfnNewGameDlg || !s.pfnStoryModeDlg)
            break;
        if (countSaveSlots() == 0)
            pApp->pushMode(s.pfnNewGameDlg(0));
        else
        {
            pApp->pushMode(s.pfnStoryModeDlg());
            setMainButtonsEnabled(false);
        }
        break;
    case MC_TIMED:
        if (s.pfnTimeAttackDlg)
            askWarning(MC_TIMED_CONFIRMED);
        break;
    case MC_CAMPAIGN:
        if (s.pfnOpponentDlg && s.pfnCampaignDlg)
            askWarning(MC_CAMPAIGN_CONFIRMED);
        break;
    case MC_TIMED_CONFIRMED:
        openTimedGame();
        break;
    case MC_CAMPAIGN_CONFIRMED:
        openCampaign();
        break;
    case MC_EXIT:
        // Through the application's own quit path, which notes that the question shows, so that
        // a window close meanwhile does not stack a second one. While closing the window quits
        // without asking, the question is asked directly.
        if (pApp->getConfirmQuit())
            pApp->onQuit();
        else
            pApp->askQuitConfirmation();
        break;
    default:
        break;
    }
}

void MenuFrame::askWarning(int nYesId)
{
    RIR_TRACE("MenuFrame::askWarning");
    GameApp* pApp = getApp();
    if (pApp->getSetting("ShowStoryModeWarning") == "FALSE")
    {
        onCallback(nYesId, 0);
        return;
    }
    const MenuScreens& s = screens();
    if (s.pfnYesNo)
        pApp->pushMode(s.pfnYesNo(this, "PlayStoryWarning", nYesId, -1));
}

void MenuFrame::openTimedGame()
{
    RIR_TRACE("MenuFrame::openTimedGame");
    const MenuScreens& s = screens();
    if (!s.pfnTimeAttackDlg)
        return;
    GameApp* pApp = getApp();
    pApp->setSetting("ShowStoryModeWarning", "FALSE");
    pApp->pushMode(s.pfnTimeAttackDlg(this));
    setMainButtonsEnabled(false);
}

void MenuFrame::openCampaign()
{
    RIR_TRACE("MenuFrame::openCampaign");
    const MenuScreens& s = screens();
    if (!s.pfnOpponentDlg || !s.pfnCampaignDlg)
        return;
    GameApp* pApp = getApp();
    pApp->setSetting("ShowStoryModeWarning", "FALSE");
    if (countCampaignSlots() == 0)
        pApp->pushMode(s.pfnOpponentDlg(0));
    else
    {
        pApp->pushMode(s.pfnCampaignDlg());
        setMainButtonsEnabled(false);
    }
}

void MenuFrame::update(float fDt)
{
    RIR_TRACE("MenuFrame::update");
    if (m_fInputLock > 0.0f)
        m_fInputLock -= fDt;

    RIR::SmartPtr<Control> pHover = getHover();
    if (pHover == m_pHoverButton)
        return;
    if (m_pDescription)
        removeObject(m_pDescription.get());
    m_pDescription = nullptr;
    m_pHoverButton = dynamic_cast<Button*>(pHover.get()) ? pHover : RIR::SmartPtr<Control>();
    if (!m_pHoverButton)
    {
        if (m_pDescriptionPanel)
            m_pDescriptionPanel->setVisible(false);
        return;
    }
    for (int i = 0; i < m_lMainButtons.getLength(); ++i)
    {
        if (m_lMainButtons.get(i).get() == m_pHoverButton.get())
        {
            setDescription(i);
            return;
        }
    }
}

void MenuFrame::setDescription(int nIndex)
{
    RIR_TRACE("MenuFrame::setDescription");
    GameApp* pApp = getApp();
    const RIR::String sKey = RIR::String::format("MainButton%d", nIndex);
    m_pDescription = new Label(pApp->getString(sKey.c_str()), DESCRIPTION_X, DESCRIPTION_Y, 4,
                               DESCRIPTION_WIDTH, true);
    RIR::SmartPtr<Font> pFont = whiteFont(-5);
    m_pDescription->setFont(pFont);
    m_pDescription->setLineCount(2);
    if (!m_pDescriptionPanel)
    {
        RIR::SmartPtr<Image> pImage =
            pApp->createImage(DESCRIPTION_WIDTH, 2 * pFont->getLineHeight(), false);
        pImage->fill(Color(0, 0, 0, 255));
        pImage->setAlpha(PANEL_ALPHA);
        m_pDescriptionPanel = new Sprite(pImage, DESCRIPTION_X, DESCRIPTION_Y, 3);
        addSprite(m_pDescriptionPanel);
    }
    m_pDescriptionPanel->setVisible(true);
    addSprite(m_pDescription.get());
}

bool MenuFrame::keyDown(int nKey, int nModifiers)
{
    return GameMode::keyDown(nKey, nModifiers);
}

RIR::String MenuFrame::getWelcomeText() const
{
    return m_pWelcome ? m_pWelcome->getText() : RIR::String();
}

RIR::String MenuFrame::getDescriptionText() const
{
    return m_pDescription ? m_pDescription->getText() : RIR::String();
}

bool MenuFrame::isDescriptionPanelShown() const
{
    return m_pDescriptionPanel && m_pDescriptionPanel->isVisible();
}
