// Queues, sets, loops, delays, follow-ups, callbacks and removal.
#include "gfx/scalpha.h"
#include "gfx/sccallback.h"
#include "gfx/sccomposite.h"
#include "gfx/scscale.h"
#include "gfx/sctiming.h"

#include "rir2/list_impl.h"

#include "test_sc_fixture.h"

#include <string>
#include <type_traits>

static_assert(std::is_base_of_v<SpriteController, SCQueue>, "a controller");
static_assert(!std::is_copy_constructible_v<SCLoop>, "owns its children");

namespace
{

class CompositeTest : public ScTestBase
{
protected:
    static RIR::List<SpriteController*> list(std::initializer_list<SpriteController*> items)
    {
        RIR::List<SpriteController*> lItems;
        for (SpriteController* p : items)
            lItems.append(p);
        return lItems;
    }

    ScJournal m_journal;
    CountingTarget m_target;
};

} // namespace

// ---- queue, set, loop --------------------------------------------------------------------------

TEST_F(CompositeTest, QueueRunsOneAfterAnother)
{
    SCQueue* pQueue = new SCQueue(list({new ScRecorder("A", &m_journal, 2)}));
    pQueue->add(new ScRecorder("B", &m_journal, 1));
    EXPECT_EQ(2, pQueue->getCount());
    m_pSprite->addController(pQueue);
    EXPECT_EQ((ScJournal{"attach A"}), m_journal);
    run(0.25f, 3);
    // B is attached when A finishes and first updated in the next frame.
    EXPECT_EQ((ScJournal{"attach A", "A 0.25", "A 0.25", "~A", "attach B", "B 0.25", "~B"}),
              m_journal);
    EXPECT_EQ(1, m_pSprite->getControllerCount()) << "done in the update after the last";
    run(0.25f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Empty queue and empty set: done at once.
    m_pSprite->addController(new SCQueue());
    m_pSprite->addController(new SCSet(RIR::List<SpriteController*>()));
    run(0.25f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(CompositeTest, QueueOfDelayAndRemoveTakesTheSpriteOffAfterTheDelay)
{
    SCQueue* pQueue = new SCQueue();
    pQueue->add(new SCDelay(1.0f));
    pQueue->add(new SCRemove());
    m_pSprite->addController(pQueue);
    for (int i = 0; i < 4; ++i)
        m_mode.updateUpdatables(0.25f);
    EXPECT_TRUE(inMode(m_pSprite)) << "the delay has just ended";
    m_mode.updateUpdatables(0.25f);
    EXPECT_FALSE(inMode(m_pSprite)) << "one frame later";
    EXPECT_EQ(0, m_mode.getUpdatables().getLength());
}

TEST_F(CompositeTest, QueueFinishFinishesEverything)
{
    SCQueue* pQueue = new SCQueue(
        list({new ScRecorder("A", &m_journal, 0), new ScRecorder("B", &m_journal, 0)}));
    m_pSprite->addController(pQueue);
    m_pSprite->finishControllers();
    EXPECT_EQ((ScJournal{"attach A", "finish A", "finish B", "~A", "~B"}), m_journal);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
}

TEST_F(CompositeTest, SetRunsSideBySide)
{
    SCSet* pSet = new SCSet(list({new SCLinearFade(1.0f, 0.0f, 1.0f, true),
                                  new SCScale(1.0f, 3.0f, 2.0f)}));
    m_pSprite->addController(pSet);
    EXPECT_FLOAT_EQ(1.0f, m_pSprite->getAlpha()) << "all attached";
    run(0.5f);
    EXPECT_FLOAT_EQ(0.5f, m_pSprite->getAlpha());
    EXPECT_FLOAT_EQ(1.5f, m_pSprite->getScaleX());
    run(0.5f);
    EXPECT_EQ(1, pSet->getCount()) << "the fade ended and went";
    EXPECT_FLOAT_EQ(0.0f, m_pSprite->getAlpha());
    run(0.5f);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    run(0.5f);
    EXPECT_EQ(3.0f, m_pSprite->getScaleX());
    EXPECT_EQ(0, m_pSprite->getControllerCount()) << "done with its last controller";
}

TEST_F(CompositeTest, LoopAlternatesForEver)
{
    SCLoop* pLoop = new SCLoop();
    pLoop->add(new SCLinearFade(1.0f, 0.0f, 1.0f, true));
    pLoop->add(new SCLinearFade(0.0f, 1.0f, 1.0f, true));
    m_pSprite->addController(pLoop);
    const float afAlpha[] = {0.5f, 0.0f, 0.5f, 1.0f, 0.5f, 0.0f, 0.5f, 1.0f};
    const int anIndex[] = {0, 1, 1, 0, 0, 1, 1, 0};
    for (int i = 0; i < 8; ++i)
    {
        SCOPED_TRACE(i);
        run(0.5f);
        EXPECT_FLOAT_EQ(afAlpha[i], m_pSprite->getAlpha());
        EXPECT_EQ(anIndex[i], pLoop->getIndex());
    }
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    m_pSprite->finishControllers();
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // An empty loop has nothing to run.
    m_pSprite->addController(new SCLoop());
    EXPECT_THROW(run(0.1f), RIR::FatalErrorException);
    m_pSprite->removeAllControllers();
}

TEST_F(CompositeTest, LoopRerunsOneShotsAndSpentControllersSafely)
{
    // A one-shot callback acts once per round.
    m_pSprite->addController(new SCLoop(list({new SCCallback(&m_target, 1, 2)})));
    run(0.1f, 3);
    EXPECT_EQ(3u, m_target.m_lCalls.size());
    m_pSprite->removeAllControllers();

    // A delayed callback whose inner controller is spent after the first round: later rounds do
    // nothing and never touch the deleted controller.
    m_target.m_lCalls.clear();
    SCDelayController* pDelayed = new SCDelayController(0.5f, new SCCallback(&m_target, 3, 4));
    SCLoop* pLoop = new SCLoop(list({pDelayed, new SCDelay(0.25f)}));
    m_pSprite->addController(pLoop);
    run(0.25f, 12);
    EXPECT_EQ(1u, m_target.m_lCalls.size());
    EXPECT_EQ(nullptr, pDelayed->getInner());
    m_pSprite->removeAllControllers();

    // Inside a composite a follow-up waits for ever: the composite is the sprite's controller.
    m_pSprite->addController(new SCQueue(list({new SCWhenDone(new ScRecorder("W", &m_journal, 0))})));
    run(0.25f, 10);
    EXPECT_TRUE(m_journal.empty());
    m_pSprite->removeAllControllers();
    EXPECT_EQ((ScJournal{"~W"}), m_journal);
}

// ---- delays ------------------------------------------------------------------------------------

TEST_F(CompositeTest, DelaysWaitTheirTime)
{
    m_pSprite->addController(new SCDelay(1.0f));
    run(0.4f, 2);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    run(0.2f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // Random delays drawn together draw alike; each lies within its range and a loop draws anew.
    SCRandomDelay* pA = new SCRandomDelay(1.0f, 2.0f);
    SCRandomDelay* pB = new SCRandomDelay(1.0f, 2.0f);
    RIR::SmartPtr<Sprite> pOther = new Sprite(0, 0, 0);
    m_pSprite->addController(new SCLoop(list({pA})));
    pOther->addController(pB);
    const float fFirst = pA->getTimer()->getDuration();
    EXPECT_EQ(fFirst, pB->getTimer()->getDuration());
    EXPECT_GE(fFirst, 1.0f);
    EXPECT_LT(fFirst, 2.0f);
    run(2.0f);
    const float fSecond = pA->getTimer()->getDuration();
    EXPECT_NE(fFirst, fSecond);
    EXPECT_GE(fSecond, 1.0f);
    EXPECT_LT(fSecond, 2.0f);
    EXPECT_FLOAT_EQ(0.0f, pA->getTimer()->getElapsed()) << "restarted";
    pOther->removeAllControllers();
}

TEST_F(CompositeTest, DelayedControllerStartsWithTheOvershoot)
{
    m_pSprite->addController(new SCDelayController(0.5f, new ScRecorder("C", &m_journal, 3)));
    run(0.3f);
    EXPECT_TRUE(m_journal.empty());
    run(0.3f);
    EXPECT_EQ((ScJournal{"attach C", "C 0.10"}), m_journal);
    run(0.3f, 2);
    EXPECT_EQ((ScJournal{"attach C", "C 0.10", "C 0.30", "C 0.30", "~C"}), m_journal);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    // A delay of 0: attached, then updated, at the first update.
    m_journal.clear();
    m_pSprite->addController(new SCDelayController(0.0f, new ScRecorder("D", &m_journal, 0)));
    run(0.2f);
    EXPECT_EQ((ScJournal{"attach D", "D 0.20"}), m_journal);
    m_pSprite->removeAllControllers();

    // Finishing before the delay ran out attaches and finishes the inner controller.
    m_journal.clear();
    m_pSprite->addController(new SCDelayController(5.0f, new ScRecorder("E", &m_journal, 0)));
    m_pSprite->finishControllers();
    EXPECT_EQ((ScJournal{"attach E", "finish E", "~E"}), m_journal);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    EXPECT_THROW(SCDelayController(1.0f, nullptr), RIR::AssertFailException);
}

// A one-shot inner controller acts exactly once, in the frame the delay runs out.
TEST_F(CompositeTest, DelayedOneShotActsOnce)
{
    m_pSprite->addController(new SCDelayController(0.5f, new SCCallback(&m_target, 7, 8)));
    run(0.25f);
    EXPECT_TRUE(m_target.m_lCalls.empty());
    run(0.25f);
    ASSERT_EQ(1u, m_target.m_lCalls.size());
    EXPECT_EQ(std::make_pair(7, 8), m_target.m_lCalls[0]);
    EXPECT_EQ(0, m_pSprite->getControllerCount()) << "done in the same frame";
    run(0.25f, 4);
    EXPECT_EQ(1u, m_target.m_lCalls.size());
}

// ---- follow-ups, callbacks, removal ------------------------------------------------------------

TEST_F(CompositeTest, WhenDoneWaitsUntilItIsAlone)
{
    // Added before a 2-second fade: it hands over in the frame after the fade ended.
    m_pSprite->addController(new SCWhenDone(new ScRecorder("N", &m_journal, 0)));
    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 2.0f, true));
    run(0.5f, 4);
    EXPECT_TRUE(m_journal.empty());
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    run(0.5f);
    // Appended during the pass, the follow-up runs in the same pass.
    EXPECT_EQ((ScJournal{"attach N", "N 0.50"}), m_journal);
    EXPECT_EQ(1, m_pSprite->getControllerCount());
    m_pSprite->removeAllControllers();

    // Alone: at its first update.
    m_journal.clear();
    m_pSprite->addController(new SCWhenDone(new ScRecorder("M", &m_journal, 0)));
    run(0.1f);
    EXPECT_EQ((ScJournal{"attach M", "M 0.10"}), m_journal);
    m_pSprite->removeAllControllers();

    // Finishing hands the follow-up over; it is attached and finished in the same pass.
    m_journal.clear();
    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 2.0f, true));
    m_pSprite->addController(new SCWhenDone(new ScRecorder("F", &m_journal, 0)));
    m_pSprite->finishControllers();
    EXPECT_EQ((ScJournal{"attach F", "finish F", "~F"}), m_journal);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    EXPECT_THROW(SCWhenDone(nullptr), RIR::AssertFailException);
}

