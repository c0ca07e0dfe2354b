// Table: rows of cells laid out side by side (table.h).
#include "world/table.h"

#include "rir2/calltrace.h"

#include <algorithm>

Table::Table(GameMode* pMode)
    : m_pMode(pMode), m_fX(0.0f), m_fY(0.0f), m_nWidth(0), m_nHeight(0), m_nZOrder(0),
      m_bVisible(true), m_nHSpacing(0), m_nVSpacing(0)
{
}

Table::~Table()
{
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        Row* pRow = m_lRows.get(r);
        for (int c = 0; c < pRow->lCells.getLength(); ++c)
        {
            Cell* pCell = pRow->lCells.get(c);
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                delete pCell->lItems.get(i);
            delete pCell;
        }
        delete pRow;
    }
}

Point Table::getSizePoint()
{
    return Point((float)m_nWidth, (float)m_nHeight);
}

void Table::getSize(int* pnWidth, int* pnHeight)
{
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

void Table::setSizePoint(const Point& size)
{
    setSize((int)size.x, (int)size.y);
}

void Table::setSize(int /*nWidth*/, int /*nHeight*/)
{
}

Point Table::getPosPoint()
{
    return Point(m_fX, m_fY);
}

void Table::getPosFloat(float* pfX, float* pfY)
{
    if (pfX)
        *pfX = m_fX;
    if (pfY)
        *pfY = m_fY;
}

void Table::getPos(int* pnX, int* pnY)
{
    if (pnX)
        *pnX = (int)m_fX;
    if (pnY)
        *pnY = (int)m_fY;
}

void Table::setPosPoint(const Point& pos)
{
    setPosFloat(pos.x, pos.y);
}

void Table::setPosFloat(float fX, float fY)
{
    m_fX = fX;
    m_fY = fY;
    relayout();
}

void Table::setPos(int nX, int nY)
{
    setPosFloat((float)nX, (float)nY);
}

void Table::setZOrder(int nZOrder)
{
    m_nZOrder = nZOrder;
    for (int r = 0; r < m_lRows.getLength(); ++r)
        for (int c = 0; c < m_lRows.get(r)->lCells.getLength(); ++c)
        {
            Cell* pCell = m_lRows.get(r)->lCells.get(c);
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                pCell->lItems.get(i)->pObject->setZOrder(nZOrder);
        }
}

void Table::setVisible(bool bVisible)
{
    m_bVisible = bVisible;
    for (int r = 0; r < m_lRows.getLength(); ++r)
        for (int c = 0; c < m_lRows.get(r)->lCells.getLength(); ++c)
        {
            Cell* pCell = m_lRows.get(r)->lCells.get(c);
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                pCell->lItems.get(i)->pObject->setVisible(bVisible);
        }
}

void Table::setClipRect(const Rect& clip)
{
    for (int r = 0; r < m_lRows.getLength(); ++r)
        for (int c = 0; c < m_lRows.get(r)->lCells.getLength(); ++c)
        {
            Cell* pCell = m_lRows.get(r)->lCells.get(c);
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                pCell->lItems.get(i)->pObject->setClipRect(clip);
        }
}

void Table::clearClipRect()
{
    for (int r = 0; r < m_lRows.getLength(); ++r)
        for (int c = 0; c < m_lRows.get(r)->lCells.getLength(); ++c)
        {
            Cell* pCell = m_lRows.get(r)->lCells.get(c);
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                pCell->lItems.get(i)->pObject->clearClipRect();
        }
}

void Table::newRow()
{
    m_lRows.append(new Row);
}

void Table::newCell(int nSpan)
{
    if (m_lRows.isEmpty())
        newRow();
    Cell* pCell = new Cell;
    pCell->nSpan = std::max(nSpan, 1);
    m_lRows.getLast()->lCells.append(pCell);
}

void Table::add(const RIR::SmartPtr<IVisualObject>& pObject, int nFlags)
{
    RIR_TRACE("Table::add");
    RIR_ASSERT(pObject);
    if (m_lRows.isEmpty() || m_lRows.getLast()->lCells.isEmpty())
        newCell(1);
    Item* pItem = new Item;
    pItem->pObject = pObject;
    pItem->nFlags = nFlags;
    m_lRows.getLast()->lCells.getLast()->lItems.append(pItem);
    relayout();
}

void Table::setSpacing(int nPixels)
{
    m_nHSpacing = nPixels;
    m_nVSpacing = nPixels;
}

void Table::relayout()
{
    RIR_TRACE("Table::relayout");
    int nY = (int)m_fY;
    int nWidth = 0;
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        Row* pRow = m_lRows.get(r);
        // The row's height: its highest object.
        int nRowH = 0;
        for (int c = 0; c < pRow->lCells.getLength(); ++c)
            for (int i = 0; i < pRow->lCells.get(c)->lItems.getLength(); ++i)
                nRowH = std::max(nRowH, pRow->lCells.get(c)->lItems.get(i)->pObject->getHeight());
        int nX = (int)m_fX;
        for (int c = 0; c < pRow->lCells.getLength(); ++c)
        {
            Cell* pCell = pRow->lCells.get(c);
            int nCellW = 0;
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
                nCellW = std::max(nCellW, pCell->lItems.get(i)->pObject->getWidth());
            for (int i = 0; i < pCell->lItems.getLength(); ++i)
            {
                Item* pItem = pCell->lItems.get(i);
                const int nW = pItem->pObject->getWidth();
                const int nH = pItem->pObject->getHeight();
                int nOX = nX;
                if (pItem->nFlags & 2)
                    nOX = nX + nCellW - nW;
                else if (pItem->nFlags & 4)
                    nOX = nX + (nCellW - nW) / 2;
                int nOY = nY;
                if (pItem->nFlags & 0x10)
                    nOY = nY + nRowH - nH;
                else if (pItem->nFlags & 0x20)
                    nOY = nY + (nRowH - nH) / 2;
                pItem->pObject->setPos(nOX, nOY);
            }
            nX += nCellW + (c + 1 < pRow->lCells.getLength() ? m_nHSpacing : 0);
        }
        nWidth = std::max(nWidth, nX - (int)m_fX);
        nY += nRowH + (r + 1 < m_lRows.getLength() ? m_nVSpacing : 0);
    }
    m_nWidth = nWidth;
    m_nHeight = nY - (int)m_fY;
}
