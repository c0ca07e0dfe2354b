// Theme: snapping frame sizes and building framed panels (tables of piece sprites).
#include "ui/theme.h"

#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "ui/frameedge.h"
#include "ui/table.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

template <class T> bool notNULL(const RIR::SmartPtr<T>& p)
{
    return p.get() != nullptr;
}

template <class T> bool isNULL(const RIR::SmartPtr<T>& p)
{
    return p.get() == nullptr;
}

// The anchor of a decoration on a framed panel, by part; 0 for the parts whose decorations are
// never shown.
int decorationAnchor(int nPart)
{
    switch (nPart)
    {
    case FP_TOP:
        return 0x0C;
    case FP_BOTTOM:
        return 0x14;
    case FP_LEFT:
        return 0x21;
    case FP_RIGHT:
        return 0x22;
    case FP_UL:
        return 0x09;
    case FP_UR:
        return 0x0A;
    case FP_LL:
        return 0x11;
    case FP_LR:
        return 0x12;
    default:
        return 0;
    }
}

const int DECORATED_PARTS[] = {FP_TOP, FP_BOTTOM, FP_LEFT, FP_RIGHT, FP_UL, FP_UR, FP_LL, FP_LR};

// A piece sprite of a panel table: the picture at the cell's top-left corner.
void addPiece(Table* pTable, RIR::SmartPtr<Image> pImage, bool bVertical)
{
    if (bVertical)
        pTable->newRow();
    else
        pTable->newCell(1);
    pTable->add(RIR::SmartPtr<IVisualObject>(new Sprite(pImage, 0, 0, 0)), 9);
}

// The size of the part along (or across) the edge; 0 for a missing part.
int sizeAlong(const FrameStyle* pStyle, int nPart, bool bVertical)
{
    const RIR::SmartPtr<Image>& pPart = pStyle->lFramePart[nPart];
    return pPart ? pPart->getSizeAlong(bVertical) : 0;
}

// The rules every edge with side pieces obeys.
void checkSides(const FrameStyle* pStyle, const FrameEdgeParts& edge)
{
    const int nLSide = edge.nFirstSide;
    const int nRSide = edge.nSecondSide;
    const int nMid = edge.nMid;
    RIR_ASSERT(isNULL(pStyle->lFramePart[nLSide]) == isNULL(pStyle->lFramePart[nRSide]));
    RIR_ASSERT(pStyle->bFrameFixed[nLSide] == pStyle->bFrameFixed[nRSide]);
    if (pStyle->bFrameFixed[nLSide])
        RIR_ASSERT(pStyle->bFrameFixed[nMid] || isNULL(pStyle->lFramePart[nMid]));
    if (notNULL(pStyle->lFramePart[nLSide]))
    {
        const bool bIsY = edge.bVertical;
        const int lSide1Size[2] = {pStyle->lFramePart[nLSide]->getWidth(),
                                   pStyle->lFramePart[nLSide]->getHeight()};
        const int lSide2Size[2] = {pStyle->lFramePart[nRSide]->getWidth(),
                                   pStyle->lFramePart[nRSide]->getHeight()};
        RIR_ASSERT(lSide1Size[bIsY] == lSide2Size[bIsY]);
    }
}

// Splits the excess of two thicknesses over the space between them: the first loses half of
// it (rounded down), the second the rest; neither goes below 0.
void shareThickness(int nSpace, int* pnFirst, int* pnSecond)
{
    const int nExcess = *pnFirst + *pnSecond - nSpace;
    if (nExcess <= 0)
        return;
    *pnFirst -= nExcess / 2;
    *pnSecond -= nExcess - nExcess / 2;
    if (*pnFirst < 0)
    {
        *pnSecond += *pnFirst;
        *pnFirst = 0;
    }
    if (*pnSecond < 0)
    {
        *pnFirst += *pnSecond;
        *pnSecond = 0;
    }
    if (*pnFirst < 0)
        *pnFirst = 0;
}

} // namespace

Rect Theme::getFrameBorders(const char* pszStyle)
{
    RIR_TRACE("Theme::getFrameBorders");
    return getFrameStyle(pszStyle)->rBorder;
}

bool Theme::hasBorderParts(const char* pszStyle)
{
    return getFrameStyle(pszStyle)->bHasBorderParts;
}

RIR::SmartPtr<Image> Theme::getFrameBack(const char* pszStyle)
{
    return getFrameStyle(pszStyle)->lFramePart[FP_BACK];
}

bool Theme::isBackOnlyFrame(const char* pszStyle)
{
    FrameStyle* pStyle = getFrameStyle(pszStyle);
    return !pStyle->bHasBorderParts && notNULL(pStyle->lFramePart[FP_BACK]);
}

