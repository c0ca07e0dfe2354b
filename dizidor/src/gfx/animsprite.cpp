#include "gfx/animsprite.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>

namespace
{

// An update that has gone round a looping sequence this many times without using up its time
// stops where it is. Data whose frames all last some time never gets near it: after the first
// round the whole rounds left are skipped at once.
const int MAX_ROUNDS_PER_UPDATE = 64;

} // namespace

AnimSprite::AnimSprite(RIR::SmartPtr<Animation> pAnimation, int nX, int nY, int nZOrder)
    : Sprite(nX, nY, nZOrder), m_fFrameTime(0.0f), m_fTimeLeft(0.0f), m_nFrame(0),
      m_bPlaying(false), m_bLoop(false), m_bSkipped(false), m_nPrevFrame(0), m_bFrameChanged(false),
      m_bFinished(false)
{
    RIR_TRACE("AnimSprite::AnimSprite");
    setAnimation(pAnimation);
}

AnimSprite::AnimSprite(RIR::SmartPtr<Animation> pAnimation, const Point& pos, int nZOrder)
    : Sprite(pos, nZOrder), m_fFrameTime(0.0f), m_fTimeLeft(0.0f), m_nFrame(0), m_bPlaying(false),
      m_bLoop(false), m_bSkipped(false), m_nPrevFrame(0), m_bFrameChanged(false), m_bFinished(false)
{
    RIR_TRACE("AnimSprite::AnimSprite");
    setAnimation(pAnimation);
}

AnimSprite::~AnimSprite()
{
    RIR_TRACE("AnimSprite::~AnimSprite");
    m_pAnimation = nullptr;
}

void AnimSprite::setAnimation(RIR::SmartPtr<Animation> pAnimation)
{
    RIR_TRACE("AnimSprite::setAnimation");
    m_bPlaying = false;
    m_bLoop = false;
    m_bSkipped = false;
    m_bFrameChanged = false;
    m_nFrame = 0;
    m_nPrevFrame = 0;
    if (!pAnimation)
        return;
    m_pAnimation = pAnimation;
    RIR_TRACE_LINE();
    const RIR::String sDefault = m_pAnimation->getDefaultSequence();
    RIR_TRACE_LINE();
    const bool bLoop = m_pAnimation->getSequenceLoop(sDefault.c_str());
    const float fSpeed = m_pAnimation->getSequenceSpeed(sDefault.c_str());
    play(sDefault.c_str(), fSpeed, bLoop ? 1 : 0);
}

void AnimSprite::play(const char* pszSequence, float fSpeed, int nLoop)
{
    RIR_TRACE("AnimSprite::play");
    const int nCount = getFrameCount(pszSequence ? pszSequence : "");
    if (nCount == 0)
    {
        m_bPlaying = false;
        setImage(RIR::SmartPtr<Image>());
        return;
    }
    m_sSequence = pszSequence;
    m_nFrame = 0;

    float fUnitsPerSecond = fSpeed;
    if (fUnitsPerSecond == 0.0f)
        fUnitsPerSecond = m_pAnimation->getSequenceSpeed(pszSequence);
    if (fUnitsPerSecond > 0.0f)
        m_fFrameTime = 1.0f / fUnitsPerSecond;
    else // -s seconds for the whole sequence, split by its number of frames
        m_fFrameTime = -fUnitsPerSecond / (float)nCount;

    if (nLoop == -1)
        nLoop = m_pAnimation->getSequenceLoop(pszSequence) ? 1 : 0;
    m_bLoop = nLoop != 0;

    RIR_TRACE_LINE();
    showCurrentFrame();
    resume();
}

void AnimSprite::stop()
{
    RIR_TRACE("AnimSprite::stop");
    m_bPlaying = false;
}

void AnimSprite::resume()
{
    RIR_TRACE("AnimSprite::resume");
    m_bPlaying = m_fFrameTime != 0.0f;
    if (m_bPlaying)
        showCurrentFrame();
}

void AnimSprite::setFrame(int nIndex, float fTimeLeft)
{
    RIR_TRACE("AnimSprite::setFrame");
    m_nFrame = nIndex;
    showCurrentFrame();
    if (fTimeLeft > 0.0f)
        m_fTimeLeft = fTimeLeft;
}

bool AnimSprite::update(float fDt)
{
    RIR_TRACE("AnimSprite::update");
    m_bFrameChanged = false;
    m_bFinished = false;
    // A hidden sprite's clock stands still.
    if (!m_bPlaying || !isVisible())
        return false;

    m_bSkipped = false;
    m_nPrevFrame = m_nFrame;
    RIR_TRACE_LINE();
    const bool bFresh = m_nFrame == 0 && m_fTimeLeft == getFrameTime();
    m_fTimeLeft -= fDt;
    if (m_fTimeLeft > 0.0f)
        return bFresh;

    if (!advanceFrames())
        return true; // a non-looping sequence ended
    // The frame landed on starts with its full time, counted from this update.
    m_bFrameChanged = true;
    showCurrentFrame();
    return true;
}

