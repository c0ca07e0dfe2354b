// Particle definition files: every command, the errors, and the cache of definitions.
#include "test_particle_fixture.h"

#include <cmath>
#include <string>

namespace
{

class ParticleDefinitionTest : public ParticleTestBase
{
protected:
    ParticleDefinitionTest()
    {
        addPicture("spark", 2, 2, Color(255, 220, 120, 255));
        addPicture("smoke", 4, 4, Color(120, 120, 120, 255));
        addPicture("firepal", 4, 1, Color(255, 80, 0, 255));
        makeAnimation("flame.anim", 3, 1, true);
    }

    // Loads the text as a definition of that name into a new emitter of the mode.
    RIR::SmartPtr<ParticleEmitter> loadText(const char* pszName, const std::string& sText)
    {
        m_env.addText(pszName, sText.c_str());
        RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
        pEmitter->load(pszName);
        return pEmitter;
    }

    // The message of what loading the text raised ("" when nothing).
    std::string loadError(const std::string& sText)
    {
        try
        {
            loadText("bad.particles", sText);
        }
        catch (const RIR::Exception& e)
        {
            return e.getMessage();
        }
        return "";
    }
};

} // namespace

TEST_F(ParticleDefinitionTest, EveryCommandSetsItsField)
{
    RIR::SmartPtr<ParticleEmitter> p = loadText("all.particles",
                                                "# every command once\n"
                                                "image spark\n"
                                                "IMAGE smoke 2\n"
                                                "image spark 2 9\n"
                                                "animation flame.anim 1\n"
                                                "randomframe flame.anim\n"
                                                "emitter child.particles 3\n"
                                                "TYPE RECT\n"
                                                "emissionrate 20\n"
                                                "lifetimerange 0.5 1.5\n"
                                                "maxalpha 0.7\n"
                                                "fadefracrange 0.1 0.8\n"
                                                "startscalerange 0.5 1\n"
                                                "endscalerange 1 2\n"
                                                "maxparticles 50\n"
                                                "minparticles 3\n"
                                                "rectsize 60 8\n"
                                                "emitanglerange 90.5 180\n"
                                                "startanglerange -10 10\n"
                                                "endanglerange 80 100\n"
                                                "relativeposition\n"
                                                "delayrange 0 0.25\n"
                                                "speedtype radial\n"
                                                "speedrange 20 40 -30 -10\n"
                                                "accelerationrange 0 0 5 10\n"
                                                "blendmode Additive\n"
                                                "effectscale 1.5\n"
                                                "randomtint firepal\n");
    const RIR::List<ParticleType*> lTypes = p->getTypes();
    ASSERT_EQ(6, lTypes.getLength());
    const int aKinds[6] = {PK_IMAGE, PK_IMAGE, PK_IMAGE, PK_ANIMATION, PK_ANIMATION, PK_EMITTER};
    const int aZ[6] = {0, 2, 0, 1, 0, 3};
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(aKinds[i], lTypes.get(i)->m_nKind) << i;
        EXPECT_EQ(aZ[i], lTypes.get(i)->m_nZ) << i;
    }
    EXPECT_FALSE(lTypes.get(3)->m_bRandomFrame);
    EXPECT_TRUE(lTypes.get(4)->m_bRandomFrame);
    EXPECT_EQ(m_animations["flame.anim"], lTypes.get(3)->m_pAnimation);
    EXPECT_STREQ("child.particles", lTypes.get(5)->m_sEmitterName.c_str());
    EXPECT_EQ(m_env.getImage("smoke"), lTypes.get(1)->m_pImage);

    EXPECT_EQ(PS_RECT, p->getShape());
    EXPECT_FLOAT_EQ(20.0f, p->getEmissionRate());
    EXPECT_FLOAT_EQ(0.5f, p->getLifetimeMin());
    EXPECT_FLOAT_EQ(1.5f, p->getLifetimeMax());
    EXPECT_FLOAT_EQ(0.7f, p->getMaxAlpha());
    EXPECT_TRUE(p->isFadeOn());
    EXPECT_FLOAT_EQ(0.8f, p->getFadeOutFraction());
    EXPECT_TRUE(p->isScaleOn());
    EXPECT_EQ(50, p->getMaxParticles());
    EXPECT_EQ(3, p->getMinParticles());
    EXPECT_FLOAT_EQ(60.0f, p->getMinRadius());
    EXPECT_FLOAT_EQ(8.0f, p->getMaxRadius());
    EXPECT_EQ(90, p->getEmitAngleMinDegrees());
    EXPECT_FLOAT_EQ((float)M_PI, p->getEmitAngleMax());
    EXPECT_TRUE(p->isRelativePosition());
    EXPECT_FLOAT_EQ(0.25f, p->getMaxDelay());
    EXPECT_EQ(PMT_RADIAL, p->getSpeedType());
    EXPECT_EQ(PMT_ABSOLUTE, p->getAccelType());
    EXPECT_EQ(1, p->getBlendMode());
    EXPECT_FLOAT_EQ(1.5f, p->getEffectScale());
    EXPECT_EQ(PCM_RANDOM_TINT, p->getColorMode());
    EXPECT_EQ(m_env.getImage("firepal"), p->getColorImage());

    // "palette" and the speed range before the speed type: absolute.
    RIR::SmartPtr<ParticleEmitter> q =
        loadText("pal.particles", "palette firepal\nspeedrange 1 2 3 4\nblendingmode normal\n");
    EXPECT_EQ(PCM_PALETTE, q->getColorMode());
    EXPECT_EQ(PMT_ABSOLUTE, q->getSpeedType());
    EXPECT_EQ(0, q->getBlendMode());
}