Theme::EdgeSnap Theme::snapFrameEdge(FrameStyle* pStyle, int nEdge, int nWanted)
{
    RIR_TRACE("Theme::snapFrameEdge");
    const FrameEdgeParts& edge = getFrameEdgeParts(nEdge);
    EdgeSnap snap = {nWanted, 0, 0};
    // A frame of back only has no edges: any size is drawable.
    if (!pStyle->bHasBorderParts)
        return snap;

    const int nLCorner = edge.nFirstCorner;
    const int nRCorner = edge.nSecondCorner;
    const int nLSide = edge.nFirstSide;
    const int nRSide = edge.nSecondSide;
    const int nMid = edge.nMid;
    const bool bVertical = edge.bVertical;
    const int nCorners =
        sizeAlong(pStyle, nLCorner, bVertical) + sizeAlong(pStyle, nRCorner, bVertical);
    const bool bFixed =
        pStyle->bFrameFixed[nMid] || pStyle->bFrameFixed[nLSide] || pStyle->bFrameFixed[nRSide];
    const RIR::SmartPtr<Image>& pMid = pStyle->lFramePart[nMid];

    if (!bFixed)
    {
        // Enough whole middle pieces to cover the space, the last one running past it.
        if (notNULL(pMid))
        {
            const int nCount = (nWanted - nCorners) / pMid->getSizeAlong(bVertical) + 1;
            snap.nMidCount = nCount > 0 ? nCount : 0;
        }
        else if (isNULL(pStyle->lFramePart[nLSide]))
        {
            RIR_ASSERT(notNULL(pMid));
        }
        return snap;
    }

    RIR_ASSERT(notNULL(pStyle->lFramePart[nLCorner]));
    RIR_ASSERT(notNULL(pStyle->lFramePart[nRCorner]));
    checkSides(pStyle, edge);
    const bool bHasSides = notNULL(pStyle->lFramePart[nLSide]);
    const int nSide = sizeAlong(pStyle, nLSide, bVertical);
    const int nMidSize = sizeAlong(pStyle, nMid, bVertical);
    // Pieces are never empty (setFramePart refuses them), so every step lengthens the edge.
    snap.nLength = nCorners;
    while (snap.nLength < nWanted)
    {
        if (bHasSides && (snap.nMidCount != 0 || isNULL(pMid)))
        {
            snap.nSideCount += 2;
            snap.nLength += 2 * nSide;
        }
        else
        {
            RIR_ASSERT(notNULL(pMid));
            snap.nMidCount += 1;
            snap.nLength += nMidSize;
        }
    }
    return snap;
}

void Theme::snapFrameSize(int* pnWidth, int* pnHeight, const char* pszStyle)
{
    RIR_TRACE("Theme::snapFrameSize");
    RIR::setTraceParams(pszStyle ? pszStyle : "");
    RIR_ASSERT(pnWidth && pnHeight);
    FrameStyle* pStyle = getFrameStyle(pszStyle);
    const int nTopW = snapFrameEdge(pStyle, FE_TOP, *pnWidth).nLength;
    const int nBotW = snapFrameEdge(pStyle, FE_BOTTOM, *pnWidth).nLength;
    const int nLeftH = snapFrameEdge(pStyle, FE_LEFT, *pnHeight).nLength;
    const int nRightH = snapFrameEdge(pStyle, FE_RIGHT, *pnHeight).nLength;
    RIR_ASSERT(nTopW == nBotW);
    RIR_ASSERT(nLeftH == nRightH);
    *pnWidth = nTopW;
    *pnHeight = nLeftH;
}

