// Input dispatch, driven through the fake platform's pump: system keys, the walk down the stack,
// focus and hover controls, button masks, releases after a push or pop, quit requests and
// activation.
#include "test_mode_fixture.h"

#include "rir2/exception.h"

#include <algorithm>
#include <functional>
#include <string>

namespace
{

const int KEY_A = 97;
const int KEY_RETURN = 13;
const int KEY_F4 = 285;
const int KEY_F12 = 293;
const int MOD_LALT = 0x100;
const int AV = MF_ACTIVE | MF_VISIBLE;
const int THROUGH = MF_INPUT_THROUGH;

class DispatchTest : public ModeTestBase
{
protected:
    void press(int nKey, int nModifiers = 0, int nChar = 0)
    {
        m_pPlatform->queueKeyDown(nKey, nModifiers, nChar);
        m_pPlatform->pumpEvents();
    }
    void release(int nKey, int nModifiers = 0)
    {
        m_pPlatform->queueKeyUp(nKey, nModifiers);
        m_pPlatform->pumpEvents();
    }
    // nButton: the platform's button number (1 left, 2 middle, 3 right, 4 wheel up).
    void click(int nButton, int nX, int nY, bool bDown)
    {
        if (bDown)
            m_pPlatform->queueMouseDown(nButton, nX, nY);
        else
            m_pPlatform->queueMouseUp(nButton, nX, nY);
        m_pPlatform->pumpEvents();
    }
    int toggles() const { return m_pPlatform->getLog()->countCalls("video.toggleFullscreen"); }
};

// ---- keys --------------------------------------------------------------------------------------

TEST_F(DispatchTest, SystemKeysToggleFullScreenBeforeAnyoneElse)
{
    RecMode* pMode = push("edit");
    RIR::SmartPtr<RecControl> pField = control("field", 0, 0, 0);
    pField->m_bTakeKeys = true;
    pMode->addControl(pField);
    pField->setFocusable(true);
    pField->setFocus();
    heard();

    struct Case
    {
        const char* pszName;
        int nKey;
        int nModifiers;
        int nToggles;
        const char* pszHeard;
    };
    const Case cases[] = {
        {"F12", KEY_F12, 0, 1, ""},
        {"F12 with Alt", KEY_F12, MOD_LALT, 1, ""},
        {"Alt+Return", KEY_RETURN, MOD_LALT, 1, ""},
        {"right Alt+Return", KEY_RETURN, 0x200, 1, ""},
        {"Return alone", KEY_RETURN, 0, 0, "field.keyDown(13)"},
        {"Ctrl+Return", KEY_RETURN, 0x40, 0, "field.keyDown(13)"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        const int nBefore = toggles();
        press(c.nKey, c.nModifiers, c.nKey == KEY_RETURN ? 13 : 0);
        EXPECT_EQ(c.nToggles, toggles() - nBefore);
        EXPECT_EQ(c.pszHeard, heard()) << "a taken key sends no character either";
    }
}

TEST_F(DispatchTest, AltF4IsAQuitRequestNeverAKey)
{
    push("level");
    heard();
    app().setConfirmQuit(true);
    press(KEY_F4, MOD_LALT);
    EXPECT_EQ("level.quit?", heard());
    EXPECT_EQ(1, app().m_nAsked);
    press(KEY_F4, 0); // without Alt it is an ordinary key
    EXPECT_EQ("level.keyDown(285) app.unhandledDown(285)", heard());
}

TEST_F(DispatchTest, KeysWalkDownWhileModesLetInputThrough)
{
    struct Case
    {
        const char* pszName;
        int nTopFlags;
        int nMiddleFlags;
        bool bTopTakes;
        const char* pszHeard;
    };
    const Case cases[] = {
        {"opaque dialog", AV, AV, false,
         "top.keyDown(97) app.unhandledDown(97) top.char(97) | top.keyUp(97) app.unhandledUp(97)"},
        {"through", AV | THROUGH, AV, false,
         "top.keyDown(97) middle.keyDown(97) app.unhandledDown(97) top.char(97) middle.char(97) | "
         "top.keyUp(97) middle.keyUp(97) app.unhandledUp(97)"},
        {"taken at the top", AV | THROUGH, AV, true, "top.keyDown(97) | top.keyUp(97)"},
        {"inactive, through", MF_VISIBLE | THROUGH, AV, false,
         "middle.keyDown(97) app.unhandledDown(97) middle.char(97) | middle.keyUp(97) "
         "app.unhandledUp(97)"},
        {"inactive, not through", MF_VISIBLE, AV | THROUGH, false,
         "app.unhandledDown(97) | app.unhandledUp(97)"},
        {"through twice", AV | THROUGH, AV | THROUGH, false,
         "top.keyDown(97) middle.keyDown(97) bottom.keyDown(97) app.unhandledDown(97) "
         "top.char(97) middle.char(97) bottom.char(97) | top.keyUp(97) middle.keyUp(97) "
         "bottom.keyUp(97) app.unhandledUp(97)"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        restart();
        push("bottom");
        push("middle", c.nMiddleFlags);
        RecMode* pTop = push("top", c.nTopFlags);
        pTop->m_bTakeKeys = c.bTopTakes;
        heard();
        press(KEY_A, 0, KEY_A);
        const std::string sDown = heard();
        release(KEY_A);
        EXPECT_EQ(c.pszHeard, sDown + " | " + heard());
    }
}

TEST_F(DispatchTest, FocusControlHearsKeysFirst)
{
    RecMode* pLevel = push("level");
    RecMode* pDialog = push("dialog", AV | THROUGH);
    RIR::SmartPtr<RecControl> pLevelField = control("lf", 0, 0, 0);
    RIR::SmartPtr<RecControl> pField = control("df", 0, 0, 0);
    pLevel->addControl(pLevelField);
    pDialog->addControl(pField);
    pLevel->setFocus(pLevelField);
    pDialog->setFocus(pField);
    heard();

    press(KEY_A, 0, KEY_A);
    EXPECT_EQ("df.keyDown(97) dialog.keyDown(97) lf.keyDown(97) level.keyDown(97) "
              "app.unhandledDown(97) df.char(97) dialog.char(97) lf.char(97) level.char(97)",
              heard());
    pField->m_bTakeKeys = true;
    press(KEY_A, 0, KEY_A);
    release(KEY_A);
    EXPECT_EQ("df.keyDown(97) df.keyUp(97)", heard());
}

TEST_F(DispatchTest, ReleasesAfterAPushOrPopAreDroppedUntilTheNextPress)
{
    // A key that opens a dialog: its release does not reach the dialog.
    RecMode* pLevel = push("level", AV);
    RecMode* pDialog = nullptr;
    pLevel->m_bTakeKeys = true;
    pLevel->m_onInput = [&]
    {
        if (!pDialog)
            pDialog = push("dialog", AV | THROUGH);
    };
    heard();
    press(KEY_A);
    release(KEY_A);
    EXPECT_EQ("level.keyDown(97) level.deactivate(dialog) dialog.start dialog.activate", heard());
    // F12 is not a press of the modes: the condition stays.
    press(KEY_F12);
    release(KEY_F12);
    EXPECT_EQ("", heard());
    press(KEY_A);
    release(KEY_A);
    EXPECT_EQ("dialog.keyDown(97) level.keyDown(97) dialog.keyUp(97) level.keyUp(97)", heard());

    // A button that closes the dialog: the release does not reach the level below.
    pDialog->m_bTakeButtons = true;
    pDialog->m_onInput = [&] { pDialog->endMode(); };
    click(1, 5, 5, true);
    click(1, 5, 5, false);
    EXPECT_EQ("dialog.down(1) dialog.end level.activate dialog.ended", heard())
        << "no release reached the level";
    click(1, 5, 5, true);
    click(1, 5, 5, false);
    EXPECT_EQ("level.down(1) level.up(1)", heard());
}

TEST_F(DispatchTest, ActivationClearsTheDroppedReleaseConditionAndTellsEveryMode)
{
    push("level");
    push("hud", MF_VISIBLE | THROUGH);
    heard();
    m_pPlatform->queueActivation(false);
    m_pPlatform->queueActivation(true);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("hud.appDeactivated level.appDeactivated hud.appActivated level.appActivated",
              heard())
        << "every mode, active or not";
    click(1, 5, 5, false);
    EXPECT_EQ("level.up(1)", heard()) << "activation ends the dropping of releases";
}

TEST_F(DispatchTest, FullScreenComesBackOnActivationOnce)
{
    RIR::SmartPtr<RecordingLog> pLog = m_pPlatform->getLog();
    // Windowed: activation leaves the video mode alone.
    m_pPlatform->queueActivation(false);
    m_pPlatform->queueActivation(true);
    m_pPlatform->pumpEvents();
    EXPECT_EQ(0, pLog->countCalls("video.setFullscreen"));

    app().setFullscreen(true);
    pLog->clear();
    m_pPlatform->queueActivation(false);
    m_pPlatform->pumpEvents();
    EXPECT_FALSE(video()->isSoftwareCursor()) << "the system pointer while inactive";
    EXPECT_EQ(0, pLog->countCalls("video.setFullscreen")) << "full screen is not left";
    video()->setFullscreen(false); // the system took the display away
    pLog->clear();
    m_pPlatform->queueActivation(true);
    m_pPlatform->queueActivation(false);
    m_pPlatform->queueActivation(true);
    m_pPlatform->pumpEvents();
    EXPECT_EQ(2, pLog->countCalls("video.setFullscreen(1)"))
        << "once per activation after a deactivation in full screen";
    EXPECT_TRUE(app().isFullscreen());
    EXPECT_TRUE(video()->isSoftwareCursor()) << "the cursor setting is applied again";
}

// ---- the pointer -------------------------------------------------------------------------------

TEST_F(DispatchTest, HoverFollowsThePointerFromControlToControl)
{
    RecMode* pMode = push("mode");
    pMode->addControl(control("a", 100, 100, 0));
    pMode->addControl(control("b", 120, 100, 0));
    heard();
    moveTo(105, 105);
    EXPECT_EQ("a.enter a.move(105,105) mode.move(105,105)", heard());
    moveTo(106, 105);
    EXPECT_EQ("a.move(106,105) mode.move(106,105)", heard());
    // Two motions in one pump: one dispatch at the last position.
    m_pPlatform->queueMouseMove(115, 105);
    m_pPlatform->queueMouseMove(125, 105);
    m_pPlatform->pumpEvents();
    EXPECT_EQ("a.leave b.enter b.move(125,105) mode.move(125,105)", heard());
    moveTo(150, 150);
    EXPECT_EQ("b.leave mode.move(150,150)", heard());
    EXPECT_FALSE(pMode->getHover());
}

TEST_F(DispatchTest, FocusControlSeesEveryMoveAndTheHoverWalkRunsInEveryModeReached)
{
    RecMode* pLevel = push("level");
    RIR::SmartPtr<RecControl> pLevelButton = control("lb", 50, 50, 0);
    pLevel->addControl(pLevelButton);
    RecMode* pDialog = push("dialog", AV | THROUGH);
    RIR::SmartPtr<RecControl> pField = control("field", 50, 50, 0);
    pDialog->addControl(pField);
    pDialog->setFocus(pField);
    heard();
    moveTo(100, 100);
    EXPECT_EQ("field.move(100,100) dialog.move(100,100) level.move(100,100)", heard());
    moveTo(53, 53);
    EXPECT_EQ("field.move(53,53) field.enter field.move(53,53) dialog.move(53,53) lb.enter "
              "lb.move(53,53) level.move(53,53)",
              heard())
        << "the focus control under the pointer gets the move twice";
    pDialog->m_bTakeMoves = true;
    moveTo(54, 54);
    EXPECT_EQ("field.move(54,54) field.move(54,54) dialog.move(54,54)", heard());

    // Removing the control: leave, focus lost, then the hover refresh, which walks the hover
    // without the modes' own handlers.
    pDialog->removeControl(pField);
    EXPECT_EQ("field.leave field.focus- lb.move(54,54)", heard());
}

TEST_F(DispatchTest, AControlThatLeavesTheModeInItsLeaveHookHearsItOnce)
{
    RecMode* pMode = push("mode");
    RIR::SmartPtr<RecControl> pButton = control("button", 100, 100, 0);
    pMode->addControl(pButton);
    pButton->setFocusable(true);
    pButton->m_onLeave = [&]
    {
        pMode->removeControl(pButton);
        pMode->removeObject(pButton);
    };
    moveTo(105, 105);
    pButton->setFocus();
    heard();
    moveTo(300, 300);
    EXPECT_EQ("button.move(300,300) button.leave button.focus- mode.move(300,300)", heard());
    EXPECT_FALSE(pMode->getHover());
    EXPECT_FALSE(pMode->getFocus());
    EXPECT_EQ(nullptr, pButton->getMode());
}

// The name of a control as the journal writes it; "-" for none.
std::string nameOf(const RIR::SmartPtr<Control>& pControl)
{
    const RecControl* pRec = dynamic_cast<const RecControl*>(pControl.get());
    return pRec ? pRec->m_sName : std::string("-");
}

TEST_F(DispatchTest, HoverHooksRunOldLeaveThenNewEnterBeforeTheHoverIsStored)
{
    RecMode* pMode = push("mode");
    RIR::SmartPtr<RecControl> pA = control("a", 100, 100, 0);
    RIR::SmartPtr<RecControl> pB = control("b", 120, 100, 0);
    for (RecControl* pControl : {pA.get(), pB.get()})
    {
        pControl->m_onEnter = [this, pMode]
        { m_journal.push_back("hover=" + nameOf(pMode->getHover())); };
        pControl->m_onLeave = pControl->m_onEnter;
    }
    pMode->addControl(pA);
    pMode->addControl(pB);
    heard();
    moveTo(105, 105);
    EXPECT_EQ("a.enter hover=- a.move(105,105) mode.move(105,105)", heard());
    moveTo(125, 105);
    EXPECT_EQ("a.leave hover=a b.enter hover=a b.move(125,105) mode.move(125,105)", heard());
    EXPECT_EQ(pB.get(), pMode->getHover().get());
    moveTo(300, 300);
    EXPECT_EQ("b.leave hover=b mode.move(300,300)", heard());
    EXPECT_FALSE(pMode->getHover());
}

TEST_F(DispatchTest, HoverHooksThatChangeTheControlsAreHeardOnceEach)
{
    // A leave hook that refreshes the hover (a button hiding itself does), and an enter hook
    // that takes its own control out of the mode's controls.
    struct Case
    {
        const char* pszWhat;
        bool bRefreshInLeave;
        bool bRemoveInEnter;
        const char* pszHover; // the hover afterwards
    };
    const Case aCases[] = {
        {"refresh in the leave hook", true, false, "b"},
        {"new control removed in its enter hook", false, true, "-"},
        {"both", true, true, "-"},
    };
    for (const Case& c : aCases)
    {
        restart();
        RecMode* pMode = push("mode");
        RIR::SmartPtr<RecControl> pA = control("a", 100, 100, 0);
        RIR::SmartPtr<RecControl> pB = control("b", 120, 100, 0);
        if (c.bRefreshInLeave)
            pA->m_onLeave = [this] { app().refreshHover(); };
        if (c.bRemoveInEnter)
        {
            RecControl* pRawB = pB.get(); // not the smart pointer: the control holds the hook
            pB->m_onEnter = [pMode, pRawB] { pMode->removeControl(pRawB); };
        }
        pMode->addControl(pA);
        pMode->addControl(pB);
        moveTo(105, 105);
        heard();
        moveTo(125, 105);
        const Journal journal = m_journal;
        heard();
        EXPECT_EQ(1, std::count(journal.begin(), journal.end(), "a.leave")) << c.pszWhat;
        EXPECT_EQ(1, std::count(journal.begin(), journal.end(), "b.enter")) << c.pszWhat;
        EXPECT_EQ(0, std::count(journal.begin(), journal.end(), "a.enter")) << c.pszWhat;
        EXPECT_EQ(0, std::count(journal.begin(), journal.end(), "b.leave")) << c.pszWhat;
        EXPECT_EQ(c.pszHover, nameOf(pMode->getHover())) << c.pszWhat;
        // The next move away settles the hover without repeating a hook.
        moveTo(300, 300);
        const std::string sAway = heard();
        EXPECT_EQ(std::string(c.pszHover) == "b" ? "b.leave mode.move(300,300)"
                                                 : "mode.move(300,300)",
                  sAway)
            << c.pszWhat;
    }
}

TEST_F(DispatchTest, RemovingAControlCallsItsHooksWhileItStillHoldsHoverAndFocus)
{
    RecMode* pMode = push("mode");
    RIR::SmartPtr<RecControl> pField = control("field", 100, 100, 0);
    pMode->addControl(pField);
    pField->setFocusable(true);
    pField->setFocus();
    moveTo(105, 105);
    auto roles = [this, pMode]
    {
        m_journal.push_back("hover=" + nameOf(pMode->getHover()) +
                            ",focus=" + nameOf(pMode->getFocus()));
    };
    pField->m_onLeave = roles;
    pField->m_onFocusLost = roles;
    heard();
    pMode->removeControl(pField);
    EXPECT_EQ("field.leave hover=field,focus=field field.focus- hover=-,focus=field", heard());
    EXPECT_FALSE(pMode->getHover());
    EXPECT_FALSE(pMode->getFocus());
}

TEST_F(DispatchTest, RemovalHooksThatRefreshOrDropTheRoleAreHeardOnce)
{
    // Hooks that act on the control being removed: they must not make it hear its hooks again.
    struct Case
    {
        const char* pszWhat;
        std::function<void(RecMode*, RecControl*)> leave;
        std::function<void(RecMode*, RecControl*)> focusLost;
    };
    const Case aCases[] = {
        {"leave hook refreshes the hover", [this](RecMode*, RecControl*) { app().refreshHover(); },
         nullptr},
        {"leave hook removes the control again",
         [](RecMode* pMode, RecControl* pField) { pMode->removeControl(pField); }, nullptr},
        {"focus hook drops the focus", nullptr,
         [](RecMode*, RecControl* pField) { pField->dropFocus(); }},
        {"focus hook disables the control", nullptr,
         [](RecMode*, RecControl* pField) { pField->setEnabled(false); }},
        {"focus hook removes the control from the mode", nullptr,
         [](RecMode* pMode, RecControl* pField) { pMode->removeObject(pField); }},
    };
    for (const Case& c : aCases)
    {
        restart();
        RecMode* pMode = push("mode");
        RIR::SmartPtr<RecControl> pField = control("field", 100, 100, 0);
        pMode->addControl(pField);
        pField->setFocusable(true);
        pField->setFocus();
        moveTo(105, 105);
        RecControl* pRaw = pField.get(); // not the smart pointer: the control holds the hooks
        if (c.leave)
            pField->m_onLeave = [&c, pMode, pRaw] { c.leave(pMode, pRaw); };
        if (c.focusLost)
            pField->m_onFocusLost = [&c, pMode, pRaw] { c.focusLost(pMode, pRaw); };
        heard();
        pMode->removeControl(pField);
        // The focus control also sees the move of a refresh; only the hooks count here.
        Journal hooks;
        for (const std::string& sHeard : m_journal)
            if (sHeard.find(".move(") == std::string::npos)
                hooks.push_back(sHeard);
        heard();
        EXPECT_EQ("field.leave field.focus-", joined(hooks)) << c.pszWhat;
        EXPECT_FALSE(pMode->getHover()) << c.pszWhat;
        EXPECT_FALSE(pMode->getFocus()) << c.pszWhat;
        pField->m_onLeave = nullptr;
        pField->m_onFocusLost = nullptr;
    }
}

TEST_F(DispatchTest, PushAndPopBringTheHoverUpToDate)
{
    RecMode* pLevel = push("level");
    pLevel->addControl(control("c", 50, 50, 0));
    push("dialog"); // covers the level; takes no input through
    heard();
    moveTo(55, 55);
    EXPECT_EQ("dialog.move(55,55)", heard());
    app().getTopMode()->endMode();
    EXPECT_EQ("dialog.end level.activate c.enter c.move(55,55) dialog.ended", heard())
        << "the pop replays the pointer for the uncovered mode";

    // A control added under a resting pointer is hovered at once.
    pLevel->addControl(control("d", 50, 50, 1));
    EXPECT_EQ("c.leave d.enter d.move(55,55)", heard());
}

TEST_F(DispatchTest, ButtonsGoToTheHoverControlOrClearTheFocus)
{
    RecMode* pMode = push("mode");
    RIR::SmartPtr<RecControl> pField = control("field", 0, 0, 0);
    pMode->addControl(pField);
    pField->setFocusable(true);
    moveTo(5, 5);
    heard();
    click(1, 5, 5, true);
    EXPECT_EQ("field.down(1) field.focus+", heard()) << "a focusable control takes the press";
    EXPECT_EQ(pField.get(), pMode->getFocus().get());
    click(1, 5, 5, false);
    EXPECT_EQ("field.up(1) field.up(1) mode.up(1)", heard())
        << "hover and focus are both asked, the same control twice";

    click(2, 5, 5, true);
    EXPECT_EQ("field.down(2) mode.down(2)", heard()) << "the middle button gives no focus";

    moveTo(50, 50);
    heard();
    click(1, 50, 50, true);
    EXPECT_EQ("field.focus- mode.down(1)", heard()) << "a click beside every control";
    EXPECT_FALSE(pMode->getFocus());
    click(1, 50, 50, false);
    EXPECT_EQ("mode.up(1)", heard());
}

TEST_F(DispatchTest, ButtonMasksDecideWhichModesTakePart)
{
    struct Case
    {
        const char* pszName;
        int nTopMask;
        int nTopFlags;
        int nButton;
        const char* pszHeard;
    };
    const Case cases[] = {
        {"left accepted", 1, AV, 1, "top.down(1) top.up(1)"},
        {"right refused, opaque", 1, AV, 3, ""},
        {"right refused, through", 1, AV | THROUGH, 3, "level.down(4) level.up(4)"},
        {"wheel accepted", 8 | 16, AV, 4, "top.down(8) top.up(8)"},
        {"every button", -1, AV, 5, "top.down(16) top.up(16)"},
        {"unknown button reaches nobody", -1, AV | THROUGH, 7, ""},
        {"inactive, through", -1, MF_VISIBLE | THROUGH, 1, "level.down(1) level.up(1)"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        restart();
        push("level");
        RecMode* pTop = push("top", c.nTopFlags);
        pTop->setMouseButtonMask(c.nTopMask);
        heard();
        click(1, 0, 0, true); // ends the dropping of releases that the pushes started
        click(1, 0, 0, false);
        heard();
        click(c.nButton, 0, 0, true);
        click(c.nButton, 0, 0, false);
        EXPECT_EQ(c.pszHeard, heard());
    }
}

TEST_F(DispatchTest, ButtonWalkPassesOverModesAHandlerRemoved)
{
    push("c");
    RecMode* pB = push("b"); // lets no input through
    RecMode* pA = push("a", AV | THROUGH);
    pA->m_onInput = [&]
    {
        pA->endMode();
        pB->endMode();
    };
    heard();
    click(1, 0, 0, true);
    EXPECT_EQ("a.down(1) a.end b.activate a.ended b.end c.activate b.ended c.down(1)", heard());
}

// ---- quitting ----------------------------------------------------------------------------------

TEST_F(DispatchTest, QuitRequestAsksEveryActiveModeThenTheApplication)
{
    push("level");
    push("paused", MF_VISIBLE);
    RecMode* pDialog = push("dialog"); // opaque, no input through: asked all the same
    heard();
    m_pPlatform->queueQuit();
    m_pPlatform->pumpEvents();
    EXPECT_EQ("dialog.quit? level.quit?", heard());

    pDialog->m_bTakeQuit = true;
    app().setConfirmQuit(true);
    m_pPlatform->queueQuit();
    m_pPlatform->pumpEvents();
    EXPECT_EQ("dialog.quit?", heard());
    EXPECT_EQ(0, app().m_nAsked) << "a mode took it";
}

TEST_F(DispatchTest, UnhandledQuitAsksForConfirmationOnceOrQuitsWithOne)
{
    push("level");
    app().setConfirmQuit(true);
    m_pPlatform->queueQuit();
    m_pPlatform->queueQuit(); // the confirmation is already showing
    m_pPlatform->pumpEvents();
    EXPECT_EQ(1, app().m_nAsked);
    app().endQuitConfirm();
    m_pPlatform->queueQuit();
    m_pPlatform->pumpEvents();
    EXPECT_EQ(2, app().m_nAsked);

    app().setConfirmQuit(false);
    m_pPlatform->queueQuit();
    EXPECT_EQ(1, app().run()) << "the loop ends after the frame that saw the close";
    EXPECT_EQ(3, m_pPlatform->getPumpCount());
}

// ---- input state -------------------------------------------------------------------------------

TEST_F(DispatchTest, InputStateComesFromThePlatform)
{
    m_pPlatform->setMousePos(12, 34);
    int nX = -1;
    int nY = -1;
    app().getMousePosition(&nX, &nY);
    EXPECT_EQ(12, nX);
    EXPECT_EQ(34, nY);
    app().getMousePosition(nullptr, &nY);
    EXPECT_FLOAT_EQ(12.0f, app().getMousePoint().x);
    app().setMousePosition(7, 8);
    EXPECT_FLOAT_EQ(8.0f, app().getMousePoint().y);
    m_pPlatform->setMouseButtonDown(3, true);
    EXPECT_TRUE(app().isMouseButtonDown(3));
    EXPECT_FALSE(app().isMouseButtonDown(1));
    m_pPlatform->setKeyDown(KEY_A, true);
    m_pPlatform->setKeyModifiers(MOD_LALT);
    EXPECT_TRUE(app().isKeyDown(KEY_A));
    EXPECT_EQ(MOD_LALT, app().getKeyModifiers());
    const int nPad = m_pPlatform->addJoystick("Pad", 2, 3);
    m_pPlatform->setJoystickAxis(nPad, 1, -32768.0f);
    m_pPlatform->setJoystickButton(nPad, 2, true);
    EXPECT_EQ(1, app().getNumJoysticks());
    EXPECT_STREQ("Pad", app().getJoystickName(nPad).c_str());
    EXPECT_EQ(2, app().getJoystickNumAxes(nPad));
    EXPECT_EQ(3, app().getJoystickNumButtons(nPad));
    EXPECT_FLOAT_EQ(-32768.0f, app().getJoystickAxis(1, nPad));
    EXPECT_TRUE(app().isJoystickButtonDown(2, nPad));
}

TEST(InputStateAlone, NeutralWithoutAPlatform)
{
    TempFolder folder;
    openLog(folder.at("app.log").c_str());
    {
        GameApp app;
        int nX = -1;
        int nY = -1;
        app.getMousePosition(&nX, &nY);
        EXPECT_EQ(0, nX);
        EXPECT_EQ(0, nY);
        EXPECT_FALSE(app.isKeyDown(KEY_A));
        EXPECT_FALSE(app.isMouseButtonDown(1));
        EXPECT_EQ(0, app.getNumJoysticks());
        EXPECT_STREQ("", app.getJoystickName(0).c_str());
        app.refreshHover(); // an empty stack and no pointer: nothing to do
    }
    closeLog();
}

} // namespace
