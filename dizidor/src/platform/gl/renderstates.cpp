#include "platform/gl/renderstates.h"

#include "rir2/calltrace.h"

namespace
{

// The kinds of values a state takes.
enum ValueKind
{
    VK_BOOL,
    VK_BYTE,
    VK_ANY,
    VK_CULL,
    VK_BLEND,
    VK_COMPARE,
    VK_STENCIL_OP,
    VK_TEXTURE_OP,
    VK_TEXTURE_ARG,
    VK_FILTER,
    VK_ADDRESS
};

struct StateInfo
{
    const char* pszName;
    ValueKind eKind;
    uint32_t nDefault;
};

const StateInfo s_aRenderStates[RS_COUNT] = {
    {"DEPTH_TEST", VK_BOOL, 0},
    {"CULL", VK_CULL, CULL_NONE},
    {"LIGHTING", VK_BOOL, 0},
    {"PERSPECTIVE_TEXTURES", VK_BOOL, 0},
    {"BLEND", VK_BOOL, 0},
    {"BLEND_SRC", VK_BLEND, BF_ONE},
    {"BLEND_DEST", VK_BLEND, BF_ZERO},
    {"ALPHA_TEST", VK_BOOL, 0},
    {"ALPHA_TEST_REF", VK_BYTE, 0},
    {"ALPHA_TEST_FUNC", VK_COMPARE, CMP_ALWAYS},
    {"STENCIL_TEST", VK_BOOL, 0},
    {"STENCIL_READ_MASK", VK_ANY, 0xFFFFFFFFu},
    {"STENCIL_REF", VK_ANY, 0},
    {"STENCIL_FUNC", VK_COMPARE, CMP_ALWAYS},
    {"STENCIL_OP_FAIL", VK_STENCIL_OP, SOP_KEEP},
    {"STENCIL_OP_DEPTH_FAIL", VK_STENCIL_OP, SOP_KEEP},
    {"STENCIL_OP_PASS", VK_STENCIL_OP, SOP_KEEP},
};

const StateInfo s_aStageStates[TS_COUNT] = {
    {"COLOR_OP", VK_TEXTURE_OP, TEXOP_MODULATE},    {"COLOR_ARG1", VK_TEXTURE_ARG, TEXARG_TEXTURE},
    {"COLOR_ARG2", VK_TEXTURE_ARG, TEXARG_DIFFUSE}, {"ALPHA_OP", VK_TEXTURE_OP, TEXOP_MODULATE},
    {"ALPHA_ARG1", VK_TEXTURE_ARG, TEXARG_TEXTURE}, {"ALPHA_ARG2", VK_TEXTURE_ARG, TEXARG_DIFFUSE},
    {"MAG_FILTER", VK_FILTER, TEXFILTER_LINEAR},    {"MIN_FILTER", VK_FILTER, TEXFILTER_LINEAR},
    {"ADDRESS_U", VK_ADDRESS, TEXADDR_CLAMP},       {"ADDRESS_V", VK_ADDRESS, TEXADDR_CLAMP},
};

const char* const s_apszCull[CULL_MODE_COUNT] = {"NONE", "CLOCKWISE", "COUNTER_CLOCKWISE"};
const char* const s_apszBlend[BLEND_FACTOR_COUNT] = {
    "ZERO",      "ONE",           "SRC_COLOR",  "INV_SRC_COLOR",
    "SRC_ALPHA", "INV_SRC_ALPHA", "DEST_COLOR", "INV_DEST_COLOR"};
const char* const s_apszCompare[COMPARE_FUNC_COUNT] = {
    "NEVER", "LESS", "EQUAL", "LESS_EQUAL", "GREATER", "NOT_EQUAL", "GREATER_EQUAL", "ALWAYS"};
const char* const s_apszStencilOp[STENCIL_OP_COUNT] = {"KEEP",       "ZERO",       "REPLACE",
                                                       "INCR_CLAMP", "DECR_CLAMP", "INVERT"};
const char* const s_apszTextureOp[TEXTURE_OP_COUNT] = {"DISABLE", "SELECT_ARG1", "SELECT_ARG2",
                                                       "MODULATE"};
const char* const s_apszTextureArg[TEXTURE_ARG_COUNT] = {"DIFFUSE", "TEXTURE", "CURRENT"};
const char* const s_apszFilter[TEXTURE_FILTER_COUNT] = {"NEAREST", "LINEAR"};
const char* const s_apszAddress[TEXTURE_ADDRESS_COUNT] = {"WRAP", "CLAMP"};

// The number of values of an enumerated kind; 0 for the numeric kinds.
uint32_t valueCount(ValueKind eKind)
{
    switch (eKind)
    {
    case VK_CULL:
        return CULL_MODE_COUNT;
    case VK_BLEND:
        return BLEND_FACTOR_COUNT;
    case VK_COMPARE:
        return COMPARE_FUNC_COUNT;
    case VK_STENCIL_OP:
        return STENCIL_OP_COUNT;
    case VK_TEXTURE_OP:
        return TEXTURE_OP_COUNT;
    case VK_TEXTURE_ARG:
        return TEXTURE_ARG_COUNT;
    case VK_FILTER:
        return TEXTURE_FILTER_COUNT;
    case VK_ADDRESS:
        return TEXTURE_ADDRESS_COUNT;
    default:
        return 0;
    }
}

const char* const* valueNames(ValueKind eKind)
{
    switch (eKind)
    {
    case VK_CULL:
        return s_apszCull;
    case VK_BLEND:
        return s_apszBlend;
    case VK_COMPARE:
        return s_apszCompare;
    case VK_STENCIL_OP:
        return s_apszStencilOp;
    case VK_TEXTURE_OP:
        return s_apszTextureOp;
    case VK_TEXTURE_ARG:
        return s_apszTextureArg;
    case VK_FILTER:
        return s_apszFilter;
    case VK_ADDRESS:
        return s_apszAddress;
    default:
        return nullptr;
    }
}

bool isValidValue(ValueKind eKind, uint32_t nValue)
{
    switch (eKind)
    {
    case VK_BOOL:
        return nValue <= 1;
    case VK_BYTE:
        return nValue <= 255;
    case VK_ANY:
        return true;
    default:
        return nValue < valueCount(eKind);
    }
}

RIR::String valueText(ValueKind eKind, uint32_t nValue)
{
    const char* const* apszNames = valueNames(eKind);
    if (apszNames && nValue < valueCount(eKind))
        return RIR::String(apszNames[nValue]);
    if (eKind == VK_ANY)
        return RIR::String::format("0x%08X", (unsigned)nValue);
    return RIR::String::format("%u", (unsigned)nValue);
}

bool isRenderStateIndex(RenderState eState)
{
    return (int)eState >= 0 && (int)eState < RS_COUNT;
}

bool isStageStateIndex(StageState eState)
{
    return (int)eState >= 0 && (int)eState < TS_COUNT;
}

} // namespace

