// The per-user data folder under a temporary HOME and XDG_DATA_HOME: created when missing,
// the sub-path walk, and the fall-backs when a level cannot be written. Tests run as root, so
// "cannot be written" is made by putting a regular file where a folder should be.
#include "app/datafolder.h"

#include "rir2/tests/tempfolder.h"
#include "testkit/savedvariable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace
{

// Runs each test inside a fresh temporary folder that is also the current folder, with HOME at
// "<tmp>/home" (existing) and XDG_DATA_HOME unset.
class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szCwd[4096];
        ASSERT_NE(nullptr, getcwd(szCwd, sizeof szCwd));
        m_sOldCwd = szCwd;
        ASSERT_EQ(0, chdir(m_tmp.path().c_str()));
        // The real path, in case the temporary folder is reached through a link.
        ASSERT_NE(nullptr, getcwd(szCwd, sizeof szCwd));
        m_sRoot = szCwd;
        m_sHome = m_sRoot + "/home";
        std::filesystem::create_directories(m_sHome);
        setenv("HOME", m_sHome.c_str(), 1);
        unsetenv("XDG_DATA_HOME");
    }
    void TearDown() override { ASSERT_EQ(0, chdir(m_sOldCwd.c_str())); }

    static bool isEmptyFolder(const std::string& sPath)
    {
        return std::filesystem::is_directory(sPath) && std::filesystem::is_empty(sPath);
    }

    SavedVariable m_savedHome{"HOME"};
    SavedVariable m_savedXdg{"XDG_DATA_HOME"};
    TempFolder m_tmp;
    std::string m_sOldCwd;
    std::string m_sRoot;
    std::string m_sHome;
};

TEST_F(DataFolderTest, FindsOrFallsBackAsTheFolderAllows)
{
    struct Case
    {
        const char* pszName;
        // Prepares the folders below the root; pszXdg is XDG_DATA_HOME relative to the root
        // (null: unset; a relative value is set as given).
        const char* pszXdg;
        bool bXdgRelative;
        std::function<void(const TempFolder&)> prepare;
        const char* pszSubPath;
        // The expected answer relative to the root ("" expects ""), "~" standing for HOME.
        const char* pszExpected;
    };
    const auto nothing = [](const TempFolder&) {};
    const Case aCases[] = {
        {"XDG_DATA_HOME created with the sub-path", "xdg/data", false, nothing,
         "Quillmoor\\DustbowlDolly", "xdg/data/Quillmoor/DustbowlDolly/"},
        {"slashes and runs of separators", "xdg", false, nothing, "\\Quillmoor//DustbowlDolly\\",
         "xdg/Quillmoor/DustbowlDolly/"},
        {"no sub-path gives the data home itself", "xdg", false, nothing, nullptr, "xdg/"},
        {"no XDG_DATA_HOME: HOME/.local/share", nullptr, false, nothing, "Quillmoor/DustbowlDolly",
         "~/.local/share/Quillmoor/DustbowlDolly/"},
        {"a relative XDG_DATA_HOME is ignored", "rel/xdg", true, nothing, "Quillmoor",
         "~/.local/share/Quillmoor/"},
        {"the last level is a file: HOME, not a partial sub-path", "xdg", false,
         [](const TempFolder& t)
         {
             t.makeFolder("xdg/Quillmoor");
             t.writeFile("xdg/Quillmoor/DustbowlDolly", "not a folder");
         },
         "Quillmoor\\DustbowlDolly", "~/"},
        {"the data home is a file: HOME", "xdgfile", false,
         [](const TempFolder& t) { t.writeFile("xdgfile", "not a folder"); },
         "Quillmoor\\DustbowlDolly", "~/"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        TempFolder tmp;
        char szReal[4096];
        ASSERT_NE(nullptr, realpath(tmp.path().c_str(), szReal));
        const std::string sRoot = szReal;
        const std::string sHome = sRoot + "/home";
        std::filesystem::create_directories(sHome);
        setenv("HOME", sHome.c_str(), 1);
        if (!c.pszXdg)
            unsetenv("XDG_DATA_HOME");
        else if (c.bXdgRelative)
            setenv("XDG_DATA_HOME", c.pszXdg, 1);
        else
            setenv("XDG_DATA_HOME", (sRoot + "/" + c.pszXdg).c_str(), 1);
        c.prepare(tmp);

        const std::string sFolder = getDataFolder(c.pszSubPath).c_str();
        std::string sExpected = c.pszExpected;
        if (sExpected[0] == '~')
            sExpected = sHome + sExpected.substr(1);
        else
            sExpected = sRoot + "/" + sExpected;
        EXPECT_EQ(sExpected, sFolder);
        // The answer is a real folder, and the probes left nothing behind in it.
        EXPECT_TRUE(isEmptyFolder(sFolder)) << sFolder;
    }
}

TEST_F(DataFolderTest, NothingWritableGivesEmptyText)
{
    // Data home and home are both regular files: no folder can be had at all.
    m_tmp.writeFile("xdgfile", "x");
    m_tmp.writeFile("homefile", "x");
    setenv("XDG_DATA_HOME", (m_sRoot + "/xdgfile").c_str(), 1);
    setenv("HOME", (m_sRoot + "/homefile").c_str(), 1);
    EXPECT_STREQ("", getDataFolder("Quillmoor\\DustbowlDolly").c_str());
    EXPECT_STREQ("", getDataFolder(nullptr).c_str());
}

TEST_F(DataFolderTest, WritableProbeLeavesNothingBehind)
{
    const std::string sFolder = m_tmp.makeFolder("probe");
    EXPECT_TRUE(isFolderWritable((sFolder + "/").c_str()));
    EXPECT_TRUE(isEmptyFolder(sFolder));

    // The text is a prefix: without its "/" the probe is made beside the folder, in the root.
    EXPECT_TRUE(isFolderWritable(sFolder.c_str()));
    EXPECT_TRUE(isEmptyFolder(sFolder));

    // "" and null probe the current folder.
    EXPECT_TRUE(isFolderWritable(""));
    EXPECT_TRUE(isFolderWritable(nullptr));

    m_tmp.writeFile("plain", "x");
    EXPECT_FALSE(isFolderWritable((m_sRoot + "/plain/").c_str()));
    EXPECT_FALSE(isFolderWritable((m_sRoot + "/missing/").c_str()));

    // Only the probe files came and went: the root holds what the test made.
    size_t nEntries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_sRoot))
    {
        (void)entry;
        ++nEntries;
    }
    EXPECT_EQ(3u, nEntries); // home, probe, plain
}

