#include "gfx/animsprite.h"

#include "rir2/exception.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

static_assert(std::is_base_of_v<Sprite, AnimSprite>, "an animated sprite is a sprite");

namespace
{

// Three pictures and an animation at 10 frames per second:
//   "walk"  frames 0, 1, 2 of one unit each, not looping
//   "loop"  the same frames, looping
//   "four"  four frames of one unit, looping
//   "long"  frames of 1, 2 and 1 units, not looping
//   "still" one frame, speed 0
//   "empty" no frames
class AnimSpriteTest : public ::testing::Test
{
protected:
    AnimSpriteTest()
    {
        for (int i = 0; i < 3; ++i)
            m_apImages[i] = RIR::SmartPtr<Image>(m_factory.createBlank(4 + i, 4, false));
        m_pAnim = new Animation(10.0f);
        m_pAnim->setDefaultSequence("walk");
        m_pAnim->newSequence("loop", true, 0.0f);
        m_pAnim->newSequence("four", true, 0.0f);
        m_pAnim->newSequence("still", false, 0.0f)->setSpeed(0.0f);
        m_pAnim->newSequence("empty", false, 0.0f);
        for (int i = 0; i < 3; ++i)
        {
            m_pAnim->addFrame("walk", m_apImages[i], 1);
            m_pAnim->addFrame("loop", m_apImages[i], 1);
            m_pAnim->addFrame("four", m_apImages[i], 1);
            m_pAnim->addFrame("long", m_apImages[i], i == 1 ? 2 : 1);
        }
        m_pAnim->addFrame("four", m_apImages[0], 1);
        m_pAnim->addFrame("still", m_apImages[1], 1);
        m_pSprite = new AnimSprite(m_pAnim, 10, 20, 3);
    }

