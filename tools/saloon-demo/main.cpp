// saloon-demo: the saloon floor with test characters coming in, wandering and leaving.
//
//     saloon-demo [--seconds N] [--walkers K] [--seed S] [--window [--screenshot FILE]]
//                 [--scene N [--tables K] [--stage fight|cow|sheriff|thief]]
//
// Headless (the default) it runs N seconds of virtual time (120) in fixed steps of 1/30 s with at
// most K characters inside (8), seeded with S (1), then closes, lets everybody leave (at most 120
// seconds more) and checks that every square is free and the entrance corridor empty. It prints
// "saloon-demo: seed S, N s, C came in, G left, floor clear" and exits 0, or prints what was left
// and exits 1; a broken rule of the world (an assertion) also ends it with 1. Wrong arguments: 2.
//
// --window shows the same floor in an 800 x 600 window, running in real time until Escape or the
// end of the run; --screenshot FILE writes the frame at closing time (PNG) and ends the run there.
// --scene N plays on the saloon of "scene<N>.scene" from the game's packs (scenedemo.h).
//
// --heroine (with --window) adds the heroine from the game's packs (folder --game-dir DIR, by
// default the build's game/ folder) with a tap, a table seat and a sink; mouse clicks steer her,
// and each --click WHERE@SECONDS (WHERE: tap, seat, sink or X,Y) clicks at that time of the run.
//
// --customers K (with --scene) lets up to K generated customers in to sit at the tables, ask,
// drink, pay and leave; with --heroine a scripted player clicks to serve them (democustomers.h).
//
// --dialog NAME (with --window and --scene) shows one of the level's dialogs over the saloon at
// the end of the run, with made-up figures (dialogdemo.h); the screenshot is taken once the
// dialog has had its while.
//
// --stage NAME (with --window and --scene) plays one scene instead of the wandering crowd: a
// fight between two customers, the cow in the doorway, the sheriff at the wanted poster or the
// thief at the register under the guard's fire (demostage.h); --screenshot then takes the
// picture as soon as that moment is on screen.
#include "dialogdemo.h"
#include "democustomers.h"
#include "demoheroine.h"
#include "demostage.h"
#include "demoworld.h"
#include "scenedemo.h"

#include "screenshot.h"
#include "sdlplatformsetup.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/iplatform.h"
#include "app/log.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "testkit/memimagefactory.h"

#include "rir2/exception.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{

const float STEP = 1.0f / 30.0f;
const float DRAIN_SECONDS = 120.0f;

struct Options
{
    int nSeconds = 120;
    int nWalkers = 8;
    unsigned int nSeed = 1;
    bool bWindow = false;
    std::string sScreenshot;
    int nScene = -1;
    int nTables = 0;
    bool bHeroine = false;
    int nCustomers = 0;
    std::string sStage;
    std::string sGameDir = DBD_DEMO_GAME_DIR;
    std::vector<DemoClick> lClicks;
    std::string sDialog;
};

bool parseInt(const char* psz, long nMin, long nMax, long* pnOut)
{
    char* pszEnd = nullptr;
    const long n = std::strtol(psz, &pszEnd, 10);
    if (!pszEnd || *pszEnd || n < nMin || n > nMax)
        return false;
    *pnOut = n;
    return true;
}

bool parseOptions(int argc, char** argv, Options* pOptions)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string sArg = argv[i];
        const bool bValue = i + 1 < argc;
        long n = 0;
        if (sArg == "--seconds" && bValue && parseInt(argv[++i], 1, 100000, &n))
            pOptions->nSeconds = (int)n;
        else if (sArg == "--walkers" && bValue && parseInt(argv[++i], 1, 40, &n))
            pOptions->nWalkers = (int)n;
        else if (sArg == "--seed" && bValue && parseInt(argv[++i], 0, 2147483647L, &n))
            pOptions->nSeed = (unsigned int)n;
        else if (sArg == "--window")
            pOptions->bWindow = true;
        else if (sArg == "--screenshot" && bValue)
            pOptions->sScreenshot = argv[++i];
        else if (sArg == "--scene" && bValue && parseInt(argv[++i], 0, 999, &n))
            pOptions->nScene = (int)n;
        else if (sArg == "--tables" && bValue && parseInt(argv[++i], 1, 5, &n))
            pOptions->nTables = (int)n;
        else if (sArg == "--customers" && bValue && parseInt(argv[++i], 1, 10, &n))
            pOptions->nCustomers = (int)n;
        else if (sArg == "--dialog" && bValue && isDemoDialog(argv[i + 1]))
            pOptions->sDialog = argv[++i];
        else if (sArg == "--stage" && bValue && DemoStage::isStage(argv[i + 1]))
            pOptions->sStage = argv[++i];
        else if (sArg == "--heroine")
            pOptions->bHeroine = true;
        else if (sArg == "--game-dir" && bValue)
            pOptions->sGameDir = argv[++i];
        else if (sArg == "--click" && bValue)
        {
            DemoClick click;
            if (!DemoHeroine::parseClick(argv[++i], &click))
                return false;
            pOptions->lClicks.push_back(click);
        }
        else
            return false;
    }
    if (pOptions->nScene >= 0 && pOptions->nTables == 0)
        pOptions->nTables = defaultTableCount(pOptions->nScene);
    if (pOptions->bHeroine && !pOptions->bWindow)
        return false;
    if (pOptions->nCustomers > 0 && pOptions->nScene < 0)
        return false;
    if ((!pOptions->sDialog.empty() || !pOptions->sStage.empty()) &&
        (!pOptions->bWindow || pOptions->nScene < 0))
        return false;
    return pOptions->sScreenshot.empty() || pOptions->bWindow;
}

