// Emitters and particles: emission counts and timing, the particle step, palettes and fading,
// hiding, nesting limits, hand-over and the free-particle step.
#include "test_particle_fixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{

class ParticleTest : public ParticleTestBase
{
};

// A definition resource that names another definition (or itself) as its particles, keeping
// nMin of them alive.
std::string nestingDefinition(const char* pszChild, int nMin)
{
    return std::string("emitter ") + pszChild + "\nemissionrate 0\nminparticles " +
           std::to_string(nMin) + "\n";
}

} // namespace

// Counts after each update, on the emitter's own clock.
TEST_F(ParticleTest, EmissionFollowsRateMinimumAndCredit)
{
    struct Case
    {
        const char* pszName;
        float fRate;
        int nMin;
        std::vector<float> lSteps;
        std::vector<int> lCounts;
    };
    const Case aCases[] = {
        {"minimum only", 0.0f, 5, {1.0f, 1.0f}, {5, 5}},
        {"minimum then rate", 2.0f, 5, {1.0f}, {7}},
        // The credit carries the fractions: 2, then 3, then 2 emissions.
        {"fractional rate", 2.5f, 0, {1.0f, 1.0f, 1.0f}, {2, 5, 7}},
        {"small steps", 10.0f, 0, {0.05f, 0.05f, 0.05f, 0.05f}, {0, 1, 1, 2}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(c.fRate);
        pEmitter->setMinParticles(c.nMin);
        for (size_t i = 0; i < c.lSteps.size(); ++i)
        {
            pEmitter->update(c.lSteps[i]);
            EXPECT_EQ(c.lCounts[i], pEmitter->getParticleCount()) << "after step " << i;
        }
        EXPECT_EQ(pEmitter->getParticleCount(), spriteCount());
    }
}

// One emission makes one particle per type, so the maximum can be passed by the types less one;
// a full emitter keeps its credit and replaces the dead at once.
TEST_F(ParticleTest, TypesShareAnEmissionAndTheFullEmitterKeepsItsCredit)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(3.0f, 4);
    pEmitter->addImageType(solid(3, 3, Color(0, 255, 0, 255)), 2);
    pEmitter->setLifetimeRange(2.5f, 2.5f);
    pEmitter->update(1.0f);
    EXPECT_EQ(4, pEmitter->getParticleCount()); // two emissions of two types
    pEmitter->update(1.0f);
    EXPECT_EQ(4, pEmitter->getParticleCount()); // full: the credit grows
    EXPECT_FLOAT_EQ(4.0f, pEmitter->getEmissionCredit());
    pEmitter->update(0.75f); // the first four die at 2.5 s; their places are taken next update
    EXPECT_EQ(0, pEmitter->getParticleCount());
    pEmitter->update(0.0f);
    EXPECT_EQ(4, pEmitter->getParticleCount());
    EXPECT_EQ(2, pEmitter->getParticles().get(1)->getSprite()->getZOrder());
}

TEST_F(ParticleTest, AnEmitterWithoutTypesNeverHangsOnItsMinimum)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
    pEmitter->setMinParticles(5);
    pEmitter->setEmissionRate(HUGE_VALF);
    pEmitter->update(1.0f);
    EXPECT_EQ(0, pEmitter->getParticleCount());
}

