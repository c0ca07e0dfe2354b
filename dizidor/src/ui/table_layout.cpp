// Table: the layout pass (column widths, row heights, cell sizes, the table's size), the
// arrangement pass (position and z order of every layer object) and the debug rectangles. The
// frame panel and the attached sprites are placed in table_frame.cpp.
#include "ui/table.h"

#include "app/gamemode.h"
#include "gfx/color.h"
#include "ui/framepanelbuilder.h"
#include "ui/tableconstraint.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

// How deep layouts and arrangements are nested now; -1 outside any.
int s_nLayoutLevel = -1;

// Raises the nesting level for the duration of one pass.
class LayoutLevel
{
public:
    LayoutLevel() { ++s_nLayoutLevel; }
    ~LayoutLevel() { --s_nLayoutLevel; }
    LayoutLevel(const LayoutLevel&) = delete;
    LayoutLevel& operator=(const LayoutLevel&) = delete;
};

// The table behind an object when it is one whose frame is on, else null.
Table* framedTable(IVisualObject* pObject)
{
    Table* pTable = dynamic_cast<Table*>(pObject);
    return pTable && pTable->isFrameEnabled() ? pTable : nullptr;
}

Rect frameBorders(Table* pTable)
{
    RIR_TRACE("frameBorders");
    return pTable->getFrameBuilder()->getFrameBorders(pTable->getFrameSpec().c_str());
}

} // namespace

const RIR::String& Table::getLayoutIndent()
{
    static RIR::String s_sIndent;
    const int nLevel = s_nLayoutLevel < 0 ? 0 : s_nLayoutLevel;
    if (s_sIndent.length() != 4 * nLevel)
    {
        s_sIndent = "";
        for (int i = 0; i < nLevel; ++i)
            s_sIndent += "    ";
    }
    return s_sIndent;
}

// ---- frame-aware helpers ---------------------------------------------------------------------

void Table::measureFramed(IVisualObject* pObject, int* pnWidth, int* pnHeight)
{
    RIR_TRACE("Table::measureFramed");
    int nWidth = 0;
    int nHeight = 0;
    pObject->getSize(&nWidth, &nHeight);
    if (Table* pTable = framedTable(pObject))
    {
        RIR_TRACE_LINE();
        const Rect b = frameBorders(pTable);
        nWidth += b.left + b.right;
        nHeight += b.top + b.bottom;
    }
    *pnWidth = nWidth;
    *pnHeight = nHeight;
}

void Table::sizeFramed(IVisualObject* pObject, int nWidth, int nHeight)
{
    RIR_TRACE("Table::sizeFramed");
    if (Table* pTable = framedTable(pObject))
    {
        RIR_TRACE_LINE();
        const Rect b = frameBorders(pTable);
        nWidth -= b.left + b.right;
        nHeight -= b.top + b.bottom;
    }
    RIR_TRACE_LINE();
    pObject->setSize(nWidth, nHeight);
}

void Table::positionFramed(IVisualObject* pObject, int nX, int nY)
{
    RIR_TRACE("Table::positionFramed");
    if (Table* pTable = framedTable(pObject))
    {
        RIR_TRACE_LINE();
        const Rect b = frameBorders(pTable);
        nX += b.left;
        nY += b.top;
    }
    RIR_TRACE_LINE();
    pObject->setPos(nX, nY);
}

// ---- layout ----------------------------------------------------------------------------------

