// The campaign's rules: the map of 20 towns, the price of a star, the orders, the computer
// opponent's choice and cash, and how a turn is resolved and carried out.
//
// Each turn both sides give one order for one town: found a saloon in an empty town, grow their
// own, or attack the other side's. The player's cash comes from a 90-second level, the
// computer's is drawn from the campaign's own generator (getRandom; seed it for a repeatable
// game). A side holds a town when it has at least one star there; the side that loses all its
// stars has lost. The screen is CampaignMode; the stored form is campaignio.h.
//
// Opponents (difficulty, strategy): 0 (easy, random), 1 (medium, cheapest town), 2 (medium,
// random), 3 (hard, contact first, else grow before expanding), 4 (hard, contact first, else
// expand before growing). The campaign's difficulty is always its opponent's.
//
// Broken preconditions raise AssertFailException with the texts quoted in campaign.cpp.
#ifndef DBD_SHELL_CAMPAIGN_H
#define DBD_SHELL_CAMPAIGN_H

#include "shell/campaignstate.h"

#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/rirstring.h"

// The success bits of resolveTurn.
enum OrderResult
{
    OR_PLAYER_SUCCEEDS = 1,
    OR_COMPUTER_SUCCEEDS = 2
};

// Whether two towns are neighbours on the map; every town is its own neighbour. Towns outside
// 0..19 have none.
bool areCitiesAdjacent(int nCityA, int nCityB);
// The opponent's difficulty (0..2); AssertFailException for an opponent outside 0..4.
int getOpponentDifficulty(int nOpponent);
// The level of the battle for a town with that many stars (both sides, 0..5): 0, 11, 23, 31,
// 37, 44; values outside are clamped.
int getBattleLevel(int nTotalStars);
// The text of "CityName<n>".
RIR::String getCityName(int nCity);

class Campaign
{
public:
    // An empty state (turn 0, opponent 0); the generator seeded from the clock.
    Campaign();

    CampaignState& getState() { return m_pCS; }
    const CampaignState& getState() const { return m_pCS; }
    RIR::Random& getRandom() { return m_random; }

    // A new campaign against the opponent: turn 1; with M = the start money the player holds
    // town 0 (3 stars, 4M), 1 and 5 (1 star, M each), the computer 19 (3, 4M), 18 and 14 (1, M);
    // then written to the slot (writeCampaign, which saves the settings file).
    void startNewCampaign(int nOpponent, int nSlot, const char* pszUID = nullptr);

    // The opponent's difficulty.
    int getDifficulty() const;
    // 2500 on difficulty 2, else 1500.
    int getStartMoney() const;
    // The price of one star in the town, for any order: the start money for an empty town, else
    // trunc(0.75 x money / stars) of its holder, at least 1.
    int getCityCost(int nCity) const;
    // Stars of both sides in the town.
    int getCityStars(int nCity) const;
    // The side has fewer than 5 stars in the town and holds it or a neighbour.
    bool canActOn(int nPlayer, int nCity) const;
    // Towns in increasing order: where canActOn holds; that the side holds; without stars.
    RIR::List<int> listActionCities(int nPlayer) const;
    RIR::List<int> listOwnCities(int nPlayer) const;
    RIR::List<int> listEmptyCities() const;
    // The text of "AIOpp<n>ShortName".
    RIR::String getOpponentName() const;

    // The order the side would give for the town, from "CampaignNewCity", "CampaignGrowCity" or
    // "CampaignAttackCity" with "@CITY@", "@STARS@" (both sides) and "@COST@" replaced.
    RIR::String describeOrder(int nPlayer, int nCity) const;
    // The computer's target town for this turn, by its opponent's strategy.
    int chooseOpponentOrder();
    // The computer's cash for this turn, drawn from its difficulty's ranges.
    int computeOpponentCash();
    // Compares the two orders (cash a for town p, cash b for town c) and returns the OrderResult
    // bits with the result text in *psText (may be null). Changes nothing: the caller applies
    // the player's order (bit 1) and then the computer's (bit 2).
    int resolveTurn(int nPlayerCash, int nPlayerCity, int nComputerCash, int nComputerCity,
                    RIR::String* psText) const;
    // Carries out a successful order: gained stars = cash / cost (the cost before the change);
    // grow adds money and stars (at most 5), attack takes the stars and the cash off the
    // defender (who loses the town when either runs out), founding sets them. Recomputes the
    // totals.
    void applyOrder(int nPlayer, int nCash, int nCity);

private:
    // A uniformly chosen town of the list, from the campaign's generator.
    int pickCity(const RIR::List<int>& lCities);
    int chooseContactOrder();

    CampaignState m_pCS;
    RIR::Random m_random;
};

#endif
