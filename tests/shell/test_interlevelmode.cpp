// The scenes between story days on the test application, stepped with a fixed frame time: the
// chapter title page and its reveal, the pictures' fades and holds, clicks and keys, the hand-over
// to the next day, the endings, the newspaper page and the story viewer.
#include "shell/kit/fakelevel.h"
#include "shell/kit/shellapp.h"

#include "shell/chapterscripts.h"
#include "shell/interlevelmode.h"

#include "app/gamemode.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"
#include "gfx/imagelock.h"
#include "ui/custombutton.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

// 1/64 s: exact in binary, so that sums of frames are exact too.
const float DT = 1.0f / 64.0f;

// A mode that counts its deletion (a day that is never played).
class ProbeMode : public GameMode
{
public:
    explicit ProbeMode(int* pnDeleted) : m_pnDeleted(pnDeleted) {}
    ~ProbeMode() override { ++*m_pnDeleted; }

private:
    int* m_pnDeleted;
};

// One change of what the scene does, at a time from the push.
struct SceneEvent
{
    float fTime;
    int nState;
    int nPhase;
    bool bFading;
};

class InterLevelTest : public ::testing::Test
{
protected:
    InterLevelTest()
    {
        for (const char* pszName : {"black200x200", "storyback", "white200x200"})
            m_fx.addPicture(pszName, 200, 200, 0x302010FF);
        m_fx.addPicture("epitaph", 800, 600, 0xE8D8B0FF);
        m_fx.addPicture("youarehere", 40, 30, 0xC02020FF);
        m_fx.addPicture("ep_fire", 120, 60, 0x802020FF);
        for (const char* pszName : {"boton1", "boton1_high", "boton1_disabled"})
            m_fx.addPicture(pszName, 48, 48, 0x806040FF);
        for (const char* pszName : {"text_previous", "text_stop", "text_next", "text_playstory"})
            m_fx.addPicture(pszName, 30, 12, 0xFFFFFF80);
        for (int n : {-1, -3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9})
        {
            int nCount = 0;
            const ChapterStep* pSteps = getChapterScript(n, &nCount);
            for (int i = 0; i < nCount; ++i)
                m_fx.addPicture(pSteps[i].pszImage, 60, 40, 0x907050FF);
        }
        for (const char* pszMusic : {"st_hist", "news", "st_end_start", "st_end_loop", "st_end_end"})
            m_fx.addFile(std::string(pszMusic) + ".ogg", "music");
        m_fx.addText("ChapterLong1", "Chapter Two");
        m_fx.addText("ChapterName1", "Light Fingers");
        m_fx.addText("Hist2_1", "Five weeks later");
        m_fx.addText("Hist_Lose", "The money never came");
        m_fx.addText("EpitaphWeekFmt", "Week %d");
        m_fx.addText("EpitaphLeft7", "*Mining News\\nCopperline pays out Friday.");
        m_fx.addText("EpitaphText7", "**PICKPOCKETS\\nIMAGE:ep_fire\\nThieves have been creeping in.");
        m_fx.addText("EpitaphRight7", "*For Sale\\nBroom, slightly bent.");
        m_fx.addText("continue", "Continue");
        // A theme with the plain button style of "continue".
        std::string sTheme;
        for (const char* pszState : {"normal", "pushed", "highlight", "disabled"})
        {
            m_fx.addPicture(std::string("bg_") + pszState, 60, 20, 0x402010FF);
            sTheme += std::string("buttonimage ") + pszState + " bg_" + pszState + "\n";
        }
        m_fx.addFile("dolly.theme", sTheme);
        m_pApp = m_fx.start(plainMenuOnly());
        m_pAudio = ShellApp::lastPlatform()->getRecordingAudioDriver();
    }

    InterLevelMode* push(int nEntry, GameMode* pNext)
    {
        m_fTime = 0.0f;
        m_pMode = new InterLevelMode(nEntry, pNext);
        m_pApp->pushMode(m_pMode);
        return m_pMode;
    }

