// Particle definition files: the reader of their commands, copying a definition between
// emitters, and the process-wide cache of definitions by file name.
//
// A definition file is token text (RIR::TokenFileReader), one command per line, for example
//
//     # dust kicked up by boots
//     image       dust_mote
//     type        rect
//     rectsize    60 6
//     emissionrate 12
//     lifetimerange 0.8 1.6
//     fadefracrange 0.2 0.6
//     speedrange  -20 20 -30 -10
//
// Commands and the value words are compared in lower case. Numbers are decimal text; a real that
// is not finite or lies beyond +-MAX_REAL, a count beyond MAX_EFFECT_PARTICLES and a z order or
// angle beyond +-MAX_REAL are refused, so that a damaged file cannot make a runaway effect.
#include "gfx/particleemitter.h"

#include "app/gameapp.h"
#include "gfx/imageenv.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resource.h"
#include "rir2/tokenfilereader.h"

#include <cmath>

namespace
{

const int CACHE_BUCKETS = 97;
// The largest magnitude of a number in a definition file: far beyond any screen distance, speed,
// time or angle an effect needs.
const float MAX_REAL = 1.0e6f;

typedef RIR::Hash<RIR::String, ParticleEmitter*> DefinitionCache;

DefinitionCache* s_pCache = nullptr;

RIR::SmartPtr<Animation> animationFromApplication(const char* pszName)
{
    RIR_TRACE("animationFromApplication");
    GameApp* pApp = GameApp::getInstance();
    if (!pApp)
        RIR_THROW(BadStateException, "No application for the animation of a particle definition");
    return pApp->getAnimationByName(pszName);
}

const RIR::String& token(RIR::List<RIR::String>& lTokens, int nIndex)
{
    // A missing argument raises the list's index error.
    return lTokens.getNode(nIndex)->m_value;
}

float readReal(RIR::List<RIR::String>& lTokens, int nIndex)
{
    const RIR::String& sText = token(lTokens, nIndex);
    const float f = RIR::String::toFloat(sText.c_str());
    if (!std::isfinite(f) || f > MAX_REAL || f < -MAX_REAL)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Number out of range : %s", sText.c_str()).c_str());
    return f;
}

int readInt(RIR::List<RIR::String>& lTokens, int nIndex, int nMin, int nMax)
{
    const RIR::String& sText = token(lTokens, nIndex);
    const int n = RIR::String::toInt(sText.c_str());
    if (n < nMin || n > nMax)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Number out of range : %s", sText.c_str()).c_str());
    return n;
}

// The optional z order of a type line: only a line of exactly three tokens has one.
int readZ(RIR::List<RIR::String>& lTokens)
{
    if (lTokens.getLength() != 3)
        return 0;
    return readInt(lTokens, 2, -(int)MAX_REAL, (int)MAX_REAL);
}

int readCount(RIR::List<RIR::String>& lTokens, int nIndex)
{
    return readInt(lTokens, nIndex, 0, ParticleEmitter::MAX_EFFECT_PARTICLES);
}

RIR::SmartPtr<Image> readImage(RIR::List<RIR::String>& lTokens, int nIndex)
{
    return getImageEnvironment()->getImage(token(lTokens, nIndex).c_str());
}

} // namespace

ParticleEmitter::AnimationSource ParticleEmitter::s_pfnAnimationSource = nullptr;

void ParticleEmitter::setAnimationSource(AnimationSource pfnSource)
{
    s_pfnAnimationSource = pfnSource;
}

// ---- the cache ---------------------------------------------------------------------------------

void ParticleEmitter::destroyDefinitionCache()
{
    RIR_TRACE("ParticleEmitter::destroyDefinitionCache");
    if (!s_pCache)
        return;
    DefinitionCache* pCache = s_pCache;
    s_pCache = nullptr;
    const RIR::List<ParticleEmitter*> lDefinitions = pCache->values();
    for (int i = 0; i < lDefinitions.getLength(); ++i)
        delete lDefinitions.get(i);
    delete pCache;
}

bool ParticleEmitter::isDefinitionCached(const char* pszName)
{
    return s_pCache && pszName && s_pCache->contains(RIR::String(pszName));
}

// ---- loading -----------------------------------------------------------------------------------

