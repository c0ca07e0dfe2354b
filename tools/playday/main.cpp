// playday: one saloon day on the game's packs, and its results.
//
//     playday --type timed|story --level N --difficulty D [--length S] [--headless] [--seed S]
//             [--game-dir DIR] [--step MS] [--shot FILE [--shot-at T]] [--cash N]
//
// The game's application starts on the packs of DIR (by default the build's game/ folder) with a
// settings file and a log of its own in a temporary folder, and plays one day: a timed game of
// level N or story day N, difficulty D (0 easy, 1 medium, 2 hard), S seconds long (180). The
// level is built by its loader, one step per frame, and played until closing time and the end of
// the day; then the results are printed:
//
//     playday: timed level 5, difficulty 1, 180 s, seed 7
//     load: 73 frames (17 steps, 17 samples, 40 clothes frames)
//     closed at 180.0 s
//     *** Character dump ***
//     00005581A2B3C4D0 (0) : 400, 310 [5, 5] St 101
//     ...
//     day ended at 180.0 s, 12 customers came in
//     came in: customers 9, thieves 1, wanted men 1, undertakers 0, patients 1, sheriffs 0,
//              cows 0, specials 0
//     results: type 0, aborted 0, cash 120, time bonus 0, won 0, try again 0
//
// The character dump lists who is inside at closing time (before they are sent out): identity,
// class, pixel position, square and state; the dump of the busiest moment of the day follows the
// results. --cash N puts N dollars in the till when the day starts: nobody serves in a playday
// run, and thieves only come to a till that holds 500. Every change of the cash is printed when
// the money lands ("cash 100 at 42.17 s"). The game's test-driver switches work as in the game:
// with DBD_INPUT_SCRIPT (game/inputscript.h) a scripted player clicks through the day.
//
// --headless runs on SDL's dummy video and audio drivers on a clock of its own that advances by
// MS milliseconds (10) per frame and never waits, so a run with the same seed repeats exactly;
// a story day's pre-level page is continued at once, and the run ends as soon as the results are
// out. In a window the day runs in real time and the program
// ends when the statistics dialog is closed. --seed seeds every random generator of the day
// (0, the default, seeds from the clock). In a window, --step also makes the clock fixed, so the
// day runs as fast as it can be drawn. --shot writes the screen to FILE (PNG) at T seconds of the
// day (90 by default); the day then goes on to its end.
//
// Exit codes: 0 the day ended; 1 a failure of the game (its message is printed) or a day that
// did not end within an hour of play after its length; 2 wrong arguments.
#include "game/gameplatform.h"
#include "level/diffmanager.h"
#include "play/playmode.h"
#include "shell/dbdapp.h"
#include "shell/dbdmode.h"
#include "shell/newfeaturedlg.h"
#include "shell/preleveldlg.h"
#include "world/worldrandom.h"

#include "programfolder.h"
#include "screenshot.h"

#include "app/log.h"
#include "level/gameresults.h"
#include "platform/d3d7/d3d7videodriver.h"

#include "rir2/exception.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <unistd.h>

