// Player profiles: the keys, deleting with the shift, the default-name flag, ids from an
// injected clock (unique even within one second), findPlayerByUID, selecting, and the first
// automatic player made from the login name.
#include "shellfixture.h"

#include "shell/playerio.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

namespace
{

struct Slot
{
    std::string sName;
    std::string sUID;
    bool bDefault;
};

class PlayerTest : public ShellStoreTest
{
protected:
    // Stores the slots from 0 up, the rest free.
    void storeSlots(const std::vector<Slot>& slots)
    {
        PlayerList list;
        for (size_t i = 0; i < slots.size(); ++i)
        {
            list.sName[i] = slots[i].sName.c_str();
            list.uid[i] = slots[i].sUID.c_str();
            list.defaultName[i] = slots[i].bDefault;
        }
        savePlayerList(list);
    }
    // The ten slots as stored.
    std::vector<Slot> slots() const
    {
        PlayerList list;
        loadPlayerList(list);
        std::vector<Slot> result;
        for (int i = 0; i < PLAYER_SLOTS; ++i)
            result.push_back({list.sName[i].c_str(), list.uid[i].c_str(), list.defaultName[i]});
        return result;
    }
};

bool operator==(const Slot& a, const Slot& b)
{
    return a.sName == b.sName && a.sUID == b.sUID && a.bDefault == b.bDefault;
}

std::ostream& operator<<(std::ostream& out, const Slot& s)
{
    return out << "{" << s.sName << "," << s.sUID << "," << s.bDefault << "}";
}

const Slot FREE = {"", "", false};

} // namespace

TEST_F(PlayerTest, SlotsLiveUnderTheirKeys)
{
    set("SavedPlayerName_3", "Anna");
    set("SavedPlayerUID_3", "00000001000000000");
    set("SavedPlayerNameDefault_3", "TRUE");
    set("SavedPlayerNameDefault_4", "true");
    const std::vector<Slot> stored = slots();
    EXPECT_EQ((Slot{"Anna", "00000001000000000", true}), stored[3]);
    EXPECT_FALSE(stored[4].bDefault) << "only exactly TRUE is true";
    EXPECT_EQ(FREE, stored[0]) << "missing keys read as a free slot";

    setDefaultPlayerName(3, false);
    EXPECT_EQ("FALSE", setting("SavedPlayerNameDefault_3"));
    EXPECT_EQ("", setting("SavedPlayerName_9")) << "all ten slots written";
    EXPECT_EQ("FALSE", setting("SavedPlayerNameDefault_9"));
    EXPECT_TRUE(savedFile().empty()) << "the settings file is not written";
}

