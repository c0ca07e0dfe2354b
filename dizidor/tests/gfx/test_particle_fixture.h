// Shared set-up of the particle tests: in-memory pictures and definition files, a real screen
// mode that receives the particles' sprites, a seeded particle generator, and an animation source
// that serves animations made in code. The definition cache is emptied after each test.
//
// Time is the tests' own: emitters, particles and modes are stepped by set frame times.
#ifndef DIZIDOR_TESTS_GFX_TEST_PARTICLE_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_PARTICLE_FIXTURE_H

#include "app/gamemode.h"
#include "gfx/animation.h"
#include "gfx/particle.h"
#include "gfx/particleemitter.h"

#include "test_sprite_fixture.h"

#include <map>
#include <string>
#include <vector>

class ParticleTestBase : public SpriteTestBase
{
protected:
    ParticleTestBase()
    {
        ParticleEmitter::getRandom().seed(7);
        s_pAnimations = &m_animations;
        ParticleEmitter::setAnimationSource(&ParticleTestBase::findAnimation);
    }
    ~ParticleTestBase() override
    {
        ParticleEmitter::setAnimationSource(nullptr);
        s_pAnimations = nullptr;
        ParticleEmitter::destroyDefinitionCache();
    }

    // A w x h picture of one colour.
    RIR::SmartPtr<Image> solid(int nWidth, int nHeight, const Color& color)
    {
        RIR::SmartPtr<Image> pImage = m_factory.createBlank(nWidth, nHeight, true);
        pImage->fill(color);
        return pImage;
    }

    // A picture of that name in the environment: w x h of one colour.
    void addPicture(const char* pszName, int nWidth, int nHeight, const Color& color)
    {
        std::vector<uint8_t> abPixels((size_t)(nWidth * nHeight) * 4);
        for (size_t i = 0; i < abPixels.size(); i += 4)
        {
            abPixels[i] = color.r;
            abPixels[i + 1] = color.g;
            abPixels[i + 2] = color.b;
            abPixels[i + 3] = color.a;
        }
        m_env.addPicture(pszName, nWidth, nHeight, 4, abPixels.data());
    }

    // An animation with a sequence "default" of nFrames frames of nDuration units each, at 10
    // units per second, each frame a 2 x 2 picture of its own shade.
    RIR::SmartPtr<Animation> makeAnimation(const char* pszName, int nFrames, int nDuration,
                                           bool bLoop)
    {
        RIR::SmartPtr<Animation> pAnimation = new Animation(10.0f);
        pAnimation->newSequence("default", bLoop, 10.0f);
        for (int i = 0; i < nFrames; ++i)
            pAnimation->addFrame("default", solid(2, 2, Color(40 * i, 0, 0, 255)), nDuration);
        m_animations[pszName] = pAnimation;
        return pAnimation;
    }

    // A new emitter of the test mode with one 2 x 2 picture type, at most nMax particles,
    // emission rate fRate.
    RIR::SmartPtr<ParticleEmitter> simpleEmitter(float fRate, int nMax = 1000)
    {
        RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&m_mode);
        pEmitter->addImageType(solid(2, 2, Color(255, 255, 255, 255)), 0);
        pEmitter->setEmissionRate(fRate);
        pEmitter->setMaxParticles(nMax);
        return pEmitter;
    }

    int spriteCount() { return m_mode.getSprites().getLength(); }

    GameMode m_mode;
    std::map<std::string, RIR::SmartPtr<Animation>> m_animations;

private:
    static RIR::SmartPtr<Animation> findAnimation(const char* pszName)
    {
        auto it = s_pAnimations->find(pszName);
        if (it == s_pAnimations->end())
            RIR_THROW(ResourceException, RIR::String::format("No animation %s", pszName).c_str());
        return it->second;
    }

    static inline std::map<std::string, RIR::SmartPtr<Animation>>* s_pAnimations = nullptr;
};

#endif