RIR::SmartPtr<Table> Theme::buildFrameEdge(GameMode* pMode, int nEdge, int nLength, int nThickness,
                                           FrameStyle* pStyle)
{
    RIR_TRACE("Theme::buildFrameEdge");
    const FrameEdgeParts& edge = getFrameEdgeParts(nEdge);
    const bool bVertical = edge.bVertical;
    RIR::SmartPtr<Table> pTable = new Table(pMode);
    pTable->setZBaseStep(0, 1);
    // The panel's layout offers each edge its cell; an edge keeps the size of its pieces.
    pTable->setFlags(0);
    if (!pStyle->bHasBorderParts)
        return pTable;

    const int nLCorner = edge.nFirstCorner;
    const int nRCorner = edge.nSecondCorner;
    const int nLSide = edge.nFirstSide;
    const int nRSide = edge.nSecondSide;
    const int nMid = edge.nMid;
    if (!bVertical)
    {
        RIR_ASSERT(notNULL(pStyle->lFramePart[nLCorner]));
        RIR_TRACE_LINE();
        addPiece(pTable.get(),
                 cropToThickness(pStyle->lFramePart[nLCorner], nThickness, false, edge.bOuterFirst),
                 false);
    }
    checkSides(pStyle, edge);

    // The length between the corners; a length below the corners leaves nothing to fill.
    int nRemaining =
        nLength - sizeAlong(pStyle, nLCorner, bVertical) - sizeAlong(pStyle, nRCorner, bVertical);
    if (nRemaining < 0)
        nRemaining = 0;

    if (isNULL(pStyle->lFramePart[nLSide]))
    {
        RIR::SmartPtr<Image> pMid = pStyle->lFramePart[nMid];
        RIR_ASSERT(notNULL(pMid));
        pMid = cropToThickness(pMid, nThickness, bVertical, edge.bOuterFirst);
        const int nMidSize = pMid->getSizeAlong(bVertical);
        RIR_TRACE_LINE();
        for (int i = 0; i < nRemaining / nMidSize; ++i)
            addPiece(pTable.get(), pMid, bVertical);
        if (nRemaining % nMidSize != 0)
            addPiece(pTable.get(), cutAlong(pMid, 0, nRemaining % nMidSize, bVertical), bVertical);
    }
    else
    {
        // Side and middle pieces keep their full size across the edge: only corners are cut.
        const RIR::SmartPtr<Image>& pFirstSide = pStyle->lFramePart[nLSide];
        const RIR::SmartPtr<Image>& pSecondSide = pStyle->lFramePart[nRSide];
        const RIR::SmartPtr<Image>& pMid = pStyle->lFramePart[nMid];
        // A middle piece that does not fit is left out, so that the edge keeps its length: an
        // edge of fixed pieces snapped to its corners alone has no middle either.
        const bool bWithMid = notNULL(pMid) && pMid->getSizeAlong(bVertical) <= nRemaining;
        if (bWithMid)
            nRemaining -= pMid->getSizeAlong(bVertical);
        const int nSide = pFirstSide->getSizeAlong(bVertical);
        const int nFirstHalf = nRemaining / 2;
        const int nSecondHalf = nRemaining - nFirstHalf;
        RIR_TRACE_LINE();
        if (nFirstHalf % nSide != 0)
            addPiece(
                pTable.get(),
                cutAlong(pFirstSide, nSide - nFirstHalf % nSide, nFirstHalf % nSide, bVertical),
                bVertical);
        for (int i = 0; i < nFirstHalf / nSide; ++i)
            addPiece(pTable.get(), pFirstSide, bVertical);
        if (bWithMid)
            addPiece(pTable.get(), pMid, bVertical);
        for (int i = 0; i < nSecondHalf / nSide; ++i)
            addPiece(pTable.get(), pSecondSide, bVertical);
        if (nSecondHalf % nSide != 0)
            addPiece(pTable.get(), cutAlong(pSecondSide, 0, nSecondHalf % nSide, bVertical),
                     bVertical);
    }

    if (!bVertical)
    {
        RIR_ASSERT(notNULL(pStyle->lFramePart[nRCorner]));
        RIR_TRACE_LINE();
        addPiece(pTable.get(),
                 cropToThickness(pStyle->lFramePart[nRCorner], nThickness, false, edge.bOuterFirst),
                 false);
    }
    return pTable;
}

Decoration* Theme::chooseDecoration(FrameStyle* pStyle, int nPart, int nWidth, int nHeight)
{
    RIR_TRACE("Theme::chooseDecoration");
    const RIR::List<Decoration*>& lDecorations = pStyle->lDecorations[nPart];
    const int nCount = lDecorations.getLength();
    if (nCount == 0)
        return nullptr;
    const int nStart = m_random.range(0, nCount - 1);
    for (int i = 0; i < nCount; ++i)
    {
        Decoration* pDecoration = lDecorations.get((nStart + i) % nCount);
        Image* pImage = pDecoration->pImage.get();
        if (!pImage)
            continue;
        if (pDecoration->bIgnoreSize ||
            (pImage->getWidth() <= nWidth && pImage->getHeight() <= nHeight))
            return pDecoration;
    }
    return nullptr;
}