uint32_t renderStateDefault(RenderState eState)
{
    return isRenderStateIndex(eState) ? s_aRenderStates[eState].nDefault : 0;
}

uint32_t stageStateDefault(StageState eState)
{
    return isStageStateIndex(eState) ? s_aStageStates[eState].nDefault : 0;
}

bool isValidRenderState(RenderState eState, uint32_t nValue)
{
    RIR_TRACE("isValidRenderState");
    return isRenderStateIndex(eState) && isValidValue(s_aRenderStates[eState].eKind, nValue);
}

bool isValidStageState(StageState eState, uint32_t nValue)
{
    RIR_TRACE("isValidStageState");
    return isStageStateIndex(eState) && isValidValue(s_aStageStates[eState].eKind, nValue);
}

const char* renderStateName(RenderState eState)
{
    return isRenderStateIndex(eState) ? s_aRenderStates[eState].pszName : "?";
}

const char* stageStateName(StageState eState)
{
    return isStageStateIndex(eState) ? s_aStageStates[eState].pszName : "?";
}

RIR::String renderStateValueText(RenderState eState, uint32_t nValue)
{
    RIR_TRACE("renderStateValueText");
    if (!isRenderStateIndex(eState))
        return RIR::String::format("%u", (unsigned)nValue);
    return valueText(s_aRenderStates[eState].eKind, nValue);
}

RIR::String stageStateValueText(StageState eState, uint32_t nValue)
{
    RIR_TRACE("stageStateValueText");
    if (!isStageStateIndex(eState))
        return RIR::String::format("%u", (unsigned)nValue);
    return valueText(s_aStageStates[eState].eKind, nValue);
}
