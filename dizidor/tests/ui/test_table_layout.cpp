// Table layout and arrangement: column widths under spanning cells, extra width and height,
// empty rows, spans and spacing, alignment, hot spots and the z order of cell layers.
#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "testkit/memimagefactory.h"
#include "ui/table.h"

#include "tablekit.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class TableLayoutTest : public ::testing::Test
{
protected:
    TableLayoutTest() : m_pTable(new Table(&m_mode)) {}

    RIR::SmartPtr<Box> addBox(int nWidth, int nHeight, int nAlign = 0)
    {
        RIR::SmartPtr<Box> pBox = new Box(nWidth, nHeight);
        m_pTable->add(pBox, nAlign);
        return pBox;
    }
    // The widths the layout gave the cells of a row.
    std::vector<int> cellWidths(int nRow)
    {
        m_pTable->getSize(nullptr, nullptr);
        std::vector<int> widths;
        for (int i = 0; i < m_pTable->getCellCount(nRow); ++i)
            widths.push_back(m_pTable->getCell(nRow, i)->m_nWidth);
        return widths;
    }

    GameMode m_mode;
    RIR::SmartPtr<Table> m_pTable;
};

TEST_F(TableLayoutTest, ColumnsTakeTheWidestCellOfEveryRow)
{
    m_pTable->setHSpacing(6);
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(50, 10);
    m_pTable->newCell(1);
    addBox(80, 12);
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(100, 5);
    EXPECT_EQ((std::vector<int>{100, 80}), cellWidths(0));
    EXPECT_EQ((std::vector<int>{100}), cellWidths(1));
    EXPECT_EQ(186, m_pTable->getWidth());
    EXPECT_EQ(17, m_pTable->getHeight());
}

struct ConstraintCase
{
    const char* pszName;
    std::vector<int> columns; // widths of the single cells of the first row
    int nNeeded;              // width of one cell spanning them all in the second row
    std::vector<int> expected;
};

class TableConstraintTest : public TableLayoutTest,
                            public ::testing::WithParamInterface<ConstraintCase>
{
};

TEST_P(TableConstraintTest, SpanningCellWidensItsColumns)
{
    const ConstraintCase& c = GetParam();
    m_pTable->newRow();
    for (int nWidth : c.columns)
    {
        m_pTable->newCell(1);
        if (nWidth > 0)
            addBox(nWidth, 1);
    }
    m_pTable->newRow();
    m_pTable->newCell((int)c.columns.size());
    addBox(c.nNeeded, 1);
    EXPECT_EQ(c.expected, cellWidths(0));
    int nSum = 0;
    for (int nWidth : c.expected)
        nSum += nWidth;
    EXPECT_EQ((std::vector<int>{nSum}), cellWidths(1)) << "the span is as wide as its columns";
}

INSTANTIATE_TEST_SUITE_P(
    Worked, TableConstraintTest,
    ::testing::Values(ConstraintCase{"proportional", {40, 60}, 150, {60, 90}},
                      ConstraintCase{"lastTakesTheRemainder", {30, 30, 40}, 101, {30, 30, 41}},
                      // The columns that had a width keep it: the span ends up wider than needed.
                      ConstraintCase{"emptyColumnsShareAlone", {0, 50, 0}, 91, {45, 50, 46}},
                      ConstraintCase{"alreadyFits", {40, 60}, 100, {40, 60}},
                      ConstraintCase{"allEmpty", {0, 0, 0}, 10, {3, 3, 4}}),
    [](const ::testing::TestParamInfo<ConstraintCase>& info) { return info.param.pszName; });

TEST_F(TableLayoutTest, ConstraintsApplyInOrderOnWhatTheEarlierLeft)
{
    // Row 1 spans columns 0-1 (needs 100), row 2 spans 1-2 (needs 90) and sees column 1 as the
    // first constraint left it.
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(20, 1);
    m_pTable->newCell(1);
    addBox(30, 1);
    m_pTable->newCell(1);
    addBox(30, 1);
    m_pTable->newRow();
    m_pTable->newCell(2);
    addBox(100, 1);
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->newCell(2);
    addBox(90, 1);
    // First: 100x20/50 = 40, 100x30/50 = 60. Second over 60 and 30: 90x60/90 = 60, 30.
    EXPECT_EQ((std::vector<int>{40, 60, 30}), cellWidths(0));
}

