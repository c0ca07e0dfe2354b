// FlyThing's parabola and its end, and CashDigits' digit pictures and rows.
#include "world/cashdigits.h"
#include "world/flything.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "gfx/animsprite.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"
#include "world/kit/syntheticanimation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

TEST(FlyThingTest, MovesWhileTUpToOneAndIsDoneAfter)
{
    RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
    RIR::SmartPtr<FlyThing> pFly = new FlyThing(pSprite, 1.5f);
    pFly->setPath(100, 400, 700, 400, 250);
    pFly->setCashValue(120);
    std::vector<int> lXs;
    int nUpdates = 0;
    while (!pFly->isDone())
    {
        const int nX = pSprite->getX();
        pFly->update(0.1f);
        ++nUpdates;
        if (pSprite->getX() != nX)
            lXs.push_back(pSprite->getX());
    }
    EXPECT_EQ(7, nUpdates); // t = 1.05 at the seventh, without a move
    const std::vector<int> lExpected = {190, 280, 370, 460, 550, 640};
    EXPECT_EQ(lExpected, lXs);
    EXPECT_EQ(640, pSprite->getX());
    EXPECT_EQ(120, pFly->getCashValue());
}

TEST(FlyThingTest, TheCurveRisesTowardsTheControlHeight)
{
    struct Case
    {
        int nY1;       // end height (start 400)
        float fT;      // one update of fT seconds at speed 1
        float fB, fA;
        int nY;        // sprite y then
    } const cases[] = {
        {400, 0.5f, -450.0f, 450.0f, 287}, // same height: 112.5 above at half-way
        {300, 0.64f, -450.0f, 350.0f, 255}, // 100 higher: y0 - 144.6 at t 0.64
        {300, 1.0f, -450.0f, 350.0f, 300},  // lands on the end point
    };
    for (const Case& c : cases)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(0, 0, 0);
        RIR::SmartPtr<FlyThing> pFly = new FlyThing(pSprite, 1.0f);
        pFly->setPath(200, 400, 600, c.nY1, 250);
        EXPECT_NEAR(c.fB, pFly->getB(), 0.001f);
        EXPECT_NEAR(c.fA, pFly->getA(), 0.001f);
        pFly->update(c.fT);
        EXPECT_EQ(c.nY, pSprite->getY()) << c.fT;
        EXPECT_EQ((int)(200 + 400 * c.fT), pSprite->getX());
    }
}

TEST(FlyThingTest, AnAnimatedSpriteAdvancesWithTheFlight)
{
    RIR::SmartPtr<AnimSprite> pBottle =
        new AnimSprite(SyntheticAnimation(10.0f).sequence("throw_r", 8, true).build(), 0, 0, 0);
    RIR::SmartPtr<FlyThing> pFly = new FlyThing(RIR::SmartPtr<Sprite>(pBottle.get()), 1.5f);
    pFly->setPath(0, 0, 100, 0, -150);
    pFly->update(0.001f);
    pFly->update(0.25f);
    EXPECT_EQ(2, pBottle->getFrame());
}

namespace
{

// A headless application holding a picture "cash_digits" of 105 x 3 pixels.
class CashDigitsTest : public ::testing::Test
{
protected:
    CashDigitsTest() : m_pFolder(new TempFolder())
    {
        openLog(m_pFolder->at("world.log").c_str());
        m_pApp.reset(new GameApp());
        m_pFactory.reset(new MemImageFactory());
        // Installed after the application, so pictures are made by the in-memory factory.
        m_pEnv.reset(new MemImageEnvironment(m_pFactory.get()));
        m_pApp->addImage("cash_digits", RIR::SmartPtr<Image>(m_pFactory->createBlank(105, 3, true)));
        CashDigits::releaseDigitImages();
    }
    ~CashDigitsTest() override
    {
        CashDigits::releaseDigitImages();
        m_pEnv.reset();
        m_pFactory.reset();
        m_pApp.reset();
        closeLog();
    }

    static std::string shown(const CashDigits& digits)
    {
        std::string s;
        for (int n = 0; n < digits.getDigitCount(); ++n)
            s += (char)('0' + digits.getShownDigit(n));
        return s;
    }

    std::unique_ptr<TempFolder> m_pFolder;
    std::unique_ptr<GameApp> m_pApp;
    std::unique_ptr<MemImageFactory> m_pFactory;
    std::unique_ptr<MemImageEnvironment> m_pEnv;
};

} // namespace

TEST_F(CashDigitsTest, TenCellsOfAWholeTenthOfTheWidth)
{
    for (int nDigit = 0; nDigit < 10; ++nDigit)
    {
        RIR::SmartPtr<Image> pImage = CashDigits::getDigitImage(nDigit);
        ASSERT_TRUE(pImage);
        EXPECT_EQ(10, pImage->getWidth());
        EXPECT_EQ(3, pImage->getHeight());
    }
    // Cut once: the same pictures every time.
    EXPECT_EQ(CashDigits::getDigitImage(7).get(), CashDigits::getDigitImage(7).get());
    EXPECT_NE(CashDigits::getDigitImage(7).get(), CashDigits::getDigitImage(8).get());
}

TEST_F(CashDigitsTest, RowsShowLeadingZerosAndTheLastDigitsOfWideAmounts)
{
    struct Case
    {
        int nDigits;
        int nValue;
        const char* pszShown;
    } const cases[] = {
        {3, 25, "025"}, {2, 345, "45"}, {5, 0, "00000"}, {4, 9071, "9071"}, {1, 10, "0"},
    };
    GameMode mode;
    for (const Case& c : cases)
    {
        RIR::SmartPtr<CashDigits> pRow = new CashDigits(&mode, c.nDigits);
        EXPECT_EQ(std::string(c.nDigits, '0'), shown(*pRow));
        pRow->setValue(c.nValue);
        EXPECT_EQ(c.pszShown, shown(*pRow));
        EXPECT_EQ(c.nValue, pRow->getValue());
        EXPECT_EQ(c.nDigits, mode.getSprites().getLength());
    }
    EXPECT_EQ(0, mode.getSprites().getLength()); // each row took its digits with it
}

TEST_F(CashDigitsTest, TheRowKeepsTheSizeOfItsDigits)
{
    GameMode mode;
    RIR::SmartPtr<CashDigits> pRow = new CashDigits(&mode, 4);
    pRow->setPos(100, 50);
    pRow->setSize(500, 500);
    int nW = 0;
    int nH = 0;
    pRow->getSize(&nW, &nH);
    EXPECT_EQ(40, nW);
    EXPECT_EQ(3, nH);
    const RIR::List<RIR::SmartPtr<Sprite>> lSprites = mode.getSprites();
    ASSERT_EQ(4, lSprites.getLength());
    std::vector<int> lXs;
    for (int n = 0; n < 4; ++n)
    {
        lXs.push_back(lSprites.get(n)->getX());
        EXPECT_EQ(50, lSprites.get(n)->getY());
    }
    std::sort(lXs.begin(), lXs.end());
    const std::vector<int> lExpected = {100, 110, 120, 130};
    EXPECT_EQ(lExpected, lXs);
    pRow->setVisible(false);
    EXPECT_FALSE(lSprites.get(0)->isVisible());
    EXPECT_EQ("AssertFailException: Assertion failed : nValue >= 0",
              [&] {
                  try
                  {
                      pRow->setValue(-1);
                  }
                  catch (const RIR::Exception& e)
                  {
                      return std::string(e.getClassName()) + ": " + e.getMessage();
                  }
                  return std::string();
              }());
}
