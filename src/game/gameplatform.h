// GamePlatform: the SDL platform as the game runs it, with the test driver built in.
//
// Besides SDLPlatform's work it
// - brings the window to the front when a second start of the game asked for it;
// - plays an input script (DBD_INPUT_SCRIPT, game/inputscript.h) through SDL's own event path:
//   pointer moves warp SDL's pointer (SDL_WarpMouse), button presses, keys and the window close
//   are SDL events put on SDL's queue (SDL_PushEvent), so that they reach the game exactly as a
//   player's do;
// - with a fixed step (DBD_FIXED_STEP, milliseconds) runs on a clock of its own that advances by
//   the step once per frame and never sleeps, so that a run repeats exactly;
// - with a frame limit (DBD_MAX_FRAMES) ends the run with exit code 0 after that many frames.
// The switches are read once, by GamePlatform::Options::fromEnvironment.
#ifndef DBD_GAME_GAMEPLATFORM_H
#define DBD_GAME_GAMEPLATFORM_H

#include "game/inputscript.h"

#include "platform/sdl/sdlplatform.h"

#include <string>
#include <vector>

class D3D7VideoDriver;
class GameApp;

class GamePlatform : public SDLPlatform
{
public:
    struct Options
    {
        std::vector<ScriptStep> lScript;
        int nFixedStepMs = 0; // 0: the real clock
        int nMaxFrames = 0;   // 0: no limit
        // Called once per frame after the events were delivered (tools watch the game with
        // it); null: none.
        void (*pfnFrameHook)() = nullptr;

        // The options of the environment; false with *psError set for a bad value or script.
        static bool fromEnvironment(Options* pOptions, std::string* psError);
    };

    GamePlatform(const Options& options, D3D7VideoDriver* pVideo);
    ~GamePlatform() override;

    void pumpEvents() override;
    unsigned int getTicks() const override;
    void delay(unsigned int nMs) override;

private:
    // Runs the next script step when it is due.
    void runScript();
    void runStep(const ScriptStep& step);
    void writePendingScreenshot();
    void raiseWindow();

    Options m_options;
    D3D7VideoDriver* m_pVideo; // owned by the platform (as its video driver)
    unsigned int m_nClock;     // the fixed-step clock
    int m_nFrames;
    size_t m_nNextStep;
    int m_nStepFrame; // the frame and the time the last step ran
    unsigned int m_nStepTime;
    std::string m_sScreenshot; // requested, written once drawn
};

// The game's platform for pApp: the Direct3D 7 video driver hosted by pApp, the SDL audio driver
// mixing at nAudioFrequency Hz, and pApp as the target of its events, run with the options.
GamePlatform* makeGamePlatform(GameApp* pApp, int nAudioFrequency,
                               const GamePlatform::Options& options);

#endif
