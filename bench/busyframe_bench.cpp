// The busiest frame and the memory of a busy level: update + draw of a full timed day (600 s,
// level 44 unless --level, the 45th and last day of
// the story counting the tutorial day 0, hard) with every guest kind the level allows inside, measured per
// frame against the frame budget of 60 frames per second, then the process's resident memory.
//
//     bench_busyframe_bench [--device recording|gl] [--level N] [--frames N]
//
// recording: the engine's fake platform with the recording drivers (every drawn sprite walked,
// no pixels), 16 ms of game time per frame. gl: the SDL platform with the Direct3D 7 driver on
// OpenGL; it needs an X server in DISPLAY (Xvfb with LIBGL_ALWAYS_SOFTWARE=1 renders with
// llvmpipe) and SDL_AUDIODRIVER=dummy without a sound card. The figures are wall-clock times of
// GameApp::stepFrame: mean, 95th percentile and maximum in milliseconds and the mean's share
// of the budget. A plain program: it prints figures and judges nothing.
#include "kit/benchapp.h"
#include "kit/busyday.h"

#include "play/playmode.h"

#include "rir2/exception.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const double FRAME_BUDGET_MS = 1000.0 / 60.0;
const int FRAME_MS = 16;

// Mean, 95th percentile and maximum of the frame times, and their share of the budget.
void printFrameTimes(const char* pszWhat, std::vector<double> afMs)
{
    std::sort(afMs.begin(), afMs.end());
    double fSum = 0.0;
    for (double f : afMs)
        fSum += f;
    const double fMean = fSum / afMs.size();
    const double fP95 = afMs[(size_t)(afMs.size() * 0.95)];
    std::printf("  %s (%zu): ms per frame mean %.3f, p95 %.3f, max %.3f; of the %.1f ms budget: "
                "mean %.1f%%, p95 %.1f%%, max %.1f%%\n",
                pszWhat, afMs.size(), fMean, fP95, afMs.back(), FRAME_BUDGET_MS,
                100.0 * fMean / FRAME_BUDGET_MS, 100.0 * fP95 / FRAME_BUDGET_MS,
                100.0 * afMs.back() / FRAME_BUDGET_MS);
}

int run(int argc, char** argv)
{
    BenchApp::Device eDevice = BenchApp::DEVICE_RECORDING;
    int nLevel = 44; // the last scene: the 45th day counting the tutorial
    int nFrames = 3000;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--device") == 0 && i + 1 < argc)
        {
            const char* pszDevice = argv[++i];
            if (std::strcmp(pszDevice, "gl") == 0)
                eDevice = BenchApp::DEVICE_GL;
            else if (std::strcmp(pszDevice, "recording") != 0)
            {
                std::fprintf(stderr, "unknown device %s (recording or gl)\n", pszDevice);
                return 2;
            }
        }
        else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc)
            nLevel = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            nFrames = std::max(1, std::atoi(argv[++i]));
        else
        {
            std::fprintf(stderr, "usage: %s [--device recording|gl] [--level N] [--frames N]\n",
                         argv[0]);
            return 2;
        }
    }
    const char* pszDevice = eDevice == BenchApp::DEVICE_GL ? "GL driver" : "recording device";
    if (eDevice == BenchApp::DEVICE_GL && !std::getenv("DISPLAY"))
    {
        std::printf("busiest frame, %s: skipped, no DISPLAY\n", pszDevice);
        return 0;
    }

    const FirstModes noModes = {nullptr, nullptr, nullptr};
    BenchApp bench(eDevice, noModes);
    if (!bench.start())
    {
        std::fprintf(stderr, "the game did not start: %s\n", bench.error().c_str());
        return 1;
    }
    double fStartedMB = 0.0;
    double fPeakMB = 0.0;
    readResidentMemory(&fStartedMB, &fPeakMB);
    BusyDay day(bench);
    if (!day.start(nLevel, 2))
    {
        std::fprintf(stderr, "the day did not load\n");
        return 1;
    }
    double fLoadedMB = 0.0;
    readResidentMemory(&fLoadedMB, &fPeakMB);
    // Fill the saloon on the game's clock (the GL device runs as fast as it draws, so its
    // frames are counted, not timed).
    const auto tFill = std::chrono::steady_clock::now();
    day.fill(60.0f, FRAME_MS);
    const double fFillS =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - tFill).count();

    std::vector<double> afMs;
    afMs.reserve(nFrames);
    int nMinInside = 1 << 30;
    int nMaxInside = 0;
    int nMostKinds = 0;
    std::string sMostKinds;
    double fMostKindsMs = 0.0;
    std::vector<int> anKinds;
    for (int n = 0; n < nFrames && !day.day()->isClosed(); ++n)
    {
        day.keepBusy();
        afMs.push_back(bench.frame(FRAME_MS));
        nMinInside = std::min(nMinInside, day.countInside());
        nMaxInside = std::max(nMaxInside, day.countInside());
        const int nKinds = day.countKinds();
        if (nKinds > nMostKinds)
        {
            nMostKinds = nKinds;
            sMostKinds = day.census();
            fMostKindsMs = afMs.back();
        }
        anKinds.push_back(nKinds);
    }
    if (afMs.empty())
    {
        std::fprintf(stderr, "the day closed before the measurement\n");
        return 1;
    }
    // The busiest frames: those with the most kinds inside, less one.
    std::vector<double> afBusyMs;
    for (size_t n = 0; n < afMs.size(); ++n)
        if (anKinds[n] >= nMostKinds - 1)
            afBusyMs.push_back(afMs[n]);

    std::printf("busiest frame, %s, level %d hard: %zu frames, %d..%d characters inside "
                "(filled in %.1f s)\n",
                pszDevice, nLevel, afMs.size(), nMinInside, nMaxInside, fFillS);
    std::printf("  most kinds at once (%d): %s; that frame %.3f ms\n", nMostKinds,
                sMostKinds.c_str(), fMostKindsMs);
    printFrameTimes("all frames", afMs);
    printFrameTimes("busiest frames", afBusyMs);
    double fRss = 0.0;
    double fPeak = 0.0;
    readResidentMemory(&fRss, &fPeak);
    std::printf("resident memory, busy level %d on the %s: VmRSS %.1f MB, VmHWM %.1f MB "
                "(VmRSS after start-up %.1f MB, after the day loaded %.1f MB)\n",
                nLevel, pszDevice, fRss, fPeak, fStartedMB, fLoadedMB);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        return run(argc, argv);
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "%s: %s\n", e.getClassName(), e.getMessage());
        return 1;
    }
}