    void step(int nFrames = 1)
    {
        for (int i = 0; i < nFrames; ++i)
        {
            m_pApp->updateModes(DT);
            m_fTime += DT;
        }
    }

    // Steps until the scene leaves the top or the time runs out, recording every change of state,
    // reveal phase and fading.
    std::vector<SceneEvent> run(float fSeconds)
    {
        std::vector<SceneEvent> events;
        const float fEnd = m_fTime + fSeconds;
        SceneEvent last = {m_fTime, m_pMode->getSceneState(), m_pMode->getRevealPhase(),
                           m_pMode->isFading()};
        events.push_back(last);
        while (m_fTime < fEnd && m_pApp->getTopMode() == m_pMode)
        {
            step();
            if (m_pApp->getTopMode() != m_pMode)
                break;
            SceneEvent now = {m_fTime, m_pMode->getSceneState(), m_pMode->getRevealPhase(),
                              m_pMode->isFading()};
            if (now.nState != last.nState || now.nPhase != last.nPhase ||
                now.bFading != last.bFading)
                events.push_back(now);
            last = now;
        }
        return events;
    }

    std::string music() const { return m_pApp->getCurrentMusic().c_str(); }

    int countViewerButtons()
    {
        int nCount = 0;
        RIR::List<RIR::SmartPtr<Sprite>> lSprites = m_pMode->getSprites();
        for (int i = 0; i < lSprites.getLength(); ++i)
            if (dynamic_cast<CustomButton*>(lSprites.get(i).get()))
                ++nCount;
        return nCount;
    }

    // The alpha the sprite shows: its picture's overall alpha, or for a picture with its own
    // transparency the alpha of its first pixel.
    int spriteAlpha(const RIR::SmartPtr<Sprite>& pSprite)
    {
        if (!pSprite || !pSprite->getImage())
            return -1;
        RIR::SmartPtr<Image> pImage = pSprite->getImage();
        if (!pImage->hasAlpha())
            return pImage->getAlpha();
        ImageLock lock(pImage.get());
        return pImage->getPixel(0, 0).a;
    }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    RecordingAudioDriver* m_pAudio = nullptr;
    InterLevelMode* m_pMode = nullptr; // owned by the application
    float m_fTime = 0.0f;
};

// The time of the first event after fFrom in that state (and phase, when not -1).
float timeOf(const std::vector<SceneEvent>& events, int nState, int nPhase, float fFrom = -1.0f)
{
    for (const SceneEvent& e : events)
        if (e.fTime > fFrom && e.nState == nState && (nPhase < 0 || e.nPhase == nPhase))
            return e.fTime;
    return -1.0f;
}

} // namespace

