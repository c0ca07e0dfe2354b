// widget-demo: the engine's ready-made screens on the game's theme.
//
//     widget-demo [--scene splash|options|yesno|credits] [--frames N] [--screenshot FILE]
//                 [--auto] [--movie-logo FILE] [--game-dir DIR] [--log FILE] [--fullscreen]
//
// Starts the application on the SDL platform with the Direct3D 7 video driver and the SDL_mixer
// audio driver, opens the game's packs (by default the build's game/ folder, two levels above
// the program), reads the game's text tables and "dolly.theme" with its TrueType fonts, and shows
// in turn: the splash screen (the studio logo with its music), the options dialog with all its
// sections, a yes/no question and the credits, each over the one before it is dimmed. Continue
// in the options dialog goes on to the question, Exit ends the demo; either answer to the
// question rolls the credits; the end of the credits ends the demo. Escape ends it at any time
// on the stage between screens.
//
// --scene NAME      starts with that screen (and goes on from there)
// --frames N        ends after N frames (each screen is then given a fixed 1/60 s per frame)
// --screenshot FILE with --frames: the last frame's pixels go to FILE as PNG (only a display
//                   that keeps pixels, OpenGL, has any)
// --auto            answers every screen by itself after a while: the splash runs out, the
//                   options dialog is left by Continue, the question answered by Return, the
//                   credits ended by a click (each screen given a fixed 1/60 s per frame)
// --movie-logo FILE the splash plays the movie FILE (".ogv" or ".flv", a plain file) as a logo
//                   before the studio's picture, and prints "widget-demo: movie logo NAME
//                   played" when it has left the screen
//
// At the end it prints "widget-demo: N frames, screens <the screens shown, in order>".
// Exit status: 0 done, 1 a failure of the engine (its message on standard error), 2 wrong
// arguments, 3 the screenshot could not be made or written.
#include "demooptions.h"
#include "demorun.h"
#include "programfolder.h"
#include "screenshot.h"
#include "sdlplatformsetup.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "app/videoflags.h"
#include "gfx/fontfactorytable.h"
#include "gfx/imagefactory.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/flash/flashlogoplayer.h"
#include "platform/sdl/sdlttffactory.h"
#include "ui/creditsmode.h"
#include "ui/dlgyesno.h"
#include "ui/gameoptionsdialog.h"
#include "ui/splashscreen.h"
#include "ui/theme.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const float FIXED_STEP = 1.0f / 60.0f;

// The screens in the order the demo shows them.
enum Scene
{
    SCENE_SPLASH,
    SCENE_OPTIONS,
    SCENE_YESNO,
    SCENE_CREDITS,
    SCENE_DONE
};
const char* const SCENE_NAMES[] = {"splash", "options", "yesno", "credits"};

// Frames each screen stays with --auto before it is answered.
const int AUTO_FRAMES[] = {0, 90, 90, 300};

// The stage's callback ids.
enum StageId
{
    ID_CONTINUE = 100,
    ID_EXIT = 101,
    ID_YES = 102,
    ID_NO = 103
};

// The packs the screens need, as the game opens them.
const char* const GAME_PACKS[] = {"lang_en", "misc", "sound", "scenes"};

struct DemoOptions : demokit::DemoCommonOptions
{
    DemoOptions() { sLog = "widget-demo.log"; }
    bool bAuto = false;
    int nFirstScene = SCENE_SPLASH;
    std::string sMovieLogo;
};

const char* const USAGE = "usage: widget-demo [--scene splash|options|yesno|credits] [--frames N] "
                          "[--screenshot FILE] [--auto] [--movie-logo FILE] [--game-dir DIR] "
                          "[--log FILE] [--fullscreen]\n";

bool parseOptions(int argc, char** argv, DemoOptions* pOptions)
{
    const auto readOwn = [pOptions](const std::string& sArg, const char* pszValue)
    {
        if (sArg == "--auto")
        {
            pOptions->bAuto = true;
            return 1;
        }
        if (!pszValue)
            return 0;
        if (sArg == "--movie-logo")
        {
            pOptions->sMovieLogo = pszValue;
            return 2;
        }
        if (sArg != "--scene")
            return 0;
        pOptions->nFirstScene = -1;
        for (int s = 0; s < SCENE_DONE; ++s)
            if (pszValue == std::string(SCENE_NAMES[s]))
                pOptions->nFirstScene = s;
        return pOptions->nFirstScene >= 0 ? 2 : 0;
    };
    return demokit::parseDemoArguments(argc, argv, pOptions, readOwn);
}