    MemImageFactory m_factory;
    RIR::SmartPtr<Image> m_apImages[3];
    RIR::SmartPtr<Animation> m_pAnim;
    RIR::SmartPtr<AnimSprite> m_pSprite;
};

TEST_F(AnimSpriteTest, ConstructionPlaysTheDefaultSequence)
{
    EXPECT_EQ("walk", std::string(m_pSprite->getSequenceName().c_str()));
    EXPECT_TRUE(m_pSprite->isPlaying());
    EXPECT_EQ(0, m_pSprite->getFrame());
    EXPECT_FLOAT_EQ(0.1f, m_pSprite->getFrameTimeLeft());
    EXPECT_EQ(m_apImages[0].get(), m_pSprite->getImage().get());
    EXPECT_TRUE(m_pSprite->isVisible());
    EXPECT_EQ(10, m_pSprite->getX());
    EXPECT_EQ(3, m_pSprite->getZOrder());

    RIR::SmartPtr<AnimSprite> pEmpty = new AnimSprite(RIR::SmartPtr<Animation>(), Point(1, 2), 0);
    EXPECT_FALSE(pEmpty->isPlaying());
    EXPECT_FALSE(pEmpty->update(1.0f));
    EXPECT_EQ(0, pEmpty->getFrameCount());

    // An animation without sequences has no default; one naming a missing sequence fails when
    // the sequence is looked up.
    RIR::SmartPtr<Animation> pBare = new Animation(10.0f);
    EXPECT_THROW(new AnimSprite(pBare, 0, 0, 0), RIR::FatalErrorException);
    pBare->setDefaultSequence("ghost");
    EXPECT_THROW(new AnimSprite(pBare, 0, 0, 0), RIR::FatalErrorException);
}

TEST_F(AnimSpriteTest, PlayTakesSpeedAndLoopFromTheSequenceOrTheCall)
{
    struct Case
    {
        const char* pszSeq;
        float fSpeed;
        int nLoop;
        float fFrameTime; // of frame 0
        bool bPlaying;
    };
    const Case aCases[] = {
        {"walk", 0.0f, -1, 0.1f, true},        // the sequence's 10 fps
        {"walk", 20.0f, -1, 0.05f, true},      // 20 units per second
        {"four", -2.0f, 0, 0.5f, true},        // 2 s for four frames
        {"long", -2.0f, 0, 2.0f / 3.0f, true}, // divided by frames, not by units
        {"still", 0.0f, -1, 0.0f, false}, // speed 0 on a sequence of speed 0: shown, not played
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(std::string(c.pszSeq) + " at " + std::to_string(c.fSpeed));
        m_pSprite->play(c.pszSeq, c.fSpeed, c.nLoop);
        EXPECT_EQ(c.pszSeq, std::string(m_pSprite->getSequenceName().c_str()));
        EXPECT_NEAR(c.fFrameTime, m_pSprite->getFrameTime(), 1e-6);
        EXPECT_NEAR(c.fFrameTime, m_pSprite->getFrameTimeLeft(), 1e-6);
        EXPECT_EQ(c.bPlaying, m_pSprite->isPlaying());
    }

    // The loop flag: the sequence's own with -1, else the call's.
    m_pSprite->play("loop", 0.0f, -1);
    m_pSprite->update(0.35f);
    EXPECT_TRUE(m_pSprite->isPlaying()) << "looping";
    m_pSprite->play("loop", 0.0f, 0);
    m_pSprite->update(0.35f);
    EXPECT_TRUE(m_pSprite->isFinished()) << "told not to loop";
    m_pSprite->play("walk", 0.0f, 1);
    m_pSprite->update(0.35f);
    EXPECT_TRUE(m_pSprite->isPlaying()) << "told to loop";
}

// The timing table: each row is one update after the play of its scenario.
TEST_F(AnimSpriteTest, UpdateTimingTable)
{
    struct Step
    {
        float fDt;
        bool bResult;
        int nFrame;
        int nPrev;
        bool bChanged;
        bool bSkipped;
        bool bFinished;
        bool bPlaying;
        float fTimeLeft;
    };
    struct Scenario
    {
        const char* pszName;
        const char* pszSeq;
        float fSpeed;
        std::vector<Step> steps;
    };
    const Scenario aScenarios[] = {
        {"skip to the last frame, then end",
         "walk",
         10.0f,
         {
             // 0.25 s passes frames 0 and 1; frame 2 starts with its full time (not 0.05).
             {0.25f, true, 2, 0, true, true, false, true, 0.1f},
             // The end of a non-looping sequence: frame 2 stays, changed is not set.
             {0.2f, true, 2, 2, false, false, true, false, 0.1f},
             // Stopped: nothing moves.
             {0.5f, false, 2, 2, false, false, false, false, 0.1f},
         }},
        {"first updates",
         "walk",
         10.0f,
         {
             // Frame 0 with its full time untouched: true although nothing changes.
             {0.01f, true, 0, 0, false, false, false, true, 0.09f},
             {0.01f, false, 0, 0, false, false, false, true, 0.08f},
             {0.0f, false, 0, 0, false, false, false, true, 0.08f},
             {0.09f, true, 1, 0, true, false, false, true, 0.1f},
         }},
        {"update by 0 right after play",
         "walk",
         10.0f,
         {
             {0.0f, true, 0, 0, false, false, false, true, 0.1f},
         }},
        {"looping wraps to frame 0",
         "loop",
         10.0f,
         {
             {0.25f, true, 2, 0, true, true, false, true, 0.1f},
             {0.15f, true, 0, 2, true, false, false, true, 0.1f},
             // Frame 0 again with its full time: true without a change.
             {0.01f, true, 0, 0, false, false, false, true, 0.09f},
             // Three rounds and a bit in one update: passes 29 frames.
             {2.9f, true, 2, 0, true, true, false, true, 0.1f},
         }},
        {"durations and negative speed",
         "long",
         -2.0f, // 2/3 s per unit
         {
             {0.7f, true, 1, 0, true, false, false, true, 4.0f / 3.0f},
             {1.0f, false, 1, 1, false, false, false, true, 1.0f / 3.0f},
             {0.4f, true, 2, 1, true, false, false, true, 2.0f / 3.0f},
         }},
    };
    for (const Scenario& s : aScenarios)
    {
        SCOPED_TRACE(s.pszName);
        m_pSprite->play(s.pszSeq, s.fSpeed, -1);
        int nRow = 0;
        for (const Step& step : s.steps)
        {
            SCOPED_TRACE("row " + std::to_string(nRow++));
            EXPECT_EQ(step.bResult, m_pSprite->update(step.fDt));
            EXPECT_EQ(step.nFrame, m_pSprite->getFrame());
            EXPECT_EQ(step.nPrev, m_pSprite->getPreviousFrame());
            EXPECT_EQ(step.bChanged, m_pSprite->hasFrameChanged());
            EXPECT_EQ(step.bSkipped, m_pSprite->hasSkippedFrames());
            EXPECT_EQ(step.bFinished, m_pSprite->isFinished());
            EXPECT_EQ(step.bPlaying, m_pSprite->isPlaying());
            EXPECT_NEAR(step.fTimeLeft, m_pSprite->getFrameTimeLeft(), 1e-5);
            EXPECT_EQ(m_apImages[step.nFrame].get(), m_pSprite->getImage().get())
                << "the sprite shows the current frame";
        }
    }
}

TEST_F(AnimSpriteTest, LongUpdatesLandOnTheSameFrameAsFrameByFrame)
{
    // One round of "loop" lasts 0.3 s. An update of dt seconds from a fresh frame 0 passes the
    // smallest number of frames n with 0.1 + 0.1 n - dt > 0, and lands on frame n mod 3.
    struct Case
    {
        float fDt;
        int nFrame;
    };
    for (const Case& c : {Case{0.95f, 0}, Case{3.15f, 1}, Case{31.17f, 2}, Case{100.05f, 1}})
    {
        SCOPED_TRACE(c.fDt);
        m_pSprite->play("loop", 0.0f, -1);
        EXPECT_TRUE(m_pSprite->update(c.fDt));
        EXPECT_EQ(c.nFrame, m_pSprite->getFrame());
        EXPECT_TRUE(m_pSprite->hasSkippedFrames());
        EXPECT_TRUE(m_pSprite->isPlaying());
        EXPECT_FLOAT_EQ(0.1f, m_pSprite->getFrameTimeLeft());
    }

    // Far beyond what float steps can count exactly: still a frame of the sequence, at once.
    m_pSprite->play("loop", 0.0f, -1);
    EXPECT_TRUE(m_pSprite->update(1e9f));
    EXPECT_GE(m_pSprite->getFrame(), 0);
    EXPECT_LT(m_pSprite->getFrame(), 3);
    EXPECT_TRUE(m_pSprite->isPlaying());
}

TEST_F(AnimSpriteTest, FramesThatLastNoTimeCannotHangTheUpdate)
{
    // Looping sequences whose frames add up to no time: the update goes round once at most and
    // stays where it started.
    struct Case
    {
        const char* pszName;
        std::vector<int> durations;
    };
    const Case aCases[] = {
        {"all zero", {0, 0, 0}},
        {"all negative", {-1, -2}},
        {"adding up to zero", {2, -1, -1}},
        {"one zero frame", {0}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
        pAnim->newSequence("spin", true, 0.0f);
        for (int nDuration : c.durations)
            pAnim->addFrame("spin", m_apImages[0], nDuration);
        RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pAnim, 0, 0, 0);
        ASSERT_TRUE(pSprite->isPlaying());
        for (float fDt : {0.0f, 0.016f, 0.05f, 1e6f})
        {
            pSprite->update(fDt);
            EXPECT_EQ(0, pSprite->getFrame());
            EXPECT_FALSE(pSprite->isFinished());
        }
        EXPECT_TRUE(pSprite->isPlaying());
    }

    // Frames so short that adding their time no longer changes the time left in float
    // arithmetic: the same guard ends the update.
    m_pSprite->play("loop", 1e9f, -1);
    EXPECT_TRUE(m_pSprite->update(0.05f));
    EXPECT_TRUE(m_pSprite->isPlaying());

    // A non-looping one simply ends.
    RIR::SmartPtr<Animation> pOnce = new Animation(10.0f);
    pOnce->addFrame("once", m_apImages[0], 0);
    pOnce->addFrame("once", m_apImages[1], 0);
    RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pOnce, 0, 0, 0);
    pSprite->update(0.016f);
    EXPECT_TRUE(pSprite->isFinished());
    EXPECT_EQ(1, pSprite->getFrame());
}