// The step of one particle: age, death at the lifetime with the remaining time, delay, speed
// limits.
TEST_F(ParticleTest, ParticleStepUsesTheTimeItHas)
{
    RIR::SmartPtr<Particle> p = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
    p->setLifetime(1.0f);
    p->setVelocity(10.0f, 0.0f);
    p->update(0.9f);
    EXPECT_NEAR(9.0f, p->getX(), 1e-4);
    p->update(0.2f); // only 0.1 s was left
    EXPECT_TRUE(p->isDead());
    EXPECT_FLOAT_EQ(1.0f, p->getAge());
    EXPECT_NEAR(10.0f, p->getX(), 1e-4);
    p->update(1.0f); // dead: nothing
    EXPECT_NEAR(10.0f, p->getX(), 1e-4);

    // Delay 0.5: still and hidden for 0.5 s, then moving with the whole step.
    RIR::SmartPtr<Particle> q = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
    q->setVelocity(10.0f, 0.0f);
    q->setDelay(0.5f);
    q->update(0.3f);
    EXPECT_FLOAT_EQ(0.0f, q->getX());
    EXPECT_FALSE(q->getSprite()->isVisible());
    q->update(0.3f);
    EXPECT_NEAR(3.0f, q->getX(), 1e-4);
    EXPECT_TRUE(q->getSprite()->isVisible());
    EXPECT_NEAR(0.3f, q->getAge(), 1e-6);

    // Limits per axis, negative values alike; the new velocity moves the particle.
    RIR::SmartPtr<Particle> r = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
    r->setMaxSpeed(5.0f, 20.0f);
    r->setAcceleration(-100.0f, 100.0f);
    r->update(1.0f);
    EXPECT_FLOAT_EQ(-5.0f, r->getVelocityX());
    EXPECT_FLOAT_EQ(20.0f, r->getVelocityY());
    EXPECT_FLOAT_EQ(-5.0f, r->getX());
    EXPECT_FLOAT_EQ(20.0f, r->getY());
}

// The palette's top row runs from birth to death; a lifetime of 0 is raised to the shortest one,
// so the colour stays defined and the particle dies at its first step on the last column.
TEST_F(ParticleTest, PaletteColourFollowsTheAge)
{
    RIR::SmartPtr<Image> pPalette = m_factory.createBlank(4, 2, true);
    const Color aColours[4] = {Color(255, 0, 0, 255), Color(0, 255, 0, 255),
                               Color(0, 0, 255, 255), Color(255, 255, 0, 255)};
    for (int x = 0; x < 4; ++x)
    {
        pPalette->setPixelAt(x, 0, aColours[x]);
        pPalette->setPixelAt(x, 1, Color(9, 9, 9, 255));
    }
    struct Step
    {
        float fDt;
        int nColumn;
    };
    RIR::SmartPtr<Particle> p = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
    p->setLifetime(4.0f);
    p->setPalette(pPalette);
    for (const Step& step : {Step{0.0f, 0}, Step{1.5f, 1}, Step{1.0f, 2}, Step{1.4f, 3},
                             Step{5.0f, 3}})
    {
        p->update(step.fDt);
        EXPECT_EQ(aColours[step.nColumn], p->getSprite()->getColor()) << "age " << p->getAge();
    }

    for (float fLifetime : {0.0f, -1.0f, NAN})
    {
        RIR::SmartPtr<Particle> q = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
        q->setLifetime(fLifetime);
        EXPECT_FLOAT_EQ(Particle::MIN_LIFETIME, q->getLifetime());
        q->setPalette(pPalette);
        q->setFade(0.0f, 0.0f);
        q->setScaleRange(1.0f, 2.0f);
        q->update(0.0f);
        EXPECT_FALSE(q->isDead());
        q->update(1.0f / 60.0f);
        EXPECT_TRUE(q->isDead());
        EXPECT_EQ(aColours[3], q->getSprite()->getColor());
        EXPECT_FLOAT_EQ(2.0f, q->getSprite()->getScaleX());
    }
}

TEST_F(ParticleTest, FadeScaleAndTurnOverTheLife)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(0.0f);
    pEmitter->setLifetimeRange(4.0f, 4.0f);
    pEmitter->setFadeFractions(0.25f, 0.5f);
    pEmitter->setMaxAlpha(0.8f);
    pEmitter->setStartScaleRange(1.0f, 1.0f);
    pEmitter->setEndScaleRange(3.0f, 3.0f);
    pEmitter->setStartAngleRange(0.0f, 0.0f);
    pEmitter->setEndAngleRange(80.0f, 80.0f);
    pEmitter->emit(1);
    RIR::SmartPtr<Sprite> pSprite = pEmitter->getParticles().get(0)->getSprite();
    struct Step
    {
        float fDt;
        float fAlpha;
        float fScale;
        float fAngle;
    };
    for (const Step& s : {Step{0.5f, 0.4f, 1.25f, 10.0f}, Step{1.0f, 0.8f, 1.75f, 30.0f},
                          Step{1.5f, 0.4f, 2.5f, 60.0f}})
    {
        pEmitter->update(s.fDt);
        EXPECT_NEAR(s.fAlpha, pSprite->getAlpha(), 1e-5);
        EXPECT_NEAR(s.fScale, pSprite->getScaleX(), 1e-5);
        EXPECT_NEAR(s.fAngle, pSprite->getRotation(), 1e-4);
    }
}

