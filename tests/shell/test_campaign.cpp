// Campaign rules: the map, a new campaign and its costs, order texts, resolving a turn (clash
// and split, every kind, equal cash), carrying orders out, and the computer opponent on a seeded
// generator.
#include "campaigntexts.h"
#include "shellfixture.h"

#include "shell/campaign.h"
#include "shell/campaignio.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <set>

namespace
{

class CampaignTest : public ShellStoreTest
{
protected:
    CampaignTest()
    {
        set("PlayerUID", "CUR");
        loadTexts(campaignTexts());
    }

    // A new campaign against the opponent, stored in slot 0.
    Campaign& start(int nOpponent)
    {
        m_campaign.startNewCampaign(nOpponent, 0);
        m_campaign.getRandom().seed(12345);
        return m_campaign;
    }
    // Gives a side stars and money in a town.
    void hold(int nCity, int nSide, int nStars, int nMoney)
    {
        CampaignState& cs = m_campaign.getState();
        cs.nStars[nCity][nSide] = nStars;
        cs.nMoney[nCity][nSide] = nMoney;
        computeCampaignTotals(&cs);
    }

    Campaign m_campaign;
};

std::set<int> asSet(const RIR::List<int>& l)
{
    std::set<int> s;
    for (int i = 0; i < l.getLength(); ++i)
        s.insert(l.get(i));
    return s;
}

} // namespace

TEST(CampaignMapTest, AdjacencyIsSymmetricAndConnected)
{
    int nPairs = 0;
    for (int a = 0; a < CITY_COUNT; ++a)
    {
        EXPECT_TRUE(areCitiesAdjacent(a, a)) << a;
        for (int b = 0; b < CITY_COUNT; ++b)
        {
            EXPECT_EQ(areCitiesAdjacent(a, b), areCitiesAdjacent(b, a)) << a << "-" << b;
            nPairs += a < b && areCitiesAdjacent(a, b) ? 1 : 0;
        }
    }
    EXPECT_EQ(43, nPairs) << "the neighbour pairs of the map";
    EXPECT_TRUE(areCitiesAdjacent(6, 11));
    EXPECT_FALSE(areCitiesAdjacent(0, 19));
    EXPECT_FALSE(areCitiesAdjacent(4, 5));
    EXPECT_FALSE(areCitiesAdjacent(-1, 0));
    EXPECT_FALSE(areCitiesAdjacent(19, 20));

    // Every town can be reached from town 0.
    std::set<int> reached = {0};
    for (bool bGrew = true; bGrew;)
    {
        bGrew = false;
        for (int a = 0; a < CITY_COUNT; ++a)
            for (int b = 0; b < CITY_COUNT; ++b)
                if (reached.count(a) && !reached.count(b) && areCitiesAdjacent(a, b))
                    bGrew = reached.insert(b).second;
    }
    EXPECT_EQ((size_t)CITY_COUNT, reached.size());
}

TEST(CampaignMapTest, OpponentsAndBattleLevels)
{
    const int aDifficulty[] = {0, 1, 1, 2, 2};
    for (int i = 0; i < OPPONENT_COUNT; ++i)
        EXPECT_EQ(aDifficulty[i], getOpponentDifficulty(i));
    EXPECT_EQ("Assertion failed : nOpponent >= 0 && nOpponent < OPPONENT_COUNT",
              messageOf<RIR::AssertFailException>([] { getOpponentDifficulty(5); }));
    const int aLevel[] = {0, 11, 23, 31, 37, 44};
    for (int n = 0; n <= MAX_STAR; ++n)
        EXPECT_EQ(aLevel[n], getBattleLevel(n));
    EXPECT_EQ(44, getBattleLevel(9));
    EXPECT_EQ(0, getBattleLevel(-1));
}

