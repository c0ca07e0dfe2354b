// GameAppEventTarget: a platform's event pump wired to the application.
//
// Forwards every call of PlatformEventTarget to the GameApp operation of the same name; the
// application's active audio driver (GameApp::getAudioDriver) is the one the pump pauses. The
// game's start-up hands one to its SDLPlatform, which owns it:
//
//     SDLPlatform* pPlatform = new SDLPlatform();
//     pPlatform->setEventTarget(new GameAppEventTarget(this));
//
// Tests that drive an application through the fake platform's scripted events install one the
// same way (FakePlatform does not own its target, so the test keeps it alive):
//
//     GameAppEventTarget target(&app);
//     pPlatform->setEventTarget(&target);
//
// The application and the target must outlive the platform's last pump; GameApp deletes its
// platform before it goes.
#ifndef DIZIDOR_APP_GAMEAPPEVENTTARGET_H
#define DIZIDOR_APP_GAMEAPPEVENTTARGET_H

#include "app/platformeventtarget.h"

class GameApp;

class GameAppEventTarget : public PlatformEventTarget
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
