// Replies of the online high-score service for the exchange tests.
#ifndef DBD_TESTS_SHELL_KIT_HIGHSCOREREPLYTEXT_H
#define DBD_TESTS_SHELL_KIT_HIGHSCOREREPLYTEXT_H

#include <string>

// A valid reply of the online half: at time t, difficulty d, rank r the entry "On<t><d><r>" with
// score 900 - r and key "K<t><d><r>".
std::string validHighScoreReply();

#endif
