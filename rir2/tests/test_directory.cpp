// Directory: path trimming, sorted listings with types, missing folders, and the kept listing.
#include "rir2/directory.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

using namespace RIR;

namespace
{

// "name/type" for each entry, in listing order.
std::vector<std::string> describe(Directory& dir)
{
    std::vector<std::string> v;
    List<SmartPtr<DirEntry>> lEntries = dir.getEntries();
    for (int i = 0; i < lEntries.getLength(); ++i)
    {
        SmartPtr<DirEntry> pEntry = lEntries.get(i);
        v.push_back(std::string(pEntry->getName().c_str()) + "/" +
                    std::to_string(pEntry->getType()));
    }
    return v;
}

} // namespace

TEST(Directory, ConstructorDropsTrailingBackslashesOnly)
{
    struct Case
    {
        const char* pszIn;
        const char* pszOut;
    } cases[] = {
        {"data\\\\", "data"}, {"data\\", "data"}, {"data/", "data/"}, {"data/\\", "data/"},
        {"a\\b", "a\\b"},     {"", ""},           {"\\\\", ""},       {nullptr, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszIn ? c.pszIn : "(null)");
        EXPECT_EQ(Directory(c.pszIn).getPath(), c.pszOut);
    }
}

TEST(Directory, ListsDotEntriesFirstThenNamesSortedWithTypes)
{
    TempFolder tmp;
    tmp.writeFile("b.txt", "1");
    tmp.writeFile("B.txt", "2");
    tmp.writeFile("lang_en.dat", "3");
    tmp.writeFile("-dash", "4");
    tmp.makeFolder("a_folder");
    ASSERT_EQ(symlink("a_folder", tmp.at("link_to_folder").c_str()), 0);
    ASSERT_EQ(symlink("b.txt", tmp.at("link_to_file").c_str()), 0);

    const std::vector<std::string> expected = {
        "./2",     "../2",          "-dash/1",        "B.txt/1",          "a_folder/2",
        "b.txt/1", "lang_en.dat/1", "link_to_file/1", "link_to_folder/2",
    };
    // With and without a trailing slash, and with trailing backslashes.
    for (const std::string& sPath : {tmp.path(), tmp.path() + "/", tmp.path() + "\\\\"})
    {
        SCOPED_TRACE(sPath);
        Directory dir(sPath.c_str());
        EXPECT_EQ(describe(dir), expected);
    }
}

TEST(Directory, KeepsItsFirstListingAndReturnsIndependentCopies)
{
    TempFolder tmp;
    tmp.writeFile("one", "1");
    Directory dir(tmp.path().c_str());
    List<SmartPtr<DirEntry>> lFirst = dir.getEntries();
    ASSERT_EQ(lFirst.getLength(), 3);
    // The entries are shared by the directory and the copy.
    EXPECT_EQ(lFirst.get(2)->getRefCount(), 3); // directory, copy, and the handle get returned

    tmp.writeFile("two", "2");
    lFirst.clear();
    EXPECT_EQ(describe(dir), (std::vector<std::string>{"./2", "../2", "one/1"}));
}

TEST(Directory, MissingFolderHasNoEntriesAndEmptyPathIsTheCurrentFolder)
{
    TempFolder tmp;
    Directory missing(tmp.at("nope").c_str());
    EXPECT_TRUE(missing.getEntries().isEmpty());
    // A file is not a folder either.
    const std::string sFile = tmp.writeFile("file", "x");
    EXPECT_TRUE(Directory(sFile.c_str()).getEntries().isEmpty());
    // Created later, the folder is listed: an empty list is searched again.
    tmp.makeFolder("nope");
    EXPECT_EQ(describe(missing), (std::vector<std::string>{"./2", "../2"}));

    char szOld[4096];
    ASSERT_NE(getcwd(szOld, sizeof(szOld)), nullptr);
    ASSERT_EQ(chdir(tmp.path().c_str()), 0);
    Directory current("");
    const std::vector<std::string> v = describe(current);
    ASSERT_EQ(chdir(szOld), 0);
    EXPECT_EQ(v, (std::vector<std::string>{"./2", "../2", "file/1", "nope/2"}));
}