TEST_F(InterLevelTest, ChapterTitlePageRevealsInStagesThenPicturesFadeAndHold)
{
    FakeLevel* pLevel = new FakeLevel(FakeLevelDay(), nullptr);
    push(5, pLevel);
    EXPECT_EQ("st_hist", music());
    EXPECT_FALSE(m_pApp->isCursorShown());
    // Title page first, then chapter 1's background and three pages.
    ASSERT_EQ(5, m_pMode->getStepsLeft());
    EXPECT_EQ(ILC_CHAPTER, m_pMode->getScript().get(0)->nKind);
    EXPECT_EQ("Five weeks later", std::string(m_pMode->getScript().get(2)->sText.c_str()));

    const std::vector<SceneEvent> events = run(60.0f);
    const float fTol = 2.0f * DT;
    // The first frame runs the chapter step.
    const float fRevealStart = timeOf(events, InterLevelMode::ILS_REVEAL, 0);
    EXPECT_NEAR(DT, fRevealStart, 1e-6f);
    // 0.25 s, the title in about 2 s, 0.25 s, the name in about 2 s, 0.25 s, the row in 1 s.
    const float fPhase1 = timeOf(events, InterLevelMode::ILS_REVEAL, 1);
    const float fPhase2 = timeOf(events, InterLevelMode::ILS_REVEAL, 2);
    const float fPhase3 = timeOf(events, InterLevelMode::ILS_REVEAL, 3);
    EXPECT_NEAR(0.25f + 255.0f / 128.0f, fPhase1 - fRevealStart, fTol);
    EXPECT_NEAR(0.25f + 255.0f / 128.0f, fPhase2 - fPhase1, fTol);
    EXPECT_NEAR(0.25f + 1.0f, fPhase3 - fPhase2, fTol);
    // Then 4 s before the script goes on.
    const float fScript = timeOf(events, InterLevelMode::ILS_SCRIPT, -1, fRevealStart);
    EXPECT_NEAR(4.0f, fScript - fPhase3, fTol);

    // Each page fades for about 2 s and is held 6 s.
    std::vector<float> fadeStarts, fadeEnds;
    for (size_t i = 1; i < events.size(); ++i)
    {
        if (events[i].bFading && !events[i - 1].bFading)
            fadeStarts.push_back(events[i].fTime);
        if (!events[i].bFading && events[i - 1].bFading)
            fadeEnds.push_back(events[i].fTime);
    }
    ASSERT_EQ(3u, fadeStarts.size());
    ASSERT_EQ(3u, fadeEnds.size());
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(256.0f / 128.0f, fadeEnds[i] - fadeStarts[i], fTol) << "page " << i;
    for (size_t i = 0; i + 1 < 3; ++i)
        EXPECT_NEAR(6.0f, fadeStarts[i + 1] - fadeEnds[i], fTol) << "hold " << i;

    // The scene is over after the last hold: the day is pushed on top.
    EXPECT_EQ(pLevel, m_pApp->getTopMode());
    EXPECT_TRUE(m_pMode->isDone());
    EXPECT_NEAR(fadeEnds[2] + 6.0f, m_fTime, fTol);
    // When the day ends the scene ends too, leaving the result for its creator.
    GameResults result;
    result.nGameType = GT_STORY;
    pLevel->finish(result);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
    EXPECT_TRUE(m_pApp->hasLastResults());
    delete m_pApp->takeLastResults();
}

TEST_F(InterLevelTest, TitlePageRowGreysChaptersDoneAndPlacesTheMarker)
{
    push(5, nullptr);
    step(2);
    ASSERT_EQ(InterLevelMode::ILS_REVEAL, m_pMode->getSceneState());
    ASSERT_EQ(8, m_pMode->getChapterRow().getLength());
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(Color(96, 96, 96, 255), m_pMode->getChapterRow().get(i)->getFont()->getColor());
    ASSERT_TRUE(m_pMode->getHereMarker());
    EXPECT_EQ(40 + 45, m_pMode->getHereMarker()->getX());
    EXPECT_EQ(520, m_pMode->getHereMarker()->getY());
    // Everything starts hidden.
    EXPECT_EQ(0, spriteAlpha(m_pMode->getChapterTitle().get()));
    EXPECT_EQ(0, spriteAlpha(m_pMode->getChapterName().get()));
    EXPECT_EQ(0, spriteAlpha(m_pMode->getHereMarker()));
    EXPECT_EQ(200, m_pMode->getChapterTitle()->getY());
    EXPECT_EQ(250, m_pMode->getChapterName()->getY());

    // Chapter 4 (entry 20): three chapters done, the marker under the middle of the fourth column.
    m_pMode->endMode();
    push(20, nullptr);
    step(2);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(i < 3, m_pMode->getChapterRow().get(i)->getFont()->getColor() ==
                             Color(96, 96, 96, 255))
            << "column " << i + 1;
    EXPECT_EQ(40 + 3 * 90 + 45, m_pMode->getHereMarker()->getX());

    // The ending (entry 45): all eight done, the marker past the row.
    m_pMode->endMode();
    push(45, nullptr);
    step(2);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Color(96, 96, 96, 255), m_pMode->getChapterRow().get(i)->getFont()->getColor());
    EXPECT_EQ(755, m_pMode->getHereMarker()->getX());
}

