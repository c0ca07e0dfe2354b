// GameMode::fitFont: the largest size of a theme font at which a text fits a box.
#include "themefixture.h"

#include "gfx/fontfactorytable.h"

namespace
{

// A font whose every character is `size` wide and whose lines are `size` high.
class SizedFont : public Font
{
public:
    explicit SizedFont(int nSize) : m_nSize(nSize) {}
    RIR::SmartPtr<Font> clone() override
    {
        RIR::SmartPtr<Font> pCopy = new SizedFont(m_nSize);
        pCopy->copyStyleFrom(this);
        pCopy->setFactory(getFactory(), getFactoryArgs());
        return pCopy;
    }
    void drawString(RIR::SmartPtr<Image>, int, int, const char*) override {}
    bool hasGlyph(char) override { return true; }
    int getTextWidth(const char* pszText) override
    {
        int nWidest = 0, nLine = 0;
        for (const char* p = pszText ? pszText : ""; *p; ++p)
        {
            nLine = *p == '\n' ? 0 : nLine + m_nSize;
            nWidest = nLine > nWidest ? nLine : nWidest;
        }
        return nWidest;
    }
    int getLineHeight() override { return m_nSize; }
    int m_nSize;
};

// Arguments: the size.
class SizedFactory : public FontFactory
{
public:
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) override
    {
        ++m_nMade;
        RIR::SmartPtr<Font> pFont = new SizedFont(RIR::String::toInt(lArgs.get(0).c_str()));
        pFont->setFactory(this, lArgs);
        return pFont;
    }
    bool setIntParam(RIR::List<RIR::String>& lArgs, int nWhich, int nValue) override
    {
        if (nWhich != 0)
            return false;
        lArgs.removeAt(0);
        lArgs.prepend(RIR::String::format("%d", nValue));
        return true;
    }
    int getIntParam(const RIR::List<RIR::String>& lArgs, int nWhich) override
    {
        return nWhich == 0 ? RIR::String::toInt(lArgs.get(0).c_str()) : -1;
    }
    int m_nMade = 0;
};

} // namespace

class FitFontTest : public ThemeTest
{
protected:
    void SetUp() override
    {
        ThemeTest::SetUp();
        m_pFactory = new SizedFactory();
        FontFactoryTable::registerFactory("Sized", m_pFactory.get());
        file("fit.theme", "font Body {\nclass Sized 20\ntextcolor 1 2 3\nextralinespacing 2\n}\n");
        m_pApp->loadTheme("fit.theme");
    }
    void TearDown() override
    {
        FontFactoryTable::unregisterFactory("Sized");
        ThemeTest::TearDown();
    }
    RIR::SmartPtr<SizedFactory> m_pFactory;
};

TEST_F(FitFontTest, ShrinksUntilTheWrappedTextFitsStrictlyAndKeepsTheStyle)
{
    GameMode mode;
    RIR::String sWrapped;
    // "ab cd" at size s is 5s wide. Box 100 x 40: at 20 it wraps ("ab ", "cd": 60 wide) and is
    // 2 x 20 + 2 = 42 high, too high; at 19 it stays one line 95 wide and 19 high: it fits.
    RIR::SmartPtr<Font> pFit = mode.fitFont("Body", 100, 40, "ab cd", &sWrapped);
    SizedFont* pSized = dynamic_cast<SizedFont*>(pFit.get());
    ASSERT_NE(nullptr, pSized);
    EXPECT_EQ(19, pSized->m_nSize);
    EXPECT_STREQ("ab cd", sWrapped.c_str());
    // Box 70 x 60: at 20 the two lines are 60 wide and 42 high: the lines, joined by "\n".
    RIR::SmartPtr<Font> pTwo = mode.fitFont("Body", 70, 60, "ab cd", &sWrapped);
    EXPECT_EQ(20, dynamic_cast<SizedFont*>(pTwo.get())->m_nSize);
    EXPECT_STREQ("ab \ncd", sWrapped.c_str());
    EXPECT_EQ(Color(1, 2, 3, 255), pFit->getColor()) << "the theme font's style";
    EXPECT_EQ(2, pFit->getLineSpacing());

    // Nothing down to 6 fits: a copy of the theme font, the text untouched.
    RIR::String sKept("kept");
    RIR::SmartPtr<Font> pNone = mode.fitFont("Body", 10, 10, "ab cd", &sKept);
    EXPECT_EQ(20, dynamic_cast<SizedFont*>(pNone.get())->m_nSize);
    EXPECT_STREQ("kept", sKept.c_str());

    // Fits at once: the base size, and no wrapped text asked for.
    EXPECT_EQ(
        20, dynamic_cast<SizedFont*>(mode.fitFont("Body", 500, 500, "ab", nullptr).get())->m_nSize);
}
