#include "widgetkit.h"

#include "gfx/fontfactorytable.h"

#include <algorithm>

CellFont::CellFont(int nWidth, int nHeight, std::shared_ptr<std::vector<DrawnString>> pDrawn)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_pDrawn(pDrawn)
{
}

RIR::SmartPtr<Font> CellFont::clone()
{
    RIR::SmartPtr<Font> pCopy = new CellFont(m_nWidth, m_nHeight, m_pDrawn);
    pCopy->copyStyleFrom(this);
    pCopy->setFactory(getFactory(), getFactoryArgs());
    return pCopy;
}

void CellFont::drawString(RIR::SmartPtr<Image> /*pTarget*/, int x, int y, const char* pszText)
{
    m_pDrawn->push_back({x, y, pszText ? pszText : ""});
}

int CellFont::getTextWidth(const char* pszText)
{
    int nWidest = 0;
    int nLine = 0;
    for (const char* p = pszText ? pszText : ""; *p; ++p)
    {
        nLine = *p == '\n' ? 0 : nLine + m_nWidth;
        nWidest = std::max(nWidest, nLine);
    }
    return nWidest;
}

RIR::SmartPtr<Font> CellFontFactory::createFont(const RIR::List<RIR::String>& lArgs)
{
    RIR::SmartPtr<Font> pFont = new CellFont(RIR::String::toInt(lArgs.get(0).c_str()),
                                             RIR::String::toInt(lArgs.get(1).c_str()), m_pDrawn);
    pFont->setFactory(this, lArgs);
    return pFont;
}

void RecordingMode::onCallback(int nId, int nParam)
{
    m_fired.push_back(std::to_string(nId) + "/" + std::to_string(nParam));
}

bool RecordingMode::keyDown(int nKey, int /*nModifiers*/)
{
    m_keys.push_back(nKey);
    return m_bAnswerKeys;
}

std::string RecordingMode::fired()
{
    std::string s;
    for (const std::string& sCall : m_fired)
        s += (s.empty() ? "" : " ") + sCall;
    m_fired.clear();
    return s;
}

void WidgetTest::SetUp()
{
    ThemeTest::SetUp();
    m_pFactory = new CellFontFactory();
    FontFactoryTable::registerFactory("Cell", m_pFactory.get());
    loadWidgetTheme("");
    m_pMode = new RecordingMode();
    m_pApp->pushMode(m_pMode);
}

void WidgetTest::TearDown()
{
    m_pApp.reset();
    FontFactoryTable::unregisterFactory("Cell");
    ThemeTest::TearDown();
}

void WidgetTest::loadWidgetTheme(const std::string& sExtra, int nLineSpacing)
{
    file("w.theme", "font Theme::Default {\nclass Cell 6 18\nextralinespacing " +
                        std::to_string(nLineSpacing) + "\n}\n" + sExtra);
    m_pApp->loadTheme("w.theme");
}

void WidgetTest::moveTo(int x, int y)
{
    m_pPlatform->queueMouseMove(x, y);
    m_pPlatform->pumpEvents();
}

void WidgetTest::press(int x, int y, int nButton)
{
    // The pointer comes first, as with a real mouse: the control under it is the hover control.
    moveTo(x, y);
    m_pPlatform->queueMouseDown(nButton, x, y);
    m_pPlatform->pumpEvents();
}

void WidgetTest::release(int x, int y, int nButton)
{
    m_pPlatform->queueMouseUp(nButton, x, y);
    m_pPlatform->pumpEvents();
}

void WidgetTest::key(int nKey, int nModifiers, int nChar)
{
    m_pPlatform->queueKeyDown(nKey, nModifiers, nChar);
    m_pPlatform->queueKeyUp(nKey, nModifiers);
    m_pPlatform->pumpEvents();
}

void WidgetTest::type(int nChar)
{
    // Letters and digits come with their own key symbol; anything else with a key no widget
    // knows, so that only the character matters.
    const int nKey = nChar >= 32 && nChar < 127 ? nChar : 0;
    key(nKey, 0, nChar);
}

void WidgetTest::typeText(const char* pszText)
{
    for (const char* p = pszText; *p; ++p)
        type((unsigned char)*p);
}
