// The newspaper column parser: lines, their styles, pictures and the trailing line feed, and the
// font each style takes in the wide and the narrow columns.
#include "shell/epitaphtext.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// One parsed line as "<style>:<text>" or "3:<image>" (line feeds shown as "|").
std::vector<std::string> parsed(const char* pszText)
{
    std::vector<std::string> lines;
    RIR::List<EpitaphLine> lLines = parseEpitaphText(pszText);
    for (int i = 0; i < lLines.getLength(); ++i)
    {
        const EpitaphLine& line = lLines.get(i);
        std::string s = std::to_string(line.nStyle) + ":" +
                        (line.nStyle == EPS_IMAGE ? line.sImage.c_str() : line.sText.c_str());
        for (char& c : s)
            if (c == '\n')
                c = '|';
        lines.push_back(s);
    }
    return lines;
}

struct ParseCase
{
    const char* pszText;
    std::vector<std::string> expected;
};

} // namespace

TEST(EpitaphText, LinesStylesAndPictures)
{
    const ParseCase cases[] = {
        // One line without a line feed; body text keeps one line feed.
        {"Dust. More dust expected.", {"0:Dust. More dust expected.|"}},
        // A final line feed adds no empty line.
        {"One line\n", {"0:One line|"}},
        {"a\nb\n", {"0:a|", "0:b|"}},
        // An empty line inside stays a line of its own.
        {"a\n\nb", {"0:a|", "0:|", "0:b|"}},
        // Headline, heading, body.
        {"**FIRE!\n*Town in shock\nNobody was hurt.",
         {"2:FIRE!|", "1:Town in shock|", "0:Nobody was hurt.|"}},
        // "***" is a headline whose text starts with "*"; a lone "*" is an empty heading.
        {"***Stars\n*", {"2:*Stars|", "1:|"}},
        // Lines are trimmed before their prefix is looked at, and after it is taken off only the
        // prefix goes.
        {"   ** Spaced  \r\n\t*Tab", {"2: Spaced|", "1:Tab|"}},
        // A picture: the rest of the line, trimmed; no text.
        {"IMAGE:ep_fire\nIMAGE:  ep_cow  ", {"3:ep_fire", "3:ep_cow"}},
        // Only the exact prefix names a picture.
        {"image:ep_fire\nIMAGES ep", {"0:image:ep_fire|", "0:IMAGES ep|"}},
        // An empty text is one empty body line.
        {"", {"0:|"}},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(c.expected, parsed(c.pszText)) << "text: " << c.pszText;
}

TEST(EpitaphText, NullTextIsOneEmptyLine)
{
    EXPECT_EQ(std::vector<std::string>{"0:|"}, parsed(nullptr));
}

TEST(EpitaphText, FontsByStyleAndColumn)
{
    EXPECT_STREQ("Epitaph::Text", epitaphFontName(EPS_TEXT, false));
    EXPECT_STREQ("Epitaph::TextSmall", epitaphFontName(EPS_TEXT, true));
    EXPECT_STREQ("Epitaph::TitleSmall", epitaphFontName(EPS_HEADING, false));
    EXPECT_STREQ("Epitaph::TitleSmaller", epitaphFontName(EPS_HEADING, true));
    EXPECT_STREQ("Epitaph::Title", epitaphFontName(EPS_HEADLINE, false));
    EXPECT_STREQ("Epitaph::TitleSmall", epitaphFontName(EPS_HEADLINE, true));
}
