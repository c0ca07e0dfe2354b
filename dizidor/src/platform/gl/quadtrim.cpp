#include "platform/gl/quadtrim.h"

#include <algorithm>

namespace
{

bool columnShows(const uint8_t* pTexels, int nWidth, int nHeight, int x)
{
    for (int y = 0; y < nHeight; ++y)
        if (pTexels[((size_t)y * (size_t)nWidth + (size_t)x) * 4 + 3] != 0)
            return true;
    return false;
}

bool rowShows(const uint8_t* pTexels, int nWidth, int y)
{
    const uint8_t* pRow = pTexels + (size_t)y * (size_t)nWidth * 4;
    for (int x = 0; x < nWidth; ++x)
        if (pRow[x * 4 + 3] != 0)
            return true;
    return false;
}

// Whether alpha 0 fails the alpha test "alpha FUNC reference".
bool alphaTestDropsZero(uint32_t nFunc, uint32_t nReference)
{
    switch (nFunc)
    {
    case CMP_NEVER:
    case CMP_GREATER:
        return true;
    case CMP_EQUAL:
    case CMP_GREATER_EQUAL:
        return nReference > 0;
    default:
        return false;
    }
}

// One side of the quad along one axis: the texture coordinates c0 (at the first corner) and c1
// (at the second) cut to [fLow, fHigh] of the texture. False when nothing is left.
bool cutRange(float c0, float c1, float fLow, float fHigh, float* pfNew0, float* pfNew1)
{
    const float fMin = std::min(c0, c1);
    const float fMax = std::max(c0, c1);
    const float fCutMin = std::max(fMin, fLow);
    const float fCutMax = std::min(fMax, fHigh);
    if (!(fCutMin < fCutMax))
        return false;
    *pfNew0 = c0 <= c1 ? fCutMin : fCutMax;
    *pfNew1 = c0 <= c1 ? fCutMax : fCutMin;
    return true;
}

// The position at texture coordinate c of the edge from p0 (at c0) to p1 (at c1); the ends stay
// exact.
float positionAt(float c, float c0, float c1, float p0, float p1)
{
    if (c == c0)
        return p0;
    if (c == c1)
        return p1;
    return p0 + (c - c0) / (c1 - c0) * (p1 - p0);
}

} // namespace

ShownTexels findShownTexels(const uint8_t* pTexels, int nWidth, int nHeight, bool bAlpha)
{
    ShownTexels shown = {0, 0, nWidth, nHeight};
    if (!bAlpha || !pTexels || nWidth < 1 || nHeight < 1)
        return shown;
    int nTop = 0;
    while (nTop < nHeight && !rowShows(pTexels, nWidth, nTop))
        ++nTop;
    if (nTop == nHeight)
        return ShownTexels{0, 0, 0, 0};
    int nBottom = nHeight;
    while (!rowShows(pTexels, nWidth, nBottom - 1))
        --nBottom;
    int nLeft = 0;
    while (!columnShows(pTexels, nWidth, nHeight, nLeft))
        ++nLeft;
    int nRight = nWidth;
    while (!columnShows(pTexels, nWidth, nHeight, nRight - 1))
        --nRight;
    // One texel of margin for the filter.
    shown.nLeft = std::max(0, nLeft - 1);
    shown.nTop = std::max(0, nTop - 1);
    shown.nRight = std::min(nWidth, nRight + 1);
    shown.nBottom = std::min(nHeight, nBottom + 1);
    return shown;
}

