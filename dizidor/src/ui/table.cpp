// Table: the model, building, placement setters, look-ups and removal. The layout and the
// arrangement are in table_layout.cpp, the frame panel and the attached sprites in
// table_frame.cpp.
#include "ui/table.h"

#include "app/gamemode.h"
#include "gfx/spritecontroller.h"
#include "ui/framepanelbuilder.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

Table::Table(GameMode* pMode)
    : m_pos(0.0f, 0.0f), m_bVisible(true), m_nWidth(0), m_nHeight(0), m_bLayoutValid(false),
      m_nRequestedWidth(0), m_nRequestedHeight(0), m_nHSpacing(0), m_nVSpacing(0),
      m_bFrameOn(false), m_nZOrder(0), m_bOwnsContents(false), m_sFrameSpec(""),
      m_sOldFrameSpec(""), m_pMode(pMode), m_nSizeFlags(TSF_WIDTH | TSF_HEIGHT),
      m_bDebugDisplay(false), m_rMargin(0, 0, 0, 0), m_nZBase(3), m_nZStep(10), m_sName(""),
      m_bClipped(false), m_pFrameBuilder(nullptr)
{
    RIR_TRACE("Table::Table");
}

Table::~Table()
{
    RIR_TRACE("Table::~Table");
    m_lAttached.clearAndDelete();
    if (m_bOwnsContents)
    {
        RIR_TRACE_LINE();
        destroyContents();
    }
}

// ---- IVisualObject ---------------------------------------------------------------------------

Point Table::getSizePoint()
{
    RIR_TRACE("Table::getSizePoint");
    int nWidth = 0;
    int nHeight = 0;
    getSize(&nWidth, &nHeight);
    return Point((float)nWidth, (float)nHeight);
}

void Table::getSize(int* pnWidth, int* pnHeight)
{
    RIR_TRACE("Table::getSize");
    if (!m_bLayoutValid)
    {
        RIR_TRACE_LINE();
        layout();
    }
    if (pnWidth)
        *pnWidth = m_nWidth;
    if (pnHeight)
        *pnHeight = m_nHeight;
}

void Table::setSizePoint(const Point& size)
{
    RIR_TRACE("Table::setSizePoint");
    setSize((int)size.x, (int)size.y);
}

void Table::setSize(int nWidth, int nHeight)
{
    RIR_TRACE("Table::setSize");
    if (m_nSizeFlags & TSF_WIDTH)
    {
        m_nWidth = nWidth;
        m_nRequestedWidth = nWidth;
    }
    if (m_nSizeFlags & TSF_HEIGHT)
    {
        m_nHeight = nHeight;
        m_nRequestedHeight = nHeight;
    }
    m_bLayoutValid = false;
}

Point Table::getPosPoint()
{
    return m_pos;
}

void Table::getPosFloat(float* pfX, float* pfY)
{
    if (pfX)
        *pfX = m_pos.x;
    if (pfY)
        *pfY = m_pos.y;
}

void Table::getPos(int* pnX, int* pnY)
{
    if (pnX)
        *pnX = (int)m_pos.x;
    if (pnY)
        *pnY = (int)m_pos.y;
}

void Table::setPosPoint(const Point& pos)
{
    RIR_TRACE("Table::setPosPoint");
    m_pos = pos;
    arrange();
}

void Table::setPosFloat(float fX, float fY)
{
    RIR_TRACE("Table::setPosFloat");
    setPosPoint(Point(fX, fY));
}

void Table::setPos(int nX, int nY)
{
    RIR_TRACE("Table::setPos");
    setPosPoint(Point((float)nX, (float)nY));
}

void Table::setZOrder(int nZOrder)
{
    RIR_TRACE("Table::setZOrder");
    m_nZOrder = nZOrder;
    arrange();
}

void Table::setVisible(bool bVisible)
{
    RIR_TRACE("Table::setVisible");
    m_bVisible = bVisible;
    forEachCellObject([bVisible](const RIR::SmartPtr<IVisualObject>& pObject) {
        RIR_TRACE_LINE();
        pObject->setVisible(bVisible);
    });
    if (m_pFrameTable)
    {
        RIR_TRACE_LINE();
        m_pFrameTable->setVisible(bVisible);
    }
    for (int i = 0; i < m_lAttached.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        m_lAttached.get(i)->m_pSprite->setVisible(bVisible);
    }
}

