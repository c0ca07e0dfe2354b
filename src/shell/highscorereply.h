// The reply of the online high-score exchange: the online tables, checked line by line.
//
// The reply is cut into lines at line feeds (runs collapse, empty lines do not count; a carriage
// return stays part of its line). Line 1 is exactly "DustbowlDollyHighScores". Then for time 0
// and 1, for difficulty 0..2: ten entry lines (ranks 0..9), then a line exactly "---". Then a line
// exactly "==="; anything after it is ignored. An entry line is split on every run of the
// characters "_", "!" and "#" (the separator "_!#!_") and must give exactly three non-empty
// fields: the name (trimmed of blanks, tabs, carriage returns and line feeds), the score (atoi)
// and the key (unchanged).
//
// A valid reply replaces the whole online list and sets "HighscoreLastUpdate" to "%d" of today at
// 00:00 local time (Date::toTimestamp); the local list is written back unchanged. Any missing line
// or failed check rejects the reply: nothing is written at all.
#ifndef DBD_SHELL_HIGHSCOREREPLY_H
#define DBD_SHELL_HIGHSCOREREPLY_H

#include "shell/highscoreio.h"

// Reads the online list of pszReply into table (its online entries only). False when the reply
// is not valid; table may then hold part of it. Touches nothing else; null counts as "".
bool readHighScoreReply(const char* pszReply, HighScoreTable& table);

// Stores the online tables of a valid reply (see above). True when it was accepted.
bool parseHighScoreReply(const char* pszReply);

#endif
