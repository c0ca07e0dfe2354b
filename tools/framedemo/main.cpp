// framedemo: the application's frame loop on the headless fake platform.
//
// The application starts as the game's does (its start-up installs the platform and runs init),
// runs its loop at 60 frames per second on the platform's virtual clock, and a window close
// scripted for the moment the 120th frame pumps its events ends it: the close reaches the
// application's quit handling, which quits with exit code 1. The program then prints the number
// of frames, the frame counter (two per frame), the exit code and the application's log.
#include "app/gameapp.h"
#include "app/log.h"
#include "app/platformeventtarget.h"
#include "testkit/fakeplatform.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace
{

const int FRAME_COUNT = 120;
const int FRAME_MS = 16; // 1000 / 60, rounded down

// The part of the platform's event pump this demo needs: a window close goes to the
// application's quit handling. The other events do not occur here.
class CloseToQuit : public PlatformEventTarget
{
public:
    explicit CloseToQuit(GameApp* pApp) : m_pApp(pApp) {}
    bool dispatchKeyDown(int, int) override { return false; }
    void dispatchKeyUp(int, int) override {}
    void dispatchChar(int) override {}
    void dispatchMouseMove(int, int, bool) override {}
    void dispatchMouseDown(int, int, int) override {}
    void dispatchMouseUp(int, int, int) override {}
    void dispatchQuitRequest() override { m_pApp->onQuit(); }
    void onAppActivated() override {}
    void onAppDeactivated() override {}
    void onMouseFocusGained() override {}
    void onMouseFocusLost() override {}
    IAudioDriver* getAudioDriver() override { return m_pApp->getAudioDriver(); }

private:
    GameApp* m_pApp;
};

class DemoApp : public GameApp
{
public:
    DemoApp() : m_pPlatform(nullptr), m_target(this) {}

    void onInit() override
    {
        m_pPlatform = new FakePlatform();
        m_pPlatform->setEventTarget(&m_target);
        m_pPlatform->at((unsigned)(FRAME_COUNT * FRAME_MS));
        m_pPlatform->queueQuit();
        setPlatform(m_pPlatform);
        init(800, 600, 0, RIR::SmartPtr<Image>());
    }

    int getFramesRun() const { return m_pPlatform ? m_pPlatform->getPumpCount() : 0; }

private:
    FakePlatform* m_pPlatform; // owned by the application
    CloseToQuit m_target;
};

} // namespace

int main()
{
    char szLog[] = "/tmp/framedemo-XXXXXX";
    const int nFd = mkstemp(szLog);
    if (nFd < 0)
    {
        std::perror("framedemo: no temporary log");
        return 2;
    }
    close(nFd);
    openLog(szLog);
    disableSaving(); // a demo leaves no settings file behind

    int nFrames = 0;
    int nCounter = 0;
    int nExit = 0;
    {
        DemoApp app;
        nExit = app.run();
        nFrames = app.getFramesRun();
        nCounter = app.getFrameCount();
    }
    closeLog();

    std::printf("frames run : %d\n", nFrames);
    std::printf("frame counter : %d\n", nCounter);
    std::printf("exit code : %d\n", nExit);
    std::printf("----- log -----\n");
    if (FILE* pLog = std::fopen(szLog, "rb"))
    {
        char acBuffer[4096];
        size_t nRead;
        while ((nRead = std::fread(acBuffer, 1, sizeof(acBuffer), pLog)) > 0)
            std::fwrite(acBuffer, 1, nRead, stdout);
        std::fclose(pLog);
    }
    std::remove(szLog);
    return 0;
}
