// Cutting sprite quads to the texels that can show: which texels, under which states, and the
// quad that is left.
#include "platform/gl/quadtrim.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// A w x h texture of transparent texels with the listed ones at alpha 255.
std::vector<uint8_t> texels(int nWidth, int nHeight, std::initializer_list<std::pair<int, int>> opaque)
{
    std::vector<uint8_t> abTexels((size_t)nWidth * (size_t)nHeight * 4, 0xFF);
    for (size_t i = 3; i < abTexels.size(); i += 4)
        abTexels[i] = 0;
    for (const auto& xy : opaque)
        abTexels[((size_t)xy.second * (size_t)nWidth + (size_t)xy.first) * 4 + 3] = 255;
    return abTexels;
}

TEST(QuadTrimTest, ShownTexelsReachOneTexelBeyondTheVisibleOnes)
{
    struct Case
    {
        const char* pszWhat;
        std::vector<uint8_t> abTexels;
        bool bAlpha;
        ShownTexels expected;
    } aCases[] = {
        {"one texel inside", texels(8, 4, {{3, 1}}), true, {2, 0, 5, 3}},
        {"two texels apart", texels(8, 4, {{2, 2}, {5, 1}}), true, {1, 0, 7, 4}},
        {"at the edges", texels(8, 4, {{0, 0}, {7, 3}}), true, {0, 0, 8, 4}},
        {"none visible", texels(8, 4, {}), true, {0, 0, 0, 0}},
        {"no alpha channel", texels(8, 4, {}), false, {0, 0, 8, 4}},
    };
    for (const Case& c : aCases)
    {
        const ShownTexels shown = findShownTexels(c.abTexels.data(), 8, 4, c.bAlpha);
        EXPECT_EQ(c.expected.nLeft, shown.nLeft) << c.pszWhat;
        EXPECT_EQ(c.expected.nTop, shown.nTop) << c.pszWhat;
        EXPECT_EQ(c.expected.nRight, shown.nRight) << c.pszWhat;
        EXPECT_EQ(c.expected.nBottom, shown.nBottom) << c.pszWhat;
    }
}

RenderDeviceState defaultStates()
{
    RenderDeviceState state = RenderDeviceState();
    for (int i = 0; i < RS_COUNT; ++i)
        state.anRenderState[i] = renderStateDefault((RenderState)i);
    for (int i = 0; i < TS_COUNT; ++i)
        state.anStageState[i] = stageStateDefault((StageState)i);
    return state;
}

TEST(QuadTrimTest, OnlyStatesUnderWhichTransparentTexelsChangeNothingAllowCutting)
{
    struct Change
    {
        bool bRender;
        int nState;
        uint32_t nValue;
    };
    struct Case
    {
        const char* pszWhat;
        std::vector<Change> lChanges;
        bool bExpected;
    } aCases[] = {
        {"no blending", {}, false},
        {"alpha blending", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                            {true, RS_BLEND_DEST, BF_INV_SRC_ALPHA}}, true},
        {"added by alpha", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                            {true, RS_BLEND_DEST, BF_ONE}}, true},
        {"no colour", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_ZERO},
                       {true, RS_BLEND_DEST, BF_ONE}}, true},
        {"premultiplied", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_ONE},
                           {true, RS_BLEND_DEST, BF_INV_SRC_ALPHA}}, false},
        {"blending writing the stencil", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                                          {true, RS_BLEND_DEST, BF_ONE},
                                          {true, RS_STENCIL_TEST, 1},
                                          {true, RS_STENCIL_OP_PASS, SOP_REPLACE}}, false},
        {"alpha test writing the stencil", {{true, RS_ALPHA_TEST, 1},
                                            {true, RS_ALPHA_TEST_FUNC, CMP_GREATER},
                                            {true, RS_STENCIL_TEST, 1},
                                            {true, RS_STENCIL_OP_PASS, SOP_REPLACE}}, true},
        {"alpha test letting 0 pass", {{true, RS_ALPHA_TEST, 1},
                                       {true, RS_ALPHA_TEST_FUNC, CMP_GREATER_EQUAL}}, false},
        {"depth test", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                        {true, RS_BLEND_DEST, BF_INV_SRC_ALPHA}, {true, RS_DEPTH_TEST, 1}}, false},
        {"alpha of the vertices alone", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                                         {true, RS_BLEND_DEST, BF_INV_SRC_ALPHA},
                                         {false, TS_ALPHA_OP, TEXOP_SELECT_ARG2}}, false},
        {"texture off", {{true, RS_BLEND, 1}, {true, RS_BLEND_SRC, BF_SRC_ALPHA},
                         {true, RS_BLEND_DEST, BF_INV_SRC_ALPHA},
                         {false, TS_COLOR_OP, TEXOP_DISABLE}}, false},
    };
    for (const Case& c : aCases)
    {
        RenderDeviceState state = defaultStates();
        for (const Change& change : c.lChanges)
            (change.bRender ? state.anRenderState : state.anStageState)[change.nState] =
                change.nValue;
        EXPECT_EQ(c.bExpected, transparentTexelsChangeNothing(state)) << c.pszWhat;
    }
}

