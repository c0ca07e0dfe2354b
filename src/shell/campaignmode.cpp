#include "shell/campaignmode.h"

#include "shell/appstore.h"
#include "shell/campaignio.h"
#include "shell/campaignmap.h"
#include "shell/campaignscenes.h"
#include "shell/dbdapp.h"
#include "shell/textformat.h"
#include "shell/turnresults.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "level/gametype.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/label.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const Color WHITE(255, 255, 255, 255);
const Color BLACK(0, 0, 0, 255);
// The tallies stand on the board's dark wood.
const Color TALLY(255, 244, 214, 255);

} // namespace

CampaignMode::CampaignMode(int nSlot, int nOpponent)
    : m_nSlot(nSlot), m_nDifficulty(2), m_nSelectedCity(-1), m_bGameOver(false), m_nFrameSprites(0)
{
    RIR_TRACE("CampaignMode::CampaignMode");
    if (!isCampaignSlotUsed(m_nSlot))
    {
        if (nOpponent < 0 || nOpponent >= OPPONENT_COUNT)
            nOpponent = 0;
        m_campaign.startNewCampaign(nOpponent, m_nSlot);
    }
}

CampaignMode::~CampaignMode()
{
}

void CampaignMode::onStart()
{
    RIR_TRACE("CampaignMode::onStart");
    GameApp* pApp = getApp();
    const bool bOK = readCampaign(&m_campaign.getState(), m_nSlot);
    RIR_ASSERT(bOK);
    m_nDifficulty = getOpponentDifficulty(m_campaign.getState().nOpponent);

    RIR::SmartPtr<Image> pTile = pApp->getImage("map_0_tile");
    for (int nX = 0; nX < SCREEN_WIDTH && pTile->getWidth() > 0; nX += pTile->getWidth())
        addSprite(new Sprite(pTile, nX, 0, 0));
    addSprite(new Sprite("map_1", 0, 0, 2));
    RIR::SmartPtr<Image> pMenu = pApp->getImage("menu_campaign");
    addSprite(new Sprite(pMenu, 0, SCREEN_HEIGHT - pMenu->getHeight(), 5));
    if (!getDBDApp()->isLowResourcesMode())
        m_nFrameSprites = buildCampaignMapFrame(this, SCREEN_HEIGHT - pMenu->getHeight());

    const int ROWS[2] = {520, 555};
    for (int nSide = 0; nSide < 2; ++nSide)
    {
        m_pMoneyLabel[nSide] = new Label("$0", 110, ROWS[nSide], 6, 100, false);
        m_pMoneyLabel[nSide]->setAlignment(2);
        m_pMoneyLabel[nSide]->setTextColor(TALLY);
        addSprite(m_pMoneyLabel[nSide]);
        m_pStarsLabel[nSide] = new Label("0", 257, ROWS[nSide], 6, 50, false);
        m_pStarsLabel[nSide]->setAlignment(0x24);
        m_pStarsLabel[nSide]->setTextColor(TALLY);
        addSprite(m_pStarsLabel[nSide]);
    }

    addControl(new Button("exit", ID_EXIT, 705, 495, 6, -1));
    m_pPlayButton = new Button("play", ID_PLAY, 600, 495, 6, -1);
    addControl(m_pPlayButton);

    m_pOrdersLabel = new Label("", 375, 490, 6, 200, false);
    m_pOrdersLabel->setLineCount(4);
    if (m_pOrdersLabel->getFont())
        m_pOrdersLabel->setFont(m_pOrdersLabel->getFont()->clone());
    m_pOrdersLabel->setAlignment(0x21);
    addSprite(m_pOrdersLabel);

    selectCity(-1, COK_NONE);

    if (pApp->getSetting("FirstTimeCampaign") != "FALSE")
    {
        pApp->setSetting("FirstTimeCampaign", "FALSE");
        pApp->pushMode(createCampaignExplanation());
    }
}

