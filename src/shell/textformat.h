// Filling the game's printf-style screen texts ("CampaignClashNew" is "%s attacks %s!") without
// handing table text to printf.
//
// The texts come from the text tables, which are data: a text whose conversions do not match
// the arguments the code passes must not read the wrong argument or memory. formatText walks the
// text itself: every "%s" and "%d" (also "%i" and "%u") takes the next argument and shows it as
// text (a number in decimal, a string as it is), whatever the letter; a conversion with no
// argument left shows nothing; "%%" is one "%"; any other "%" sequence is copied unchanged.
// For texts that match their arguments the result equals printf's.
#ifndef DBD_SHELL_TEXTFORMAT_H
#define DBD_SHELL_TEXTFORMAT_H

#include "rir2/rirstring.h"

#include <initializer_list>

// One argument of formatText: a number or a text.
class TextArg
{
public:
    TextArg(int nValue) : m_sText(RIR::String::format("%d", nValue)) {}
    TextArg(const char* pszText) : m_sText(pszText) {}
    TextArg(const RIR::String& sText) : m_sText(sText) {}

    const RIR::String& getText() const { return m_sText; }

private:
    RIR::String m_sText;
};

// pszFormat with its conversions filled from args, in order (see above). Null counts as "".
RIR::String formatText(const char* pszFormat, std::initializer_list<TextArg> args);

#endif
