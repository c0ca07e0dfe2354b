#include "gfx/animation.h"

#include "app/gameapp.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

Animation::Animation(float fFPS)
    : m_fFPS(fFPS), m_hSequences(RIR::Hash<RIR::String, RIR::SmartPtr<Sequence>>::DEFAULT_BUCKETS)
{
    RIR_TRACE("Animation::Animation");
    if (m_fFPS == 0.0f)
    {
        const GameApp* pApp = GameApp::getInstance();
        m_fFPS = pApp ? (float)pApp->getFPS() : 0.0f;
    }
}

Animation::~Animation()
{
    RIR_TRACE("Animation::~Animation");
}

void Animation::setName(const char* pszName)
{
    RIR_TRACE("Animation::setName");
    m_sName = pszName;
}

void Animation::setFPS(float fFPS)
{
    RIR_TRACE("Animation::setFPS");
    m_fFPS = fFPS;
}

void Animation::setDefaultSequence(const char* pszName)
{
    RIR_TRACE("Animation::setDefaultSequence");
    m_sDefaultSeq = pszName;
}

RIR::String Animation::getDefaultSequence()
{
    RIR_TRACE("Animation::getDefaultSequence");
    if (m_sDefaultSeq.length() == 0)
    {
        RIR_TRACE_LINE();
        m_sDefaultSeq = m_hSequences.keys().get(0);
    }
    return m_sDefaultSeq;
}

bool Animation::hasSequence(const char* pszName) const
{
    RIR_TRACE("Animation::hasSequence");
    return m_hSequences.contains(RIR::String(pszName));
}

RIR::SmartPtr<Sequence> Animation::getSequence(const char* pszName) const
{
    RIR_TRACE("Animation::getSequence");
    RIR_TRACE_LINE();
    return m_hSequences.get(RIR::String(pszName));
}

RIR::SmartPtr<Sequence> Animation::newSequence(const char* pszName, bool bLoop, float fFPS)
{
    RIR_TRACE("Animation::newSequence");
    RIR::SmartPtr<Sequence> pSequence = new Sequence(fFPS == 0.0f ? m_fFPS : fFPS, bLoop);
    pSequence->setParent(this);
    m_hSequences.set(RIR::String(pszName), pSequence);
    return pSequence;
}

void Animation::addSequence(const char* pszName, RIR::SmartPtr<Sequence> pSequence)
{
    RIR_TRACE("Animation::addSequence");
    RIR_ASSERT(pSequence);
    const RIR::String sName(pszName);
    if (m_hSequences.contains(sName))
    {
        RIR_THROW(
            FatalErrorException,
            RIR::String::format("%s already has seq %s", m_sName.c_str(), sName.c_str()).c_str());
    }
    m_hSequences.set(sName, pSequence);
}

RIR::List<RIR::String> Animation::getSequenceNames() const
{
    RIR_TRACE("Animation::getSequenceNames");
    return m_hSequences.keys();
}

bool Animation::isEmpty() const
{
    RIR_TRACE("Animation::isEmpty");
    return m_hSequences.isEmpty();
}

int Animation::getFrameCount(const char* pszSequence) const
{
    RIR_TRACE("Animation::getFrameCount");
    const RIR::Hash<RIR::String, RIR::SmartPtr<Sequence>>::Node* pNode =
        m_hSequences.findNode(RIR::String(pszSequence));
    return pNode ? pNode->m_value->getFrameCount() : 0;
}

bool Animation::isValidFrame(const char* pszSequence, int nIndex) const
{
    RIR_TRACE("Animation::isValidFrame");
    return nIndex >= 0 && nIndex < getFrameCount(pszSequence);
}

float Animation::getSequenceSpeed(const char* pszSequence) const
{
    RIR_TRACE("Animation::getSequenceSpeed");
    return getSequence(pszSequence)->getSpeed();
}

bool Animation::getSequenceLoop(const char* pszSequence) const
{
    RIR_TRACE("Animation::getSequenceLoop");
    return getSequence(pszSequence)->getLoop();
}

