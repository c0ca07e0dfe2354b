#include "shell/gamescreens.h"

#include "shell/appstore.h"
#include "shell/campaigndlg.h"
#include "shell/newgamedlg.h"
#include "shell/opponentdlg.h"
#include "shell/playerdlg.h"
#include "shell/storymodedlg.h"
#include "shell/timeattackdlg.h"

#include "ui/dlgyesno.h"

namespace
{

GameMode* makeYesNo(MenuFrame* pTarget, const char* pszKey, int nYesId, int nNoId)
{
    return new DlgYesNo(pTarget, getText(pszKey).c_str(), nYesId, nNoId);
}

GameMode* makeOpponentDlg(int nSlot)
{
    return new OpponentDlg(nSlot);
}

GameMode* makeCampaignDlg()
{
    return new CampaignDlg();
}

GameMode* makeNewGameDlg(int nSlot)
{
    return new NewGameDlg(nSlot);
}

GameMode* makeStoryModeDlg()
{
    return new StoryModeDlg();
}

GameMode* makePlayerDlg(MenuFrame* pMenu)
{
    return new PlayerDlg(pMenu);
}

GameMode* makeTimeAttackDlg(MenuFrame* pMenu)
{
    return new TimeAttackDlg(pMenu);
}

} // namespace

MenuScreens gameMenuScreens()
{
    MenuScreens screens;
    screens.pfnYesNo = &makeYesNo;
    screens.pfnOpponentDlg = &makeOpponentDlg;
    screens.pfnCampaignDlg = &makeCampaignDlg;
    screens.pfnPlayerDlg = &makePlayerDlg;
    screens.pfnTimeAttackDlg = &makeTimeAttackDlg;
    screens.pfnNewGameDlg = &makeNewGameDlg;
    screens.pfnStoryModeDlg = &makeStoryModeDlg;
    return screens;
}
