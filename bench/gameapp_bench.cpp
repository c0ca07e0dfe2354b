// The cost of the application's frame step outside the modes: one empty frame (no mode on the
// stack, no wait) on the fake platform: the clock reads, the audio driver's update, the event
// pump, the counter and the schedule.
#include "app/gameapp.h"
#include "app/log.h"
#include "testkit/fakeplatform.h"

#include <benchmark/benchmark.h>

namespace
{

void BM_EmptyFrameStep(benchmark::State& state)
{
    disableLogging(); // no log file: the application would otherwise open one
    disableSaving();
    GameApp app;
    app.setPlatform(new FakePlatform());
    app.init(800, 600, 0, RIR::SmartPtr<Image>());
    app.setFPS(0); // no frame delay: every step runs at once
    int nLast = app.getTicks();
    int nNext = nLast;
    for (auto _ : state)
        app.stepFrame(&nLast, &nNext, false);
    state.SetItemsProcessed(state.iterations());
    state.counters["frame_counter"] = app.getFrameCount();
}
BENCHMARK(BM_EmptyFrameStep);

} // namespace
