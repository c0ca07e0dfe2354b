// Sounds, the tutorial and the one-time tips of a saloon day on the game's packs, heard through
// the fake platform's recording audio driver: panning by screen x, the crowd murmur's ramp, the
// tutorial's eight messages driven by world events, and the tip rule.
#include "play/kit/playkit.h"
#include "play/spotpoint.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "world/chair.h"
#include "world/customer.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"

#include "shell/newfeaturedlg.h"

#include "testkit/recordingaudiodriver.h"
#include "ui/dlgmessage.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

// A customer who stays where he is.
class StillCustomer : public Customer
{
public:
    StillCustomer()
    {
        setBool("CP_WANT_CLICKS", false);
        setBool("CP_ACCEPT_PARTNERS", false);
    }
    void update(float) override {}
};

class PlaySoundTest : public ::testing::Test
{
protected:
    // The entries of the audio log after nFrom that are setPanning calls.
    std::vector<std::string> pannings(int nFrom)
    {
        std::vector<std::string> out;
        RIR::SmartPtr<RecordingLog> pLog = m_kit.audioLog();
        for (int n = nFrom; n < pLog->getLength(); ++n)
            if (pLog->get(n).find("audio.setPanning(", 0) == 0)
                out.push_back(pLog->get(n).c_str());
        return out;
    }

    int entriesStarting(const char* pszPrefix)
    {
        int nCount = 0;
        RIR::SmartPtr<RecordingLog> pLog = m_kit.audioLog();
        for (int n = 0; n < pLog->getLength(); ++n)
            nCount += pLog->get(n).find(pszPrefix, 0) == 0 ? 1 : 0;
        return nCount;
    }

    PlayKit m_kit;
};

} // namespace

TEST_F(PlaySoundTest, SoundsArePannedByTheirScreenX)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    RIR::SmartPtr<RecordingLog> pLog = m_kit.audioLog();
    struct Case
    {
        int nX;
        int nPan; // -1: the panning is not touched
    };
    const Case aCases[] = {{400, 127}, {0, 0}, {-50, 0}, {800, 255}, {950, 255}, {200, 63},
                           {-1000, -1}};
    for (const Case& c : aCases)
    {
        const int nFrom = pLog->getLength();
        const int nPlays = pLog->countCalls("audio.playSample");
        pDay->playSound(15, c.nX); // the till: one sample
        ASSERT_EQ(nPlays + 1, pLog->countCalls("audio.playSample"));
        const std::vector<std::string> got = pannings(nFrom);
        // The application centres every new sound first; the pan follows.
        if (c.nPan < 0)
        {
            EXPECT_EQ(1u, got.size()) << "x " << c.nX;
            continue;
        }
        ASSERT_EQ(2u, got.size()) << "x " << c.nX;
        const std::string sWant =
            ", " + std::to_string(255 - c.nPan) + ", " + std::to_string(c.nPan) + ")";
        EXPECT_NE(std::string::npos, got[1].find(sWant)) << got[1] << " for x " << c.nX;
    }
    // Group -1 and groups without samples play nothing.
    const int nPlays = pLog->countCalls("audio.playSample");
    pDay->playSound(-1, 400);
    pDay->playSound(99, 400);
    EXPECT_EQ(nPlays, pLog->countCalls("audio.playSample"));
}

TEST_F(PlaySoundTest, MurmurFollowsTheTakenChairsAndRampsInTenSeconds)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    // The first murmur frame starts the looping crowd sample, silent.
    pDay->updateCrowdMurmur(0.01f);
    ASSERT_TRUE(pDay->getMurmurSample());
    EXPECT_EQ(1, entriesStarting("audio.playSample(gente, 1,"));
    EXPECT_EQ(0.0f, pDay->getMurmurSample()->getVolume());
    EXPECT_GE(pDay->getMurmurChannel(), 0);

    // Ten and more taken chairs: full loudness after the next choice (5 s) plus 10 s of ramp.
    const RIR::List<RIR::SmartPtr<Chair>>& lChairs = pDay->getScene()->getChairs();
    ASSERT_GE(lChairs.getLength(), 10);
    for (int n = 0; n < lChairs.getLength(); ++n)
        lChairs.get(n)->setCustomer(new StillCustomer);
    float fLast = 0.0f;
    float fT = 0.0f;
    for (; fT < 5.0f; fT += 0.01f)
        pDay->updateCrowdMurmur(0.01f);
    EXPECT_EQ(0.0f, pDay->getMurmurSample()->getVolume()) << "the target was 0 at first";
    for (; fT < 10.0f; fT += 0.01f)
    {
        pDay->updateCrowdMurmur(0.01f);
        const float fVolume = pDay->getMurmurSample()->getVolume();
        EXPECT_LE(fVolume - fLast, 0.1f * 0.01f + 1e-5f);
        fLast = fVolume;
    }
    EXPECT_NEAR(0.5f, fLast, 0.02f) << "half way after 5 s of ramp";
    for (; fT < 15.5f; fT += 0.01f)
        pDay->updateCrowdMurmur(0.01f);
    EXPECT_NEAR(1.0f, pDay->getMurmurSample()->getVolume(), 0.01f);

    // Everyone gone: the murmur falls silent again, as fast as it rose.
    for (int n = 0; n < lChairs.getLength(); ++n)
        lChairs.get(n)->setCustomer(nullptr);
    for (fT = 0.0f; fT < 5.0f; fT += 0.01f)
        pDay->updateCrowdMurmur(0.01f);
    EXPECT_GT(pDay->getMurmurSample()->getVolume(), 0.5f);
    for (; fT < 15.5f; fT += 0.01f)
        pDay->updateCrowdMurmur(0.01f);
    EXPECT_EQ(0.0f, pDay->getMurmurSample()->getVolume());
}

