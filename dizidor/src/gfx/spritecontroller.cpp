#include "gfx/spritecontroller.h"

#include "app/gameapp.h"
#include "app/iaudiodriver.h"
#include "gfx/animation.h"
#include "gfx/animsprite.h"
#include "gfx/sprite.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

SpriteController::SpriteController() : m_pTimer(new Timer(0.0f, 0))
{
    RIR_TRACE("SpriteController::SpriteController");
}

SpriteController::~SpriteController()
{
    RIR_TRACE("SpriteController::~SpriteController");
}

void SpriteController::onAttach(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SpriteController::onAttach");
}

bool SpriteController::apply(RIR::SmartPtr<Sprite> /*pSprite*/)
{
    RIR_TRACE("SpriteController::apply");
    return false;
}

bool SpriteController::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SpriteController::update");
    m_pTimer->advance(fDt);
    return apply(pSprite);
}

bool SpriteController::finish(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SpriteController::finish");
    return update(m_pTimer->getRemaining(), pSprite);
}

// ---- SCPlayAnimation ---------------------------------------------------------------------------

SCPlayAnimation::SampleSource SCPlayAnimation::s_pfnSampleSource = nullptr;

SCPlayAnimation::SCPlayAnimation(bool bRemoveSpriteWhenDone, bool bRestartOnAttach)
    : m_bRemoveSpriteWhenDone(bRemoveSpriteWhenDone), m_bRestartOnAttach(bRestartOnAttach),
      m_fSpeed(1.0f)
{
    RIR_TRACE("SCPlayAnimation::SCPlayAnimation");
}

SCPlayAnimation::~SCPlayAnimation()
{
    RIR_TRACE("SCPlayAnimation::~SCPlayAnimation");
}

void SCPlayAnimation::onAttach(RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCPlayAnimation::onAttach");
    SpriteController::onAttach(pSprite);
    if (!m_bRestartOnAttach)
        return;
    RIR::SmartPtr<AnimSprite> pAS = RIR::dynamicCast<AnimSprite>(pSprite);
    RIR_ASSERT(pAS);
    pAS->setFrame(0, -1.0f);
    pAS->resume();
}

bool SCPlayAnimation::update(float fDt, RIR::SmartPtr<Sprite> pSprite)
{
    RIR_TRACE("SCPlayAnimation::update");
    RIR::SmartPtr<AnimSprite> pAS = RIR::dynamicCast<AnimSprite>(pSprite);
    RIR_ASSERT(pAS);

    const int nBefore = pAS->getFrame();
    RIR_TRACE_LINE();
    pAS->update(m_fSpeed * fDt);
    const int nAfter = pAS->getFrame();

    RIR::SmartPtr<Animation> pAnimation = pAS->getAnimation();
    const RIR::String sSequence = pAS->getSequenceName();
    if (pAnimation)
    {
        if (nBefore > nAfter)
        {
            // Wrapped round: the rest of the sequence, then its start up to the new frame.
            for (int nFrame = nBefore + 1; nFrame < pAS->getFrameCount(); ++nFrame)
                playFrameSound(pAnimation.get(), sSequence.c_str(), nFrame);
            for (int nFrame = 0; nFrame <= nAfter; ++nFrame)
                playFrameSound(pAnimation.get(), sSequence.c_str(), nFrame);
        }
        else
        {
            for (int nFrame = nBefore + 1; nFrame <= nAfter; ++nFrame)
                playFrameSound(pAnimation.get(), sSequence.c_str(), nFrame);
        }
    }

    if (pAS->isPlaying())
        return false;
    if (m_bRemoveSpriteWhenDone && pSprite->getMode())
    {
        RIR_TRACE_LINE();
        pSprite->getMode()->removeObject(pSprite);
    }
    return true;
}

void SCPlayAnimation::playFrameSound(Animation* pAnimation, const char* pszSequence, int nFrame)
{
    RIR_TRACE("SCPlayAnimation::playFrameSound");
    if (!pAnimation->hasFrameProp(pszSequence, nFrame, "sound"))
        return;
    const RIR::String sSample = pAnimation->getFrameProp(pszSequence, nFrame, "sound");
    RIR::setTraceParams(sSample.c_str());
    GameApp* pApp = GameApp::getInstance();
    if (!pApp)
        return;
    RIR_TRACE_LINE();
    RIR::SmartPtr<Sample> pSample =
        s_pfnSampleSource ? s_pfnSampleSource(sSample.c_str()) : pApp->getSample(sSample.c_str());
    RIR_TRACE_LINE();
    pApp->playSample(pSample, false, -1);
}

void SCPlayAnimation::setSampleSource(SampleSource pfnSource)
{
    RIR_TRACE("SCPlayAnimation::setSampleSource");
    s_pfnSampleSource = pfnSource;
}

void SCPlayAnimation::setSpeed(float fSpeed)
{
    RIR_TRACE("SCPlayAnimation::setSpeed");
    m_fSpeed = fSpeed;
}

float SCPlayAnimation::getSpeed()
{
    return m_fSpeed;
}
