// The particle controllers: an emitter following its sprite, a particle handed to a mode.
#include "gfx/sccomposite.h"
#include "gfx/scparticles.h"

#include "test_particle_fixture.h"

namespace
{

class ParticleControllerTest : public ParticleTestBase
{
protected:
    ParticleControllerTest()
    {
        m_pSprite = new Sprite(solid(4, 4, Color()), 100, 200, 3);
        m_mode.addSprite(m_pSprite);
        m_env.addText("puff.particles", "image puff\nemissionrate 2\nspeedrange 10 10 0 0\n");
        addPicture("puff", 2, 2, Color(200, 200, 200, 255));
    }
    ~ParticleControllerTest() override { m_pSprite->removeAllControllers(); }

    void run(float fDt, int nFrames = 1)
    {
        for (int i = 0; i < nFrames; ++i)
            m_pSprite->updateControllers(fDt);
    }

    RIR::SmartPtr<Sprite> m_pSprite;
};

} // namespace

TEST_F(ParticleControllerTest, AnUntimedEmitterEndsAfterOneUpdateWithItsParticles)
{
    SCAttachEmitter* pAttach = new SCAttachEmitter("puff.particles", 0.0f, &m_mode, 3);
    RIR::SmartPtr<ParticleEmitter> pEmitter = pAttach->getEmitter();
    EXPECT_EQ(4, pEmitter->getZ());
    m_pSprite->addController(pAttach);
    run(1.0f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
    EXPECT_EQ(2, pEmitter->getParticleCount());
    EXPECT_EQ(Point(100, 200), pEmitter->getPosition());
    EXPECT_EQ(0, m_mode.getParticles().getLength());
}

// With a duration the emitter follows the sprite; at the end its particles move on in the mode.
TEST_F(ParticleControllerTest, ATimedEmitterHandsItsParticlesToTheMode)
{
    SCAttachEmitter* pAttach = new SCAttachEmitter("puff.particles", 3.0f, &m_mode, 3);
    m_pSprite->addController(pAttach);
    run(1.0f);
    m_pSprite->setPos(150, 200);
    run(1.0f);
    EXPECT_EQ(Point(150, 200), pAttach->getEmitter()->getPosition());
    EXPECT_EQ(4, pAttach->getEmitter()->getParticleCount());
    run(1.0f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
    RIR::List<RIR::SmartPtr<Particle>>& lFree = m_mode.getParticles();
    ASSERT_EQ(4, lFree.getLength());
    const float fX = lFree.get(0)->getX();
    m_mode.frameUpdate(0.5f);
    EXPECT_NEAR(fX + 5.0f, lFree.get(0)->getX(), 1e-3);
}

// A loop runs a finished timed attachment again: with its emitter gone it only waits.
TEST_F(ParticleControllerTest, ALoopRerunsAFinishedAttachmentSafely)
{
    SCAttachEmitter* pAttach = new SCAttachEmitter("puff.particles", 1.0f, &m_mode, 0);
    SCLoop* pLoop = new SCLoop();
    pLoop->add(pAttach);
    m_pSprite->addController(pLoop);
    run(0.5f, 2);
    EXPECT_FALSE(pAttach->getEmitter());
    const int nHanded = m_mode.getParticles().getLength();
    EXPECT_EQ(1, nHanded);
    run(0.5f, 6);
    EXPECT_EQ(nHanded, m_mode.getParticles().getLength());
    EXPECT_EQ(1, m_pSprite->getControllerCount());
}

TEST_F(ParticleControllerTest, AttachParticleShowsItAndHandsItOver)
{
    RIR::SmartPtr<Particle> pParticle = new Particle(&m_mode, 5, 5, solid(2, 2, Color()), 1);
    pParticle->getSprite()->setVisible(false);
    pParticle->setVelocity(0.0f, 10.0f);
    m_pSprite->addController(new SCAttachParticle(pParticle, &m_mode));
    run(0.1f);
    EXPECT_EQ(0, m_pSprite->getControllerCount());
    EXPECT_TRUE(pParticle->getSprite()->isVisible());
    ASSERT_EQ(1, m_mode.getParticles().getLength());
    EXPECT_EQ(pParticle, m_mode.getParticles().get(0));
    EXPECT_EQ(Point(100, 200), m_pSprite->getPosPoint());
    m_mode.frameUpdate(1.0f);
    EXPECT_NEAR(15.0f, pParticle->getY(), 1e-4);
}
