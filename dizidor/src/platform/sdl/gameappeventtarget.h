// GameAppEventTarget: the SDL platform's event pump wired to the application.
//
// Forwards every call of AppEventTarget to the GameApp it was made for; the application's active
// audio driver (GameApp::getAudioDriver) is the one the pump pauses. The game's start-up hands
// one to its SDLPlatform:
//
//     SDLPlatform* pPlatform = new SDLPlatform();
//     pPlatform->setEventTarget(new GameAppEventTarget(this));   // the platform owns it
//
// The application must outlive the platform's last pump, which GameApp guarantees: it deletes the
// platform before it goes.
#ifndef DIZIDOR_PLATFORM_SDL_GAMEAPPEVENTTARGET_H
#define DIZIDOR_PLATFORM_SDL_GAMEAPPEVENTTARGET_H

#include "platform/sdl/appeventtarget.h"

class GameApp;

class GameAppEventTarget : public AppEventTarget
{
public:
    // pApp: not owned, never null.
    explicit GameAppEventTarget(GameApp* pApp);
    ~GameAppEventTarget() override;

    bool dispatchKeyDown(int nKey, int nModifiers) override;
    void dispatchKeyUp(int nKey, int nModifiers) override;
    void dispatchChar(int nChar) override;
    void dispatchMouseMove(int nX, int nY, bool bCallModes) override;
    void dispatchMouseDown(int nMask, int nX, int nY) override;
    void dispatchMouseUp(int nMask, int nX, int nY) override;
    void dispatchQuitRequest() override;
    void onAppActivated() override;
    void onAppDeactivated() override;
    void onMouseFocusGained() override;
    void onMouseFocusLost() override;
    IAudioDriver* getAudioDriver() override;

private:
    GameAppEventTarget(const GameAppEventTarget&) = delete;
    GameAppEventTarget& operator=(const GameAppEventTarget&) = delete;

    GameApp* m_pApp; // not owned
};

#endif