void Table::setClipRect(const Rect& clip)
{
    RIR_TRACE("Table::setClipRect");
    m_bClipped = true;
    m_rClip = clip;
    forEachCellObject([&clip](const RIR::SmartPtr<IVisualObject>& pObject) {
        RIR_TRACE_LINE();
        pObject->setClipRect(clip);
    });
    if (m_pFrameTable)
    {
        RIR_TRACE_LINE();
        m_pFrameTable->setClipRect(clip);
    }
}

void Table::clearClipRect()
{
    RIR_TRACE("Table::clearClipRect");
    m_bClipped = false;
    forEachCellObject([](const RIR::SmartPtr<IVisualObject>& pObject) {
        RIR_TRACE_LINE();
        pObject->clearClipRect();
    });
    if (m_pFrameTable)
    {
        RIR_TRACE_LINE();
        m_pFrameTable->clearClipRect();
    }
}

// ---- building --------------------------------------------------------------------------------

RIR::SmartPtr<TableRow> Table::lastRow()
{
    if (m_lRows.isEmpty())
        m_lRows.append(new TableRow());
    return m_lRows.getLast();
}

void Table::newRow()
{
    RIR_TRACE("Table::newRow");
    m_lRows.append(new TableRow());
}

void Table::newCell(int nSpan)
{
    RIR_TRACE("Table::newCell");
    lastRow()->append(new Cell(nSpan));
}

RIR::SmartPtr<Cell> Table::getLastCell()
{
    RIR_TRACE("Table::getLastCell");
    RIR::SmartPtr<TableRow> pRow = lastRow();
    if (pRow->isEmpty())
        pRow->append(new Cell(1));
    return pRow->getLast();
}

void Table::add(RIR::SmartPtr<IVisualObject> pObject, int nAlign)
{
    RIR_TRACE("Table::add");
    RIR_ASSERT(pObject);
    RIR::SmartPtr<Cell> pCell = getLastCell();
    pCell->m_lLayers.append(new CellLayer(pObject, nAlign));
    if (RIR::SmartPtr<Sprite> pSprite = RIR::dynamicCast<Sprite>(pObject))
    {
        if (!pSprite->getMode())
        {
            RIR_ASSERT(m_pMode);
            RIR_TRACE_LINE();
            m_pMode->addSprite(pSprite);
        }
    }
    else if (RIR::SmartPtr<Table> pTable = RIR::dynamicCast<Table>(pObject))
    {
        m_lSubTables.append(pTable);
    }
    m_bLayoutValid = false;
}

void Table::setCellFlags(int nFlags)
{
    RIR_TRACE("Table::setCellFlags");
    getLastCell()->m_nFlags = nFlags;
}

void Table::nameLast(const char* pszName)
{
    RIR_TRACE("Table::nameLast");
    RIR::SmartPtr<Cell> pCell;
    if (!m_lRows.isEmpty() && !m_lRows.getLast()->isEmpty())
        pCell = m_lRows.getLast()->getLast();
    if (!pCell || pCell->m_lLayers.isEmpty() || !pCell->m_lLayers.getLast()->m_pObject)
    {
        RIR_THROW(BadStateException,
                  RIR::String::format("Table::nameLast(\"%s\"): the current cell holds no object",
                                      pszName ? pszName : "")
                      .c_str());
    }
    m_hNamed.set(RIR::String(pszName), pCell->m_lLayers.getLast()->m_pObject);
}

RIR::SmartPtr<IVisualObject> Table::findObject(const char* pszName)
{
    RIR_TRACE("Table::findObject");
    RIR::String sName(pszName);
    if (m_hNamed.contains(sName))
        return m_hNamed.get(sName);
    for (int i = 0; i < m_lSubTables.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        RIR::SmartPtr<IVisualObject> pFound = m_lSubTables.get(i)->findObject(pszName);
        if (pFound)
            return pFound;
    }
    return nullptr;
}

