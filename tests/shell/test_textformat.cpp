// formatText: table texts filled like printf for matching texts, and safely for texts that do
// not match their arguments.
#include "shell/textformat.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextFormatTest, FillsConversionsInOrder)
{
    struct Case
    {
        const char* pszFormat;
        const char* pszExpected;
    };
    // Arguments: "Rattler", "Tombstone", 3.
    const Case cases[] = {
        {"%s took %s with %d stars", "Rattler took Tombstone with 3 stars"},
        {"100%% %s", "100% Rattler"},
        {"%s %s %d %s %d", "Rattler Tombstone 3  "}, // too few arguments: nothing
        {"%d %d %s", "Rattler Tombstone 3"},         // the wrong letter still takes its argument
        {"%x %5d %", "%x %5d %"},                    // other sequences stay as they are
        {"no conversions", "no conversions"},
        {"", ""},
        {"%s%s%d%%", "RattlerTombstone3%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            c.pszExpected,
            std::string(formatText(c.pszFormat, {"Rattler", RIR::String("Tombstone"), 3}).c_str()))
            << c.pszFormat;
    EXPECT_STREQ("", formatText(nullptr, {1}).c_str());
    EXPECT_STREQ("-42 ", formatText("%i %d", {-42}).c_str());
}
