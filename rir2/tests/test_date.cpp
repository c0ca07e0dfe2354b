// Date: normalisation, leap years, timestamps and weekdays in local time, the clamp of today,
// comparison and the 4-byte stored form.
#include "rir2/date.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

using namespace RIR;

namespace
{

typedef std::vector<uint8_t> Bytes;

// Runs every test in UTC, restoring the caller's zone afterwards.
class DateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* pszZone = getenv("TZ");
        m_bHadZone = pszZone != nullptr;
        if (m_bHadZone)
            m_sZone = pszZone;
        useZone("UTC");
    }
    void TearDown() override
    {
        if (m_bHadZone)
            setenv("TZ", m_sZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static void useZone(const char* pszZone)
    {
        setenv("TZ", pszZone, 1);
        tzset();
    }

private:
    bool m_bHadZone = false;
    std::string m_sZone;
};

struct Dmy
{
    int d, m, y;
    bool operator==(const Dmy& o) const { return d == o.d && m == o.m && y == o.y; }
};

std::ostream& operator<<(std::ostream& os, const Dmy& v)
{
    return os << v.d << "." << v.m << "." << v.y;
}

Dmy dmyOf(const Date& date)
{
    return {date.getDay(), date.getMonth(), date.getYear()};
}

// The normalisation done one month at a time, as a reference for the fast one.
Dmy referenceNormalise(Dmy v)
{
    int anLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool bLeap = v.y % 400 == 0 || (v.y % 4 == 0 && v.y % 100 != 0);
    anLength[1] = bLeap ? 29 : 28;
    auto wrap = [&v]()
    {
        while (v.m <= 0)
        {
            v.m += 12;
            --v.y;
        }
        while (v.m >= 13)
        {
            v.m -= 12;
            ++v.y;
        }
    };
    wrap();
    while (v.d <= 0)
    {
        --v.m;
        wrap();
        v.d += anLength[v.m - 1];
    }
    while (v.d > anLength[v.m - 1])
    {
        v.d -= anLength[v.m - 1];
        ++v.m;
        wrap();
    }
    return v;
}

template <class F> std::string fatalMessageOf(F f)
{
    try
    {
        f();
    }
    catch (const FatalErrorException& e)
    {
        return e.getMessage();
    }
    return "";
}

Bytes bytesOf(MemStream& stream)
{
    const uint8_t* p = stream.getBuffer();
    return p ? Bytes(p, p + stream.size()) : Bytes();
}

} // namespace