bool transparentTexelsChangeNothing(const RenderDeviceState& state)
{
    const uint32_t* anStage = state.anStageState;
    const uint32_t nAlphaOp = anStage[TS_ALPHA_OP];
    const bool bTextureAlpha =
        (nAlphaOp == TEXOP_MODULATE &&
         (anStage[TS_ALPHA_ARG1] == TEXARG_TEXTURE || anStage[TS_ALPHA_ARG2] == TEXARG_TEXTURE)) ||
        (nAlphaOp == TEXOP_SELECT_ARG1 && anStage[TS_ALPHA_ARG1] == TEXARG_TEXTURE) ||
        (nAlphaOp == TEXOP_SELECT_ARG2 && anStage[TS_ALPHA_ARG2] == TEXARG_TEXTURE);
    if (!bTextureAlpha || anStage[TS_COLOR_OP] == TEXOP_DISABLE)
        return false;
    const uint32_t* anRender = state.anRenderState;
    if (anRender[RS_DEPTH_TEST])
        return false;
    if (anRender[RS_ALPHA_TEST] &&
        alphaTestDropsZero(anRender[RS_ALPHA_TEST_FUNC], anRender[RS_ALPHA_TEST_REF]))
        return true;
    if (!anRender[RS_BLEND])
        return false;
    const uint32_t nSrc = anRender[RS_BLEND_SRC];
    const uint32_t nDest = anRender[RS_BLEND_DEST];
    if ((nSrc != BF_SRC_ALPHA && nSrc != BF_ZERO) || (nDest != BF_ONE && nDest != BF_INV_SRC_ALPHA))
        return false;
    return !anRender[RS_STENCIL_TEST] ||
           (anRender[RS_STENCIL_OP_FAIL] == SOP_KEEP &&
            anRender[RS_STENCIL_OP_DEPTH_FAIL] == SOP_KEEP && anRender[RS_STENCIL_OP_PASS] == SOP_KEEP);
}

QuadTrim trimQuad(const RenderVertex aQuad[4], const ShownTexels& shown, int nTexWidth,
                  int nTexHeight, RenderVertex aTrimmed[4])
{
    const RenderVertex& tl = aQuad[0];
    const RenderVertex& tr = aQuad[1];
    const RenderVertex& bl = aQuad[2];
    const RenderVertex& br = aQuad[3];
    const bool bRectangle = tl.x == bl.x && tr.x == br.x && tl.y == tr.y && bl.y == br.y &&
                            tl.u == bl.u && tr.u == br.u && tl.v == tr.v && bl.v == br.v &&
                            tl.x != tr.x && tl.y != bl.y && tl.u != tr.u && tl.v != bl.v;
    const bool bUniform = tl.nColor == tr.nColor && tl.nColor == bl.nColor &&
                          tl.nColor == br.nColor && tl.z == tr.z && tl.z == bl.z && tl.z == br.z;
    if (!bRectangle || !bUniform || nTexWidth < 1 || nTexHeight < 1)
        return QUAD_UNCHANGED;
    if (shown.isEmpty())
        return QUAD_HIDDEN;
    // Sides that reach the texture's edge are not cut: clamping repeats the edge beyond it.
    const float fHuge = 1e30f;
    const float fLowU = shown.nLeft > 0 ? (float)shown.nLeft / (float)nTexWidth : -fHuge;
    const float fHighU = shown.nRight < nTexWidth ? (float)shown.nRight / (float)nTexWidth : fHuge;
    const float fLowV = shown.nTop > 0 ? (float)shown.nTop / (float)nTexHeight : -fHuge;
    const float fHighV =
        shown.nBottom < nTexHeight ? (float)shown.nBottom / (float)nTexHeight : fHuge;
    float fU0 = 0.0f;
    float fU1 = 0.0f;
    float fV0 = 0.0f;
    float fV1 = 0.0f;
    if (!cutRange(tl.u, tr.u, fLowU, fHighU, &fU0, &fU1) ||
        !cutRange(tl.v, bl.v, fLowV, fHighV, &fV0, &fV1))
        return QUAD_HIDDEN;
    if (fU0 == tl.u && fU1 == tr.u && fV0 == tl.v && fV1 == bl.v)
        return QUAD_UNCHANGED;
    const float fX0 = positionAt(fU0, tl.u, tr.u, tl.x, tr.x);
    const float fX1 = positionAt(fU1, tl.u, tr.u, tl.x, tr.x);
    const float fY0 = positionAt(fV0, tl.v, bl.v, tl.y, bl.y);
    const float fY1 = positionAt(fV1, tl.v, bl.v, tl.y, bl.y);
    for (int c = 0; c < 4; ++c)
    {
        RenderVertex& out = aTrimmed[c];
        out = aQuad[c];
        const bool bRight = (c & 1) != 0;
        const bool bBottom = (c & 2) != 0;
        out.x = bRight ? fX1 : fX0;
        out.u = bRight ? fU1 : fU0;
        out.y = bBottom ? fY1 : fY0;
        out.v = bBottom ? fV1 : fV0;
    }
    return QUAD_TRIMMED;
}
