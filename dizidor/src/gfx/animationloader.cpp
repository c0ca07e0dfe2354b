// AnimationLoader: reading lines, stepping, counted commands and conditional blocks. The commands
// themselves are in animationcommands.cpp, the condition language in animationcondition.cpp.
#include "gfx/animationloader.h"

#include "gfx/animationparserexception.h"
#include "gfx/imageenv.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resource.h"

#include <algorithm>
#include <climits>

namespace
{

// A step also ends once more than this many commands that let it go on have run.
const int MAX_COMMANDS_PER_STEP = 100;
// Limits that keep a hostile script from exhausting time or memory: how often one line may run
// its command ("repeat", counted commands), and how long a line may grow by substitution.
const int MAX_COMMAND_RUNS = 10000;
const int MAX_LINE_LENGTH = 65536;
// Lines of included scripts one load may read: scripts that include others several times grow
// with every level of nesting.
const int64_t MAX_INCLUDED_LINES = 100000;

// The text from the (nCount + 1)-th blank- or tab-separated token on; "" when there is none.
RIR::String dropLeadingTokens(const RIR::String& sText, int nCount)
{
    const char* p = sText.c_str();
    for (int i = 0; i < nCount; ++i)
    {
        while (*p == ' ' || *p == '\t')
            ++p;
        while (*p && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return RIR::String(p);
}

} // namespace

AnimationLoader::AnimationLoader()
    : m_hImages(RIR::Hash<RIR::String, RIR::SmartPtr<Image>>::DEFAULT_BUCKETS), m_nParams(0),
      m_hDefines(RIR::Hash<RIR::String, RIR::String>::DEFAULT_BUCKETS), m_nCurFrame(-1), m_nLine(0),
      m_nLineCount(0), m_nCounter(0), m_nCounterEnd(0), m_nCounterWidth(-1), m_bMulti(false),
      m_nIfBlockNesting(0), m_nCurSource(-1), m_nIncludedLines(0), m_nStepLines(0),
      m_nFramesAdded(0)
{
    RIR_TRACE("AnimationLoader::AnimationLoader");
}

AnimationLoader::~AnimationLoader()
{
    RIR_TRACE("AnimationLoader::~AnimationLoader");
}

void AnimationLoader::setParams(const RIR::List<RIR::String>& lParams)
{
    RIR_TRACE("AnimationLoader::setParams");
    m_lParams = lParams;
    m_nParams = m_lParams.getLength();
}

void AnimationLoader::begin(const char* pszName)
{
    RIR_TRACE("AnimationLoader::begin");
    m_includes.clear();
    m_nIncludedLines = 0;
    RIR_TRACE_LINE();
    loadLines(pszName, m_includes.addSource(RIR::String(pszName), -1));
    m_nLine = 0;
    m_pAnimation = new Animation(0.0f);
    m_pAnimation->setName(pszName);
    m_bMulti = false;
    m_nIfBlockNesting = 0;
}

bool AnimationLoader::isDone() const
{
    return m_lLines.isEmpty() && !m_bMulti;
}

RIR::SmartPtr<Animation> AnimationLoader::load(const char* pszName)
{
    RIR_TRACE("AnimationLoader::load");
    RIR::setTraceParams(pszName);
    begin(pszName);
    while (!isDone())
    {
        RIR_TRACE_LINE();
        step();
    }
    return m_pAnimation;
}

void AnimationLoader::loadLines(const char* pszName, int nSource, bool bIncluded)
{
    RIR_TRACE("AnimationLoader::loadLines");
    RIR::setTraceParams(pszName);
    RIR_TRACE_LINE();
    RIR::SmartPtr<RIR::Resource> pScript = getImageEnvironment()->getResource(pszName);
    // Blank lines vanish here; lines of blanks or of a comment stay and are counted.
    const RIR::List<RIR::String> lNew = pScript->asString().split("\r\n");
    if (bIncluded)
    {
        m_nIncludedLines += lNew.getLength();
        if (m_nIncludedLines > MAX_INCLUDED_LINES)
        {
            RIR::String sMessage = RIR::String::format(
                "AnimationLoader : Include in %s, line %d : more than %d included lines",
                m_pAnimation->getName().c_str(), m_nLine, (int)MAX_INCLUDED_LINES);
            ANIM_PARSE_ERROR(sMessage.c_str());
        }
    }
    m_lLines.prependAll(lNew);
    for (int i = 0; i < lNew.getLength(); ++i)
        m_lLineSources.prepend(nSource);
    m_nLineCount = m_lLines.getLength();
}

int AnimationLoader::nextLine()
{
    RIR_TRACE("AnimationLoader::nextLine");
    int nTaken = 0;
    while (!m_lLines.isEmpty())
    {
        m_sLine = m_lLines.takeFirst();
        m_nCurSource = m_lLineSources.takeFirst();
        m_includes.enter(m_nCurSource);
        ++m_nLine;
        ++nTaken;

        const int nComment = m_sLine.findChar('#');
        if (nComment >= 0)
            m_sLine = m_sLine.left(nComment);
        m_sLine = m_sLine.trim();
        if (m_sLine.length() == 0)
            continue;

        // Parameters first, then defines in the table's order: plain text replacement over the
        // whole line, so a value may itself hold a later placeholder.
        for (int i = 0; i < m_nParams && i < m_lParams.getLength(); ++i)
            substitute(RIR::String::format("(%d)", i), m_lParams.get(i));
        if (!m_hDefines.isEmpty())
        {
            const RIR::List<RIR::String> lNames = m_hDefines.keys();
            const RIR::List<RIR::String> lValues = m_hDefines.values();
            for (int i = 0; i < lNames.getLength(); ++i)
                substitute("(" + lNames.get(i) + ")", lValues.get(i));
        }
        m_sLine = m_sLine.trim();
        if (m_sLine.length() > 0)
            break;
    }
    m_lTokens = m_sLine.split(" \t");
    m_sCommandText = m_sLine;
    return nTaken;
}

void AnimationLoader::substitute(const RIR::String& sPattern, const RIR::String& sValue)
{
    RIR_TRACE("AnimationLoader::substitute");
    // The length the line would reach, checked before it is built: defines that hold other
    // defines can double a line with every line of a script.
    int64_t nLength = m_sLine.length();
    for (int nAt = m_sLine.find(sPattern.c_str()); nAt >= 0;
         nAt = m_sLine.find(sPattern.c_str(), nAt + sPattern.length()))
        nLength += sValue.length() - sPattern.length();
    if (nLength > MAX_LINE_LENGTH)
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : Line %d of %s grows beyond %d characters by substitution", m_nLine,
            m_pAnimation ? m_pAnimation->getName().c_str() : "", MAX_LINE_LENGTH);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    m_sLine = m_sLine.replaceAll(sPattern.c_str(), sValue.c_str());
}

int AnimationLoader::step()
{
    RIR_TRACE("AnimationLoader::step");
    m_nStepLines = 0;
    // Stepping a finished loader would run its last line again.
    if (isDone())
        return 0;
    try
    {
        return runCommands();
    }
    catch (const AnimationParserException&)
    {
        throw;
    }
    catch (RIR::Exception& e)
    {
        nameTheLine(e);
        throw;
    }
}

void AnimationLoader::nameTheLine(RIR::Exception& e) const
{
    const RIR::String sMessage =
        RIR::String::format("%s (in %s, line %d)", e.getMessage(),
                            m_pAnimation ? m_pAnimation->getName().c_str() : "", m_nLine);
    e.setMessage(sMessage.c_str());
}

int AnimationLoader::runCommands()
{
    RIR_TRACE("AnimationLoader::runCommands");
    int nGoOn = 0;
    for (;;)
    {
        if (m_bMulti)
        {
            advanceCounter();
        }
        else
        {
            m_nStepLines += nextLine();
            RIR::setTraceParams(RIR::String::format("%d %s", m_nLine, m_sLine.c_str()).c_str());
        }
        if (m_lTokens.isEmpty())
            return m_nStepLines;

        m_sCommand = m_lTokens.get(0).toLower();
        int nTimes = 1;
        // "repeat n command ...": the rest of the line is the command, run n times. Nested
        // repeats multiply.
        while (m_sCommand == "repeat")
        {
            RIR_TRACE_LINE();
            const int nCount = RIR::String::toInt(m_lTokens.get(1).c_str());
            m_lTokens.takeFirst();
            m_lTokens.takeFirst();
            m_sCommandText = dropLeadingTokens(m_sCommandText, 2);
            if (nCount <= 0 || nTimes <= 0)
                nTimes = 0;
            else
                nTimes = (int)std::min<int64_t>((int64_t)nTimes * nCount, INT_MAX);
            m_sCommand = m_lTokens.get(0).toLower();
            if (nTimes > MAX_COMMAND_RUNS)
            {
                RIR::String sMessage = RIR::String::format(
                    "AnimationLoader : Repeat in %s, line %d : more than %d runs",
                    m_pAnimation->getName().c_str(), m_nLine, MAX_COMMAND_RUNS);
                ANIM_PARSE_ERROR(sMessage.c_str());
            }
        }

        bool bEnds = false;
        for (int i = 0; i < nTimes; ++i)
        {
            RIR_TRACE_LINE();
            bEnds = executeCommand();
            if (!bEnds)
                ++nGoOn;
        }
        if (bEnds || nTimes <= 0 || nGoOn > MAX_COMMANDS_PER_STEP || isDone())
            return m_nStepLines;
    }
}

// ---- counted commands ---------------------------------------------------------------------------

void AnimationLoader::startCounter()
{
    RIR_TRACE("AnimationLoader::startCounter");
    // The last two tokens are the counter's first and last value; a short line raises the
    // list's index error.
    const int nLength = m_lTokens.getLength();
    RIR_TRACE_LINE();
    const RIR::String sFirst = m_lTokens.get(nLength - 2);
    const RIR::String sLast = m_lTokens.get(nLength - 1);
    m_nCounter = RIR::String::toInt(sFirst.c_str());
    m_nCounterEnd = RIR::String::toInt(sLast.c_str());
    const int64_t nRuns =
        (m_nCounter < m_nCounterEnd ? m_nCounterEnd - m_nCounter : m_nCounter - m_nCounterEnd) + 1;
    if (nRuns > MAX_COMMAND_RUNS)
    {
        RIR::String sMessage = RIR::String::format(
            "AnimationLoader : Command %s in %s, line %d : more than %d runs", m_sCommand.c_str(),
            m_pAnimation->getName().c_str(), m_nLine, MAX_COMMAND_RUNS);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }

    // "01" or "012" asks for zero fill to the longer text's width; a plain "0" does not.
    const bool bFill =
        (sFirst != "0" && sFirst.c_str()[0] == '0') || (sLast != "0" && sLast.c_str()[0] == '0');
    m_nCounterWidth = bFill ? std::max(sFirst.length(), sLast.length()) : -1;

    const RIR::String sBase = m_sCommand.from(1);
    m_lCounterPos.clear();
    if (sBase == "clone" || sBase == "blit")
    {
        m_lCounterPos.append(1);
        m_lCounterPos.append(2);
    }
    else if (sBase == "inspos")
    {
        m_lCounterPos.append(3);
    }
    else
    {
        m_lCounterPos.append(1);
    }

    m_lTemplate = m_lTokens;
    m_lTemplate.removeAt(m_lTemplate.getLength() - 1);
    m_lTemplate.removeAt(m_lTemplate.getLength() - 1);
    RIR_TRACE_LINE();
    m_lTemplate.takeFirst();
    m_lTemplate.prepend(sBase);

    bool bPlaceholder = false;
    for (int i = 0; i < m_lCounterPos.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        if (m_lTemplate.get(m_lCounterPos.get(i)).findChar('$') >= 0)
            bPlaceholder = true;
    }
    if (!bPlaceholder)
    {
        for (int i = 0; i < m_lCounterPos.getLength(); ++i)
            m_lTemplate.getNode(m_lCounterPos.get(i))->m_value += '$';
    }

    // One step away from the end, so that the first advance lands on the first value.
    m_nCounter += m_nCounter < m_nCounterEnd || m_nCounter == m_nCounterEnd ? -1 : 1;
    m_bMulti = true;
}

void AnimationLoader::advanceCounter()
{
    RIR_TRACE("AnimationLoader::advanceCounter");
    m_nCounter += m_nCounter < m_nCounterEnd ? 1 : -1;
    const RIR::String sCounter =
        m_nCounterWidth == -1 ? RIR::String::format("%d", (int)m_nCounter)
                              : RIR::String::format("%0*d", (int)m_nCounterWidth, (int)m_nCounter);
    m_lTokens = m_lTemplate;
    for (int i = 0; i < m_lCounterPos.getLength(); ++i)
    {
        const int nPos = m_lCounterPos.get(i);
        m_lTokens.getNode(nPos)->m_value = m_lTemplate.get(nPos).replaceAll("$", sCounter.c_str());
    }
    m_sCommandText = m_lTokens.join(" ");
    if (m_nCounter == m_nCounterEnd)
        m_bMulti = false;
}

// ---- conditional blocks -------------------------------------------------------------------------

void AnimationLoader::cmdIf()
{
    RIR_TRACE("AnimationLoader::cmdIf");
    ++m_nIfBlockNesting;
    RIR::List<RIR::String> lCondition = m_lTokens;
    lCondition.takeFirst();
    if (!evaluateCondition(lCondition))
        skipFalseBranch();
}

void AnimationLoader::cmdElif()
{
    RIR_TRACE("AnimationLoader::cmdElif");
    // Reached while a branch runs: that branch is over, the rest of the block is skipped.
    RIR_ASSERT(m_nIfBlockNesting > 0);
    --m_nIfBlockNesting;
    skipToEndif();
}

void AnimationLoader::cmdElse()
{
    RIR_TRACE("AnimationLoader::cmdElse");
    RIR_ASSERT(m_nIfBlockNesting > 0);
    --m_nIfBlockNesting;
    skipToEndif();
}

void AnimationLoader::cmdEndif()
{
    RIR_TRACE("AnimationLoader::cmdEndif");
    RIR_ASSERT(m_nIfBlockNesting > 0);
    --m_nIfBlockNesting;
}

void AnimationLoader::nextSkippedLine()
{
    RIR_TRACE("AnimationLoader::nextSkippedLine");
    if (m_lLines.isEmpty())
    {
        RIR::String sMessage =
            RIR::String::format("AnimationLoader : If in %s, line %d : no endif before the end "
                                "of the script",
                                m_pAnimation->getName().c_str(), m_nLine);
        ANIM_PARSE_ERROR(sMessage.c_str());
    }
    m_nStepLines += nextLine();
}

void AnimationLoader::skipFalseBranch()
{
    RIR_TRACE("AnimationLoader::skipFalseBranch");
    // Only the first word of a skipped line counts; nested blocks are skipped whole.
    int nNested = 0;
    for (;;)
    {
        nextSkippedLine();
        if (m_lTokens.isEmpty())
            continue;
        const RIR::String sWord = m_lTokens.get(0).toLower();
        if (sWord == "if")
        {
            ++nNested;
        }
        else if (sWord == "endif")
        {
            if (nNested == 0)
            {
                --m_nIfBlockNesting;
                return;
            }
            --nNested;
        }
        else if (nNested == 0 && sWord == "else")
        {
            return;
        }
        else if (nNested == 0 && sWord == "elif")
        {
            RIR::List<RIR::String> lCondition = m_lTokens;
            lCondition.takeFirst();
            if (evaluateCondition(lCondition))
                return;
        }
    }
}

void AnimationLoader::skipToEndif()
{
    RIR_TRACE("AnimationLoader::skipToEndif");
    int nNested = 0;
    for (;;)
    {
        nextSkippedLine();
        if (m_lTokens.isEmpty())
            continue;
        const RIR::String sWord = m_lTokens.get(0).toLower();
        if (sWord == "if")
        {
            ++nNested;
        }
        else if (sWord == "endif")
        {
            if (nNested == 0)
                return;
            --nNested;
        }
    }
}