TEST_F(DataFolderTest, CurrentDirEndsInOneSlash)
{
    EXPECT_EQ(m_sRoot + "/", getCurrentDir().c_str());
    ASSERT_EQ(0, chdir("/"));
    EXPECT_STREQ("/", getCurrentDir().c_str());
}

TEST_F(DataFolderTest, CurrentDirHasNoLengthLimit)
{
    // A folder path well beyond 4096 bytes, reached one level at a time.
    const std::string sLevel(200, 'd');
    std::string sExpected = m_sRoot;
    for (int i = 0; i < 25; ++i)
    {
        ASSERT_EQ(0, mkdir(sLevel.c_str(), 0700));
        ASSERT_EQ(0, chdir(sLevel.c_str()));
        sExpected += "/" + sLevel;
    }
    ASSERT_GT(sExpected.size(), 4096u);
    EXPECT_EQ(sExpected + "/", getCurrentDir().c_str());
    EXPECT_EQ(sExpected + "/x", getFullPath("x").c_str());
}

TEST_F(DataFolderTest, FullPathNormalisesWithoutTouchingTheDisk)
{
    struct Case
    {
        const char* pszPath;
        const char* pszExpected; // "@" stands for the current folder without its "/"
    };
    const Case aCases[] = {
        {"a/b", "@/a/b"},
        {"./a/../b/", "@/b/"},
        {"missing/deeper/file.txt", "@/missing/deeper/file.txt"},
        {"/x/./y/../z", "/x/z"},
        {"//x//y", "/x/y"},
        {"/../..", "/"},
        {"/", "/"},
        {"/x/y/", "/x/y/"},
        {"", ""},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszPath);
        std::string sExpected = c.pszExpected;
        if (!sExpected.empty() && sExpected[0] == '@')
            sExpected = m_sRoot + sExpected.substr(1);
        EXPECT_EQ(sExpected, getFullPath(c.pszPath).c_str());
    }
    EXPECT_STREQ("", getFullPath(nullptr).c_str());
}

} // namespace
