// Table debug display: a light rectangle per cell and a dark one per row, two above the table,
// replaced at every arrangement.
#include "app/gameapp.h"
#include "app/gamemode.h"
#include "gfx/sprite.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "ui/table.h"

#include "tablekit.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

namespace
{

TEST(TableDebugTest, CellAndRowRectanglesSitUnderTheContents)
{
    GameApp app;
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    app.setPlatform(pPlatform);
    GameMode mode;

    RIR::SmartPtr<Table> pTable = new Table(&mode);
    pTable->add(new Box(30, 20), 0);
    pTable->newCell(1);
    pTable->add(new Box(40, 20), 0);
    pTable->newRow(); // takes no room and gets no rectangle
    pTable->setDebugDisplay(true);
    pTable->setZOrder(5);
    pTable->setHSpacing(4);
    pTable->setVSpacing(6);
    pTable->setPos(10, 20);

    RIR::List<RIR::SmartPtr<Sprite>> lSprites = mode.getSprites();
    ASSERT_EQ(3, lSprites.getLength()) << "earlier arrangements left nothing behind";
    struct
    {
        int nX, nY, nW, nH;
    } const expected[] = {{13, 23, 29, 21}, {47, 23, 39, 21}, {10, 20, 77, 25}};
    for (const auto& e : expected)
    {
        SCOPED_TRACE(::testing::Message() << "at " << e.nX << "," << e.nY);
        int nFound = 0;
        for (int i = 0; i < lSprites.getLength(); ++i)
        {
            RIR::SmartPtr<Sprite> pRect = lSprites.get(i);
            if (pRect->getX() == e.nX && pRect->getY() == e.nY && pRect->getZOrder() == 7 &&
                pRect->getWidth() == e.nW && pRect->getHeight() == e.nH)
                ++nFound;
        }
        EXPECT_EQ(1, nFound);
    }

    pTable->setDebugDisplay(false);
    pTable->relayout();
    EXPECT_EQ(0, mode.getSprites().getLength());
}

} // namespace