RIR::SmartPtr<Table> Theme::buildFrameTable(GameMode* pMode, int nWidth, int nHeight,
                                            const char* pszStyle)
{
    RIR_TRACE("Theme::buildFrameTable");
    RIR::setTraceParams(pszStyle ? pszStyle : "");
    RIR_ASSERT(pMode);
    snapFrameSize(&nWidth, &nHeight, pszStyle);
    FrameStyle* pStyle = getFrameStyle(pszStyle);

    RIR::SmartPtr<Table> pOuter = new Table(pMode);
    pOuter->setZBaseStep(0, 1);

    // Thicknesses of the edges; when two opposite edges do not fit, they share the excess.
    int nTop = pStyle->lFramePart[FP_TOP] ? pStyle->lFramePart[FP_TOP]->getHeight() : 0;
    int nBottom = pStyle->lFramePart[FP_BOTTOM] ? pStyle->lFramePart[FP_BOTTOM]->getHeight() : 0;
    int nLeft = pStyle->lFramePart[FP_LEFT] ? pStyle->lFramePart[FP_LEFT]->getWidth() : 0;
    int nRight = pStyle->lFramePart[FP_RIGHT] ? pStyle->lFramePart[FP_RIGHT]->getWidth() : 0;
    shareThickness(nHeight, &nTop, &nBottom);
    shareThickness(nWidth, &nLeft, &nRight);

    RIR_TRACE_LINE();
    RIR::SmartPtr<Table> pTopEdge = buildFrameEdge(pMode, FE_TOP, nWidth, nTop, pStyle);
    RIR::SmartPtr<Table> pBottomEdge = buildFrameEdge(pMode, FE_BOTTOM, nWidth, nBottom, pStyle);
    // The vertical edges fill the space between the top and bottom edges. Corners taller than
    // their edge are cut to it there, so the space is measured on the edges as built: measured
    // on the corners it would leave a gap (or an overlap, with corners lower than the edge).
    const int nBetween = nHeight - pTopEdge->getHeight() - pBottomEdge->getHeight();
    const int nLeftLength =
        nBetween + sizeAlong(pStyle, FP_UL, true) + sizeAlong(pStyle, FP_LL, true);
    const int nRightLength =
        nBetween + sizeAlong(pStyle, FP_UR, true) + sizeAlong(pStyle, FP_LR, true);
    RIR::SmartPtr<Table> pLeftEdge = buildFrameEdge(pMode, FE_LEFT, nLeftLength, nLeft, pStyle);
    RIR::SmartPtr<Table> pRightEdge = buildFrameEdge(pMode, FE_RIGHT, nRightLength, nRight, pStyle);

    // The space between the edges; vertical edges with side pieces keep their full width, so it
    // may come out below 0.
    int nMidW = nWidth - pLeftEdge->getWidth() - pRightEdge->getWidth();
    int nMidH = nHeight - pTopEdge->getHeight() - pBottomEdge->getHeight();
    if (nMidW < 0)
        nMidW = 0;
    if (nMidH < 0)
        nMidH = 0;

    // The back, tiled from the top-left corner; the last column and the last row are cut.
    RIR::SmartPtr<Table> pMiddle = new Table(pMode);
    pMiddle->setZBaseStep(0, 1);
    pMiddle->setFlags(0);
    RIR::SmartPtr<Image> pBack = pStyle->lFramePart[FP_BACK];
    RIR_ASSERT(notNULL(pBack));
    const int nBackW = pBack->getWidth();
    const int nBackH = pBack->getHeight();
    RIR_TRACE_LINE();
    RIR::SmartPtr<Image> pRightCut = pBack->createSubImage(0, 0, nMidW % nBackW, nBackH, false);
    RIR::SmartPtr<Image> pBottomCut = pBack->createSubImage(0, 0, nBackW, nMidH % nBackH, false);
    RIR::SmartPtr<Image> pCornerCut =
        pBack->createSubImage(0, 0, nMidW % nBackW, nMidH % nBackH, false);
    auto tileRow = [&](const RIR::SmartPtr<Image>& pWhole, const RIR::SmartPtr<Image>& pCut)
    {
        int nLeftW = nMidW;
        while (nLeftW >= nBackW)
        {
            nLeftW -= nBackW;
            pMiddle->add(RIR::SmartPtr<IVisualObject>(new Sprite(pWhole, 0, 0, 0)), 9);
            pMiddle->newCell(1);
        }
        if (nLeftW > 0)
            pMiddle->add(RIR::SmartPtr<IVisualObject>(new Sprite(pCut, 0, 0, 0)), 9);
        pMiddle->newRow();
    };
    int nLeftH = nMidH;
    while (nLeftH >= nBackH)
    {
        nLeftH -= nBackH;
        tileRow(pBack, pRightCut);
    }
    tileRow(pBottomCut, pCornerCut);

    RIR_TRACE_LINE();
    pOuter->newCell(3);
    pOuter->add(pTopEdge.get(), 9);
    pOuter->newRow();
    pOuter->add(pLeftEdge.get(), 9);
    pOuter->newCell(1);
    pOuter->add(pMiddle.get(), 9);
    pOuter->newCell(1);
    pOuter->add(pRightEdge.get(), 9);
    pOuter->newRow();
    pOuter->newCell(3);
    pOuter->add(pBottomEdge.get(), 9);

    for (int nPart : DECORATED_PARTS)
    {
        Decoration* pDecoration = chooseDecoration(pStyle, nPart, nWidth, nHeight);
        if (!pDecoration)
            continue;
        RIR_TRACE_LINE();
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pDecoration->pImage, 0, 0, 0);
        pMode->addSprite(pSprite);
        pOuter->attachSprite(pSprite, decorationAnchor(nPart), 1);
    }
    return pOuter;
}