bool AnimSprite::advanceFrames()
{
    RIR_TRACE("AnimSprite::advanceFrames");
    int nPasses = 0;
    // The time left when the current round of the sequence began, and whether every frame of it
    // added time (so that the time left only grew during the round).
    float fRoundStart = m_fTimeLeft;
    bool bRoundAddsTime = true;
    while (m_fTimeLeft <= 0.0f)
    {
        ++m_nFrame;
        if (nPasses > 0)
            m_bSkipped = true;
        ++nPasses;
        const int nCount = getFrameCount(nullptr);
        if (m_nFrame >= nCount)
        {
            if (!m_bLoop)
            {
                m_nFrame = nCount - 1;
                showCurrentFrame();
                m_bFinished = true;
                stop();
                return false;
            }
            m_nFrame = 0;
        }
        RIR_TRACE_LINE();
        const float fFrameTime = getFrameTime();
        if (!(fFrameTime >= 0.0f))
            bRoundAddsTime = false;
        m_fTimeLeft += fFrameTime;
        if (nCount <= 0 || nPasses % nCount != 0)
            continue;

        // A whole round: every frame of the sequence once, back on the frame where it began.
        const float fGain = m_fTimeLeft - fRoundStart;
        if (!(fGain > 0.0f) || nPasses >= MAX_ROUNDS_PER_UPDATE * nCount)
        {
            // The frames use up no time (durations of 0 or less, or too little to count against
            // the time left): more rounds would change nothing, so the sprite stays here.
            break;
        }
        if (bRoundAddsTime)
        {
            // Each further round would add the same time and end on this frame again: skip all
            // but the last one or two of the rounds the time left still covers.
            const double dRounds = std::floor(-(double)m_fTimeLeft / (double)fGain) - 1.0;
            if (dRounds >= 1.0)
                m_fTimeLeft = (float)((double)m_fTimeLeft + dRounds * (double)fGain);
        }
        fRoundStart = m_fTimeLeft;
        bRoundAddsTime = true;
    }
    return true;
}

void AnimSprite::showCurrentFrame()
{
    RIR_TRACE("AnimSprite::showCurrentFrame");
    if (!m_pAnimation || !m_pAnimation->isValidFrame(m_sSequence.c_str(), m_nFrame))
        return;
    RIR::SmartPtr<Image> pImage = m_pAnimation->getFrameImage(m_sSequence.c_str(), m_nFrame);
    if (pImage != getImage())
    {
        RIR_TRACE_LINE();
        setImage(pImage);
    }
    m_fTimeLeft = getFrameTime();
}

int AnimSprite::getFrameCount(const char* pszSequence) const
{
    RIR_TRACE("AnimSprite::getFrameCount");
    if (!m_pAnimation)
        return 0;
    return m_pAnimation->getFrameCount(pszSequence ? pszSequence : m_sSequence.c_str());
}

RIR::SmartPtr<Image> AnimSprite::getCurrentFrameImage() const
{
    RIR_TRACE("AnimSprite::getCurrentFrameImage");
    RIR_ASSERT(m_pAnimation);
    return m_pAnimation->getFrameImage(m_sSequence.c_str(), m_nFrame);
}

float AnimSprite::getFrameTime() const
{
    RIR_TRACE("AnimSprite::getFrameTime");
    RIR_ASSERT(m_pAnimation);
    return (float)m_pAnimation->getFrameDuration(m_sSequence.c_str(), m_nFrame) * m_fFrameTime;
}

RIR::String AnimSprite::getFrameProp(const char* pszKey) const
{
    RIR_TRACE("AnimSprite::getFrameProp");
    RIR_ASSERT(m_pAnimation);
    return m_pAnimation->getFrameProp(m_sSequence.c_str(), m_nFrame, pszKey);
}

bool AnimSprite::hasFrameProp(const char* pszKey) const
{
    RIR_TRACE("AnimSprite::hasFrameProp");
    if (!m_pAnimation || !m_pAnimation->hasSequence(m_sSequence.c_str()))
        return false;
    return m_pAnimation->hasFrameProp(m_sSequence.c_str(), m_nFrame, pszKey);
}

RIR::String AnimSprite::findFrameProp(const char* pszKey) const
{
    RIR_TRACE("AnimSprite::findFrameProp");
    if (!m_pAnimation || !m_pAnimation->hasSequence(m_sSequence.c_str()))
        return RIR::String();
    for (int nFrame = m_nFrame; nFrame >= 0; --nFrame)
    {
        if (m_pAnimation->hasFrameProp(m_sSequence.c_str(), nFrame, pszKey))
            return m_pAnimation->getFrameProp(m_sSequence.c_str(), nFrame, pszKey);
    }
    return RIR::String();
}
