// The thief at the register (stealing while the cash allows, clicked out, giving back no more
// than he took) and the thief guard (idle, asleep after his awake time, woken by a click,
// shooting a thief at the register).
#include "world/thiefguard.h"

#include "guesttest.h"

#include <string>

namespace
{

class ThiefTest : public GuestTest
{
protected:
    RIR::SmartPtr<SyntheticThief> thief()
    {
        return bringIn(RIR::SmartPtr<SyntheticThief>(new SyntheticThief));
    }
    // The amounts flown back to the cash bag, in order ("90 90 20 ").
    std::string returns() const
    {
        std::string s;
        RIR::List<RIR::String> l = m_play.calls("flyImage");
        for (int n = 0; n < l.getLength(); ++n)
        {
            const std::string e = l.get(n).c_str();
            if (e.find("text_pay_bucks") == std::string::npos)
                continue;
            const size_t nEnd = e.find(", -1, -1)");
            const size_t nStart = e.rfind(", ", nEnd - 1) + 2;
            s += e.substr(nStart, nEnd - nStart) + " ";
        }
        return s;
    }
    void updateGuard(ThiefGuard* pGuard, float fSeconds)
    {
        for (float f = 0.0f; f < fSeconds; f += DT)
            pGuard->update(DT);
    }
};

} // namespace

TEST_F(ThiefTest, TheThiefRobsTheRegisterWhileTheCashHoldsAWholeAmount)
{
    m_play.setCash(250);
    RIR::SmartPtr<SyntheticThief> pThief = thief();
    ASSERT_TRUE(runUntilState(pThief.get(), Thief::ST_AT_REGISTER));
    EXPECT_EQ(1, count("play.playSound(12, 400)")) << "his tune as he comes in";
    EXPECT_EQ(1, count("play.showFeatureTip(Thief, 400, 250, 2)"));
    int nI = 0;
    int nJ = 0;
    m_pScene->pixelToSquare((int)pThief->getX(), (int)pThief->getY(), &nI, &nJ);
    EXPECT_EQ(std::make_pair(8, 3), std::make_pair(nI, nJ)) << "in front of the register";
    ASSERT_TRUE(runUntilGone(pThief.get()));
    EXPECT_EQ(200, pThief->getStolen());
    EXPECT_EQ(50, m_play.getCash()) << "never a part of an amount";
    EXPECT_EQ(2, count("play.addCash(-100)"));
    EXPECT_EQ(2, count("play.addFadeText(text_rob_robbery,"));
    EXPECT_EQ(2, count("play.addFadeText(text_rob_100,"));
    EXPECT_EQ(2, count("play.playSound(15,"));
    EXPECT_EQ(0, count("play.incStat(6)"));
}

TEST_F(ThiefTest, ClickedOutHeGivesBackNoMoreThanHeTookAndPaysTheRewardOnce)
{
    struct Case
    {
        int nReturn;
        const char* pszReturns;
    };
    for (const Case& c : {Case{0, "200 "}, Case{90, "90 90 20 "}, Case{200, "200 "}})
    {
        SCOPED_TRACE(c.nReturn);
        m_play.getLog()->clear();
        m_play.setCash(450);
        RIR::SmartPtr<SyntheticThief> pThief = thief();
        pThief->setFloat(CP_THIEF_STEAL_AMOUNT, 200.0f);
        pThief->setFloat(CP_THIEF_RETURN_AMOUNT, (float)c.nReturn);
        ASSERT_TRUE(runUntil(pThief.get(), [&] { return pThief->getStolen() == 200; }));
        pThief->onClick(500, 200);
        pThief->onClick(500, 200);
        EXPECT_EQ("", returns()) << "the first two clicks only hit him";
        EXPECT_FALSE(pThief->isLeaving());
        for (int n = 0; n < 5; ++n)
            pThief->onClick(500, 200);
        EXPECT_EQ(c.pszReturns, returns());
        EXPECT_EQ(0, pThief->getStolen());
        EXPECT_EQ(7, count("play.playSound(7,"));
        EXPECT_EQ(1, count("play.incStat(6)"));
        EXPECT_EQ(1, count("play.flyImage(text_rew_bucks, 500, 200, 100, -1, -1)"));
        EXPECT_EQ(1, count("play.addFadeText(text_pay_r100, 500, 165,"));
        EXPECT_FALSE(pThief->wantsClicks()) << "nothing left to give back";
        EXPECT_EQ(Thief::ST_GIVE_UP, pThief->getState()) << "at the register he ends the theft";
        int nSX = 0;
        int nSY = 0;
        pThief->getSpeed(&nSX, &nSY);
        EXPECT_EQ(std::make_pair(240, 150), std::make_pair(nSX, nSY));
        ASSERT_TRUE(runUntilGone(pThief.get()));
        pThief->unmarkSquares();
    }
}

TEST_F(ThiefTest, AThiefExpelledOnHisWayInLeavesAtOnceAndStopsTakingClicks)
{
    RIR::SmartPtr<SyntheticThief> pThief = thief();
    ASSERT_TRUE(runUntil(pThief.get(), [&] { return pThief->isStateQueued(Thief::ST_AT_REGISTER); }));
    for (int n = 0; n < 3; ++n)
        pThief->onClick(400, 300);
    EXPECT_EQ(Thief::ST_LEAVE_ROOM, pThief->getState());
    EXPECT_FALSE(pThief->isAtRegister());
    EXPECT_FALSE(pThief->wantsClicks());
    EXPECT_EQ("", returns());
    EXPECT_EQ(1, count("play.flyImage(text_rew_bucks, 400, 300, 100, -1, -1)"));
    ASSERT_TRUE(runUntilGone(pThief.get()));
    EXPECT_EQ(0, count("play.addCash"));
}

