// engine-demo: the engine's first window.
//
//     engine-demo [--frames N] [--screenshot FILE] [--fullscreen] [--hidden] [--pack FILE]
//                 [--log FILE] [--show PICTURE [--game-dir DIR]] [--movie FILE] [--widgets]
//
// Starts the application on the SDL platform with the Direct3D 7 video driver and the SDL_mixer
// audio driver, opens the pack "engine-demo.dat" found beside the program (made at build time from
// engine-demo-content's files), and shows one screen mode with tinted, faded, additive, rotated,
// scaled, mirrored, colour-keyed, polygon and animated sprites and the particle effects of the
// game's misc pack (dust, smoke, sparkles) over an 800 x 600 backdrop, with
// lines of text at the top in the built-in font and in a TrueType face at two sizes. A left click
// plays a sound and a burst of light; Escape or closing the window ends it.
//
// --frames N        ends after N frames (the sprites then move by a fixed 1/60 s per frame, so
//                   that a run shows the same picture every time)
// --screenshot FILE with --frames: the last frame's pixels go to FILE, as BMP when its name ends
//                   in ".bmp", else as PNG. Only a display that keeps pixels (OpenGL) has any.
// --fullscreen      full screen; on a desktop wider than 4:3 the picture is letterboxed
// --hidden          the video driver's own switch: a frameless window that is never moved
// --pack FILE       another pack instead of the one beside the program
// --log FILE        the application log ("engine-demo.log" in the current folder by default)
// --show PICTURE    the picture viewer: opens the game's packs instead of the demo's and shows
//                   the picture of that name (as the game looks it up) in the middle of the
//                   screen, scaled down when larger; Escape ends it
// --game-dir DIR    the folder of the game's packs for --show (by default the build's game/
//                   folder, two levels above the program)
// --movie FILE      the movie player: plays the Ogg Theora movie FILE (a plain file, as the game
//                   opens its logo movies) with its sound in a movie sprite, scaled to fit the
//                   screen and centred; the demo ends when the movie ends (or after --frames N,
//                   the movie's last frame staying on screen) or on Escape
// --widgets         the widget screen (widgetsmode.h) on the game's packs and theme "dolly.theme":
//                   labels, edit boxes, radio buttons and sliders; with --frames N it plays its
//                   input script through SDL's event queue and prints what the widgets hold:
//                   "engine-demo: widgets name=... code=... choice=... sound=... music=..."
//
// At the end it prints "engine-demo: N frames on the NAME display, WxH window|full screen".
// Exit status: 0 done, 1 a failure of the engine (its message on standard error), 2 wrong
// arguments, 3 the screenshot could not be made or written.
#include "demooptions.h"
#include "demorun.h"
#include "framedmode.h"
#include "programfolder.h"
#include "screenshot.h"
#include "sdlplatformsetup.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "app/videoflags.h"
#include "gfx/animsprite.h"
#include "gfx/fontfactorytable.h"
#include "gfx/imagefactory.h"
#include "gfx/particleemitter.h"
#include "gfx/simplefont.h"
#include "gfx/scalpha.h"
#include "gfx/sccomposite.h"
#include "gfx/scmovement.h"
#include "gfx/sctiming.h"
#include "gfx/videosprite.h"
#include "platform/d3d7/d3d7videodriver.h"
#include "platform/sdl/sdlplatform.h"
#include "widgetsmode.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

const int SCREEN_WIDTH = 800;
const int SCREEN_HEIGHT = 600;
const float FIXED_STEP = 1.0f / 60.0f;
// Alignment bits: the insertion point in the middle of the picture.
const int ALIGN_CENTRE = 0x04 | 0x20;

struct DemoOptions : demokit::DemoCommonOptions
{
    DemoOptions() { sLog = "engine-demo.log"; }
    std::string sPack;
    std::string sShow;
    std::string sMovie;
    bool bWidgets = false;
};

// The game's packs, in the order the game opens them.
const char* const GAME_PACKS[] = {"lang_en",     "misc",  "characters", "dolly",
                                  "scenes",      "sound", "story",      "characters1",
                                  "dolly1",      "scenes1", "sound1",   "story1"};

const char* const USAGE = "usage: engine-demo [--frames N] [--screenshot FILE] [--fullscreen] "
                          "[--hidden] [--pack FILE] [--log FILE] "
                          "[--show PICTURE [--game-dir DIR]] [--movie FILE] [--widgets]\n";

