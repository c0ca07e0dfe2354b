#include "gfx/spritecontroller.h"

#include "app/gameapp.h"
#include "app/iaudiodriver.h"
#include "app/log.h"
#include "gfx/animsprite.h"
#include "gfx/sprite.h"
#include "rir2/exception.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/recordingaudiodriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<SpriteController>, "one owner, never copied");
static_assert(std::has_virtual_destructor_v<SpriteController>, "owners delete through the base");
static_assert(std::is_base_of_v<SpriteController, SCPlayAnimation>, "a controller");

namespace
{

typedef std::vector<std::string> Journal;

// A controller that writes each call into a journal and reports done at its nDoneAt-th update
// (0: never). With a spawn name it adds a new controller of that name to the sprite at its first
// update.
class JournalController : public SpriteController
{
public:
    JournalController(const char* pszName, Journal* pJournal, int nDoneAt,
                      const char* pszSpawn = nullptr)
        : m_sName(pszName), m_pJournal(pJournal), m_nDoneAt(nDoneAt), m_nUpdates(0),
          m_pszSpawn(pszSpawn)
    {
    }
    ~JournalController() override { m_pJournal->push_back("~" + m_sName); }

    void onAttach(RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_pJournal->push_back("attach " + m_sName);
    }
    bool update(float /*fDt*/, RIR::SmartPtr<Sprite> pSprite) override
    {
        m_pJournal->push_back(m_sName);
        ++m_nUpdates;
        if (m_nUpdates == 1 && m_pszSpawn)
            pSprite->addController(new JournalController(m_pszSpawn, m_pJournal, 0));
        return m_nUpdates == m_nDoneAt;
    }

private:
    std::string m_sName;
    Journal* m_pJournal;
    int m_nDoneAt;
    int m_nUpdates;
    const char* m_pszSpawn;
};

// A controller of fixed duration (clamped timer) whose effect records its progress; done when its
// timer is.
class ProgressController : public SpriteController
{
public:
    ProgressController(float fDuration, std::vector<float>* pProgress) : m_pProgress(pProgress)
    {
        m_pTimer->setDuration(fDuration, true);
        m_pTimer->setFlags(TIMER_CLAMP);
    }
    bool apply(RIR::SmartPtr<Sprite> /*pSprite*/) override
    {
        m_pProgress->push_back(m_pTimer->getProgress());
        return m_pTimer->isDone();
    }

private:
    std::vector<float>* m_pProgress;
};

// The mode as a sprite sees it; records removals and lets the sprite go.
class RecordingOwner : public SpriteOwner
{
public:
    void reorderObject(RIR::SmartPtr<Sprite> /*pSprite*/) override {}
    RIR::SmartPtr<Sprite> addUpdatable(RIR::SmartPtr<Sprite> pSprite) override { return pSprite; }
    void removeObject(RIR::SmartPtr<Sprite> pSprite) override
    {
        m_lRemoved.push_back(pSprite.get());
        pSprite->removeFromMode();
    }
    TooltipHandle addTooltip(const Rect& /*area*/, const char* /*pszText*/) override
    {
        return nullptr;
    }
    void removeTooltip(TooltipHandle /*hTooltip*/) override {}
    void setTooltipText(TooltipHandle /*hTooltip*/, const char* /*pszText*/) override {}
    void setTooltipRect(TooltipHandle /*hTooltip*/, const Rect& /*area*/) override {}
    void setTooltipEnabled(TooltipHandle /*hTooltip*/, bool /*bEnabled*/) override {}

    std::vector<Sprite*> m_lRemoved;
};

// ---- the controller protocol ------------------------------------------------------------------

TEST(SpriteControllerTest, BaseControllerIsNeverDone)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    SpriteController* pController = new SpriteController();
    pSprite->addController(pController);
    for (int i = 0; i < 10; ++i)
        pSprite->updateControllers(0.5f);
    ASSERT_EQ(1, pSprite->getControllerCount());
    EXPECT_FLOAT_EQ(5.0f, pController->getTimer()->getElapsed()) << "its clock runs";
    // Finishing advances by the remaining time (duration 0 - elapsed): back to the end, 0.
    pSprite->finishControllers();
    ASSERT_EQ(1, pSprite->getControllerCount());
    EXPECT_EQ(pController, pSprite->getController(0));
    EXPECT_FLOAT_EQ(0.0f, pController->getTimer()->getElapsed());
    pSprite->removeController(pController);
    EXPECT_EQ(0, pSprite->getControllerCount());
}