// An empty file gives the defaults and no types: nothing is emitted.
TEST_F(ParticleDefinitionTest, AnEmptyFileGivesTheDefaults)
{
    RIR::SmartPtr<ParticleEmitter> p = loadText("empty.particles", "# nothing\n\n");
    EXPECT_EQ(0, p->getTypes().getLength());
    EXPECT_FLOAT_EQ(1.0f, p->getEmissionRate());
    EXPECT_EQ(100, p->getMaxParticles());
    EXPECT_FLOAT_EQ(10000.0f, p->getLifetimeMax());
    p->update(5.0f);
    EXPECT_EQ(0, p->getParticleCount());
}

// Each emission makes one particle of each type, in file order, with the type's z on top of the
// emitter's.
TEST_F(ParticleDefinitionTest, TypesEmitInFileOrder)
{
    RIR::SmartPtr<ParticleEmitter> p = loadText("two.particles", "image spark\nimage smoke 2\n");
    p->setZ(10);
    p->emit(1);
    ASSERT_EQ(2, p->getParticleCount());
    EXPECT_EQ(m_env.getImage("spark"), p->getParticles().get(0)->getSprite()->getImage());
    EXPECT_EQ(10, p->getParticles().get(0)->getSprite()->getZOrder());
    EXPECT_EQ(m_env.getImage("smoke"), p->getParticles().get(1)->getSprite()->getImage());
    EXPECT_EQ(12, p->getParticles().get(1)->getSprite()->getZOrder());
}