// ---- configuration ---------------------------------------------------------------------------

void Table::setSpacing(int nSpacing)
{
    RIR_TRACE("Table::setSpacing");
    m_nHSpacing = nSpacing;
    m_nVSpacing = nSpacing;
    relayout();
}

void Table::setHSpacing(int nSpacing)
{
    RIR_TRACE("Table::setHSpacing");
    m_nHSpacing = nSpacing;
    relayout();
}

void Table::setVSpacing(int nSpacing)
{
    RIR_TRACE("Table::setVSpacing");
    m_nVSpacing = nSpacing;
    relayout();
}

void Table::setFrame(const char* pszStyle)
{
    RIR_TRACE("Table::setFrame");
    m_bFrameOn = true;
    m_sFrameSpec = pszStyle ? pszStyle : "";
}

void Table::setPadding(int nTop, int nLeft, int nBottom, int nRight)
{
    RIR_TRACE("Table::setPadding");
    m_rMargin.top = nTop;
    m_rMargin.left = nLeft;
    m_rMargin.bottom = nBottom;
    m_rMargin.right = nRight;
}

void Table::setZBaseStep(int nBase, int nStep)
{
    RIR_TRACE("Table::setZBaseStep");
    m_nZBase = nBase;
    m_nZStep = nStep;
}

IFramePanelBuilder* Table::getFrameBuilder() const
{
    RIR_TRACE("Table::getFrameBuilder");
    IFramePanelBuilder* pBuilder =
        m_pFrameBuilder ? m_pFrameBuilder : IFramePanelBuilder::getInstalled();
    if (!pBuilder)
    {
        RIR_THROW(
            BadStateException,
            RIR::String::format("Table '%s' has a frame, but no theme is installed to draw it",
                                m_sName.c_str())
                .c_str());
    }
    return pBuilder;
}

// ---- attached sprites ------------------------------------------------------------------------

void Table::attachSprite(RIR::SmartPtr<Sprite> pSprite, int nAnchor, int nZOffset)
{
    RIR_TRACE("Table::attachSprite");
    RIR_ASSERT(pSprite);
    AttachedSprite* pAttached = new AttachedSprite(pSprite, nAnchor, nZOffset);
    if (pAttached->m_pAnim)
    {
        RIR_TRACE_LINE();
        pSprite->addController(new SCPlayAnimation(false, false));
    }
    m_lAttached.append(pAttached);
    arrangeAttached();
}

RIR::List<RIR::SmartPtr<Sprite>> Table::getAttachedSprites()
{
    RIR_TRACE("Table::getAttachedSprites");
    RIR::List<RIR::SmartPtr<Sprite>> lSprites;
    for (int i = 0; i < m_lAttached.getLength(); ++i)
        lSprites.append(m_lAttached.get(i)->m_pSprite);
    return lSprites;
}

// ---- look-up ---------------------------------------------------------------------------------

int Table::getCellCount(int nRow) const
{
    RIR_TRACE("Table::getCellCount");
    return m_lRows.get(nRow)->getLength();
}

int Table::getLayerCount(int nRow, int nCell) const
{
    RIR_TRACE("Table::getLayerCount");
    return getCell(nRow, nCell)->m_lLayers.getLength();
}

RIR::SmartPtr<IVisualObject> Table::getObject(int nRow, int nCell, int nLayer) const
{
    RIR_TRACE("Table::getObject");
    return getCell(nRow, nCell)->m_lLayers.get(nLayer)->m_pObject;
}

RIR::SmartPtr<Cell> Table::getCell(int nRow, int nCell) const
{
    RIR_TRACE("Table::getCell");
    return m_lRows.get(nRow)->get(nCell);
}

