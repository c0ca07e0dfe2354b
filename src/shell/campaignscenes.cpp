#include "shell/campaignscenes.h"

#include "shell/appstore.h"

#include "ui/dlgmessage.h"

#include "rir2/calltrace.h"

GameMode* createCampaignExplanation()
{
    RIR_TRACE("createCampaignExplanation");
    const RIR::String sText = getText("PrelevelTitlecampaign") + "\n\n" + getText("prelevelcampaign");
    return new DlgMessage(nullptr, sText.c_str(), -1);
}

GameMode* createCampaignEndScene(int nScene)
{
    RIR_TRACE("createCampaignEndScene");
    const RIR::String sText = getText("CampaignGameOver") + "\n\n" +
                              getText(nScene == CAMPAIGN_SCENE_WON ? "Hist_Win" : "Hist_Lose");
    return new DlgMessage(nullptr, sText.c_str(), -1);
}
