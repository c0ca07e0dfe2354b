#include "shell/kit/dialogcontent.h"

#include "shell/kit/shellapp.h"

#include <string>

void addDialogContent(ShellAppFixture& fx)
{
    fx.addPicture("clock", 40, 40, 0xE0D0A0FF);
    for (int n = 0; n <= 20; ++n)
        fx.addPicture("clock_" + std::to_string(n), 40, 40, 0x202020FF);
    fx.addPicture("cash_digits", 100, 16, 0x303030FF);
    fx.addPicture("shortsep", 120, 4, 0x604020FF);
    fx.addPicture("separator", 300, 6, 0x604020FF);
    fx.addPicture("excl_verde", 20, 40, 0x20C020FF);
    fx.addPicture("flecha_h", 40, 20, 0x20C020FF);
    fx.addPicture("globo_feature", 240, 120, 0xFFFFFFFF);
    std::string sTheme;
    for (const char* pszState : {"normal", "pushed", "highlight", "disabled"})
    {
        fx.addPicture(std::string("bg_") + pszState, 60, 20, 0x402010FF);
        sTheme += std::string("buttonimage ") + pszState + " bg_" + pszState + "\n";
    }
    // The "" frame of the dialogs: plain pieces around a plain back.
    for (const char* pszPart : {"ul", "ur", "ll", "lr", "top", "bottom", "left", "right", "back"})
    {
        fx.addPicture(std::string("frame_") + pszPart, 16, 16, 0xC0A070FF);
        sTheme += std::string("frame ") + pszPart + " frame_" + pszPart + "\n";
    }
    fx.addFile("dolly.theme", sTheme);
    const char* const apszTexts[][2] = {
        {"Loading", "Loading..."},
        {"WeekFmt", "Week %d"},
        {"LevelStats", "Closing Time"},
        {"StatBottlesSold", "Drinks"},
        {"StatHappyCustomers", "Happy"},
        {"StatFightsStopped", "Fights"},
        {"StatThievesExpelled", "Thieves"},
        {"StatWantedCaptured", "Outlaws"},
        {"StatCashEarned", "Cash"},
        {"StatCashGoal", "Goal"},
        {"StatTimeBonus", "Bonus"},
        {"StatCashTotal", "Total"},
        {"XofY", "%d of %d"},
        {"ResultSuccess", "Goal reached!"},
        {"ResultFailure", "Short of the goal"},
        {"continue", "Continue"},
        {"tryagain", "Try again"},
        {"saveexit", "Save and quit"},
        {"skip", "Skip"},
        {"PrelevelTitlecampaign", "The Territory"},
        {"prelevelcampaign", "Twenty towns."},
        {"prelevel0", "The first evening."},
        {"prelevel3", "Old Hank."},
        {"FeatureThief", "A thief!"},
    };
    for (const auto& text : apszTexts)
        fx.addText(text[0], text[1]);
}
