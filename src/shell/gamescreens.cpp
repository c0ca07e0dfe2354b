#include "shell/gamescreens.h"

#include "shell/appstore.h"
#include "shell/campaigndlg.h"
#include "shell/opponentdlg.h"

#include "ui/button.h"
#include "ui/dlgyesno.h"
#include "ui/label.h"
#include "ui/table.h"

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

} // namespace

MenuScreens gameMenuScreens()
{
    MenuScreens screens;
    screens.pfnYesNo = &makeYesNo;
    screens.pfnOpponentDlg = &makeOpponentDlg;
    screens.pfnCampaignDlg = &makeCampaignDlg;
    return screens;
}