bool parseOptions(int argc, char** argv, DemoOptions* pOptions)
{
    const auto readOwn = [pOptions](const std::string& sArg, const char* pszValue)
    {
        std::string* psTarget = sArg == "--pack"    ? &pOptions->sPack
                                : sArg == "--show"  ? &pOptions->sShow
                                : sArg == "--movie" ? &pOptions->sMovie
                                                    : nullptr;
        if (psTarget && pszValue)
        {
            *psTarget = pszValue;
            return 2;
        }
        if (sArg == "--widgets")
            pOptions->bWidgets = true;
        // --hidden is read by the video driver from the application's words.
        return sArg == "--widgets" || sArg == "--hidden" ? 1 : 0;
    };
    if (!demokit::parseDemoArguments(argc, argv, pOptions, readOwn))
        return false;
    // The game's folder is only for the viewer and the widget screen; the widget screen, the
    // viewer and the movie player are screens of their own.
    if (!pOptions->sGameDir.empty() && pOptions->sShow.empty() && !pOptions->bWidgets)
        return false;
    if (pOptions->bWidgets && (!pOptions->sShow.empty() || !pOptions->sMovie.empty()))
        return false;
    return pOptions->sMovie.empty() || pOptions->sShow.empty();
}

// A short burst of light where the player clicked: grows and fades out.
struct Burst
{
    RIR::SmartPtr<Sprite> pSprite;
    float fAge;
};

