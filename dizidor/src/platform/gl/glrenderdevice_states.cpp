// GLRenderDevice: sending the render states and the texture stage to OpenGL.
#include "platform/gl/glrenderdevice.h"

#include "platform/gl/glrendertexture.h"

#include "rir2/calltrace.h"

#include <GL/gl.h>

namespace
{

GLenum blendFactor(uint32_t nFactor)
{
    switch (nFactor)
    {
    case BF_ZERO:
        return GL_ZERO;
    case BF_SRC_COLOR:
        return GL_SRC_COLOR;
    case BF_INV_SRC_COLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case BF_SRC_ALPHA:
        return GL_SRC_ALPHA;
    case BF_INV_SRC_ALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case BF_DEST_COLOR:
        return GL_DST_COLOR;
    case BF_INV_DEST_COLOR:
        return GL_ONE_MINUS_DST_COLOR;
    default:
        return GL_ONE;
    }
}

GLenum compareFunc(uint32_t nFunc)
{
    switch (nFunc)
    {
    case CMP_NEVER:
        return GL_NEVER;
    case CMP_LESS:
        return GL_LESS;
    case CMP_EQUAL:
        return GL_EQUAL;
    case CMP_LESS_EQUAL:
        return GL_LEQUAL;
    case CMP_GREATER:
        return GL_GREATER;
    case CMP_NOT_EQUAL:
        return GL_NOTEQUAL;
    case CMP_GREATER_EQUAL:
        return GL_GEQUAL;
    default:
        return GL_ALWAYS;
    }
}

GLenum stencilOp(uint32_t nOp)
{
    switch (nOp)
    {
    case SOP_ZERO:
        return GL_ZERO;
    case SOP_REPLACE:
        return GL_REPLACE;
    case SOP_INCR_CLAMP:
        return GL_INCR;
    case SOP_DECR_CLAMP:
        return GL_DECR;
    case SOP_INVERT:
        return GL_INVERT;
    default:
        return GL_KEEP;
    }
}

void enableIf(GLenum nCap, bool bOn)
{
    if (bOn)
        glEnable(nCap);
    else
        glDisable(nCap);
}

GLenum combinerSource(uint32_t nArg)
{
    switch (nArg)
    {
    case TEXARG_TEXTURE:
        return GL_TEXTURE;
    case TEXARG_CURRENT:
        // The input of the only stage is the vertex colour.
        return GL_PREVIOUS;
    default:
        return GL_PRIMARY_COLOR;
    }
}

// One half (colour or alpha) of the texture combiner.
void setCombiner(bool bAlpha, uint32_t nOp, uint32_t nArg1, uint32_t nArg2)
{
    const GLenum nCombine = bAlpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB;
    const GLenum nSource0 = bAlpha ? GL_SOURCE0_ALPHA : GL_SOURCE0_RGB;
    const GLenum nSource1 = bAlpha ? GL_SOURCE1_ALPHA : GL_SOURCE1_RGB;
    const GLenum nOperand = bAlpha ? GL_SRC_ALPHA : GL_SRC_COLOR;
    glTexEnvi(GL_TEXTURE_ENV, bAlpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, nOperand);
    glTexEnvi(GL_TEXTURE_ENV, bAlpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB, nOperand);
    switch (nOp)
    {
    case TEXOP_MODULATE:
        glTexEnvi(GL_TEXTURE_ENV, nCombine, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, nSource0, combinerSource(nArg1));
        glTexEnvi(GL_TEXTURE_ENV, nSource1, combinerSource(nArg2));
        break;
    case TEXOP_SELECT_ARG1:
        glTexEnvi(GL_TEXTURE_ENV, nCombine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, nSource0, combinerSource(nArg1));
        break;
    case TEXOP_SELECT_ARG2:
        glTexEnvi(GL_TEXTURE_ENV, nCombine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, nSource0, combinerSource(nArg2));
        break;
    default:
        // Disabled: the stage's input passes.
        glTexEnvi(GL_TEXTURE_ENV, nCombine, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, nSource0, GL_PRIMARY_COLOR);
        break;
    }
}

} // namespace

