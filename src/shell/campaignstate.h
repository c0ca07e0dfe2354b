// The state of one campaign: the turn, the computer opponent and each side's stars and money in
// each of the 20 towns. The rules are in campaign.h, the stored form in campaignio.h.
#ifndef DBD_SHELL_CAMPAIGNSTATE_H
#define DBD_SHELL_CAMPAIGNSTATE_H

enum
{
    CITY_COUNT = 20,     // towns 0..19
    MAX_STAR = 5,        // stars per town and side
    PLAYER_HUMAN = 0,    // the sides: the player...
    PLAYER_COMPUTER = 1, // ...and the computer opponent
    OPPONENT_COUNT = 5   // computer opponents 0..4
};

struct CampaignState
{
    int nTurn = 0;     // 1 for a new campaign, +1 per resolved turn
    int nOpponent = 0; // 0..4
    int nMoney[CITY_COUNT][2] = {};
    int nStars[CITY_COUNT][2] = {}; // 0..5; a town belongs to at most one side
    // Sums over the towns per side (computeCampaignTotals); not stored.
    int nTotalMoney[2] = {};
    int nTotalStars[2] = {};
};

#endif