TEST_F(CompositeTest, CallbacksAtOnceOrWhenAlone)
{
    m_pSprite->addController(new SCCallback(&m_target, 1, 10));
    EXPECT_TRUE(m_target.m_lCalls.empty()) << "not on attach";
    run(0.1f);
    EXPECT_EQ(1u, m_target.m_lCalls.size());
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 1.0f, true));
    m_pSprite->addController(new SCCallbackWhenDone(&m_target, 2, 20));
    run(0.5f);
    EXPECT_EQ(1u, m_target.m_lCalls.size());
    run(0.5f); // the fade ends before it in the same pass
    ASSERT_EQ(2u, m_target.m_lCalls.size());
    EXPECT_EQ(std::make_pair(2, 20), m_target.m_lCalls[1]);
    EXPECT_EQ(0, m_pSprite->getControllerCount());

    EXPECT_THROW(SCCallback(nullptr, 1, 1), RIR::AssertFailException);
    EXPECT_THROW(SCCallbackWhenDone(nullptr, 1, 1), RIR::AssertFailException);
}

TEST_F(CompositeTest, RemovalAtOnceOrWhenAlone)
{
    m_pSprite->addController(new SCRemoveWhenDone());
    m_pSprite->addController(new SCLinearFade(1.0f, 0.0f, 1.0f, true));
    m_mode.updateUpdatables(0.5f);
    m_mode.updateUpdatables(0.5f);
    EXPECT_TRUE(inMode(m_pSprite)) << "the fade was still there when it looked";
    m_mode.updateUpdatables(0.5f);
    EXPECT_FALSE(inMode(m_pSprite));
    EXPECT_EQ(0, m_mode.getUpdatables().getLength());

    RIR::SmartPtr<Sprite> pOther = new Sprite(patternImage(2, 2, 0, 0), 0, 0, 0);
    m_mode.addSprite(pOther);
    pOther->addController(new SCRemove());
    m_mode.updateUpdatables(0.1f);
    EXPECT_FALSE(inMode(pOther));
    EXPECT_EQ(0, pOther->getControllerCount());

    // A sprite in no mode has nothing to leave.
    pOther->addController(new SCRemove());
    pOther->updateControllers(0.1f);
    EXPECT_EQ(0, pOther->getControllerCount());
}