void Table::layout()
{
    RIR_TRACE("Table::layout");
    LayoutLevel level;
    m_nWidth = 0;
    m_nHeight = 0;

    std::vector<int> colWidths;
    std::vector<bool> colFlexible;
    std::vector<int> rowHeights;
    RIR::List<RIR::SmartPtr<Constraint>> lConstraints;

    // Measure: the widest and tallest layer of each cell; single cells widen their column,
    // spanning cells become constraints.
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        int nRowHeight = 0;
        int c = 0;
        for (int i = 0; i < pRow->getLength(); ++i)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(i);
            int nCellW = 0;
            int nCellH = 0;
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<IVisualObject> pObject = pCell->m_lLayers.get(l)->m_pObject;
                if (!pObject)
                    continue;
                int nW = 0;
                int nH = 0;
                RIR_TRACE_LINE();
                measureFramed(pObject.get(), &nW, &nH);
                if (nW > nCellW)
                    nCellW = nW;
                if (nH > nCellH)
                    nCellH = nH;
            }
            if (nCellH > nRowHeight)
                nRowHeight = nCellH;
            const int nSpan = pCell->m_nSpan < 1 ? 1 : pCell->m_nSpan;
            while ((int)colWidths.size() < c + nSpan)
            {
                colWidths.push_back(0);
                colFlexible.push_back(false);
            }
            if (!(pCell->m_nFlags & CF_FIXED_WIDTH))
            {
                for (int k = c; k < c + nSpan; ++k)
                    colFlexible[k] = true;
            }
            if (nSpan == 1)
            {
                if (nCellW > colWidths[c])
                    colWidths[c] = nCellW;
            }
            else
            {
                lConstraints.append(new Constraint(c, c + nSpan - 1, nCellW));
            }
            c += nSpan;
        }
        rowHeights.push_back(nRowHeight);
    }

    // Constraints, in the order made: each widens its columns to its width. Columns without a
    // width share it alone (the others keep theirs); otherwise the width is shared in proportion,
    // the last column taking what the truncated shares leave.
    for (int i = 0; i < lConstraints.getLength(); ++i)
    {
        RIR::SmartPtr<Constraint> pCon = lConstraints.get(i);
        int nSum = 0;
        int nZeros = 0;
        int nLastZero = -1;
        for (int k = pCon->m_nFirst; k <= pCon->m_nLast; ++k)
        {
            nSum += colWidths[k];
            if (colWidths[k] == 0)
            {
                ++nZeros;
                nLastZero = k;
            }
        }
        if (pCon->m_nWidth <= nSum)
            continue;
        if (nZeros > 0)
        {
            const int nShare = pCon->m_nWidth / nZeros;
            for (int k = pCon->m_nFirst; k <= pCon->m_nLast; ++k)
            {
                if (colWidths[k] == 0)
                    colWidths[k] = nShare;
            }
            colWidths[nLastZero] += pCon->m_nWidth - nZeros * nShare;
        }
        else
        {
            int nGiven = 0;
            for (int k = pCon->m_nFirst; k <= pCon->m_nLast; ++k)
            {
                colWidths[k] = (int)((int64_t)pCon->m_nWidth * colWidths[k] / nSum);
                nGiven += colWidths[k];
            }
            colWidths[pCon->m_nLast] += pCon->m_nWidth - nGiven;
        }
    }

    const int nCols = (int)colWidths.size();
    const int nRows = (int)rowHeights.size();

    // Extra width up to the requested width, to the flexible columns.
    int nSumWidths = 0;
    int nFlexible = 0;
    for (int k = 0; k < nCols; ++k)
    {
        nSumWidths += colWidths[k];
        if (colFlexible[k])
            ++nFlexible;
    }
    const int nExtraW = m_nRequestedWidth - (nCols - 1) * m_nHSpacing - nSumWidths;
    if (nExtraW > 0 && nCols > 0 && nFlexible > 0)
    {
        const int nShare = nExtraW / nFlexible;
        for (int k = 0; k < nCols; ++k)
        {
            if (colFlexible[k])
                colWidths[k] += nShare;
        }
    }

    // Extra height up to the requested height, to every row.
    int nSumHeights = 0;
    for (int r = 0; r < nRows; ++r)
        nSumHeights += rowHeights[r];
    const int nExtraH = m_nRequestedHeight - (nRows - 1) * m_nVSpacing - nSumHeights;
    if (nExtraH > 0 && nRows > 0)
    {
        const int nShare = nExtraH / nRows;
        for (int r = 0; r < nRows; ++r)
            rowHeights[r] += nShare;
    }

    // Cell sizes, then every layer object is offered its cell's size.
    for (int r = 0; r < nRows; ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        int c = 0;
        for (int i = 0; i < pRow->getLength(); ++i)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(i);
            const int nSpan = pCell->m_nSpan < 1 ? 1 : pCell->m_nSpan;
            int nWidth = 0;
            for (int k = c; k < c + nSpan; ++k)
                nWidth += colWidths[k];
            pCell->m_nWidth = nWidth;
            pCell->m_nHeight = rowHeights[r];
            c += nSpan;
        }
    }
    for (int r = 0; r < nRows; ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        for (int i = 0; i < pRow->getLength(); ++i)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(i);
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<IVisualObject> pObject = pCell->m_lLayers.get(l)->m_pObject;
                if (!pObject)
                    continue;
                RIR_TRACE_LINE();
                sizeFramed(pObject.get(), pCell->m_nWidth, pCell->m_nHeight);
            }
        }
    }

    int nWidth = 0;
    for (int k = 0; k < nCols; ++k)
        nWidth += colWidths[k] + m_nHSpacing;
    nWidth -= m_nHSpacing;
    m_nWidth = nWidth > 0 ? nWidth : 0;
    int nHeight = 0;
    for (int r = 0; r < nRows; ++r)
        nHeight += rowHeights[r] + m_nVSpacing;
    m_nHeight = nRows > 0 ? nHeight - m_nVSpacing : 0;
    m_bLayoutValid = true;
}