TEST(SpriteControllerTest, ControllersRunInOrderAndDoneOnesGoInTheSamePass)
{
    Journal journal;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    pSprite->addController(new JournalController("A", &journal, 1, "D")); // done at once
    pSprite->addController(new JournalController("B", &journal, 0));      // never done
    pSprite->addController(new JournalController("C", &journal, 2));      // done second time
    EXPECT_EQ((Journal{"attach A", "attach B", "attach C"}), journal);

    journal.clear();
    pSprite->updateControllers(0.016f);
    // A adds D while it runs, reports done and is deleted before B runs; D, appended during the
    // pass, runs in the same pass.
    EXPECT_EQ((Journal{"A", "attach D", "~A", "B", "C", "D"}), journal);

    journal.clear();
    pSprite->updateControllers(0.016f);
    EXPECT_EQ((Journal{"B", "C", "~C", "D"}), journal);
    EXPECT_EQ(2, pSprite->getControllerCount());

    journal.clear();
    pSprite = nullptr; // the sprite deletes what it still owns
    EXPECT_EQ((Journal{"~B", "~D"}), journal);
}

TEST(SpriteControllerTest, TimedControllersEndExactly)
{
    std::vector<float> progress;
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);

    // Finishing a clamped timer applies exactly its end state.
    pSprite->addController(new ProgressController(1.0f, &progress));
    pSprite->updateControllers(0.25f);
    pSprite->finishControllers();
    EXPECT_EQ((std::vector<float>{0.25f, 1.0f}), progress);
    EXPECT_EQ(0, pSprite->getControllerCount());

    // An overshooting update is clamped to the end too.
    progress.clear();
    pSprite->addController(new ProgressController(0.5f, &progress));
    pSprite->updateControllers(2.0f);
    EXPECT_EQ((std::vector<float>{1.0f}), progress);
    EXPECT_EQ(0, pSprite->getControllerCount());

    // A duration of 0 is done at its first check.
    progress.clear();
    pSprite->addController(new ProgressController(0.0f, &progress));
    pSprite->updateControllers(0.0f);
    EXPECT_EQ((std::vector<float>{1.0f}), progress);
    EXPECT_EQ(0, pSprite->getControllerCount());
}

// ---- SCPlayAnimation without sounds -------------------------------------------------------------

// "walk": three frames at 10 fps, not looping; "loop": the same, looping.
class PlayAnimationTest : public ::testing::Test
{
protected:
    PlayAnimationTest()
    {
        for (int i = 0; i < 3; ++i)
            m_apImages[i] = RIR::SmartPtr<Image>(m_factory.createBlank(2, 2, false));
        m_pAnim = new Animation(10.0f);
        m_pAnim->newSequence("loop", true, 0.0f);
        m_pAnim->setDefaultSequence("walk");
        for (int i = 0; i < 3; ++i)
        {
            m_pAnim->addFrame("walk", m_apImages[i], 1);
            m_pAnim->addFrame("loop", m_apImages[i], 1);
        }
        m_pSprite = new AnimSprite(m_pAnim, 0, 0, 0);
        m_pSprite->setMode(&m_owner);
    }
    ~PlayAnimationTest() override
    {
        if (m_pSprite)
            m_pSprite->dropMode();
    }

    // Runs frames of dt until the sprite has no controller left; returns how many ran.
    int runUntilDone(float fDt, int nMaxFrames)
    {
        int nFrames = 0;
        while (m_pSprite->getControllerCount() > 0 && nFrames < nMaxFrames)
        {
            m_pSprite->updateControllers(fDt);
            ++nFrames;
        }
        return nFrames;
    }

    MemImageFactory m_factory;
    RIR::SmartPtr<Image> m_apImages[3];
    RIR::SmartPtr<Animation> m_pAnim;
    RecordingOwner m_owner;
    RIR::SmartPtr<AnimSprite> m_pSprite;
};

