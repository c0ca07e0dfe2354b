// The level's dialogs over the running saloon (dialogdemo.h).
#include "dialogdemo.h"

#include "framedmode.h"

#include "shell/gamestatsdlg.h"
#include "shell/levelstats.h"
#include "shell/loadingdlg.h"
#include "shell/newfeaturedlg.h"
#include "shell/preleveldlg.h"

#include "level/diffmanager.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "platform/d3d7/d3d7videodriver.h"

#include "rir2/exception.h"

#include <memory>

namespace
{

// A finished day with made-up figures.
class DemoDay : public LevelStatsSource
{
public:
    DemoDay(int nGameType, int nLevel, int nCashOverGoal, int nRemaining, int nScoreTotal,
            const int (&anStats)[STAT_COUNT])
        : m_rules(nGameType, 180, 1, nLevel), m_nRemaining(nRemaining), m_nScoreTotal(nScoreTotal)
    {
        m_nCash = m_rules.getCashGoal() + nCashOverGoal;
        for (int n = 0; n < STAT_COUNT; ++n)
            m_anStats[n] = anStats[n];
    }

    int getStat(int nIndex) override { return m_anStats[nIndex]; }
    int getCash() override { return m_nCash; }
    int getScoreTotal() override { return m_nScoreTotal; }
    int getRemainingTime() override { return m_nRemaining; }
    DifficultyManager* getDifficultyManager() override { return &m_rules; }

private:
    DifficultyManager m_rules;
    int m_nRemaining;
    int m_nScoreTotal;
    int m_nCash;
    int m_anStats[STAT_COUNT];
};

// Above the dialog: lets it update and take the input, ends the demo after its while (Escape
// at any time), and keeps the day the statistics read.
class ShotTimer : public demokit::FramedMode
{
public:
    ShotTimer(float fSeconds, D3D7VideoDriver* pVideo, bool bScreenshot, DemoDay* pDay)
        : demokit::FramedMode(0, pVideo), m_fLeft(fSeconds), m_pVideo(pVideo),
          m_bScreenshot(bScreenshot), m_pDay(pDay)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH);
    }

    void update(float fDt) override
    {
        m_fLeft -= fDt;
        if (m_fLeft < 0.0f && m_bScreenshot)
        {
            m_bScreenshot = false;
            m_pVideo->requestFrameCapture();
            getApp()->quit(0);
        }
    }

private:
    float m_fLeft;
    D3D7VideoDriver* m_pVideo; // owned by the platform
    bool m_bScreenshot;
    std::unique_ptr<DemoDay> m_pDay;
};

const int BUSY_DAY[STAT_COUNT] = {23, 17, 3, 1, 3, 2, 1, 1, 1};
const int QUIET_DAY[STAT_COUNT] = {11, 9, 2, 0, 0, 0, 0, 0, 0};
const int TUTORIAL_DAY[STAT_COUNT] = {3, 1, 0, 0, 0, 0, 0, 0, 0};

const char* const DIALOGS[] = {"loading",  "stats-timed", "stats-won",         "stats-lost",
                               "stats-tutorial", "prelevel", "prelevel-tutorial",
                               "prelevel-campaign", "tip"};

} // namespace

bool isDemoDialog(const std::string& sName)
{
    for (const char* pszName : DIALOGS)
        if (sName == pszName)
            return true;
    return false;
}

void prepareDemoDialogs(GameApp* pApp)
{
    pApp->loadStrings("messages.txt");
    pApp->loadTheme("dolly.theme");
}

void pushDemoDialog(GameApp* pApp, const std::string& sName, D3D7VideoDriver* pVideo,
                    bool bScreenshot)
{
    DemoDay* pDay = nullptr;
    float fSeconds = 1.0f;
    if (sName == "loading")
        pApp->pushMode(new LoadingDlg());
    else if (sName.compare(0, 6, "stats-") == 0)
    {
        if (sName == "stats-timed")
            pDay = new DemoDay(GT_TIMED, 10, 1480, 0, 0, BUSY_DAY);
        else if (sName == "stats-won")
            pDay = new DemoDay(GT_STORY, 12, 135, 23, 5840, BUSY_DAY);
        else if (sName == "stats-lost")
            pDay = new DemoDay(GT_STORY, 3, -85, 0, 1320, QUIET_DAY);
        else
            pDay = new DemoDay(GT_STORY, 0, 45, 0, 0, TUTORIAL_DAY);
        pApp->pushMode(new GameStatsDlg(pDay));
        fSeconds = 10.0f;
    }
    else if (sName == "prelevel")
        pApp->pushMode(new PreLevelDlg(3, 0));
    else if (sName == "prelevel-tutorial")
    {
        pApp->setSetting("DoneTutorial", "TRUE");
        pApp->pushMode(new PreLevelDlg(0, 0));
    }
    else if (sName == "prelevel-campaign")
        pApp->pushMode(PreLevelDlg::withText("campaign"));
    else if (sName == "tip")
    {
        // Pointing down at the tap on the bar.
        pApp->setSetting(NewFeatureDlg::settingKey("Thief").c_str(), "TRUE");
        NewFeatureDlg::showOnce(pApp, "Thief", 615, 380, 3);
    }
    else
        RIR_THROW(BadParmException, ("Unknown dialog " + sName).c_str());
    pApp->pushMode(new ShotTimer(fSeconds, pVideo, bScreenshot, pDay));
}
