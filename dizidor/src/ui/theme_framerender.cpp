// Theme: a frame drawn into one picture, with random piece variants and the image cache.
#include "ui/theme.h"

#include "app/gameapp.h"
#include "ui/frameedge.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

namespace
{

template <class T> bool notNULL(const RIR::SmartPtr<T>& p)
{
    return p.get() != nullptr;
}

// Pictures with alpha are copied as they are, alpha included; others are blitted. The picture's
// top-left corner goes to (nX, nY), whatever its insertion point.
void drawPiece(Image* pTarget, Image* pPiece, int nX, int nY)
{
    nX += pPiece->getInsPointX();
    nY += pPiece->getInsPointY();
    if (pPiece->hasAlpha())
        pTarget->copyImage(pPiece, nX, nY);
    else
        pTarget->blit(pPiece, nX, nY);
}

// Copied as they are, alpha included, top-left corner at (nX, nY).
void copyPiece(Image* pTarget, Image* pPiece, int nX, int nY)
{
    pTarget->copyImage(pPiece, nX + pPiece->getInsPointX(), nY + pPiece->getInsPointY());
}

} // namespace

RIR::SmartPtr<Image> Theme::createFrameBackground(int nWidth, int nHeight, FrameStyle* pStyle)
{
    RIR_TRACE("Theme::createFrameBackground");
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    RIR::SmartPtr<Image> pImage = pApp->createImage(nWidth, nHeight, pStyle->bHasAlpha);
    RIR::SmartPtr<Image> pBack = pStyle->lFramePart[FP_BACK];
    RIR_ASSERT(notNULL(pBack));
    const int nBackW = pBack->getWidth();
    const int nBackH = pBack->getHeight();
    RIR_TRACE_LINE();
    for (int y = 0; y < nHeight; y += nBackH)
        for (int x = 0; x < nWidth; x += nBackW)
            drawPiece(pImage.get(), pBack.get(), x, y);
    return pImage;
}

void Theme::drawFrameEdge(FrameStyle* pStyle, int nEdge, Image* pTarget, const EdgeSnap& snap,
                          int nFixed)
{
    RIR_TRACE("Theme::drawFrameEdge");
    const FrameEdgeParts& edge = getFrameEdgeParts(nEdge);
    const RIR::SmartPtr<Image>& pFirstCorner = pStyle->lFramePart[edge.nFirstCorner];
    int nPos = pFirstCorner ? pFirstCorner->getSizeAlong(edge.bVertical) : 0;
    auto run = [&](int nPart, int nCount)
    {
        const RIR::List<RIR::SmartPtr<Image>>& lVariants = pStyle->lPartImages[nPart];
        for (int i = 0; i < nCount && !lVariants.isEmpty(); ++i)
        {
            RIR::SmartPtr<Image> pPiece = RIR::randomElement(lVariants);
            if (edge.bVertical)
                drawPiece(pTarget, pPiece.get(), nFixed, nPos);
            else
                drawPiece(pTarget, pPiece.get(), nPos, nFixed);
            nPos += pPiece->getSizeAlong(edge.bVertical);
        }
    };
    run(edge.nFirstSide, snap.nSideCount / 2);
    run(edge.nMid, snap.nMidCount);
    run(edge.nSecondSide, snap.nSideCount / 2);
}

RIR::SmartPtr<Image> Theme::renderFrame(int nWidth, int nHeight, const char* pszStyle)
{
    RIR_TRACE("Theme::renderFrame");
    const RIR::String sStyle(pszStyle ? pszStyle : "");
    RIR::setTraceParams(sStyle.c_str());
    FrameStyle* pStyle = getFrameStyle(pszStyle);
    const EdgeSnap top = snapFrameEdge(pStyle, FE_TOP, nWidth);
    const EdgeSnap bottom = snapFrameEdge(pStyle, FE_BOTTOM, nWidth);
    const EdgeSnap left = snapFrameEdge(pStyle, FE_LEFT, nHeight);
    const EdgeSnap right = snapFrameEdge(pStyle, FE_RIGHT, nHeight);
    const int nTopW = top.nLength;
    const int nBotW = bottom.nLength;
    const int nLeftH = left.nLength;
    const int nRightH = right.nLength;
    RIR_ASSERT(nTopW == nBotW);
    RIR_ASSERT(nLeftH == nRightH);
    const int nW = nTopW;
    const int nH = nLeftH;

    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    const RIR::String sKey = RIR::String::format("Frm::%s::%dx%d", sStyle.c_str(), nW, nH);
    if (m_bCacheFrames && pApp->isImageCached(sKey.c_str()))
        return pApp->getImage(sKey.c_str());

    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pImage = createFrameBackground(nW, nH, pStyle);
    if (pStyle->bHasBorderParts)
    {
        const RIR::SmartPtr<Image>* pParts = pStyle->lFramePart;
        RIR_ASSERT(notNULL(pParts[FP_UL]) && notNULL(pParts[FP_UR]) && notNULL(pParts[FP_LL]) &&
                   notNULL(pParts[FP_LR]));
        // The right column and the bottom row are placed by the ur and ll corners.
        const int nRightX = nW - pParts[FP_UR]->getWidth();
        const int nBottomY = nH - pParts[FP_LL]->getHeight();
        RIR_TRACE_LINE();
        drawFrameEdge(pStyle, FE_TOP, pImage.get(), top, 0);
        drawFrameEdge(pStyle, FE_BOTTOM, pImage.get(), bottom, nBottomY);
        drawFrameEdge(pStyle, FE_LEFT, pImage.get(), left, 0);
        drawFrameEdge(pStyle, FE_RIGHT, pImage.get(), right, nRightX);

        copyPiece(pImage.get(), pParts[FP_UL].get(), 0, 0);
        copyPiece(pImage.get(), pParts[FP_UR].get(), nRightX, 0);
        copyPiece(pImage.get(), pParts[FP_LL].get(), 0, nBottomY);
        copyPiece(pImage.get(), pParts[FP_LR].get(), nRightX, nBottomY);

        for (int nPart : {FP_UL, FP_UR, FP_LL, FP_LR})
        {
            Decoration* pDecoration = chooseDecoration(pStyle, nPart, nW, nH);
            if (!pDecoration)
                continue;
            Image* pDeco = pDecoration->pImage.get();
            const bool bRight = nPart == FP_UR || nPart == FP_LR;
            const bool bBottom = nPart == FP_LL || nPart == FP_LR;
            RIR_TRACE_LINE();
            // The decoration fills its corner of the picture, whatever its insertion point
            // (which places it on a framed panel).
            pImage->blit(pDeco, (bRight ? nW - pDeco->getWidth() : 0) + pDeco->getInsPointX(),
                         (bBottom ? nH - pDeco->getHeight() : 0) + pDeco->getInsPointY());
        }
    }
    if (m_bCacheFrames)
        pApp->addImage(sKey.c_str(), pImage, false);
    return pImage;
}