namespace
{

const float OVERTIME_LIMIT = 3600.0f; // seconds of play after the day's length before giving up

struct Options
{
    int nGameType = -1;
    int nLevel = -1;
    int nDifficulty = -1;
    int nLength = 180;
    bool bHeadless = false;
    unsigned int nSeed = 0;
    std::string sGameDir;
    int nStepMs = 10;
    bool bStepGiven = false;
    std::string sShot;
    float fShotAt = 90.0f;
    int nCash = 0;
};

Options g_options;

// What the run saw, frame by frame.
struct Watch
{
    int nFrames = 0;
    int nLoadFrames = 0;
    int nSampleFrames = 0;  // frames of loader step 12
    int nClothesFrames = 0; // frames of loader step 14
    bool bLoadReported = false;
    bool bClosedReported = false;
    bool bResultsPrinted = false;
    bool bFailed = false;
    bool bShotRequested = false;
    bool bShotWritten = false;
    int anArrivals[CC_COUNT] = {};        // characters that came in, by class
    std::set<const Character*> lInside;   // who was on the day's list after the last frame
    int nMostInside = 0;                  // the busiest moment: how many, when, and its dump
    float fBusiestAt = 0.0f;
    std::string sBusiestDump;
    bool bCashGiven = false;
    int nCash = 0;                        // the cash last reported
};

Watch g_watch;

void usage()
{
    std::fprintf(stderr, "usage: playday --type timed|story --level N --difficulty D [--length S]\n"
                         "               [--headless] [--seed S] [--game-dir DIR] [--step MS]\n"
                         "               [--shot FILE [--shot-at T]] [--cash N]\n");
}

bool parseInt(const char* psz, long nMin, long nMax, long* pnOut)
{
    char* pszEnd = nullptr;
    const long n = std::strtol(psz, &pszEnd, 10);
    if (pszEnd == psz || *pszEnd || n < nMin || n > nMax)
        return false;
    *pnOut = n;
    return true;
}

bool parseOptions(int argc, char** argv, Options* pOptions)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string sWord = argv[i];
        if (sWord == "--headless")
        {
            pOptions->bHeadless = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* pszValue = argv[++i];
        long n = 0;
        if (sWord == "--type")
        {
            if (std::strcmp(pszValue, "timed") == 0)
                pOptions->nGameType = GT_TIMED;
            else if (std::strcmp(pszValue, "story") == 0)
                pOptions->nGameType = GT_STORY;
            else
                return false;
        }
        else if (sWord == "--level" && parseInt(pszValue, 0, 44, &n))
            pOptions->nLevel = (int)n;
        else if (sWord == "--difficulty" && parseInt(pszValue, 0, 2, &n))
            pOptions->nDifficulty = (int)n;
        else if (sWord == "--length" && parseInt(pszValue, 1, 100000, &n))
            pOptions->nLength = (int)n;
        else if (sWord == "--seed" && parseInt(pszValue, 0, 0x7fffffffL, &n))
            pOptions->nSeed = (unsigned int)n;
        else if (sWord == "--step" && parseInt(pszValue, 1, 1000, &n))
        {
            pOptions->nStepMs = (int)n;
            pOptions->bStepGiven = true;
        }
        else if (sWord == "--shot" && *pszValue)
            pOptions->sShot = pszValue;
        else if (sWord == "--shot-at" && parseInt(pszValue, 0, 100000, &n))
            pOptions->fShotAt = (float)n;
        else if (sWord == "--cash" && parseInt(pszValue, 0, 1000000, &n))
            pOptions->nCash = (int)n;
        else if (sWord == "--game-dir")
            pOptions->sGameDir = pszValue;
        else
            return false;
    }
    return pOptions->nGameType >= 0 && pOptions->nLevel >= 0 && pOptions->nDifficulty >= 0;
}

PlayMode* runningDay()
{
    if (!IPlayMode::hasPlayMode())
        return nullptr;
    return dynamic_cast<PlayMode*>(IPlayMode::getPlayMode());
}

// Counts the characters that joined the day's list since the last frame, by class.
void countArrivals(PlayMode* pDay)
{
    std::set<const Character*> lNow;
    const RIR::List<RIR::SmartPtr<Character>>& lChars = pDay->getCharacters();
    for (int n = 0; n < lChars.getLength(); ++n)
    {
        const Character* pCharacter = lChars.get(n).get();
        lNow.insert(pCharacter);
        const int eClass = (int)pCharacter->getCharacterClass();
        if (!g_watch.lInside.count(pCharacter) && eClass >= 0 && eClass < CC_COUNT)
            ++g_watch.anArrivals[eClass];
    }
    g_watch.lInside.swap(lNow);
    if (lChars.getLength() > g_watch.nMostInside)
    {
        g_watch.nMostInside = lChars.getLength();
        g_watch.fBusiestAt = pDay->getElapsed();
        g_watch.sBusiestDump.clear();
        for (int n = 0; n < lChars.getLength(); ++n)
            g_watch.sBusiestDump += pDay->describeCharacter(lChars.get(n).get()).c_str();
    }
}

void printCharacterDump(PlayMode* pDay)
{
    std::printf("*** Character dump ***\n");
    const RIR::List<RIR::SmartPtr<Character>>& lChars = pDay->getCharacters();
    for (int n = 0; n < lChars.getLength(); ++n)
        std::printf("%s", pDay->describeCharacter(lChars.get(n).get()).c_str());
}

void printArrivals()
{
    const int* a = g_watch.anArrivals;
    std::printf("came in: customers %d, thieves %d, wanted men %d, undertakers %d, patients %d, "
                "sheriffs %d, cows %d, specials %d\n",
                a[CC_CUSTOMER], a[CC_THIEF], a[CC_WANTED], a[CC_UNDERTAKER], a[CC_PATIENT],
                a[CC_SHERIFF], a[CC_COW], a[CC_SPECIAL]);
}

