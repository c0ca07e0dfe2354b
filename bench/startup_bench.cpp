// Start-up: from the launch of the program to the first drawn frame of the main menu, without
// the splash screen and the intro (whose length is their own timing): the application's start
// (settings, packs, text tables, video and audio, the theme) and the menu's first frame on the
// SDL platform with the Direct3D 7 driver, on the SDL drivers of the environment (dummy video:
// the null display; an X server: OpenGL).
//
//     DBD_BENCH_LAUNCH_NS=$(date +%s%N) bench_startup_bench
//
// With DBD_BENCH_LAUNCH_NS (the launch time in nanoseconds since the epoch) the figure includes
// the program's loading before main; without it, it starts at main. A plain program that prints
// its figures.
#include "kit/benchapp.h"

#include "shell/gamescreens.h"
#include "shell/menuframe.h"

#include "app/gamemode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{

double msSinceEpoch()
{
    return std::chrono::duration<double, std::milli>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main()
{
    const double fMain = msSinceEpoch();
    double fLaunch = fMain;
    const char* pszLaunch = std::getenv("DBD_BENCH_LAUNCH_NS");
    if (pszLaunch && *pszLaunch)
        fLaunch = std::strtod(pszLaunch, nullptr) / 1e6;

    MenuFrame::setScreens(gameMenuScreens());
    FirstModes modes = DBDApp::gameModes();
    modes.pfnIntro = nullptr;
    modes.pfnSplash = nullptr;
    BenchApp bench(BenchApp::DEVICE_GL, modes);
    if (!bench.start())
    {
        std::fprintf(stderr, "the game did not start: %s\n", bench.error().c_str());
        return 1;
    }
    const double fStarted = msSinceEpoch();
    GameMode* pMenu = bench.app()->getTopMode();
    bench.frame(0);
    const double fFirstFrame = msSinceEpoch();
    const char* pszVideo = std::getenv("SDL_VIDEODRIVER");
    std::printf("start-up to the first menu frame (%s video): %.1f ms from %s "
                "(before main %.1f ms, application start %.1f ms, first frame %.1f ms)%s\n",
                pszVideo && *pszVideo ? pszVideo : "X11/OpenGL", fFirstFrame - fLaunch,
                pszLaunch ? "launch" : "main", fMain - fLaunch, fStarted - fMain,
                fFirstFrame - fStarted, pMenu ? "" : " [no menu on the stack]");
    return 0;
}