TEST_F(InterLevelTest, FirstChapterHasNoRowOrMarkerAndStillRevealsInTime)
{
    push(0, nullptr);
    step();
    ASSERT_EQ(InterLevelMode::ILS_REVEAL, m_pMode->getSceneState());
    const float fStart = m_fTime;
    EXPECT_TRUE(m_pMode->getChapterRow().isEmpty());
    EXPECT_FALSE(m_pMode->getHereMarker());
    while (m_pMode->getSceneState() == InterLevelMode::ILS_REVEAL && m_fTime < 20.0f)
        step();
    EXPECT_NEAR(0.25f + 2.0f + 0.25f + 2.0f + 0.25f + 1.0f + 4.0f, m_fTime - fStart, 4.0f * DT);
    // Title and name were shown in full before the background clears them.
    EXPECT_EQ(255, spriteAlpha(m_pMode->getChapterTitle().get()));
    EXPECT_EQ(255, spriteAlpha(m_pMode->getChapterName().get()));
    EXPECT_EQ(10, m_pMode->getStepsLeft());
}

TEST_F(InterLevelTest, ClicksSkipTheRevealAndAFadeWithoutItsHold)
{
    push(5, nullptr);
    step(30);
    ASSERT_EQ(InterLevelMode::ILS_REVEAL, m_pMode->getSceneState());
    m_pApp->dispatchMouseDown(1, 400, 300);
    EXPECT_EQ(3, m_pMode->getRevealPhase());
    step();
    EXPECT_EQ(InterLevelMode::ILS_SCRIPT, m_pMode->getSceneState());
    // The title page's unrevealed parts stay hidden until the background clears them.
    EXPECT_EQ(0, spriteAlpha(m_pMode->getChapterName().get()));
    step(); // the background
    EXPECT_FALSE(m_pMode->getChapterName());
    step(); // the first page starts fading
    ASSERT_TRUE(m_pMode->isFading());
    step(10);
    ASSERT_TRUE(m_pMode->isFading());
    const int nLeft = m_pMode->getStepsLeft();
    m_pApp->dispatchKeyDown(' ', 0);
    EXPECT_FALSE(m_pMode->isFading());
    EXPECT_FLOAT_EQ(0.0f, m_pMode->getHoldTime());
    // The next frame runs the next page at once.
    step();
    EXPECT_TRUE(m_pMode->isFading());
    EXPECT_EQ(nLeft - 1, m_pMode->getStepsLeft());
    // A click during the hold cuts the hold.
    step(200);
    ASSERT_FALSE(m_pMode->isFading());
    ASSERT_GT(m_pMode->getWait(), 1.0f);
    m_pApp->dispatchMouseDown(1, 10, 10);
    step();
    EXPECT_TRUE(m_pMode->isFading());
}

TEST_F(InterLevelTest, EscapeWithAHeldDayPushesItOnce)
{
    FakeLevel* pLevel = new FakeLevel(FakeLevelDay(), nullptr);
    push(5, pLevel);
    step(3);
    const int nModes = m_pApp->getModeCount();
    m_pApp->dispatchKeyDown(27, 0);
    EXPECT_EQ(pLevel, m_pApp->getTopMode());
    EXPECT_EQ(nModes + 1, m_pApp->getModeCount());
    // A second Escape in the same frame (straight to the scene) and the scene's own end do not
    // push the day again.
    m_pMode->keyDown(27, 0);
    m_pMode->onCallback(InterLevelMode::ILCB_DONE, 0);
    EXPECT_EQ(nModes + 1, m_pApp->getModeCount());
    step(5);
    EXPECT_EQ(nModes + 1, m_pApp->getModeCount());
    GameResults result;
    pLevel->finish(result);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
    delete m_pApp->takeLastResults();
}

