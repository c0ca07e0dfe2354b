// The screens the campaign map shows besides its own dialogs: the one-time explanation of the
// campaign and the closing scene of a won or lost campaign.
//
// Both are made here, in one place, so that the map does not depend on how they are drawn. The
// explanation is the text of "PrelevelTitlecampaign" above the text of "prelevelcampaign" in a
// message box; the closing scene is a message box with the text of "Hist_Win" (won) or
// "Hist_Lose" (lost) under the text of "CampaignGameOver".
//
//     pApp->pushMode(createCampaignExplanation());
//     pApp->pushMode(createCampaignEndScene(CAMPAIGN_SCENE_WON));
#ifndef DBD_SHELL_CAMPAIGNSCENES_H
#define DBD_SHELL_CAMPAIGNSCENES_H

class GameMode;

// The story entries of the two endings of a campaign.
enum CampaignScene
{
    CAMPAIGN_SCENE_LOST = -1,
    CAMPAIGN_SCENE_WON = -3
};

// A new mode explaining the campaign, shown once per player set-up.
GameMode* createCampaignExplanation();
// A new mode closing the campaign: CAMPAIGN_SCENE_WON or CAMPAIGN_SCENE_LOST.
GameMode* createCampaignEndScene(int nScene);

#endif
