// The campaign's screens on the headless application: the slot list's captions (every leader,
// won and level form, free and damaged slots), the opponent page's browsing and start, a new
// campaign over a used slot, a town chosen through the mask pictures, a battle played by the
// stand-in level and its turn, a campaign that ends, and the map's frame in low-resources mode.
#include "campaigntexts.h"
#include "shell/kit/fakelevel.h"
#include "shell/kit/shellapp.h"

#include "shell/campaigndlg.h"
#include "shell/campaignio.h"
#include "shell/campaignmap.h"
#include "shell/campaignmode.h"
#include "shell/opponentdlg.h"
#include "shell/turnresults.h"

#include "level/gameresults.h"
#include "level/gametype.h"

#include "gfx/sprite.h"
#include "testkit/testpng.h"
#include "ui/button.h"
#include "ui/dlgmessage.h"
#include "ui/dlgyesno.h"
#include "ui/label.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace
{

const int MASK_RADIUS = 20;

class CampaignScreenTest : public ::testing::Test
{
protected:
    CampaignScreenTest()
    {
        std::istringstream texts(campaignTexts());
        std::string sLine;
        while (std::getline(texts, sLine))
        {
            const size_t nBlank = sLine.find(' ');
            if (nBlank != std::string::npos)
                m_fx.addText(sLine.substr(0, nBlank), sLine.substr(nBlank + 1));
        }
        const char* const aTexts[][2] = {
            {"EmptyCampaign", "Empty"},
            {"CampaignDamaged", "Damaged"},
            {"CampaignComputerWins", "CW(%d,%s,%d,%d)"},
            {"CampaignComputerWon", "CX(%d,%s,%d,%d)"},
            {"CampaignHumanWins", "HW(%d,%d,%d)"},
            {"CampaignHumanWon", "HX(%d,%d,%d)"},
            {"CampaignTie", "TIE(%d,%d,%d)"},
            {"ConfirmOverwriteCampaign", "Overwrite?"},
            {"ConfirmDeleteCampaign", "Delete?"},
            {"SelectOpponent", "Pick"},
            {"DiffEasy", "Easy"},
            {"DiffMedium", "Medium"},
            {"DiffHard", "Hard"},
            {"CampaignNoOrders", "NoOrders"},
            {"CampaignInvalidCity", "Invalid"},
            {"CampaignCityFull", "Full(%s)"},
            {"CampaignGameOver", "Over"},
            {"CampaignTurnResults", "Results"},
            {"PrelevelTitlecampaign", "About"},
            {"prelevelcampaign", "How it goes"},
            {"Hist_Win", "Won it"},
            {"Hist_Lose", "Lost it"}};
        for (const auto& text : aTexts)
            m_fx.addText(text[0], text[1]);
        for (int i = 0; i < 5; ++i)
        {
            m_fx.addText("AIOpp" + std::to_string(i) + "Name", "Name" + std::to_string(i));
            m_fx.addText("AIOpp" + std::to_string(i) + "Desc", "Desc" + std::to_string(i));
            m_fx.addPicture("ai_opp" + std::to_string(i), 40, 50, 0x806040FF);
        }
        for (const char* pszName : {"ui_tabla", "text_c_campaign", "separator", "shortsep"})
            m_fx.addPicture(pszName, 120, 20, 0x806040FF);
        m_fx.addPicture("map_0_tile", 300, 440, 0xC0A070FF);
        m_fx.addPicture("map_1", 800, 440, 0x00000000);
        m_fx.addPicture("menu_campaign", 800, 160, 0x604020FF);
        m_fx.addPicture("borde_v", 12, 50, 0x402010FF);
        m_fx.addPicture("borde_h", 50, 12, 0x402010FF);
        m_fx.addPicture("borde_e", 24, 24, 0x201008FF);
        for (int n = 1; n <= 5; ++n)
            m_fx.addPicture("map_star_" + std::to_string(n), 16, 16, 0xFFD000FF);
        for (int i = 0; i < CITY_COUNT; ++i)
        {
            addMask("map_p_" + std::to_string(i), getCityMarker(i), 0x2040C0FF);
            addMask("map_c_" + std::to_string(i), getCityMarker(i), 0xC02020FF);
        }
        std::string sTheme;
        for (const char* pszState : {"normal", "pushed", "highlight", "disabled"})
        {
            m_fx.addPicture(std::string("bg_") + pszState, 60, 20, 0x402010FF);
            sTheme += std::string("buttonimage ") + pszState + " bg_" + pszState + "\n";
        }
        // The dialogs' frame: 8-pixel parts around a plain back.
        for (const char* pszPart : {"ul", "ur", "ll", "lr", "top", "bottom", "left", "right", "back"})
        {
            m_fx.addPicture(std::string("fr_") + pszPart, 8, 8, 0x603010FF);
            sTheme += std::string("frame ") + pszPart + " fr_" + pszPart + "\n";
        }
        m_fx.addFile("dolly.theme", sTheme);
    }

    // A picture from (0, 0) to just past the town, opaque only within MASK_RADIUS of its marker
    // (a square, so that its corners are inside the picture and transparent).
    void addMask(const std::string& sName, const Point& marker, uint32_t nRGBA)
    {
        const int nCX = (int)marker.x;
        const int nCY = (int)marker.y;
        const int nWidth = nCX + MASK_RADIUS + 10;
        const int nHeight = nCY + MASK_RADIUS + 10;
        std::vector<uint8_t> abPixels((size_t)nWidth * nHeight * 4, 0);
        for (int y = nCY - MASK_RADIUS; y <= nCY + MASK_RADIUS; ++y)
            for (int x = nCX - MASK_RADIUS; x <= nCX + MASK_RADIUS; ++x)
            {
                if ((x - nCX) * (x - nCX) + (y - nCY) * (y - nCY) > MASK_RADIUS * MASK_RADIUS)
                    continue;
                uint8_t* p = &abPixels[((size_t)y * nWidth + x) * 4];
                p[0] = (uint8_t)(nRGBA >> 24);
                p[1] = (uint8_t)(nRGBA >> 16);
                p[2] = (uint8_t)(nRGBA >> 8);
                p[3] = (uint8_t)nRGBA;
            }
        const std::vector<uint8_t> abPng = encodeTestPng(nWidth, nHeight, 4, abPixels.data());
        m_fx.addFile(sName + ".png", std::string(abPng.begin(), abPng.end()));
    }

    // The application without first modes; the screens under test are pushed on it.
    ShellApp* start()
    {
        m_pApp = m_fx.start(FirstModes{nullptr, nullptr, nullptr});
        m_pApp->setSetting("PlayerUID", "U1");
        m_pApp->setLevelFactory(&m_levels);
        return m_pApp;
    }

    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            m_pApp->updateModes(0.02f);
    }

    template <class T> T* top() { return dynamic_cast<T*>(m_pApp->getTopMode()); }

    // The map of a stored campaign (slot 0), with its one-time explanation already seen.
    CampaignMode* openMap(const CampaignState& cs)
    {
        writeCampaign(&cs, 0);
        m_pApp->setSetting("FirstTimeCampaign", "FALSE");
        CampaignMode* pMap = new CampaignMode(0, -1);
        m_pApp->pushMode(pMap);
        frames(1);
        return pMap;
    }

    // A state with the turn and opponent, each town given as (town, side, stars, money).
    static CampaignState state(int nTurn, int nOpponent,
                               std::initializer_list<std::vector<int>> towns)
    {
        CampaignState cs;
        cs.nTurn = nTurn;
        cs.nOpponent = nOpponent;
        for (const std::vector<int>& t : towns)
        {
            cs.nStars[t[0]][t[1]] = t[2];
            cs.nMoney[t[0]][t[1]] = t[3];
        }
        computeCampaignTotals(&cs);
        return cs;
    }

    // The state of a new campaign against the opponent (start money 1500 below difficulty 2).
    static CampaignState newCampaign(int nOpponent)
    {
        const int M = getOpponentDifficulty(nOpponent) == 2 ? 2500 : 1500;
        return state(1, nOpponent,
                     {{0, 0, 3, 4 * M}, {1, 0, 1, M}, {5, 0, 1, M}, {19, 1, 3, 4 * M},
                      {18, 1, 1, M}, {14, 1, 1, M}});
    }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    FakeLevelFactory m_levels;
};

} // namespace