// The demo's one screen.
class DemoMode : public demokit::FramedMode
{
public:
    DemoMode(int nFrames, D3D7VideoDriver* pVideo)
        : FramedMode(nFrames, pVideo), m_fTime(0.0f)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
    }

    void onStart() override
    {
        addSprite(new Sprite(getImage("backdrop"), 0, 0, 0));
        for (const char* pszName : {"ball", "star", "arrow", "keyed"})
            getImage(pszName)->setInsPointByAlign(ALIGN_CENTRE);

        // Tinted.
        const Color aTints[5] = {Color(255, 90, 90, 255), Color(90, 255, 110, 255),
                                 Color(90, 150, 255, 255), Color(255, 230, 70, 255),
                                 Color(255, 255, 255, 255)};
        for (int i = 0; i < 5; ++i)
        {
            RIR::SmartPtr<Sprite> pBall = addBall(90 + 80 * i, 110);
            pBall->setColor(aTints[i]);
        }
        // Faded, the last one pulsing.
        for (int i = 0; i < 5; ++i)
        {
            RIR::SmartPtr<Sprite> pBall = addBall(90 + 80 * i, 220);
            pBall->setColor(Color(255, 170, 60, 255));
            pBall->setAlpha(1.0f - 0.22f * (float)i);
            if (i == 4)
                m_pPulsingAlpha = pBall;
        }
        // Additive: overlapping glows add up to white.
        for (int i = 0; i < 5; ++i)
        {
            RIR::SmartPtr<Sprite> pStar = new Sprite(getImage("star"), 110 + 70 * i, 340, 2);
            pStar->setBlendMode(SBM_ADDITIVE);
            pStar->setScale(1.6f);
            addSprite(pStar);
            m_lStars.push_back(pStar);
        }
        // Rotated and scaled.
        m_pTurning = new Sprite(getImage("arrow"), 560, 110, 2);
        addSprite(m_pTurning);
        m_pPulsing = addBall(690, 110);
        m_pPulsing->setColor(Color(120, 255, 230, 255));
        m_pStretched = addBall(690, 220);
        m_pStretched->setScaleXY(1.7f, 0.6f);
        m_pStretched->setRotation(-20.0f);
        // Mirrored: the original, left-right, top-bottom, both.
        for (int i = 0; i < 4; ++i)
        {
            RIR::SmartPtr<Image> pArrow = getImage("arrow")->clone(false);
            if (i & 1)
                pArrow->flipHorizontal();
            if (i & 2)
                pArrow->flipVertical();
            addSprite(new Sprite(pArrow, 520 + 80 * (i & 1), 300 + 70 * (i >> 1), 2));
        }
        // Animated dials, one at half speed.
        RIR::SmartPtr<Animation> pDial = getApp()->getAnimationByName("demo.anim");
        for (int i = 0; i < 2; ++i)
        {
            RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pDial, 700, 340 + 70 * i, 2);
            if (i == 1)
                pSprite->play("turn", 4.0f, 1);
            addSprite(pSprite);
            m_lDials.push_back(pSprite);
        }
        // Colour-keyed: magenta never shows.
        addSprite(new Sprite(getImage("keyed"), 90, 470, 2));
        RIR::SmartPtr<Sprite> pKeyedTurned = new Sprite(getImage("keyed"), 170, 470, 2);
        pKeyedTurned->setRotation(45.0f);
        pKeyedTurned->setScale(0.7f);
        addSprite(pKeyedTurned);
        // A polygon: a five-pointed star drawn as one fan in the tint.
        m_pPolygon = new Sprite(getImage("ball"), 290, 470, 2);
        RIR::List<Point> lPoints;
        lPoints.append(Point(32, 32));
        for (int i = 0; i <= 10; ++i)
        {
            const float fAngle = (float)i * 3.14159265f / 5.0f - 3.14159265f / 2.0f;
            const float fRadius = (i % 2) ? 16.0f : 40.0f;
            lPoints.append(
                Point(32.0f + fRadius * std::cos(fAngle), 32.0f + fRadius * std::sin(fAngle)));
        }
        m_pPolygon->setPolygon(lPoints);
        m_pPolygon->setColor(Color(255, 120, 200, 255));
        addSprite(m_pPolygon);
        // Sprite controllers: a ball swinging to and fro for ever with a rest at each end while
        // its alpha breathes, and a blinking ball.
        RIR::SmartPtr<Sprite> pSwing = addBall(400, 470);
        pSwing->setColor(Color(255, 240, 120, 255));
        SCLoop* pSwingLoop = new SCLoop();
        pSwingLoop->add(new SCLinearPath(Point(80, 0), 1.0f, SCLinearPath::PATH_DURATION));
        pSwingLoop->add(new SCDelay(0.3f));
        pSwingLoop->add(new SCLinearPath(Point(-80, 0), 1.0f, SCLinearPath::PATH_DURATION));
        pSwingLoop->add(new SCDelay(0.3f));
        pSwing->addController(pSwingLoop);
        pSwing->addController(new SCSinusoidAlpha(0.4f, 1.0f, 0.5f, 0.0f));
        RIR::SmartPtr<Sprite> pBlinking = addBall(440, 410);
        pBlinking->setColor(Color(160, 255, 120, 255));
        pBlinking->addController(new SCBlink(0.6f, 0.3f, 0.0f));
        // A ball rolling along the bottom.
        m_pRolling = addBall(400, 545);
        m_pRolling->setColor(Color(255, 200, 200, 255));
        addTextLines();
        addEmitters();
    }

    void update(float fDt) override
    {
        countFrame();
        const float fStep = getFrameLimit() > 0 ? FIXED_STEP : fDt;
        m_fTime += fStep;
        m_pTurning->setRotation(std::fmod(m_fTime * 90.0f, 360.0f));
        m_pPulsing->setScale(1.0f + 0.5f * std::sin(m_fTime * 2.5f));
        m_pPulsingAlpha->setAlpha(0.5f + 0.5f * std::sin(m_fTime * 3.0f));
        m_pPolygon->setRotation(m_fTime * -40.0f);
        for (size_t i = 0; i < m_lStars.size(); ++i)
            m_lStars[i]->setRotation(m_fTime * 30.0f * (float)(i + 1));
        for (const RIR::SmartPtr<AnimSprite>& pDial : m_lDials)
            pDial->update(fStep);
        const float fRoll = 330.0f * std::sin(m_fTime * 0.8f);
        m_pRolling->setPosFloat(400.0f + fRoll, 545.0f);
        m_pRolling->setRotation(fRoll / 30.0f * 57.29578f);
        updateBursts(fStep);
        for (const RIR::SmartPtr<ParticleEmitter>& pEmitter : m_lEmitters)
            pEmitter->update(fStep);
        endAtFrameLimit();
    }

    bool mouseDown(int nButtonMask, int nX, int nY) override
    {
        if ((nButtonMask & 1) == 0)
            return false;
        RIR::SmartPtr<Sample> pClick = getSample("click");
        if (pClick)
            getApp()->playSample(pClick, false, -1);
        Burst burst;
        burst.pSprite = new Sprite(getImage("star"), nX, nY, 5);
        burst.pSprite->setBlendMode(SBM_ADDITIVE);
        burst.pSprite->setColor(Color(255, 200, 120, 255));
        burst.fAge = 0.0f;
        addSprite(burst.pSprite);
        m_lBursts.push_back(burst);
        return true;
    }

