// Table model: building rows and cells, which mode the contents join, size requests, named
// objects, look-ups, and taking the contents out of the mode.
#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "ui/table.h"

#include "tablekit.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(std::is_base_of_v<IVisualObject, Table>, "tables nest wherever sprites go");
static_assert(!std::is_copy_constructible_v<Table>, "a table is shared by handle, not copied");

namespace
{

class TableTest : public ::testing::Test
{
protected:
    TableTest() : m_pTable(new Table(&m_mode)) {}

    GameMode m_mode;
    RIR::SmartPtr<Table> m_pTable;
};

TEST_F(TableTest, AddOnANewTableMakesTheFirstRowAndCell)
{
    m_pTable->add(new Box(1, 1), 0);
    EXPECT_EQ(1, m_pTable->getRowCount());
    EXPECT_EQ(1, m_pTable->getCellCount(0));
    EXPECT_EQ(1, m_pTable->getCell(0, 0)->m_nSpan);
    EXPECT_EQ(1, m_pTable->getLayerCount(0, 0));

    RIR::SmartPtr<Table> pOther = new Table(&m_mode);
    pOther->setCellFlags(CF_FIXED_WIDTH);
    ASSERT_EQ(1, pOther->getRowCount());
    EXPECT_EQ(CF_FIXED_WIDTH, pOther->getCell(0, 0)->m_nFlags);

    // A new row starts without cells; the next add makes one there.
    m_pTable->newRow();
    EXPECT_EQ(0, m_pTable->getCellCount(1));
    m_pTable->add(new Box(1, 1), 0);
    EXPECT_EQ(1, m_pTable->getCellCount(1));
    m_pTable->newCell(0);
    EXPECT_EQ(1, m_pTable->getCell(1, 1)->m_nSpan) << "a span is at least 1";
}

TEST_F(TableTest, SpritesWithoutAModeJoinTheTablesOthersStay)
{
    GameMode other;
    RIR::SmartPtr<Sprite> pFree = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pOwned = new Sprite(0, 0, 0);
    other.addSprite(pOwned);
    m_pTable->add(pFree, 0);
    m_pTable->add(pOwned, 0);
    EXPECT_TRUE(pFree->getMode() == &m_mode);
    EXPECT_TRUE(pOwned->getMode() == &other);
    EXPECT_EQ(1, m_mode.getSprites().getLength());
    EXPECT_THROW(m_pTable->add(nullptr, 0), RIR::AssertFailException);
}

TEST_F(TableTest, SizeFlagsChooseWhichDimensionASizeRequestChanges)
{
    m_pTable->add(new Box(10, 10), 0);
    m_pTable->setFlags(TSF_WIDTH);
    m_pTable->setSize(300, 200);
    int nW = 0;
    int nH = 0;
    m_pTable->getSize(&nW, &nH);
    EXPECT_EQ(300, nW);
    EXPECT_EQ(10, nH);

    m_pTable->setFlags(TSF_HEIGHT);
    m_pTable->setSizePoint(Point(20.9f, 50.9f));
    EXPECT_EQ(Point(300.0f, 50.0f), m_pTable->getSizePoint());
}

TEST_F(TableTest, FindObjectSearchesNestedTablesAfterItsOwnNames)
{
    RIR::SmartPtr<Table> pMiddle = new Table(&m_mode);
    RIR::SmartPtr<Table> pInner = new Table(&m_mode);
    RIR::SmartPtr<Box> pDeep = new Box(1, 1);
    RIR::SmartPtr<Box> pShadowed = new Box(1, 1);
    RIR::SmartPtr<Box> pOuterOk = new Box(1, 1);
    pInner->add(pDeep, 0);
    pInner->nameLast("deep");
    pInner->add(pShadowed, 0);
    pInner->nameLast("ok");
    pMiddle->add(pInner, 0);
    m_pTable->add(pMiddle, 0);
    m_pTable->add(pOuterOk, 0);
    m_pTable->nameLast("ok");

    EXPECT_EQ(pDeep.get(), m_pTable->findObject("deep").get());
    EXPECT_EQ(pOuterOk.get(), m_pTable->findObject("ok").get()) << "the outer name wins";
    EXPECT_EQ(pShadowed.get(), pInner->findObject("ok").get());
    EXPECT_FALSE(m_pTable->findObject("missing"));

    RIR::SmartPtr<Box> pLater = new Box(1, 1);
    m_pTable->add(pLater, 0);
    m_pTable->nameLast("ok");
    EXPECT_EQ(pLater.get(), m_pTable->findObject("ok").get()) << "a later object replaces";

    RIR::SmartPtr<Table> pEmpty = new Table(&m_mode);
    EXPECT_THROW(pEmpty->nameLast("x"), RIR::BadStateException);
    EXPECT_EQ(0, pEmpty->getRowCount()) << "naming builds nothing";
}

TEST_F(TableTest, LookUpsOutsideTheListsRaiseTheListError)
{
    m_pTable->add(new Box(1, 1), 0);
    EXPECT_THROW(m_pTable->getCellCount(1), RIR::FatalErrorException);
    EXPECT_THROW(m_pTable->getLayerCount(0, 1), RIR::FatalErrorException);
    EXPECT_THROW(m_pTable->getObject(0, 0, 1), RIR::FatalErrorException);
    EXPECT_THROW(m_pTable->getObject(-1, 0, 0), RIR::FatalErrorException);
}

TEST_F(TableTest, ClearEmptiesTheModeAndKeepsTheLastSizeUntilInvalid)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    m_pTable->add(pSprite, 0);
    m_pTable->add(new Box(30, 20), 0);
    m_pTable->setPos(0, 0);
    m_pTable->clear();
    EXPECT_EQ(nullptr, pSprite->getMode());
    EXPECT_EQ(0, m_pTable->getRowCount());
    EXPECT_EQ(30, m_pTable->getWidth());
    EXPECT_EQ(20, m_pTable->getHeight());
    m_pTable->relayout();
    EXPECT_EQ(0, m_pTable->getWidth());
}