TEST_F(InterLevelTest, EscapeWithoutADayEndsTheScene)
{
    push(-1, nullptr);
    step();
    m_pApp->dispatchKeyDown(27, 0);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
}

TEST_F(InterLevelTest, LostStoryHasNoTitlePageAndEndsByItself)
{
    const std::string sBefore = music();
    push(-1, nullptr);
    ASSERT_EQ(2, m_pMode->getStepsLeft());
    EXPECT_EQ(ILC_BACKGROUND, m_pMode->getScript().get(0)->nKind);
    EXPECT_EQ(sBefore, music()) << "no music of its own";
    step(3);
    ASSERT_TRUE(m_pMode->getCaption());
    EXPECT_EQ("The money never came", std::string(m_pMode->getCaption()->getText().c_str()));
    run(2.0f + 5.0f + 1.0f);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
}

TEST_F(InterLevelTest, EndingDropsAHeldDayPlaysTheEndingMusicAndEnds)
{
    int nDeleted = 0;
    push(45, new ProbeMode(&nDeleted));
    EXPECT_EQ(1, nDeleted);
    EXPECT_EQ("st_end_start", music());
    m_pAudio->finishMusic();
    step();
    EXPECT_EQ("st_end_loop", music());
    run(4.0f + 5.75f + 1.0f + 2 * (2.0f + 10.0f) + 1.0f);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
    EXPECT_EQ(1, nDeleted);
}

TEST_F(InterLevelTest, ChapterThreeScriptSharesCaptionsAndShowsOnePictureTwice)
{
    push(10, nullptr);
    const RIR::List<ILCommand*>& lScript = m_pMode->getScript();
    std::vector<std::string> images;
    std::vector<std::string> captions;
    float fQuickHolds = 0.0f;
    for (int i = 0; i < lScript.getLength(); ++i)
    {
        const ILCommand* p = lScript.get(i);
        if (p->nKind != ILC_PAGE)
            continue;
        images.push_back(p->sImage.c_str());
        captions.push_back(p->sText.c_str());
        if (p->sText == "Hist3_4")
            fQuickHolds += p->fHoldTime;
    }
    ASSERT_EQ(8u, images.size());
    EXPECT_EQ("h3_3_4", images[6]);
    EXPECT_EQ("h3_3_4", images[7]);
    // Missing keys show the key itself.
    EXPECT_EQ("Hist3_5", captions[6]);
    EXPECT_EQ("Hist3_6", captions[7]);
    EXPECT_LE(fQuickHolds, 0.7f + 1e-6f);
    EXPECT_EQ("st_end_start", music());
}

TEST_F(InterLevelTest, NewspaperPageWaitsForContinue)
{
    FakeLevel* pLevel = new FakeLevel(FakeLevelDay(), nullptr);
    m_pApp->showCursor(true);
    push(7, pLevel);
    EXPECT_EQ(InterLevelMode::ILS_IDLE, m_pMode->getSceneState());
    EXPECT_EQ("news", music());
    EXPECT_TRUE(m_pApp->isCursorShown());
    // The week heading counts from 1.
    bool bWeek = false;
    int nLabels = 0;
    int nPictures = 0;
    const RIR::List<RIR::SmartPtr<Sprite>>& lPage = m_pMode->getPageObjects();
    for (int i = 0; i < lPage.getLength(); ++i)
    {
        if (Label* pLabel = dynamic_cast<Label*>(lPage.get(i).get()))
        {
            bWeek = bWeek || pLabel->getText() == "Week 8";
            if (pLabel->getLineCount() == 40)
                ++nLabels;
        }
        else if (lPage.get(i)->getImage() && lPage.get(i)->getImage()->getWidth() == 120)
            ++nPictures;
    }
    EXPECT_TRUE(bWeek);
    // Two lines in each side column, two text lines and a picture in the middle.
    EXPECT_EQ(6, nLabels);
    EXPECT_EQ(1, nPictures);
    ASSERT_TRUE(m_pMode->getEpitaphTable());
    EXPECT_EQ(97, m_pMode->getEpitaphTable()->getPosPoint().x);

    // Nothing runs by itself; keys and clicks skip nothing.
    step(64 * 30);
    m_pApp->dispatchMouseDown(1, 100, 100);
    m_pApp->dispatchKeyDown(' ', 0);
    EXPECT_EQ(m_pMode, m_pApp->getTopMode());
    ASSERT_TRUE(m_pMode->getContinueButton());
    EXPECT_EQ(700, m_pMode->getContinueButton()->getX());
    m_pMode->onCallback(InterLevelMode::ILCB_DONE, 0);
    EXPECT_EQ(pLevel, m_pApp->getTopMode());
    GameResults result;
    pLevel->finish(result);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
    delete m_pApp->takeLastResults();
}

