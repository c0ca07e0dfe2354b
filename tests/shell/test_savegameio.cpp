// Story save slots: how a stored value reads, read-all / change / write-all, the current player
// when no id is given, and the settings file saved by every change.
#include "shellfixture.h"

#include "shell/savegameio.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <array>

namespace
{

typedef std::array<int, 4> Fields; // level, time flag, difficulty, score

Fields slotOf(int nSlot, const char* pszUID = nullptr)
{
    Fields f;
    readSaveSlot(nSlot, &f[0], &f[1], &f[2], &f[3], pszUID);
    return f;
}

const Fields EMPTY = {-1, -1, -1, -1};

class SaveSlotTest : public ShellStoreTest
{
protected:
    SaveSlotTest() { set("PlayerUID", "CUR"); }
};

} // namespace

TEST_F(SaveSlotTest, StoredValuesRead)
{
    struct Case
    {
        const char* pszValue; // null: no key
        Fields fields;
    };
    const Case cases[] = {
        {"3 1 2 500 x", {3, 1, 2, 500}}, // extra words are ignored
        {"3 1 2", EMPTY},                // three words: empty
        {nullptr, EMPTY},
        {"", EMPTY},
        {"  4   0  1  20 ", {4, 0, 1, 20}},
        {"45 7 0 9999", {45, 7, 0, 9999}}, // finished story, any time flag means 600 s
        {"a 1 1 1", {0, 1, 1, 1}},         // a non-number reads as 0
        {"12x 0 2 3y", {12, 0, 2, 3}},
        {"-1 -1 -1 -1", EMPTY},
        {"46 0 1 10", EMPTY}, // no such level
        {"-7 0 1 10", EMPTY},
        {"5 0 3 10", {5, 0, 1, 10}}, // an unknown difficulty plays as the default
        {"5 0 -1 10", {5, 0, 1, 10}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszValue ? c.pszValue : "(missing)");
        if (c.pszValue)
        {
            set("Savegame_CUR_3", c.pszValue);
        }
        else
        {
            m_pApp->clearSettings();
            set("PlayerUID", "CUR");
        }
        EXPECT_EQ(c.fields, slotOf(3));
        EXPECT_EQ(c.fields[0] != -1, isSaveSlotUsed(3));
    }
}

TEST_F(SaveSlotTest, ChangesWriteAllTenSlotsAndSave)
{
    set("Savegame_CUR_2", "7 1 2 800 extra");
    createSaveSlot(5, 1, 2);
    EXPECT_EQ((Fields{0, 1, 2, 0}), slotOf(5));

    const std::map<std::string, std::string> saved = savedFile();
    for (int i = 0; i < SAVE_SLOTS; ++i)
    {
        const std::string sKey = "Savegame_CUR_" + std::to_string(i);
        const char* pszExpected = i == 5 ? "0 1 2 0" : i == 2 ? "7 1 2 800" : "-1 -1 -1 -1";
        ASSERT_TRUE(saved.count(sKey)) << sKey;
        EXPECT_EQ(pszExpected, saved.at(sKey)) << sKey;
    }

    updateSaveSlot(5, 1, 1200);
    EXPECT_EQ((Fields{1, 1, 2, 1200}), slotOf(5));
    EXPECT_EQ("1 1 2 1200", savedFile().at("Savegame_CUR_5"));
    EXPECT_EQ(2, countSaveSlots());

    clearSaveSlot(2);
    EXPECT_EQ(EMPTY, slotOf(2));
    EXPECT_EQ(1, countSaveSlots());
}

TEST_F(SaveSlotTest, AnIdSelectsAnotherPlayersSlots)
{
    createSaveSlot(0, 0, 1);
    createSaveSlot(0, 1, 2, "OTHER");
    updateSaveSlot(0, 9, 300, "OTHER");
    EXPECT_EQ((Fields{9, 1, 2, 300}), slotOf(0, "OTHER"));
    EXPECT_EQ((Fields{0, 0, 1, 0}), slotOf(0));

    clearSaveSlot(0, "OTHER");
    EXPECT_EQ(EMPTY, slotOf(0, "OTHER"));
    EXPECT_EQ((Fields{0, 0, 1, 0}), slotOf(0)) << "the current player's slot stays";
    EXPECT_EQ(1, countSaveSlots());
    EXPECT_EQ(0, countSaveSlots("OTHER"));
}

TEST_F(SaveSlotTest, SlotOutsideTheTenIsRefused)
{
    EXPECT_EQ("Assertion failed : nSlot >= 0 && nSlot < SAVE_SLOTS",
              messageOf<RIR::AssertFailException>([] { clearSaveSlot(10); }));
    EXPECT_EQ("Assertion failed : nSlot >= 0 && nSlot < SAVE_SLOTS",
              messageOf<RIR::AssertFailException>([] { isSaveSlotUsed(-1); }));
}
