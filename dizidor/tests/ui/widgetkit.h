// Shared set-up of the label, edit box, radio button and slider tests: a font of fixed metrics
// that records what it draws, a theme whose "Theme::Default" is that font, and a mode that
// records its callbacks and the keys it hears.
#ifndef DIZIDOR_TESTS_UI_WIDGETKIT_H
#define DIZIDOR_TESTS_UI_WIDGETKIT_H

#include "themefixture.h"

#include "gfx/font.h"
#include "gfx/fontfactory.h"

#include <memory>
#include <string>
#include <vector>

// What a CellFont drew: the string and where.
struct DrawnString
{
    int x;
    int y;
    std::string text;
};

// Every byte is `width` pixels wide (a line break starts a new line), every line `height` high.
// Clones share the record of drawn strings.
class CellFont : public Font
{
public:
    CellFont(int nWidth, int nHeight, std::shared_ptr<std::vector<DrawnString>> pDrawn);
    RIR::SmartPtr<Font> clone() override;
    void drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText) override;
    bool hasGlyph(char c) override { return c != '\n'; }
    int getTextWidth(const char* pszText) override;
    int getLineHeight() override { return m_nHeight; }

    int m_nWidth;
    int m_nHeight;
    std::shared_ptr<std::vector<DrawnString>> m_pDrawn;
};

// Font class "Cell": arguments width and line height.
class CellFontFactory : public FontFactory
{
public:
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) override;
    std::shared_ptr<std::vector<DrawnString>> m_pDrawn =
        std::make_shared<std::vector<DrawnString>>();
};

// A mode that records its callbacks ("id/param") and the keys its keyDown hears.
class RecordingMode : public GameMode
{
public:
    void onCallback(int nId, int nParam) override;
    bool keyDown(int nKey, int nModifiers) override;
    // The callbacks since the last call, blank-separated, and forgets them.
    std::string fired();

    std::vector<std::string> m_fired;
    std::vector<int> m_keys;
    bool m_bAnswerKeys = false;
};

// A theme of "Theme::Default" = Cell 6 x 18 (margin 3) plus the given lines, loaded into the
// application, and a RecordingMode pushed on it.
class WidgetTest : public ThemeTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Loads the "Theme::Default" block and the extra theme lines as the application's theme.
    void loadWidgetTheme(const std::string& sExtra, int nLineSpacing = 0);

    void moveTo(int x, int y);
    // The pointer moves there, then the button goes down.
    void press(int x, int y, int nButton = 1);
    void release(int x, int y, int nButton = 1);
    // A key press through the platform's pump (which sends the character on when the key is not
    // handled) and its release.
    void key(int nKey, int nModifiers = 0, int nChar = 0);
    // A printable character typed: a key press carrying it.
    void type(int nChar);
    void typeText(const char* pszText);

    RIR::SmartPtr<CellFontFactory> m_pFactory;
    RecordingMode* m_pMode = nullptr; // owned by the application
};

#endif