// Dark saloon planks: the stage the dialogs stand on, and the credits' background when the
// packs have no cover picture.
RIR::SmartPtr<Image> drawPlanks(GameApp* pApp)
{
    RIR::SmartPtr<Image> pImage = pApp->createImage(SCREEN_WIDTH, SCREEN_HEIGHT, false);
    const int PLANK = 40;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
    {
        const int nPlank = y / PLANK;
        const int nInPlank = y % PLANK;
        for (int x = 0; x < SCREEN_WIDTH; ++x)
        {
            // Each plank its own shade, a grain that runs along it, dark seams and butt joints.
            const int nShift = (nPlank * 7919) % 13;
            const int nGrain = ((x / 3 + nInPlank * 5 + nPlank * 11) % 17 < 2) ? -12 : 0;
            const bool bJoint = (x + nPlank * 263) % 331 < 2;
            const bool bSeam = nInPlank < 2;
            int r = 104 + nShift * 3 + nGrain;
            int g = 64 + nShift * 2 + nGrain;
            int b = 36 + nShift + nGrain / 2;
            if (bSeam || bJoint)
            {
                r = 42;
                g = 24;
                b = 14;
            }
            else if (nInPlank == 2)
            {
                r += 24;
                g += 16;
                b += 8;
            }
            pImage->setPixelAt(x, y, Color(r, g, b, 255));
        }
    }
    return pImage;
}

class Stage;

// The ready-made screens with one addition each: every update is counted by the stage, which
// ends the demo after --frames and answers the screen with --auto.
class DemoSplash : public SplashScreen
{
public:
    explicit DemoSplash(Stage* pStage) : m_pStage(pStage) {}
    void update(float fDt) override;

private:
    Stage* m_pStage;
};

class DemoOptionsDialog : public GameOptionsDialog
{
public:
    DemoOptionsDialog(Stage* pStage, GameMode* pNotify)
        : GameOptionsDialog(pNotify, ID_CONTINUE, ID_EXIT), m_pStage(pStage)
    {
    }
    void update(float fDt) override;

private:
    Stage* m_pStage;
};

class DemoQuestion : public DlgYesNo
{
public:
    DemoQuestion(Stage* pStage, ICallbackTarget* pTarget, const char* pszText)
        : DlgYesNo(pTarget, pszText, ID_YES, ID_NO), m_pStage(pStage)
    {
    }
    void update(float fDt) override;

private:
    Stage* m_pStage;
};

class DemoCredits : public CreditsMode
{
public:
    explicit DemoCredits(Stage* pStage) : m_pStage(pStage) {}
    void update(float fDt) override;

private:
    Stage* m_pStage;
};

// The bottom mode: the planks, and the order of the screens above them.
class Stage : public GameMode
{
public:
    Stage(const DemoOptions& options, D3D7VideoDriver* pVideo)
        : m_options(options), m_pVideo(pVideo), m_nScene(options.nFirstScene)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
    }

    int getFrames() const { return m_nFrames; }
    const std::string& getShown() const { return m_sShown; }

    void onStart() override { addSprite(new Sprite(drawPlanks(getApp()), 0, 0, 0)); }

    // The screen above ended (or the stage came first): the next one goes up at the stage's
    // next update, outside the stack change under way.
    void onActivate() override { m_bNextPending = true; }

    void onCallback(int nId, int /*nParam*/) override
    {
        switch (nId)
        {
        case ID_CONTINUE:
            m_nScene = SCENE_YESNO;
            break;
        case ID_EXIT:
            m_nScene = SCENE_DONE;
            break;
        case ID_YES:
        case ID_NO:
            m_nScene = SCENE_CREDITS;
            break;
        default:
            break;
        }
    }

    void update(float fDt) override
    {
        tick(fDt);
        if (!m_bNextPending)
            return;
        m_bNextPending = false;
        if (m_nScene >= SCENE_DONE)
            getApp()->quit(0);
        else
            showScene(m_nScene);
    }

    bool keyDown(int nKey, int /*nModifiers*/) override
    {
        if (nKey != SDLK_ESCAPE)
            return false;
        getApp()->quit(0);
        return true;
    }

    // One frame of whichever screen is on top: the frame limit and the automatic answers.
    void tick(float /*fDt*/)
    {
        ++m_nFrames;
        ++m_nSceneFrames;
        if (m_options.nFrames > 0 && m_nFrames >= m_options.nFrames)
        {
            // This frame is the last one: it is drawn, read back when asked, and the loop ends.
            if (!m_options.sScreenshot.empty())
                m_pVideo->requestFrameCapture();
            getApp()->quit(0);
            return;
        }
        if (!m_options.bAuto || m_nShowing < 0 || m_nSceneFrames != AUTO_FRAMES[m_nShowing])
            return;
        GameApp* pApp = getApp();
        switch (m_nShowing)
        {
        case SCENE_OPTIONS:
            pApp->getTopMode()->onCallback(GOD_OK, 0); // Continue
            break;
        case SCENE_YESNO:
            pApp->dispatchKeyDown(SDLK_RETURN, 0);
            pApp->dispatchKeyUp(SDLK_RETURN, 0);
            break;
        case SCENE_CREDITS:
            pApp->dispatchMouseDown(1, 400, 300);
            pApp->dispatchMouseUp(1, 400, 300);
            break;
        default:
            break;
        }
    }

    // A fixed step when the run is limited or automatic, so that every run shows the same
    // pictures.
    float step(float fDt) const
    {
        return m_options.nFrames > 0 || m_options.bAuto ? FIXED_STEP : fDt;
    }

