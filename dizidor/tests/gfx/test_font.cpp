// Font: wrapping, alignment, line spacing, justification and text rectangles, on a font whose
// every byte is one pixel wide and whose drawString only records where it was asked to draw.
#include "gfx/font.h"
#include "gfx/fontfactory.h"
#include "gfx/image.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct DrawCall
{
    int x;
    int y;
    std::string sText;
    bool operator==(const DrawCall& other) const
    {
        return x == other.x && y == other.y && sText == other.sText;
    }
};

[[maybe_unused]] void PrintTo(const DrawCall& call, std::ostream* pOut)
{
    *pOut << "(" << call.x << ", " << call.y << ", \"" << call.sText << "\")";
}

// One pixel per byte; a line feed ends a line. Line height 16 unless told.
class RecordingFont : public Font
{
public:
    explicit RecordingFont(int nLineHeight = 16) : m_nLineHeight(nLineHeight) {}

    RIR::SmartPtr<Font> clone() override
    {
        RIR::SmartPtr<RecordingFont> pClone = new RecordingFont(m_nLineHeight);
        pClone->copyStyleFrom(this);
        return RIR::SmartPtr<Font>(pClone.get());
    }
    void drawString(RIR::SmartPtr<Image> /*pTarget*/, int x, int y, const char* pszText) override
    {
        m_calls.push_back({x, y, pszText});
    }
    bool hasGlyph(char c) override { return c != '\n'; }
    int getTextWidth(const char* pszText) override
    {
        int nWidest = 0;
        int nCurrent = 0;
        for (const char* p = pszText ? pszText : ""; *p; ++p)
            if (*p == '\n')
            {
                nWidest = std::max(nWidest, nCurrent);
                nCurrent = 0;
            }
            else
                ++nCurrent;
        return std::max(nWidest, nCurrent);
    }
    int getLineHeight() override { return m_nLineHeight; }

    std::vector<DrawCall> m_calls;

private:
    int m_nLineHeight;
};

std::vector<std::string> lines(const RIR::List<RIR::String>& lLines)
{
    std::vector<std::string> result;
    for (int i = 0; i < lLines.getLength(); ++i)
        result.push_back(lLines.get(i).c_str());
    return result;
}

std::string rectText(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

class NamedFactory : public FontFactory
{
public:
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& /*lArgs*/) override
    {
        return RIR::SmartPtr<Font>(new RecordingFont());
    }
};

} // namespace

TEST(FontTest, StartsWithTheDefaultStyle)
{
    RecordingFont font;
    EXPECT_TRUE(font.getTrim());
    EXPECT_EQ(Color(255, 255, 255, 255), font.getColor());
    EXPECT_TRUE(font.getShadow());
    EXPECT_EQ(Color(0, 0, 0, 255), font.getShadowColor());
    EXPECT_EQ(1, font.getShadowOffset());
    EXPECT_EQ(1, font.getAlignment());
    EXPECT_EQ(0, font.getLineSpacing());
    EXPECT_FALSE(font.getFactory());
    EXPECT_EQ(0, font.getFactoryArgs().getLength());
}

TEST(FontTest, WrapsAtBlanksAndLineBreaks)
{
    struct Case
    {
        const char* pszText;
        int nWidth;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", 10, {}},
        {"a b", 3, {"a b"}},
        {"a b", 2, {"a ", "b"}},
        // Each word fits alone, neither with the blank: the blank stands on a line of its own.
        {"a b", 1, {"a", " ", "b"}},
        // A word wider than the width is never split; when it opens the text an empty line
        // comes first.
        {"abcdef xy", 3, {"", "abcdef", " xy"}},
        {"a\n\nb", 10, {"a\n", "\n", "b"}},
        {"one two  three", 8, {"one two", "  three"}},
        {"ends\n", 10, {"ends\n"}},
    };
    for (const Case& c : cases)
    {
        RecordingFont font;
        EXPECT_EQ(c.expected, lines(font.wrapText(c.pszText, c.nWidth)))
            << "\"" << c.pszText << "\" in " << c.nWidth;
    }
    RecordingFont font;
    EXPECT_EQ(0, font.wrapText(nullptr, 10).getLength());
}