// ---- arrangement -----------------------------------------------------------------------------

void Table::arrange()
{
    RIR_TRACE("Table::arrange");
    LayoutLevel level;
    removeDebugSprites();
    if (!m_bLayoutValid)
    {
        RIR_TRACE_LINE();
        layout();
    }
    RIR_TRACE_LINE();
    updateFrame();

    float fY = m_pos.y;
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        // A row without cells takes no room.
        if (pRow->isEmpty())
            continue;
        const int nRowHeight = pRow->get(0)->m_nHeight;
        float fX = m_pos.x;
        for (int i = 0; i < pRow->getLength(); ++i)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(i);
            int nZ = getZOrder() + m_nZBase;
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<CellLayer> pLayer = pCell->m_lLayers.get(l);
                RIR::SmartPtr<IVisualObject> pObject = pLayer->m_pObject;
                if (pObject)
                {
                    int nW = 0;
                    int nH = 0;
                    RIR_TRACE_LINE();
                    measureFramed(pObject.get(), &nW, &nH);
                    const int nAlign = pLayer->m_nAlign;
                    int nDx = 0;
                    if (nAlign & 2)
                        nDx = pCell->m_nWidth - nW;
                    else if (nAlign & 4)
                        nDx = (pCell->m_nWidth - nW) / 2;
                    int nDy = 0;
                    if (nAlign & 0x10)
                        nDy = pCell->m_nHeight - nH;
                    else if (nAlign & 0x20)
                        nDy = (pCell->m_nHeight - nH) / 2;
                    if (pCell->m_nFlags & CF_ADD_HOTSPOT)
                    {
                        Sprite* pSprite = dynamic_cast<Sprite*>(pObject.get());
                        if (pSprite && pSprite->getImage())
                        {
                            int nInsX = 0;
                            int nInsY = 0;
                            pSprite->getImage()->getInsPoint(&nInsX, &nInsY);
                            nDx += nInsX;
                            nDy += nInsY;
                        }
                    }
                    RIR_TRACE_LINE();
                    positionFramed(pObject.get(), (int)(fX + nDx), (int)(fY + nDy));
                    RIR_TRACE_LINE();
                    pObject->setZOrder(nZ);
                }
                nZ += m_nZStep;
            }
            if (m_bDebugDisplay)
            {
                RIR_TRACE_LINE();
                addDebugRect(fX + 3, fY + 3, pCell->m_nWidth + m_nHSpacing - 5,
                             pCell->m_nHeight + m_nVSpacing - 5, 192);
            }
            fX += pCell->m_nWidth + m_nHSpacing;
        }
        if (m_bDebugDisplay)
        {
            RIR_TRACE_LINE();
            addDebugRect(m_pos.x, fY, (int)(fX - m_pos.x - 1), nRowHeight + m_nVSpacing - 1, 32);
        }
        fY += nRowHeight + m_nVSpacing;
    }
    RIR_TRACE_LINE();
    arrangeAttached();
}

// ---- debug display ---------------------------------------------------------------------------

void Table::addDebugRect(float fX, float fY, int nWidth, int nHeight, int nBase)
{
    RIR_TRACE("Table::addDebugRect");
    // A cell or row too small for its inset shows nothing.
    if (nWidth <= 0 || nHeight <= 0 || !m_pMode)
        return;
    RIR::SmartPtr<Image> pImage = m_pMode->createImage(nWidth, nHeight, false);
    const int nRed = nBase + rand() % 64;
    const int nGreen = nBase + rand() % 64;
    const int nBlue = nBase + rand() % 64;
    pImage->fill(Color((uint8_t)nRed, (uint8_t)nGreen, (uint8_t)nBlue, 255));
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, Point(fX, fY), getZOrder() + 2);
    m_pMode->addSprite(pSprite);
    m_lDebugSprites.append(pSprite);
}

void Table::removeDebugSprites()
{
    RIR_TRACE("Table::removeDebugSprites");
    for (int i = 0; i < m_lDebugSprites.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        m_pMode->removeObject(m_lDebugSprites.get(i));
    }
    m_lDebugSprites.clear();
}