void GLRenderDevice::applyRenderStates()
{
    RIR_TRACE("GLRenderDevice::applyRenderStates");
    m_bRenderStatesDirty = false;
    const uint32_t* anState = getState().anRenderState;

    const bool bDepthTest = anState[RS_DEPTH_TEST] != 0 && hasDepthBuffer();
    enableIf(GL_DEPTH_TEST, bDepthTest);
    glDepthFunc(GL_LEQUAL);

    // Front faces run counter-clockwise on the screen; OpenGL's window y grows upward like the
    // screen seen, so its winding is the screen's.
    enableIf(GL_CULL_FACE, anState[RS_CULL] != CULL_NONE);
    glFrontFace(GL_CCW);
    glCullFace(anState[RS_CULL] == CULL_COUNTER_CLOCKWISE ? GL_FRONT : GL_BACK);

    enableIf(GL_LIGHTING, anState[RS_LIGHTING] != 0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT,
           anState[RS_PERSPECTIVE_TEXTURES] ? GL_NICEST : GL_FASTEST);

    enableIf(GL_BLEND, anState[RS_BLEND] != 0);
    glBlendFunc(blendFactor(anState[RS_BLEND_SRC]), blendFactor(anState[RS_BLEND_DEST]));

    enableIf(GL_ALPHA_TEST, anState[RS_ALPHA_TEST] != 0);
    glAlphaFunc(compareFunc(anState[RS_ALPHA_TEST_FUNC]),
                (float)anState[RS_ALPHA_TEST_REF] / 255.0f);

    enableIf(GL_STENCIL_TEST, anState[RS_STENCIL_TEST] != 0 && hasStencilBuffer());
    const uint32_t nRef = anState[RS_STENCIL_REF];
    glStencilFunc(compareFunc(anState[RS_STENCIL_FUNC]),
                  (GLint)(nRef > 0x7FFFFFFFu ? 0x7FFFFFFFu : nRef), anState[RS_STENCIL_READ_MASK]);
    glStencilOp(stencilOp(anState[RS_STENCIL_OP_FAIL]),
                stencilOp(anState[RS_STENCIL_OP_DEPTH_FAIL]),
                stencilOp(anState[RS_STENCIL_OP_PASS]));
}

void GLRenderDevice::applyStage()
{
    RIR_TRACE("GLRenderDevice::applyStage");
    m_bStageDirty = false;
    const uint32_t* anStage = getState().anStageState;
    GLRenderTexture* pTexture = static_cast<GLRenderTexture*>(getTexture());
    const bool bTexturing =
        pTexture && pTexture->getName() != 0 && anStage[TS_COLOR_OP] != TEXOP_DISABLE;
    if (bTexturing != m_bTexturing)
    {
        // Without texturing, fragments take the vertex colour.
        enableIf(GL_TEXTURE_2D, bTexturing);
        m_bTexturing = bTexturing;
    }
    if (!bTexturing)
        return;
    bindTexture(pTexture->getName());
    if (m_bCombinerDirty)
    {
        setCombiner(false, anStage[TS_COLOR_OP], anStage[TS_COLOR_ARG1], anStage[TS_COLOR_ARG2]);
        setCombiner(true, anStage[TS_ALPHA_OP], anStage[TS_ALPHA_ARG1], anStage[TS_ALPHA_ARG2]);
        m_bCombinerDirty = false;
    }

    // Filtering and addressing belong to the texture object in OpenGL: bring the one drawn with
    // in step with the stage.
    static const GLenum s_anParameter[4] = {GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER,
                                            GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T};
    for (int i = 0; i < 4; ++i)
    {
        const uint32_t nValue = anStage[TS_MAG_FILTER + i];
        if (pTexture->getApplied(i) == nValue)
            continue;
        GLint nParam;
        if (i < 2)
            nParam = nValue == TEXFILTER_NEAREST ? GL_NEAREST : GL_LINEAR;
        else
            nParam = nValue == TEXADDR_WRAP ? GL_REPEAT : GL_CLAMP_TO_EDGE;
        glTexParameteri(GL_TEXTURE_2D, s_anParameter[i], nParam);
        pTexture->setApplied(i, nValue);
    }
}
