// The readers of the text tables: the two forms in which the player's texts are stored.
//
// A text table maps keys to UTF-8 texts. The readers store into a caller's table (the string
// table of GameApp) under upper-cased keys, replacing the text of a key that is already there.
//
// The key and text form, one entry per line:
//     # menu captions
//     Caption    Dustbowl Dolly
//     Welcome    Howdy,\nstranger!# "\n" is a line break
//     .          \tSit down.# "." continues the previous text, without a separator
//     Price      Beer \#1
// An optional UTF-8 byte order mark opens the text. Carriage returns and line feeds end lines
// (empty lines vanish). "#" starts a comment unless written "\#", which is a literal "#". The
// key runs to the first blank or tab; the text is the rest with its leading blanks removed (its
// trailing blanks stay). Escapes in the text, replaced in this order: "\n" line feed, "\r"
// carriage return, "\t" tab, "\\" one backslash.
//
// The XML form: the texts of <data> elements inside <cell> inside <row> (names in any case), in
// document order, alternate key and text; rows are not pairing units. A key is upper-cased, a
// text loses its leading blanks and gets the escapes above.
//
// Failures: a continuation line before any keyed line raises the table's missing-key error
// (FatalErrorException "Hash key not found : \"\""); XML that cannot be read ends the scan there.
// Either way the entries read before stay stored.
#ifndef DIZIDOR_APP_STRINGTABLE_H
#define DIZIDOR_APP_STRINGTABLE_H

#include "rir2/hash.h"
#include "rir2/rirstring.h"

// Reads the key and text form into hStrings.
void loadTextStrings(const char* pszText, RIR::Hash<RIR::String, RIR::String>& hStrings);
// Reads the XML form into hStrings.
void loadXmlStrings(const char* pszText, RIR::Hash<RIR::String, RIR::String>& hStrings);

#endif
