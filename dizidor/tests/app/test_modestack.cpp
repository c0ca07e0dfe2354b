// The mode stack: the hooks of push, pop, end and suspend, transitions, the modal run, the update
// walk, the drawing order and the deletion of ended modes.
#include "test_mode_fixture.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"
#include "testkit/modeframedrawer.h"

#include <cstdint>
#include <type_traits>

static_assert(!std::is_copy_constructible_v<GameMode>, "a mode is one screen");
static_assert(std::has_virtual_destructor_v<GameMode>, "the application deletes modes");

namespace
{

std::string addressOf(const void* p)
{
    return RIR::String::format("0x%08X", (unsigned)(uintptr_t)p).c_str();
}

// A transition that writes its lead-in to the journal.
class RecTransition : public TransitionMode
{
public:
    RecTransition(Journal& journal, int* pnDeleted = nullptr)
        : m_journal(journal), m_pnDeleted(pnDeleted)
    {
    }
    ~RecTransition() override
    {
        if (m_pnDeleted)
            ++*m_pnDeleted;
    }
    void leadIn(int nKind, GameMode* pTarget, int nEnding) override
    {
        RecMode* pMode = dynamic_cast<RecMode*>(pTarget);
        m_journal.push_back("t.leadIn(" + std::to_string(nKind) + "," +
                            (pMode ? pMode->m_sName : std::string("?")) + "," +
                            std::to_string(nEnding) + ")");
    }
    void onStart() override { m_journal.push_back("t.start"); }
    void onActivate() override { m_journal.push_back("t.activate"); }