TEST_F(CampaignTest, NewCampaignHoldingsAndCosts)
{
    const int aStartMoney[] = {1500, 1500, 1500, 2500, 2500};
    for (int nOpponent = 0; nOpponent < OPPONENT_COUNT; ++nOpponent)
    {
        SCOPED_TRACE(nOpponent);
        // The campaign's difficulty comes from the opponent alone.
        Campaign& c = start(nOpponent);
        const int M = aStartMoney[nOpponent];
        EXPECT_EQ(M, c.getStartMoney());
        const CampaignState& cs = c.getState();
        EXPECT_EQ(1, cs.nTurn);
        EXPECT_EQ(nOpponent, cs.nOpponent);
        EXPECT_EQ(5, cs.nTotalStars[PLAYER_HUMAN]);
        EXPECT_EQ(5, cs.nTotalStars[PLAYER_COMPUTER]);
        EXPECT_EQ(6 * M, cs.nTotalMoney[PLAYER_HUMAN]);
        EXPECT_EQ(6 * M, cs.nTotalMoney[PLAYER_COMPUTER]);
        for (int nCity = 0; nCity < CITY_COUNT; ++nCity)
        {
            int nCost = M;
            if (nCity == 1 || nCity == 5 || nCity == 14 || nCity == 18)
                nCost = M * 3 / 4;
            EXPECT_EQ(nCost, c.getCityCost(nCity)) << "town " << nCity;
        }
        EXPECT_EQ((std::set<int>{0, 1, 5}), asSet(c.listOwnCities(PLAYER_HUMAN)));
        EXPECT_EQ((std::set<int>{14, 18, 19}), asSet(c.listOwnCities(PLAYER_COMPUTER)));
        EXPECT_EQ(14u, asSet(c.listEmptyCities()).size());
        EXPECT_EQ((std::set<int>{0, 1, 2, 5, 6, 10}), asSet(c.listActionCities(PLAYER_HUMAN)));
        EXPECT_EQ((std::set<int>{8, 9, 13, 14, 17, 18, 19}),
                  asSet(c.listActionCities(PLAYER_COMPUTER)));

        CampaignState stored;
        ASSERT_TRUE(peekCampaign(&stored, 0)) << "written at once";
        EXPECT_EQ(formatCampaignValue(cs), formatCampaignValue(stored));
    }
}

TEST_F(CampaignTest, CanActOnNeedsANeighbourAndRoom)
{
    start(0);
    hold(0, PLAYER_HUMAN, 5, 9000);
    EXPECT_FALSE(m_campaign.canActOn(PLAYER_HUMAN, 0)) << "five stars are the most";
    EXPECT_TRUE(m_campaign.canActOn(PLAYER_HUMAN, 6));
    EXPECT_FALSE(m_campaign.canActOn(PLAYER_HUMAN, 7));
    EXPECT_TRUE(m_campaign.canActOn(PLAYER_COMPUTER, 19));
    EXPECT_FALSE(m_campaign.canActOn(PLAYER_COMPUTER, 0));
}

TEST_F(CampaignTest, OrderTexts)
{
    start(3);
    EXPECT_STREQ("New C2 stars 0 cost 2500", m_campaign.describeOrder(PLAYER_HUMAN, 2).c_str());
    EXPECT_STREQ("Grow C1 stars 1 cost 1875", m_campaign.describeOrder(PLAYER_HUMAN, 1).c_str());
    EXPECT_STREQ("Attack C19 stars 3 cost 2500",
                 m_campaign.describeOrder(PLAYER_HUMAN, 19).c_str());
    EXPECT_STREQ("Attack C0 stars 3 cost 2500",
                 m_campaign.describeOrder(PLAYER_COMPUTER, 0).c_str());
}

TEST_F(CampaignTest, ResolveTurn)
{
    // Opponent 0: M = 1500. Costs: empty towns 1500, towns 0 and 19 1500, 1 and 18 1125.
    struct Case
    {
        int a, p, b, c;
        int nBits;
        const char* pszText;
    };
    const Case cases[] = {
        // Clashes over an empty town.
        {2000, 2, 1000, 2, 1, "ClashNew(Rattler,C2) NewWon(Rattler)"},
        {1000, 2, 1700, 2, 2, "ClashNew(Rattler,C2) NewLost(Rattler)"},
        {1500, 2, 1000, 2, 0, "ClashNew(Rattler,C2) NewFailed(Rattler)"}, // cash = cost fails
        {1600, 2, 1600, 2, 0, "ClashNew(Rattler,C2) NewFailed(Rattler)"}, // equal cash
        // The player's town.
        {1000, 1, 1000, 1, 0, "ClashDefend(Rattler,C1) DefendWon(Rattler)"}, // equal: defender
        {999, 1, 1000, 1, 2, "ClashDefend(Rattler,C1) DefendLost(Rattler)"},
        // The computer's town.
        {1000, 18, 1000, 18, 0, "ClashAttack(Rattler,C18) AttackLost(Rattler)"},
        {1001, 18, 1000, 18, 1, "ClashAttack(Rattler,C18) AttackWon(Rattler)"},
        // Different towns: each order against its own price.
        {3001, 0, 1400, 13, 1, "GrowSuccess(C0,5)\n\nOppOpenFailure(Rattler,C13,0)"},
        {1500, 0, 1500, 13, 0, "GrowFailure(C0,3)\n\nOppOpenFailure(Rattler,C13,0)"},
        {2300, 18, 1125, 1, 1, "AttackSuccess(C18,0)\n\nOppAttackFailure(Rattler,C1,0)"},
        {1600, 19, 1126, 1, 3, "AttackSuccess(C19,2)\n\nOppAttackSuccess(Rattler,C1,0)"},
        {3000, 2, 7600, 19, 3, "OpenSuccess(C2,0)\n\nOppGrowSuccess(Rattler,C19,5)"},
        {1500, 19, 1000, 18, 0, "AttackFailure(C19,0)\n\nOppGrowFailure(Rattler,C18,1)"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.a) + " " + std::to_string(c.p) + " " + std::to_string(c.b) +
                     " " + std::to_string(c.c));
        start(0);
        const std::string sBefore = formatCampaignValue(m_campaign.getState()).c_str();
        RIR::String sText;
        EXPECT_EQ(c.nBits, m_campaign.resolveTurn(c.a, c.p, c.b, c.c, &sText));
        EXPECT_STREQ(c.pszText, sText.c_str());
        EXPECT_EQ(sBefore, formatCampaignValue(m_campaign.getState()).c_str()) << "no change";
    }
}

