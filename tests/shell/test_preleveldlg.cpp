// The pre-level page: the title, picture and text of the week or text form, the skip offered on
// the tutorial to a player who has done it, the won story result a skip hands over, and Enter.
#include "shell/kit/dialogtest.h"

#include "shell/dbdapp.h"
#include "shell/preleveldlg.h"

#include "level/gameresults.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <string>

namespace
{

class PreLevelDlgTest : public DialogTest
{
protected:
    PreLevelDlgTest()
    {
        m_fx.addPicture("prelevel3", 160, 120, 0xA08060FF);
        m_fx.addPicture("prelevelcampaign", 160, 120, 0x6080A0FF);
        start();
    }

    // The texts of the dialog's labels, in the order of its sprites.
    bool showsText(PreLevelDlg* pDialog, const char* pszText)
    {
        RIR::List<RIR::SmartPtr<Sprite>> lSprites = pDialog->getSprites();
        for (int n = 0; n < lSprites.getLength(); ++n)
        {
            Label* pLabel = dynamic_cast<Label*>(lSprites.get(n).get());
            if (pLabel && pLabel->getText() == pszText)
                return true;
        }
        return false;
    }
};

} // namespace

TEST_F(PreLevelDlgTest, SkipIsOfferedOnlyOnTheTutorialToAPlayerWhoHasDoneIt)
{
    struct Case
    {
        int nWeek;
        const char* pszDone;
        bool bSkip;
    };
    for (const Case& c : {Case{0, "TRUE", true}, Case{0, "FALSE", false}, Case{0, "", false},
                          Case{3, "TRUE", false}, Case{1, "TRUE", false}})
    {
        SCOPED_TRACE(c.nWeek);
        m_pApp->setSetting("DoneTutorial", c.pszDone);
        PreLevelDlg* pDialog = push(new PreLevelDlg(c.nWeek, 500));
        EXPECT_EQ(c.bSkip, pDialog->hasSkip());
        EXPECT_TRUE(showsText(pDialog, ("Week " + std::to_string(c.nWeek + 1)).c_str()));
        pDialog->endMode();
    }
}

TEST_F(PreLevelDlgTest, SkipHandsOverAWonStoryDayAndEnds)
{
    m_pApp->setSetting("DoneTutorial", "TRUE");
    PreLevelDlg* pDialog = push(new PreLevelDlg(0, 0));
    pDialog->onCallback(PreLevelDlg::ID_SKIP, 0);
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    ASSERT_TRUE(m_pApp->hasLastResults());
    GameResults* pResults = m_pApp->takeLastResults();
    EXPECT_EQ(GT_STORY, pResults->nGameType);
    EXPECT_FALSE(pResults->bAborted);
    EXPECT_EQ(0, pResults->nCash);
    EXPECT_EQ(0, pResults->nTimeBonus);
    EXPECT_TRUE(pResults->bWon);
    EXPECT_FALSE(pResults->bTryAgain);
    delete pResults;
}

TEST_F(PreLevelDlgTest, SkipWithAResultPendingFailsWithoutLosingEitherRecord)
{
    m_pApp->setSetting("DoneTutorial", "TRUE");
    GameResults* pPending = new GameResults();
    pPending->nCash = 77;
    m_pApp->setLastResults(pPending);
    PreLevelDlg* pDialog = push(new PreLevelDlg(0, 0));
    EXPECT_THROW(pDialog->onCallback(PreLevelDlg::ID_SKIP, 0), RIR::AssertFailException);
    EXPECT_EQ(77, m_pApp->getLastResults()->nCash);
}

TEST_F(PreLevelDlgTest, ContinueAndEnterEndWithoutAResult)
{
    PreLevelDlg* pDialog = push(new PreLevelDlg(3, 900));
    EXPECT_FALSE(pDialog->keyDown('a', 0));
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
    EXPECT_TRUE(pDialog->keyDown(13, 0));
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    EXPECT_FALSE(m_pApp->hasLastResults());

    pDialog = push(new PreLevelDlg(3, 900));
    pDialog->onCallback(5, 0); // not a button of the dialog
    EXPECT_EQ(pDialog, m_pApp->getTopMode());
    pDialog->onCallback(PreLevelDlg::ID_CONTINUE, 0);
    EXPECT_EQ(m_pBottom, m_pApp->getTopMode());
    EXPECT_FALSE(m_pApp->hasLastResults());
}

TEST_F(PreLevelDlgTest, PictureAndTextComeFromTheDayTextAndThePictureIsOptional)
{
    PreLevelDlg* pWeek = push(new PreLevelDlg(3, 900));
    EXPECT_TRUE(pWeek->hasPicture());
    EXPECT_TRUE(showsText(pWeek, "Old Hank."));
    pWeek->endMode();

    // Week 0 has no picture among the test's pictures: title, text and buttons only.
    PreLevelDlg* pNoPicture = push(new PreLevelDlg(0, 0));
    EXPECT_FALSE(pNoPicture->hasPicture());
    EXPECT_TRUE(showsText(pNoPicture, "The first evening."));
    pNoPicture->endMode();

    PreLevelDlg* pCampaign = push(PreLevelDlg::withText("campaign"));
    EXPECT_EQ(-1, pCampaign->getWeek());
    EXPECT_TRUE(pCampaign->hasPicture());
    EXPECT_FALSE(pCampaign->hasSkip());
    EXPECT_TRUE(showsText(pCampaign, "The Territory"));
    EXPECT_TRUE(showsText(pCampaign, "Twenty towns."));
}