struct ExtraWidthCase
{
    const char* pszName;
    std::vector<bool> fixed; // CF_FIXED_WIDTH on the cell of each column
    std::vector<int> expected;
    int nTableWidth;
};

class TableExtraWidthTest : public TableLayoutTest,
                            public ::testing::WithParamInterface<ExtraWidthCase>
{
};

TEST_P(TableExtraWidthTest, FlexibleColumnsShareTheExtraWidth)
{
    const ExtraWidthCase& c = GetParam();
    const int widths[] = {50, 60, 70};
    m_pTable->newRow();
    for (int i = 0; i < 3; ++i)
    {
        m_pTable->newCell(1);
        addBox(widths[i], 1);
        if (c.fixed[i])
            m_pTable->setCellFlags(CF_FIXED_WIDTH);
    }
    m_pTable->setHSpacing(10);
    m_pTable->setSize(300, 0);
    EXPECT_EQ(c.expected, cellWidths(0));
    EXPECT_EQ(c.nTableWidth, m_pTable->getWidth());
}

INSTANTIATE_TEST_SUITE_P(
    Worked, TableExtraWidthTest,
    ::testing::Values(ExtraWidthCase{"middleFixed", {false, true, false}, {100, 60, 120}, 300},
                      // 100 / 3 leaves 1 that nobody gets.
                      ExtraWidthCase{"allFlexible", {false, false, false}, {83, 93, 103}, 299},
                      ExtraWidthCase{"allFixed", {true, true, true}, {50, 60, 70}, 200}),
    [](const ::testing::TestParamInfo<ExtraWidthCase>& info) { return info.param.pszName; });

TEST_F(TableLayoutTest, AColumnStaysFixedOnlyWhenEveryCellOverItIsFixed)
{
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(10, 1);
    m_pTable->setCellFlags(CF_FIXED_WIDTH);
    m_pTable->newCell(1);
    addBox(10, 1);
    m_pTable->setCellFlags(CF_FIXED_WIDTH);
    m_pTable->newCell(1);
    addBox(10, 1);
    m_pTable->setCellFlags(CF_FIXED_WIDTH);
    // Column 1 is also covered by a flexible cell; column 2 by a fixed span.
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->setCellFlags(CF_FIXED_WIDTH);
    m_pTable->newCell(1);
    m_pTable->newCell(1);
    m_pTable->setCellFlags(CF_FIXED_WIDTH);
    m_pTable->setSize(100, 0);
    EXPECT_EQ((std::vector<int>{10, 80, 10}), cellWidths(0));
}

TEST_F(TableLayoutTest, RequestedWidthBelowTheContentChangesNothing)
{
    m_pTable->newCell(1);
    addBox(50, 1);
    m_pTable->newCell(1);
    addBox(50, 1);
    m_pTable->setHSpacing(5);
    m_pTable->setSize(104, 0);
    EXPECT_EQ((std::vector<int>{50, 50}), cellWidths(0));
    EXPECT_EQ(105, m_pTable->getWidth());
}

TEST_F(TableLayoutTest, ExtraHeightGoesToEveryRowEmptyRowsIncluded)
{
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pTop = addBox(10, 20);
    m_pTable->newRow(); // no cells
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pBottom = addBox(10, 30);
    m_pTable->setVSpacing(5);
    // 100 - 2 x 5 - 50 = 40: 13 to each of the three rows, 1 dropped.
    m_pTable->setSize(0, 100);
    m_pTable->setPos(0, 0);
    EXPECT_EQ(99, m_pTable->getHeight());
    EXPECT_EQ(33, m_pTable->getCell(0, 0)->m_nHeight);
    EXPECT_EQ(43, m_pTable->getCell(2, 0)->m_nHeight);
    // The empty row takes no room when placed: no height, no spacing.
    EXPECT_EQ(0, pTop->y());
    EXPECT_EQ(38, pBottom->y());
}

