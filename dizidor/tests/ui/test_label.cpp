// Label: image size from margins, text width and line count; the mask; wrapping; the font copy
// before a style change; the empty text.
#include "widgetkit.h"

#include "ui/label.h"

namespace
{

struct Size
{
    int w;
    int h;
};

Size sizeOf(Label& label)
{
    RIR::SmartPtr<Image> pImage = label.getImage();
    return pImage ? Size{pImage->getWidth(), pImage->getHeight()} : Size{-1, -1};
}

} // namespace

class LabelTest : public WidgetTest
{
protected:
    std::vector<DrawnString>& drawn() { return *m_pFactory->m_pDrawn; }
};

TEST_F(LabelTest, ImageIsTextPlusMarginsAndTheTextStartsAtTheMargin)
{
    // Cell font: 6 px a byte, lines 18 high, so the automatic margin is 18 / 6 = 3.
    struct Case
    {
        const char* text;
        int fixedWidth;
        int lines;
        int margin; // -1 automatic
        Size size;
    } const cases[] = {
        {"abc", 0, 1, -1, {18 + 6, 18 + 6}},
        {"abc", 40, 1, -1, {40 + 6, 18 + 6}},
        {"abc", 0, 1, 5, {18 + 10, 18 + 10}},
        {"ab\nlonger", 0, 2, -1, {36 + 6, 36 + 6}},
        // Sized for one line, but the text breaks into two: both fit, none is cut off.
        {"ab\nlonger", 0, 1, -1, {36 + 6, 36 + 6}},
        // Room for three lines, but the text has one: the image is one line high.
        {"abc", 0, 3, -1, {18 + 6, 18 + 6}},
    };
    for (const Case& c : cases)
    {
        Label label(c.text, 0, 0, 0, c.fixedWidth, false);
        label.setLineCount(c.lines);
        label.setMargin(c.margin);
        drawn().clear();
        label.refresh();
        const Size size = sizeOf(label);
        EXPECT_EQ(c.size.w, size.w) << c.text << " " << c.fixedWidth;
        EXPECT_EQ(c.size.h, size.h) << c.text << " " << c.fixedWidth;
        const int m = c.margin < 0 ? 3 : c.margin;
        ASSERT_FALSE(drawn().empty());
        EXPECT_EQ(m, drawn().front().x);
        EXPECT_EQ(m, drawn().front().y);
    }
}

TEST_F(LabelTest, AutomaticMarginFollowsTheBackground)
{
    Label plain("x");
    EXPECT_EQ(3, plain.getMargin()) << "line height 18 / 6";
    Label tall("x", 0, 0, 0, blank(80, 40), false);
    EXPECT_EQ(11, tall.getMargin()) << "(40 - 18) / 2";
    Label low("x", 0, 0, 0, blank(80, 10), false);
    EXPECT_EQ(0, low.getMargin()) << "lower than a line";
    low.setMargin(4);
    EXPECT_EQ(4, low.getMargin());

    // With a background the image is the background's picture, the text drawn at the margin.
    drawn().clear();
    tall.refresh();
    EXPECT_EQ(80, sizeOf(tall).w);
    EXPECT_EQ(40, sizeOf(tall).h);
    ASSERT_FALSE(drawn().empty());
    EXPECT_EQ(11, drawn().front().x);
}

TEST_F(LabelTest, EmptyTextIsOneLineHighWhateverTheLineSpacing)
{
    for (int nSpacing : {0, 4})
    {
        loadWidgetTheme("", nSpacing);
        Label label("");
        EXPECT_EQ(6, sizeOf(label).w) << "two margins, spacing " << nSpacing;
        EXPECT_EQ(18 + 6, sizeOf(label).h) << "one line and two margins, spacing " << nSpacing;
        label.setText("a\nb");
        label.setLineCount(2);
        EXPECT_EQ(36 + nSpacing + 6, sizeOf(label).h);
    }
}

TEST_F(LabelTest, MaskIsShownOncePerUtf8Character)
{
    Label label("\xC3\xA9\xC3\xA9\xC3\xA9"); // three characters in six bytes
    label.setMask("*");
    drawn().clear();
    label.refresh();
    ASSERT_EQ(1u, drawn().size());
    EXPECT_EQ("***", drawn()[0].text);
    EXPECT_EQ(18 + 6, sizeOf(label).w) << "measured as the mask";
    EXPECT_STREQ("\xC3\xA9\xC3\xA9\xC3\xA9", label.getText().c_str());
    EXPECT_STREQ("***", label.getDisplayText().c_str());

    label.setMask("");
    EXPECT_STREQ(label.getText().c_str(), label.getDisplayText().c_str());
}