TEST_F(PlaySoundTest, NoMurmurInLowResourcesMode)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("LowResourcesMode", "TRUE");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    m_kit.run(2.0f);
    EXPECT_FALSE(pDay->getMurmurSample());
    EXPECT_EQ(-1, pDay->getMurmurChannel());
    EXPECT_EQ(0, entriesStarting("audio.playSample(gente,"));
}

namespace
{

class TutorialTest : public PlaySoundTest
{
protected:
    // Reports the event and lets its hold run out; the message pushed (null for none).
    DlgMessage* report(int nEvent)
    {
        const int nModes = m_kit.app()->getModeCount();
        m_pDay->tutorialEvent(nEvent);
        for (int n = 0; n < 100 && m_kit.app()->getModeCount() == nModes; ++n)
            m_pDay->updateTutorialHold(0.01f);
        if (m_kit.app()->getModeCount() == nModes)
            return nullptr;
        DlgMessage* pMessage = dynamic_cast<DlgMessage*>(m_kit.app()->getTopMode());
        if (pMessage != nullptr)
            pMessage->endMode();
        return pMessage;
    }

    PlayMode* m_pDay = nullptr;
};

} // namespace

TEST_F(TutorialTest, EightMessagesFollowTheWorldsEventsAndTheLastStoresDoneTutorial)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_pDay = m_kit.startDay(GT_STORY, 180, 1, 0);
    DBDApp* pApp = m_kit.app();
    RIR::SmartPtr<StillCustomer> pCustomer = new StillCustomer;
    pCustomer->setFloat("CP_FAST_DRINK_PROB", 0.0f);
    pCustomer->setBool("CP_LAST_DRINK_LOCKED", true);
    m_pDay->addCharacter(pCustomer.get());
    EXPECT_TRUE(m_pDay->isInputLocked());
    EXPECT_EQ(0, m_pDay->getTutorialExpected());

    // An event that is not awaited shows nothing, though it is held like any other.
    EXPECT_EQ(nullptr, report(1));
    EXPECT_EQ(0, m_pDay->getTutorialStep());

    struct Step
    {
        int nEvent;       // the event that shows the message
        int nExpected;    // the event awaited next
        int nRestriction; // the spots a click may use afterwards
        bool bLocked;     // clicks ignored afterwards
        bool bPointer;    // the pointer is shown afterwards
    };
    const Step aSteps[] = {
        {0, 1, 1, true, false}, {1, 2, 1, false, true}, {2, 3, 2, false, true},
        {3, 4, 2, true, false}, {4, 2, 1, false, true}, {2, 2, 1, false, true},
        {2, 8, 1, true, false}, {8, -1, 1, true, false},
    };
    for (int n = 0; n < 8; ++n)
    {
        const Step& s = aSteps[n];
        DlgMessage* pMessage = report(s.nEvent);
        ASSERT_NE(nullptr, pMessage) << "step " << n;
        const std::string sKey = "TutorialStep" + std::to_string(n);
        EXPECT_EQ(RIR::String(pApp->getString(sKey.c_str())), pMessage->getText());
        EXPECT_NE(RIR::String(sKey.c_str()), pMessage->getText()) << "the text exists";
        EXPECT_EQ(n + 1, m_pDay->getTutorialStep());
        EXPECT_EQ(s.nExpected, m_pDay->getTutorialExpected()) << "step " << n;
        EXPECT_EQ(s.nRestriction, m_pDay->getTutorialRestriction()) << "step " << n;
        EXPECT_EQ(s.bLocked, m_pDay->isInputLocked()) << "step " << n;
        EXPECT_EQ(s.bPointer, (bool)m_pDay->getTutorialPointer()) << "step " << n;
        if (n == 1)
        {
            EXPECT_EQ(m_pDay->getScene()->getRowDepth(0, 10) + 5,
                      m_pDay->getTutorialPointer()->getZOrder());
        }
        if (n == 2)
        {
            int nX = 0;
            int nY = 0;
            pCustomer->getPos(&nX, &nY);
            EXPECT_EQ(nX - 10, m_pDay->getTutorialPointer()->getX());
            EXPECT_EQ(nY - 180, m_pDay->getTutorialPointer()->getY());
            EXPECT_EQ(1.0f, pCustomer->getFloat("CP_FAST_DRINK_PROB"));
        }
        if (n == 6)
        {
            EXPECT_FALSE(pCustomer->getBool("CP_LAST_DRINK_LOCKED"));
        }
    }
    EXPECT_EQ(RIR::String("TRUE"), pApp->getSetting("DoneTutorial"));
    // Nothing more is awaited, and the day closes on the next frames.
    EXPECT_EQ(nullptr, report(2));
    m_kit.frame(0.01f);
    m_kit.frame(0.01f);
    EXPECT_TRUE(m_pDay->isEnded());
    EXPECT_TRUE(pApp->getLastResults()->bWon);
}