void ParticleEmitter::load(const char* pszName)
{
    RIR_TRACE("ParticleEmitter::load");
    RIR_ASSERT(pszName);
    RIR::setTraceParams(pszName);
    const RIR::String sName(pszName);
    if (!s_pCache || !s_pCache->contains(sName))
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<RIR::Resource> pResource = getImageEnvironment()->getResource(pszName);
        const RIR::String sText = pResource->asString();
        RIR::TokenFileReader reader(sText.c_str());
        while (!reader.isEmpty())
        {
            reader.nextLine();
            try
            {
                RIR_TRACE_LINE();
                applyDefinitionLine(reader.getTokens());
            }
            catch (RIR::Exception& e)
            {
                // Say where: the message keeps its own words first.
                e.setMessage(RIR::String::format("%s (%s, line %d)", e.getMessage(), pszName,
                                                 reader.getLineNumber() + 1)
                                 .c_str());
                throw;
            }
        }
        ParticleEmitter* pDefinition = new ParticleEmitter(nullptr);
        pDefinition->copyDefinition(this);
        if (!s_pCache)
            s_pCache = new DefinitionCache(CACHE_BUCKETS);
        s_pCache->set(sName, pDefinition);
    }
    RIR_TRACE_LINE();
    copyDefinition(s_pCache->get(sName));
}

void ParticleEmitter::applyDefinitionLine(RIR::List<RIR::String>& lTokens)
{
    RIR_TRACE("ParticleEmitter::applyDefinitionLine");
    const RIR::String sCommand = token(lTokens, 0).toLower();
    RIR::setTraceParams(sCommand.c_str());
    if (sCommand == "image")
        addImageType(readImage(lTokens, 1), readZ(lTokens));
    else if (sCommand == "animation" || sCommand == "randomframe")
    {
        const char* pszAnimation = token(lTokens, 1).c_str();
        RIR::SmartPtr<Animation> pAnimation = s_pfnAnimationSource
                                                  ? s_pfnAnimationSource(pszAnimation)
                                                  : animationFromApplication(pszAnimation);
        addAnimationType(pAnimation, sCommand == "randomframe", readZ(lTokens));
    }
    else if (sCommand == "emitter")
        addEmitterType(token(lTokens, 1).c_str(), readZ(lTokens));
    else if (sCommand == "palette")
        setPalette(readImage(lTokens, 1));
    else if (sCommand == "randomtint")
        setRandomTint(readImage(lTokens, 1));
    else if (sCommand == "type")
    {
        const RIR::String sWord = token(lTokens, 1).toLower();
        if (sWord == "radial")
            setShape(PS_RADIAL);
        else if (sWord == "rect")
            setShape(PS_RECT);
        else
            RIR_ASSERT(false);
    }
    else if (sCommand == "emissionrate")
        setEmissionRate(readReal(lTokens, 1));
    else if (sCommand == "lifetimerange")
        setLifetimeRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "maxalpha")
        setMaxAlpha(readReal(lTokens, 1));
    else if (sCommand == "fadefracrange")
        setFadeFractions(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "startscalerange")
        setStartScaleRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "endscalerange")
        setEndScaleRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "maxparticles")
        setMaxParticles(readCount(lTokens, 1));
    else if (sCommand == "minparticles")
        setMinParticles(readCount(lTokens, 1));
    else if (sCommand == "radiusrange" || sCommand == "rectsize")
        setRadiusRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "emitanglerange")
        setEmitAngleRange(readInt(lTokens, 1, -(int)MAX_REAL, (int)MAX_REAL),
                          readInt(lTokens, 2, -(int)MAX_REAL, (int)MAX_REAL));
    else if (sCommand == "startanglerange")
        setStartAngleRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "endanglerange")
        setEndAngleRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "relativeposition")
        setRelativePosition(true);
    else if (sCommand == "delayrange")
        setDelayRange(readReal(lTokens, 1), readReal(lTokens, 2));
    else if (sCommand == "speedtype")
    {
        const RIR::String& sWord = token(lTokens, 1);
        const RIR::String sLower = sWord.toLower();
        if (sLower == "radial")
            setSpeedType(PMT_RADIAL);
        else if (sLower == "absolute")
            setSpeedType(PMT_ABSOLUTE);
        else
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Unknown SpeedType %s", sWord.c_str()).c_str());
    }
    else if (sCommand == "blendingmode" || sCommand == "blendmode")
    {
        const RIR::String& sWord = token(lTokens, 1);
        const RIR::String sLower = sWord.toLower();
        if (sLower == "normal")
            setBlendMode(0);
        else if (sLower == "additive")
            setBlendMode(1);
        else
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Unknown BlendingMode %s", sWord.c_str()).c_str());
    }
    else if (sCommand == "speedrange")
        setSpeedRange(readReal(lTokens, 1), readReal(lTokens, 2), readReal(lTokens, 3),
                      readReal(lTokens, 4));
    else if (sCommand == "accelerationrange")
        setAccelRange(readReal(lTokens, 1), readReal(lTokens, 2), readReal(lTokens, 3),
                      readReal(lTokens, 4));
    else if (sCommand == "effectscale")
        setEffectScale(readReal(lTokens, 1));
    else
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Unknown command : %s", sCommand.c_str()).c_str());
}

