// RIR::Date: a calendar date (day, month, year) without a time of day.
//
// Made for today, from a timestamp, or from its three numbers (stored as given). setDay,
// setMonth, addDays and persistFrom normalise afterwards: the month is wrapped into 1..12 and the
// day moved into its month, carrying into months and years. The length of February used by one
// normalisation is fixed from the year it starts in, so 31 December 2023 + 60 days gives
// 1 March 2024 (February counted with 28 days). setYear does not normalise.
//
// Timestamps are 32-bit seconds since 1970-01-01 00:00:00 UTC, converted in local time. Instants
// before 1970 are refused: a negative timestamp raises FatalErrorException
// "localtime() failed for timestamp = %08X, errno = %d", and toTimestamp gives -1 for a date
// whose local midnight lies before 1970. A local midnight at or after 2^31 seconds gives a
// negative 32-bit value.
//
// The stored form is 4 bytes: year as a signed 16-bit integer in the streamer's byte order, then
// month and day as unsigned bytes. Main thread only: the month-length table is shared.
#ifndef RIR2_DATE_H
#define RIR2_DATE_H

#include <cstdint>

namespace RIR
{

class ObjectStreamer;

class Date
{
public:
    // Today (setToday).
    Date();
    // The local date of the instant nTimestamp (setFromTimestamp).
    explicit Date(int32_t nTimestamp);
    // The three numbers as given, not normalised.
    Date(int nDay, int nMonth, int nYear);
    virtual ~Date();

    int getDay() const { return m_nDay; }
    int getMonth() const { return m_nMonth; }
    int getYear() const { return m_nYear; }

    // Store the field, then normalise.
    void setDay(int nDay);
    void setMonth(int nMonth);
    // Stores the year only: 29 February stays as it is in a common year until the next
    // normalising change.
    void setYear(int nYear);
    // Moves by nDays (negative goes back), then normalises.
    void addDays(int nDays);

    // Today in local time, the clock clamped to 1990-01-01 .. 2030-01-01 00:00:00 UTC.
    void setToday();
    // As setToday with nClock as the current calendar time (low 32 bits, unsigned).
    void setTodayAt(uint32_t nClock);
    // The local date of the instant; a negative timestamp raises the localtime error.
    void setFromTimestamp(int32_t nTimestamp);
    // The instant of local midnight starting this date, as 32 bits; -1 before 1970.
    int32_t toTimestamp() const;
    // 0 = Sunday .. 6 = Saturday, in local time; raises the localtime error for dates before
    // 1970 and from 19 January 2038 on.
    int getWeekday() const;
    // Gregorian rule on the year.
    bool isLeapYear() const;

    // By year, then month, then day.
    bool operator<(const Date& other) const;
    bool operator>(const Date& other) const;
    bool operator==(const Date& other) const;
    bool operator!=(const Date& other) const { return !(*this == other); }

    void persistTo(ObjectStreamer& streamer);
    // Reads the 4-byte form, then normalises.
    void persistFrom(ObjectStreamer& streamer);

private:
    void normalise();

    int32_t m_nDay;
    int32_t m_nMonth;
    int32_t m_nYear;
};

} // namespace RIR

#endif