private:
    // Lines of text on a dim panel at the top: the default font of the built-in glyph sheet and
    // the pack's TrueType face at two sizes.
    void addTextLines()
    {
        RIR::SmartPtr<Image> pPanel = getApp()->createImage(730, 74, true);
        pPanel->fill(Color(0, 0, 0, 90));
        RIR::SmartPtr<SimpleFont> pBuiltIn = new SimpleFont();
        pBuiltIn->loadFromImage(getImage("DiziDor::SystemFont"));
        RIR::SmartPtr<Font> apFonts[3] = {
            RIR::SmartPtr<Font>(pBuiltIn.get()),
            FontFactoryTable::createFont("TrueType",
                                         RIR::List<RIR::String>("dejavusans.ttf", "14")),
            FontFactoryTable::createFont("TrueType",
                                         RIR::List<RIR::String>("dejavusans.ttf", "24"))};
        const char* const apszLines[3] = {
            "Built-in font: The quick brown fox jumps over the lazy dog. 0123456789 (!?) $5 & 10%",
            "TrueType 14 pt: Howdy, stranger! A whiskey costs $2 at the Dustbowl saloon.",
            "TrueType 24 pt: Dustbowl Dolly"};
        int y = 4;
        for (int i = 0; i < 3; ++i)
        {
            Rect line(8, y, 722, 74);
            apFonts[i]->drawText(pPanel, line, apszLines[i]);
            y = line.bottom + 1;
        }
        addSprite(new Sprite(pPanel, 60, 2, 3));
    }

    // The particle effects of the game's misc pack, when it is there: dust along the bottom,
    // smoke rising on the right, sparkles (nested emitters) in the corner.
    void addEmitters()
    {
        struct Placed
        {
            const char* pszName;
            int nX;
            int nY;
        };
        for (const Placed& placed : {Placed{"dust.particles", 250, 585},
                                     Placed{"smoke.particles", 770, 585},
                                     Placed{"sparkles.particles", 620, 585}})
        {
            if (!getApp()->hasResource(placed.pszName))
                continue;
            RIR::SmartPtr<ParticleEmitter> pEmitter = new ParticleEmitter(this);
            pEmitter->load(placed.pszName);
            pEmitter->setPosition(placed.nX, placed.nY);
            pEmitter->setZ(4);
            m_lEmitters.push_back(pEmitter);
        }
    }

    RIR::SmartPtr<Sprite> addBall(int nX, int nY)
    {
        RIR::SmartPtr<Sprite> pBall = new Sprite(getImage("ball"), nX, nY, 1);
        addSprite(pBall);
        return pBall;
    }

    void updateBursts(float fDt)
    {
        for (size_t i = 0; i < m_lBursts.size();)
        {
            Burst& burst = m_lBursts[i];
            burst.fAge += fDt;
            if (burst.fAge >= 0.6f)
            {
                removeObject(burst.pSprite);
                m_lBursts.erase(m_lBursts.begin() + (long)i);
                continue;
            }
            burst.pSprite->setScale(1.0f + burst.fAge * 4.0f);
            burst.pSprite->setAlpha(1.0f - burst.fAge / 0.6f);
            ++i;
        }
    }

    float m_fTime;
    RIR::SmartPtr<Sprite> m_pTurning;
    RIR::SmartPtr<Sprite> m_pPulsing;
    RIR::SmartPtr<Sprite> m_pPulsingAlpha;
    RIR::SmartPtr<Sprite> m_pStretched;
    RIR::SmartPtr<Sprite> m_pPolygon;
    RIR::SmartPtr<Sprite> m_pRolling;
    std::vector<RIR::SmartPtr<Sprite>> m_lStars;
    std::vector<RIR::SmartPtr<AnimSprite>> m_lDials;
    std::vector<Burst> m_lBursts;
    std::vector<RIR::SmartPtr<ParticleEmitter>> m_lEmitters;
};

