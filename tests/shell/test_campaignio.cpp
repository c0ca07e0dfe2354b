// Campaign storage: the 82-token value and its round trip, the reader's repairs with their log
// lines, a value with the wrong number of tokens (an error for the reader, a refusal for the
// list, and still deletable), and the slot helpers.
#include "shellfixture.h"

#include "shell/campaign.h"
#include "shell/campaignio.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <random>

namespace
{

class CampaignStoreTest : public ShellStoreTest
{
protected:
    CampaignStoreTest() { set("PlayerUID", "CUR"); }
};

// The stored value of a new campaign against opponent 2 (M = 1500), with town values replaced:
// towns[c] = {player stars, player money, computer stars, computer money}.
std::string value(const char* pszTurn, const char* pszOpponent,
                  const std::map<int, std::vector<std::string>>& towns)
{
    std::map<int, std::vector<std::string>> all = {
        {0, {"3", "6000", "0", "0"}},  {1, {"1", "1500", "0", "0"}},  {5, {"1", "1500", "0", "0"}},
        {14, {"0", "0", "1", "1500"}}, {18, {"0", "0", "1", "1500"}}, {19, {"0", "0", "3", "6000"}},
    };
    for (const auto& town : towns)
        all[town.first] = town.second;
    std::string s = std::string(pszTurn) + " " + pszOpponent + " ";
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        const std::vector<std::string> fields =
            all.count(i) ? all[i] : std::vector<std::string>{"0", "0", "0", "0"};
        for (const std::string& f : fields)
            s += f + " ";
    }
    return s;
}

} // namespace

TEST_F(CampaignStoreTest, NewCampaignIsStoredAs82Tokens)
{
    Campaign campaign;
    campaign.startNewCampaign(2, 4);
    const std::string sStored = setting("CampaignData_4_CUR");
    EXPECT_EQ(value("1", "2", {}), sStored);
    EXPECT_EQ(' ', sStored.back()) << "every value is followed by a blank";
    EXPECT_EQ(82, RIR::String(sStored.c_str()).split(" ").getLength());
    EXPECT_EQ(sStored, savedFile().at("CampaignData_4_CUR")) << "the file is saved";
    EXPECT_STREQ("CampaignData_7_OTHER", campaignSlotKey(7, "OTHER").c_str());
}

TEST_F(CampaignStoreTest, RoundTripKeepsEveryValue)
{
    CampaignState cs;
    cs.nTurn = 17;
    cs.nOpponent = 4;
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        const int nSide = i % 3 == 0 ? PLAYER_HUMAN : PLAYER_COMPUTER;
        if (i % 4 == 3)
            continue; // empty towns too
        cs.nStars[i][nSide] = 1 + i % MAX_STAR;
        cs.nMoney[i][nSide] = 1000 * i + 7;
    }
    writeCampaign(&cs, 9, "OTHER");
    CampaignState back;
    ASSERT_TRUE(readCampaign(&back, 9, "OTHER"));
    EXPECT_EQ(formatCampaignValue(cs), formatCampaignValue(back));
    computeCampaignTotals(&cs);
    EXPECT_EQ(cs.nTotalMoney[0], back.nTotalMoney[0]);
    EXPECT_EQ(cs.nTotalStars[1], back.nTotalStars[1]);
    EXPECT_TRUE(gameLogLines().empty()) << "nothing to repair";
}