TEST_F(TableLayoutTest, EmptyRowCountsItsSpacingInTheSizeButTakesNoRoom)
{
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pTop = addBox(10, 20);
    m_pTable->newRow();
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pBottom = addBox(10, 30);
    m_pTable->setVSpacing(5);
    m_pTable->setPos(3, 7);
    EXPECT_EQ(60, m_pTable->getHeight()) << "20 + 0 + 30 and two spacings";
    EXPECT_EQ(7, pTop->y());
    EXPECT_EQ(7 + 25, pBottom->y());
}

TEST_F(TableLayoutTest, TableWithoutRowsOrCellsMeasuresZero)
{
    m_pTable->setSpacing(8);
    EXPECT_EQ(0, m_pTable->getWidth());
    EXPECT_EQ(0, m_pTable->getHeight());
    m_pTable->newRow();
    m_pTable->relayout();
    EXPECT_EQ(0, m_pTable->getWidth()) << "no columns: no negative spacing";
    EXPECT_EQ(0, m_pTable->getHeight());
}

TEST_F(TableLayoutTest, SpanIsAsWideAsItsColumnsWithoutTheSpacingBetween)
{
    m_pTable->setHSpacing(10);
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(30, 1);
    m_pTable->newCell(1);
    addBox(40, 1);
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pThird = addBox(50, 1);
    m_pTable->newRow();
    m_pTable->newCell(2);
    RIR::SmartPtr<Box> pSpan = addBox(20, 1);
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pAfter = addBox(5, 1);
    m_pTable->setPos(100, 0);
    EXPECT_EQ(70, m_pTable->getCell(1, 0)->m_nWidth);
    EXPECT_EQ(100, pSpan->x());
    EXPECT_EQ(190, pThird->x());
    EXPECT_EQ(180, pAfter->x()) << "one spacing further left than the third column";
}

TEST_F(TableLayoutTest, LayersAreAlignedInTheirCellAndPositionsTruncate)
{
    struct
    {
        int nAlign;
        int nX;
        int nY;
    } const cases[] = {
        {0x34, 40, 50}, // bottom wins over vertical centre; horizontally centred
        {0x09, 0, 0},   // left and top named explicitly
        {0x00, 0, 0},   // no bits: left and top
        {0x22, 80, 25}, // right, vertical centre
        {0x24, 40, 25}, // centre
        {0x12, 80, 50}, // right, bottom
        {0x06, 80, 0},  // right wins over horizontal centre
        {0x21, 0, 25},
    };
    m_pTable->newCell(1);
    addBox(100, 60);
    std::vector<RIR::SmartPtr<Box>> boxes;
    for (const auto& c : cases)
        boxes.push_back(addBox(20, 10, c.nAlign));
    m_pTable->setPosFloat(5.7f, 3.2f);
    for (size_t i = 0; i < boxes.size(); ++i)
    {
        SCOPED_TRACE(::testing::Message() << "alignment 0x" << std::hex << cases[i].nAlign);
        EXPECT_EQ(5 + cases[i].nX, boxes[i]->x());
        EXPECT_EQ(3 + cases[i].nY, boxes[i]->y());
    }
}

TEST_F(TableLayoutTest, EveryLayerIsOfferedItsCellSize)
{
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pFixed = addBox(10, 10);
    RIR::SmartPtr<Box> pStretch = new Box(5, 5, true);
    m_pTable->add(pStretch, 0x24);
    m_pTable->newCell(1);
    addBox(30, 40);
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(25, 1);
    m_pTable->setPos(0, 0);
    EXPECT_EQ(25, pFixed->m_nOfferedW);
    EXPECT_EQ(40, pFixed->m_nOfferedH);
    EXPECT_EQ(10, pFixed->m_nWidth) << "a fixed object keeps its size and is aligned";
    EXPECT_EQ(25, pStretch->m_nWidth);
    EXPECT_EQ(40, pStretch->m_nHeight);
    EXPECT_EQ(0, pStretch->x()) << "a stretched object fills its cell";
}

