#include "tablekit.h"

#include "gfx/sprite.h"

#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

FakeFramePanelBuilder::FakeFramePanelBuilder() {}

FakeFramePanelBuilder::~FakeFramePanelBuilder() {}

void FakeFramePanelBuilder::setBorders(const char* pszStyle, int nTop, int nLeft, int nBottom,
                                       int nRight)
{
    m_hBorders.set(RIR::String(pszStyle).toLower(), Rect(nLeft, nTop, nRight, nBottom));
}

Rect FakeFramePanelBuilder::getFrameBorders(const char* pszStyle)
{
    RIR::String sKey = RIR::String(pszStyle).toLower();
    if (!m_hBorders.contains(sKey))
        RIR_THROW(BadParmException,
                  RIR::String::format("Unknown frame style '%s'", pszStyle).c_str());
    return m_hBorders.get(sKey);
}

void FakeFramePanelBuilder::snapFrameSize(int* pnWidth, int* pnHeight, const char* pszStyle)
{
    getFrameBorders(pszStyle);
    *pnWidth = (*pnWidth + m_nSnapStep - 1) / m_nSnapStep * m_nSnapStep;
    *pnHeight = (*pnHeight + m_nSnapStep - 1) / m_nSnapStep * m_nSnapStep;
}

RIR::SmartPtr<Table> FakeFramePanelBuilder::buildFrameTable(GameMode* pMode, int nWidth,
                                                            int nHeight, const char* pszStyle)
{
    m_builds.push_back(std::string(pszStyle) + " " + std::to_string(nWidth) + "x" +
                       std::to_string(nHeight));
    RIR::SmartPtr<Table> pPanel = new Table(pMode);
    pPanel->setZBaseStep(0, 1);
    pPanel->newCell(1);
    pPanel->add(new Box(7, 0), 0);
    pPanel->newCell(1);
    m_pLastPiece = new Sprite(-1000, -1000, -50);
    pPanel->add(m_pLastPiece, 0);
    return pPanel;
}
