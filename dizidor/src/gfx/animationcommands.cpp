// AnimationLoader: the commands of the animation script language.
//
// Each command is one entry of the table below: its word, the least number of tokens of its line
// (word included), whether it ends the current step, and what it does. Commands that load, copy or
// change pictures end the step, so that a background load does one such piece of work per call.
//
// Pictures are never changed where others can see them: the commands that change pixels or
// mirror an image first replace the script's image by a copy that shares the pixels until they
// change (Image::clone without own pixels), so the application's image cache and frames added
// earlier keep the unchanged picture. "inspos" is the exception: it moves the insertion point of
// the script's image object itself. Positions ("inspos", "blit", "rblit") are read by
// parsePositionKeyword (app/positionkeyword.h).
#include "gfx/animationloader.h"

#include "app/positionkeyword.h"
#include "gfx/animationparserexception.h"
#include "gfx/imageenv.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <cstdint>

namespace
{

// The most frames one script may add: "copyseq" of a sequence into itself doubles it, so a few
// lines could otherwise fill the memory.
const int MAX_FRAMES = 16384;

} // namespace

struct AnimationLoader::CommandInfo
{
    const char* m_pszWord;
    // 0 for the counted commands, whose short lines fail with the list's index error.
    int32_t m_nMinTokens;
    bool m_bEndsStep;
    CommandFunc m_pfnRun;
};

const AnimationLoader::CommandInfo AnimationLoader::s_aCommands[] = {
    {"load", 2, true, &AnimationLoader::cmdLoad},
    {"alias", 2, true, &AnimationLoader::cmdAlias},
    {"define", 3, true, &AnimationLoader::cmdDefine},
    {"seq", 2, false, &AnimationLoader::cmdSeq},
    {"default", 2, false, &AnimationLoader::cmdDefault},
    {"param", 1, false, &AnimationLoader::cmdParam},
    {"parm", 1, false, &AnimationLoader::cmdParam},
    {"clearparams", 1, false, &AnimationLoader::cmdClearParams},
    {"clearparms", 1, false, &AnimationLoader::cmdClearParams},
    {"params", 2, false, &AnimationLoader::cmdParams},
    {"parms", 2, false, &AnimationLoader::cmdParams},
    {"include", 2, true, &AnimationLoader::cmdInclude},
    {"copyseq", 2, true, &AnimationLoader::cmdCopySeq},
    {"remove", 2, false, &AnimationLoader::cmdRemove},
    {"clone", 3, true, &AnimationLoader::cmdClone},
    {"add", 2, false, &AnimationLoader::cmdAdd},
    {"hflip", 2, true, &AnimationLoader::cmdHFlip},
    {"vflip", 2, true, &AnimationLoader::cmdVFlip},
    {"multiplyalpha", 3, true, &AnimationLoader::cmdMultiplyAlpha},
    {"inspos", 4, false, &AnimationLoader::cmdInsPos},
    {"fps", 2, false, &AnimationLoader::cmdFps},
    {"blit", 3, true, &AnimationLoader::cmdBlit},
    {"rblit", 3, true, &AnimationLoader::cmdRBlit},
    {"remap", 3, true, &AnimationLoader::cmdRemap},
    {"prop", 2, false, &AnimationLoader::cmdProp},
    {"frameprop", 3, false, &AnimationLoader::cmdFrameProp},
    {"mload", 0, false, &AnimationLoader::startCounter},
    {"mclone", 0, false, &AnimationLoader::startCounter},
    {"mhflip", 0, false, &AnimationLoader::startCounter},
    {"mvflip", 0, false, &AnimationLoader::startCounter},
    {"madd", 0, false, &AnimationLoader::startCounter},
    {"mblit", 0, false, &AnimationLoader::startCounter},
    {"minspos", 0, false, &AnimationLoader::startCounter},
    {"if", 1, false, &AnimationLoader::cmdIf},
    {"elif", 1, false, &AnimationLoader::cmdElif},
    {"else", 1, false, &AnimationLoader::cmdElse},
    {"endif", 1, false, &AnimationLoader::cmdEndif},
    {nullptr, 0, false, nullptr},
};

