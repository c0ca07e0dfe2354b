// The credits' music chain: the start piece, the loop again and again, the closing piece once
// the end of the scroll is near, and the end once it is over; a loop already playing goes on.
#include "shell/kit/shellapp.h"

#include "shell/dollycreditsmode.h"

#include "app/gamemode.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingaudiodriver.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

namespace
{

class CreditsTest : public ::testing::Test
{
protected:
    CreditsTest()
    {
        for (const char* pszName :
             {"tapa", "logo", "cred_design", "cred_programming", "cred_graphics",
              "cred_musicsound", "cred_testers", "cred_cast", "spacer60x1", "p_dolly", "p_hank",
              "p_ladron", "p_sheriff", "p_mariachi", "p_perro", "p_funebre", "p_pianista",
              "p_pinkie", "cred_ack"})
            m_fx.addPicture(pszName, 60, 40, 0x806040FF);
        for (const char* pszMusic : {"st_main", "st_end_start", "st_end_loop", "st_end_end"})
            m_fx.addFile(std::string(pszMusic) + ".ogg", "music");
        m_fx.addText("CredVerFmt", "Version %d.%d.%d");
        m_pApp = m_fx.start(plainMenuOnly());
        m_pAudio = ShellApp::lastPlatform()->getRecordingAudioDriver();
    }

    std::string music() const { return m_pApp->getCurrentMusic().c_str(); }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    RecordingAudioDriver* m_pAudio = nullptr;
};

} // namespace

TEST_F(CreditsTest, StartLoopsThenClosingPieceThenEnd)
{
    ASSERT_NE(nullptr, m_pAudio);
    m_pApp->playMusicByName("st_main", true);
    DollyCreditsMode* pCredits = new DollyCreditsMode();
    m_pApp->pushMode(pCredits);
    EXPECT_EQ("st_end_start", music());
    EXPECT_FALSE(pCredits->isLoopStarted());

    m_pAudio->finishMusic();
    m_pApp->updateModes(0.1f);
    EXPECT_EQ("st_end_loop", music());
    EXPECT_TRUE(pCredits->isLoopStarted());
    m_pAudio->finishMusic();
    m_pApp->updateModes(0.1f);
    EXPECT_EQ("st_end_loop", music());
    EXPECT_FALSE(pCredits->isNearEnd());

    // A faster scroll brings the end near: the closing piece follows the current loop.
    pCredits->setScrollSpeed(400.0f);
    for (int i = 0; i < 20000 && !pCredits->isNearEnd(); ++i)
        m_pApp->updateModes(0.05f);
    ASSERT_TRUE(pCredits->isNearEnd());
    m_pAudio->finishMusic();
    m_pApp->updateModes(0.1f);
    EXPECT_EQ("st_end_end", music());
    EXPECT_TRUE(pCredits->isEndMusicStarted());
    for (int i = 0; i < 20000 && !pCredits->isDone(); ++i)
        m_pApp->updateModes(0.05f);
    ASSERT_TRUE(pCredits->isDone());
    // Still playing: the credits wait for the closing piece.
    EXPECT_EQ(MS_RUNNING, pCredits->getState());
    m_pAudio->finishMusic();
    m_pApp->updateModes(0.1f);
    EXPECT_EQ(MS_ENDED, pCredits->getState());
}

TEST_F(CreditsTest, LoopAlreadyPlayingGoesOnWithoutTheStartPiece)
{
    ASSERT_NE(nullptr, m_pAudio);
    m_pApp->playMusicByName("st_end_loop", false);
    DollyCreditsMode* pCredits = new DollyCreditsMode();
    m_pApp->pushMode(pCredits);
    EXPECT_EQ("st_end_loop", music());
    EXPECT_TRUE(m_pAudio->isMusicPlaying());
}