TEST_F(PlayAnimationTest, EndOfANonLoopingAnimation)
{
    struct Case
    {
        bool bRemove;
        bool bStaysInMode;
    };
    for (const Case& c : {Case{false, true}, Case{true, false}})
    {
        SCOPED_TRACE(c.bRemove ? "removing" : "keeping");
        m_owner.m_lRemoved.clear();
        m_pSprite->setMode(&m_owner);
        m_pSprite->play("walk", 0.0f, -1);
        m_pSprite->addController(new SCPlayAnimation(c.bRemove, false));
        // Frames 1 and 2 after 0.1 s each, the end 0.1 s later.
        EXPECT_EQ(3, runUntilDone(0.1f, 100));
        EXPECT_EQ(0, m_pSprite->getControllerCount());
        EXPECT_FALSE(m_pSprite->isPlaying());
        EXPECT_EQ(2, m_pSprite->getFrame());
        EXPECT_EQ(m_apImages[2].get(), m_pSprite->getImage().get()) << "the last frame stays";
        EXPECT_TRUE(m_pSprite->isVisible());
        EXPECT_EQ(c.bStaysInMode, m_pSprite->getMode() == &m_owner);
        EXPECT_EQ(c.bStaysInMode ? 0u : 1u, m_owner.m_lRemoved.size());
    }
}

TEST_F(PlayAnimationTest, LoopingNeverEndsAndSpeedScalesTime)
{
    m_pSprite->play("loop", 0.0f, -1);
    SCPlayAnimation* pPlay = new SCPlayAnimation(true, false);
    EXPECT_FLOAT_EQ(1.0f, pPlay->getSpeed());
    m_pSprite->addController(pPlay);
    EXPECT_EQ(200, runUntilDone(0.05f, 200));
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    EXPECT_TRUE(m_owner.m_lRemoved.empty());

    m_pSprite->setFrame(0, 0.0f);
    pPlay->setSpeed(2.0f);
    m_pSprite->updateControllers(0.05f); // 0.1 s of animation
    EXPECT_EQ(1, m_pSprite->getFrame());

    pPlay->setSpeed(0.0f);
    for (int i = 0; i < 50; ++i)
        m_pSprite->updateControllers(0.05f);
    EXPECT_EQ(1, m_pSprite->getFrame()) << "speed 0 freezes the animation";
    EXPECT_FLOAT_EQ(0.1f, m_pSprite->getFrameTimeLeft());

    // finish advances by the timer's remaining time, 0: not done while the animation plays.
    m_pSprite->finishControllers();
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    m_pSprite->stop();
    m_pSprite->finishControllers();
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(PlayAnimationTest, RestartOnAttach)
{
    m_pSprite->update(1.0f); // "walk" ends on frame 2
    ASSERT_FALSE(m_pSprite->isPlaying());

    m_pSprite->addController(new SCPlayAnimation(false, false));
    EXPECT_FALSE(m_pSprite->isPlaying()) << "without restart nothing changes on attach";
    m_pSprite->removeAllControllers();

    m_pSprite->addController(new SCPlayAnimation(false, true));
    EXPECT_EQ(0, m_pSprite->getFrame());
    EXPECT_TRUE(m_pSprite->isPlaying());
    EXPECT_FLOAT_EQ(0.1f, m_pSprite->getFrameTimeLeft());
    EXPECT_EQ(m_apImages[0].get(), m_pSprite->getImage().get());
}

TEST(PlayAnimationPlainSpriteTest, NeedsAnAnimSprite)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    pSprite->addController(new SCPlayAnimation(false, false));
    try
    {
        pSprite->updateControllers(0.016f);
        FAIL() << "a plain sprite was accepted";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : pAS", e.getMessage());
    }
    pSprite->removeAllControllers();
    // Told to restart, it fails at once.
    EXPECT_THROW(pSprite->addController(new SCPlayAnimation(false, true)),
                 RIR::AssertFailException);
}

// ---- sound markers ------------------------------------------------------------------------------

// An application on the fake platform, whose recording audio driver lists every sample played.
// Samples come from the driver's own loader.
class SoundMarkerTest : public PlayAnimationTest
{
protected:
    SoundMarkerTest()
    {
        openLog((::testing::TempDir() + "test_spritecontroller.log").c_str());
        m_pApp.reset(new GameApp());
        m_pPlatform = new FakePlatform();
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
        SCPlayAnimation::setSampleSource(&loadFromDriver);

        // "beat": four frames at 10 fps, looping; sounds on frames 0 and 2.
        m_pAnim->newSequence("beat", true, 0.0f);
        for (int i = 0; i < 4; ++i)
            m_pAnim->addFrame("beat", m_apImages[i % 3], 1);
        m_pAnim->setFrameProp("beat", 0, "sound", "s0");
        m_pAnim->setFrameProp("beat", 2, "sound", "s2");
        // "clap": the sequence's own sound, inherited by every frame; not looping.
        for (int i = 0; i < 3; ++i)
            m_pAnim->addFrame("clap", m_apImages[i], 1);
        m_pAnim->setFrameProp("clap", -1, "sound", "clap");
    }
    ~SoundMarkerTest() override
    {
        SCPlayAnimation::setSampleSource(nullptr);
        m_pSprite->removeAllControllers();
        m_pApp.reset();
        closeLog();
    }

