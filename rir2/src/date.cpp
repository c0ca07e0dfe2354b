#include "rir2/date.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"

#include <cerrno>
#include <climits>
#include <ctime>

namespace RIR
{

namespace
{

// Month lengths, January to December. February is rewritten at the start of every
// normalisation.
int g_anMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The clamp of setToday: 1990-01-01 and 2030-01-01, 00:00:00 UTC.
const uint32_t TODAY_EARLIEST = 631152000u;
const uint32_t TODAY_LATEST = 1893456000u;

int32_t saturate(int64_t n)
{
    if (n > INT_MAX)
        return INT_MAX;
    if (n < INT_MIN)
        return INT_MIN;
    return (int32_t)n;
}

// Local time of a 32-bit timestamp. Instants before 1970 are refused, as the platform the
// stored dates come from does, although the C library here would convert them.
void toLocalTime(int32_t nTimestamp, struct tm& tmOut)
{
    RIR_TRACE("Date::toLocalTime");
    int nError = EINVAL;
    if (nTimestamp >= 0)
    {
        const time_t t = (time_t)nTimestamp;
        errno = 0;
        if (localtime_r(&t, &tmOut))
            return;
        nError = errno;
    }
    RIR_THROW(FatalErrorException,
              String::format("localtime() failed for timestamp = %08X, errno = %d",
                             (unsigned)nTimestamp, nError)
                  .c_str());
}

} // namespace

Date::Date() : m_nDay(1), m_nMonth(1), m_nYear(1970)
{
    RIR_TRACE("Date::Date");
    setToday();
}

Date::Date(int32_t nTimestamp) : m_nDay(1), m_nMonth(1), m_nYear(1970)
{
    RIR_TRACE("Date::Date");
    setFromTimestamp(nTimestamp);
}

Date::Date(int nDay, int nMonth, int nYear) : m_nDay(nDay), m_nMonth(nMonth), m_nYear(nYear)
{
    RIR_TRACE("Date::Date");
}

Date::~Date()
{
    RIR_TRACE("Date::~Date");
}

void Date::setDay(int nDay)
{
    RIR_TRACE("Date::setDay");
    m_nDay = nDay;
    normalise();
}

void Date::setMonth(int nMonth)
{
    RIR_TRACE("Date::setMonth");
    m_nMonth = nMonth;
    normalise();
}

void Date::setYear(int nYear)
{
    RIR_TRACE("Date::setYear");
    m_nYear = nYear;
}

void Date::addDays(int nDays)
{
    RIR_TRACE("Date::addDays");
    m_nDay = saturate((int64_t)m_nDay + nDays);
    normalise();
}

void Date::setToday()
{
    RIR_TRACE("Date::setToday");
    setTodayAt((uint32_t)time(nullptr));
}

void Date::setTodayAt(uint32_t nClock)
{
    RIR_TRACE("Date::setTodayAt");
    if (nClock < TODAY_EARLIEST)
        nClock = TODAY_EARLIEST;
    if (nClock > TODAY_LATEST)
        nClock = TODAY_LATEST;
    setFromTimestamp((int32_t)nClock);
}

void Date::setFromTimestamp(int32_t nTimestamp)
{
    RIR_TRACE("Date::setFromTimestamp");
    struct tm tmLocal;
    toLocalTime(nTimestamp, tmLocal);
    m_nDay = tmLocal.tm_mday;
    m_nMonth = tmLocal.tm_mon + 1;
    m_nYear = tmLocal.tm_year + 1900;
}

int32_t Date::toTimestamp() const
{
    RIR_TRACE("Date::toTimestamp");
    const int64_t nTmYear = (int64_t)m_nYear - 1900;
    if (nTmYear < INT_MIN || nTmYear > INT_MAX)
        return -1;
    struct tm tmLocal = {};
    tmLocal.tm_sec = 0;
    tmLocal.tm_min = 0;
    tmLocal.tm_hour = 0;
    tmLocal.tm_mday = m_nDay;
    tmLocal.tm_mon = m_nMonth - 1;
    tmLocal.tm_year = (int)nTmYear;
    tmLocal.tm_wday = 0;
    tmLocal.tm_yday = 0;
    tmLocal.tm_isdst = 0;
    const time_t t = mktime(&tmLocal);
    // Instants before 1970 count as a failure (see toLocalTime); mktime's own failure is -1.
    if (t < 0)
        return -1;
    return (int32_t)(uint32_t)(uint64_t)t;
}

int Date::getWeekday() const
{
    RIR_TRACE("Date::getWeekday");
    struct tm tmLocal;
    toLocalTime(toTimestamp(), tmLocal);
    return tmLocal.tm_wday;
}

bool Date::isLeapYear() const
{
    RIR_TRACE("Date::isLeapYear");
    return m_nYear % 400 == 0 || (m_nYear % 4 == 0 && m_nYear % 100 != 0);
}

bool Date::operator<(const Date& other) const
{
    RIR_TRACE("Date::operator<");
    if (m_nYear != other.m_nYear)
        return m_nYear < other.m_nYear;
    if (m_nMonth != other.m_nMonth)
        return m_nMonth < other.m_nMonth;
    return m_nDay < other.m_nDay;
}

bool Date::operator>(const Date& other) const
{
    RIR_TRACE("Date::operator>");
    return other < *this;
}

bool Date::operator==(const Date& other) const
{
    RIR_TRACE("Date::operator==");
    return m_nDay == other.m_nDay && m_nMonth == other.m_nMonth && m_nYear == other.m_nYear;
}

void Date::persistTo(ObjectStreamer& streamer)
{
    RIR_TRACE("Date::persistTo");
    streamer.writeShort((int16_t)m_nYear);
    streamer.writeUChar((unsigned char)m_nMonth);
    streamer.writeUChar((unsigned char)m_nDay);
}

void Date::persistFrom(ObjectStreamer& streamer)
{
    RIR_TRACE("Date::persistFrom");
    int16_t nYear = 0;
    unsigned char nMonth = 0;
    unsigned char nDay = 0;
    streamer.readShort(nYear);
    streamer.readUChar(nMonth);
    streamer.readUChar(nDay);
    m_nYear = nYear;
    m_nMonth = nMonth;
    m_nDay = nDay;
    normalise();
}

void Date::normalise()
{
    RIR_TRACE("Date::normalise");
    // February is fixed from the year the normalisation starts in, for all of it.
    g_anMonthLength[1] = isLeapYear() ? 29 : 28;
    int64_t nYear = m_nYear;
    int64_t nMonth = m_nMonth;
    int64_t nDay = m_nDay;

    // Month wrap into 1..12, carrying whole years (the same as stepping by twelve).
    const auto wrapMonth = [&nYear, &nMonth]()
    {
        if (nMonth <= 0 || nMonth >= 13)
        {
            int64_t nYears = (nMonth - 1) / 12;
            if ((nMonth - 1) % 12 < 0)
                --nYears;
            nMonth -= nYears * 12;
            nYear += nYears;
        }
    };
    wrapMonth();

    // With the table fixed, any twelve months in a row hold the same number of days, so whole
    // years are skipped at once; the month-by-month steps below finish the rest.
    const int64_t nYearDays = 337 + g_anMonthLength[1];
    if (nDay > nYearDays)
    {
        const int64_t nYears = (nDay - 1) / nYearDays;
        nDay -= nYears * nYearDays;
        nYear += nYears;
    }
    else if (nDay <= -nYearDays)
    {
        const int64_t nYears = -nDay / nYearDays;
        nDay += nYears * nYearDays;
        nYear -= nYears;
    }
    while (nDay <= 0)
    {
        --nMonth;
        wrapMonth();
        nDay += g_anMonthLength[nMonth - 1];
    }
    while (nDay > g_anMonthLength[nMonth - 1])
    {
        nDay -= g_anMonthLength[nMonth - 1];
        ++nMonth;
        wrapMonth();
    }
    m_nDay = (int32_t)nDay;
    m_nMonth = (int32_t)nMonth;
    m_nYear = saturate(nYear);
}

} // namespace RIR