bool AnimationLoader::executeCommand()
{
    RIR_TRACE("AnimationLoader::executeCommand");
    const CommandInfo* pInfo = s_aCommands;
    while (pInfo->m_pszWord && m_sCommand != pInfo->m_pszWord)
        ++pInfo;
    if (!pInfo->m_pszWord)
    {
        RIR::String sMessage =
            RIR::String::format("AnimationLoader : Unknown command '%s' in %s, line %d",
                                m_sCommand.c_str(), m_pAnimation->getName().c_str(), m_nLine);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    if (m_lTokens.getLength() < pInfo->m_nMinTokens)
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : Command %s in %s, line %d : need %d tokens", m_sCommand.c_str(),
            m_pAnimation->getName().c_str(), m_nLine, (int)pInfo->m_nMinTokens);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    RIR_TRACE_LINE();
    (this->*pInfo->m_pfnRun)();
    return pInfo->m_bEndsStep;
}

// ---- images of the script -------------------------------------------------------------------

RIR::SmartPtr<Image> AnimationLoader::checkImage(const RIR::String& sName)
{
    RIR_TRACE("AnimationLoader::checkImage");
    if (!m_hImages.contains(sName))
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : %s in %s, line %d : image %s not found (seq %s)", m_sCommand.c_str(),
            m_pAnimation->getName().c_str(), m_nLine, sName.c_str(), m_sCurSeq.c_str());
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    return m_hImages.get(sName);
}

void AnimationLoader::selectImages(const RIR::String& sOperand)
{
    RIR_TRACE("AnimationLoader::selectImages");
    m_lSelection.clear();
    if (sOperand.toLower() == "all")
        m_lSelection = m_hImages.values();
    else
        m_lSelection.append(checkImage(sOperand));
}

RIR::List<RIR::String> AnimationLoader::selectNames(const RIR::String& sOperand)
{
    RIR_TRACE("AnimationLoader::selectNames");
    if (sOperand.toLower() == "all")
        return m_hImages.keys();
    checkImage(sOperand);
    return RIR::List<RIR::String>(sOperand);
}

RIR::SmartPtr<Image> AnimationLoader::replaceByCopy(const RIR::String& sName)
{
    RIR_TRACE("AnimationLoader::replaceByCopy");
    RIR::SmartPtr<Image> pCopy = m_hImages.get(sName)->clone(false);
    m_hImages.set(sName, pCopy);
    return pCopy;
}

void AnimationLoader::addFrame(RIR::SmartPtr<Image> pImage, int nDuration)
{
    RIR_TRACE("AnimationLoader::addFrame");
    if (m_nFramesAdded >= MAX_FRAMES)
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : %s in %s, line %d : more than %d frames", m_sCommand.c_str(),
            m_pAnimation->getName().c_str(), m_nLine, MAX_FRAMES);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    ++m_nFramesAdded;
    m_nCurFrame = m_pAnimation->addFrame(m_sCurSeq.c_str(), pImage, nDuration);
}

RIR::String AnimationLoader::optionalToken(int nIndex) const
{
    return nIndex < m_lTokens.getLength() ? m_lTokens.get(nIndex) : RIR::String();
}

// ---- the commands -------------------------------------------------------------------------------

void AnimationLoader::cmdLoad()
{
    RIR_TRACE("AnimationLoader::cmdLoad");
    const RIR::String sName = m_lTokens.get(1);
    RIR::setTraceParams(sName.c_str());
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pImage = getImageEnvironment()->getImage(sName.c_str());
    // The script places its pictures itself: a picture with its own insertion point is used
    // through a copy whose insertion point is the top-left corner.
    if (pImage->getInsPointX() != 0 || pImage->getInsPointY() != 0)
    {
        pImage = pImage->clone(false);
        pImage->setInsPoint(0, 0);
    }
    m_hImages.set(sName, pImage);
}

void AnimationLoader::cmdAlias()
{
    RIR_TRACE("AnimationLoader::cmdAlias");
    RIR::SmartPtr<Sequence> pSequence = m_pAnimation->getSequence(m_sCurSeq.c_str());
    for (int i = 1; i < m_lTokens.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        m_pAnimation->addSequence(m_lTokens.get(i).c_str(), pSequence);
    }
}

void AnimationLoader::cmdDefine()
{
    RIR_TRACE("AnimationLoader::cmdDefine");
    m_hDefines.set(m_lTokens.get(1), m_lTokens.get(2));
}

