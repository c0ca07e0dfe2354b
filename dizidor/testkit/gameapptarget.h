// GameAppTarget: the fake platform's event pump wired to a GameApp.
//
// Forwards every call of PlatformEventTarget to the application's operation of the same name,
// as the SDL platform's pump reaches the application; the audio driver the pump pauses is the
// application's active one (GameApp::getAudioDriver). Tests that drive an application through
// scripted events install one:
//
//     GameAppTarget target(&app);
//     pPlatform->setEventTarget(&target);
//     pPlatform->queueMouseDown(1, 10, 20);
//     app.stepFrame(...);               // the pump dispatches the press to the modes
//
// The target must outlive the platform's last pump.
#ifndef DIZIDOR_TESTKIT_GAMEAPPTARGET_H
#define DIZIDOR_TESTKIT_GAMEAPPTARGET_H

#include "testkit/eventtarget.h"

class GameApp;

class GameAppTarget : public PlatformEventTarget
{
public:
    // pApp: not owned, never null.
    explicit GameAppTarget(GameApp* pApp);
    ~GameAppTarget() override;

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
    GameAppTarget(const GameAppTarget&) = delete;
    GameAppTarget& operator=(const GameAppTarget&) = delete;

    GameApp* m_pApp; // not owned
};

#endif
