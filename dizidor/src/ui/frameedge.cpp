#include "ui/frameedge.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

const FrameEdgeParts EDGES[FE_COUNT] = {
    {false, FP_UL, FP_TL, FP_TOP, FP_TR, FP_UR, true},
    {false, FP_LL, FP_BL, FP_BOTTOM, FP_BR, FP_LR, false},
    {true, FP_UL, FP_LT, FP_LEFT, FP_LB, FP_LL, true},
    {true, FP_UR, FP_RT, FP_RIGHT, FP_RB, FP_LR, false},
};

} // namespace

const FrameEdgeParts& getFrameEdgeParts(int nEdge)
{
    RIR_ASSERT(nEdge >= 0 && nEdge < FE_COUNT);
    return EDGES[nEdge];
}

RIR::SmartPtr<Image> cropToThickness(RIR::SmartPtr<Image> pPiece, int nThickness, bool bVertical,
                                     bool bOuterFirst)
{
    RIR_TRACE("cropToThickness");
    RIR_ASSERT(pPiece);
    if (nThickness < 0)
        nThickness = 0;
    const int nAcross = pPiece->getSizeAlong(!bVertical);
    if (nAcross <= nThickness)
        return pPiece;
    const int nStart = bOuterFirst ? 0 : nAcross - nThickness;
    RIR_TRACE_LINE();
    if (bVertical)
        return pPiece->createSubImage(nStart, 0, nThickness, pPiece->getHeight(), false);
    return pPiece->createSubImage(0, nStart, pPiece->getWidth(), nThickness, false);
}

RIR::SmartPtr<Image> cutAlong(RIR::SmartPtr<Image> pPiece, int nFrom, int nLength, bool bVertical)
{
    RIR_TRACE("cutAlong");
    RIR_ASSERT(pPiece);
    if (bVertical)
        return pPiece->createSubImage(0, nFrom, pPiece->getWidth(), nLength, false);
    return pPiece->createSubImage(nFrom, 0, nLength, pPiece->getHeight(), false);
}
