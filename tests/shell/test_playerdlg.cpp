// The profile screen and the name entry on the headless application: players created in a free
// slot and over a used one (after its question), renamed (id and saves kept) and deleted (later
// slots move up, the player's story saves cleared by id, a deleted current player empties
// "PlayerUID"); the name entry's rules: ok only with text, Return and Escape, the characters a
// name may not hold, and the entry without cancel.
#include "shell/kit/screencontent.h"
#include "shell/kit/shellapp.h"

#include "shell/editnamedlg.h"
#include "shell/playerdlg.h"
#include "shell/playerio.h"
#include "shell/savegameio.h"

#include "app/icallbacktarget.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordinglog.h"
#include "ui/button.h"
#include "ui/dlgyesno.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const int KEY_RETURN = 13;
const int KEY_ESCAPE = 27;
const int KEY_KP_ENTER = 271;

struct CommandLog : public ICallbackTarget
{
    void onCallback(int nId, int nParam) override { lIds.push_back(nId + 100 * nParam); }
    std::vector<int> lIds;
};

class PlayerScreenTest : public ::testing::Test
{
protected:
    PlayerScreenTest()
    {
        addScreenContent(m_fx);
        m_pApp = m_fx.start(FirstModes{});
    }

    // Players A, B, C in slots 0..2 (ids "IDA", "IDB", "IDC"), A current, each with story saves.
    void makePlayers()
    {
        const char* const aNames[] = {"A", "B", "C"};
        PlayerList players;
        for (int i = 0; i < 3; ++i)
        {
            players.sName[i] = aNames[i];
            players.uid[i] = RIR::String("ID") + aNames[i];
            createSaveSlot(0, 0, 1, players.uid[i].c_str());
            createSaveSlot(4, 1, 2, players.uid[i].c_str());
        }
        players.defaultName[0] = true;
        savePlayerList(players);
        selectPlayer(0);
    }

    PlayerDlg* openScreen()
    {
        PlayerDlg* pDlg = new PlayerDlg(nullptr);
        m_pApp->pushMode(pDlg);
        m_pApp->updateModes(0.02f);
        return pDlg;
    }

    std::vector<std::string> slotTexts(PlayerDlg* pDlg) const
    {
        std::vector<std::string> l;
        for (int i = 0; i < PlayerDlg::SHOW_PLAYERS; ++i)
            l.push_back(pDlg->getSlotText(i).c_str());
        return l;
    }

    std::string setting(const char* pszKey) const { return m_pApp->getSetting(pszKey).c_str(); }

    // Answers the yes/no question on top with yes (the screen's id) or no.
    void answer(PlayerDlg* pDlg, bool bYes, int nYesId)
    {
        ASSERT_NE(nullptr, dynamic_cast<DlgYesNo*>(m_pApp->getTopMode()));
        m_pApp->getTopMode()->endMode();
        m_pApp->updateModes(0.02f);
        if (bYes)
            pDlg->onCallback(nYesId, 0);
    }

    void type(const std::string& sText)
    {
        for (char c : sText)
            if (!m_pApp->dispatchKeyDown((unsigned char)c, 0))
                m_pApp->dispatchChar((unsigned char)c);
    }

    EditNameDlg* topNameEntry() const { return dynamic_cast<EditNameDlg*>(m_pApp->getTopMode()); }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
};

} // namespace

