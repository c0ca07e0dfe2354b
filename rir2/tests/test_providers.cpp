// Resources, the folder provider and the memory provider.
#include "rir2/exception.h"
#include "rir2/fsprovider.h"
#include "rir2/memprovider.h"
#include "rir2/memstream.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace RIR;

TEST(Resource, OwnsWhatItAllocatesAndViewsWhatItIsGiven)
{
    // No data: a fresh zero-filled buffer that goes with the resource, whatever the flag says
    // (ASan reports a leak otherwise).
    for (bool bOwns : {true, false})
    {
        SmartPtr<Resource> p(new Resource(10, nullptr, bOwns));
        EXPECT_EQ(p->getSize(), 10);
        ASSERT_NE(p->getData(), nullptr);
        EXPECT_TRUE(p->ownsData());
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(p->getData()[i], 0);
    }
    // Given bytes are used in place, never copied, and left alone when not owned.
    static uint8_t s_abBytes[] = {'a', 'b', 0, 'c'};
    {
        SmartPtr<Resource> p(new Resource(4, s_abBytes, false));
        EXPECT_EQ(p->getData(), s_abBytes);
        EXPECT_EQ(p->asString(), "ab");
        std::unique_ptr<MemStream> pStream(p->getStream());
        EXPECT_TRUE(pStream->can(SA_READ));
        EXPECT_FALSE(pStream->can(SA_WRITE));
        EXPECT_EQ(pStream->size(), 4);
        uint8_t ab[4] = {};
        EXPECT_EQ(pStream->read(4, ab), 4);
        EXPECT_EQ(memcmp(ab, s_abBytes, 4), 0);
    }
    EXPECT_EQ(s_abBytes[0], 'a');
    // An owned buffer from new[] is freed with the resource.
    {
        uint8_t* pBytes = new uint8_t[3]{'x', 'y', 'z'};
        SmartPtr<Resource> p(new Resource(3, pBytes, true));
        EXPECT_EQ(p->asString(), "xyz"); // exactly the size: no terminator needed
    }
    EXPECT_THROW(Resource(-1, nullptr, true), BadParmException);
}

TEST(FilesystemResourceProvider, FolderGetsOneSeparator)
{
    struct Case
    {
        const char* pszFolder;
        const char* pszFolderOut;
    } cases[] = {
        {"3rdparty", "3rdparty/"},
        {"3rdparty/", "3rdparty/"},
        {"3rdparty\\", "3rdparty/"},
        {"data\\3rdparty", "data/3rdparty/"},
        {"/", "/"},
        {"", "./"},
        {nullptr, "./"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszFolder ? c.pszFolder : "(null)");
        FilesystemResourceProvider provider(c.pszFolder);
        EXPECT_EQ(provider.getFolder(), c.pszFolderOut);
    }
}

