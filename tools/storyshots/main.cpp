// storyshots: a page of the story's scenes, drawn by the game from its packs, written to a PNG.
//
//     storyshots --entry E --frames N --screenshot FILE [--reached L] [--forward K]
//                [--game-dir DIR] [--log FILE]
//
// The game's application starts on its packs (folder --game-dir DIR, by default the build's
// game/ folder) with no splash, intro or menu: its first screen is the scene of entry E (0..45 a
// story day: a chapter scene or the town newspaper; -1 the lost story; -3 the won campaign; -2 the
// story viewer). The scene runs N steps of 1/30 s of its own time, whatever the frame rate, and
// the last frame goes to FILE. In the viewer the setting "LastInterlevel" is L (default
// 45) and the viewer is stepped K entries forward first. Nothing is saved. Wrong arguments: 2.
#include "demooptions.h"
#include "demorun.h"
#include "programfolder.h"
#include "screenshot.h"
#include "sdlplatformsetup.h"

#include "shell/dbdapp.h"
#include "shell/interlevelmode.h"

#include "platform/d3d7/d3d7videodriver.h"
#include "platform/sdl/sdlplatform.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{

const char* const USAGE =
    "usage: storyshots --entry E --frames N --screenshot FILE [--reached L] [--forward K]\n"
    "                  [--game-dir DIR] [--log FILE]\n";
const float STEP = 1.0f / 30.0f;

struct Options
{
    int nEntry = 0;
    int nSteps = 1;
    int nReached = 45;
    int nForward = 0;
};

Options g_options;
D3D7VideoDriver* g_pVideo = nullptr;

IPlatform* makePlatform(GameApp* pApp, int nAudioFrequency)
{
    return demokit::makeSdlPlatform(pApp, nAudioFrequency, &g_pVideo);
}

// The scene on a clock of its own; the frame after its time is up is captured and ends the run.
class ShotScene : public InterLevelMode
{
public:
    ShotScene() : InterLevelMode(g_options.nEntry, nullptr) {}

    void onActivate() override
    {
        if (isInteractive())
            getApp()->setSetting("LastInterlevel", std::to_string(g_options.nReached).c_str());
        InterLevelMode::onActivate();
        for (int i = 0; i < g_options.nForward && isInteractive(); ++i)
            if (getNextButton() && getNextButton()->isEnabled())
                onCallback(ILCB_NEXT, 0);
        // The mouse pointer would stand in the middle of the picture.
        getApp()->showCursor(false);
    }

    void update(float fDt) override
    {
        (void)fDt;
        if (m_bCaptured)
            return;
        InterLevelMode::update(STEP);
        if (++m_nSteps >= g_options.nSteps)
        {
            m_bCaptured = true;
            g_pVideo->requestFrameCapture();
            getApp()->quit(0);
        }
    }

    // A scene that ends before its frames are up (the end of a chapter) would leave the window
    // open with nothing to draw: the run ends, without a picture.
    void onEnd() override
    {
        InterLevelMode::onEnd();
        if (!m_bCaptured)
        {
            std::fprintf(stderr, "storyshots: the scene ended after %d frames\n", m_nSteps);
            getApp()->quit(1);
        }
    }

private:
    int m_nSteps = 0;
    bool m_bCaptured = false;
};

GameMode* makeScene()
{
    return new ShotScene();
}

} // namespace

int main(int argc, char** argv)
{
    demokit::DemoCommonOptions common;
    bool bEntry = false;
    const bool bParsed = demokit::parseDemoArguments(
        argc, argv, &common, [&](const std::string& sArg, const char* pszValue) -> int {
            if (!pszValue)
                return 0;
            char* pEnd = nullptr;
            if (sArg == "--entry")
            {
                g_options.nEntry = (int)std::strtol(pszValue, &pEnd, 10);
                bEntry = true;
            }
            else if (sArg == "--reached")
                g_options.nReached = (int)std::strtol(pszValue, &pEnd, 10);
            else if (sArg == "--forward")
                g_options.nForward = (int)std::strtol(pszValue, &pEnd, 10);
            else
                return 0;
            return (pEnd && *pEnd == 0 && pEnd != pszValue) ? 2 : 0;
        });
    const bool bEntryOk = g_options.nEntry >= -3 && g_options.nEntry <= 45;
    if (!bParsed || !bEntry || !bEntryOk || common.sScreenshot.empty())
        return demokit::wrongArguments(USAGE);

    g_options.nSteps = common.nFrames;
    const std::string sGame = demokit::gameFolder(common.sGameDir);
    if (chdir(sGame.c_str()) != 0)
    {
        std::fprintf(stderr, "storyshots: no game folder %s\n", sGame.c_str());
        return 1;
    }
    const std::string sConfig = "/tmp/storyshots-" + std::to_string(getpid()) + ".dat";
    GameApp::setConfigPath(sConfig.c_str());

    demokit::DemoRun run;
    run.pszProgram = "storyshots";
    run.sLog = common.sLog.empty() ? "/tmp/storyshots.log" : common.sLog;
    run.create = []() -> GameApp* {
        FirstModes modes;
        modes.pfnMenu = &makeScene;
        modes.pfnIntro = nullptr;
        modes.pfnSplash = nullptr;
        return new DBDApp(&makePlatform, modes);
    };
    run.screenshot = [&](GameApp*) {
        return demokit::saveScreenshot("storyshots", g_pVideo, common.sScreenshot,
                                       "this display", demokit::SHOT_PNG);
    };
    const int nExit = demokit::runDemo(run);
    std::remove(sConfig.c_str());
    return nExit;
}