TEST_F(PlayerScreenTest, ListsFiveSlotsWithTheCurrentPlayerChecked)
{
    makePlayers();
    selectPlayer(1);
    PlayerDlg* pDlg = openScreen();
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "(free)", "(free)"}), slotTexts(pDlg));
    EXPECT_EQ(1, pDlg->getSelectedSlot());
    EXPECT_TRUE(pDlg->getButton(PlayerDlg::ID_SELECT)->isEnabled());
    EXPECT_TRUE(pDlg->getButton(PlayerDlg::ID_DELETE)->isEnabled());
    EXPECT_TRUE(pDlg->getButton(PlayerDlg::ID_RENAME)->isEnabled());

    // A free slot: only "new".
    pDlg->onCallback(PlayerDlg::ID_FIRST_SLOT + 4, 0);
    EXPECT_EQ(4, pDlg->getSelectedSlot());
    EXPECT_FALSE(pDlg->getButton(PlayerDlg::ID_SELECT)->isEnabled());
    EXPECT_FALSE(pDlg->getButton(PlayerDlg::ID_DELETE)->isEnabled());
    EXPECT_FALSE(pDlg->getButton(PlayerDlg::ID_RENAME)->isEnabled());
    EXPECT_TRUE(pDlg->getButton(PlayerDlg::ID_NEW)->isEnabled());
}

TEST_F(PlayerScreenTest, CurrentPlayerBeyondTheShownSlotsLeavesTheFirstChecked)
{
    // A player in slot 7 (the store has ten slots, the screen shows five) must not leave the
    // screen without a checked slot, which it cannot work on.
    PlayerList players;
    players.sName[7] = "Far";
    players.uid[7] = "IDFAR";
    savePlayerList(players);
    selectPlayer(7);
    PlayerDlg* pDlg = openScreen();
    EXPECT_EQ(0, pDlg->getSelectedSlot());
    EXPECT_FALSE(pDlg->getButton(PlayerDlg::ID_SELECT)->isEnabled());
}

TEST_F(PlayerScreenTest, NewPlayerInAFreeSlotIsTypedSelectedAndClosesTheScreen)
{
    makePlayers();
    PlayerDlg* pDlg = openScreen();
    pDlg->onCallback(PlayerDlg::ID_FIRST_SLOT + 3, 0);
    pDlg->onCallback(PlayerDlg::ID_NEW, 0); // free slot: no question
    EditNameDlg* pEntry = topNameEntry();
    ASSERT_NE(nullptr, pEntry);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ("", std::string(pEntry->getEditText().c_str()));
    EXPECT_FALSE(pEntry->isOkEnabled());
    m_pApp->dispatchKeyDown(KEY_RETURN, 0); // nothing to confirm yet
    EXPECT_EQ(pEntry, m_pApp->getTopMode());

    type("Zed");
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(0, m_pApp->getModeCount()); // the entry and the screen ended

    PlayerList players;
    loadPlayerList(players);
    EXPECT_STREQ("Zed", players.sName[3].c_str());
    EXPECT_FALSE(players.defaultName[3]);
    EXPECT_EQ("Zed", setting("PlayerName"));
    EXPECT_EQ(players.uid[3].c_str(), setting("PlayerUID"));
    EXPECT_NE(0u, setting("PlayerUID").size());
}

TEST_F(PlayerScreenTest, NewPlayerOverAUsedSlotAsksFirstAndReplacesNameAndId)
{
    makePlayers();
    PlayerDlg* pDlg = openScreen();
    pDlg->onCallback(PlayerDlg::ID_FIRST_SLOT + 0, 0);

    // No keeps everything.
    pDlg->onCallback(PlayerDlg::ID_NEW, 0);
    answer(pDlg, false, PlayerDlg::ID_NEW_CONFIRMED);
    EXPECT_EQ(pDlg, m_pApp->getTopMode());
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C", "(free)", "(free)"}), slotTexts(pDlg));

    pDlg->onCallback(PlayerDlg::ID_NEW, 0);
    answer(pDlg, true, PlayerDlg::ID_NEW_CONFIRMED);
    ASSERT_NE(nullptr, topNameEntry());
    m_pApp->updateModes(0.02f);
    type("Newcomer");
    m_pApp->dispatchKeyDown(KEY_KP_ENTER, 0);
    m_pApp->updateModes(0.02f);

    PlayerList players;
    loadPlayerList(players);
    EXPECT_STREQ("Newcomer", players.sName[0].c_str());
    EXPECT_STRNE("IDA", players.uid[0].c_str());
    EXPECT_FALSE(players.defaultName[0]); // the automatic name's flag is gone
    EXPECT_EQ("Newcomer", setting("PlayerName"));
    // The old player's saves stay in the store under the old id.
    EXPECT_TRUE(isSaveSlotUsed(0, "IDA"));
}