TEST_F(LabelTest, SameTextDoesNotRepaintAndANewOneDoes)
{
    Label label("abc");
    RIR::SmartPtr<Image> pFirst = label.getImage();
    label.setText("abc");
    EXPECT_EQ(pFirst.get(), label.getImage().get());
    label.setText("abcd");
    EXPECT_NE(pFirst.get(), label.getImage().get());
    EXPECT_EQ(24 + 6, sizeOf(label).w);
    // Mask and opacity wait for the next repaint.
    label.setOpaque(true);
    label.setMask("#");
    EXPECT_TRUE(label.getImage()->hasAlpha());
    label.refresh();
    EXPECT_FALSE(label.getImage()->hasAlpha());
}

TEST_F(LabelTest, WrappingSetsTheLineCountFromTheWidth)
{
    const char* const pszText = "aa bb cc dd";
    Label label(pszText);
    const int nWrapped = label.getFont()->wrapText(pszText, 24).getLength();
    ASSERT_GE(nWrapped, 3) << "four cells a line";
    drawn().clear();
    label.setWidth(24, true);
    EXPECT_EQ(nWrapped, label.getLineCount());
    EXPECT_EQ(24 + 6, sizeOf(label).w);
    EXPECT_EQ(nWrapped * 18 + 6, sizeOf(label).h);
    for (const DrawnString& s : drawn())
        EXPECT_LE((int)s.text.size() * 6, 24 + 6) << s.text; // a kept blank may overhang

    label.setWidth(0, true);
    EXPECT_EQ(1, label.getLineCount()) << "no width: one line";
    label.setMaxWidth(24);
    label.wrapToWidth();
    EXPECT_EQ(nWrapped, label.getLineCount()) << "the maximum width wraps when no width is fixed";
    EXPECT_EQ(24 + 6, sizeOf(label).w) << "the maximum width caps the text width";

    Label one("");
    one.setWidth(24, true);
    EXPECT_EQ(1, one.getLineCount()) << "at least one line";
}

TEST_F(LabelTest, StyleSettersWorkOnACopyOfASharedFont)
{
    RIR::SmartPtr<Font> pShared = m_pApp->getTheme()->getFont("Theme::Default");
    const Color original = pShared->getColor();
    Label a("a");
    Label b("b");
    a.setFont(pShared);
    b.setFont(pShared);

    a.setTextColor(Color(200, 10, 10, 255));
    a.setShadowColor(Color(1, 2, 3, 255));
    a.setAlignment(ALIGN_HCENTER);
    EXPECT_NE(pShared.get(), a.getFont().get());
    EXPECT_EQ(Color(200, 10, 10, 255), a.getFont()->getColor());
    EXPECT_TRUE(a.getFont()->getShadow());
    EXPECT_EQ(Color(1, 2, 3, 255), a.getFont()->getShadowColor());
    EXPECT_EQ(ALIGN_HCENTER, a.getFont()->getAlignment());

    EXPECT_EQ(pShared.get(), b.getFont().get());
    EXPECT_EQ(original, pShared->getColor()) << "the shared font is never changed";
    EXPECT_EQ(ALIGN_LEFT, pShared->getAlignment());
}

TEST_F(LabelTest, ConstructorsAndTheThemeFont)
{
    Label plain("x");
    EXPECT_FALSE(plain.isEnabled());
    EXPECT_FALSE(plain.isFocusable());
    EXPECT_EQ(SHT_STORED_PIXELS, plain.getHitTestMode());
    EXPECT_NE(nullptr, dynamic_cast<CellFont*>(plain.getFont().get())) << "Theme::Default";

    Label at("x", Point(12.9f, 7.2f), 4);
    EXPECT_EQ(12, at.getX());
    EXPECT_EQ(7, at.getY());
    EXPECT_EQ(4, at.getZOrder());

    Label enabled("x", 1, 2, 3, 0, true);
    EXPECT_TRUE(enabled.isEnabled());

    // A missing font name falls back as the theme does.
    plain.setFontByName("No::Such");
    EXPECT_TRUE(plain.getFont());
}

TEST_F(LabelTest, FrameBackgroundIsTheThemesFrameWithItsOwnInsertionPoint)
{
    RIR::SmartPtr<Theme> pTheme = m_pApp->getTheme();
    RIR::SmartPtr<Image> pFrame = pTheme->renderFrame(50, 30, "System::DefaultFrame");
    ASSERT_TRUE(pFrame);
    const Point before = pFrame->getInsPoint();

    Label label("ok");
    label.setFrameBackground(50, 30, "System::DefaultFrame", 2, 3);
    ASSERT_TRUE(label.getBackground());
    EXPECT_EQ(pFrame->getWidth(), label.getBackground()->getWidth());
    EXPECT_EQ(pFrame->getHeight(), label.getBackground()->getHeight());
    EXPECT_EQ(Point(2, 3), label.getBackground()->getInsPoint());
    EXPECT_EQ(pFrame->getWidth(), sizeOf(label).w) << "the label shows the frame";
    EXPECT_EQ(before, pTheme->renderFrame(50, 30, "System::DefaultFrame")->getInsPoint())
        << "the theme's own picture keeps its insertion point";
}
