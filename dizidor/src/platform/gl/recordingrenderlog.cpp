#include "platform/gl/recordingrenderlog.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const char* const s_apszCallNames[RENDER_CALL_COUNT] = {
    "setMode",        "testCooperativeLevel", "present",       "restore",
    "release",        "beginScene",           "endScene",      "clear",
    "setRenderState", "setStageState",        "setTexture",    "setTransform",
    "setViewport",    "drawPrimitive",        "createTexture", "lockTexture",
    "unlockTexture",  "deleteTexture"};

bool isCall(RenderCall eCall)
{
    return (int)eCall >= 0 && (int)eCall < RENDER_CALL_COUNT;
}

RIR::String clearFlagsText(uint32_t nFlags)
{
    static const struct
    {
        uint32_t nFlag;
        const char* pszName;
    } s_aFlags[] = {{RenderDevice::CLEAR_COLOR, "COLOR"},
                    {RenderDevice::CLEAR_DEPTH, "DEPTH"},
                    {RenderDevice::CLEAR_STENCIL, "STENCIL"}};
    RIR::String sText;
    for (const auto& flag : s_aFlags)
    {
        if ((nFlags & flag.nFlag) == 0)
            continue;
        if (sText.length() > 0)
            sText += "|";
        sText += flag.pszName;
        nFlags &= ~flag.nFlag;
    }
    if (nFlags != 0 || sText.length() == 0)
    {
        if (sText.length() > 0)
            sText += "|";
        sText += RIR::String::format("0x%X", (unsigned)nFlags);
    }
    return sText;
}

RIR::String textureText(int nTexture)
{
    return nTexture ? RIR::String::format("%d", nTexture) : RIR::String("none");
}

} // namespace

const char* renderCallName(RenderCall eCall)
{
    return isCall(eCall) ? s_apszCallNames[eCall] : "?";
}

RenderRecord::RenderRecord()
    : eCall(CALL_SET_MODE), eResult(RENDER_OK), mode(), nState(0), nValue(0),
      eTransform(TRANSFORM_WORLD), viewport(), nClearFlags(0), nColor(0), fDepth(0.0f), nStencil(0),
      nTexture(0), nWidth(0), nHeight(0), bAlpha(false), ePrimitive(PRIM_TRIANGLE_LIST), state()
{
}

RIR::String RenderRecord::toString() const
{
    RIR_TRACE("RenderRecord::toString");
    RIR::String sText(renderCallName(eCall));
    switch (eCall)
    {
    case CALL_SET_MODE:
        sText += " " + mode.toString();
        break;
    case CALL_CLEAR:
        sText += RIR::String::format(" %s 0x%08X depth %g stencil %u",
                                     clearFlagsText(nClearFlags).c_str(), (unsigned)nColor, fDepth,
                                     (unsigned)nStencil);
        break;
    case CALL_SET_RENDER_STATE:
        sText += RIR::String::format(" %s %s", renderStateName((RenderState)nState),
                                     renderStateValueText((RenderState)nState, nValue).c_str());
        break;
    case CALL_SET_STAGE_STATE:
        sText += RIR::String::format(" %s %s", stageStateName((StageState)nState),
                                     stageStateValueText((StageState)nState, nValue).c_str());
        break;
    case CALL_SET_TEXTURE:
        sText += " " + textureText(nTexture);
        break;
    case CALL_SET_TRANSFORM:
        sText += RIR::String::format(" %s ", transformKindName(eTransform)) + matrix.toString();
        break;
    case CALL_SET_VIEWPORT:
        sText += RIR::String::format(" %d %d %d %d %g %g", (int)viewport.nX, (int)viewport.nY,
                                     (int)viewport.nWidth, (int)viewport.nHeight, viewport.fMinZ,
                                     viewport.fMaxZ);
        break;
    case CALL_DRAW_PRIMITIVE:
        sText += RIR::String::format(" %s %d texture ", primitiveKindName(ePrimitive),
                                     (int)lVertices.size()) +
                 textureText(nTexture);
        break;
    case CALL_CREATE_TEXTURE:
        sText += RIR::String::format(" %dx%d %s", (int)nWidth, (int)nHeight,
                                     bAlpha ? "alpha" : "opaque");
        if (nTexture)
            sText += RIR::String::format(" id %d", (int)nTexture);
        break;
    case CALL_LOCK_TEXTURE:
    case CALL_UNLOCK_TEXTURE:
    case CALL_DELETE_TEXTURE:
        sText += RIR::String::format(" %d", (int)nTexture);
        break;
    default:
        break;
    }
    if (isRenderFailure(eResult))
        sText += RIR::String(" -> ") + renderResultName(eResult);
    return sText;
}