// The picture viewer: one picture of the game's packs, by name, on a dark backdrop.
class ViewerMode : public demokit::FramedMode
{
public:
    ViewerMode(const std::string& sName, int nFrames, D3D7VideoDriver* pVideo)
        : FramedMode(nFrames, pVideo), m_sName(sName)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
    }

    void onStart() override
    {
        // A missing picture raises the lookup's own error, which main reports.
        RIR::SmartPtr<Image> pPicture = getImage(m_sName.c_str());
        const int nWidth = pPicture->getWidth();
        const int nHeight = pPicture->getHeight();
        logPrintf("U: showing %s, %dx%d\n", m_sName.c_str(), nWidth, nHeight);
        std::printf("engine-demo: %s is %dx%d\n", m_sName.c_str(), nWidth, nHeight);
        RIR::SmartPtr<Sprite> pSprite = new Sprite(pPicture, 0, 0, 1);
        float fScale = 1.0f;
        if (nWidth > SCREEN_WIDTH || nHeight > SCREEN_HEIGHT)
            fScale = std::min((float)SCREEN_WIDTH / (float)nWidth,
                              (float)SCREEN_HEIGHT / (float)nHeight);
        pSprite->setScale(fScale);
        pSprite->setPosFloat(((float)SCREEN_WIDTH - (float)nWidth * fScale) / 2.0f,
                             ((float)SCREEN_HEIGHT - (float)nHeight * fScale) / 2.0f);
        addSprite(pSprite);
    }

    void update(float /*fDt*/) override
    {
        countFrame();
        endAtFrameLimit();
    }

private:
    std::string m_sName;
};

// The movie player: one movie sprite, scaled to fit the screen and centred, on black.
class MovieMode : public demokit::FramedMode
{
public:
    MovieMode(const std::string& sPath, int nFrames, D3D7VideoDriver* pVideo)
        : FramedMode(nFrames, pVideo), m_sPath(sPath)
    {
        setFlags(MF_ACTIVE | MF_VISIBLE | MF_CLEAR_SCREEN);
    }

    void onStart() override
    {
        // A file that does not open raises the sprite's own error, which main reports.
        m_pMovie = new VideoSprite(m_sPath.c_str());
        const int nWidth = m_pMovie->getWidth();
        const int nHeight = m_pMovie->getHeight();
        logPrintf("U: playing %s, %dx%d\n", m_sPath.c_str(), nWidth, nHeight);
        std::printf("engine-demo: movie %s is %dx%d\n", m_sPath.c_str(), nWidth, nHeight);
        float fScale = 1.0f;
        if (nWidth > 0 && nHeight > 0)
            fScale = std::min((float)SCREEN_WIDTH / (float)nWidth,
                              (float)SCREEN_HEIGHT / (float)nHeight);
        m_pMovie->setScale(fScale);
        m_pMovie->setPosFloat(((float)SCREEN_WIDTH - (float)nWidth * fScale) / 2.0f,
                              ((float)SCREEN_HEIGHT - (float)nHeight * fScale) / 2.0f);
        addSprite(m_pMovie);
    }

    void update(float fDt) override
    {
        countFrame();
        m_pMovie->update(getFrameLimit() > 0 ? FIXED_STEP : fDt);
        if (!endAtFrameLimit() && getFrameLimit() == 0 && m_pMovie->isFinished())
            getApp()->quit(0);
    }

private:
    std::string m_sPath;
    RIR::SmartPtr<VideoSprite> m_pMovie;
};

class DemoApp : public GameApp
{
public:
    explicit DemoApp(const DemoOptions& options)
        : m_options(options), m_pVideo(nullptr), m_pMode(nullptr)
    {
    }

    void onInit() override
    {
        // The library's defaults (full volume, the software cursor); the demo keeps no settings
        // file.
        setDefaultSettings();
        if (m_options.sShow.empty() && !m_options.bWidgets)
        {
            addResourceFile(m_options.sPack.c_str(), false);
            // The game's misc pack brings the particle effects.
            const std::string sMisc = m_options.sGameDir + "misc.dat";
            if (access(sMisc.c_str(), R_OK) == 0)
                addResourceFile(sMisc.c_str(), false);
        }
        else if (m_options.bWidgets)
        {
            // The theme, its pictures and faces, its button sounds and the texts.
            for (const char* pszPack : {"lang_en", "misc", "sound"})
                addResourceFile((m_options.sGameDir + pszPack + ".dat").c_str(), false);
        }
        else
        {
            for (const char* pszPack : GAME_PACKS)
                addResourceFile((m_options.sGameDir + pszPack + ".dat").c_str(), false);
        }

        SDLPlatform* pPlatform = nullptr;
        m_pVideo = demokit::installSdlPlatform(this, &pPlatform);

        RIR::SmartPtr<Image> pIcon = pPlatform->getImageFactory()->loadWithFlags("icon", false);
        init(SCREEN_WIDTH, SCREEN_HEIGHT, m_options.bFullscreen ? VF_FULLSCREEN : 0, pIcon);
        setCaption("DiziDor engine demo");
        setCursorImage(getImage("cursor"));

        if (m_options.bWidgets)
        {
            loadTheme("dolly.theme");
            m_pWidgets = new WidgetsMode(m_options.nFrames, m_pVideo);
            if (!m_options.sScreenshot.empty())
                m_pWidgets->requestScreenshot();
            pushMode(m_pWidgets);
            return;
        }

        if (!m_options.sShow.empty())
        {
            m_pViewer = new ViewerMode(m_options.sShow, m_options.nFrames, m_pVideo);
            if (!m_options.sScreenshot.empty())
                m_pViewer->requestScreenshot();
            pushMode(m_pViewer);
            return;
        }
        if (!m_options.sMovie.empty())
        {
            m_pMovie = new MovieMode(m_options.sMovie, m_options.nFrames, m_pVideo);
            if (!m_options.sScreenshot.empty())
                m_pMovie->requestScreenshot();
            pushMode(m_pMovie);
            return;
        }
        m_pMode = new DemoMode(m_options.nFrames, m_pVideo);
        if (!m_options.sScreenshot.empty())
            m_pMode->requestScreenshot();
        pushMode(m_pMode);
    }