TEST_F(AnimSpriteTest, HiddenSpriteIsFrozen)
{
    m_pSprite->play("loop", 0.0f, -1);
    m_pSprite->update(0.15f);
    ASSERT_EQ(1, m_pSprite->getFrame());
    const float fLeft = m_pSprite->getFrameTimeLeft();

    m_pSprite->setVisible(false);
    EXPECT_FALSE(m_pSprite->update(1.0f));
    EXPECT_EQ(1, m_pSprite->getFrame());
    EXPECT_FLOAT_EQ(fLeft, m_pSprite->getFrameTimeLeft());
    EXPECT_FALSE(m_pSprite->hasFrameChanged());
    EXPECT_TRUE(m_pSprite->isPlaying());

    m_pSprite->setVisible(true);
    EXPECT_TRUE(m_pSprite->update(0.1f));
    EXPECT_EQ(2, m_pSprite->getFrame());
}

TEST_F(AnimSpriteTest, SetFrameStopAndResume)
{
    struct Case
    {
        int nIndex;
        float fTimeLeft;
        int nFrame;
        int nImage;
        float fExpectedLeft;
    };
    // From frame 0 with 0.04 s left.
    const Case aCases[] = {
        {2, 0.0f, 2, 2, 0.1f},    // the frame's full time
        {2, 0.05f, 2, 2, 0.05f},  // the time given
        {1, -1.0f, 1, 1, 0.1f},   // a negative time: the full time
        {7, 0.05f, 7, 0, 0.05f},  // outside: stored, image unchanged, the time given
        {-3, 0.0f, -3, 0, 0.04f}, // outside: image and time unchanged
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.nIndex);
        m_pSprite->play("walk", 0.0f, -1);
        m_pSprite->update(0.06f);
        m_pSprite->setFrame(c.nIndex, c.fTimeLeft);
        EXPECT_EQ(c.nFrame, m_pSprite->getFrame());
        EXPECT_EQ(m_apImages[c.nImage].get(), m_pSprite->getImage().get());
        EXPECT_NEAR(c.fExpectedLeft, m_pSprite->getFrameTimeLeft(), 1e-6);
        EXPECT_TRUE(m_pSprite->isPlaying()) << "setFrame keeps the playing state";
    }

    m_pSprite->play("walk", 0.0f, -1);
    m_pSprite->update(0.15f);
    m_pSprite->stop();
    EXPECT_FALSE(m_pSprite->update(1.0f));
    EXPECT_EQ(1, m_pSprite->getFrame());
    m_pSprite->setFrame(2, 0.0f);
    EXPECT_FALSE(m_pSprite->isPlaying()) << "setFrame keeps the playing state";
    m_pSprite->resume();
    EXPECT_TRUE(m_pSprite->isPlaying());
    EXPECT_FLOAT_EQ(0.1f, m_pSprite->getFrameTimeLeft());
}