void CampaignMode::onActivate()
{
    RIR_TRACE("CampaignMode::onActivate");
    GameApp* pApp = getApp();
    pApp->playMusicByName("civilwar", true);
    pApp->showCursor(true);
    if (getDBDApp()->hasLastResults())
    {
        finishTurn();
        return;
    }
    refreshMap();
    selectCity(-1, COK_NONE);
    const CampaignState& cs = m_campaign.getState();
    if (cs.nTotalStars[PLAYER_HUMAN] == 0 || cs.nTotalStars[PLAYER_COMPUTER] == 0)
    {
        m_pPlayButton->setVisible(false);
        m_pOrdersLabel->setText(getText("CampaignGameOver").c_str());
        m_pOrdersLabel->setTextColor(WHITE);
        m_bGameOver = true;
    }
}

void CampaignMode::finishTurn()
{
    RIR_TRACE("CampaignMode::finishTurn");
    GameResults* pGR = getDBDApp()->takeLastResults();
    RIR_ASSERT(pGR->nGameType == GT_CAMPAIGN);
    // A day left early counts with the cash it made.
    const int nCash = pGR->nCash;
    delete pGR;
    if (m_nSelectedCity < 0 || m_nSelectedCity >= CITY_COUNT || m_bGameOver)
    {
        // No order was given (the result is not this screen's): nothing to resolve.
        logPrintf("W: CampaignMode: a result without an order, ignored\n");
        refreshMap();
        return;
    }

    const int nComputerCity = m_campaign.chooseOpponentOrder();
    const int nComputerCash = m_campaign.computeOpponentCash();
    RIR::String sText;
    const int nBits =
        m_campaign.resolveTurn(nCash, m_nSelectedCity, nComputerCash, nComputerCity, &sText);
    getApp()->pushMode(new TurnResults(sText.c_str()));
    if (nBits & OR_PLAYER_SUCCEEDS)
        m_campaign.applyOrder(PLAYER_HUMAN, nCash, m_nSelectedCity);
    if (nBits & OR_COMPUTER_SUCCEEDS)
        m_campaign.applyOrder(PLAYER_COMPUTER, nComputerCash, nComputerCity);

    CampaignState& cs = m_campaign.getState();
    cs.nTurn += 1;
    writeCampaign(&cs, m_nSlot);
    computeCampaignTotals(&cs);
    if (cs.nTotalStars[PLAYER_COMPUTER] == 0)
        getApp()->pushMode(createCampaignEndScene(CAMPAIGN_SCENE_WON));
    if (cs.nTotalStars[PLAYER_HUMAN] == 0)
        getApp()->pushMode(createCampaignEndScene(CAMPAIGN_SCENE_LOST));
}

void CampaignMode::refreshMap()
{
    RIR_TRACE("CampaignMode::refreshMap");
    GameApp* pApp = getApp();
    CampaignState& cs = m_campaign.getState();
    computeCampaignTotals(&cs);
    for (int nSide = 0; nSide < 2; ++nSide)
    {
        if (m_pMoneyLabel[nSide])
            m_pMoneyLabel[nSide]->setText(
                RIR::String::format("$%d", cs.nTotalMoney[nSide]).c_str());
        if (m_pStarsLabel[nSide])
            m_pStarsLabel[nSide]->setText(
                RIR::String::format("%d", cs.nTotalStars[nSide]).c_str());
    }

    removeMapSprites();
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        const int nSide = cs.nStars[i][PLAYER_HUMAN] > 0 ? PLAYER_HUMAN : PLAYER_COMPUTER;
        const int nStars = cs.nStars[i][nSide];
        if (nStars <= 0)
            continue;
        RIR_ASSERT(nStars < 6);
        const RIR::String sOverlay =
            RIR::String::format(nSide == PLAYER_HUMAN ? "map_p_%d" : "map_c_%d", i);
        RIR::SmartPtr<Image> pOverlay = pApp->getImage(sOverlay.c_str())->clone(true);
        pOverlay->multiplyAlpha(getOverlayStrength(nStars));
        m_pCitySprite[i] = addSprite(new Sprite(pOverlay, 0, 0, 1));

        const RIR::String sStar = RIR::String::format("map_star_%d", nStars);
        RIR::SmartPtr<Image> pStar = pApp->getImage(sStar.c_str())->clone(false);
        pStar->setInsPointByAlign(0x24);
        const Point marker = getCityMarker(i);
        m_pStarSprite[i] = addSprite(new Sprite(pStar, (int)marker.x, (int)marker.y, 7));
    }
}