void AnimationLoader::cmdSeq()
{
    RIR_TRACE("AnimationLoader::cmdSeq");
    const RIR::String sName = m_lTokens.get(1);
    m_sCurSeq = sName;
    // The options count only for a new sequence; naming an existing one makes it current again.
    if (!m_pAnimation->hasSequence(sName.c_str()))
    {
        bool bLoop = false;
        float fSpeed = 0.0f;
        for (int i = 2; i < m_lTokens.getLength(); ++i)
        {
            const RIR::String sToken = m_lTokens.get(i);
            if (sToken == "fps" && i + 1 < m_lTokens.getLength())
            {
                fSpeed = RIR::String::toFloat(m_lTokens.get(++i).c_str());
            }
            else if (sToken == "loop")
            {
                bLoop = true;
            }
            else
            {
                RIR::String sMessage =
                    RIR::String::format("AnimationLoader : Seq in %s, line %d : error at token %s",
                                        m_pAnimation->getName().c_str(), m_nLine, sToken.c_str());
                ANIM_PARSE_ERROR(sMessage.c_str());
            }
        }
        m_pAnimation->newSequence(sName.c_str(), bLoop, fSpeed);
    }
    m_nCurFrame = m_pAnimation->getFrameCount(sName.c_str()) - 1;
}

void AnimationLoader::cmdDefault()
{
    RIR_TRACE("AnimationLoader::cmdDefault");
    m_pAnimation->setDefaultSequence(m_lTokens.get(1).c_str());
}

void AnimationLoader::cmdParam()
{
    RIR_TRACE("AnimationLoader::cmdParam");
    // The rest of the line after the word ("param" and "parm " are both five characters); a
    // line that is only "parm" adds the empty value.
    m_lParams.append(m_sCommandText.from(5).trim());
    ++m_nParams;
}

void AnimationLoader::cmdClearParams()
{
    RIR_TRACE("AnimationLoader::cmdClearParams");
    m_lParams.clear();
    m_nParams = 0;
}

void AnimationLoader::cmdParams()
{
    RIR_TRACE("AnimationLoader::cmdParams");
    const int nWanted = RIR::String::toInt(m_lTokens.get(1).c_str());
    if (m_lParams.getLength() < nWanted)
    {
        RIR::String sMessage =
            RIR::String::format("AnimationLoader : %s : expected at least %d parameters, %d found",
                                m_pAnimation->getName().c_str(), nWanted, m_lParams.getLength());
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
}

void AnimationLoader::cmdInclude()
{
    RIR_TRACE("AnimationLoader::cmdInclude");
    const RIR::String sName = m_lTokens.get(1);
    // A script that is still being read, this line's or one that included it, would insert its
    // lines in front of themselves for ever.
    if (m_includes.isOpen(sName))
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : Include in %s, line %d : include cycle through %s",
            m_pAnimation->getName().c_str(), m_nLine, sName.c_str());
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    RIR_TRACE_LINE();
    loadLines(sName.c_str(), m_includes.addSource(sName, m_nCurSource), true);
}

void AnimationLoader::cmdCopySeq()
{
    RIR_TRACE("AnimationLoader::cmdCopySeq");
    RIR::SmartPtr<Sequence> pSource = m_pAnimation->getSequence(m_lTokens.get(1).c_str());
    // A snapshot, so that a sequence copied into itself doubles once; walked in order, since the
    // list is linked.
    RIR::List<RIR::SmartPtr<FrameData>> lFrames = pSource->getFrames();
    if (lFrames.isEmpty())
        return;
    if (optionalToken(2).toLower() == "reverse")
        lFrames.reverse();
    for (int i = 0; i < lFrames.getLength(); ++i)
    {
        RIR::SmartPtr<FrameData> pFrame = lFrames.get(i);
        RIR_TRACE_LINE();
        addFrame(pFrame->getImage(), pFrame->getDuration());
        // The frame just added; its own properties are the source frame's own.
        RIR::SmartPtr<FrameData> pCopy =
            m_pAnimation->getSequence(m_sCurSeq.c_str())->getFrames().getLast();
        const RIR::List<RIR::String> lKeys = pFrame->getPropNames();
        for (int k = 0; k < lKeys.getLength(); ++k)
            pCopy->setProp(lKeys.get(k).c_str(), pFrame->getProp(lKeys.get(k).c_str()).c_str());
    }
}