TEST(FontTest, DrawsOneLineAndReportsTheDrawnArea)
{
    struct Case
    {
        int nAlignment;
        int nExpectedX;
    };
    // An 11-pixel line in a rectangle 20 wide: left, centred, right; centre wins over right
    // unless all three low bits are set.
    const Case cases[] = {{1, 0}, {4, 4}, {2, 9}, {2 | 4, 4}, {0x08 | 0x10, 0}};
    for (const Case& c : cases)
    {
        RecordingFont font;
        font.setAlignment(c.nAlignment);
        Rect rect(0, 5, 20, 100);
        font.drawText(nullptr, rect, "hello world");
        ASSERT_EQ(1u, font.m_calls.size());
        EXPECT_EQ((DrawCall{c.nExpectedX, 5, "hello world"}), font.m_calls[0]);
        // Right edge: the line with its shadow; bottom: one line.
        EXPECT_EQ(rectText(Rect(0, 5, c.nExpectedX + 11 + 1, 21)), rectText(rect))
            << "alignment " << c.nAlignment;
    }
}

TEST(FontTest, DrawsSeveralLinesWithSpacingAndTrimming)
{
    RecordingFont font;
    font.setLineSpacing(2);
    font.setShadow(false);
    Rect rect(10, 0, 14, 200);
    font.drawText(nullptr, rect, "aa bbb\n cc");
    // Lines "aa ", "bbb\n", " cc", trimmed when drawn.
    const std::vector<DrawCall> expected = {{10, 0, "aa"}, {10, 18, "bbb"}, {10, 36, "cc"}};
    EXPECT_EQ(expected, font.m_calls);
    // The bottom includes the spacing after the last line; no shadow, so the widest line ends it.
    EXPECT_EQ(rectText(Rect(10, 0, 13, 54)), rectText(rect));

    RecordingFont untrimmed;
    untrimmed.setTrim(false);
    Rect wide(0, 0, 40, 40);
    untrimmed.drawText(nullptr, wide, " x ");
    EXPECT_EQ((DrawCall{0, 0, " x "}), untrimmed.m_calls.at(0));
}

TEST(FontTest, CentresVertically)
{
    RecordingFont font;
    font.setLineSpacing(2);
    font.setAlignment(0x20);
    Rect rect(0, 0, 4, 100);
    font.drawText(nullptr, rect, "aaa bbb ccc");
    ASSERT_EQ(3u, font.m_calls.size());
    EXPECT_EQ(24, font.m_calls[0].y);
    EXPECT_EQ(42, font.m_calls[1].y);
    EXPECT_EQ(60, font.m_calls[2].y);
    EXPECT_EQ(78, rect.bottom);
    EXPECT_EQ(0, rect.top) << "the top stays";
}

TEST(FontTest, JustifiesAllButParagraphEnds)
{
    RecordingFont font;
    font.setAlignment(7);
    Rect rect(0, 0, 20, 100);
    // Words of 1, 2 and 3 pixels in 20: gap (20 - 6) / 2 = 7.
    font.drawText(nullptr, rect, "a bb ccc");
    const std::vector<DrawCall> stretched = {{0, 0, "a"}, {8, 0, "bb"}, {17, 0, "ccc"}};
    EXPECT_EQ(stretched, font.m_calls);
    EXPECT_EQ(rectText(Rect(0, 0, 21, 16)), rectText(rect)) << "full width and the shadow";

    // A paragraph that ends with a line break is left-aligned; one word is drawn unchanged.
    RecordingFont paragraph;
    paragraph.setAlignment(7);
    Rect box(0, 0, 20, 100);
    paragraph.drawText(nullptr, box, "a bb\nword");
    const std::vector<DrawCall> expected = {{0, 0, "a bb"}, {0, 16, "word"}};
    EXPECT_EQ(expected, paragraph.m_calls);

    RecordingFont blanks;
    blanks.drawJustified(nullptr, 0, 0, 20, "   ");
    EXPECT_TRUE(blanks.m_calls.empty());
}