TEST_F(InterLevelTest, ViewerStepsWithinTheReachedStory)
{
    m_pApp->setSetting("LastInterlevel", "7");
    push(InterLevelMode::ILE_VIEWER, nullptr);
    EXPECT_TRUE(m_pMode->isInteractive());
    EXPECT_EQ(0, m_pMode->getEntry());
    EXPECT_EQ(4, countViewerButtons());
    ASSERT_TRUE(m_pMode->getPrevButton());
    EXPECT_FALSE(m_pMode->getPrevButton()->isEnabled());
    EXPECT_TRUE(m_pMode->getNextButton()->isEnabled());
    EXPECT_EQ(10, m_pMode->getPrevButton()->getX());
    EXPECT_EQ(10 + 2 * 52, m_pMode->getNextButton()->getX());
    EXPECT_EQ(10 + 3 * 52, m_pMode->getPlayStoryButton()->getX());

    struct Expect
    {
        int nEntry;
        bool bPrev;
        bool bNext;
    };
    for (const Expect& e : {Expect{1, true, true}, Expect{6, true, true}, Expect{7, true, false}})
    {
        while (m_pMode->getEntry() < e.nEntry)
            m_pMode->onCallback(InterLevelMode::ILCB_NEXT, 0);
        EXPECT_EQ(e.bPrev, m_pMode->getPrevButton()->isEnabled()) << e.nEntry;
        EXPECT_EQ(e.bNext, m_pMode->getNextButton()->isEnabled()) << e.nEntry;
        // The newspaper in the viewer has no "continue".
        EXPECT_FALSE(m_pMode->getContinueButton());
        EXPECT_FALSE(m_pMode->getPlayStoryButton()->isVisible());
    }
    m_pMode->onCallback(InterLevelMode::ILCB_PREVIOUS, 0);
    m_pMode->onCallback(InterLevelMode::ILCB_PREVIOUS, 0);
    EXPECT_EQ(5, m_pMode->getEntry());
    EXPECT_TRUE(m_pMode->getPlayStoryButton()->isVisible());
    // The buttons survive the page changes: still one set.
    EXPECT_EQ(4, countViewerButtons());

    // Beyond the reached story, the last entry still ends the way forward.
    m_pApp->setSetting("LastInterlevel", "50");
    while (m_pMode->getEntry() < 45)
        m_pMode->onCallback(InterLevelMode::ILCB_NEXT, 0);
    EXPECT_FALSE(m_pMode->getNextButton()->isEnabled());

    // Stop ends the viewer.
    m_pMode->onCallback(InterLevelMode::ILCB_DONE, 0);
    EXPECT_EQ(MS_ENDED, m_pMode->getState());
}