TEST(FilesystemResourceProvider, NamesMapToTheBaseNameInTheFolder)
{
    FilesystemResourceProvider provider("3rdparty");
    struct Case
    {
        const char* pszName;
        const char* pszPath;
    } cases[] = {
        {"fonts/big.ttf", "3rdparty/big.ttf"},
        {"fonts\\big.ttf", "3rdparty/big.ttf"},
        {"a/b\\c/Big.TTF", "3rdparty/Big.TTF"},
        {"a\\b/c\\big.ttf", "3rdparty/big.ttf"},
        {"../../etc/passwd", "3rdparty/passwd"},
        {"big.ttf", "3rdparty/big.ttf"},
        {"fonts/", "3rdparty/"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(provider.mapName(c.pszName), c.pszPath);
    }
}

TEST(FilesystemResourceProvider, LoadsFilesOfItsFolderByExactName)
{
    TempFolder tmp;
    tmp.makeFolder("res/sub");
    tmp.writeFile("res/Logo.png", std::string("PNG\0data", 8));
    tmp.writeFile("res/empty.txt", "");
    tmp.writeFile("outside.txt", "secret");
    FilesystemResourceProvider provider(tmp.at("res").c_str());

    EXPECT_TRUE(provider.exists("Logo.png"));
    EXPECT_TRUE(provider.exists("pictures/Logo.png"));
    EXPECT_FALSE(provider.exists("logo.png")); // the file system decides case
    EXPECT_FALSE(provider.exists("sub"));      // a folder is no resource
    EXPECT_FALSE(provider.exists("../outside.txt"));
    EXPECT_FALSE(provider.exists(""));

    SmartPtr<Resource> p(provider.load("x\\Logo.png"));
    EXPECT_EQ(p->getRefCount(), 1);
    ASSERT_EQ(p->getSize(), 8);
    EXPECT_EQ(memcmp(p->getData(), "PNG\0data", 8), 0);
    EXPECT_TRUE(p->ownsData());

    SmartPtr<Resource> pEmpty(provider.load("empty.txt"));
    EXPECT_EQ(pEmpty->getSize(), 0);

    const std::string sMissing = tmp.at("res/missing.png");
    try
    {
        provider.load("missing.png");
        ADD_FAILURE() << "no exception";
    }
    catch (const FileAccessException& e)
    {
        EXPECT_EQ(std::string(e.getMessage()), "File::File : '" + sMissing + "' does not exist");
    }
    EXPECT_THROW(provider.load("../outside.txt"), FileAccessException);

    // A folder is never enumerated.
    EXPECT_TRUE(provider.names().isEmpty());
}

TEST(MemoryResourceProvider, NamesAreComparedLowerCased)
{
    MemoryResourceProvider provider;
    Resource* pLogo = new Resource(3, nullptr, true);
    provider.add("Logo.PNG", pLogo);
    EXPECT_EQ(pLogo->getRefCount(), 1);

    for (const char* pszName : {"logo.png", "LOGO.PNG", "Logo.PNG"})
    {
        SCOPED_TRACE(pszName);
        EXPECT_TRUE(provider.exists(pszName));
        // The stored resource itself, shared.
        EXPECT_EQ(provider.load(pszName), pLogo);
    }
    EXPECT_FALSE(provider.exists("logo"));
    EXPECT_EQ(provider.mapName("Logo.PNG"), "Logo.PNG");

    provider.add("DiziDor::SystemFont.png", new Resource(1, nullptr, true));
    List<String> lNames = provider.names();
    ASSERT_EQ(lNames.getLength(), 2);
    EXPECT_NE(lNames.indexOf("logo.png"), -1);
    EXPECT_NE(lNames.indexOf("dizidor::systemfont.png"), -1);

    try
    {
        provider.load("Missing.PNG");
        ADD_FAILURE() << "no exception";
    }
    catch (const FatalErrorException& e)
    {
        EXPECT_STREQ(e.getMessage(), "Hash key not found : \"missing.png\"");
    }
}

TEST(MemoryResourceProvider, AddReplacesAndKeepsResourcesAlive)
{
    SmartPtr<Resource> pLoaded;
    {
        MemoryResourceProvider provider;
        SmartPtr<Resource> pFirst(new Resource(1, nullptr, true));
        provider.add("a.txt", pFirst.get());
        EXPECT_EQ(pFirst->getRefCount(), 2);

        Resource* pSecond = new Resource(2, nullptr, true);
        provider.add("A.TXT", pSecond);
        // The first one is released by the table, the second one is served.
        EXPECT_EQ(pFirst->getRefCount(), 1);
        EXPECT_EQ(provider.names().getLength(), 1);
        pLoaded = provider.load("a.txt");
        EXPECT_EQ(pLoaded.get(), pSecond);
        EXPECT_EQ(pLoaded->getRefCount(), 2);
    }
    // The provider is gone; the caller's handle keeps the resource.
    EXPECT_EQ(pLoaded->getRefCount(), 1);
    EXPECT_EQ(pLoaded->getSize(), 2);
}

TEST(ResourceProvider, ProvidersAreDeletedThroughTheBase)
{
    TempFolder tmp;
    tmp.writeFile("r.txt", "folder text");
    ResourceProvider* apProviders[2] = {new MemoryResourceProvider(),
                                        new FilesystemResourceProvider(tmp.path().c_str())};
    static_cast<MemoryResourceProvider*>(apProviders[0])
        ->add("r.txt", new Resource(11, (void*)"memory text", false));
    const char* apszExpected[2] = {"memory text", "folder text"};
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(apProviders[i]->exists("r.txt"));
        SmartPtr<Resource> p(apProviders[i]->load("r.txt"));
        EXPECT_EQ(p->asString(), apszExpected[i]);
        delete apProviders[i];
    }
}