// ---- copying -----------------------------------------------------------------------------------

void ParticleEmitter::copyDefinition(ParticleEmitter* pSrc)
{
    RIR_TRACE("ParticleEmitter::copyDefinition");
    RIR_ASSERT(pSrc);
    if (pSrc == this)
        return;
    m_fEmissionRate = pSrc->m_fEmissionRate;
    m_fEmissionCredit = pSrc->m_fEmissionCredit;
    m_nMinParticles = pSrc->m_nMinParticles;
    m_nMaxParticles = pSrc->m_nMaxParticles;
    m_nShape = pSrc->m_nShape;
    m_fMinRadius = pSrc->m_fMinRadius;
    m_fMaxRadius = pSrc->m_fMaxRadius;
    m_bScaleOn = pSrc->m_bScaleOn;
    m_fScaleStartMin = pSrc->m_fScaleStartMin;
    m_fScaleStartMax = pSrc->m_fScaleStartMax;
    m_fScaleEndMin = pSrc->m_fScaleEndMin;
    m_fScaleEndMax = pSrc->m_fScaleEndMax;
    m_fAngleMin = pSrc->m_fAngleMin;
    m_fAngleMax = pSrc->m_fAngleMax;
    m_nSpeedType = pSrc->m_nSpeedType;
    m_fSpeedXMin = pSrc->m_fSpeedXMin;
    m_fSpeedXMax = pSrc->m_fSpeedXMax;
    m_fSpeedYMin = pSrc->m_fSpeedYMin;
    m_fSpeedYMax = pSrc->m_fSpeedYMax;
    m_nAccelType = pSrc->m_nAccelType;
    m_fAccelXMin = pSrc->m_fAccelXMin;
    m_fAccelXMax = pSrc->m_fAccelXMax;
    m_fAccelYMin = pSrc->m_fAccelYMin;
    m_fAccelYMax = pSrc->m_fAccelYMax;
    m_fStartAngleMin = pSrc->m_fStartAngleMin;
    m_fStartAngleMax = pSrc->m_fStartAngleMax;
    m_fEndAngleMin = pSrc->m_fEndAngleMin;
    m_fEndAngleMax = pSrc->m_fEndAngleMax;
    m_fMinDelay = pSrc->m_fMinDelay;
    m_fMaxDelay = pSrc->m_fMaxDelay;
    m_nX = pSrc->m_nX;
    m_nY = pSrc->m_nY;
    m_nZ = pSrc->m_nZ;
    m_fLifetimeMin = pSrc->m_fLifetimeMin;
    m_fLifetimeMax = pSrc->m_fLifetimeMax;
    m_fMaxAlpha = pSrc->m_fMaxAlpha;
    m_bFadeOn = pSrc->m_bFadeOn;
    m_fFadeInFraction = pSrc->m_fFadeInFraction;
    m_fFadeOutFraction = pSrc->m_fFadeOutFraction;
    m_bRelativePosition = pSrc->m_bRelativePosition;
    m_fEffectScale = pSrc->m_fEffectScale;
    m_pColorImage = pSrc->m_pColorImage;
    m_nColorMode = pSrc->m_nColorMode;
    m_nBlendMode = pSrc->m_nBlendMode;

    m_lTypes.clearAndDelete();
    for (int i = 0; i < pSrc->m_lTypes.getLength(); ++i)
    {
        const ParticleType* pDef = pSrc->m_lTypes.get(i);
        RIR_ASSERT(pDef);
        m_lTypes.append(new ParticleType(*pDef));
    }
}
