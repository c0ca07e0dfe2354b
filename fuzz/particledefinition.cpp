// Fuzz target: a particle definition file. The input is the definition "main.particles" (and also
// "child.particles", for "emitter" lines), read in an in-memory image environment that holds a few
// small pictures ("spark", "smoke", "pal") and serves one animation ("flame.anim"). The loaded
// emitter then runs a few steps in a screen mode, nested emitters included. Bad lines raise a
// RIR::Exception.
// Invariant: an accepted definition holds counts within 0..MAX_EFFECT_PARTICLES and ordered
// lifetimes, and the value of its last plain "maxparticles" and "emissionrate" lines.
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
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// The numbers of the last lines "maxparticles N" and "emissionrate R" (lower case, one number
// of plain digits), read here line by line; only for files of plain printable text without
// quotes or comments, which the token reader cannot read in any other way.
struct PlainValues
{
    bool m_bPlain = true;
    int m_nMaxParticles = -1;
    double m_dEmissionRate = -1.0;
};

bool isPlainNumber(const std::string& s, bool bFraction)
{
    if (s.empty() || s.size() > 6)
        return false;
    int nDots = 0;
    for (char c : s)
    {
        if (c == '.' && bFraction)
            ++nDots;
        else if (c < '0' || c > '9')
            return false;
    }
    return nDots <= 1 && s.front() != '.' && s.back() != '.';
}

PlainValues readPlainValues(const uint8_t* pData, size_t nSize)
{
    PlainValues values;
    for (size_t i = 0; i < nSize; ++i)
    {
        const uint8_t c = pData[i];
        if (!(c == '\n' || c == ' ' || (c > ' ' && c < 0x7F)) || c == '"' || c == '\'' ||
            c == '#' || c == '\\' || c == ';' || c == '/' || c == '{' || c == '}')
        {
            values.m_bPlain = false;
            return values;
        }
    }
    const std::string sText((const char*)pData, nSize);
    size_t nStart = 0;
    while (nStart < sText.size())
    {
        size_t nEnd = sText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = sText.size();
        const std::string sLine = sText.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        std::vector<std::string> asWords;
        size_t nWord = 0;
        while ((nWord = sLine.find_first_not_of(' ', nWord)) != std::string::npos)
        {
            const size_t nStop = sLine.find(' ', nWord);
            asWords.push_back(sLine.substr(nWord, nStop - nWord));
            nWord = nStop;
        }
        if (asWords.empty())
            continue;
        std::string sCommand = asWords[0];
        for (char& c : sCommand)
            if (c >= 'A' && c <= 'Z')
                c = (char)(c - 'A' + 'a');
        // The last line of a command decides; one whose number is not plain leaves it unknown.
        const bool bOneWord = asWords.size() == 2;
        if (sCommand == "maxparticles")
            values.m_nMaxParticles = (bOneWord && isPlainNumber(asWords[1], false))
                                         ? std::atoi(asWords[1].c_str())
                                         : -1;
        else if (sCommand == "emissionrate")
            values.m_dEmissionRate = (bOneWord && isPlainNumber(asWords[1], true))
                                         ? std::atof(asWords[1].c_str())
                                         : -1.0;
    }
    return values;
}

void addPicture(MemImageEnvironment& env, const char* pszName, int nWidth, int nHeight)
{
    std::vector<uint8_t> abPixels;
    for (int i = 0; i < nWidth * nHeight; ++i)
        abPixels.insert(abPixels.end(), {(uint8_t)(i * 40), 200, 100, 255});
    env.addPicture(pszName, nWidth, nHeight, 4, abPixels.data());
}

// The image environment with its pictures (encoded and decoded once) and the animation, made
// once for the run and kept reachable from here. An input changes only the two definition
// resources, replaced for every input; the pictures are only read by the emitter.
struct ParticleWorld
{
    ParticleWorld() : m_env(&m_factory)
    {
        addPicture(m_env, "spark", 2, 2);
        addPicture(m_env, "smoke", 3, 3);
        addPicture(m_env, "pal", 4, 1);
        m_env.getImage("pal");
        m_pFlame = new Animation(10.0f);
        m_pFlame->addFrame("default", m_env.getImage("spark"), 1);
        m_pFlame->addFrame("default", m_env.getImage("smoke"), 2);
    }
    MemImageFactory m_factory;
    MemImageEnvironment m_env;
    RIR::SmartPtr<Animation> m_pFlame;
};

ParticleWorld& world()
{
    static ParticleWorld* s_pWorld = new ParticleWorld();
    return *s_pWorld;
}

RIR::SmartPtr<Animation> animation(const char* pszName)
{
    if (RIR::String(pszName) != "flame.anim")
        RIR_THROW(ResourceException, "No such animation");
    return world().m_pFlame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 16 * 1024)
        nSize = 16 * 1024;
    ParticleWorld& w = world();
    w.m_env.addResource("main.particles", pData, (int)nSize);
    w.m_env.addResource("child.particles", pData, (int)nSize);
    ParticleEmitter::setAnimationSource(&animation);
    ParticleEmitter::getRandom().seed(1);
    {
        GameMode mode;
        try
        {
            RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(&mode);
            pEmitter->load("main.particles");
            FUZZ_CHECK(ParticleEmitter::isDefinitionCached("main.particles"));
            int nMaxParticles = pEmitter->getMaxParticles();
            // The broken reader keeps one particle too many.
            if (fuzzBrokenReader())
                ++nMaxParticles;
            FUZZ_CHECK(nMaxParticles >= 0 &&
                       nMaxParticles <= ParticleEmitter::MAX_EFFECT_PARTICLES);
            FUZZ_CHECK(pEmitter->getMinParticles() >= 0 &&
                       pEmitter->getMinParticles() <= ParticleEmitter::MAX_EFFECT_PARTICLES);
            FUZZ_CHECK(pEmitter->getLifetimeMin() <= pEmitter->getLifetimeMax());
            const PlainValues values = readPlainValues(pData, nSize);
            if (values.m_bPlain && values.m_nMaxParticles >= 0 &&
                values.m_nMaxParticles <= ParticleEmitter::MAX_EFFECT_PARTICLES)
                FUZZ_CHECK(nMaxParticles == values.m_nMaxParticles);
            if (values.m_bPlain && values.m_dEmissionRate >= 0.0)
                FUZZ_CHECK(pEmitter->getEmissionRate() == (float)values.m_dEmissionRate);
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
    return 0;
}