TEST_F(CampaignScreenTest, SlotListCaptionsShowLeaderWinnerLevelFreeAndDamaged)
{
    start();
    const struct
    {
        CampaignState cs;
        const char* pszCaption;
    } aSlots[] = {
        {state(7, 3, {{0, 0, 2, 900}, {19, 1, 5, 9000}}), "CW(7,Colonel,5,2)"},
        {state(4, 1, {{0, 0, 4, 900}, {19, 1, 1, 9000}}), "HW(4,4,1)"},
        {state(9, 2, {{0, 0, 3, 900}, {19, 1, 3, 900}}), "TIE(9,3,3)"},
        {state(12, 0, {{0, 0, 5, 900}, {3, 0, 2, 900}}), "HX(12,7,0)"},
        {state(15, 4, {{19, 1, 4, 900}}), "CX(15,Widow,4,0)"},
        {state(20, 4, {}), "TIE(20,0,0)"}};
    int nSlot = 0;
    for (const auto& slot : aSlots)
        writeCampaign(&slot.cs, nSlot++);
    // Slot 6 stays free; slot 7 holds a value the reader cannot take.
    m_pApp->setSetting(campaignSlotKey(7).c_str(), "1 2 3");
    m_pApp->setSetting("CampaignLast", "42"); // damaged: the first slot is selected

    CampaignDlg* pList = new CampaignDlg();
    m_pApp->pushMode(pList);
    frames(1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(aSlots[i].pszCaption, pList->getSlotCaption(i)) << i;
    EXPECT_EQ("Empty", pList->getSlotCaption(6));
    EXPECT_EQ("Damaged", pList->getSlotCaption(7));
    EXPECT_EQ(0, pList->getSelectedSlot());
    EXPECT_TRUE(pList->getLoadButton()->isEnabled());

    // The damaged slot cannot be loaded but can be deleted; listing it wrote nothing.
    pList->onCallback(CampaignDlg::ID_FIRST_SLOT + 7, 0);
    EXPECT_EQ("7", m_pApp->getSetting("CampaignLast"));
    EXPECT_EQ(7, pList->getSelectedSlot());
    EXPECT_FALSE(pList->getLoadButton()->isEnabled());
    EXPECT_TRUE(pList->getDeleteButton()->isEnabled());
    EXPECT_EQ("1 2 3", m_pApp->getSetting(campaignSlotKey(7).c_str()));
    pList->onCallback(CampaignDlg::ID_DELETE, 0);
    DlgYesNo* pAsk = top<DlgYesNo>();
    ASSERT_NE(nullptr, pAsk);
    pAsk->onCallback(DLG_YES, 0);
    frames(1);
    EXPECT_EQ(pList, m_pApp->getTopMode());
    EXPECT_FALSE(isCampaignSlotUsed(7));
    EXPECT_EQ("Empty", pList->getSlotCaption(7));
    EXPECT_FALSE(pList->getDeleteButton()->isEnabled());

    // A free slot goes straight to the opponent page.
    pList->onCallback(CampaignDlg::ID_FIRST_SLOT + 6, 0);
    EXPECT_FALSE(pList->getLoadButton()->isEnabled());
    pList->onCallback(CampaignDlg::ID_NEW, 0);
    OpponentDlg* pPage = top<OpponentDlg>();
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ(6, pPage->getSlot());
}

TEST_F(CampaignScreenTest, OpponentPageWrapsBothWaysAndStartsANewCampaignOverAUsedSlot)
{
    start();
    const CampaignState old = newCampaign(2);
    writeCampaign(&old, 3);
    m_pApp->setSetting("CampaignLast", "3");
    CampaignDlg* pList = new CampaignDlg();
    m_pApp->pushMode(pList);
    frames(1);
    pList->onCallback(CampaignDlg::ID_NEW, 0);
    DlgYesNo* pAsk = top<DlgYesNo>();
    ASSERT_NE(nullptr, pAsk) << "a used slot is overwritten only after a yes";
    pAsk->onCallback(DLG_YES, 0);
    frames(1);
    OpponentDlg* pPage = top<OpponentDlg>();
    ASSERT_NE(nullptr, pPage);
    EXPECT_EQ(0, pPage->getOpponent());
    EXPECT_EQ("Name0", pPage->getNameLabel()->getText());
    EXPECT_EQ("Easy", pPage->getDifficultyLabel()->getText());

    const struct
    {
        int nButton;
        int nOpponent;
        const char* pszDifficulty;
    } aSteps[] = {{OpponentDlg::ID_PREVIOUS, 4, "Hard"},   {OpponentDlg::ID_NEXT, 0, "Easy"},
                  {OpponentDlg::ID_NEXT, 1, "Medium"},     {OpponentDlg::ID_NEXT, 2, "Medium"},
                  {OpponentDlg::ID_NEXT, 3, "Hard"},       {OpponentDlg::ID_NEXT, 4, "Hard"},
                  {OpponentDlg::ID_NEXT, 0, "Easy"},       {OpponentDlg::ID_PREVIOUS, 4, "Hard"},
                  {OpponentDlg::ID_PREVIOUS, 3, "Hard"}};
    for (const auto& step : aSteps)
    {
        pPage->onCallback(step.nButton, 0);
        EXPECT_EQ(step.nOpponent, pPage->getOpponent());
        EXPECT_EQ("Name" + std::to_string(step.nOpponent), pPage->getNameLabel()->getText().c_str());
        EXPECT_EQ("Desc" + std::to_string(step.nOpponent), pPage->getDescLabel()->getText().c_str());
        EXPECT_EQ(step.pszDifficulty, pPage->getDifficultyLabel()->getText());
        EXPECT_EQ("ai_opp" + std::to_string(step.nOpponent),
                  pPage->getPortrait()->getImage()->getName().c_str());
    }

    // Start: a new campaign against opponent 3 (hard: start money 2500) in slot 3, with the
    // one-time explanation over the map.
    pPage->onCallback(OpponentDlg::ID_START, 0);
    frames(1);
    DlgMessage* pExplain = top<DlgMessage>();
    ASSERT_NE(nullptr, pExplain);
    EXPECT_EQ("About\n\nHow it goes", pExplain->getText());
    EXPECT_EQ("FALSE", m_pApp->getSetting("FirstTimeCampaign"));
    pExplain->onCallback(DLG_OK, 0);
    frames(1);
    CampaignMode* pMap = top<CampaignMode>();
    ASSERT_NE(nullptr, pMap);
    EXPECT_EQ(3, pMap->getSlot());
    EXPECT_EQ(2, pMap->getDifficulty());
    EXPECT_EQ(3, pMap->getState().nOpponent);
    EXPECT_EQ(1, pMap->getState().nTurn);
    EXPECT_EQ(10000, pMap->getState().nMoney[0][PLAYER_HUMAN]);
    EXPECT_EQ(0, m_pApp->getSetting(campaignSlotKey(3).c_str()).find("1 3 3 10000 "));
    EXPECT_EQ("$15000", pMap->getMoneyText(PLAYER_HUMAN));
    EXPECT_EQ("5", pMap->getStarsText(PLAYER_COMPUTER));
    EXPECT_EQ("NoOrders", pMap->getOrdersText());
    EXPECT_FALSE(pMap->getPlayButton()->isEnabled());

    // Leaving the map uncovers the list, which shows the new campaign.
    pMap->onCallback(CampaignMode::ID_EXIT, 0);
    frames(1);
    EXPECT_EQ(pList, m_pApp->getTopMode());
    EXPECT_EQ("TIE(1,5,5)", pList->getSlotCaption(3));
}

TEST_F(CampaignScreenTest, TownsAreHitThroughTheirMasksAndGiveTheirOrders)
{
    start();
    CampaignState cs = newCampaign(1);
    cs.nStars[1][PLAYER_HUMAN] = 5; // town 1 is full
    CampaignMode* pMap = openMap(cs);

    const struct
    {
        int nX, nY;
        int nCity;
        const char* pszOrders;
        bool bPlay;
    } aClicks[] = {
        {186, 214, 6, "New C6 stars 0 cost 1500", true},          // an empty neighbour
        {135 + 14, 51 + 14, 0, "Grow C0 stars 3 cost 1500", true}, // inside the round mask
        {224, 86, 1, "Full(C1)", false},
        {767, 431, 19, "Invalid", false}, // the computer's, out of reach
        {740, 320, 14, "Invalid", false},
        {481, 218, 8, "Invalid", false}};
    for (const auto& click : aClicks)
    {
        m_pApp->dispatchMouseDown(1, click.nX, click.nY);
        m_pApp->dispatchMouseUp(1, click.nX, click.nY);
        EXPECT_EQ(click.nCity, pMap->getSelectedCity()) << click.nX << "," << click.nY;
        EXPECT_EQ(click.pszOrders, pMap->getOrdersText()) << click.nCity;
        EXPECT_EQ(click.bPlay, pMap->getPlayButton()->isEnabled()) << click.nCity;
    }
    // The corner of a town's picture is see-through, as is the land between the towns: such a
    // click changes nothing.
    pMap->selectCity(6, COK_FOUND);
    for (const Point& miss : {Point(135 + 18, 51 + 18), Point(300, 150), Point(5, 5)})
    {
        EXPECT_EQ(-1, pMap->cityAt((int)miss.x, (int)miss.y));
        m_pApp->dispatchMouseDown(1, (int)miss.x, (int)miss.y);
        m_pApp->dispatchMouseUp(1, (int)miss.x, (int)miss.y);
        EXPECT_EQ(6, pMap->getSelectedCity());
    }
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        const Point marker = getCityMarker(i);
        EXPECT_EQ(i, pMap->cityAt((int)marker.x, (int)marker.y)) << i;
    }
}