RecordingRenderLog::RecordingRenderLog()
{
    RIR_TRACE("RecordingRenderLog::RecordingRenderLog");
    clearFailures();
}

std::vector<const RenderRecord*> RecordingRenderLog::find(RenderCall eCall) const
{
    RIR_TRACE("RecordingRenderLog::find");
    std::vector<const RenderRecord*> lFound;
    for (const RenderRecord& record : m_lRecords)
    {
        if (record.eCall == eCall)
            lFound.push_back(&record);
    }
    return lFound;
}

int RecordingRenderLog::count(RenderCall eCall) const
{
    RIR_TRACE("RecordingRenderLog::count");
    int nCount = 0;
    for (const RenderRecord& record : m_lRecords)
    {
        if (record.eCall == eCall)
            ++nCount;
    }
    return nCount;
}

const RenderRecord* RecordingRenderLog::findLast(RenderCall eCall) const
{
    RIR_TRACE("RecordingRenderLog::findLast");
    for (size_t i = m_lRecords.size(); i > 0; --i)
    {
        if (m_lRecords[i - 1].eCall == eCall)
            return &m_lRecords[i - 1];
    }
    return nullptr;
}

std::vector<std::string> RecordingRenderLog::getLines(int nFirst) const
{
    RIR_TRACE("RecordingRenderLog::getLines");
    std::vector<std::string> lLines;
    for (size_t i = (size_t)(nFirst < 0 ? 0 : nFirst); i < m_lRecords.size(); ++i)
        lLines.push_back(m_lRecords[i].toString().c_str());
    return lLines;
}

RIR::String RecordingRenderLog::toText(int nFirst) const
{
    RIR_TRACE("RecordingRenderLog::toText");
    RIR::String sText;
    for (size_t i = (size_t)(nFirst < 0 ? 0 : nFirst); i < m_lRecords.size(); ++i)
    {
        sText += m_lRecords[i].toString();
        sText += "\n";
    }
    return sText;
}

void RecordingRenderLog::clear()
{
    m_lRecords.clear();
}

void RecordingRenderLog::failCall(RenderCall eCall, RenderResult eResult, int nTimes, int nSkip)
{
    RIR_TRACE("RecordingRenderLog::failCall");
    if (!isCall(eCall) || !isRenderFailure(eResult))
        RIR_THROW(BadParmException,
                  RIR::String::format("RecordingRenderLog::failCall : call %d, result 0x%08X",
                                      (int)eCall, (unsigned)eResult)
                      .c_str());
    m_aFailures[eCall] = Failure{eResult, nSkip < 0 ? 0 : nSkip, nTimes};
}

void RecordingRenderLog::clearFailures()
{
    for (Failure& failure : m_aFailures)
        failure = Failure{RENDER_OK, 0, 0};
}

RenderResult RecordingRenderLog::takeFailure(RenderCall eCall)
{
    RIR_TRACE("RecordingRenderLog::takeFailure");
    if (!isCall(eCall))
        return RENDER_OK;
    Failure& failure = m_aFailures[eCall];
    if (failure.nTimes == 0)
        return RENDER_OK;
    if (failure.nSkip > 0)
    {
        --failure.nSkip;
        return RENDER_OK;
    }
    if (failure.nTimes > 0)
        --failure.nTimes;
    return failure.eResult;
}

RenderRecord& RecordingRenderLog::add(RenderCall eCall)
{
    RIR_TRACE("RecordingRenderLog::add");
    m_lRecords.emplace_back();
    m_lRecords.back().eCall = eCall;
    return m_lRecords.back();
}