void CampaignMode::removeMapSprites()
{
    RIR_TRACE("CampaignMode::removeMapSprites");
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        if (m_pCitySprite[i])
            removeObject(m_pCitySprite[i]);
        if (m_pStarSprite[i])
            removeObject(m_pStarSprite[i]);
        m_pCitySprite[i] = nullptr;
        m_pStarSprite[i] = nullptr;
    }
}

int CampaignMode::cityAt(int nX, int nY)
{
    return campaignCityAt(getApp(), nX, nY);
}

int CampaignMode::orderKind(int nCity) const
{
    const CampaignState& cs = m_campaign.getState();
    if (cs.nStars[nCity][PLAYER_HUMAN] >= MAX_STAR)
        return COK_FULL;
    if (!m_campaign.canActOn(PLAYER_HUMAN, nCity))
        return COK_INVALID;
    if (cs.nStars[nCity][PLAYER_HUMAN] > 0)
        return COK_GROW;
    if (cs.nStars[nCity][PLAYER_COMPUTER] > 0)
        return COK_ATTACK;
    return COK_FOUND;
}

bool CampaignMode::mouseDown(int /*nButtonMask*/, int nX, int nY)
{
    RIR_TRACE("CampaignMode::mouseDown");
    if (m_bGameOver)
        return false;
    const int nCity = cityAt(nX, nY);
    if (nCity < 0)
        return false;
    selectCity(nCity, orderKind(nCity));
    return true;
}

void CampaignMode::selectCity(int nCity, int nKind)
{
    RIR_TRACE("CampaignMode::selectCity");
    m_nSelectedCity = nCity;
    RIR::String sText;
    bool bPlay = true;
    switch (nKind)
    {
    case COK_NONE:
        sText = getText("CampaignNoOrders");
        bPlay = false;
        break;
    case COK_INVALID:
        sText = getText("CampaignInvalidCity");
        bPlay = false;
        break;
    case COK_FULL:
        sText = formatText(getText("CampaignCityFull").c_str(), {getCityName(nCity)});
        bPlay = false;
        break;
    case COK_FOUND:
    case COK_GROW:
    case COK_ATTACK:
        sText = m_campaign.describeOrder(PLAYER_HUMAN, nCity);
        break;
    default:
        if (m_pPlayButton)
            m_pPlayButton->setEnabled(true);
        if (m_pOrdersLabel)
            m_pOrdersLabel->setTextColor(BLACK);
        return;
    }
    // A chosen order needs a town to play for.
    if (nCity < 0)
        bPlay = false;
    if (m_pPlayButton)
        m_pPlayButton->setEnabled(bPlay);
    if (m_pOrdersLabel)
    {
        m_pOrdersLabel->setText(sText.c_str());
        m_pOrdersLabel->setTextColor(bPlay ? BLACK : WHITE);
    }
}

void CampaignMode::onCallback(int nId, int nParam)
{
    RIR_TRACE("CampaignMode::onCallback");
    switch (nId)
    {
    case ID_EXIT:
        endMode();
        break;
    case ID_PLAY:
        startBattle();
        break;
    default:
        DBDMode::onCallback(nId, nParam);
        break;
    }
}

void CampaignMode::startBattle()
{
    RIR_TRACE("CampaignMode::startBattle");
    if (m_bGameOver || m_nSelectedCity < 0 || m_nSelectedCity >= CITY_COUNT)
        return;
    const int nStars = m_campaign.getCityStars(m_nSelectedCity);
    RIR_ASSERT(nStars >= 0 && nStars <= 5);
    DifficultyManager* pDM =
        new DifficultyManager(GT_CAMPAIGN, BATTLE_SECONDS, m_nDifficulty, getBattleLevel(nStars));
    getApp()->pushMode(getDBDApp()->createLevel(pDM, 0));
}

RIR::String CampaignMode::getOrdersText() const
{
    return m_pOrdersLabel ? m_pOrdersLabel->getText() : RIR::String();
}

RIR::String CampaignMode::getMoneyText(int nSide) const
{
    return m_pMoneyLabel[nSide] ? m_pMoneyLabel[nSide]->getText() : RIR::String();
}

RIR::String CampaignMode::getStarsText(int nSide) const
{
    return m_pStarsLabel[nSide] ? m_pStarsLabel[nSide]->getText() : RIR::String();
}