TEST_F(PlayerScreenTest, RenameKeepsIdAndSavesAndTheCurrentNameUntilSelected)
{
    makePlayers();
    PlayerDlg* pDlg = openScreen();
    pDlg->onCallback(PlayerDlg::ID_RENAME, 0);
    EditNameDlg* pEntry = topNameEntry();
    ASSERT_NE(nullptr, pEntry);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ("A", std::string(pEntry->getEditText().c_str()));
    EXPECT_TRUE(pEntry->isOkEnabled());
    type("\bAnnie");
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pDlg, m_pApp->getTopMode()); // a rename does not close the screen

    PlayerList players;
    loadPlayerList(players);
    EXPECT_STREQ("Annie", players.sName[0].c_str());
    EXPECT_STREQ("IDA", players.uid[0].c_str());
    EXPECT_FALSE(players.defaultName[0]);
    EXPECT_TRUE(isSaveSlotUsed(4, "IDA"));
    EXPECT_EQ("Annie", slotTexts(pDlg)[0]);
    EXPECT_EQ("A", setting("PlayerName"));

    pDlg->onCallback(PlayerDlg::ID_SELECT, 0);
    EXPECT_EQ("Annie", setting("PlayerName"));
}

TEST_F(PlayerScreenTest, DeleteShiftsSlotsClearsSavesByIdAndEmptiesTheCurrentPlayer)
{
    makePlayers();
    PlayerDlg* pDlg = openScreen();

    // B, not the current player: C moves up into its slot; B's saves go, A stays current.
    pDlg->onCallback(PlayerDlg::ID_FIRST_SLOT + 1, 0);
    pDlg->onCallback(PlayerDlg::ID_DELETE, 0);
    answer(pDlg, false, PlayerDlg::ID_DELETE_CONFIRMED);
    EXPECT_EQ("B", slotTexts(pDlg)[1]);
    pDlg->onCallback(PlayerDlg::ID_DELETE, 0);
    answer(pDlg, true, PlayerDlg::ID_DELETE_CONFIRMED);
    EXPECT_EQ((std::vector<std::string>{"A", "C", "(free)", "(free)", "(free)"}), slotTexts(pDlg));
    EXPECT_EQ(1, pDlg->getSelectedSlot()); // the same radio button, now C
    EXPECT_FALSE(isSaveSlotUsed(0, "IDB"));
    EXPECT_FALSE(isSaveSlotUsed(4, "IDB"));
    EXPECT_TRUE(isSaveSlotUsed(0, "IDC"));
    EXPECT_TRUE(isSaveSlotUsed(0, "IDA"));
    EXPECT_EQ("IDA", setting("PlayerUID"));
    EXPECT_EQ(1, findPlayerByUID("IDC"));

    // A, the current player: "PlayerUID" empties, "PlayerName" stays.
    pDlg->onCallback(PlayerDlg::ID_FIRST_SLOT + 0, 0);
    pDlg->onCallback(PlayerDlg::ID_DELETE, 0);
    answer(pDlg, true, PlayerDlg::ID_DELETE_CONFIRMED);
    EXPECT_EQ((std::vector<std::string>{"C", "(free)", "(free)", "(free)", "(free)"}),
              slotTexts(pDlg));
    EXPECT_EQ("", setting("PlayerUID"));
    EXPECT_EQ("A", setting("PlayerName"));
    EXPECT_FALSE(isSaveSlotUsed(0, "IDA"));

    // Selecting the player that moved up works as usual.
    pDlg->onCallback(PlayerDlg::ID_SELECT, 0);
    EXPECT_EQ("IDC", setting("PlayerUID"));
    EXPECT_EQ("C", setting("PlayerName"));
}

