// GameAppVideoHost: the SDL video drivers wired to the application.
//
// Forwards every question of IVideoHost to the GameApp it was made for: the command-line words,
// the frame counter, the logical pointer position and the mode stack, whose GameModes it shows
// to the renderer as IDrawnModes. The game's start-up hands one to its video driver, which owns
// it:
//
//     pVideo->setHost(new GameAppVideoHost(this));
//
// The application must outlive the driver's last frame, which GameApp guarantees: it deletes the
// platform, and with it the driver, before it goes.
#ifndef DIZIDOR_PLATFORM_SDL_GAMEAPPVIDEOHOST_H
#define DIZIDOR_PLATFORM_SDL_GAMEAPPVIDEOHOST_H

#include "platform/sdl/videohost.h"

class GameApp;
class GameMode;

class GameAppVideoHost : public IVideoHost
{
public:
    // pApp: not owned, never null (AssertFailException "Assertion failed : pApp").
    explicit GameAppVideoHost(GameApp* pApp);
    ~GameAppVideoHost() override;

    RIR::List<RIR::String> getArguments() override;
    int getFrameCount() override;
    void getMousePosition(int* pnX, int* pnY) override;
    int getFirstDrawnModeIndex() override;
    // A view of the mode at that index, valid until the next call.
    IDrawnMode* getDrawnMode(int nIndex) override;

private:
    GameAppVideoHost(const GameAppVideoHost&) = delete;
    GameAppVideoHost& operator=(const GameAppVideoHost&) = delete;

    // A GameMode as the renderer sees it.
    class ModeView : public IDrawnMode
    {
    public:
        ModeView() : m_pMode(nullptr) {}
        void setMode(GameMode* pMode) { m_pMode = pMode; }
        bool isActive() override;
        bool isVisible() override;
        int getFlags() override;
        SpriteLayerList& getSpriteLayers() override;

    private:
        GameMode* m_pMode; // not owned
    };

    GameApp* m_pApp; // not owned
    ModeView m_modeView;
};

#endif