TEST_F(CampaignTest, ApplyOrder)
{
    struct Case
    {
        const char* pszName;
        int nPlayer, nCash, nCity;
        int nStarsAfter[2], nMoneyAfter[2];
    };
    const Case cases[] = {
        {"grow", PLAYER_HUMAN, 3001, 0, {5, 0}, {9001, 0}},
        {"grow stops at five", PLAYER_HUMAN, 7500, 0, {5, 0}, {13500, 0}},
        {"found with twice the cost", PLAYER_HUMAN, 3000, 2, {2, 0}, {3000, 0}},
        {"found stops at five", PLAYER_COMPUTER, 90000, 8, {0, 5}, {0, 90000}},
        {"attack takes a star and the cash", PLAYER_HUMAN, 1600, 19, {0, 2}, {0, 4400}},
        {"attack takes the town", PLAYER_HUMAN, 6000, 19, {0, 0}, {0, 0}},
        {"last star lost", PLAYER_HUMAN, 1200, 18, {0, 0}, {0, 0}},
        {"computer attacks", PLAYER_COMPUTER, 1200, 1, {0, 0}, {0, 0}},
        {"computer grows", PLAYER_COMPUTER, 1126, 18, {0, 2}, {0, 2626}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        start(0);
        const int nAttackerStars = m_campaign.getState().nTotalStars[c.nPlayer];
        m_campaign.applyOrder(c.nPlayer, c.nCash, c.nCity);
        const CampaignState& cs = m_campaign.getState();
        for (int nSide = 0; nSide < 2; ++nSide)
        {
            EXPECT_EQ(c.nStarsAfter[nSide], cs.nStars[c.nCity][nSide]) << nSide;
            EXPECT_EQ(c.nMoneyAfter[nSide], cs.nMoney[c.nCity][nSide]) << nSide;
        }
        if (cs.nStars[c.nCity][c.nPlayer] == 0)
        {
            EXPECT_EQ(nAttackerStars, cs.nTotalStars[c.nPlayer]) << "the attacker's own stay";
        }
        int nStars = 0;
        for (int i = 0; i < CITY_COUNT; ++i)
            nStars += cs.nStars[i][PLAYER_COMPUTER];
        EXPECT_EQ(nStars, cs.nTotalStars[PLAYER_COMPUTER]) << "totals recomputed";
    }
}

TEST_F(CampaignTest, StarsNeverCostNothing)
{
    start(0);
    hold(3, PLAYER_HUMAN, 5, 6); // 0.75 x 6 / 5 truncates to 0
    EXPECT_EQ(1, m_campaign.getCityCost(3));
    RIR::String sText;
    EXPECT_EQ(1, m_campaign.resolveTurn(100, 3, 0, 19, &sText) & 1);
    m_campaign.applyOrder(PLAYER_HUMAN, 100, 3);
    EXPECT_EQ(5, m_campaign.getState().nStars[3][PLAYER_HUMAN]);
    hold(9, PLAYER_COMPUTER, 5, 6);
    m_campaign.applyOrder(PLAYER_HUMAN, 7, 9);
    EXPECT_EQ(0, m_campaign.getState().nStars[9][PLAYER_COMPUTER]);
}

TEST_F(CampaignTest, CheapestOpponentPicksTheCheapestActionTown)
{
    start(1);
    EXPECT_EQ(14, m_campaign.chooseOpponentOrder()) << "14 and 18 cost 1125: the first";
    hold(17, PLAYER_HUMAN, 1, 800); // 600 a star, next to the computer's 18
    EXPECT_EQ(17, m_campaign.chooseOpponentOrder());
}

TEST_F(CampaignTest, RandomOpponentsPickActionTownsFromTheSeed)
{
    for (int nOpponent : {0, 2})
    {
        SCOPED_TRACE(nOpponent);
        start(nOpponent);
        const std::set<int> allowed = asSet(m_campaign.listActionCities(PLAYER_COMPUTER));
        std::vector<int> first;
        std::set<int> seen;
        for (int i = 0; i < 60; ++i)
        {
            first.push_back(m_campaign.chooseOpponentOrder());
            EXPECT_TRUE(allowed.count(first.back())) << first.back();
            seen.insert(first.back());
        }
        EXPECT_EQ(allowed, seen) << "every action town comes up";
        m_campaign.getRandom().seed(12345);
        for (int i = 0; i < 60; ++i)
            EXPECT_EQ(first[(size_t)i], m_campaign.chooseOpponentOrder()) << "same seed";
    }
}

TEST_F(CampaignTest, ContactOpponentsGrowOrExpandWhenApart)
{
    struct Case
    {
        int nOpponent;
        std::set<int> targets;
    };
    const Case cases[] = {
        {3, {14, 18, 19}},   // grow its own towns first
        {4, {8, 9, 13, 17}}, // expand into empty neighbours first
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nOpponent);
        start(c.nOpponent);
        std::set<int> seen;
        for (int i = 0; i < 60; ++i)
            seen.insert(m_campaign.chooseOpponentOrder());
        EXPECT_EQ(c.targets, seen);
    }

    // Nothing left to grow: opponent 3 expands; nothing to expand: opponent 4 grows.
    start(3);
    for (int nCity : {14, 18, 19})
        hold(nCity, PLAYER_COMPUTER, 5, 9000);
    EXPECT_TRUE((std::set<int>{8, 9, 13, 17}).count(m_campaign.chooseOpponentOrder()));
    start(4);
    for (int nCity = 0; nCity < CITY_COUNT; ++nCity)
    {
        hold(nCity, PLAYER_HUMAN, 0, 0);
        hold(nCity, PLAYER_COMPUTER, 5, 9000);
    }
    hold(9, PLAYER_COMPUTER, 1, 1000);
    EXPECT_EQ(9, m_campaign.chooseOpponentOrder()) << "the only town below five stars";
}

