#include "shell/kit/highscorereplytext.h"

std::string validHighScoreReply()
{
    std::string s = "DustbowlDollyHighScores\n";
    for (int t = 0; t < 2; ++t)
        for (int d = 0; d < 3; ++d)
        {
            for (int r = 0; r < 10; ++r)
            {
                const std::string sId = std::to_string(t) + std::to_string(d) + std::to_string(r);
                s += "On" + sId + "_!#!_" + std::to_string(900 - r) + "_!#!_K" + sId + "\n";
            }
            s += "---\n";
        }
    return s + "===\n";
}