// The quad a sprite of an 8 x 4 texture draws, 16 x 8 pixels at (10, 20), u from fU0 to fU1.
void spriteQuad(float fU0, float fU1, RenderVertex aQuad[4])
{
    const RenderVertex aCorners[4] = {{10.0f, 20.0f, 0.0f, 0xFF102030, fU0, 0.0f},
                                      {26.0f, 20.0f, 0.0f, 0xFF102030, fU1, 0.0f},
                                      {10.0f, 28.0f, 0.0f, 0xFF102030, fU0, 1.0f},
                                      {26.0f, 28.0f, 0.0f, 0xFF102030, fU1, 1.0f}};
    for (int i = 0; i < 4; ++i)
        aQuad[i] = aCorners[i];
}

TEST(QuadTrimTest, QuadsAreCutToTheShownTexelsAlongBothAxes)
{
    const ShownTexels shown = {2, 1, 6, 4}; // the bottom reaches the edge: not cut there
    RenderVertex aQuad[4];
    RenderVertex aCut[4];
    spriteQuad(0.0f, 1.0f, aQuad);
    ASSERT_EQ(QUAD_TRIMMED, trimQuad(aQuad, shown, 8, 4, aCut));
    const float afX[4] = {14.0f, 22.0f, 14.0f, 22.0f};
    const float afU[4] = {0.25f, 0.75f, 0.25f, 0.75f};
    const float afY[4] = {22.0f, 22.0f, 28.0f, 28.0f};
    const float afV[4] = {0.25f, 0.25f, 1.0f, 1.0f};
    for (int c = 0; c < 4; ++c)
    {
        EXPECT_FLOAT_EQ(afX[c], aCut[c].x) << c;
        EXPECT_FLOAT_EQ(afU[c], aCut[c].u) << c;
        EXPECT_FLOAT_EQ(afY[c], aCut[c].y) << c;
        EXPECT_FLOAT_EQ(afV[c], aCut[c].v) << c;
        EXPECT_EQ(0xFF102030u, aCut[c].nColor);
    }

    // Mirrored: the left corners show the right of the texture.
    spriteQuad(1.0f, 0.0f, aQuad);
    ASSERT_EQ(QUAD_TRIMMED, trimQuad(aQuad, shown, 8, 4, aCut));
    EXPECT_FLOAT_EQ(14.0f, aCut[0].x);
    EXPECT_FLOAT_EQ(0.75f, aCut[0].u);
    EXPECT_FLOAT_EQ(22.0f, aCut[1].x);
    EXPECT_FLOAT_EQ(0.25f, aCut[1].u);
}

TEST(QuadTrimTest, QuadsItCannotCutOrNeedNotCutStayAndHiddenOnesGo)
{
    RenderVertex aQuad[4];
    RenderVertex aCut[4];
    spriteQuad(0.0f, 1.0f, aQuad);
    EXPECT_EQ(QUAD_UNCHANGED, trimQuad(aQuad, ShownTexels{0, 0, 8, 4}, 8, 4, aCut)) << "all shown";
    EXPECT_EQ(QUAD_HIDDEN, trimQuad(aQuad, ShownTexels{0, 0, 0, 0}, 8, 4, aCut)) << "none shown";
    spriteQuad(0.0f, 0.25f, aQuad);
    EXPECT_EQ(QUAD_HIDDEN, trimQuad(aQuad, ShownTexels{3, 0, 8, 4}, 8, 4, aCut))
        << "only transparent columns";
    spriteQuad(0.25f, 0.75f, aQuad);
    EXPECT_EQ(QUAD_UNCHANGED, trimQuad(aQuad, ShownTexels{2, 0, 6, 4}, 8, 4, aCut))
        << "a part inside the shown texels";

    const ShownTexels shown = {2, 1, 6, 3};
    spriteQuad(0.0f, 1.0f, aQuad);
    aQuad[3].nColor = 0xFF000000;
    EXPECT_EQ(QUAD_UNCHANGED, trimQuad(aQuad, shown, 8, 4, aCut)) << "corners of two colours";
    spriteQuad(0.0f, 1.0f, aQuad);
    aQuad[1].v = 0.5f;
    EXPECT_EQ(QUAD_UNCHANGED, trimQuad(aQuad, shown, 8, 4, aCut)) << "not a texture rectangle";
    spriteQuad(0.0f, 1.0f, aQuad);
    aQuad[3].x = 30.0f;
    EXPECT_EQ(QUAD_UNCHANGED, trimQuad(aQuad, shown, 8, 4, aCut)) << "not a rectangle";
}

} // namespace