    static RIR::SmartPtr<Sample> loadFromDriver(const char* pszName)
    {
        return RIR::SmartPtr<Sample>(
            GameApp::getInstance()->getAudioDriver()->getSampleLoader()->load(pszName));
    }

    // The samples played since the last call, in order.
    Journal takePlayed()
    {
        Journal played;
        const RIR::List<RIR::String> lEntries = m_pPlatform->getLog()->filter("audio.playSample");
        for (int i = m_nSeen; i < lEntries.getLength(); ++i)
            played.push_back(lEntries.get(i).c_str());
        m_nSeen = lEntries.getLength();
        return played;
    }

    std::unique_ptr<GameApp> m_pApp;
    FakePlatform* m_pPlatform = nullptr; // owned by the application
    int m_nSeen = 0;
};

TEST_F(SoundMarkerTest, EnteredAndSkippedFramesPlayTheirSounds)
{
    struct Step
    {
        float fDt;
        int nFrame;
        Journal played;
    };
    const Step aSteps[] = {
        {0.05f, 0, {}},                              // the frame shown at the start plays nothing
        {0.1f, 1, {}},                               // frame 1 has no sound
        {0.25f, 3, {"audio.playSample(s2, 0, -1)"}}, // frame 2 passed over within the update
        {0.1f, 0, {"audio.playSample(s0, 0, -1)"}},  // wrapped round to frame 0
        {0.35f, 3, {"audio.playSample(s2, 0, -1)"}},
        // Wrapped round past frame 0 to frame 2: the end of the sequence, then its start.
        {0.32f, 2, {"audio.playSample(s0, 0, -1)", "audio.playSample(s2, 0, -1)"}},
    };
    m_pSprite->play("beat", 0.0f, -1);
    m_pSprite->addController(new SCPlayAnimation(false, false));
    int nRow = 0;
    for (const Step& step : aSteps)
    {
        SCOPED_TRACE("row " + std::to_string(nRow++));
        m_pSprite->updateControllers(step.fDt);
        EXPECT_EQ(step.nFrame, m_pSprite->getFrame());
        EXPECT_EQ(step.played, takePlayed());
    }

    // Frozen: no frame is entered, so nothing plays.
    static_cast<SCPlayAnimation*>(m_pSprite->getController(0))->setSpeed(0.0f);
    for (int i = 0; i < 20; ++i)
        m_pSprite->updateControllers(0.05f);
    EXPECT_EQ(2, m_pSprite->getFrame());
    EXPECT_EQ(Journal{}, takePlayed());
}

TEST_F(SoundMarkerTest, InheritedSoundsAndTheEndOfTheAnimation)
{
    m_pSprite->play("clap", 0.0f, -1);
    m_pSprite->addController(new SCPlayAnimation(false, false));
    m_pSprite->updateControllers(0.25f); // frames 1 and 2
    EXPECT_EQ((Journal{"audio.playSample(clap, 0, -1)", "audio.playSample(clap, 0, -1)"}),
              takePlayed());
    m_pSprite->updateControllers(0.25f); // the end: no frame entered
    EXPECT_EQ(Journal{}, takePlayed());
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(SoundMarkerTest, MissingSampleFailsLikeTheSampleLookup)
{
    m_pAnim->setFrameProp("walk", 1, "sound", "ghost");
    m_pPlatform->getRecordingAudioDriver()->markMissing("ghost");
    m_pSprite->play("walk", 0.0f, -1);
    m_pSprite->addController(new SCPlayAnimation(false, false));
    EXPECT_THROW(m_pSprite->updateControllers(0.1f), RIR::ResourceException);
}

TEST_F(PlayAnimationTest, WithoutAnApplicationNothingIsPlayed)
{
    ASSERT_EQ(nullptr, GameApp::getInstance());
    m_pAnim->setFrameProp("walk", 1, "sound", "s1");
    m_pSprite->addController(new SCPlayAnimation(false, false));
    m_pSprite->updateControllers(0.1f);
    EXPECT_EQ(1, m_pSprite->getFrame());
}

} // namespace
