// The per-user registry store: keys must exist before values are written, reads of anything
// missing fail without touching the buffer, values that do not fit are not cut, texts of any
// bytes survive the file, and lines the store does not know are kept.
#include "app/registry.h"

#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

const char* const KEY = "Software\\Quillmoor\\DustbowlDolly";

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sFile = m_tmp.at("registry.txt");
        setRegistryFile(m_sFile.c_str());
    }
    void TearDown() override { setRegistryFile(nullptr); }

    // The value read into a fresh buffer of nSize bytes filled with '#'; "<0>" when the read
    // answered 0, in which case the buffer must still be untouched.
    std::string read(const char* pszKey, const char* pszName, int nSize = 256)
    {
        std::string sBuffer((size_t)nSize, '#');
        const int nBytes =
            readRegistryValue(HKEY_CURRENT_USER, pszKey, pszName, &sBuffer[0], nSize);
        if (nBytes == 0)
        {
            EXPECT_EQ(std::string((size_t)nSize, '#'), sBuffer) << "buffer touched";
            return "<0>";
        }
        const std::string sText = sBuffer.c_str();
        EXPECT_EQ((int)sText.size() + 1, nBytes) << "count must include the terminator";
        return sText;
    }

    TempFolder m_tmp;
    std::string m_sFile;
};

TEST_F(RegistryTest, ValuesNeedAnExistingKey)
{
    EXPECT_EQ("<0>", read(KEY, "Home"));
    EXPECT_FALSE(writeRegistryString(HKEY_CURRENT_USER, KEY, "Home", "x"));
    EXPECT_EQ("<0>", read(KEY, "Home")) << "a write must not create its key";
    EXPECT_EQ(nullptr, openRegistryKey(HKEY_CURRENT_USER, KEY, false));

    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, KEY));
    EXPECT_TRUE(createRegistryKey(HKEY_CURRENT_USER, KEY)) << "an existing key is fine";
    EXPECT_EQ("<0>", read(KEY, "Home")) << "a missing value";
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, KEY, "Home", "http://a.test/"));
    EXPECT_EQ("http://a.test/", read(KEY, "Home"));

    // Paths and names match without regard to case and to stray backslashes; a second write
    // replaces the value.
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, "\\software\\\\QUILLMOOR\\dustbowldolly\\",
                                    "HOME", "http://b.test/"));
    EXPECT_EQ("http://b.test/", read(KEY, "home"));
    EXPECT_NE(std::string::npos, TempFolder::readFile(m_sFile).find("http://b.test/"));
    EXPECT_EQ(std::string::npos, TempFolder::readFile(m_sFile).find("http://a.test/"));

    // Null name is the default value; null text is "".
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, KEY, nullptr, nullptr));
    EXPECT_EQ("", read(KEY, ""));
}

TEST_F(RegistryTest, KeysAboveAnExistingKeyExistAndOpenRelatively)
{
    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, KEY));
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, KEY, "Name", "v"));

    HKEY hSoftware = openRegistryKey(HKEY_CURRENT_USER, "Software", false);
    ASSERT_NE(nullptr, hSoftware);
    EXPECT_EQ(nullptr, openRegistryKey(HKEY_CURRENT_USER, "Soft", false)) << "not a prefix match";

    char szBuffer[16] = {0};
    EXPECT_EQ(2, readRegistryValue(hSoftware, "Quillmoor\\DustbowlDolly", "Name", szBuffer,
                                   sizeof szBuffer));
    EXPECT_STREQ("v", szBuffer);
    HKEY hGame = openRegistryKey(hSoftware, "Quillmoor\\DustbowlDolly", true);
    ASSERT_NE(nullptr, hGame);
    EXPECT_TRUE(writeRegistryString(hGame, nullptr, "Name", "w"));
    EXPECT_EQ("w", read(KEY, "Name"));
    closeRegistryKey(hGame);
    closeRegistryKey(hSoftware);
    closeRegistryKey(HKEY_CURRENT_USER); // ignored

    // A closed or null handle is refused.
    EXPECT_EQ(0, readRegistryValue(hSoftware, "Quillmoor\\DustbowlDolly", "Name", szBuffer,
                                   sizeof szBuffer));
    EXPECT_FALSE(createRegistryKey(nullptr, "x"));
    EXPECT_EQ(nullptr, openRegistryKey(nullptr, "Software", false));
    EXPECT_FALSE(writeRegistryString(nullptr, KEY, "Name", "x"));
}

TEST_F(RegistryTest, ValuesThatDoNotFitAreNotCut)
{
    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, KEY));
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, KEY, "Name", "12345"));
    EXPECT_EQ("12345", read(KEY, "Name", 6));
    EXPECT_EQ("<0>", read(KEY, "Name", 5));
    EXPECT_EQ(0, readRegistryValue(HKEY_CURRENT_USER, KEY, "Name", nullptr, 100));
    char c = '#';
    EXPECT_EQ(0, readRegistryValue(HKEY_CURRENT_USER, KEY, "Name", &c, 0));
    EXPECT_EQ('#', c);
}

TEST_F(RegistryTest, AnyTextSurvivesTheFileAndForeignLinesStay)
{
    m_tmp.writeFile("registry.txt", "# kept comment\n"
                                    "a line\twith two fields\n"
                                    "\n");
    const char* const pszOddKey = "Odd\\Key with\ttab #1 %41";
    const std::string sOddText = "line1\nline2\r\ttab %25 #hash \\back\\ =eq";
    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, pszOddKey));
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, pszOddKey, "na\tme\n#", sOddText.c_str()));
    EXPECT_EQ(sOddText, read(pszOddKey, "na\tme\n#"));

    const std::string sFile = TempFolder::readFile(m_sFile);
    EXPECT_EQ(0u, sFile.find("# kept comment\na line\twith two fields\n\n")) << sFile;
    // One line for the key and one for the value after the three kept lines.
    size_t nLines = 0;
    for (char c : sFile)
        nLines += c == '\n';
    EXPECT_EQ(5u, nLines) << sFile;
}

TEST_F(RegistryTest, FailedWritesAreReported)
{
    setRegistryFile(m_tmp.at("missing-folder/registry.txt").c_str());
    EXPECT_FALSE(createRegistryKey(HKEY_CURRENT_USER, KEY));
    EXPECT_EQ(nullptr, openRegistryKey(HKEY_CURRENT_USER, KEY, false));
}

TEST_F(RegistryTest, DefaultStoreLivesInTheDataFolder)
{
    const char* pszOld = std::getenv("XDG_DATA_HOME");
    const std::string sOld = pszOld ? pszOld : "";
    setenv("XDG_DATA_HOME", m_tmp.path().c_str(), 1);
    setRegistryFile(nullptr);
    EXPECT_EQ(m_tmp.path() + "/Quillmoor/DustbowlDolly/registry.txt", getRegistryFile().c_str());
    if (pszOld)
        setenv("XDG_DATA_HOME", sOld.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace
