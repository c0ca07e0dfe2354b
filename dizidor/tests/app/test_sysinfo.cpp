// User and machine queries: the login name and home folder from the account entry when the
// environment has none, and the forms of the OS and memory figures the log prints.
#include "app/sysinfo.h"

#include "testkit/savedvariable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/utsname.h>
#include <unistd.h>

namespace
{

TEST(SysInfo, UserAndHomeComeFromTheAccountWhenTheEnvironmentIsSilent)
{
    SavedVariable savedUser("USER");
    SavedVariable savedHome("HOME");
    const struct passwd* pEntry = getpwuid(geteuid());

    setenv("USER", "someone-else", 1);
    if (pEntry)
        EXPECT_STREQ(pEntry->pw_name, getUserName().c_str()) << "the account entry goes first";
    else
        EXPECT_STREQ("someone-else", getUserName().c_str());

    setenv("HOME", "/home/from-env", 1);
    EXPECT_STREQ("/home/from-env", getHomeFolder().c_str());
    setenv("HOME", "", 1);
    EXPECT_STREQ(pEntry ? pEntry->pw_dir : "", getHomeFolder().c_str());
}

TEST(SysInfo, FiguresForTheLog)
{
    struct utsname info;
    ASSERT_EQ(0, uname(&info));
    const std::string sOS = getOSVersionText().c_str();
    EXPECT_EQ(0u, sOS.find(std::string(info.sysname) + " ")) << sOS;
    EXPECT_EQ(sOS.size() - 1, sOS.find("[" + std::string(info.release) + "]") +
                                  std::string(info.release).size() + 1)
        << sOS;

    int nAvailable = -1;
    int nTotal = -1;
    getMemoryStatus(&nAvailable, &nTotal);
    EXPECT_GT(nTotal, 0);
    EXPECT_GT(nAvailable, 0);
    EXPECT_LE(nAvailable, nTotal);
    getMemoryStatus(nullptr, nullptr); // either pointer may be left out
}

} // namespace