    // Closing the window ends the demo normally.
    void onQuit() override { quit(0); }

    D3D7VideoDriver* getDemoVideo() const { return m_pVideo; }
    // Frames run by the demo's mode; 0 before it started.
    int getDemoFrames() const
    {
        return m_pMode     ? m_pMode->getFrames()
               : m_pViewer ? m_pViewer->getFrames()
               : m_pMovie  ? m_pMovie->getFrames()
               : m_pWidgets ? m_pWidgets->getFrames()
                           : 0;
    }
    // What the widget screen's widgets hold; "" without it.
    std::string describeWidgets() const { return m_pWidgets ? m_pWidgets->describe() : ""; }

private:
    DemoOptions m_options;
    D3D7VideoDriver* m_pVideo; // owned by the platform
    DemoMode* m_pMode;         // owned by the application
    ViewerMode* m_pViewer = nullptr; // owned by the application
    MovieMode* m_pMovie = nullptr;   // owned by the application
    WidgetsMode* m_pWidgets = nullptr; // owned by the application
};

} // namespace

int main(int argc, char** argv)
{
    DemoOptions options;
    if (!parseOptions(argc, argv, &options))
        return demokit::wrongArguments(USAGE);
    if (options.sPack.empty())
        options.sPack = demokit::programFolder() + "engine-demo.dat";
    options.sGameDir = demokit::gameFolder(options.sGameDir);

    demokit::DemoRun run;
    run.pszProgram = "engine-demo";
    run.sLog = options.sLog;
    run.create = [&options, argc, argv]()
    {
        DemoApp* pApp = new DemoApp(options);
        // The words after the program's name, as the game's start-up hands them over.
        RIR::List<RIR::String> lWords;
        for (int i = 1; i < argc; ++i)
            lWords.append(argv[i]);
        pApp->setArguments(lWords);
        return pApp;
    };
    run.report = [&options](GameApp* pApp)
    {
        const DemoApp* pDemo = static_cast<DemoApp*>(pApp);
        if (options.bWidgets && options.nFrames > 0)
            std::printf("engine-demo: widgets %s\n", pDemo->describeWidgets().c_str());
        D3D7VideoDriver* pVideo = pDemo->getDemoVideo();
        RenderDisplay* pDisplay = pVideo ? pVideo->getDisplay() : nullptr;
        std::printf("engine-demo: %d frames on the %s display, %dx%d %s\n", pDemo->getDemoFrames(),
                    pDisplay ? pDisplay->getName() : "no", pVideo ? pVideo->getPhysicalWidth() : 0,
                    pVideo ? pVideo->getPhysicalHeight() : 0,
                    pVideo && pVideo->isFullscreen() ? "full screen" : "window");
    };
    if (!options.sScreenshot.empty())
        run.screenshot = [&options](GameApp* pApp)
        {
            D3D7VideoDriver* pVideo = static_cast<DemoApp*>(pApp)->getDemoVideo();
            RenderDisplay* pDisplay = pVideo ? pVideo->getDisplay() : nullptr;
            const std::string sDisplay =
                std::string("the ") + (pDisplay ? pDisplay->getName() : "missing") + " display";
            return demokit::saveScreenshot("engine-demo", pVideo, options.sScreenshot, sDisplay,
                                           demokit::SHOT_BMP_BY_NAME);
        };
    return demokit::runDemo(run);
}