void AnimationLoader::cmdRemove()
{
    RIR_TRACE("AnimationLoader::cmdRemove");
    const RIR::String sName = m_lTokens.get(1);
    if (sName.toLower() == "all")
        m_hImages.clear();
    else if (m_hImages.contains(sName))
        m_hImages.remove(sName);
}

void AnimationLoader::cmdClone()
{
    RIR_TRACE("AnimationLoader::cmdClone");
    RIR::SmartPtr<Image> pSource = checkImage(m_lTokens.get(1));
    m_hImages.set(m_lTokens.get(2), pSource->clone(false));
}

void AnimationLoader::cmdAdd()
{
    RIR_TRACE("AnimationLoader::cmdAdd");
    if (m_sCurSeq.length() == 0)
    {
        RIR::String sMessage =
            RIR::String::format("AnimationLoader : Add in %s, line %d : no current sequence",
                                m_pAnimation->getName().c_str(), m_nLine);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    selectImages(m_lTokens.get(1));

    int nDuration = 1;
    for (int i = 2; i < m_lTokens.getLength(); ++i)
    {
        RIR::String sBad;
        const RIR::String sToken = m_lTokens.get(i);
        if (sToken == "reverse")
        {
            m_lSelection.reverse();
        }
        else if (sToken == "repeat" && i + 1 < m_lTokens.getLength())
        {
            // A frame must last at least one unit: frames that last no time would leave a
            // looping sequence nothing to show.
            const RIR::String sCount = m_lTokens.get(++i);
            nDuration = RIR::String::toInt(sCount.c_str());
            if (nDuration < 1)
                sBad = sCount;
        }
        else
        {
            sBad = sToken;
        }
        if (sBad.length() > 0)
        {
            RIR::String sMessage =
                RIR::String::format("AnimationLoader : Add in %s, line %d : error at token %s",
                                    m_pAnimation->getName().c_str(), m_nLine, sBad.c_str());
            ANIM_PARSE_ERROR(sMessage.c_str());
        }
    }

    for (int i = 0; i < m_lSelection.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        addFrame(m_lSelection.get(i), nDuration);
    }
}

void AnimationLoader::cmdHFlip()
{
    RIR_TRACE("AnimationLoader::cmdHFlip");
    const RIR::List<RIR::String> lNames = selectNames(m_lTokens.get(1));
    for (int i = 0; i < lNames.getLength(); ++i)
        replaceByCopy(lNames.get(i))->flipHorizontal();
}

void AnimationLoader::cmdVFlip()
{
    RIR_TRACE("AnimationLoader::cmdVFlip");
    const RIR::List<RIR::String> lNames = selectNames(m_lTokens.get(1));
    for (int i = 0; i < lNames.getLength(); ++i)
        replaceByCopy(lNames.get(i))->flipVertical();
}

void AnimationLoader::cmdMultiplyAlpha()
{
    RIR_TRACE("AnimationLoader::cmdMultiplyAlpha");
    // The factor is a fraction; outside 0 .. 1 (or not a number) it is held at the nearest end,
    // since a factor above 255 would wrap alpha values around.
    const double fScaled = (double)RIR::String::toFloat(m_lTokens.get(1).c_str()) * 255.0;
    const int nFactor = !(fScaled > 0.0) ? 0 : fScaled >= 255.0 ? 255 : (int)fScaled;
    const RIR::List<RIR::String> lNames = selectNames(m_lTokens.get(2));
    for (int i = 0; i < lNames.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        replaceByCopy(lNames.get(i))->multiplyAlpha(nFactor);
    }
}

void AnimationLoader::cmdInsPos()
{
    RIR_TRACE("AnimationLoader::cmdInsPos");
    selectImages(m_lTokens.get(3));
    const RIR::String sX = m_lTokens.get(1);
    const RIR::String sY = m_lTokens.get(2);
    for (int i = 0; i < m_lSelection.getLength(); ++i)
    {
        Image* pImage = m_lSelection.get(i).get();
        pImage->setInsPoint(parsePositionKeyword(sX.c_str(), pImage, true),
                            parsePositionKeyword(sY.c_str(), pImage, false));
    }
}

void AnimationLoader::cmdFps()
{
    RIR_TRACE("AnimationLoader::cmdFps");
    const float fFPS = RIR::String::toFloat(m_lTokens.get(1).c_str());
    if (m_sCurSeq.length() == 0)
        m_pAnimation->setFPS(fFPS);
    else
        m_pAnimation->setSequenceSpeed(m_sCurSeq.c_str(), fFPS);
}

void AnimationLoader::cmdBlit()
{
    RIR_TRACE("AnimationLoader::cmdBlit");
    const RIR::String sTarget = m_lTokens.get(1);
    RIR::SmartPtr<Image> pTarget = checkImage(sTarget);
    RIR::SmartPtr<Image> pSource = checkImage(m_lTokens.get(2));
    const int x = m_lTokens.getLength() > 3
                      ? parsePositionKeyword(m_lTokens.get(3).c_str(), pTarget.get(), true)
                      : 0;
    const int y = m_lTokens.getLength() > 4
                      ? parsePositionKeyword(m_lTokens.get(4).c_str(), pTarget.get(), false)
                      : 0;
    RIR_TRACE_LINE();
    replaceByCopy(sTarget)->blit(pSource.get(), x, y);
}

void AnimationLoader::cmdRBlit()
{
    RIR_TRACE("AnimationLoader::cmdRBlit");
    // The source becomes the background of the target: the new target is a copy of the source
    // with the old target drawn into it. Positions are read against the picture drawn into, as
    // with "blit": here the source.
    const RIR::String sTarget = m_lTokens.get(1);
    RIR::SmartPtr<Image> pOldTarget = checkImage(sTarget);
    RIR::SmartPtr<Image> pSource = checkImage(m_lTokens.get(2));
    const int x = m_lTokens.getLength() > 3
                      ? parsePositionKeyword(m_lTokens.get(3).c_str(), pSource.get(), true)
                      : 0;
    const int y = m_lTokens.getLength() > 4
                      ? parsePositionKeyword(m_lTokens.get(4).c_str(), pSource.get(), false)
                      : 0;
    RIR::SmartPtr<Image> pNew = pSource->clone(false);
    RIR_TRACE_LINE();
    pNew->blit(pOldTarget.get(), x, y);
    m_hImages.set(sTarget, pNew);
}

void AnimationLoader::cmdRemap()
{
    RIR_TRACE("AnimationLoader::cmdRemap");
    // One letter per new channel (red, green, blue): "r" red, "g" green, anything else, and a
    // letter missing from a short word, blue.
    const RIR::String sLetters = m_lTokens.get(1);
    int anChannel[3];
    for (int i = 0; i < 3; ++i)
    {
        const char c = i < sLetters.length() ? sLetters.c_str()[i] : 0;
        anChannel[i] = c == 'r' ? 0 : c == 'g' ? 1 : 2;
    }
    const RIR::List<RIR::String> lNames = selectNames(m_lTokens.get(2));
    for (int i = 0; i < lNames.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        replaceByCopy(lNames.get(i))->remapChannels(anChannel[0], anChannel[1], anChannel[2]);
    }
}

void AnimationLoader::cmdProp()
{
    RIR_TRACE("AnimationLoader::cmdProp");
    const RIR::String sKey = m_lTokens.get(1);
    const RIR::String sValue = optionalToken(2);
    // Before any sequence: the animation's; then the current frame's, or the sequence's own
    // while it has no frame.
    if (m_sCurSeq.length() == 0)
        m_pAnimation->setProp(sKey.c_str(), sValue.c_str());
    else
        m_pAnimation->setFrameProp(m_sCurSeq.c_str(), m_nCurFrame, sKey.c_str(), sValue.c_str());
}

void AnimationLoader::cmdFrameProp()
{
    RIR_TRACE("AnimationLoader::cmdFrameProp");
    if (m_sCurSeq.length() == 0)
        RIR_THROW(FatalErrorException, "FramProp must be used inside sequence.");
    RIR_TRACE_LINE();
    m_pAnimation->setFrameProp(m_sCurSeq.c_str(), RIR::String::toInt(m_lTokens.get(1).c_str()),
                               m_lTokens.get(2).c_str(), optionalToken(3).c_str());
}
