#include "shell/kit/screencontent.h"

#include "ui/radiobutton.h"
#include "ui/radiocustombutton.h"

#include <string>

void addPlainTheme(ShellAppFixture& fx)
{
    std::string sTheme;
    for (const char* pszState : {"normal", "pushed", "highlight", "disabled"})
    {
        fx.addPicture(std::string("bg_") + pszState, 60, 20, 0x402010FF);
        sTheme += std::string("buttonimage ") + pszState + " bg_" + pszState + "\n";
    }
    for (const char* pszPart : {"ul", "ur", "ll", "lr", "top", "bottom", "left", "right", "back"})
    {
        fx.addPicture(std::string("fr_") + pszPart, 8, 8, 0x603010FF);
        sTheme += std::string("frame ") + pszPart + " fr_" + pszPart + "\n";
    }
    fx.addFile("dolly.theme", sTheme);
}

void addScreenContent(ShellAppFixture& fx)
{
    for (const char* pszName : {"ui_tabla", "text_c_timeattack", "text_c_highscores", "separator",
                                "shortsep"})
        fx.addPicture(pszName, 120, 20, 0x806040FF);
    fx.addPicture("separator_v", 6, 200, 0x806040FF);
    for (int i = 1; i <= 9; ++i)
        fx.addPicture("snap_ch" + std::to_string(i), 100, 70, 0x304050FF);
    addPlainTheme(fx);
    const char* const aTexts[][2] = {{"PlayerDlgTitle", "Players"},
                                     {"PlayerDlgUpperText", "Pick one"},
                                     {"UnusedPlayer", "(free)"},
                                     {"ConfirmDeletePlayer", "Delete?"},
                                     {"ConfirmOverwritePlayer", "Overwrite?"},
                                     {"RenamePlayerDlg", "Your name"},
                                     {"DefaultPlayerName", "Stranger"},
                                     {"WelcomePlayer", "Howdy, %s!"},
                                     {"DiffEasy", "Easy"},
                                     {"DiffMedium", "Medium"},
                                     {"DiffHard", "Hard"},
                                     {"TimeAttack3Min", "3 min"},
                                     {"TimeAttack10Min", "10 min"},
                                     {"LocalHighscore", "Local"},
                                     {"OnlineHighscore", "Online"},
                                     {"EmptyHighScore", "nobody"},
                                     {"HighscoreLastUpdated", "Updated: "},
                                     {"HighScoreUpdNever", "never"},
                                     {"HighScoreDateFmt", "(D) (M) (Y)"},
                                     {"HighScoreMonths",
                                      "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec"},
                                     {"ConfirmClearHighscore", "Clear?"},
                                     {"SyncingHighscores", "Syncing"},
                                     {"Connecting", "Connecting"}};
    for (const auto& text : aTexts)
        fx.addText(text[0], text[1]);
    for (int i = 0; i < 9; ++i)
        fx.addText("ChapterShort" + std::to_string(i), "Scene" + std::to_string(i));
}

void clickRadio(GameApp* pApp, RadioButton* pRadio)
{
    RIR::SmartPtr<RadioCustomButton> pText = pRadio->getTextButton();
    int nX = 0;
    int nY = 0;
    int nW = 0;
    int nH = 0;
    pText->getPos(&nX, &nY);
    pText->getSize(&nW, &nH);
    pApp->dispatchMouseMove(nX + nW / 2, nY + nH / 2, true);
    pApp->dispatchMouseDown(1, nX + nW / 2, nY + nH / 2);
    pApp->dispatchMouseUp(1, nX + nW / 2, nY + nH / 2);
}