    Journal& m_journal;
    int* m_pnDeleted;
};

class ModeStackTest : public ModeTestBase
{
};

// ---- push, pop, end, suspend -------------------------------------------------------------------

TEST_F(ModeStackTest, PushCoversTheTopStartsOnceAndActivatesOnlyTheTop)
{
    RecMode* pMenu = push("menu");
    EXPECT_EQ("menu.start menu.activate", heard());
    EXPECT_EQ(MS_RUNNING, pMenu->getState());

    RecMode* pLevel = mode("level");
    const int nRedraws = video()->getInvalidateCount();
    app().pushMode(pLevel);
    EXPECT_EQ("menu.deactivate(level) level.start level.activate", heard());
    EXPECT_EQ(pLevel, app().getTopMode());
    EXPECT_EQ(2, app().getModeCount());
    EXPECT_EQ(pMenu, app().getMode(1));
    EXPECT_EQ(nRedraws + 1, video()->getInvalidateCount());

    // A mode whose start pushes another is covered at once and never activated.
    RecMode* pStory = mode("story");
    pStory->m_onStart = [&] { push("scene"); };
    app().pushMode(pStory);
    EXPECT_EQ("level.deactivate(story) story.start story.deactivate(scene) scene.start "
              "scene.activate",
              heard());
    EXPECT_EQ("scene", static_cast<RecMode*>(app().getTopMode())->m_sName);
    EXPECT_EQ(MS_RUNNING, pStory->getState());

    EXPECT_EQ("List index out of range : 4 (have 4)",
              messageOf<RIR::FatalErrorException>([&] { app().getMode(4); }));
}

TEST_F(ModeStackTest, EndActivatesTheModeBelowBeforeTheEndedOneHearsOfIt)
{
    int nDeleted = 0;
    RecMode* pLevel = push("level");
    RecMode* pDialog = push("dialog");
    pDialog->m_pnDeleted = &nDeleted;
    heard();

    pDialog->endMode();
    EXPECT_EQ("dialog.end level.activate dialog.ended", heard());
    EXPECT_EQ(MS_ENDED, pDialog->getState());
    EXPECT_EQ(pLevel, app().getTopMode());
    EXPECT_EQ(0, nDeleted) << "deleted at the end of the frame, not before";
    frame();
    EXPECT_EQ(1, nDeleted);
    EXPECT_EQ("level.update", heard()) << "the ended mode is not updated again";
}

TEST_F(ModeStackTest, SuspendedModeComesBackWithoutASecondStart)
{
    RecMode* pLevel = push("level");
    RecMode* pPause = push("pause");
    heard();
    pPause->suspendMode();
    EXPECT_EQ("pause.suspend level.activate", heard());
    EXPECT_EQ(MS_SUSPENDED, pPause->getState());
    frame();
    EXPECT_EQ(pLevel, app().getTopMode());

    app().pushMode(pPause);
    EXPECT_EQ("level.update level.deactivate(pause) pause.activate", heard());
    EXPECT_EQ(MS_RUNNING, pPause->getState());
}

TEST_F(ModeStackTest, OnlyTheTopModeMayEndOrSuspend)
{
    RecMode* pLevel = push("level");
    RecMode* pDialog = push("dialog");
    heard();
    const std::string sAddresses =
        " [this = " + addressOf(pLevel) + ", topmost = " + addressOf(pDialog) + "]";
    EXPECT_EQ("Only the topmost mode can call endMode()" + sAddresses,
              messageOf<RIR::FatalErrorException>([&] { pLevel->endMode(); }));
    EXPECT_EQ("Only the topmost mode can call suspendMode()" + sAddresses,
              messageOf<RIR::FatalErrorException>([&] { pLevel->suspendMode(); }));
    EXPECT_EQ(pDialog, app().getTopMode());
    EXPECT_EQ(MS_RUNNING, pLevel->getState());
    EXPECT_EQ("", heard());

    // A mode that is on no stack at all: the top is printed as 0.
    std::unique_ptr<RecMode> pLoose(mode("loose"));
    EXPECT_EQ("Only the topmost mode can call endMode() [this = " + addressOf(pLoose.get()) +
                  ", topmost = " + addressOf(pDialog) + "]",
              messageOf<RIR::FatalErrorException>([&] { pLoose->endMode(); }));
    pDialog->endMode();
    pLevel->endMode();
    EXPECT_EQ("Only the topmost mode can call suspendMode() [this = " + addressOf(pLoose.get()) +
                  ", topmost = 0x00000000]",
              messageOf<RIR::FatalErrorException>([&] { pLoose->suspendMode(); }));
}

TEST_F(ModeStackTest, ModesCannotBePushedTwice)
{
    RecMode* pLevel = push("level");
    EXPECT_EQ("Assertion failed : pMode->getState() == MS_NEW || pMode->getState() == "
              "MS_SUSPENDED",
              messageOf<RIR::AssertFailException>([&] { app().pushMode(pLevel); }));
    pLevel->endMode();
    EXPECT_EQ("Assertion failed : pMode->getState() == MS_NEW || pMode->getState() == "
              "MS_SUSPENDED",
              messageOf<RIR::AssertFailException>([&] { app().pushMode(pLevel); }));
    EXPECT_EQ(0, app().getModeCount());
}

TEST_F(ModeStackTest, PoppingTheLastModeLeavesAQuietEmptyStack)
{
    RecMode* pOnly = push("only");
    heard();
    const int nRedraws = video()->getInvalidateCount();
    const int nFrames = video()->getFrameCount();
    pOnly->endMode();
    EXPECT_EQ("only.end only.ended", heard());
    EXPECT_EQ(nullptr, app().getTopMode());
    EXPECT_EQ(nRedraws, video()->getInvalidateCount());
    frame();
    EXPECT_EQ(nFrames, video()->getFrameCount()) << "nothing to draw";
    EXPECT_EQ("", heard());
}

TEST_F(ModeStackTest, EndModesAboveEndsFromTheTop)
{
    RecMode* pMenu = push("menu");
    push("a");
    push("b");
    heard();
    pMenu->endModesAbove();
    EXPECT_EQ("b.end a.activate b.ended a.end menu.activate a.ended", heard());
    EXPECT_EQ(pMenu, app().getTopMode());

    std::unique_ptr<RecMode> pLoose(mode("loose"));
    EXPECT_EQ("Assertion failed : bOnStack",
              messageOf<RIR::AssertFailException>([&] { pLoose->endModesAbove(); }));
}

// ---- transitions -------------------------------------------------------------------------------

TEST_F(ModeStackTest, TransitionsLeadInAndTakeTheTop)
{
    int nDeleted = 0;
    RecMode* pLevel = push("level");
    RecTransition* pOut = new RecTransition(m_journal, &nDeleted);
    pLevel->setTransition(pOut);
    heard();

    // Ending with a transition pushes the transition instead; the mode stays running.
    pLevel->endMode();
    EXPECT_EQ("t.leadIn(1,level,1) level.deactivate(?) t.start t.activate", heard());
    EXPECT_EQ(pOut, app().getTopMode());
    EXPECT_EQ(MS_RUNNING, pLevel->getState());
    EXPECT_EQ(nullptr, pLevel->getTransition()) << "the stack holds it now";

    // Pushing with a transition leads in to the mode and pushes the transition.
    RecMode* pNext = mode("next");
    RecTransition* pIn = new RecTransition(m_journal, &nDeleted);
    app().pushModeWithTransition(pNext, pIn);
    EXPECT_EQ("t.leadIn(1,next,0) t.start t.activate", heard());
    EXPECT_EQ(pIn, app().getTopMode());
    delete pNext; // never pushed: its owner deletes it

    EXPECT_EQ("Assertion failed : pTransition",
              messageOf<RIR::AssertFailException>(
                  [&] { app().pushModeWithTransition(pLevel, nullptr); }));
    EXPECT_EQ("Assertion failed : pTransition",
              messageOf<RIR::AssertFailException>([&] { pLevel->startTransition(nullptr); }));

    // A transition replaced or left unused goes with its mode.
    pLevel->setTransition(new RecTransition(m_journal, &nDeleted));
    pLevel->setTransition(new RecTransition(m_journal, &nDeleted));
    EXPECT_EQ(1, nDeleted);
    m_pApp.reset();
    EXPECT_EQ(4, nDeleted);
}

// ---- the modal run -----------------------------------------------------------------------------

TEST_F(ModeStackTest, ModalRunStepsFramesUntilTheModeLeaves)
{
    int nDeleted = 0;
    RecMode* pLevel = push("level", MF_ACTIVE | MF_VISIBLE | MF_INPUT_THROUGH);
    RecMode* pDialog = mode("dialog", MF_ACTIVE | MF_UPDATE_THROUGH | MF_INPUT_THROUGH);
    pDialog->m_pnDeleted = &nDeleted;
    int nUpdates = 0;
    pDialog->m_onUpdate = [&]
    {
        if (++nUpdates == 3)
            pDialog->endMode();
    };
    heard();
    app().runModal(pDialog);
    EXPECT_EQ(MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH, pDialog->getFlags())
        << "nothing below is updated or given input";
    EXPECT_EQ(3, nUpdates);
    EXPECT_EQ("level.deactivate(dialog) dialog.start dialog.activate dialog.update dialog.update "
              "dialog.update dialog.end level.activate dialog.ended",
              heard());
    EXPECT_EQ(0, nDeleted) << "a modal frame leaves ended modes to the outer loop";
    EXPECT_EQ(pLevel, app().getTopMode());
    frame();
    EXPECT_EQ(1, nDeleted);
}

// ---- the update walk ---------------------------------------------------------------------------

TEST_F(ModeStackTest, UpdateWalkFollowsTheFlags)
{
    struct Case
    {
        const char* pszName;
        int nTopFlags;
        int nMiddleFlags;
        const char* pszUpdated;
    };
    const int AV = MF_ACTIVE | MF_VISIBLE;
    const Case cases[] = {
        {"opaque top", AV, AV, "top.update"},
        {"see-through only", AV | MF_SEE_THROUGH, AV, "top.update"},
        {"update-through", AV | MF_UPDATE_THROUGH, AV, "top.update middle.update"},
        {"through twice", AV | MF_UPDATE_THROUGH, AV | MF_UPDATE_THROUGH,
         "top.update middle.update bottom.update"},
        {"inactive passes on", MF_VISIBLE | MF_UPDATE_THROUGH, AV, "middle.update"},
        {"inactive, not through", MF_VISIBLE, AV, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        restart();
        push("bottom");
        push("middle", c.nMiddleFlags);
        push("top", c.nTopFlags);
        heard();
        frame();
        EXPECT_EQ(c.pszUpdated, heard());
    }
}

TEST_F(ModeStackTest, UpdateWalkAroundPushesAndEndsDuringTheWalk)
{
    const int THROUGH = MF_ACTIVE | MF_VISIBLE | MF_UPDATE_THROUGH;
    // A mode that pushes another during its update is not updated twice, and the new mode waits
    // for the next frame.
    push("bottom");
    RecMode* pLevel = push("level", THROUGH);
    bool bPushed = false;
    pLevel->m_onUpdate = [&]
    {
        if (!bPushed)
            push("popup");
        bPushed = true;
    };
    heard();
    frame();
    EXPECT_EQ("level.update level.deactivate(popup) popup.start popup.activate bottom.update",
              heard());
    frame();
    EXPECT_EQ("popup.update", heard());

    // A mode that lets updates through and ends itself in its update: the mode that moves up
    // into its place is passed over in that frame, the walk goes on after it.
    restart();
    push("c");
    push("b", THROUGH);
    RecMode* pA = push("a", THROUGH);
    pA->m_onUpdate = [&] { pA->endMode(); };
    heard();
    frame();
    EXPECT_EQ("a.update a.end b.activate a.ended c.update", heard());
    frame();
    EXPECT_EQ("b.update c.update", heard());
}

// ---- drawing -----------------------------------------------------------------------------------

TEST_F(ModeStackTest, FirstDrawnModeIsTheFirstOpaqueOneFromTheTop)
{
    EXPECT_EQ(-1, app().getFirstDrawnModeIndex());
    const int AV = MF_ACTIVE | MF_VISIBLE;
    RecMode* pB = push("b", AV | MF_SEE_THROUGH);
    RecMode* pA = push("a", AV | MF_SEE_THROUGH);
    EXPECT_EQ(1, app().getFirstDrawnModeIndex()) << "all see-through: the last index";
    pA->setFlags(AV);
    EXPECT_EQ(0, app().getFirstDrawnModeIndex());
    pA->setFlags(AV | MF_SEE_THROUGH);
    pB->setFlags(AV);
    EXPECT_EQ(1, app().getFirstDrawnModeIndex());
}

TEST_F(ModeStackTest, FrameDrawsFromTheFirstOpaqueModeUpThenTheCursor)
{
    video()->setFrameDrawer(modeFrameDrawer(m_pApp.get()));
    auto labelled = [&](GameMode* pMode, const char* pszLabel, int nZ)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(picture(4, 4), 0, 0, nZ);
        pSprite->setProperty("label", (void*)pszLabel);
        pMode->addSprite(pSprite);
        return pSprite;
    };
    const int AV = MF_ACTIVE | MF_VISIBLE;
    RecMode* pMenu = push("menu");
    labelled(pMenu, "menu", 0);
    RecMode* pLevel = push("level", AV | MF_CLEAR_SCREEN);
    labelled(pLevel, "fg", 5);
    labelled(pLevel, "bg", 0);
    RIR::SmartPtr<Sprite> pHidden = labelled(pLevel, "hidden", 1);
    pHidden->setVisible(false);
    pLevel->addSprite(new Sprite(RIR::SmartPtr<Image>(), 0, 0, 2)); // nothing to show
    RecMode* pHud = push("hud", MF_VISIBLE | MF_SEE_THROUGH);       // visible but inactive
    labelled(pHud, "hud", 0);
    RecMode* pDialog = push("dialog", AV | MF_SEE_THROUGH);
    labelled(pDialog, "dialog", 0);
    video()->setCursorImage(picture(2, 2));
    ASSERT_TRUE(video()->isSoftwareCursor());
    m_pPlatform->setMousePos(30, 40);

    RIR::SmartPtr<RecordingLog> pLog = m_pPlatform->getLog();
    pLog->clear();
    frame();
    EXPECT_EQ("bg fg dialog cursor", std::string(video()->getFrameDraws().join(" ").c_str()));
    EXPECT_EQ(1, pLog->countCalls("video.clear"));
    EXPECT_LT(pLog->indexOf("video.clear"), pLog->indexOf("video.draw(bg)"))
        << "the screen is cleared before the mode that asks for it";
    EXPECT_EQ(30, video()->getCursorSprite()->getX());
    EXPECT_EQ(40, video()->getCursorSprite()->getY());

    // Without the software cursor the driver shows the system pointer: no cursor sprite drawn.
    video()->setSoftwareCursor(false);
    pDialog->endMode();
    frame();
    EXPECT_EQ("bg fg", std::string(video()->getFrameDraws().join(" ").c_str()));
}

TEST_F(ModeStackTest, FlagChangesAskForARedrawOnlyWhenTheDrawingChanges)
{
    struct Case
    {
        const char* pszName;
        int nFrom;
        int nTo;
        bool bRedraw;
    };
    const int AV = MF_ACTIVE | MF_VISIBLE;
    const Case cases[] = {
        {"clear screen added", AV, AV | MF_CLEAR_SCREEN, false},
        {"input through added", AV, AV | MF_INPUT_THROUGH | MF_UPDATE_THROUGH, false},
        {"visible removed", AV, MF_ACTIVE, true},
        {"see-through added", AV, AV | MF_SEE_THROUGH, true},
        {"active removed", AV, MF_VISIBLE, true},
        {"same word", AV, AV, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        std::unique_ptr<RecMode> pMode(mode("m", c.nFrom));
        const int nBefore = video()->getInvalidateCount();
        pMode->setFlags(c.nTo);
        EXPECT_EQ(c.nTo, pMode->getFlags());
        EXPECT_EQ(nBefore + (c.bRedraw ? 1 : 0), video()->getInvalidateCount());
    }
    std::unique_ptr<RecMode> pMode(mode("m"));
    pMode->addFlags(MF_SEE_THROUGH | MF_INPUT_THROUGH);
    EXPECT_EQ(MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH | MF_INPUT_THROUGH, pMode->getFlags());
    pMode->removeFlags(MF_ACTIVE | MF_INPUT_THROUGH);
    EXPECT_EQ(MF_VISIBLE | MF_SEE_THROUGH, pMode->getFlags());
    EXPECT_FALSE(pMode->isActive());
    EXPECT_TRUE(pMode->isVisible());
    pMode->setVideoParameter(7);
    EXPECT_EQ(7, video()->getParameter());
}

TEST_F(ModeStackTest, ExitAndShutdownReachTheModes)
{
    int nDeleted = 0;
    RecMode* pA = push("a");
    RecMode* pB = push("b");
    pA->m_pnDeleted = &nDeleted;
    pB->m_pnDeleted = &nDeleted;
    heard();
    app().onExit();
    EXPECT_EQ("b.exit a.exit", heard());
    m_pApp.reset();
    EXPECT_EQ(2, nDeleted);
    EXPECT_EQ("", heard()) << "shutdown deletes without calling any hook";
}

// ---- modes without an application or a video driver --------------------------------------------

TEST(GameModeAlone, NeedsNoVideoDriverToBeMade)
{
    TempFolder folder;
    openLog(folder.at("app.log").c_str());
    Journal journal;
    {
        std::unique_ptr<RecMode> pMode(new RecMode(journal, "orphan")); // no application at all
        EXPECT_EQ(nullptr, pMode->getApp());
        EXPECT_EQ(MF_ACTIVE | MF_VISIBLE, pMode->getFlags());
        EXPECT_EQ(MS_NEW, pMode->getState());
        EXPECT_EQ(-1, pMode->getMouseButtonMask());
        pMode->setFlags(0);
        pMode->setVideoParameter(1);
    }
    {
        GameApp app; // no platform, so no video driver
        std::unique_ptr<RecMode> pMode(new RecMode(journal, "early"));
        EXPECT_EQ(&app, pMode->getApp());
        pMode->setFlags(MF_VISIBLE);
    }
    closeLog();
}

} // namespace
