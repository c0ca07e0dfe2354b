#include "shell/gamescreens.h"

#include "shell/appstore.h"
#include "shell/newgamedlg.h"
#include "shell/storymodedlg.h"

#include "ui/dlgyesno.h"

namespace
{

GameMode* makeYesNo(MenuFrame* pTarget, const char* pszKey, int nYesId, int nNoId)
{
    return new DlgYesNo(pTarget, getText(pszKey).c_str(), nYesId, nNoId);
}

GameMode* makeNewGameDlg(int nSlot)
{
    return new NewGameDlg(nSlot);
}

GameMode* makeStoryModeDlg()
{
    return new StoryModeDlg();
}

} // namespace

MenuScreens gameMenuScreens()
{
    MenuScreens screens;
    screens.pfnYesNo = &makeYesNo;
    screens.pfnNewGameDlg = &makeNewGameDlg;
    screens.pfnStoryModeDlg = &makeStoryModeDlg;
    return screens;
}