TEST_F(TutorialTest, HoldEndingExactlyAtZeroReleasesItsEvent)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_pDay = m_kit.startDay(GT_STORY, 180, 1, 0);
    const int nModes = m_kit.app()->getModeCount();
    m_pDay->tutorialEvent(0);
    m_pDay->updateTutorialHold(0.5f);
    m_pDay->updateTutorialHold(0.25f); // 0.75 - 0.5 - 0.25 is exactly 0
    ASSERT_EQ(nModes + 1, m_kit.app()->getModeCount()) << "the message of step 0";
    EXPECT_EQ(1, m_pDay->getTutorialStep());
    m_kit.app()->getTopMode()->endMode();
    // The next event is held again (not let through at once) and shown after its hold.
    m_pDay->tutorialEvent(1);
    EXPECT_EQ(nModes, m_kit.app()->getModeCount());
    m_pDay->updateTutorialHold(0.75f);
    EXPECT_EQ(nModes + 1, m_kit.app()->getModeCount());
    EXPECT_EQ(2, m_pDay->getTutorialStep());
}

TEST_F(TutorialTest, TutorialClicksAreLockedAndRestrictedToTheSpotOfTheStep)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_pDay = m_kit.startDay(GT_STORY, 180, 1, 0);
    int nTapX = 0;
    int nTapY = 0;
    int nSinkX = 0;
    int nSinkY = 0;
    ASSERT_TRUE(spotCentre<MugSourceSpot>(m_pDay, &nTapX, &nTapY));
    ASSERT_TRUE(spotCentre<MugSinkSpot>(m_pDay, &nSinkX, &nSinkY));
    m_pDay->mouseDown(1, nTapX, nTapY);
    EXPECT_FALSE(m_pDay->getDolly()->isDoingAction()) << "locked until the first messages";
    ASSERT_NE(nullptr, report(0));
    ASSERT_NE(nullptr, report(1));
    ASSERT_FALSE(m_pDay->isInputLocked());
    m_pDay->mouseDown(1, nSinkX, nSinkY);
    EXPECT_FALSE(m_pDay->getDolly()->isDoingAction()) << "only the tap may be used now";
    EXPECT_FALSE(m_pDay->isInputLocked());
    m_pDay->mouseDown(1, nTapX, nTapY);
    EXPECT_TRUE(m_pDay->getDolly()->isDoingAction());
    EXPECT_TRUE(m_pDay->isInputLocked()) << "one action per message";

}

TEST_F(PlaySoundTest, OtherDaysIgnoreTutorialEvents)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pTimed = m_kit.startDay(GT_TIMED, 180, 1, 5);
    const int nModes = m_kit.app()->getModeCount();
    pTimed->tutorialEvent(0);
    pTimed->updateTutorialHold(1.0f);
    EXPECT_EQ(nModes, m_kit.app()->getModeCount());
    EXPECT_EQ(0, pTimed->getTutorialStep());
}

TEST_F(PlaySoundTest, EachTipIsShownOncePerSettingsFile)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    DBDApp* pApp = m_kit.app();
    const int nModes = pApp->getModeCount();
    EXPECT_EQ(RIR::String(""), pApp->getSetting("FeatureFirstTimeCow"));
    pDay->showFeatureTip("Cow", 400, 250, 2);
    ASSERT_EQ(nModes + 1, pApp->getModeCount());
    EXPECT_NE(nullptr, dynamic_cast<NewFeatureDlg*>(pApp->getTopMode()));
    EXPECT_EQ(RIR::String("FALSE"), pApp->getSetting("FeatureFirstTimeCow"));
    pApp->getTopMode()->endMode();

    pDay->showFeatureTip("Cow", 400, 250, 2);
    EXPECT_EQ(nModes, pApp->getModeCount()) << "shown before";
    pDay->showFeatureTip("Thief", 400, 250, 2);
    EXPECT_EQ(nModes + 1, pApp->getModeCount()) << "another feature has its own tip";
}