private:
    void showScene(int nScene)
    {
        GameApp* pApp = getApp();
        m_nShowing = nScene;
        m_nSceneFrames = 0;
        m_sShown += (m_sShown.empty() ? "" : " ") + std::string(SCENE_NAMES[nScene]);
        logPrintf("U: widget-demo shows %s\n", SCENE_NAMES[nScene]);
        switch (nScene)
        {
        case SCENE_SPLASH:
        {
            DemoSplash* pSplash = new DemoSplash(this);
            if (!m_options.sMovieLogo.empty())
            {
                // The movie is opened as the game opens its logo movies: by its resource name.
                const std::string& sPath = m_options.sMovieLogo;
                const size_t nSlash = sPath.rfind('/');
                const std::string sFolder =
                    nSlash == std::string::npos ? "." : sPath.substr(0, nSlash);
                pApp->addResourceFolder(sFolder.c_str(), false);
                pSplash->addVideoLogo(sPath.substr(nSlash + 1).c_str());
            }
            pSplash->addStandardLogo("splash_quillmoor", 1.5f, "intro");
            m_nScene = SCENE_OPTIONS;
            pApp->pushMode(pSplash);
            break;
        }
        case SCENE_OPTIONS:
        {
            DemoOptionsDialog* pOptions = new DemoOptionsDialog(this, this);
            pOptions->setSections(GOS_TITLE | GOS_VOLUME | GOS_FULLSCREEN | GOS_DEPTH);
            if (pApp->canLoadSample("button_click"))
                pOptions->setTestSample(pApp->getSample("button_click"));
            m_nScene = SCENE_DONE; // unless Continue says otherwise
            pApp->pushMode(pOptions);
            break;
        }
        case SCENE_YESNO:
        {
            m_nScene = SCENE_CREDITS;
            pApp->pushMode(new DemoQuestion(
                this, this,
                "Close up the saloon for the night and roll the credits? The regulars will "
                "grumble, but the piano player has earned his rest."));
            break;
        }
        case SCENE_CREDITS:
        {
            m_nScene = SCENE_DONE;
            pApp->pushMode(makeCredits());
            break;
        }
        default:
            break;
        }
    }

    GameMode* makeCredits()
    {
        GameApp* pApp = getApp();
        DemoCredits* pCredits = new DemoCredits(this);
        // The game's cover when the packs have it, else the stage's own planks.
        if (pApp->canLoadImage("tapa"))
            pCredits->setBackground("tapa");
        else
        {
            pApp->addImage("widget_demo_planks", drawPlanks(pApp), true);
            pCredits->setBackground("widget_demo_planks");
        }
        pCredits->addSpace(20);
        if (pApp->hasString("Caption"))
            heading(pCredits->addText("Caption", true));
        pCredits->addSpace(30);
        heading(pCredits->addText("Starring", true));
        for (const char* pszKey : {"CredDolly", "CredHank", "CredSheriff", "CredPianist",
                                   "CredPink", "CredUndertaker", "CredThief", "CredDog"})
            if (pApp->hasString(pszKey))
                pCredits->addText(pszKey, true);
        pCredits->addSpace(40);
        if (pApp->hasString("CredTesters"))
        {
            heading(pCredits->addText("Tested by", true));
            pCredits->addText("CredTesters", true);
            pCredits->addSpace(40);
        }
        if (pApp->hasString("CredLibraries"))
            pCredits->addText("CredLibraries", true);
        if (pApp->canLoadImage("splash_quillmoor"))
        {
            pCredits->addSpace(40);
            pCredits->addImageByName("splash_quillmoor", true);
        }
        return pCredits;
    }

    // A section heading of the credits in the theme's chapter face.
    void heading(const RIR::SmartPtr<Label>& pLabel)
    {
        pLabel->setFont(getApp()->getTheme()->getFont("Dolly::Chapter"));
    }

    DemoOptions m_options;
    D3D7VideoDriver* m_pVideo; // not owned
    int m_nScene;              // the next screen to show
    int m_nShowing = -1;       // the screen on top
    bool m_bNextPending = false;
    int m_nFrames = 0;
    int m_nSceneFrames = 0;
    std::string m_sShown;
};

