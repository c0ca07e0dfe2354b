#include "dialogkit.h"

#include "ui/commondialog.h"

void DialogTest::SetUp()
{
    WidgetTest::SetUp();
    m_pTarget = new AnswerTarget(m_pApp.get());
    loadDialogTheme("");
}

void DialogTest::TearDown()
{
    m_pApp.reset();
    IFramePanelBuilder::install(m_pPreviousBuilder);
    delete m_pTarget;
    WidgetTest::TearDown();
}

void DialogTest::loadDialogTheme(const std::string& sExtra)
{
    const char* const apszStates[] = {"normal", "pushed", "highlight", "disabled"};
    std::string sTheme;
    for (int i = 0; i < 4; ++i)
    {
        const std::string sName = std::string("dlg_") + apszStates[i];
        picture(sName.c_str(), 40, 20, Color(40 * i, 60, 90, 255));
        sTheme += std::string("buttonimage ") + apszStates[i] + " " + sName + "\n";
    }
    loadWidgetTheme(sTheme + sExtra);
    // Installed after the theme, which may install itself.
    m_frames.setBorders("", 8, 8, 8, 8);
    IFramePanelBuilder* pPrevious = IFramePanelBuilder::install(&m_frames);
    if (pPrevious != &m_frames)
        m_pPreviousBuilder = pPrevious;
}

void DialogTest::click(const RIR::SmartPtr<Sprite>& pSprite)
{
    const Rect bounds = pSprite->getBounds();
    const int x = (bounds.left + bounds.right) / 2;
    const int y = (bounds.top + bounds.bottom) / 2;
    press(x, y);
    release(x, y);
}

RIR::SmartPtr<Sprite> DialogTest::button(CommonDialog* pDialog, int nIndex)
{
    return RIR::dynamicCast<Sprite>(pDialog->getButtonTable()->getObject(0, nIndex, 0));
}