TEST_F(CampaignStoreTest, ReaderRepairsDamagedValues)
{
    typedef std::vector<std::string> Fields;
    struct Case
    {
        const char* pszName;
        std::string sValue;
        int nTurn, nOpponent;
        int nCity;       // the town to check
        Fields expected; // its player stars, money, computer stars, money after the read
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"turn 0",
         value("0", "2", {}),
         1,
         2,
         0,
         {"3", "6000", "0", "0"},
         {"W: CIO::rC Turn 0, fixing"}},
        {"negative turn",
         value("-4", "2", {}),
         1,
         2,
         0,
         {"3", "6000", "0", "0"},
         {"W: CIO::rC Turn -4, fixing"}},
        {"non-numeric turn",
         value("abc", "2", {}),
         1,
         2,
         0,
         {"3", "6000", "0", "0"},
         {"W: CIO::rC Turn 0, fixing"}},
        {"opponent above 4",
         value("3", "7", {}),
         3,
         4,
         0,
         {"3", "6000", "0", "0"},
         {"W: CIO::rC Opponent 7, fixing"}},
        {"negative opponent",
         value("3", "-2", {}),
         3,
         0,
         0,
         {"3", "6000", "0", "0"},
         {"W: CIO::rC Opponent -2, fixing"}},
        {"negative stars",
         value("2", "1", {{3, {"-1", "500", "0", "0"}}}),
         2,
         1,
         3,
         {"0", "0", "0", "0"},
         {"W: CIO::rC (3) Money 500, Stars -1 - fixing"}},
        {"negative money",
         value("2", "1", {{3, {"0", "0", "2", "-9"}}}),
         2,
         1,
         3,
         {"0", "0", "0", "0"},
         {"W: CIO::rC (3) Money -9, Stars 2 - fixing"}},
        {"stars without money",
         value("2", "1", {{3, {"2", "0", "0", "0"}}}),
         2,
         1,
         3,
         {"0", "0", "0", "0"},
         {"W: CIO::rC (3) Money 0, Stars 2 - fixing"}},
        {"more than five stars",
         value("2", "1", {{3, {"9", "900", "0", "0"}}}),
         2,
         1,
         3,
         {"5", "900", "0", "0"},
         {"W: CIO::rC (3) Stars 9, fixing"}},
        {"both hold: fewer stars go",
         value("2", "1", {{3, {"2", "3000", "3", "4000"}}}),
         2,
         1,
         3,
         {"0", "0", "3", "4000"},
         {"W: CIO::rC Stars (3) 2 3, fixing", "W: CIO::rC Money (3) 3000 4000, fixing"}},
        {"both hold: the keeper keeps its money",
         value("2", "1", {{3, {"3", "100", "2", "5000"}}}),
         2,
         1,
         3,
         {"3", "100", "0", "0"},
         {"W: CIO::rC Stars (3) 3 2, fixing", "W: CIO::rC Money (3) 100 5000, fixing"}},
        {"equal stars: both go",
         value("2", "1", {{3, {"3", "3000", "3", "4000"}}}),
         2,
         1,
         3,
         {"0", "0", "0", "4000"},
         {"W: CIO::rC Stars (3) 3 3, fixing", "W: CIO::rC Money (3) 3000 4000, fixing"}},
        {"money on both sides of an empty town",
         value("2", "1", {{3, {"0", "700", "0", "700"}}}),
         2,
         1,
         3,
         {"0", "0", "0", "0"},
         {"W: CIO::rC Money (3) 700 700, fixing"}},
        {"blank runs", "  " + value("2", "1", {}) + "   ", 2, 1, 19, {"0", "0", "3", "6000"}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        closeLog();
        std::remove(m_folder.at("test.log").c_str());
        openLog(m_folder.at("test.log").c_str());
        set("CampaignData_0_CUR", c.sValue.c_str());

        CampaignState cs;
        ASSERT_TRUE(readCampaign(&cs, 0));
        EXPECT_EQ(c.nTurn, cs.nTurn);
        EXPECT_EQ(c.nOpponent, cs.nOpponent);
        const Fields got = {
            std::to_string(cs.nStars[c.nCity][0]), std::to_string(cs.nMoney[c.nCity][0]),
            std::to_string(cs.nStars[c.nCity][1]), std::to_string(cs.nMoney[c.nCity][1])};
        EXPECT_EQ(c.expected, got);
        EXPECT_EQ(c.log, gameLogLines());
        // Rewritten in normal form, and saved.
        EXPECT_EQ(formatCampaignValue(cs).c_str(), setting("CampaignData_0_CUR"));
        EXPECT_EQ(setting("CampaignData_0_CUR"), savedFile().at("CampaignData_0_CUR"));
    }
}

TEST_F(CampaignStoreTest, WrongTokenCountIsReportedAndTheSlotStaysDeletable)
{
    const std::string sShort = value("1", "0", {}).substr(0, 10); // "1 0 3 6000"
    const std::string sLong = value("1", "0", {}) + "5 ";
    struct Case
    {
        std::string sValue;
        int nTokens;
    };
    const Case cases[] = {{sShort, 4}, {sLong, 83}, {"x", 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sValue);
        set("CampaignData_2_CUR", c.sValue.c_str());
        CampaignState cs;
        EXPECT_EQ("Invalid token count " + std::to_string(c.nTokens) + "\n",
                  messageOf<RIR::FatalErrorException>([&] { readCampaign(&cs, 2); }));
        EXPECT_EQ(c.sValue, setting("CampaignData_2_CUR")) << "left as it was";

        // The slot list shows it without failing, and it can go.
        EXPECT_FALSE(peekCampaign(&cs, 2));
        EXPECT_EQ("W: CIO::rC Invalid token count " + std::to_string(c.nTokens),
                  gameLogLines().back());
        EXPECT_TRUE(isCampaignSlotUsed(2));
        EXPECT_EQ(1, countCampaignSlots());
        deleteCampaignSlot(2);
        EXPECT_FALSE(isCampaignSlotUsed(2));
        EXPECT_EQ(0, countCampaignSlots());
    }
}

