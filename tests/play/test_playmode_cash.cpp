// The day's cash and screen effects on the game's packs: the bag's fill levels, the cash text,
// rising fade texts with their faded pictures made once, flying money with its substitute
// picture, and the money still in the air at the end of the day.
#include "play/kit/playkit.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

namespace
{

class PlayCashTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

RIR::String bagImage(PlayMode* pDay)
{
    return pDay->getCashBag()->getImage()->getName();
}

// A story day and difficulty whose cash goal is nGoal; false when there is none.
bool findStoryDay(int nGoal, int* pnLevel, int* pnDifficulty)
{
    for (int nLevel = 1; nLevel < DifficultyManager::STORY_LEVELS; ++nLevel)
        for (int nDiff = 0; nDiff < DifficultyManager::DIFFICULTIES; ++nDiff)
            if (DifficultyManager::getStoryCashGoal(nLevel, nDiff) == nGoal)
            {
                *pnLevel = nLevel;
                *pnDifficulty = nDiff;
                return true;
            }
    return false;
}

TEST_F(PlayCashTest, BagFillsInTenthsOfTheGoal)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    struct Case
    {
        int nCash;
        int nLevel;
    };
    struct Day
    {
        int nGameType;
        int nGoal;
        std::vector<Case> lCases; // rising cash
    };
    const Day aDays[] = {
        {GT_STORY,
         1500,
         {{0, 0}, {149, 0}, {150, 1}, {299, 1}, {300, 2}, {1349, 8}, {1350, 9}, {9000, 9}}},
        {GT_TIMED, 5000, {{0, 0}, {499, 0}, {500, 1}, {4499, 8}, {4500, 9}, {20000, 9}}},
    };
    for (const Day& day : aDays)
    {
        int nLevel = 5;
        int nDifficulty = 1;
        if (day.nGameType == GT_STORY)
        {
            ASSERT_TRUE(findStoryDay(day.nGoal, &nLevel, &nDifficulty)) << "a story goal of 1500";
        }
        PlayKit kit;
        PlayMode* pDay = kit.startDay(day.nGameType, 180, nDifficulty, nLevel);
        for (const Case& c : day.lCases)
        {
            pDay->addCash(c.nCash - pDay->getCash());
            EXPECT_EQ(RIR::String::format("bolsa_%d", c.nLevel), bagImage(pDay))
                << "goal " << day.nGoal << ", cash " << c.nCash;
        }
    }
}

TEST_F(PlayCashTest, CashNeverGoesBelowZero)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    pDay->addCash(120);
    pDay->addCash(-20);
    EXPECT_EQ(100, pDay->getCash());
    EXPECT_THROW(pDay->addCash(-101), RIR::AssertFailException);
}

TEST_F(PlayCashTest, FadeTextFadesThroughItsAlphaPicturesAndEndsAtItsDuration)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    RIR::SmartPtr<FadeText> pText =
        pDay->addFadeText("text_pay_bucks", 300, 400, 2000, 50.0f, 1.0f);
    ASSERT_EQ(1, pDay->getFadeTexts().getLength());
    m_kit.frame(0.01f);
    EXPECT_EQ(m_kit.app()->getImage("text_pay_bucks_alpha225").get(),
              pText->pSprite->getImage().get());
    EXPECT_EQ(399, pText->pSprite->getY()) << "risen by 50 px/s";
    m_kit.run(0.90f);
    EXPECT_EQ(m_kit.app()->getImage("text_pay_bucks_alpha0").get(),
              pText->pSprite->getImage().get())
        << "the last tenth";
    EXPECT_EQ(1, pDay->getFadeTexts().getLength());
    m_kit.run(0.09f - 0.001f);
    EXPECT_EQ(1, pDay->getFadeTexts().getLength());
    m_kit.frame(0.002f);
    EXPECT_EQ(0, pDay->getFadeTexts().getLength()) << "gone at 1.0 s";
}