TEST_F(CampaignScreenTest, BattleResultResolvesTheTurnAndStoresIt)
{
    start();
    CampaignMode* pMap = openMap(newCampaign(1));
    pMap->getCampaign().getRandom().seed(7);
    m_pApp->dispatchMouseDown(1, 186, 214); // town 6, empty: founding costs 1500
    ASSERT_EQ(6, pMap->getSelectedCity());

    GameResults day;
    day.nGameType = GT_CAMPAIGN;
    day.nCash = 3100;
    day.bAborted = true; // a day left early counts with its cash
    m_levels.queueResult(day);
    pMap->onCallback(CampaignMode::ID_PLAY, 0);
    ASSERT_EQ(1u, m_levels.started().size());
    EXPECT_EQ(GT_CAMPAIGN, m_levels.started()[0].nGameType);
    EXPECT_EQ(90, m_levels.started()[0].nLevelLength);
    EXPECT_EQ(1, m_levels.started()[0].nDifficulty);
    EXPECT_EQ(0, m_levels.started()[0].nLevel);
    frames(3);

    TurnResults* pResults = top<TurnResults>();
    ASSERT_NE(nullptr, pResults);
    // Opponent 1 grows its cheapest town (14, 1125 a star) with at least 1500: it succeeds.
    const std::string sText = pResults->getText().c_str();
    const std::string sPlayer = "OpenSuccess(C6,0)\n\n";
    const std::string sComputer = "OppGrowSuccess(Penny,C14,";
    ASSERT_EQ(sPlayer + sComputer, sText.substr(0, sPlayer.size() + sComputer.size())) << sText;
    const int nComputerStars = std::stoi(sText.substr(sPlayer.size() + sComputer.size()));

    const CampaignState& cs = pMap->getState();
    EXPECT_EQ(2, cs.nTurn);
    EXPECT_EQ(2, cs.nStars[6][PLAYER_HUMAN]); // 3100 / 1500
    EXPECT_EQ(3100, cs.nMoney[6][PLAYER_HUMAN]);
    EXPECT_EQ(nComputerStars, cs.nStars[14][PLAYER_COMPUTER]);
    EXPECT_GE(nComputerStars, 2);
    EXPECT_GT(cs.nMoney[14][PLAYER_COMPUTER], 1500 + 1125);
    CampaignState stored;
    ASSERT_TRUE(peekCampaign(&stored, 0));
    EXPECT_EQ(2, stored.nTurn);
    EXPECT_EQ(2, stored.nStars[6][PLAYER_HUMAN]);
    EXPECT_EQ(nComputerStars, stored.nStars[14][PLAYER_COMPUTER]);
    EXPECT_FALSE(m_pApp->hasLastResults());

    // OK uncovers the map with the new saloon and no order.
    pResults->onCallback(TurnResults::ID_OK, 0);
    frames(1);
    EXPECT_EQ(pMap, m_pApp->getTopMode());
    EXPECT_TRUE(pMap->getStarSprite(6));
    EXPECT_TRUE(pMap->getCitySprite(6));
    EXPECT_EQ(-1, pMap->getSelectedCity());
    EXPECT_EQ("7", pMap->getStarsText(PLAYER_HUMAN));
    EXPECT_EQ("$" + std::to_string(6000 + 1500 + 1500 + 3100), std::string(pMap->getMoneyText(0).c_str()));
    EXPECT_FALSE(pMap->isGameOver());
}