TEST_F(AnimSpriteTest, PlayingAMissingOrEmptySequenceStopsAndHides)
{
    m_pSprite->update(0.15f);
    for (const char* pszSeq : {"ghost", "empty"})
    {
        SCOPED_TRACE(pszSeq);
        m_pSprite->play("walk", 0.0f, -1);
        m_pSprite->update(0.15f);
        m_pSprite->play(pszSeq, 0.0f, -1);
        EXPECT_FALSE(m_pSprite->isPlaying());
        EXPECT_FALSE(m_pSprite->isVisible());
        EXPECT_EQ(nullptr, m_pSprite->getImage().get());
        EXPECT_EQ("walk", std::string(m_pSprite->getSequenceName().c_str()));
        EXPECT_EQ(1, m_pSprite->getFrame());
    }
    // Playing a real sequence shows the sprite again.
    m_pSprite->play("loop", 0.0f, -1);
    EXPECT_TRUE(m_pSprite->isVisible());
    EXPECT_EQ(m_apImages[0].get(), m_pSprite->getImage().get());
}

TEST_F(AnimSpriteTest, FramePropertiesOfTheCurrentFrame)
{
    m_pAnim->setFrameProp("walk", 0, "doaction", "grab");
    m_pAnim->setFrameProp("walk", -1, "suffix", "_w");
    m_pSprite->play("walk", 0.0f, -1);
    m_pSprite->update(0.15f); // frame 1
    EXPECT_FALSE(m_pSprite->hasFrameProp("doaction"));
    EXPECT_EQ("", std::string(m_pSprite->getFrameProp("doaction").c_str()));
    EXPECT_EQ("grab", std::string(m_pSprite->findFrameProp("doaction").c_str()));
    EXPECT_TRUE(m_pSprite->hasFrameProp("suffix"));
    EXPECT_EQ("_w", std::string(m_pSprite->getFrameProp("suffix").c_str()));
    EXPECT_EQ("", std::string(m_pSprite->findFrameProp("sound").c_str()));
    EXPECT_EQ(3, m_pSprite->getFrameCount());
    EXPECT_EQ(4, m_pSprite->getFrameCount("four"));
    EXPECT_EQ(0, m_pSprite->getFrameCount("ghost"));
    EXPECT_EQ(m_apImages[1].get(), m_pSprite->getCurrentFrameImage().get());

    // A current sequence the animation lacks: the has/find forms answer, the others raise.
    RIR::SmartPtr<Animation> pOther = new Animation(5.0f);
    pOther->newSequence("blank", false, 0.0f); // the default, without frames: "walk" stays
    m_pSprite->setAnimation(pOther);
    ASSERT_EQ("walk", std::string(m_pSprite->getSequenceName().c_str()));
    EXPECT_FALSE(m_pSprite->hasFrameProp("suffix"));
    EXPECT_EQ("", std::string(m_pSprite->findFrameProp("suffix").c_str()));
    EXPECT_THROW(m_pSprite->getFrameProp("suffix"), RIR::FatalErrorException);
}

} // namespace