TEST(FontTest, EmptyTextDrawsNothingAndMeasuresNoHeight)
{
    RecordingFont font;
    font.setLineSpacing(5);
    Rect rect(3, 4, 50, 60);
    font.drawText(nullptr, rect, "");
    EXPECT_TRUE(font.m_calls.empty());
    EXPECT_EQ(rectText(Rect(3, 4, 3, 4)), rectText(rect));

    // The spacing counts between lines only: no line, no height, never above the bounds.
    const Rect bounds(3, 4, 50, 60);
    EXPECT_EQ(rectText(Rect(3, 4, 50, 4)), rectText(font.getTextRect(bounds, "")));
    EXPECT_EQ(rectText(Rect(3, 4, 50, 4)), rectText(font.getTextRect(bounds, nullptr)));
}

TEST(FontTest, TextRectangleFollowsTheWrappedText)
{
    RecordingFont font;
    font.setLineSpacing(2);
    const Rect bounds(0, 10, 5, 100);
    EXPECT_EQ(rectText(Rect(0, 10, 5, 26)), rectText(font.getTextRect(bounds, "abc")));
    // Two lines: 2 x 16 + 2.
    EXPECT_EQ(rectText(Rect(0, 10, 5, 44)), rectText(font.getTextRect(bounds, "abc def")));
    // Never below the given bottom.
    EXPECT_EQ(rectText(Rect(0, 10, 5, 30)),
              rectText(font.getTextRect(Rect(0, 10, 5, 30), "abc def ghi")));
}

TEST(FontTest, TheConstRectangleStaysAsGiven)
{
    RecordingFont font;
    const Rect rect(0, 0, 100, 100);
    font.drawText(nullptr, rect, "some text");
    EXPECT_EQ(rectText(Rect(0, 0, 100, 100)), rectText(rect));
    EXPECT_EQ(1u, font.m_calls.size());
}

TEST(FontTest, CopiesTheStyleButNotTheFactory)
{
    RecordingFont source;
    source.setTrim(false);
    source.setColor(Color(1, 2, 3, 4));
    source.setShadow(false);
    source.setShadowColor(Color(5, 6, 7, 8));
    source.setShadowOffset(3);
    source.setAlignment(0x24);
    source.setLineSpacing(-2);
    RIR::List<RIR::String> lArgs("face", "12");
    source.setFactory(new NamedFactory(), lArgs);

    RecordingFont copy;
    copy.copyStyleFrom(&source);
    EXPECT_FALSE(copy.getTrim());
    EXPECT_EQ(Color(1, 2, 3, 4), copy.getColor());
    EXPECT_FALSE(copy.getShadow());
    EXPECT_EQ(Color(5, 6, 7, 8), copy.getShadowColor());
    EXPECT_EQ(3, copy.getShadowOffset());
    EXPECT_EQ(0x24, copy.getAlignment());
    EXPECT_EQ(-2, copy.getLineSpacing());
    EXPECT_FALSE(copy.getFactory());
    EXPECT_EQ(0, copy.getFactoryArgs().getLength());

    // The arguments are a copy: changing the caller's list later changes nothing.
    lArgs.append("bold");
    EXPECT_EQ(2, source.getFactoryArgs().getLength());
    EXPECT_TRUE(source.getFactory());
}

TEST(FontTest, FactoryDefaultsKnowNoParameter)
{
    NamedFactory factory;
    RIR::List<RIR::String> lArgs("face", "12");
    EXPECT_FALSE(factory.setIntParam(lArgs, 0, 10));
    EXPECT_FALSE(factory.setStringParam(lArgs, 0, "x"));
    EXPECT_EQ(-1, factory.getIntParam(lArgs, 0));
    EXPECT_STREQ("", factory.getStringParam(lArgs, 0).c_str());
    EXPECT_STREQ("12", lArgs.get(1).c_str());
}