TEST_F(TableLayoutTest, CellLayersStackAboveTheTableFromTheZBase)
{
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> p0 = addBox(1, 1);
    RIR::SmartPtr<Box> p1 = addBox(1, 1);
    RIR::SmartPtr<Box> p2 = addBox(1, 1);
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pNext = addBox(1, 1);
    m_pTable->newRow();
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pBelow = addBox(1, 1);
    m_pTable->setZOrder(100);
    EXPECT_EQ(103, p0->m_nZ);
    EXPECT_EQ(113, p1->m_nZ);
    EXPECT_EQ(123, p2->m_nZ);
    EXPECT_EQ(103, pNext->m_nZ) << "every cell starts again at the base";
    EXPECT_EQ(103, pBelow->m_nZ);

    m_pTable->setZBaseStep(0, 2);
    m_pTable->setZOrder(-4);
    EXPECT_EQ(-4, p0->m_nZ);
    EXPECT_EQ(-2, p1->m_nZ);
    EXPECT_EQ(0, p2->m_nZ);
}

TEST_F(TableLayoutTest, MovingArrangesWithoutANewLayout)
{
    m_pTable->newCell(1);
    RIR::SmartPtr<Box> pBox = new Box(10, 10, true);
    m_pTable->add(pBox, 0);
    m_pTable->setSize(50, 20);
    m_pTable->setPos(0, 0);
    EXPECT_EQ(50, pBox->m_nWidth);
    pBox->m_nOfferedW = -1;
    m_pTable->setPos(30, 40);
    EXPECT_EQ(-1, pBox->m_nOfferedW) << "a move sizes nothing";
    EXPECT_EQ(30, pBox->x());
    EXPECT_EQ(40, pBox->y());
}

TEST_F(TableLayoutTest, HotSpotFlagAddsTheImageInsertionPoint)
{
    MemImageFactory factory;
    RIR::SmartPtr<Image> pImage = factory.createBlank(32, 32, true);
    pImage->setInsPoint(16, 16);
    RIR::SmartPtr<Sprite> pPlain = new Sprite(pImage, 0, 0, 0);
    RIR::SmartPtr<Sprite> pHot = new Sprite(pImage, 0, 0, 0);
    m_pTable->newCell(1);
    m_pTable->add(pPlain, 0x24);
    m_pTable->newCell(1);
    m_pTable->add(pHot, 0x24);
    m_pTable->setCellFlags(CF_ADD_HOTSPOT);
    m_pTable->newRow();
    m_pTable->newCell(2);
    addBox(100, 50);
    m_pTable->setPos(10, 20);
    // Both cells 50 x 32 (the span shares 100 in proportion to 32 and 32).
    EXPECT_EQ(10 + 9, pPlain->getX());
    EXPECT_EQ(20, pPlain->getY());
    EXPECT_EQ(10 + 50 + 9 + 16, pHot->getX());
    EXPECT_EQ(20 + 16, pHot->getY());
    EXPECT_TRUE(pHot->getMode() == &m_mode) << "a sprite in no mode joins the table's";
}

TEST_F(TableLayoutTest, NestedFramedTableIsMeasuredSizedAndPlacedWithItsBorders)
{
    FakeFramePanelBuilder builder;
    builder.setBorders("thin", 4, 3, 6, 5);
    m_pTable->setFrameBuilder(&builder);
    RIR::SmartPtr<Table> pInner = new Table(&m_mode);
    pInner->setFrameBuilder(&builder);
    pInner->setFrame("thin");
    RIR::SmartPtr<Box> pInnerBox = new Box(20, 10, true);
    pInner->add(pInnerBox, 0);
    m_pTable->newCell(1);
    m_pTable->add(pInner, 0);
    m_pTable->newRow();
    m_pTable->newCell(1);
    addBox(50, 1);
    m_pTable->setPos(100, 200);
    EXPECT_EQ(21, m_pTable->getHeight()) << "10 + 4 + 6 over 1";
    int nW = 0;
    int nH = 0;
    pInner->getSize(&nW, &nH);
    EXPECT_EQ(42, nW) << "cell 50 less the side borders";
    EXPECT_EQ(10, nH);
    EXPECT_EQ(Point(103.0f, 204.0f), pInner->getPosPoint());
    EXPECT_EQ(103, pInnerBox->x());
    ASSERT_TRUE(pInner->getFrameTable());
    EXPECT_EQ(Point(100.0f, 200.0f), pInner->getFrameTable()->getPosPoint());
    EXPECT_EQ((std::vector<std::string>{"thin 50x20"}), builder.m_builds);
}

} // namespace