TEST_F(CampaignTest, ContactOpponentsDefendOrAttackTheCheaper)
{
    for (int nOpponent : {3, 4})
    {
        SCOPED_TRACE(nOpponent);
        start(nOpponent);
        // M = 2500. The player's town 13 touches the computer's 14 (1875) and 18 (1875).
        hold(13, PLAYER_HUMAN, 2, 5000); // 1875 a star
        EXPECT_EQ(14, m_campaign.chooseOpponentOrder()) << "equal cost: defend the first at risk";
        hold(13, PLAYER_HUMAN, 2, 4000); // 1500 a star
        EXPECT_EQ(13, m_campaign.chooseOpponentOrder()) << "a cheaper attack";
        hold(13, PLAYER_HUMAN, 2, 5000);
        hold(18, PLAYER_COMPUTER, 1, 1000); // 750: cheaper and still open to the computer
        EXPECT_EQ(18, m_campaign.chooseOpponentOrder());
    }
}

TEST_F(CampaignTest, OpponentCashFollowsTheDifficultyBands)
{
    struct Case
    {
        int nOpponent;
        int anBand[4];
    };
    const Case cases[] = {
        {0, {1000, 2000, 2500, 3000}},
        {1, {1500, 2500, 3500, 4500}},
        {4, {2000, 3500, 4500, 5500}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nOpponent);
        start(c.nOpponent);
        int anCount[3] = {};
        std::vector<int> first;
        for (int i = 0; i < 2000; ++i)
        {
            const int nCash = m_campaign.computeOpponentCash();
            first.push_back(nCash);
            ASSERT_GE(nCash, c.anBand[0]);
            ASSERT_LE(nCash, c.anBand[3]);
            ++anCount[nCash < c.anBand[1] ? 0 : nCash < c.anBand[2] ? 1 : 2];
        }
        // About 20 %, 60 % and 20 % (the band ends overlap).
        EXPECT_GT(anCount[0], 200);
        EXPECT_GT(anCount[1], 1000);
        EXPECT_GT(anCount[2], 200);
        m_campaign.getRandom().seed(12345);
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(first[(size_t)i], m_campaign.computeOpponentCash());
    }
}

TEST_F(CampaignTest, BrokenPreconditionsRaise)
{
    start(0);
    EXPECT_EQ("Assertion failed : nCity < CITY_COUNT",
              messageOf<RIR::AssertFailException>([&] { m_campaign.getCityCost(20); }));
    EXPECT_EQ("Assertion failed : nCity >= 0",
              messageOf<RIR::AssertFailException>([&] { m_campaign.getCityCost(-1); }));
    m_campaign.getState().nOpponent = 9;
    EXPECT_EQ("Assertion failed : false",
              messageOf<RIR::AssertFailException>([&] { m_campaign.chooseOpponentOrder(); }));
}