TEST_F(CampaignScreenTest, LastStarTakenEndsTheCampaign)
{
    start();
    // The computer's last saloon (19) costs 75 a star; opponent 1 defends it, the player attacks
    // it with more than any computer cash.
    CampaignMode* pMap = openMap(state(5, 1, {{18, 0, 1, 1500}, {14, 0, 1, 1500}, {19, 1, 1, 100}}));
    m_pApp->dispatchMouseDown(1, 767, 431);
    ASSERT_EQ(19, pMap->getSelectedCity());
    EXPECT_EQ("Attack C19 stars 1 cost 75", pMap->getOrdersText());
    GameResults day;
    day.nGameType = GT_CAMPAIGN;
    day.nCash = 90000;
    m_levels.queueResult(day);
    pMap->onCallback(CampaignMode::ID_PLAY, 0);
    EXPECT_EQ(11, m_levels.started().at(0).nLevel);                  // one star in the town
    frames(3);

    // The closing scene lies over the result dialog.
    DlgMessage* pScene = top<DlgMessage>();
    ASSERT_NE(nullptr, pScene);
    EXPECT_EQ("Over\n\nWon it", pScene->getText());
    pScene->onCallback(DLG_OK, 0);
    frames(1);
    TurnResults* pResults = top<TurnResults>();
    ASSERT_NE(nullptr, pResults);
    EXPECT_EQ("ClashAttack(Penny,C19) AttackWon(Penny)", pResults->getText());
    pResults->onCallback(TurnResults::ID_OK, 0);
    frames(1);

    ASSERT_EQ(pMap, m_pApp->getTopMode());
    EXPECT_TRUE(pMap->isGameOver());
    EXPECT_EQ("Over", pMap->getOrdersText());
    EXPECT_FALSE(pMap->getPlayButton()->isVisible());
    EXPECT_EQ(6, pMap->getState().nTurn);
    EXPECT_EQ(0, pMap->getState().nTotalStars[PLAYER_COMPUTER]);
    // The map is deaf now.
    m_pApp->dispatchMouseDown(1, 740, 320);
    EXPECT_EQ(-1, pMap->getSelectedCity());
}

TEST_F(CampaignScreenTest, LowResourcesModeDrawsNoFrame)
{
    start();
    CampaignMode* pMap = openMap(newCampaign(0));
    EXPECT_EQ(8, pMap->getFrameSpriteCount());
    pMap->endMode();
    frames(1);

    m_pApp->setLowResourcesMode(true);
    pMap = openMap(newCampaign(0));
    EXPECT_EQ(0, pMap->getFrameSpriteCount());
}