// Runs the world to its end; the exit status.
int finish(DemoWorld& world, const Options& options, float fElapsed)
{
    const std::string sLeft = world.checkEmptyFloor();
    if (!sLeft.empty())
    {
        std::printf("saloon-demo: seed %u, %d s: not clear after %.0f s:%s\n", options.nSeed,
                    options.nSeconds, fElapsed, sLeft.c_str());
        world.dumpCharacters();
        return 1;
    }
    std::printf("saloon-demo: seed %u, %d s, %d came in, %d left, floor clear\n", options.nSeed,
                options.nSeconds, world.getCameIn(), world.getGone());
    return 0;
}

int runHeadless(const Options& options)
{
    MemImageFactory factory;
    std::unique_ptr<GameApp> pApp;
    if (options.nScene >= 0)
        pApp = makeHeadlessApp(options.sGameDir);
    DemoWorld world(options.nSeed, options.nWalkers, nullptr, &factory, options.nScene,
                    options.nTables);
    std::unique_ptr<DemoCustomers> pCustomers;
    if (options.nCustomers > 0)
        pCustomers.reset(new DemoCustomers(&world, &factory, options.nCustomers, nullptr));
    auto step = [&] {
        if (pCustomers)
            pCustomers->update(STEP);
        world.step(STEP);
    };
    float fElapsed = 0.0f;
    const int nOpenSteps = (int)((float)options.nSeconds / STEP);
    for (int n = 0; n < nOpenSteps; ++n)
        step();
    fElapsed = (float)options.nSeconds;
    world.close();
    for (int n = 0; n < (int)(DRAIN_SECONDS / STEP) && !world.isEmpty(); ++n)
    {
        step();
        fElapsed += STEP;
    }
    if (pCustomers)
        std::printf("saloon-demo: %d customers, cash %d\n", pCustomers->getCameIn(), world.getCash());
    return finish(world, options, fElapsed);
}

