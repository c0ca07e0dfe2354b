// Table: the frame panel behind a framed table (built by the frame-panel builder, rebuilt only
// when its borders or snapped size change, moved otherwise) and the attached sprites.
#include "ui/table.h"

#include "app/gamemode.h"
#include "ui/framepanelbuilder.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

template <class T> bool notNULL(const RIR::SmartPtr<T>& p)
{
    return p.get() != nullptr;
}

} // namespace

void Table::updateFrame()
{
    RIR_TRACE("Table::updateFrame");
    if (!m_bFrameOn)
    {
        if (m_pFrameTable)
        {
            RIR_TRACE_LINE();
            m_pFrameTable->removeContentsFromMode();
            m_pFrameTable = nullptr;
        }
        m_sOldFrameSpec = "";
        return;
    }

    IFramePanelBuilder* pBuilder = getFrameBuilder();
    const char* pszSpec = m_sFrameSpec.c_str();
    RIR_TRACE_LINE();
    const Rect b = pBuilder->getFrameBorders(pszSpec);
    const int nW = m_nWidth + b.left + b.right + m_rMargin.left + m_rMargin.right;
    const int nH = m_nHeight + b.top + b.bottom + m_rMargin.top + m_rMargin.bottom;
    int nSnappedW = nW;
    int nSnappedH = nH;
    RIR_TRACE_LINE();
    pBuilder->snapFrameSize(&nSnappedW, &nSnappedH, pszSpec);

    // The panel is known by its borders and size only: another style of the same borders and
    // size keeps the panel already built.
    const RIR::String sKey = b.toString() + RIR::String::format(" %d %d", nSnappedW, nSnappedH);
    RIR_ASSERT(notNULL(m_pFrameTable) || m_sOldFrameSpec == "");

    // A snapped frame larger than wanted is centred on the content.
    const Point corner(m_pos.x - m_rMargin.left - (nSnappedW - nW) / 2 - b.left,
                       m_pos.y - m_rMargin.top - (nSnappedH - nH) / 2 - b.top);

    if (!(sKey == m_sOldFrameSpec))
    {
        if (m_pFrameTable)
        {
            RIR_TRACE_LINE();
            m_pFrameTable->removeContentsFromMode();
        }
        RIR_TRACE_LINE();
        m_pFrameTable = pBuilder->buildFrameTable(m_pMode, nSnappedW, nSnappedH, pszSpec);
        RIR_ASSERT(notNULL(m_pFrameTable));
        // A new panel is always placed, even where its defaults already match, and follows the
        // table's current visibility and clip.
        RIR_TRACE_LINE();
        placeFrameTable(corner);
    }
    else
    {
        if (m_pFrameTable->getPosPoint() != corner)
        {
            RIR_TRACE_LINE();
            m_pFrameTable->setPosPoint(corner);
        }
        if (m_pFrameTable->getZOrder() != getZOrder())
        {
            RIR_TRACE_LINE();
            m_pFrameTable->setZOrder(getZOrder());
        }
    }
    m_sOldFrameSpec = sKey;
    RIR_TRACE_LINE();
    arrangeAttached();
}

void Table::placeFrameTable(const Point& pos)
{
    RIR_TRACE("Table::placeFrameTable");
    m_pFrameTable->m_pos = pos;
    m_pFrameTable->m_nZOrder = getZOrder();
    RIR_TRACE_LINE();
    m_pFrameTable->arrange();
    // A new panel shows its pieces; a hidden table hides them at once.
    if (!m_bVisible)
    {
        RIR_TRACE_LINE();
        m_pFrameTable->setVisible(false);
    }
    if (m_bClipped)
    {
        RIR_TRACE_LINE();
        m_pFrameTable->setClipRect(m_rClip);
    }
}

void Table::arrangeAttached()
{
    RIR_TRACE("Table::arrangeAttached");
    if (m_lAttached.isEmpty())
        return;
    const int nX = (int)m_pos.x;
    const int nY = (int)m_pos.y;
    int nW = 0;
    int nH = 0;
    getSize(&nW, &nH);
    for (int i = 0; i < m_lAttached.getLength(); ++i)
    {
        AttachedSprite* pAttached = m_lAttached.get(i);
        const int nAnchor = pAttached->m_nAnchor;
        int nAx = nX;
        if (nAnchor & 2)
            nAx = nX + nW;
        else if (nAnchor & 4)
            nAx = nX + nW / 2;
        int nAy = nY;
        if (nAnchor & 0x10)
            nAy = nY + nH;
        else if (nAnchor & 0x20)
            nAy = nY + nH / 2;
        RIR_TRACE_LINE();
        pAttached->m_pSprite->setPos(nAx, nAy);
        pAttached->m_pSprite->setZOrder(getZOrder() + pAttached->m_nZOffset);
    }
}
