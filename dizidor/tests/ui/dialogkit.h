// Shared set-up of the dialog tests: the widget theme with plain button pictures, a recording
// frame-panel builder for the dialogs' frames, and a target that records the answers it hears
// together with the mode that was on top at that moment.
#ifndef DIZIDOR_TESTS_UI_DIALOGKIT_H
#define DIZIDOR_TESTS_UI_DIALOGKIT_H

#include "tablekit.h"
#include "widgetkit.h"

#include "app/icallbacktarget.h"

#include <string>
#include <vector>

class AnswerTarget : public ICallbackTarget
{
public:
    explicit AnswerTarget(GameApp* pApp) : m_pApp(pApp) {}
    void onCallback(int nId, int nParam) override
    {
        m_answers.push_back(std::to_string(nId) + "/" + std::to_string(nParam));
        m_tops.push_back(m_pApp->getTopMode());
    }
    // The answers since the last call, blank-separated, and forgets them.
    std::string heard()
    {
        std::string s;
        for (const std::string& sAnswer : m_answers)
            s += (s.empty() ? "" : " ") + sAnswer;
        m_answers.clear();
        return s;
    }

    GameApp* m_pApp;
    std::vector<std::string> m_answers;
    std::vector<GameMode*> m_tops;
};

class DialogTest : public WidgetTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // The theme of the widget tests with 40 x 20 pictures for the "" button style and the
    // extra lines.
    void loadDialogTheme(const std::string& sExtra);
    // A left click at the centre of the sprite, through the platform's pump.
    void click(const RIR::SmartPtr<Sprite>& pSprite);
    // The button of the dialog's button row at that index.
    RIR::SmartPtr<Sprite> button(class CommonDialog* pDialog, int nIndex);

    FakeFramePanelBuilder m_frames;
    IFramePanelBuilder* m_pPreviousBuilder = nullptr;
    AnswerTarget* m_pTarget = nullptr;
};

#endif