TEST_F(PlayerScreenTest, NameEntryRefusesControlCharactersAndTheReplySeparators)
{
    CommandLog target;
    EditNameDlg* pEntry = new EditNameDlg("", &target, 42);
    m_pApp->pushMode(pEntry);
    m_pApp->updateModes(0.02f);
    struct Case
    {
        int nChar;
        bool bKept;
    };
    const Case aCases[] = {{'J', true}, {'_', false}, {'!', false}, {'#', false}, {'\n', false},
                           {'\t', false}, {0x1B, false}, {0x7F, false}, {'o', true},
                           {0xE9, true}, {' ', true}, {'-', true}};
    std::string sWant;
    for (const Case& c : aCases)
    {
        m_pApp->dispatchChar(c.nChar);
        if (c.bKept)
            sWant += RIR::String::fromCodepoint(c.nChar).c_str();
        EXPECT_EQ(sWant, std::string(pEntry->getEditText().c_str())) << "char " << c.nChar;
    }
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    EXPECT_EQ((std::vector<int>{42}), target.lIds);
    EXPECT_EQ(sWant, std::string(pEntry->getName().c_str()));
}

TEST_F(PlayerScreenTest, CancelAndEscapeEndWithoutReportingUnlessCancelIsRemoved)
{
    CommandLog target;
    EditNameDlg* pEntry = new EditNameDlg("Old", &target, 7);
    m_pApp->pushMode(pEntry);
    m_pApp->updateModes(0.02f);
    m_pApp->dispatchKeyDown(KEY_ESCAPE, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(0, m_pApp->getModeCount());
    EXPECT_TRUE(target.lIds.empty());

    EditNameDlg* pFixed = new EditNameDlg("Old", &target, 7);
    pFixed->disableCancel();
    m_pApp->pushMode(pFixed);
    m_pApp->updateModes(0.02f);
    m_pApp->dispatchKeyDown(KEY_ESCAPE, 0);
    pFixed->onCallback(EditNameDlg::ID_CANCEL, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pFixed, m_pApp->getTopMode());
    EXPECT_TRUE(target.lIds.empty());
    // Emptied, ok is disabled and Return does nothing.
    for (int i = 0; i < 3; ++i)
        m_pApp->dispatchKeyDown(8, 0);
    EXPECT_FALSE(pFixed->isOkEnabled());
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    EXPECT_EQ(pFixed, m_pApp->getTopMode());
    m_pApp->dispatchChar('N');
    EXPECT_TRUE(pFixed->isOkEnabled());
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    EXPECT_EQ((std::vector<int>{7}), target.lIds);
    EXPECT_EQ("N", std::string(pFixed->getName().c_str()));
}

TEST_F(PlayerScreenTest, EveryChangeOfTheNameAndTheOpeningPlayATypewriterKey)
{
    m_fx.stop();
    for (const char* pszName : {"typemachine01.ogg", "typemachine02.ogg", "typemachine03.ogg"})
        m_fx.addFile(pszName, "OggS");
    m_pApp = m_fx.start(FirstModes{});
    const RIR::SmartPtr<RecordingLog> pLog = ShellApp::lastPlatform()->getLog();
    auto typeKeys = [&]() { return pLog->filter("audio.playSample(typemachine0").getLength(); };
    CommandLog target;
    m_pApp->pushMode(new EditNameDlg("", &target, 1));
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(1, typeKeys());
    m_pApp->dispatchChar('a');
    EXPECT_EQ(2, typeKeys());
    m_pApp->dispatchKeyDown(8, 0);
    m_pApp->dispatchKeyDown(8, 0); // nothing left to delete: still a key
    EXPECT_EQ(4, typeKeys());
    m_pApp->dispatchChar('_'); // refused: no change, no key
    EXPECT_EQ(4, typeKeys());
}