// The screenshot: asked for at its time, written once the next frame was drawn.
void watchShot(PlayMode* pDay)
{
    D3D7VideoDriver* pVideo = dynamic_cast<D3D7VideoDriver*>(GameApp::getInstance()->getVideoDriver());
    if (g_options.sShot.empty() || g_watch.bShotWritten || pVideo == nullptr)
        return;
    if (!g_watch.bShotRequested)
    {
        if (pDay != nullptr && pDay->isLoaded() && pDay->getElapsed() >= g_options.fShotAt)
        {
            pVideo->requestFrameCapture();
            g_watch.bShotRequested = true;
        }
        return;
    }
    if (!pVideo->hasFrameCapture())
        return;
    g_watch.bShotWritten = true;
    if (demokit::saveScreenshot("playday", pVideo, g_options.sShot, "the display",
                                demokit::SHOT_PNG))
        std::printf("screenshot at %.1f s: %s\n", pDay ? pDay->getElapsed() : 0.0f,
                    g_options.sShot.c_str());
}

void printResults(const GameResults& results)
{
    std::printf("results: type %d, aborted %d, cash %d, time bonus %d, won %d, try again %d\n",
                results.nGameType, results.bAborted ? 1 : 0, results.nCash, results.nTimeBonus,
                results.bWon ? 1 : 0, results.bTryAgain ? 1 : 0);
    std::fflush(stdout);
}

// Called once per frame (after the events, before the modes update): counts the loader's frames,
// reports closing and prints the results once they are out.
void watchFrame()
{
    ++g_watch.nFrames;
    DBDApp* pApp = DBDApp::getInstance();
    if (pApp == nullptr)
        return;
    PlayMode* pDay = runningDay();
    watchShot(pDay);
    if (pDay != nullptr && pDay->isLoaded() && !pDay->isEnded())
    {
        if (!g_watch.bCashGiven)
        {
            g_watch.bCashGiven = true;
            if (g_options.nCash > 0)
                pDay->addCash(g_options.nCash);
        }
        countArrivals(pDay);
    }
    // Headless, the player continues at once from a story day's pre-level page.
    PreLevelDlg* pPage = dynamic_cast<PreLevelDlg*>(pApp->getTopMode());
    if (g_options.bHeadless && pPage != nullptr && pPage->isActive())
        pPage->onCallback(PreLevelDlg::ID_CONTINUE, 0);
    // Headless, a one-time tip is closed at once: it holds the day until a click, which a day
    // without an input script never gets.
    NewFeatureDlg* pTip = dynamic_cast<NewFeatureDlg*>(pApp->getTopMode());
    if (g_options.bHeadless && pTip != nullptr && pTip->isActive())
        pTip->endMode();
    if (pDay != nullptr && !pDay->isLoaded())
    {
        ++g_watch.nLoadFrames;
        if (pDay->getLoadStep() == 12)
            ++g_watch.nSampleFrames;
        else if (pDay->getLoadStep() == 14)
            ++g_watch.nClothesFrames;
    }
    else if (pDay != nullptr && !g_watch.bLoadReported)
    {
        g_watch.bLoadReported = true;
        std::printf("load: %d frames (%d steps, %d samples, %d clothes frames)\n",
                    g_watch.nLoadFrames, PlayMode::LOAD_STEPS, g_watch.nSampleFrames - 1,
                    g_watch.nClothesFrames);
    }
    if (pDay != nullptr && pDay->isLoaded() && pDay->getCash() != g_watch.nCash)
    {
        g_watch.nCash = pDay->getCash();
        std::printf("cash %d at %.2f s\n", g_watch.nCash, pDay->getElapsed());
    }
    if (pDay != nullptr && pDay->isClosed() && !g_watch.bClosedReported)
    {
        g_watch.bClosedReported = true;
        std::printf("closed at %.1f s\n", pDay->getElapsed());
        printCharacterDump(pDay);
    }
    if (!g_watch.bResultsPrinted && pApp->hasLastResults())
    {
        g_watch.bResultsPrinted = true;
        if (pDay != nullptr)
            std::printf("day ended at %.1f s, %d customers came in\n", pDay->getElapsed(),
                        pDay->getStat(1));
        printArrivals();
        printResults(*pApp->getLastResults());
        std::printf("*** Character dump *** (the busiest moment: %d inside at %.1f s)\n%s",
                    g_watch.nMostInside, g_watch.fBusiestAt, g_watch.sBusiestDump.c_str());
        if (g_options.bHeadless)
            pApp->quit(0);
        return;
    }
    if (pDay != nullptr && pDay->getElapsed() > g_options.nLength + OVERTIME_LIMIT)
    {
        std::printf("playday: the day did not end\n");
        g_watch.bFailed = true;
        pApp->quit(1);
    }
}

