#include "shell/gamescreens.h"

#include "shell/appstore.h"
#include "shell/playerdlg.h"
#include "shell/timeattackdlg.h"

#include "ui/dlgyesno.h"

namespace
{

GameMode* makeYesNo(MenuFrame* pTarget, const char* pszKey, int nYesId, int nNoId)
{
    return new DlgYesNo(pTarget, getText(pszKey).c_str(), nYesId, nNoId);
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
    screens.pfnPlayerDlg = &makePlayerDlg;
    screens.pfnTimeAttackDlg = &makeTimeAttackDlg;
    return screens;
}