TEST_F(ParticleDefinitionTest, BadLinesRaiseTheirErrorsWithTheLine)
{
    struct Case
    {
        const char* pszText;
        const char* pszMessage; // the start of the message
    };
    const Case aCases[] = {
        {"lifetimerange 1", "List index out of range : 2 (have 2)"},
        {"image", "List index out of range : 1 (have 1)"},
        {"wobble 3", "Unknown command : wobble"},
        {"Wobble 3", "Unknown command : wobble"},
        {"type circle", "Assertion failed : false"},
        {"speedtype Sideways", "Unknown SpeedType Sideways"},
        {"blendmode Glow", "Unknown BlendingMode Glow"},
        {"blendingmode Glow", "Unknown BlendingMode Glow"},
        {"lifetimerange 2 1", "Assertion failed : m_fLifetimeMin <= m_fLifetimeMax"},
        {"fadefracrange 0.5 2", "Expecting fractions"},
        {"rectsize 10 5", "Assertion failed : m_fMinRadius <= m_fMaxRadius"},
        {"speedrange 2 1 0 0\nspeedtype radial", "Assertion failed : m_fSpeedXMin <= m_fSpeedXMax"},
        {"emissionrate nan", "Number out of range : nan"},
        {"effectscale 1e30", "Number out of range : 1e30"},
        {"speedrange -inf 0 0 0", "Number out of range : -inf"},
        {"maxparticles 99999999", "Number out of range : 99999999"},
        {"minparticles -1", "Number out of range : -1"},
        {"image spark 2147483647", "Number out of range : 2147483647"},
        {"image nowhere", ""},
        {"animation nowhere.anim", "No animation nowhere.anim"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        const std::string sError = loadError(std::string("# first\nmaxalpha 1\n") + c.pszText);
        ASSERT_FALSE(sError.empty());
        EXPECT_EQ(0u, sError.find(c.pszMessage)) << sError;
        if (std::string(c.pszText).find('\n') == std::string::npos)
        {
            EXPECT_NE(std::string::npos, sError.find("(bad.particles, line 3)")) << sError;
        }
        EXPECT_FALSE(ParticleEmitter::isDefinitionCached("bad.particles"));
    }
    // A rectangle may be wider than tall.
    EXPECT_EQ("", loadError("type rect\nrectsize 10 5"));
}

TEST_F(ParticleDefinitionTest, TheCacheReadsEachFileOnceAndCopiesEverything)
{
    RIR::SmartPtr<ParticleEmitter> pFirst = new ParticleEmitter(&m_mode);
    // Fields set before the first load become part of the definition, position and z included.
    pFirst->setPosition(30, 40);
    pFirst->setZ(5);
    m_env.addText("smoke.particles", "image smoke\nemissionrate 4\n");
    pFirst->load("smoke.particles");
    EXPECT_TRUE(ParticleEmitter::isDefinitionCached("smoke.particles"));
    EXPECT_FALSE(ParticleEmitter::isDefinitionCached("Smoke.particles"));

    // The file changes: later loads still take the cached copy.
    m_env.addText("smoke.particles", "image spark\nemissionrate 9\n");
    RIR::SmartPtr<ParticleEmitter> pSecond = new ParticleEmitter(&m_mode);
    pSecond->setPosition(1, 2);
    pSecond->load("smoke.particles");
    EXPECT_FLOAT_EQ(4.0f, pSecond->getEmissionRate());
    EXPECT_EQ(Point(30, 40), pSecond->getPosition());
    EXPECT_EQ(5, pSecond->getZ());
    ASSERT_EQ(1, pSecond->getTypes().getLength());
    EXPECT_NE(pFirst->getTypes().get(0), pSecond->getTypes().get(0));
    EXPECT_EQ(pFirst->getTypes().get(0)->m_pImage, pSecond->getTypes().get(0)->m_pImage);

    // Not copied: the mode, the particles, the visible flag.
    pFirst->emit(1);
    pFirst->setVisible(false);
    RIR::SmartPtr<ParticleEmitter> pOther = new ParticleEmitter(nullptr);
    pOther->copyDefinition(pFirst.get());
    EXPECT_EQ(nullptr, pOther->getMode());
    EXPECT_EQ(0, pOther->getParticleCount());
    EXPECT_TRUE(pOther->isVisible());
    try
    {
        pOther->copyDefinition(nullptr);
        FAIL();
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : pSrc", e.getMessage());
    }

    // Destroying the cache lets go of the definitions; the next load reads the file again.
    ParticleEmitter::destroyDefinitionCache();
    EXPECT_FALSE(ParticleEmitter::isDefinitionCached("smoke.particles"));
    RIR::SmartPtr<ParticleEmitter> pThird = new ParticleEmitter(&m_mode);
    pThird->load("smoke.particles");
    EXPECT_FLOAT_EQ(9.0f, pThird->getEmissionRate());
}
