// Where the online high-score exchange goes: the setting "HighscoreURL", the address of the
// service's script (an "http://" or "https://" address ending in "dbd_highscore.php"). The game
// sets none and names no host; without one the exchange's transfer reports its error at once.
#ifndef DBD_SHELL_HIGHSCORESERVICE_H
#define DBD_SHELL_HIGHSCORESERVICE_H

#include "rir2/rirstring.h"

// The setting "HighscoreURL" without surrounding blanks; "" when none is set.
RIR::String getHighScoreServiceAddress();
// The exchange's request: the address, "?" or "&", "local=" and the encoded upload of the local
// tables (buildHighScoreRequest); "" when no address is set.
RIR::String buildHighScoreExchangeRequest();

#endif
