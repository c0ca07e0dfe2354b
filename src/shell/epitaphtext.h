// The newspaper columns of the epitaph page: a column's text cut into lines, each a styled text
// line or a picture.
//
// The text is cut at each "\n" (a final "\n" adds no empty line); each line is trimmed. A line
// starting with "**" is a headline (style 2), one starting with "*" a small heading (style 1),
// "IMAGE:<name>" a picture (the name trimmed), anything else body text (style 0). Every text line
// keeps one "\n" at its end, as the column's labels show it.
//
//     RIR::List<EpitaphLine> lLines = parseEpitaphText("**FIRE!\nIMAGE:ep_fire\nNobody was hurt.");
#ifndef DBD_SHELL_EPITAPHTEXT_H
#define DBD_SHELL_EPITAPHTEXT_H

#include "rir2/list.h"
#include "rir2/rirstring.h"

enum EpitaphStyle
{
    EPS_TEXT = 0,
    EPS_HEADING = 1,
    EPS_HEADLINE = 2,
    // A picture line: sImage names it, sText is empty.
    EPS_IMAGE = 3
};

struct EpitaphLine
{
    int nStyle = EPS_TEXT;
    RIR::String sText;
    RIR::String sImage;
};

RIR::List<EpitaphLine> parseEpitaphText(const char* pszText);

// The theme font of a line style (text, heading or headline) in the centre column or, with bSmall,
// in a narrow side column.
const char* epitaphFontName(int nStyle, bool bSmall);

#endif
