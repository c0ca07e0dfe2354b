// Fuzz target: Date::persistFrom over an ObjectStreamer reader, one stored date after another.
// Each date read must be normalised: month 1..12, day inside its month (February may keep a 29th
// day when the normalisation started in a leap year, as the length of February is fixed from the
// year it starts in). Dates of the timestamp range also go through toTimestamp and getWeekday.
#include "rir2/date.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"

#include <cstddef>
#include <cstdint>

namespace
{

int maxDayOfMonth(int nMonth)
{
    static const int anDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return anDays[nMonth - 1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream in(pData, (int)nSize);
    try
    {
        RIR::ObjectStreamer streamer(&in, false);
        while (in.tell() < in.size())
        {
            RIR::Date date(1, 1, 2000);
            date.persistFrom(streamer);
            FUZZ_CHECK(date.getMonth() >= 1 && date.getMonth() <= 12);
            FUZZ_CHECK(date.getDay() >= 1 && date.getDay() <= maxDayOfMonth(date.getMonth()));
            if (date.getYear() >= 1971 && date.getYear() <= 2037)
            {
                FUZZ_CHECK(date.toTimestamp() >= 0);
                const int nWeekday = date.getWeekday();
                FUZZ_CHECK(nWeekday >= 0 && nWeekday <= 6);
            }
            else
            {
                (void)date.toTimestamp();
            }
        }
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