// A rectangle emitter emits along angle 0: a radial speed goes to the right only.
TEST_F(ParticleTest, RectangleShapeEmitsAlongAngleZero)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(0.0f);
    pEmitter->setShape(PS_RECT);
    pEmitter->setRadiusRange(40.0f, 10.0f);
    pEmitter->setPosition(100, 200);
    pEmitter->setSpeedType(PMT_RADIAL);
    pEmitter->setSpeedRange(30.0f, 30.0f, 50.0f, 50.0f);
    pEmitter->setSpeedType(PMT_RADIAL);
    pEmitter->emit(20);
    for (int i = 0; i < pEmitter->getParticleCount(); ++i)
    {
        RIR::SmartPtr<Particle> p = pEmitter->getParticles().get(i);
        EXPECT_FLOAT_EQ(30.0f, p->getVelocityX());
        EXPECT_FLOAT_EQ(0.0f, p->getVelocityY());
        EXPECT_LE(80.0f, p->getX());
        EXPECT_GE(120.0f, p->getX());
        EXPECT_LE(195.0f, p->getY());
        EXPECT_GE(205.0f, p->getY());
    }
}

TEST_F(ParticleTest, RelativeParticlesFollowTheEmitterUntilReleased)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(0.0f);
    pEmitter->setRelativePosition(true);
    pEmitter->setPosition(50, 60);
    pEmitter->emit(1);
    RIR::SmartPtr<Sprite> pSprite = pEmitter->getParticles().get(0)->getSprite();
    EXPECT_EQ(Point(50, 60), pSprite->getPosPoint());
    pEmitter->setPosition(70, 65);
    pEmitter->update(0.0f);
    EXPECT_EQ(Point(70, 65), pSprite->getPosPoint());

    RIR::List<RIR::SmartPtr<Particle>> lReleased = pEmitter->releaseParticles();
    EXPECT_EQ(0, pEmitter->getParticleCount());
    ASSERT_EQ(1, lReleased.getLength());
    EXPECT_EQ(nullptr, lReleased.get(0)->getParentEmitter());
    pEmitter->setPosition(0, 0);
    updateParticles(lReleased, 0.0f);
    EXPECT_EQ(Point(70, 65), pSprite->getPosPoint());
}

// Hiding hides the particles there are, the ones to come, and the waiting ones when they start.
TEST_F(ParticleTest, AHiddenEmitterKeepsEveryParticleHidden)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(0.0f);
    pEmitter->emit(2);
    pEmitter->setVisible(false);
    pEmitter->setDelayRange(1.0f, 1.0f);
    pEmitter->emit(2);
    pEmitter->setDelayRange(0.0f, 0.0f);
    pEmitter->emit(1);
    auto visibleCount = [&]() {
        int n = 0;
        for (int i = 0; i < pEmitter->getParticleCount(); ++i)
            n += pEmitter->getParticles().get(i)->getSprite()->isVisible() ? 1 : 0;
        return n;
    };
    EXPECT_EQ(0, visibleCount());
    pEmitter->update(1.5f); // the delayed ones start while the emitter is hidden
    EXPECT_FALSE(pEmitter->getParticles().get(2)->isWaiting());
    EXPECT_EQ(0, visibleCount());

    pEmitter->setDelayRange(2.0f, 2.0f);
    pEmitter->emit(1);
    pEmitter->setVisible(true);
    EXPECT_EQ(5, visibleCount()); // the waiting one stays hidden until it starts
    pEmitter->update(2.0f);
    EXPECT_EQ(6, visibleCount());
}

