#include "gfx/animationwriter.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <memory>

AnimationSaver::AnimationSaver()
    : m_hImageNames(RIR::Hash<Image*, RIR::String>::DEFAULT_BUCKETS), m_nSeqIndex(0),
      m_nFrameIdx(-1)
{
    RIR_TRACE("AnimationSaver::AnimationSaver");
}

AnimationSaver::~AnimationSaver()
{
    RIR_TRACE("AnimationSaver::~AnimationSaver");
}

void AnimationSaver::save(RIR::SmartPtr<Animation> pAnimation,
                          RIR::SmartPtr<RIR::ResourceFileCompiler> pWriter, const char* pszName,
                          const RIR::Hash<Image*, RIR::String>* phImageNames)
{
    RIR_TRACE("AnimationSaver::save");
    RIR::setTraceParams(pszName);
    begin(pAnimation, pWriter, pszName);
    if (phImageNames)
        m_hImageNames.merge(*phImageNames);
    while (!isDone())
    {
        RIR_TRACE_LINE();
        step();
    }
}

void AnimationSaver::begin(RIR::SmartPtr<Animation> pAnimation,
                           RIR::SmartPtr<RIR::ResourceFileCompiler> pWriter, const char* pszName)
{
    RIR_TRACE("AnimationSaver::begin");
    RIR_ASSERT(pAnimation);
    RIR_ASSERT(pWriter);
    m_lPending.clear();
    m_hImageNames.clear();
    // Nothing to write is an error, not an empty success: the pack would lack the entry.
    if (pAnimation->isEmpty())
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationSaver : %s : the animation has no sequences", pszName ? pszName : "");
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }

    m_sName = pszName;
    m_pStream = new RIR::MemStream();
    m_pAnimation = pAnimation;
    m_pWriter = pWriter;

    write(m_pStream.get(),
          RIR::String::format("fps %5.2lf\n", (double)pAnimation->getFPS()).c_str());
    const RIR::String sDefault = pAnimation->getDefaultSequence();
    checkToken("default sequence", sDefault, false);
    write(m_pStream.get(), ("default " + sDefault + "\n").c_str());
    writeProps(pAnimation.get(), m_pStream.get());

    m_lPending = pAnimation->getSequenceNames();
    m_nFrameIdx = -1;
    m_nSeqIndex = 0;
}

void AnimationSaver::setImageName(Image* pImage, const char* pszName)
{
    RIR_TRACE("AnimationSaver::setImageName");
    m_hImageNames.set(pImage, RIR::String(pszName));
}

int AnimationSaver::step()
{
    RIR_TRACE("AnimationSaver::step");
    const RIR::String sSeq = m_lPending.get(0);
    RIR::SmartPtr<Sequence> pSeq = m_pAnimation->getSequence(sSeq.c_str());
    int nLines = 0;

    if (m_nFrameIdx == -1)
    {
        checkToken("sequence name", sSeq, false);
        RIR::String sLine = "seq " + sSeq;
        if (pSeq->getLoop())
            sLine += " loop";
        // A speed of 0 on the "seq" line would mean the animation's speed; a sequence that stands
        // still gets it from an "fps" line of its own instead.
        const bool bStill = pSeq->getSpeed() == 0.0f && m_pAnimation->getFPS() != 0.0f;
        if (pSeq->getSpeed() != m_pAnimation->getFPS() && !bStill)
            sLine += RIR::String::format(" fps %5.2lf", (double)pSeq->getSpeed());
        sLine += "\n";
        if (bStill)
        {
            sLine += "fps  0.00\n";
            ++nLines;
        }
        write(m_pStream.get(), sLine.c_str());
        nLines += 1 + writeProps(pSeq.get(), m_pStream.get());
        m_nFrameIdx = 0;
    }

    if (m_nFrameIdx < pSeq->getFrameCount())
    {
        RIR::SmartPtr<FrameData> pFrame = pSeq->getFrames().get(m_nFrameIdx);
        Image* pImage = pFrame->getImage().get();
        if (!m_hImageNames.contains(pImage))
        {
            RIR::String sMessage = RIR::String::format(
                "AnimationSaver : %s : frame %d of seq %s shows a picture without a name",
                m_sName.c_str(), (int)m_nFrameIdx, sSeq.c_str());
            RIR_THROW(FatalErrorException, sMessage.c_str());
        }
        const RIR::String sImage = m_hImageNames.get(pImage);
        checkToken("picture name", sImage, false);
        RIR::String sLine = "add " + sImage;
        if (pFrame->getDuration() != 1)
            sLine += RIR::String::format(" repeat %d", pFrame->getDuration());
        sLine += "\n";
        write(m_pStream.get(), sLine.c_str());
        nLines += 1 + writeProps(pFrame.get(), m_pStream.get());
        ++m_nFrameIdx;
        return nLines;
    }

    // The sequence is finished; after the last one the script becomes the pack's entry.
    m_nFrameIdx = -1;
    m_lPending.takeFirst();
    ++m_nSeqIndex;
    if (m_lPending.isEmpty())
    {
        std::unique_ptr<RIR::MemStream> pReader(m_pStream->createReader());
        RIR_TRACE_LINE();
        m_pWriter->addEntry(pReader.get(), m_sName.c_str());
    }
    return nLines;
}

int AnimationSaver::writeProps(PropHolder* pHolder, RIR::MemStream* pStream)
{
    RIR_TRACE("AnimationSaver::writeProps");
    const RIR::List<RIR::String> lKeys = pHolder->getPropNames();
    for (int i = 0; i < lKeys.getLength(); ++i)
    {
        const RIR::String sKey = lKeys.get(i);
        const RIR::String sValue = pHolder->getProp(sKey.c_str());
        checkToken("property key", sKey, false);
        checkToken("property value", sValue, true);
        write(pStream, ("prop " + sKey + " " + sValue + "\n").c_str());
    }
    return lKeys.getLength();
}

void AnimationSaver::write(RIR::MemStream* pStream, const char* pszText)
{
    RIR_TRACE("AnimationSaver::write");
    if (!pStream->writeText(pszText))
    {
        RIR::String sMessage =
            RIR::String::format("AnimationSaver : %s : cannot write the script", m_sName.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
}

void AnimationSaver::checkToken(const char* pszWhat, const RIR::String& sText,
                                bool bMayBeEmpty) const
{
    RIR_TRACE("AnimationSaver::checkToken");
    // The reader splits lines at blanks and tabs, cuts them at "#" and at line breaks.
    if ((sText.length() == 0 && !bMayBeEmpty) || sText.findAnyOf(" \t\r\n#") >= 0)
    {
        RIR::String sMessage =
            RIR::String::format("AnimationSaver : %s : %s '%s' cannot be written as one token",
                                m_sName.c_str(), pszWhat, sText.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
}
