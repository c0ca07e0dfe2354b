// The texts the campaign tests load: every text names its key and shows its arguments, so a
// result text shows which keys were used with which values.
#ifndef DBD_TESTS_SHELL_CAMPAIGNTEXTS_H
#define DBD_TESTS_SHELL_CAMPAIGNTEXTS_H

#include <string>

inline std::string campaignTexts()
{
    std::string s;
    for (int i = 0; i < 20; ++i)
        s += "CityName" + std::to_string(i) + " C" + std::to_string(i) + "\n";
    s += "AIOpp0ShortName Rattler\nAIOpp1ShortName Penny\nAIOpp2ShortName Sam\n"
         "AIOpp3ShortName Colonel\nAIOpp4ShortName Widow\n"
         "CampaignNewCity New @CITY@ stars @STARS@ cost @COST@\n"
         "CampaignGrowCity Grow @CITY@ stars @STARS@ cost @COST@\n"
         "CampaignAttackCity Attack @CITY@ stars @STARS@ cost @COST@\n";
    for (const char* pszKind : {"New", "Defend", "Attack"})
    {
        s += std::string("CampaignClash") + pszKind + " Clash" + pszKind + "(%s,%s) \n";
        for (const char* pszOutcome : {"Won", "Lost", "Failed"})
            s += std::string("Campaign") + pszKind + pszOutcome + " " + pszKind + pszOutcome +
                 "(%s)\n";
    }
    for (const char* pszKind : {"Open", "Attack", "Grow"})
        for (const char* pszOutcome : {"Success", "Failure"})
        {
            const std::string sKey = std::string("Res") + pszKind + pszOutcome;
            s += sKey + "You " + pszKind + pszOutcome + "(%s,%d)\n";
            s += sKey + "Opp Opp" + pszKind + pszOutcome + "(%s,%s,%d)\n";
        }
    return s;
}

#endif