void Animation::setSequenceSpeed(const char* pszSequence, float fSpeed)
{
    RIR_TRACE("Animation::setSequenceSpeed");
    getSequence(pszSequence)->setSpeed(fSpeed);
}

void Animation::setSequenceLoop(const char* pszSequence, bool bLoop)
{
    RIR_TRACE("Animation::setSequenceLoop");
    getSequence(pszSequence)->setLoop(bLoop);
}

int Animation::addFrame(const char* pszSequence, RIR::SmartPtr<Image> pImage, int nDuration)
{
    RIR_TRACE("Animation::addFrame");
    const RIR::String sName(pszSequence);
    RIR::SmartPtr<Sequence> pSequence;
    const RIR::Hash<RIR::String, RIR::SmartPtr<Sequence>>::Node* pNode =
        m_hSequences.findNode(sName);
    if (pNode)
        pSequence = pNode->m_value;
    else
        pSequence = newSequence(pszSequence, false, 0.0f);

    RIR::SmartPtr<FrameData> pFrame = new FrameData(pImage);
    pFrame->setParent(pSequence.get());
    pFrame->setDuration(nDuration);
    pSequence->getFrames().append(pFrame);
    return pSequence->getFrameCount() - 1;
}

RIR::SmartPtr<FrameData> Animation::getFrame(const char* pszSequence, int nIndex) const
{
    RIR_TRACE("Animation::getFrame");
    RIR::SmartPtr<Sequence> pSequence = getSequence(pszSequence);
    RIR_TRACE_LINE();
    return pSequence->getFrames().get(nIndex);
}

RIR::SmartPtr<Image> Animation::getFrameImage(const char* pszSequence, int nIndex) const
{
    RIR_TRACE("Animation::getFrameImage");
    return getFrame(pszSequence, nIndex)->getImage();
}

int Animation::getFrameDuration(const char* pszSequence, int nIndex) const
{
    RIR_TRACE("Animation::getFrameDuration");
    return getFrame(pszSequence, nIndex)->getDuration();
}

RIR::String Animation::getFrameProp(const char* pszSequence, int nIndex, const char* pszKey) const
{
    RIR_TRACE("Animation::getFrameProp");
    return getFrame(pszSequence, nIndex)->getProp(pszKey);
}

bool Animation::hasFrameProp(const char* pszSequence, int nIndex, const char* pszKey) const
{
    RIR_TRACE("Animation::hasFrameProp");
    return getFrame(pszSequence, nIndex)->hasProp(pszKey, true);
}

void Animation::setFrameProp(const char* pszSequence, int nIndex, const char* pszKey,
                             const char* pszValue)
{
    RIR_TRACE("Animation::setFrameProp");
    if (nIndex < 0)
        getSequence(pszSequence)->setProp(pszKey, pszValue);
    else
        getFrame(pszSequence, nIndex)->setProp(pszKey, pszValue);
}

RIR::List<RIR::SmartPtr<Image>> Animation::getAllImages() const
{
    RIR_TRACE("Animation::getAllImages");
    RIR::List<RIR::SmartPtr<Image>> lImages;
    RIR::Hash<RIR::SmartPtr<Image>, bool> hTaken(
        RIR::Hash<RIR::SmartPtr<Image>, bool>::DEFAULT_BUCKETS);
    // values() lists the sequences in the same order as keys() lists their names.
    const RIR::List<RIR::SmartPtr<Sequence>> lSequences = m_hSequences.values();
    const int nSequences = lSequences.getLength();
    for (int nSeq = 0; nSeq < nSequences; ++nSeq)
    {
        const RIR::List<RIR::SmartPtr<FrameData>>& lFrames = lSequences.get(nSeq)->getFrames();
        const int nFrames = lFrames.getLength();
        for (int nFrame = 0; nFrame < nFrames; ++nFrame)
        {
            RIR::SmartPtr<Image> pImage = lFrames.get(nFrame)->getImage();
            if (!pImage || hTaken.contains(pImage))
                continue;
            hTaken.set(pImage, true);
            lImages.append(pImage);
        }
    }
    return lImages;
}