TEST_F(DateTest, Normalisation)
{
    enum Op
    {
        SET_DAY,
        SET_MONTH,
        ADD_DAYS
    };
    struct Case
    {
        Dmy start;
        Op op;
        int n;
        Dmy expected;
    };
    const Case aCases[] = {
        {{1, 1, 2009}, SET_DAY, 32, {1, 2, 2009}},
        {{1, 1, 2009}, SET_DAY, 0, {31, 12, 2008}},
        {{1, 2, 2009}, SET_DAY, 29, {1, 3, 2009}},
        {{1, 2, 2008}, SET_DAY, 29, {29, 2, 2008}},
        {{15, 3, 2009}, SET_MONTH, 14, {15, 2, 2010}},
        {{15, 3, 2009}, SET_MONTH, 0, {15, 12, 2008}},
        {{15, 3, 2009}, SET_MONTH, -25, {15, 11, 2006}},
        {{31, 1, 2009}, SET_MONTH, 2, {3, 3, 2009}}, // day 31 runs over February
        {{1, 3, 2008}, ADD_DAYS, -1, {29, 2, 2008}},
        {{1, 3, 2009}, ADD_DAYS, -1, {28, 2, 2009}},
        // February keeps the length of the year the normalisation started in.
        {{31, 12, 2023}, ADD_DAYS, 60, {1, 3, 2024}},
        {{1, 1, 2009}, ADD_DAYS, -365, {1, 1, 2008}},
        {{1, 1, 2009}, ADD_DAYS, 3650, {1, 1, 2019}},
        {{1, 1, 2009}, ADD_DAYS, -3650, {1, 1, 1999}},
        {{1, 1, 2008}, ADD_DAYS, 366 * 4, {1, 1, 2012}},
        {{28, 2, 2009}, ADD_DAYS, 0, {28, 2, 2009}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(::testing::Message() << c.start << " op " << c.op << " " << c.n);
        Date date(c.start.d, c.start.m, c.start.y);
        if (c.op == SET_DAY)
            date.setDay(c.n);
        else if (c.op == SET_MONTH)
            date.setMonth(c.n);
        else
            date.addDays(c.n);
        EXPECT_EQ(dmyOf(date), c.expected);
    }
}

// Whole years are skipped at once; the result must be the month-by-month one.
TEST_F(DateTest, NormalisationMatchesTheStepwiseWalk)
{
    const Dmy aStarts[] = {
        {1, 1, 2009}, {31, 12, 2023}, {29, 2, 2008}, {15, 7, 1900}, {1, 3, 2000}};
    for (const Dmy& start : aStarts)
    {
        for (int n = -4000; n <= 4000; n += 37)
        {
            SCOPED_TRACE(::testing::Message() << start << " + " << n);
            Date date(start.d, start.m, start.y);
            date.addDays(n);
            EXPECT_EQ(dmyOf(date), referenceNormalise({start.d + n, start.m, start.y}));
        }
        for (int n = -100; n <= 100; n += 7)
        {
            Date date(start.d, start.m, start.y);
            date.setMonth(n);
            EXPECT_EQ(dmyOf(date), referenceNormalise({start.d, n, start.y}));
        }
    }
    // Extreme arguments end promptly and stay in range.
    Date far(1, 1, 2009);
    far.addDays(2147483647);
    EXPECT_GE(far.getDay(), 1);
    EXPECT_LE(far.getDay(), 31);
    far.setMonth(-2147483647 - 1);
    EXPECT_GE(far.getMonth(), 1);
    EXPECT_LE(far.getMonth(), 12);
}

TEST_F(DateTest, ConstructorAndSetYearDoNotNormalise)
{
    Date raw(45, 14, 2009);
    EXPECT_EQ(dmyOf(raw), (Dmy{45, 14, 2009}));

    Date leapDay(29, 2, 2008);
    leapDay.setYear(2009);
    EXPECT_EQ(dmyOf(leapDay), (Dmy{29, 2, 2009}));
    leapDay.addDays(0);
    EXPECT_EQ(dmyOf(leapDay), (Dmy{1, 3, 2009}));
}

TEST_F(DateTest, LeapYears)
{
    const struct
    {
        int nYear;
        bool bLeap;
    } aCases[] = {{2000, true}, {1900, false}, {2008, true}, {2009, false},
                  {-4, true},   {-100, false}, {-400, true}};
    for (const auto& c : aCases)
        EXPECT_EQ(Date(1, 1, c.nYear).isLeapYear(), c.bLeap) << c.nYear;
}

TEST_F(DateTest, Timestamps)
{
    const struct
    {
        int32_t nTimestamp;
        Dmy date;
    } aCases[] = {
        {0, {1, 1, 1970}},
        {1234567890, {13, 2, 2009}},
        {2147483647, {19, 1, 2038}},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(dmyOf(Date(c.nTimestamp)), c.date) << c.nTimestamp;

    EXPECT_EQ(Date(13, 2, 2009).toTimestamp(), 1234483200);
    EXPECT_EQ(Date(1, 1, 1970).toTimestamp(), 0);
    EXPECT_EQ(Date(19, 1, 2038).toTimestamp(), 2147472000);
    // At or after 2^31 seconds the low 32 bits are negative; before 1970 the result is -1.
    EXPECT_EQ(Date(20, 1, 2038).toTimestamp(), (int32_t)0x80012400u);
    EXPECT_EQ(Date(31, 12, 1969).toTimestamp(), -1);
    EXPECT_EQ(Date(1, 1, 1900).toTimestamp(), -1);
}

TEST_F(DateTest, InstantsBefore1970AreRefused)
{
    EXPECT_EQ(fatalMessageOf([] { Date date(-1); }),
              "localtime() failed for timestamp = FFFFFFFF, errno = 22");
    Date date(1, 1, 2009);
    EXPECT_EQ(fatalMessageOf([&date] { date.setFromTimestamp(-86400); }),
              "localtime() failed for timestamp = FFFEAE80, errno = 22");
    EXPECT_EQ(dmyOf(date), (Dmy{1, 1, 2009})); // unchanged by the failure
}

TEST_F(DateTest, Weekdays)
{
    EXPECT_EQ(Date(1, 1, 1970).getWeekday(), 4);  // Thursday
    EXPECT_EQ(Date(13, 2, 2009).getWeekday(), 5); // Friday
    EXPECT_EQ(Date(29, 2, 2032).getWeekday(), 0); // Sunday
    EXPECT_EQ(Date(19, 1, 2038).getWeekday(), 2); // Tuesday
    EXPECT_EQ(fatalMessageOf([] { Date(31, 12, 1969).getWeekday(); }),
              "localtime() failed for timestamp = FFFFFFFF, errno = 22");
    EXPECT_EQ(fatalMessageOf([] { Date(20, 1, 2038).getWeekday(); }),
              "localtime() failed for timestamp = 80012400, errno = 22");
}

TEST_F(DateTest, TodayIsClamped)
{
    const struct
    {
        uint32_t nClock;
        Dmy date;
    } aCases[] = {
        {0u, {1, 1, 1990}},          {631151999u, {1, 1, 1990}},  {1234567890u, {13, 2, 2009}},
        {1893456001u, {1, 1, 2030}}, {0xFFFFFFFFu, {1, 1, 2030}}, // would be negative as a signed
                                                                  // timestamp
    };
    for (const auto& c : aCases)
    {
        Date date(1, 1, 2000);
        date.setTodayAt(c.nClock);
        EXPECT_EQ(dmyOf(date), c.date) << c.nClock;
    }

    // The bounds are instants: west of UTC the earliest today is the last day of 1989.
    useZone("EST5");
    Date west(1, 1, 2000);
    west.setTodayAt(0u);
    EXPECT_EQ(dmyOf(west), (Dmy{31, 12, 1989}));
    useZone("UTC");

    const time_t now = time(nullptr);
    struct tm tmNow;
    ASSERT_TRUE(gmtime_r(&now, &tmNow));
    const Date today;
    EXPECT_EQ(dmyOf(today), (Dmy{tmNow.tm_mday, tmNow.tm_mon + 1, tmNow.tm_year + 1900}));
}

TEST_F(DateTest, Comparison)
{
    const Date a(1, 12, 2008);
    const Date b(1, 1, 2009);
    const Date c(2, 12, 2008);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_FALSE(a > b);
    EXPECT_TRUE(a < c);
    EXPECT_TRUE(Date(1, 2, 2009) > Date(31, 1, 2009));
    const Date a2(1, 12, 2008);
    EXPECT_TRUE(a == a2);
    EXPECT_FALSE(a != a2);
    EXPECT_FALSE(a < a2);
    EXPECT_FALSE(a > a2);
    EXPECT_TRUE(a != c);
}

TEST_F(DateTest, StoredForm)
{
    struct Case
    {
        Dmy written;
        bool bNativeOrder;
        Bytes bytes; // after the streamer's signature byte
        Dmy read;
    };
    const Case aCases[] = {
        {{13, 2, 2009}, true, {0xD9, 0x07, 0x02, 0x0D}, {13, 2, 2009}},
        {{13, 2, 2009}, false, {0x07, 0xD9, 0x02, 0x0D}, {13, 2, 2009}},
        {{31, 12, 1969}, true, {0xB1, 0x07, 0x0C, 0x1F}, {31, 12, 1969}},
        // A stored day of 0 reads back as the last day of the previous month; a month of 13 as
        // January of the next year.
        {{0, 3, 2008}, true, {0xD8, 0x07, 0x03, 0x00}, {29, 2, 2008}},
        {{5, 13, 2008}, true, {0xD8, 0x07, 0x0D, 0x05}, {5, 1, 2009}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(::testing::Message() << c.written << " native " << c.bNativeOrder);
        MemStream out;
        out.setNativeOrder(c.bNativeOrder);
        {
            ObjectStreamer writer(&out, false);
            Date(c.written.d, c.written.m, c.written.y).persistTo(writer);
        }
        Bytes expected{0x05};
        expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(bytesOf(out), expected);

        std::unique_ptr<MemStream> pIn(out.createReader());
        pIn->setNativeOrder(c.bNativeOrder);
        ObjectStreamer reader(pIn.get(), false);
        Date date(1, 1, 2000);
        date.persistFrom(reader);
        EXPECT_EQ(dmyOf(date), c.read);
    }
}

TEST_F(DateTest, ObjectForms)
{
    Date first(13, 2, 2009);
    Date second(24, 12, 2010);
    MemStream out;
    {
        ObjectStreamer writer(&out, false);
        writeObject(writer, &second);
        writeObjectPointer(writer, &first);
        writeObjectPointer(writer, &first);
        writeObjectPointer<Date>(writer, nullptr);
    }
    const Bytes expected{0x05,                         // signature
                         0x00, 0xDA, 0x07, 0x0C, 0x18, // by value
                         0x00, 0x00, 0x00, 0x00, 0x00, // new object, id 0 ...
                         0xD9, 0x07, 0x02, 0x0D,       // ... and its form
                         0x01, 0x00, 0x00, 0x00, 0x00, // the same object again
                         0x02};                        // null
    EXPECT_EQ(bytesOf(out), expected);

    std::unique_ptr<MemStream> pIn(out.createReader());
    ObjectStreamer reader(pIn.get(), false);
    Date byValue(1, 1, 2000);
    readObject(reader, &byValue);
    EXPECT_EQ(dmyOf(byValue), (Dmy{24, 12, 2010}));
    Date* pFirst = nullptr;
    Date* pAgain = nullptr;
    Date* pNull = &byValue;
    readObjectPointer(reader, &pFirst);
    readObjectPointer(reader, &pAgain);
    readObjectPointer(reader, &pNull);
    std::unique_ptr<Date> pOwned(pFirst);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(dmyOf(*pFirst), (Dmy{13, 2, 2009}));
    EXPECT_EQ(pAgain, pFirst);
    EXPECT_EQ(pNull, nullptr);

    // A back-reference to an id never read.
    const uint8_t abBad[] = {0x05, 0x01, 0x07, 0x00, 0x00, 0x00};
    MemStream bad(abBad, (int)sizeof(abBad));
    ObjectStreamer badReader(&bad, false);
    Date* pBad = nullptr;
    EXPECT_EQ(fatalMessageOf([&] { readObjectPointer(badReader, &pBad); }), "AlreadyLoaded failed");
}
