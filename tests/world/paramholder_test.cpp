// ParamHolder: flags read above 0.5, counts truncated toward zero, the last write wins, presence
// without a value, and the fatal error of a key that was never set.
#include "world/paramholder.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(!std::is_copy_constructible<ParamHolder>::value, "a parameter set is not copied");
static_assert(std::has_virtual_destructor<ParamHolder>::value, "characters derive from it");

TEST(ParamHolderTest, FlagsReadTrueOnlyAboveOneHalf)
{
    ParamHolder params;
    params.setBool(CP_PATIENT, true);
    params.setBool(CP_WANT_CLICKS, false);
    EXPECT_EQ(1.0f, params.getFloat(CP_PATIENT));
    EXPECT_EQ(0.0f, params.getFloat(CP_WANT_CLICKS));
    EXPECT_TRUE(params.getBool(CP_PATIENT));
    EXPECT_FALSE(params.getBool(CP_WANT_CLICKS));

    const struct
    {
        float fValue;
        bool bRead;
    } aCases[] = {{0.5f, false}, {0.50001f, true}, {0.49f, false}, {-1.0f, false}, {2.0f, true}};
    for (const auto& c : aCases)
    {
        params.setFloat(CP_DO_SIT, c.fValue);
        EXPECT_EQ(c.bRead, params.getBool(CP_DO_SIT)) << c.fValue;
    }
}

TEST(ParamHolderTest, CountsTruncateTowardZero)
{
    const struct
    {
        float fValue;
        int nRead;
    } aCases[] = {{5.625f, 5}, {2.625f, 2}, {11.25f, 11}, {0.999f, 0}, {-1.5f, -1}, {120.0f, 120}};
    ParamHolder params;
    for (const auto& c : aCases)
    {
        params.setFloat(CP_MAX_DRINKS, c.fValue);
        EXPECT_EQ(c.nRead, params.getInt(CP_MAX_DRINKS)) << c.fValue;
        EXPECT_EQ(c.fValue, params.getFloat(CP_MAX_DRINKS));
    }
}

TEST(ParamHolderTest, LastWriteWinsAndKeysStaySeparate)
{
    ParamHolder params;
    params.setFloat(CP_MAX_DRINKS, 7.0f);
    params.setFloat(CP_TIME_ASK_0, 0.75f);
    params.setFloat(CP_MAX_DRINKS, 2.0f); // an override replaces, it does not add
    EXPECT_EQ(2, params.getInt(CP_MAX_DRINKS));
    EXPECT_EQ(0.75f, params.getFloat(CP_TIME_ASK_0));

    // A key formed at read time finds the spelled-out key it was written under.
    params.setFloat(CP_PAY_2, 100.0f);
    EXPECT_EQ(100, params.getInt(RIR::String::format(CP_PAY_FMT, 2).c_str()));
}

TEST(ParamHolderTest, PresenceDoesNotDependOnTheValue)
{
    ParamHolder cow;
    ParamHolder customer;
    EXPECT_FALSE(cow.has(CP_ALWAYS_EXIT_RIGHT));
    cow.setBool(CP_ALWAYS_EXIT_RIGHT, false); // present, whatever it holds
    EXPECT_TRUE(cow.has(CP_ALWAYS_EXIT_RIGHT));
    EXPECT_FALSE(customer.has(CP_ALWAYS_EXIT_RIGHT));
}

TEST(ParamHolderTest, MissingKeyIsFatalAndChangesNothing)
{
    ParamHolder params;
    params.setFloat(CP_PAY_0, 120.0f);
    for (auto read : {+[](const ParamHolder& p) { p.getFloat(CP_EXPELL_COUNT); },
                      +[](const ParamHolder& p) { p.getInt(CP_EXPELL_COUNT); },
                      +[](const ParamHolder& p) { p.getBool(CP_EXPELL_COUNT); }})
    {
        const std::string sMessage = messageOf<RIR::FatalErrorException>([&] { read(params); });
        EXPECT_EQ(0u, sMessage.find("Hash key not found : ")) << sMessage;
        EXPECT_NE(std::string::npos, sMessage.find("CP_EXPELL_COUNT")) << sMessage;
    }
    EXPECT_FALSE(params.has(CP_EXPELL_COUNT));
    EXPECT_EQ(120, params.getInt(CP_PAY_0));
}