// A definition that names itself: each level keeps one nested emitter, down to the limit.
TEST_F(ParticleTest, NestedEmittersStopAtTheDepthLimit)
{
    m_env.addText("loop.particles", nestingDefinition("loop.particles", 1).c_str());
    m_env.addText("a.particles", nestingDefinition("b.particles", 2).c_str());
    m_env.addText("b.particles", nestingDefinition("a.particles", 2).c_str());
    struct Case
    {
        const char* pszName;
        int nPerLevel;
    };
    for (const Case& c : {Case{"loop.particles", 1}, Case{"a.particles", 2}})
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
        pEmitter->load(c.pszName);
        pEmitter->update(0.1f);
        // Walk down the first particle of every level.
        int nLevels = 1;
        ParticleEmitter* pLevel = pEmitter.get();
        while (pLevel->getParticleCount() > 0)
        {
            EXPECT_EQ(c.nPerLevel, pLevel->getParticleCount());
            pLevel = pLevel->getParticles().get(0)->getSubEmitter();
            ASSERT_NE(nullptr, pLevel);
            EXPECT_EQ(nLevels, pLevel->getDepth());
            ++nLevels;
        }
        EXPECT_EQ(ParticleEmitter::MAX_NESTING_DEPTH, nLevels);
        pEmitter->update(0.1f);
    }
}

// However counts multiply over the levels, an effect keeps at most MAX_EFFECT_PARTICLES.
TEST_F(ParticleTest, AnEffectKeepsWithinItsParticleBudget)
{
    m_env.addText("wide.particles", "emitter wide.particles\nemissionrate 0\nminparticles 40\n");
    RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
    pEmitter->load("wide.particles");
    pEmitter->update(0.1f);
    int nTotal = 0;
    std::vector<ParticleEmitter*> lOpen = {pEmitter.get()};
    while (!lOpen.empty())
    {
        ParticleEmitter* p = lOpen.back();
        lOpen.pop_back();
        nTotal += p->getParticleCount();
        for (int i = 0; i < p->getParticleCount(); ++i)
            if (p->getParticles().get(i)->getSubEmitter())
                lOpen.push_back(p->getParticles().get(i)->getSubEmitter());
    }
    EXPECT_LE(nTotal, ParticleEmitter::MAX_EFFECT_PARTICLES);
    EXPECT_GT(nTotal, 40 * 40);
}

// Nested emitters whose particles live shorter than the step make and lose them within it, so
// the live count stays low while each level multiplies the work: 50 + 50^2 + 50^3 particles per
// step here. The effect stops making particles once it has made its step's share.
TEST_F(ParticleTest, AnEffectMakesAtMostItsShareOfParticlesPerStep)
{
    addPicture("dot", 1, 1, Color(255, 255, 255, 255));
    m_env.addText("burst.particles", "emitter burst.particles\nimage dot\nemissionrate 200\n"
                                     "maxparticles 1000\nlifetimerange 0.05 0.1\n");
    RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
    pEmitter->load("burst.particles");
    for (int nStep = 0; nStep < 3; ++nStep)
    {
        pEmitter->update(0.25f);
        // Every step gets its full share again.
        EXPECT_EQ(ParticleBudget::MAX_MADE_PER_STEP, pEmitter->getBudget().getMadeInStep())
            << "step " << nStep;
        EXPECT_EQ(0, pEmitter->getParticleCount());
    }
    // Handed over, the particles' emitters go on in the mode's free-particle pass, which counts
    // as one step of the effect.
    pEmitter->setEmissionRate(0.0f);
    pEmitter->setLifetimeRange(10.0f, 10.0f);
    pEmitter->emit(3);
    const RIR::List<RIR::SmartPtr<Particle>> lHanded = pEmitter->releaseParticles();
    m_mode.addParticles(lHanded);
    const uint32_t nStepBefore = ParticleStep::current();
    m_mode.frameUpdate(0.25f);
    EXPECT_EQ(nStepBefore + 1, ParticleStep::current());
    EXPECT_EQ(ParticleBudget::MAX_MADE_PER_STEP, pEmitter->getBudget().getMadeInStep());
    m_mode.clearParticles();
}