void DemoSplash::update(float fDt)
{
    const SSLogoInfo* pLogo = getCurrentLogo();
    const bool bMovie = getLogoSprite() && pLogo && pLogo->m_eType != SSLT_PICTURE;
    const std::string sName = bMovie ? pLogo->m_sName.c_str() : "";
    SplashScreen::update(m_pStage->step(fDt));
    if (bMovie && !getLogoSprite())
        std::printf("widget-demo: movie logo %s played\n", sName.c_str());
    m_pStage->tick(fDt);
}

void DemoOptionsDialog::update(float fDt)
{
    GameOptionsDialog::update(m_pStage->step(fDt));
    m_pStage->tick(fDt);
}

void DemoQuestion::update(float fDt)
{
    DlgYesNo::update(m_pStage->step(fDt));
    m_pStage->tick(fDt);
}

void DemoCredits::update(float fDt)
{
    CreditsMode::update(m_pStage->step(fDt));
    m_pStage->tick(fDt);
}

class DemoApp : public GameApp
{
public:
    explicit DemoApp(const DemoOptions& options) : m_options(options) {}

    void onInit() override
    {
        // The library's defaults (full volume, the software cursor); the demo keeps no settings
        // file.
        setDefaultSettings();
        for (const char* pszPack : GAME_PACKS)
        {
            const std::string sPack = m_options.sGameDir + pszPack + ".dat";
            if (access(sPack.c_str(), R_OK) == 0)
                addResourceFile(sPack.c_str(), false);
        }

        m_pVideo = demokit::installSdlPlatform(this);
        init(SCREEN_WIDTH, SCREEN_HEIGHT, m_options.bFullscreen ? VF_FULLSCREEN : 0,
             RIR::SmartPtr<Image>());
        setCaption("DiziDor widget demo");

        loadStrings("messages.txt");
        if (hasResource("credits.txt"))
            loadStrings("credits.txt");
        m_pFonts = new SDLTTFFactory();
        FontFactoryTable::registerFactory("TrueType", m_pFonts.get());
        loadTheme("dolly.theme");
        IFlashLogoPlayer::install(&m_flash);

        m_pStage = new Stage(m_options, m_pVideo);
        pushMode(m_pStage);
    }

    void onExit() override
    {
        IFlashLogoPlayer::install(nullptr);
        GameApp::onExit();
    }

    // Closing the window ends the demo normally.
    void onQuit() override { quit(0); }

    D3D7VideoDriver* getDemoVideo() const { return m_pVideo; }
    int getDemoFrames() const { return m_pStage ? m_pStage->getFrames() : 0; }
    std::string getShown() const { return m_pStage ? m_pStage->getShown() : ""; }

private:
    DemoOptions m_options;
    D3D7VideoDriver* m_pVideo = nullptr; // owned by the platform
    Stage* m_pStage = nullptr;           // owned by the application
    RIR::SmartPtr<SDLTTFFactory> m_pFonts;
    FlashLogoPlayer m_flash;
};

} // namespace

int main(int argc, char** argv)
{
    DemoOptions options;
    if (!parseOptions(argc, argv, &options))
        return demokit::wrongArguments(USAGE);
    options.sGameDir = demokit::gameFolder(options.sGameDir);

    demokit::DemoRun run;
    run.pszProgram = "widget-demo";
    run.sLog = options.sLog;
    run.create = [&options]() { return new DemoApp(options); };
    run.report = [](GameApp* pApp)
    {
        const DemoApp* pDemo = static_cast<DemoApp*>(pApp);
        std::printf("widget-demo: %d frames, screens %s\n", pDemo->getDemoFrames(),
                    pDemo->getShown().c_str());
    };
    if (!options.sScreenshot.empty())
        run.screenshot = [&options](GameApp* pApp)
        {
            return demokit::saveScreenshot("widget-demo", static_cast<DemoApp*>(pApp)->getDemoVideo(),
                                           options.sScreenshot, "the display", demokit::SHOT_PNG);
        };
    return demokit::runDemo(run);
}