TEST_F(ThiefTest, TheGuardDozesOffAfterHisAwakeTimeAndIgnoresAThiefUntilWoken)
{
    RIR::SmartPtr<ThiefGuard> pGuard = new ThiefGuard("mariachi");
    m_play.setThiefGuard(pGuard.get());
    EXPECT_FALSE(m_pScene->getSquare(1, 12)->bWalkable) << "walkers go round him";
    EXPECT_EQ(5, pGuard->getLayers().getLength());
    updateGuard(pGuard.get(), 119.0f);
    EXPECT_EQ(ThiefGuard::ST_IDLE, pGuard->getState());
    updateGuard(pGuard.get(), 2.0f);
    EXPECT_TRUE(pGuard->isAsleep());
    updateGuard(pGuard.get(), 3.5f);
    EXPECT_EQ(ThiefGuard::ST_ASLEEP, pGuard->getState());
    EXPECT_GE(count("play.addFadeText(zzz,"), 2);
    EXPECT_EQ(count("play.addFadeText(zzz,"), count("play.showFadeText"));

    m_play.setCash(1000);
    RIR::SmartPtr<SyntheticThief> pThief = thief();
    auto guard = [&] { pGuard->update(DT); };
    ASSERT_TRUE(runUntil(pThief.get(), [&] { return pThief->getStolen() >= 200; }, 4000, guard));
    EXPECT_EQ(ThiefGuard::ST_ASLEEP, pGuard->getState()) << "a sleeping guard sees nothing";
    EXPECT_EQ(pThief, pGuard->getTarget());

    const Rect bounds = pGuard->getLayers().get(0)->getBounds();
    ASSERT_TRUE(pGuard->containsPoint((bounds.left + bounds.right) / 2,
                                      (bounds.top + bounds.bottom) / 2));
    pGuard->wakeUp();
    EXPECT_EQ(ThiefGuard::ST_RAISE, pGuard->getState()) << "woken next to a thief he fires at once";
    ASSERT_TRUE(
        runUntil(pThief.get(), [&] { return count("play.removeCharacter") > 0; }, 4000, guard));
    // At least three rounds, each with the guard's own shot sound and none of the thief's (a
    // round fired after he turned to go misses, heard at x 750).
    EXPECT_GE(count("play.playSound(7, -1000)"), 3);
    EXPECT_EQ(count("play.playSound(7, ") - count("play.playSound(7, -1000)"),
              count("play.playSound(7, 750)"));
    EXPECT_EQ(1, count("play.incStat(6)"));
    EXPECT_NE("", returns());
    EXPECT_FALSE(pGuard->getTarget());
    updateGuard(pGuard.get(), 3.0f);
    EXPECT_EQ(ThiefGuard::ST_IDLE, pGuard->getState()) << "he lowers his weapon";
    EXPECT_GT(pGuard->getAwakeTime(), 110.0f) << "his awake time starts again";
}

TEST_F(ThiefTest, TheDogShowsHisGunToFireAndTheFlashGoesOut)
{
    RIR::SmartPtr<ThiefGuard> pGuard = new ThiefGuard("dog");
    m_play.setThiefGuard(pGuard.get());
    ASSERT_TRUE(pGuard->getGunSprite());
    m_play.setCash(1000);
    RIR::SmartPtr<SyntheticThief> pThief = thief();
    bool bFlash = false;
    bool bGun = false;
    auto guard = [&]
    {
        pGuard->update(DT);
        bFlash = bFlash || pGuard->isFlashShown();
        bGun = bGun || pGuard->getGunSprite()->isVisible();
    };
    pGuard->getGunSprite()->setVisible(false);
    ASSERT_TRUE(runUntil(pThief.get(), [&] { return count("play.removeCharacter") > 0; }, 4000,
                         guard));
    EXPECT_TRUE(bFlash);
    EXPECT_TRUE(bGun);
    // He fires until the thief, beaten at the third hit, has turned to leave.
    EXPECT_GE(count("play.playSound(8, -1000)"), 3);
    EXPECT_EQ(1, count("play.incStat(6)"));
    EXPECT_EQ(count("play.playSound(7, 750)"), count("play.playSound(7,"))
        << "the hits make no sound of their own (a round fired after he turned misses)";
    updateGuard(pGuard.get(), 3.0f);
    EXPECT_FALSE(pGuard->isFlashShown());
    EXPECT_FALSE(pGuard->getGunSprite()->isVisible()) << "put away after firing";
}

TEST_F(ThiefTest, AnUnknownGuardIsAFatalError)
{
    try
    {
        RIR::SmartPtr<ThiefGuard> pGuard = new ThiefGuard("parrot");
        ADD_FAILURE() << "no error";
    }
    catch (const RIR::Exception& e)
    {
        EXPECT_STREQ("Unknown thief guard 'parrot'", e.getMessage());
    }
}
