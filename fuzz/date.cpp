// Fuzz target: Date::persistFrom over an ObjectStreamer reader, one stored date after another.
// Each date read must be normalised: month 1..12, day inside its month (February may keep a 29th
// day when the normalisation started in a leap year, as the length of February is fixed from the
// year it starts in). Dates of the timestamp range also go through toTimestamp and getWeekday,
// and each date is written back with persistTo and read again.
// Invariant: every date read is normalised, and a calendar date whose year the stored form holds
// reads back unchanged after persistTo.
#include "rir2/date.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{

struct DateValue
{
    int nDay;
    int nMonth;
    int nYear;
};

// The reader under test; the broken one takes the stored fields as they are, unnormalised.
DateValue readDate(RIR::ObjectStreamer& streamer)
{
    if (fuzzBrokenReader())
    {
        int16_t nYear = 0;
        unsigned char nMonth = 0;
        unsigned char nDay = 0;
        streamer.readShort(nYear);
        streamer.readUChar(nMonth);
        streamer.readUChar(nDay);
        return DateValue{nDay, nMonth, nYear};
    }
    RIR::Date date(1, 1, 2000);
    date.persistFrom(streamer);
    return DateValue{date.getDay(), date.getMonth(), date.getYear()};
}

void checkRoundTrip(const DateValue& value)
{
    // The stored year is 16 bits: a normalised date beyond it cannot be written back. A 29th of
    // February kept in a year without one normalises to the 1st of March when read again.
    if (value.nYear < INT16_MIN || value.nYear > INT16_MAX)
        return;
    RIR::Date date(value.nDay, value.nMonth, value.nYear);
    if (value.nMonth == 2 && value.nDay == 29 && !date.isLeapYear())
        return;
    RIR::MemStream out;
    {
        RIR::ObjectStreamer writer(&out, false);
        date.persistTo(writer);
    }
    std::unique_ptr<RIR::MemStream> pIn(out.createReader());
    RIR::ObjectStreamer reader(pIn.get(), false);
    const DateValue again = readDate(reader);
    FUZZ_CHECK(again.nDay == value.nDay && again.nMonth == value.nMonth &&
               again.nYear == value.nYear);
}

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
            const DateValue value = readDate(streamer);
            FUZZ_CHECK(value.nMonth >= 1 && value.nMonth <= 12);
            FUZZ_CHECK(value.nDay >= 1 && value.nDay <= maxDayOfMonth(value.nMonth));
            checkRoundTrip(value);
            const RIR::Date date(value.nDay, value.nMonth, value.nYear);
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