class SaloonMode : public GameMode
{
public:
    SaloonMode(const Options& options, D3D7VideoDriver* pVideo)
        : m_options(options), m_pVideo(pVideo), m_fElapsed(0.0f), m_nExit(0)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
    }
    ~SaloonMode() override
    {
        m_pStage.reset();
        m_pCustomers.reset();
        m_pHeroine.reset();
        m_pWorld.reset();
    }

    int getExit() const { return m_nExit; }

    void onStart() override
    {
        // A stage has the floor to itself: no wandering walkers.
        const int nWalkers = m_options.sStage.empty() ? m_options.nWalkers : 0;
        m_pWorld.reset(new DemoWorld(m_options.nSeed, nWalkers, this,
                                     getApp()->getPlatform()->getImageFactory(), m_options.nScene,
                                     m_options.nTables));
        if (m_options.bHeroine)
            m_pHeroine.reset(new DemoHeroine(getApp(), this,
                                             getApp()->getPlatform()->getImageFactory(),
                                             m_options.sGameDir));
        if (m_options.nCustomers > 0)
            m_pCustomers.reset(new DemoCustomers(m_pWorld.get(), getApp()->getPlatform()->getImageFactory(),
                                                 m_options.nCustomers, m_pHeroine.get()));
        if (!m_options.sStage.empty())
        {
            getApp()->loadTheme("dolly.theme");
            m_pStage.reset(new DemoStage(m_pWorld.get(), m_options.sStage));
        }
    }

    bool mouseDown(int /*nButtonMask*/, int nX, int nY) override
    {
        if (!m_pHeroine)
            return false;
        m_pHeroine->click(nX, nY);
        return true;
    }

    void update(float fDt) override
    {
        const float fStep = fDt > 0.1f ? 0.1f : fDt;
        if (m_pCustomers)
            m_pCustomers->update(fStep);
        if (m_pStage)
            m_pStage->update(fStep);
        m_pWorld->step(fStep);
        m_fElapsed += fStep;
        if (m_pStage && m_pStage->isReady() && !m_options.sScreenshot.empty())
        {
            // The staged moment is on screen: its picture ends the run.
            m_pVideo->requestFrameCapture();
            getApp()->quit(0);
            return;
        }
        if (m_pHeroine)
        {
            for (const DemoClick& click : m_options.lClicks)
                if (click.fSeconds <= m_fElapsed && click.fSeconds > m_fElapsed - fStep)
                    m_pHeroine->click(click);
            m_pHeroine->update(fStep);
        }
        if (!m_options.sDialog.empty())
        {
            // The dialog ends the run (and takes the screenshot) itself.
            if (!m_bDialogShown && m_fElapsed >= (float)m_options.nSeconds)
            {
                m_bDialogShown = true;
                pushDemoDialog(getApp(), m_options.sDialog, m_pVideo,
                               !m_options.sScreenshot.empty());
            }
            return;
        }
        if (!m_pWorld->isClosing() && m_fElapsed >= (float)m_options.nSeconds)
        {
            if (!m_options.sScreenshot.empty())
            {
                // The picture of the busy floor, taken at closing time; the run ends there.
                m_pVideo->requestFrameCapture();
                getApp()->quit(0);
                return;
            }
            m_pWorld->close();
        }
        if (m_pWorld->isClosing() &&
            (m_pWorld->isEmpty() || m_fElapsed >= (float)m_options.nSeconds + DRAIN_SECONDS))
        {
            m_nExit = finish(*m_pWorld, m_options, m_fElapsed);
            getApp()->quit(0);
        }
    }

    bool keyDown(int nKey, int /*nModifiers*/) override
    {
        if (nKey != SDLK_ESCAPE)
            return false;
        getApp()->quit(0);
        return true;
    }

private:
    Options m_options;
    D3D7VideoDriver* m_pVideo; // owned by the platform
    std::unique_ptr<DemoWorld> m_pWorld;
    std::unique_ptr<DemoHeroine> m_pHeroine;
    std::unique_ptr<DemoCustomers> m_pCustomers;
    std::unique_ptr<DemoStage> m_pStage;
    float m_fElapsed;
    int m_nExit;
    bool m_bDialogShown = false;
};

class SaloonApp : public GameApp
{
public:
    explicit SaloonApp(const Options& options) : m_options(options), m_pVideo(nullptr), m_pMode(nullptr) {}

    void onInit() override
    {
        setDefaultSettings();
        m_pVideo = demokit::installSdlPlatform(this);
        init(800, 600, 0, RIR::SmartPtr<Image>());
        if (m_options.nScene >= 0)
            addGamePacks(*this, m_options.sGameDir);
        if (!m_options.sDialog.empty())
            prepareDemoDialogs(this);
        setCaption("Saloon demo");
        m_pMode = new SaloonMode(m_options, m_pVideo);
        pushMode(m_pMode);
    }
    void onQuit() override { quit(0); }

    D3D7VideoDriver* getVideo() const { return m_pVideo; }
    int getExit() const { return m_pMode ? m_pMode->getExit() : 1; }

private:
    Options m_options;
    D3D7VideoDriver* m_pVideo; // owned by the platform
    SaloonMode* m_pMode;       // owned by the application
};

int runWindow(const Options& options)
{
    SaloonApp* pApp = new SaloonApp(options);
    int nExit = pApp->run();
    if (nExit == 0)
        nExit = pApp->getExit();
    if (!options.sScreenshot.empty() &&
        !demokit::saveScreenshot("saloon-demo", pApp->getVideo(), options.sScreenshot,
                                 "the display", demokit::SHOT_PNG))
        nExit = 3;
    delete pApp;
    return nExit;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, &options))
    {
        std::fputs("usage: saloon-demo [--seconds N] [--walkers K] [--seed S] "
                   "[--window [--screenshot FILE] [--heroine [--game-dir DIR] "
                   "[--click WHERE@SECONDS]...]] [--scene N [--tables K] [--customers K] "
                   "[--dialog NAME] [--stage fight|cow|sheriff|thief]]\n",
                   stderr);
        return 2;
    }
    openLog("saloon-demo.log");
    disableSaving();
    int nExit = 1;
    try
    {
        nExit = options.bWindow ? runWindow(options) : runHeadless(options);
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "saloon-demo: seed %u: %s : %s\n", options.nSeed, e.getClassName(),
                     e.getMessage());
        logPrintf("M: %s : %s\n", e.getClassName(), e.getMessage());
        nExit = 1;
    }
    std::fflush(stdout);
    closeLog();
    return nExit;
}
