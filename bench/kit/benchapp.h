// BenchApp: the game's application started for a benchmark, on one of two devices, with the
// built packs of the build's game/ folder.
//
// - DEVICE_RECORDING: the engine's fake platform (pictures decoded into memory, a recording
//   audio driver, a recording video driver whose frame drawer walks every drawn sprite of the
//   modes, as the real driver does, without pixels) and a clock that moves only when told.
// - DEVICE_GL: the game's platform (game/gameplatform.h: SDL, the Direct3D 7 video driver on the
//   OpenGL display of the X server in DISPLAY, which under Xvfb with LIBGL_ALWAYS_SOFTWARE=1
//   renders with llvmpipe, and the SDL audio driver of SDL_AUDIODRIVER, "dummy" without a sound
//   card). The startup benchmark runs it on SDL's dummy video driver too.
//
// The log and the settings file are written into a temporary folder, which goes with the
// object. The working folder becomes the game folder while the application lives, as the game
// opens its packs by name.
//
//     BenchApp bench(BenchApp::DEVICE_RECORDING, firstModes);   // null modes: none pushed
//     if (!bench.start()) { puts(bench.error().c_str()); return 1; }
//     double fMs = bench.frame(16);   // one update + draw, 16 ms of game time on the fake clock
#ifndef DBD_BENCH_KIT_BENCHAPP_H
#define DBD_BENCH_KIT_BENCHAPP_H

#include "shell/dbdapp.h"

#include <memory>
#include <string>

class FakePlatform;

class BenchApp
{
public:
    enum Device
    {
        DEVICE_RECORDING,
        DEVICE_GL
    };

    BenchApp(Device eDevice, const FirstModes& modes);
    ~BenchApp();
    BenchApp(const BenchApp&) = delete;
    BenchApp& operator=(const BenchApp&) = delete;

    // Starts the application (DBDApp::onInit) and sets no frame delay; false with error() set
    // when the packs are missing or the start failed.
    bool start();
    const std::string& error() const { return m_sError; }
    DBDApp* app() const { return m_pApp.get(); }
    Device device() const { return m_eDevice; }
    // The fake platform on the recording device; null on the GL device.
    FakePlatform* fakePlatform() const;

    // One frame of the application loop (update, events, draw). On the recording device the
    // clock first moves by nGameMs; on the GL device the frame takes the real time since the
    // last one. The recording device's log is emptied first. Returns the wall-clock time of the
    // frame in milliseconds.
    double frame(int nGameMs);

    // The sprites the last frame drew on the recording device; -1 on the GL device.
    int lastFrameDraws() const;

    // The build's game folder (packs and the dbd program).
    static std::string gameFolder();
    // A path in the benchmark's temporary folder.
    std::string tempPath(const char* pszName) const;

private:
    Device m_eDevice;
    FirstModes m_modes;
    std::string m_sFolder;
    std::string m_sOldFolder;
    std::string m_sError;
    std::unique_ptr<DBDApp> m_pApp;
    int m_nLastTime;
    int m_nNextTime;
};

// Resident memory of this process from /proc/self/status, in megabytes: VmRSS now and VmHWM, the
// peak; -1 when the file cannot be read.
void readResidentMemory(double* pfRssMB, double* pfPeakMB);

#endif
