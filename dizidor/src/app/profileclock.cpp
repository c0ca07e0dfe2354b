#include "app/profileclock.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/rirstring.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace
{

int64_t s_nStartMs = 0;
int64_t s_nLapMs = 0;

// Milliseconds of the monotonic clock.
int64_t clockReading()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void clockReset()
{
    RIR_TRACE("clockReset");
    s_nStartMs = clockReading();
    s_nLapMs = s_nStartMs;
}

void clockLog(const char* pszLabel)
{
    RIR_TRACE("clockLog");
    const int64_t nNow = clockReading();
    const double fLap = (double)(nNow - s_nLapMs) / 1000.0;
    const double fTotal = (double)(nNow - s_nStartMs) / 1000.0;
    const RIR::String sLine = RIR::String::format("CLOCK : %s : %5.2lf [acc %5.2lf]\n",
                                                  pszLabel ? pszLabel : "", fLap, fTotal);
    std::fputs(sLine.c_str(), stdout);
    logPrintf("%s", sLine.c_str());
    s_nLapMs = clockReading();
}