TEST_F(TableTest, GetSpritesListsFrameThenContentsDepthFirst)
{
    FakeFramePanelBuilder builder;
    builder.setBorders("", 1, 1, 1, 1);
    m_pTable->setFrameBuilder(&builder);
    RIR::SmartPtr<Sprite> pA = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pB = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pC = new Sprite(0, 0, 0);
    RIR::SmartPtr<Table> pInner = new Table(&m_mode);
    pInner->add(pB, 0);
    m_pTable->add(pA, 0);
    m_pTable->add(new Box(1, 1), 0);
    m_pTable->newCell(1);
    m_pTable->add(pInner, 0);
    m_pTable->newRow();
    m_pTable->add(pC, 0);
    RIR::SmartPtr<Sprite> pAttached = new Sprite(0, 0, 0);
    m_mode.addSprite(pAttached);
    m_pTable->attachSprite(pAttached, 0, 0);
    m_pTable->setFrame("");
    m_pTable->setPos(0, 0);

    RIR::List<RIR::SmartPtr<Sprite>> lFlat = m_pTable->getSprites(false);
    ASSERT_EQ(2, lFlat.getLength());
    EXPECT_EQ(pA, lFlat.get(0));
    EXPECT_EQ(pC, lFlat.get(1));
    RIR::List<RIR::SmartPtr<Sprite>> lAll = m_pTable->getSprites(true);
    ASSERT_EQ(4, lAll.getLength());
    EXPECT_EQ(builder.m_pLastPiece, lAll.get(0));
    EXPECT_EQ(pA, lAll.get(1));
    EXPECT_EQ(pB, lAll.get(2));
    EXPECT_EQ(pC, lAll.get(3));
    m_pTable->destroyContents();
}

TEST_F(TableTest, NestedContentsLeaveTheModeWithTheirTable)
{
    RIR::SmartPtr<Sprite> pOuter = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pInnerSprite = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pInnerAttached = new Sprite(0, 0, 0);
    RIR::SmartPtr<Table> pInner = new Table(&m_mode);
    pInner->add(pInnerSprite, 0);
    m_mode.addSprite(pInnerAttached);
    pInner->attachSprite(pInnerAttached, 0, 0);
    m_pTable->add(pOuter, 0);
    m_pTable->add(pInner, 0);
    m_pTable->removeContentsFromMode();
    EXPECT_EQ(0, m_mode.getSprites().getLength());
    EXPECT_EQ(pInnerSprite, pInner->getObject(0, 0, 0));

    // Back in, then destroyed: the layers let go of their objects.
    m_mode.addSprite(pOuter);
    m_mode.addSprite(pInnerSprite);
    m_pTable->destroyContents();
    EXPECT_EQ(0, m_mode.getSprites().getLength());
    EXPECT_FALSE(m_pTable->getObject(0, 0, 0));
    EXPECT_FALSE(pInner->getObject(0, 0, 0));
    m_pTable->relayout(); // a destroyed table still lays out, empty
    EXPECT_EQ(0, m_pTable->getWidth());
}

TEST_F(TableTest, TableThatOwnsItsContentsEmptiesTheModeWhenItGoes)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    RIR::SmartPtr<Sprite> pAttached = new Sprite(0, 0, 0);
    {
        RIR::SmartPtr<Table> pTable = new Table(&m_mode);
        pTable->add(pSprite, 0);
        m_mode.addSprite(pAttached);
        pTable->attachSprite(pAttached, 0, 0);
        pTable->setOwnsContents(true);
    }
    EXPECT_EQ(nullptr, pSprite->getMode());
    EXPECT_TRUE(pAttached->getMode() == &m_mode) << "attached sprites are only forgotten";
    {
        RIR::SmartPtr<Table> pTable = new Table(&m_mode);
        pTable->add(pSprite, 0);
    }
    EXPECT_TRUE(pSprite->getMode() == &m_mode) << "without ownership the contents stay";
}

TEST_F(TableTest, LayoutIndentIsEmptyOutsideAnyPass)
{
    EXPECT_EQ(RIR::String(""), Table::getLayoutIndent());
}

} // namespace