TEST_F(PlayerTest, DeleteShiftsLaterSlotsUp)
{
    const Slot A = {"A", "AAAA", true};
    const Slot B = {"B", "BBBB", false};
    const Slot C = {"C", "CCCC", false};
    const Slot J = {"J", "JJJJ", true};
    struct Case
    {
        const char* pszName;
        std::vector<Slot> before;
        int nDelete;
        std::vector<Slot> after; // slots 0.. (the rest free)
    };
    const std::vector<Case> cases = {
        {"first of three", {A, B, C}, 0, {B, C}},
        {"middle", {A, B, C}, 1, {A, C}},
        {"last used", {A, B, C}, 2, {A, B}},
        {"a gap moves up too", {A, FREE, C}, 0, {FREE, C}},
        {"slot 9 only empties slot 9",
         {A, B, C, A, B, C, A, B, C, J},
         9,
         {A, B, C, A, B, C, A, B, C}},
        {"slot 0 of a full list", {J, B, C, A, B, C, A, B, C, A}, 0, {B, C, A, B, C, A, B, C, A}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        storeSlots(std::vector<Slot>(PLAYER_SLOTS, FREE));
        storeSlots(c.before);
        deletePlayer(c.nDelete);
        std::vector<Slot> expected = c.after;
        expected.resize(PLAYER_SLOTS, FREE);
        EXPECT_EQ(expected, slots());
    }
}

TEST_F(PlayerTest, DefaultFlagFollowsAddRenameAndSet)
{
    const int nSlot = addPlayer("Anna", -1);
    ASSERT_EQ(0, nSlot);
    EXPECT_FALSE(isDefaultPlayerName(0));
    setDefaultPlayerName(0, true);
    EXPECT_TRUE(isDefaultPlayerName(0));

    EXPECT_EQ(0, addPlayer("Bob", 0)) << "replacing a used slot";
    EXPECT_TRUE(isDefaultPlayerName(0)) << "addPlayer leaves the flag as it was";
    EXPECT_EQ("Bob", slots()[0].sName);

    const std::string sUID = slots()[0].sUID;
    renamePlayer(0, "Robert");
    EXPECT_FALSE(isDefaultPlayerName(0));
    EXPECT_EQ((Slot{"Robert", sUID, false}), slots()[0]) << "the id stays";
}

TEST_F(PlayerTest, IdsComeFromTheClockAndStayUnique)
{
    struct Case
    {
        int64_t nTime;
        const char* pszId;
    };
    const Case cases[] = {
        {0x12345678, "1234567800000000"},
        {0x1ABCDEF02LL, "ABCDEF0200000001"},
        {0, "0000000000000000"},
        {-1, "FFFFFFFFFFFFFFFF"},
    };
    for (const Case& c : cases)
    {
        s_nTime = c.nTime;
        EXPECT_EQ(c.pszId, std::string(makeTimeId().c_str()));
    }

    s_nTime = 0x50000000;
    EXPECT_EQ(0, addPlayer("A", -1));
    EXPECT_EQ(1, addPlayer("B", -1)) << "the same second";
    EXPECT_EQ(2, addPlayer("C", -1));
    EXPECT_EQ("5000000000000000", slots()[0].sUID);
    EXPECT_EQ("5000000100000000", slots()[1].sUID) << "counted up past the taken id";
    EXPECT_EQ("5000000200000000", slots()[2].sUID);

    EXPECT_EQ(0, addPlayer("D", 0)) << "a replaced player's id is not handed on";
    EXPECT_EQ("5000000300000000", slots()[0].sUID);

    s_nTime = 0x60000000;
    EXPECT_EQ(3, addPlayer("E", -1));
    EXPECT_EQ("6000000000000000", slots()[3].sUID) << "a new second needs no counting";
}

TEST_F(PlayerTest, AddIntoAFullListWritesNothing)
{
    std::vector<Slot> full;
    for (int i = 0; i < PLAYER_SLOTS; ++i)
        full.push_back({"P" + std::to_string(i), "ID" + std::to_string(i), i == 4});
    storeSlots(full);
    EXPECT_EQ(-1, addPlayer("Late", -1));
    EXPECT_EQ(full, slots());
}

TEST_F(PlayerTest, FindPlayerByUID)
{
    storeSlots({{"A", "X1", false}, FREE, {"C", "X2", false}, {"D", "X1", false}, FREE});
    struct Case
    {
        const char* pszUID;
        int nSlot;
    };
    const Case cases[] = {
        {"X1", 0},           // duplicates: the lower slot
        {"X2", 2},  {"", 1}, // the lowest free slot
        {"x1", -1},          // exact match only
        {"X", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nSlot, findPlayerByUID(c.pszUID)) << c.pszUID;

    storeSlots(std::vector<Slot>(PLAYER_SLOTS, {"P", "ID", false}));
    EXPECT_EQ(-1, findPlayerByUID("")) << "no free slot";
}

TEST_F(PlayerTest, SelectCopiesNameAndIdOfAUsedSlot)
{
    storeSlots({{"Anna", "A1", false}, FREE});
    selectPlayer(0);
    EXPECT_EQ("Anna", setting("PlayerName"));
    EXPECT_EQ("A1", setting("PlayerUID"));
    renamePlayer(0, "Annie");
    EXPECT_EQ("Anna", setting("PlayerName")) << "a copy, until selected again";

    EXPECT_EQ("Assertion failed : pData.sName[nIdx].getLength() > 0",
              messageOf<RIR::AssertFailException>([] { selectPlayer(1); }));
    EXPECT_EQ("Assertion failed : nIdx >= 0 && nIdx < PLAYER_SLOTS",
              messageOf<RIR::AssertFailException>([] { deletePlayer(10); }));
    EXPECT_EQ("A1", setting("PlayerUID"));
}

TEST_F(PlayerTest, LoginNameFilter)
{
    loadTexts("DefaultPlayerName Stranger\n");
    struct Case
    {
        const char* pszLogin;
        const char* pszName;
    };
    const Case cases[] = {
        {"Anna", "Anna"},         {"Administrator", "Stranger"},
        {"SUSUMU", "Stranger"},   {"theUser2", "Stranger"},
        {"", "Stranger"},         {"Usual", "Stranger"},
        {"Hank Doe", "Hank Doe"}, {"adm", "adm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszName, std::string(chooseDefaultPlayerName(c.pszLogin).c_str()))
            << c.pszLogin;
}

TEST_F(PlayerTest, FirstPlayerIsMadeOnceFromTheLoginName)
{
    loadTexts("DefaultPlayerName Stranger\n");
    EXPECT_EQ(0, ensureDefaultPlayer("Administrator"));
    EXPECT_EQ((Slot{"Stranger", "1234567800000000", true}), slots()[0]);
    EXPECT_EQ("Stranger", setting("PlayerName"));
    EXPECT_EQ("1234567800000000", setting("PlayerUID"));

    storeSlots({FREE, FREE, {"Cid", "C9", false}});
    EXPECT_EQ(2, ensureDefaultPlayer("Anna")) << "an existing player is selected";
    EXPECT_EQ("C9", setting("PlayerUID"));
    EXPECT_EQ(FREE, slots()[0]);
}