// The setters' checks: values stored first, then the rule.
TEST_F(ParticleTest, SettersCheckTheirRanges)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
    try
    {
        pEmitter->setRadiusRange(10.0f, 5.0f);
        FAIL() << "a radial emitter accepted a reversed range";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : m_fMinRadius <= m_fMaxRadius", e.getMessage());
    }
    EXPECT_FLOAT_EQ(10.0f, pEmitter->getMinRadius());
    pEmitter->setShape(PS_RECT);
    pEmitter->setRadiusRange(10.0f, 5.0f);
    EXPECT_FLOAT_EQ(5.0f, pEmitter->getMaxRadius());

    pEmitter->setEmitAngleRange(0, 360);
    EXPECT_FLOAT_EQ(0.0f, pEmitter->getEmitAngleMin());
    EXPECT_FLOAT_EQ(6.2831855f, pEmitter->getEmitAngleMax());
    EXPECT_EQ(360, pEmitter->getEmitAngleMaxDegrees());

    struct Case
    {
        const char* pszMessage;
        void (*pfnCall)(ParticleEmitter*);
    };
    const Case aCases[] = {
        {"Assertion failed : m_fLifetimeMin <= m_fLifetimeMax",
         [](ParticleEmitter* p) { p->setLifetimeRange(2, 1); }},
        {"Expecting fractions", [](ParticleEmitter* p) { p->setFadeFractions(0.5f, 1.5f); }},
        {"Expecting fractions", [](ParticleEmitter* p) { p->setFadeFractions(-0.1f, 0.5f); }},
        {"Assertion failed : m_fScaleStartMin <= m_fScaleStartMax",
         [](ParticleEmitter* p) { p->setStartScaleRange(2, 1); }},
        {"Assertion failed : m_fScaleEndMin <= m_fScaleEndMax",
         [](ParticleEmitter* p) { p->setEndScaleRange(2, 1); }},
        {"Assertion failed : m_fMinDelay <= m_fMaxDelay",
         [](ParticleEmitter* p) { p->setDelayRange(2, 1); }},
        {"Assertion failed : m_fAngleMin <= m_fAngleMax",
         [](ParticleEmitter* p) { p->setEmitAngleRange(90, 10); }},
        {"Assertion failed : m_fSpeedXMin <= m_fSpeedXMax",
         [](ParticleEmitter* p) { p->setSpeedRange(2, 1, 0, 0); }},
        {"Assertion failed : m_fSpeedYMin <= m_fSpeedYMax",
         [](ParticleEmitter* p) { p->setSpeedRange(0, 0, 2, 1); }},
        {"Assertion failed : m_fAccelXMin <= m_fAccelXMax",
         [](ParticleEmitter* p) { p->setAccelRange(2, 1, 0, 0); }},
        {"Assertion failed : m_fAccelYMin <= m_fAccelYMax",
         [](ParticleEmitter* p) { p->setAccelRange(0, 0, 2, 1); }},
    };
    for (const Case& c : aCases)
    {
        RIR::SmartPtr<ParticleEmitter> p = new ParticleEmitter(&m_mode);
        try
        {
            c.pfnCall(p.get());
            ADD_FAILURE() << "no failure for " << c.pszMessage;
        }
        catch (const RIR::Exception& e)
        {
            EXPECT_STREQ(c.pszMessage, e.getMessage());
        }
    }
    RIR::SmartPtr<ParticleEmitter> p = new ParticleEmitter(&m_mode);
    p->setSpeedRange(1, 2, 3, 4);
    p->setAccelRange(1, 2, 3, 4);
    EXPECT_EQ(PMT_ABSOLUTE, p->getSpeedType());
    EXPECT_EQ(PMT_ABSOLUTE, p->getAccelType());
}

