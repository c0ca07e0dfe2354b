// D3D7VideoDriver: the render states a sprite can change, and clearing the picture.
#include "platform/d3d7/d3d7videodriver.h"

#include "rir2/calltrace.h"

// The cached blend mode, state bits and stencil flag become device states:
//   - the stencil test runs while a sprite writes the stencil or is masked by it;
//   - state bit 4 clears the stencil first;
//   - with state bit 1 the colour is blended: blend mode 0 by the sprite's alpha, 1 added to the
//     picture (other blend modes keep the factors set before); without it the factors ZERO and
//     ONE leave the picture unchanged;
//   - state bit 2: every drawn pixel whose alpha is above 0 writes 1 into the stencil (the alpha
//     test drops the others), and the next frame starts with a cleared stencil;
//   - otherwise, when masked, pixels are drawn only where the stencil holds 1.
void D3D7VideoDriver::applyRenderStates()
{
    RIR_TRACE("D3D7VideoDriver::applyRenderStates");
    RenderDevice* pDevice = getDevice();
    if (!areStatesDirty() || !pDevice)
        return;
    setStatesDirty(false);
    const int nBits = getStateBits();
    const int nBlend = getBlendMode();
    const bool bMasked = isStencilMasked();

    checkResult(pDevice->setRenderState(RS_STENCIL_TEST,
                                        (nBits & STATE_WRITE_STENCIL) != 0 || bMasked ? 1 : 0));
    if (nBits & STATE_CLEAR_STENCIL)
        checkResult(pDevice->clear(RenderDevice::CLEAR_STENCIL, 0, 0.0f, 0));
    if (nBits & STATE_COLOR)
    {
        if (nBlend == BLEND_ALPHA)
        {
            checkResult(pDevice->setRenderState(RS_BLEND_SRC, BF_SRC_ALPHA));
            checkResult(pDevice->setRenderState(RS_BLEND_DEST, BF_INV_SRC_ALPHA));
        }
        else if (nBlend == BLEND_ADDITIVE)
        {
            checkResult(pDevice->setRenderState(RS_BLEND_SRC, BF_SRC_ALPHA));
            checkResult(pDevice->setRenderState(RS_BLEND_DEST, BF_ONE));
        }
    }
    else
    {
        checkResult(pDevice->setRenderState(RS_BLEND_SRC, BF_ZERO));
        checkResult(pDevice->setRenderState(RS_BLEND_DEST, BF_ONE));
    }
    checkResult(pDevice->setRenderState(RS_ALPHA_TEST, 0));
    if (nBits & STATE_WRITE_STENCIL)
    {
        setStencilUsed(true);
        checkResult(pDevice->setRenderState(RS_STENCIL_READ_MASK, 1));
        checkResult(pDevice->setRenderState(RS_STENCIL_REF, 1));
        checkResult(pDevice->setRenderState(RS_STENCIL_FUNC, CMP_ALWAYS));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_FAIL, SOP_REPLACE));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_DEPTH_FAIL, SOP_REPLACE));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_PASS, SOP_REPLACE));
        checkResult(pDevice->setRenderState(RS_ALPHA_TEST, 1));
        checkResult(pDevice->setRenderState(RS_ALPHA_TEST_REF, 0));
        checkResult(pDevice->setRenderState(RS_ALPHA_TEST_FUNC, CMP_GREATER));
    }
    else if (bMasked)
    {
        checkResult(pDevice->setRenderState(RS_STENCIL_READ_MASK, 1));
        checkResult(pDevice->setRenderState(RS_STENCIL_REF, 1));
        checkResult(pDevice->setRenderState(RS_STENCIL_FUNC, CMP_EQUAL));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_FAIL, SOP_KEEP));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_DEPTH_FAIL, SOP_KEEP));
        checkResult(pDevice->setRenderState(RS_STENCIL_OP_PASS, SOP_KEEP));
    }
}

// The colour is always cleared; the stencil only where the mode has a stencil buffer (the game
// asks for none), so that a clear never fails for want of one.
void D3D7VideoDriver::clear(Color color)
{
    RIR_TRACE("D3D7VideoDriver::clear");
    RenderDevice* pDevice = getDevice();
    if (!pDevice)
        return;
    uint32_t nFlags = RenderDevice::CLEAR_COLOR;
    if (pDevice->hasStencilBuffer())
        nFlags |= RenderDevice::CLEAR_STENCIL;
    const uint32_t nColor =
        ((uint32_t)color.r << 16) | ((uint32_t)color.g << 8) | (uint32_t)color.b;
    checkResult(pDevice->clear(nFlags, nColor, 0.0f, 0));
}

void D3D7VideoDriver::fillScreen(Color color)
{
    RIR_TRACE("D3D7VideoDriver::fillScreen");
    clear(color);
}