RIR::List<RIR::SmartPtr<Sprite>> Table::getSprites(bool bRecursive)
{
    RIR_TRACE("Table::getSprites");
    RIR::List<RIR::SmartPtr<Sprite>> lSprites;
    if (bRecursive && m_bFrameOn && m_pFrameTable)
    {
        RIR_TRACE_LINE();
        lSprites.appendAll(m_pFrameTable->getSprites(true));
    }
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        for (int c = 0; c < pRow->getLength(); ++c)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(c);
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<IVisualObject> pObject = pCell->m_lLayers.get(l)->m_pObject;
                if (RIR::SmartPtr<Sprite> pSprite = RIR::dynamicCast<Sprite>(pObject))
                {
                    lSprites.append(pSprite);
                }
                else if (RIR::SmartPtr<Table> pTable = RIR::dynamicCast<Table>(pObject))
                {
                    if (bRecursive)
                    {
                        RIR_TRACE_LINE();
                        lSprites.appendAll(pTable->getSprites(true));
                    }
                }
            }
        }
    }
    return lSprites;
}

// ---- arranging and removal -------------------------------------------------------------------

void Table::relayout()
{
    RIR_TRACE("Table::relayout");
    m_bLayoutValid = false;
    arrange();
}

void Table::removeContentsFromMode()
{
    RIR_TRACE("Table::removeContentsFromMode");
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        for (int c = 0; c < pRow->getLength(); ++c)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(c);
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<IVisualObject> pObject = pCell->m_lLayers.get(l)->m_pObject;
                if (RIR::SmartPtr<Sprite> pSprite = RIR::dynamicCast<Sprite>(pObject))
                {
                    RIR_ASSERT(m_pMode);
                    RIR_TRACE_LINE();
                    m_pMode->removeObject(pSprite);
                }
                else if (RIR::SmartPtr<Table> pTable = RIR::dynamicCast<Table>(pObject))
                {
                    RIR_TRACE_LINE();
                    pTable->removeContentsFromMode();
                }
            }
        }
    }
    RIR_TRACE_LINE();
    removeAttachedFromMode();
}

void Table::removeAttachedFromMode()
{
    RIR_TRACE("Table::removeAttachedFromMode");
    for (int i = 0; i < m_lAttached.getLength(); ++i)
    {
        RIR::SmartPtr<Sprite> pSprite = m_lAttached.get(i)->m_pSprite;
        // Whoever attached it put it into a mode; it leaves that mode.
        if (SpriteOwner* pOwner = pSprite->getMode())
        {
            RIR_TRACE_LINE();
            pOwner->removeObject(pSprite);
        }
    }
    m_lAttached.clearAndDelete();
}

void Table::destroyContents()
{
    RIR_TRACE("Table::destroyContents");
    for (int r = 0; r < m_lRows.getLength(); ++r)
    {
        RIR::SmartPtr<TableRow> pRow = m_lRows.get(r);
        for (int c = 0; c < pRow->getLength(); ++c)
        {
            RIR::SmartPtr<Cell> pCell = pRow->get(c);
            for (int l = 0; l < pCell->m_lLayers.getLength(); ++l)
            {
                RIR::SmartPtr<CellLayer> pLayer = pCell->m_lLayers.get(l);
                RIR::SmartPtr<IVisualObject> pObject = pLayer->m_pObject;
                if (RIR::SmartPtr<Sprite> pSprite = RIR::dynamicCast<Sprite>(pObject))
                {
                    RIR_ASSERT(m_pMode);
                    RIR_TRACE_LINE();
                    m_pMode->removeObject(pSprite);
                }
                else if (RIR::SmartPtr<Table> pTable = RIR::dynamicCast<Table>(pObject))
                {
                    RIR_TRACE_LINE();
                    pTable->destroyContents();
                }
                pLayer->m_pObject = nullptr;
            }
        }
    }
    RIR_TRACE_LINE();
    removeAttachedFromMode();
    if (m_pFrameTable)
    {
        m_bFrameOn = false;
        RIR_TRACE_LINE();
        m_pFrameTable->destroyContents();
        m_pFrameTable = nullptr;
    }
    // No panel is built any more: a frame turned on again builds a new one.
    m_sOldFrameSpec = "";
}

void Table::clear()
{
    RIR_TRACE("Table::clear");
    removeContentsFromMode();
    m_lRows.clear();
}
