// ParticleBudget and ParticleStep: the live limit, the per-step limit, giving places back, and
// which scopes begin a step.
#include "gfx/particlebudget.h"

#include <gtest/gtest.h>

TEST(ParticleBudgetTest, LiveAndPerStepLimitsHoldApart)
{
    RIR::SmartPtr<ParticleBudget> pBudget = new ParticleBudget();
    {
        const ParticleStep step;
        // Made and lost at once: the live count stays at 0, the step's count reaches its limit.
        for (int i = 0; i < ParticleBudget::MAX_MADE_PER_STEP; ++i)
        {
            ASSERT_TRUE(pBudget->take()) << i;
            pBudget->release();
        }
        EXPECT_EQ(0, pBudget->getLive());
        EXPECT_TRUE(pBudget->isFull());
        EXPECT_FALSE(pBudget->take());
        EXPECT_EQ(ParticleBudget::MAX_MADE_PER_STEP, pBudget->getMadeInStep());
    }
    {
        const ParticleStep step;
        EXPECT_EQ(0, pBudget->getMadeInStep());
        // Kept alive over several steps, the live limit holds however few each step made.
        for (int i = 0; i < ParticleBudget::MAX_LIVE / 2; ++i)
            ASSERT_TRUE(pBudget->take());
    }
    {
        const ParticleStep step;
        for (int i = 0; i < ParticleBudget::MAX_LIVE / 2; ++i)
            ASSERT_TRUE(pBudget->take());
        EXPECT_FALSE(pBudget->take());
        EXPECT_EQ(ParticleBudget::MAX_LIVE, pBudget->getLive());
        // A place given back by a particle that was never made counts as neither.
        pBudget->untake();
        EXPECT_EQ(ParticleBudget::MAX_LIVE - 1, pBudget->getLive());
        EXPECT_EQ(ParticleBudget::MAX_LIVE / 2 - 1, pBudget->getMadeInStep());
        EXPECT_TRUE(pBudget->take());
    }
}

TEST(ParticleBudgetTest, OnlyTheOutermostScopeBeginsAStep)
{
    RIR::SmartPtr<ParticleBudget> pBudget = new ParticleBudget();
    const uint32_t nBefore = ParticleStep::current();
    {
        const ParticleStep outer;
        EXPECT_EQ(nBefore + 1, ParticleStep::current());
        ASSERT_TRUE(pBudget->take());
        {
            const ParticleStep inner;
            EXPECT_EQ(nBefore + 1, ParticleStep::current());
            ASSERT_TRUE(pBudget->take());
        }
        EXPECT_EQ(2, pBudget->getMadeInStep());
    }
    // The count belongs to the step that made it: the next one starts from nothing.
    const ParticleStep next;
    EXPECT_EQ(nBefore + 2, ParticleStep::current());
    EXPECT_EQ(0, pBudget->getMadeInStep());
    EXPECT_EQ(2, pBudget->getLive());
}