TEST_F(PlayCashTest, FadedPicturesAreMadeOnceFromTheBaseAndCached)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    RIR::SmartPtr<Image> pBase = m_kit.app()->getImage("text_pay_r50");
    const Color before = pBase->getPixelAt(pBase->getWidth() / 2, pBase->getHeight() / 2);
    ASSERT_FALSE(m_kit.app()->canLoadImage("text_pay_r50_alpha200"));

    RIR::SmartPtr<FadeText> pFirst = pDay->addFadeText("text_pay_r50", 300, 400, 2000, 0.0f, 1.0f);
    m_kit.run(0.15f);
    RIR::SmartPtr<Image> pFaded = pFirst->pSprite->getImage();
    ASSERT_EQ(m_kit.app()->getImage("text_pay_r50_alpha200").get(), pFaded.get());
    RIR::SmartPtr<FadeText> pSecond = pDay->addFadeText("text_pay_r50", 500, 400, 2000, 0.0f, 1.0f);
    m_kit.run(0.15f);
    EXPECT_EQ(pFaded.get(), pSecond->pSprite->getImage().get()) << "made once, then cached";

    const Color after = pBase->getPixelAt(pBase->getWidth() / 2, pBase->getHeight() / 2);
    EXPECT_EQ(before.a, after.a) << "the base picture keeps its alpha";
    const Color faded = pFaded->getPixelAt(pBase->getWidth() / 2, pBase->getHeight() / 2);
    if (before.a != 0)
    {
        EXPECT_EQ(before.a * 200 / 256, faded.a);
    }
}

TEST_F(PlayCashTest, MissingFadePictureIsAFatalError)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    try
    {
        pDay->addFadeText("no_such_picture", 300, 400, 2000, 0.0f, 1.0f);
        FAIL() << "no error";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Image no_such_picture not found\n", e.getMessage());
    }
}

TEST_F(PlayCashTest, MoneyPaysWhenItLandsAndAMissingPictureFliesAsARedBox)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    testing::internal::CaptureStdout();
    pDay->flyImage("no_such_coin", 200, 300, 110);
    EXPECT_EQ("WARNING : Image no_such_coin not found\n", testing::internal::GetCapturedStdout());
    ASSERT_EQ(1, pDay->getFlyThings().getLength());
    RIR::SmartPtr<Image> pBox = pDay->getFlyThings().get(0)->getSprite()->getImage();
    EXPECT_EQ(50, pBox->getWidth());
    EXPECT_EQ(25, pBox->getHeight());
    const Color red = pBox->getPixelAt(0, 0);
    EXPECT_EQ(255, red.r);
    EXPECT_EQ(0, red.g);
    EXPECT_EQ(0, red.b);
    EXPECT_EQ(pBox.get(), m_kit.app()->getImage("no_such_coin").get()) << "cached under its name";

    pDay->flyImage("text_pay_bucks", 200, 300, 0);
    EXPECT_TRUE(m_kit.runUntil([&] { return pDay->getFlyThings().isEmpty(); }, 10.0f));
    EXPECT_EQ(110, pDay->getCash()) << "the box paid, the picture of value 0 paid nothing";
}

TEST_F(PlayCashTest, MoneyInTheAirIsPaidBeforeTheResultsAndOnlyOnce)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("EndLevelTime", "0");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 20, 1, 5);
    m_kit.run(20.0f, 0.05f);
    pDay->flyImage("text_pay_bucks", 200, 300, 90);
    pDay->flyImage("text_pay_bucks", 250, 300, 120);
    m_kit.run(0.05f, 0.05f);
    ASSERT_FALSE(pDay->isClosed());
    m_kit.frame(0.05f);
    ASSERT_TRUE(pDay->isEnded());
    ASSERT_EQ(2, pDay->getFlyThings().getLength()) << "still in the air";
    ASSERT_NE(nullptr, m_kit.app()->getLastResults());
    EXPECT_EQ(210, m_kit.app()->getLastResults()->nCash);
    pDay->cashInFlyThings();
    EXPECT_EQ(210, pDay->getCash()) << "nothing is paid twice";
}

} // namespace