IPlatform* makePlatform(GameApp* pApp, int nAudioFrequency)
{
    // The test driver's switches (an input script: DBD_INPUT_SCRIPT) work here as in the game.
    GamePlatform::Options options;
    std::string sError;
    if (!GamePlatform::Options::fromEnvironment(&options, &sError))
    {
        std::fprintf(stderr, "playday: %s\n", sError.c_str());
        std::exit(2);
    }
    if (g_options.bHeadless || g_options.bStepGiven)
        options.nFixedStepMs = g_options.nStepMs;
    options.pfnFrameHook = &watchFrame;
    return makeGamePlatform(pApp, nAudioFrequency, options);
}

// The bottom mode: starts the day at its first frame; in a window it ends the program when it is
// uncovered again after the day.
class DayStarter : public DBDMode
{
public:
    DayStarter() : DBDMode(3), m_bStarted(false) {}

    void update(float fDt) override
    {
        DBDMode::update(fDt);
        if (m_bStarted)
            return;
        m_bStarted = true;
        DifficultyManager* pRules = new DifficultyManager(g_options.nGameType, g_options.nLength,
                                                          g_options.nDifficulty, g_options.nLevel);
        if (g_options.nSeed != 0)
        {
            pRules->getRandom().seed(g_options.nSeed);
            worldRandom().seed(g_options.nSeed);
            std::srand(g_options.nSeed);
        }
        getApp()->pushMode(new PlayMode(pRules, g_options.nSeed));
    }

    void onActivate() override
    {
        DBDMode::onActivate();
        if (m_bStarted && getDBDApp()->hasLastResults())
            getApp()->quit(0);
    }

private:
    bool m_bStarted;
};

GameMode* makeStarter()
{
    return new DayStarter();
}

// A temporary folder for the run's log and settings file.
std::string makeRunFolder()
{
    char szTemplate[] = "/tmp/playday.XXXXXX";
    const char* pszDir = mkdtemp(szTemplate);
    return pszDir ? std::string(pszDir) + "/" : std::string("./");
}

} // namespace

int main(int argc, char** argv)
{
    if (!parseOptions(argc, argv, &g_options))
    {
        usage();
        return 2;
    }
    if (g_options.bHeadless)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    const std::string sGameDir = demokit::gameFolder(g_options.sGameDir);
    const std::string sRunDir = makeRunFolder();
    std::printf("playday: %s level %d, difficulty %d, %d s, seed %u\n",
                g_options.nGameType == GT_STORY ? "story" : "timed", g_options.nLevel,
                g_options.nDifficulty, g_options.nLength, g_options.nSeed);
    std::fflush(stdout);

    // The packs are opened by their names from the working folder.
    if (chdir(sGameDir.c_str()) != 0)
    {
        std::fprintf(stderr, "playday: no game folder %s\n", sGameDir.c_str());
        return 1;
    }
    const std::string sLog = sRunDir + "playday.log";
    const std::string sConfig = sRunDir + "dbdconfig.dat";
    openLog(sLog.c_str());
    GameApp::setConfigPath(sConfig.c_str());

    FirstModes modes = {&makeStarter, nullptr, nullptr};
    int nExit = 0;
    DBDApp* pApp = new DBDApp(&makePlatform, modes);
    try
    {
        pApp->run();
        delete pApp;
    }
    catch (const RIR::Exception& e)
    {
        std::printf("playday: %s: %s\n", e.getClassName(), e.getMessage());
        std::printf("playday: the log is %s\n", sLog.c_str());
        closeLog();
        return 1;
    }
    closeLog();
    if (!g_watch.bResultsPrinted || g_watch.bFailed)
    {
        std::printf("playday: no results; the log is %s\n", sLog.c_str());
        return 1;
    }
    std::remove(sLog.c_str());
    std::remove(sConfig.c_str());
    rmdir(sRunDir.c_str());
    return nExit;
}