TEST_F(ParticleTest, RandomTintAndAnimatedParticles)
{
    RIR::SmartPtr<ParticleEmitter> pEmitter = simpleEmitter(0.0f);
    pEmitter->setRandomTint(solid(3, 2, Color(10, 20, 30, 255)));
    pEmitter->emit(1);
    EXPECT_EQ(Color(10, 20, 30, 255), pEmitter->getParticles().get(0)->getSprite()->getColor());

    // An animated particle dies with its animation (three frames of 0.1 s, not looping); a
    // random-frame particle shows one of the frames and lives its lifetime.
    RIR::SmartPtr<Animation> pAnim = makeAnimation("flash", 3, 1, false);
    RIR::SmartPtr<ParticleEmitter> pAnimated = new ParticleEmitter(&m_mode);
    pAnimated->addAnimationType(pAnim, false, 0);
    pAnimated->addAnimationType(pAnim, true, 0);
    pAnimated->setEmissionRate(0.0f);
    pAnimated->setLifetimeRange(1.0f, 1.0f);
    pAnimated->emit(1);
    ASSERT_EQ(2, pAnimated->getParticleCount());
    RIR::SmartPtr<Particle> pRandomFrame = pAnimated->getParticles().get(1);
    const RIR::List<RIR::SmartPtr<Image>> lFrames = pAnim->getAllImages();
    EXPECT_LE(0, lFrames.indexOf(pRandomFrame->getSprite()->getImage()));
    pAnimated->update(0.5f);
    EXPECT_EQ(1, pAnimated->getParticleCount());
    EXPECT_EQ(pRandomFrame, pAnimated->getParticles().get(0));
}

TEST_F(ParticleTest, BounceAndKillRectangles)
{
    // Bouncing off the right edge: the velocity turns round.
    RIR::SmartPtr<Particle> p = new Particle(&m_mode, 90, 50, solid(4, 4, Color()), 0);
    p->setBounceRect(Rect(0, 0, 100, 100));
    p->setVelocity(20.0f, 0.0f);
    p->update(0.5f);
    EXPECT_FLOAT_EQ(-20.0f, p->getVelocityX());
    EXPECT_GE(100, p->getSprite()->getPhysicalBounds().right);

    // A particle larger than its rectangle is corrected once per side and step, not for ever.
    RIR::SmartPtr<Particle> q = new Particle(&m_mode, 0, 0, solid(30, 30, Color()), 0);
    q->setBounceRect(Rect(0, 0, 10, 10));
    q->update(0.1f);
    EXPECT_FALSE(q->isDead());

    // Leaving the kill rectangle kills.
    RIR::SmartPtr<Particle> r = new Particle(&m_mode, 5, 5, solid(2, 2, Color()), 0);
    r->setKillRect(Rect(0, 0, 20, 20));
    r->setVelocity(100.0f, 0.0f);
    r->update(0.05f);
    EXPECT_FALSE(r->isDead());
    r->update(0.2f);
    EXPECT_TRUE(r->isDead());
}

// A dead particle leaves its mode; a dead nested emitter hands its particles to the list, where
// they are updated in the same pass.
TEST_F(ParticleTest, FreeParticleStepAndDestruction)
{
    const int nBefore = spriteCount();
    {
        RIR::SmartPtr<Particle> p = new Particle(&m_mode, 0, 0, solid(2, 2, Color()), 0);
        EXPECT_EQ(nBefore + 1, spriteCount());
    }
    EXPECT_EQ(nBefore, spriteCount());

    RIR::SmartPtr<ParticleEmitter> pInner = simpleEmitter(0.0f);
    pInner->setSpeedRange(10.0f, 10.0f, 0.0f, 0.0f);
    pInner->emit(3);
    RIR::SmartPtr<Particle> pCarrier = new Particle(&m_mode, 0, 0, pInner);
    pCarrier->setLifetime(1.0f);
    m_mode.addParticle(pCarrier);
    pCarrier.release();
    pInner.release();
    m_mode.frameUpdate(2.0f);
    RIR::List<RIR::SmartPtr<Particle>>& lFree = m_mode.getParticles();
    ASSERT_EQ(3, lFree.getLength());
    // Updated by the carrier for its last second, then by the mode's pass for two more.
    EXPECT_NEAR(30.0f, lFree.get(0)->getX(), 1e-3);
    m_mode.clearParticles();
    EXPECT_EQ(nBefore, spriteCount());
}
