// The request of the online high-score exchange: the local tables as an upload text, packed and
// encoded for a URL query.
//
// Upload text, 192 lines, each ending with a line feed: "DustbowlDollyHighScores", the settings
// "PlayerName" and "PlayerUID"; then for time 0 and 1, for difficulty 0..2, the ten local entries
// of ranks 0..9 as name, "%d" score and key lines, then "---"; "===" after each time; "***" last.
// Names go as stored, unescaped.
//
// Encoding: the text as one string record (byte 0x12, its byte length as a variable-length
// integer, the bytes), deflated with zlib at level 2, then the link-text encoder (linkencoder.h)
// without padding.
//
// Request: the script address, "?" or "&", "local=" and the encoded upload. Where the address
// comes from is highscoreservice.h's business; the transfer itself is not made here.
#ifndef DBD_SHELL_HIGHSCOREUPLOAD_H
#define DBD_SHELL_HIGHSCOREUPLOAD_H

#include "rir2/rirstring.h"

// The 192-line upload text of the stored local tables and the current player.
RIR::String buildHighScoreUploadText();
// The encoded form of an upload text (see above).
RIR::String encodeHighScoreUpload(const RIR::String& sText);
// encodeHighScoreUpload(buildHighScoreUploadText()).
RIR::String buildHighScoreUpload();
// pszAddress + "?" or "&" + "local=" + buildHighScoreUpload().
RIR::String buildHighScoreRequest(const char* pszAddress);

#endif