TEST_F(InterLevelTest, ViewerPicturesWaitForTheNextStepAndTheSceneMovesOn)
{
    m_pApp->setSetting("LastInterlevel", "3");
    push(InterLevelMode::ILE_VIEWER, nullptr);
    step(); // the title page
    m_pApp->dispatchMouseDown(1, 400, 300); // skipped
    step(3);
    ASSERT_TRUE(m_pMode->isFading());
    EXPECT_FALSE(m_pMode->getPlayStoryButton()->isEnabled());
    step(64 * 20);
    // Fully shown, but the picture waits for the player.
    EXPECT_TRUE(m_pMode->isFading());
    EXPECT_TRUE(m_pMode->getPlayStoryButton()->isEnabled());
    // "Play story" steps on; after the last page the viewer goes on to the next entry by itself.
    for (int i = 0; i < 40 && m_pMode->getEntry() == 0; ++i)
    {
        m_pMode->onCallback(InterLevelMode::ILCB_SKIP, 0);
        step(2);
    }
    EXPECT_EQ(1, m_pMode->getEntry());
    EXPECT_EQ(InterLevelMode::ILS_IDLE, m_pMode->getSceneState());
}

TEST_F(InterLevelTest, ViewerButtonsAreBuiltOnceAndTheSceneKeepsItsPlace)
{
    m_pApp->setSetting("LastInterlevel", "9");
    push(InterLevelMode::ILE_VIEWER, nullptr);
    m_pMode->onCallback(InterLevelMode::ILCB_NEXT, 0);
    m_pMode->onCallback(InterLevelMode::ILCB_NEXT, 0);
    ASSERT_EQ(2, m_pMode->getEntry());
    // A question over the viewer, then back.
    m_pApp->pushMode(new GameMode());
    m_pApp->getTopMode()->endMode();
    ASSERT_EQ(m_pMode, m_pApp->getTopMode());
    EXPECT_EQ(4, countViewerButtons());
    EXPECT_EQ(2, m_pMode->getEntry());
    EXPECT_TRUE(m_pMode->getPrevButton()->isEnabled());
    EXPECT_TRUE(m_pMode->getNextButton()->isEnabled());
}

TEST_F(InterLevelTest, ViewerCallbacksOutsideTheViewerAreRefused)
{
    push(7, nullptr);
    for (int nId : {InterLevelMode::ILCB_NEXT, InterLevelMode::ILCB_PREVIOUS})
    {
        try
        {
            m_pMode->onCallback(nId, 0);
            ADD_FAILURE() << "no assertion for id " << nId;
        }
        catch (const RIR::AssertFailException& e)
        {
            EXPECT_NE(std::string::npos, std::string(e.getMessage()).find("m_bInteractive"));
        }
    }
    EXPECT_EQ(7, m_pMode->getEntry());
}

TEST_F(InterLevelTest, ReactivationDuringAScriptDoesNotRestartIt)
{
    push(5, nullptr);
    step(64 * 12);
    const int nLeft = m_pMode->getStepsLeft();
    ASSERT_LT(nLeft, 5);
    m_pApp->showCursor(true);
    m_pApp->pushMode(new GameMode());
    m_pApp->getTopMode()->endMode();
    EXPECT_EQ(nLeft, m_pMode->getStepsLeft());
    EXPECT_FALSE(m_pApp->isCursorShown());
}

TEST_F(InterLevelTest, ASceneThatEndsUnderAnotherScreenWaitsForIt)
{
    FakeLevel* pLevel = new FakeLevel(FakeLevelDay(), nullptr);
    push(-1, pLevel);
    // A see-through screen over the scene that lets its updates through.
    GameMode* pOver = new GameMode();
    pOver->addFlags(MF_SEE_THROUGH | MF_UPDATE_THROUGH);
    m_pApp->pushMode(pOver);
    step(64 * 10);
    EXPECT_EQ(0, m_pMode->getStepsLeft());
    EXPECT_EQ(pOver, m_pApp->getTopMode());
    EXPECT_FALSE(m_pMode->isDone());
    pOver->endMode();
    step();
    EXPECT_EQ(pLevel, m_pApp->getTopMode());
    GameResults result;
    pLevel->finish(result);
    delete m_pApp->takeLastResults();
}