TEST_F(CampaignStoreTest, PeekRepairsSilentlyAndWritesNothing)
{
    const std::string sDamaged = value("0", "1", {{3, {"2", "3000", "3", "4000"}}});
    set("CampaignData_1_CUR", sDamaged.c_str());
    CampaignState cs;
    ASSERT_TRUE(peekCampaign(&cs, 1));
    EXPECT_EQ(1, cs.nTurn);
    EXPECT_EQ(0, cs.nStars[3][0]);
    EXPECT_EQ(5 + 3, cs.nTotalStars[1]);
    EXPECT_EQ(sDamaged, setting("CampaignData_1_CUR"));
    EXPECT_TRUE(savedFile().empty());
    EXPECT_TRUE(gameLogLines().empty());

    EXPECT_FALSE(peekCampaign(&cs, 0)) << "a free slot";
    EXPECT_TRUE(gameLogLines().empty());
}

TEST_F(CampaignStoreTest, SlotHelpers)
{
    Campaign campaign;
    campaign.startNewCampaign(0, 3);
    campaign.startNewCampaign(1, 8);
    campaign.startNewCampaign(1, 0, "OTHER");
    EXPECT_EQ(2, countCampaignSlots());
    EXPECT_EQ(1, countCampaignSlots("OTHER"));
    EXPECT_TRUE(isCampaignSlotUsed(3));
    EXPECT_FALSE(isCampaignSlotUsed(4));

    const std::string sSaved = savedFile().at("CampaignData_3_CUR");
    deleteCampaignSlot(3);
    EXPECT_EQ("", setting("CampaignData_3_CUR"));
    EXPECT_EQ(sSaved, savedFile().at("CampaignData_3_CUR")) << "deleting does not save";
    EXPECT_EQ("Assertion failed : nSlot >= 0 && nSlot < CAMPAIGN_SLOTS",
              messageOf<RIR::AssertFailException>([] { deleteCampaignSlot(10); }));
}

TEST_F(CampaignStoreTest, RepairedValuesKeepTheRulesWhole)
{
    // Damaged values at random: whatever the reader lets through, every town has at most one
    // holder with money behind its stars, and every order on every town can be resolved and
    // carried out.
    std::mt19937 random(7);
    for (int nRound = 0; nRound < 200; ++nRound)
    {
        std::string s = std::to_string((int)(random() % 7) - 2) + " " +
                        std::to_string((int)(random() % 9) - 2) + " ";
        for (int i = 0; i < CITY_COUNT * 2; ++i)
            s += std::to_string((int)(random() % 9) - 2) + " " +
                 std::to_string((int)(random() % 3000) - 200) + " ";
        Campaign campaign;
        ASSERT_TRUE(parseCampaignValue(s.c_str(), &campaign.getState(), false, nullptr));
        const CampaignState& cs = campaign.getState();
        ASSERT_GE(cs.nTurn, 1);
        ASSERT_GE(cs.nOpponent, 0);
        ASSERT_LT(cs.nOpponent, OPPONENT_COUNT);
        for (int i = 0; i < CITY_COUNT; ++i)
        {
            ASSERT_FALSE(cs.nStars[i][0] > 0 && cs.nStars[i][1] > 0) << s;
            for (int nSide = 0; nSide < 2; ++nSide)
            {
                ASSERT_GE(cs.nStars[i][nSide], 0);
                ASSERT_LE(cs.nStars[i][nSide], MAX_STAR);
                if (cs.nStars[i][nSide] > 0)
                {
                    ASSERT_GT(cs.nMoney[i][nSide], 0) << s;
                }
            }
            ASSERT_GE(campaign.getCityCost(i), 1);
        }
        for (int i = 0; i < CITY_COUNT; ++i)
        {
            Campaign copy;
            copy.getState() = cs;
            RIR::String sText;
            copy.resolveTurn(5000, i, 5000, (i + 7) % CITY_COUNT, &sText);
            copy.applyOrder(PLAYER_HUMAN, 5000, i);
            copy.applyOrder(PLAYER_COMPUTER, 3, i);
        }
    }
}
