// Fuzz target: a particle definition file. The input is the definition "main.particles" (and also
// "child.particles", for "emitter" lines), read in an in-memory image environment that holds a few
// small pictures ("spark", "smoke", "pal") and serves one animation ("flame.anim"). The loaded
// emitter then runs a few steps in a screen mode, nested emitters included. Bad lines raise a
// RIR::Exception.
#include "app/gamemode.h"
#include "fuzzcheck.h"
#include "gfx/animation.h"
#include "gfx/particleemitter.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{

MemImageFactory& factory()
{
    static MemImageFactory s_factory;
    return s_factory;
}

void addPicture(MemImageEnvironment& env, const char* pszName, int nWidth, int nHeight)
{
    std::vector<uint8_t> abPixels;
    for (int i = 0; i < nWidth * nHeight; ++i)
        abPixels.insert(abPixels.end(), {(uint8_t)(i * 40), 200, 100, 255});
    env.addPicture(pszName, nWidth, nHeight, 4, abPixels.data());
}

RIR::SmartPtr<Animation> s_pFlame;

RIR::SmartPtr<Animation> animation(const char* pszName)
{
    if (RIR::String(pszName) != "flame.anim")
        RIR_THROW(ResourceException, "No such animation");
    return s_pFlame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 16 * 1024)
        nSize = 16 * 1024;
    MemImageEnvironment env(&factory());
    addPicture(env, "spark", 2, 2);
    addPicture(env, "smoke", 3, 3);
    addPicture(env, "pal", 4, 1);
    env.addResource("main.particles", pData, (int)nSize);
    env.addResource("child.particles", pData, (int)nSize);
    s_pFlame = new Animation(10.0f);
    s_pFlame->addFrame("default", env.getImage("spark"), 1);
    s_pFlame->addFrame("default", env.getImage("smoke"), 2);
    ParticleEmitter::setAnimationSource(&animation);
    ParticleEmitter::getRandom().seed(1);
    {
        GameMode mode;
        try
        {
            RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&mode);
            pEmitter->load("main.particles");
            FUZZ_CHECK(ParticleEmitter::isDefinitionCached("main.particles"));
            for (int i = 0; i < 4; ++i)
                pEmitter->update(0.25f);
            FUZZ_CHECK(pEmitter->getParticleCount() <= ParticleEmitter::MAX_EFFECT_PARTICLES);
            mode.addParticles(pEmitter->releaseParticles());
            mode.frameUpdate(0.5f);
        }
        catch (const RIR::Exception&)
        {
        }
        mode.clearParticles();
    }
    ParticleEmitter::destroyDefinitionCache();
    ParticleEmitter::setAnimationSource(nullptr);
    s_pFlame.release();
    return 0;
}
