// Resource lookup: provider order against extension order, the providers' own name rules, the
// one-step aliases with their case rules and the later alias winning, the error texts, the name
// dump, the built-in resources and the installed languages.
#include "resourcefixture.h"

#include "rir2/exception.h"
#include "rir2/fsprovider.h"
#include "rir2/hash_impl.h"
#include "rir2/tests/raises.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unistd.h>

namespace
{

const char* const PICTURES[] = {"", ".jpg", ".png", ".tga", nullptr};
const char* const SAMPLES[] = {".ogg", ".wav", ".voc", nullptr};
const char* const MUSIC[] = {".ogg", ".wav", ".xm", nullptr};
const char* const NO_EXTENSIONS[] = {nullptr};

typedef ResourceAppTest LookupTest;

TEST_F(LookupTest, WithoutProvidersNothingIsFound)
{
    EXPECT_EQ("", std::string(m_pApp->resolveResourceName("door", PICTURES).c_str()));
    EXPECT_FALSE(m_pApp->hasResource("door"));
    EXPECT_EQ("GameApp::getResource() : Resource 'door' not found",
              messageOf<RIR::ResourceException>([&] { m_pApp->getResource("door"); }));
    EXPECT_TRUE(m_pApp->getResourceNames().isEmpty());
}

TEST_F(LookupTest, ProviderOrderOutranksExtensionOrder)
{
    struct Case
    {
        const char* pszWhat;
        std::vector<std::vector<std::string>> providers; // names, in search order
        const char* pszName;
        const char* const* ppszExtensions;
        const char* pszFound;
        int nProvider; // index of the provider that holds it, -1 for none
    };
    const Case aCases[] = {
        {"earlier provider wins", {{"door.png"}, {"door.jpg"}}, "door", PICTURES, "door.png", 0},
        {"jpg before png", {{"door.png", "door.jpg"}}, "door", PICTURES, "door.jpg", 0},
        {"bare name first", {{"door.jpg", "door"}}, "door", PICTURES, "door", 0},
        {"tga last", {{"door.tga"}, {}}, "door", PICTURES, "door.tga", 0},
        {"later provider", {{"wall.png"}, {"door.tga"}}, "door", PICTURES, "door.tga", 1},
        {"ogg sample", {{"bang.voc", "bang.wav", "bang.ogg"}}, "bang", SAMPLES, "bang.ogg", 0},
        {"wav before voc", {{"bang.voc", "bang.wav"}}, "bang", SAMPLES, "bang.wav", 0},
        {"voc in front", {{"bang.voc"}, {"bang.ogg"}}, "bang", SAMPLES, "bang.voc", 0},
        {"sample bare name", {{"bang"}}, "bang", SAMPLES, "", -1},
        {"music xm", {{"tune.xm"}}, "tune", MUSIC, "tune.xm", 0},
        {"music wav before xm", {{"tune.xm", "tune.wav"}}, "tune", MUSIC, "tune.wav", 0},
        {"music has no voc", {{"tune.voc"}}, "tune", MUSIC, "", -1},
        {"null list: bare name", {{"door.png"}, {"door"}}, "door", nullptr, "door", 1},
        {"empty list: bare name", {{"door.png"}}, "door", NO_EXTENSIONS, "", -1},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszWhat);
        GameApp* pApp = m_pApp.get();
        std::vector<RIR::ResourceProvider*> providers;
        for (const auto& names : c.providers)
        {
            Items items;
            for (const std::string& sName : names)
                items.push_back({sName, "x"});
            providers.push_back(memory(items));
            pApp->addProvider(providers.back(), false);
        }
        RIR::String sFull;
        RIR::ResourceProvider* pHolder = providers.empty() ? nullptr : providers[0];
        pApp->findResource(sFull, c.pszName, &pHolder, c.ppszExtensions);
        EXPECT_STREQ(c.pszFound, sFull.c_str());
        EXPECT_EQ(c.nProvider < 0 ? nullptr : providers[(size_t)c.nProvider], pHolder);
        EXPECT_STREQ(c.pszFound, pApp->resolveResourceName(c.pszName, c.ppszExtensions).c_str());
        // A fresh application for the next case.
        m_pApp.reset();
        m_pApp.reset(new GameApp());
    }
}

TEST_F(LookupTest, FrontProvidersAreSearchedFirst)
{
    RIR::ResourceProvider* pBack = memory({{"door.png", "back"}});
    RIR::ResourceProvider* pFront = memory({{"door.tga", "front"}});
    m_pApp->addProvider(pBack, false);
    m_pApp->addProvider(pFront, true);
    EXPECT_STREQ("door.tga", m_pApp->resolveResourceName("door", PICTURES).c_str());
    EXPECT_EQ("front", std::string(m_pApp->getResource("door.tga")->asString().c_str()));
}

TEST_F(LookupTest, EachProviderKeepsItsOwnNameRules)
{
    // Packs and memory providers ignore case and answer the name asked for; a folder follows the
    // file system and answers the file's path.
    const std::string sFolder = m_folder.makeFolder("loose");
    m_folder.writeFile("loose/Door.png", "loose door");
    m_pApp->addResourceFolder(sFolder.c_str(), false);
    m_pApp->addResourceFile(writePack("pack.dat", {{"Gate.PNG", "packed gate"}}).c_str(), false);

    EXPECT_EQ(sFolder + "/Door.png", m_pApp->resolveResourceName("Door", PICTURES).c_str());
    EXPECT_STREQ("", m_pApp->resolveResourceName("door", PICTURES).c_str());
    EXPECT_EQ(sFolder + "/Door.png",
              m_pApp->resolveResourceName("sub/dir/Door.png", nullptr).c_str())
        << "a folder takes the last path component";
    EXPECT_STREQ("GATE.png", m_pApp->resolveResourceName("GATE", PICTURES).c_str());
    EXPECT_EQ("packed gate", std::string(m_pApp->getResource("gate.png")->asString().c_str()));
    EXPECT_EQ("loose door", std::string(m_pApp->getResource("Door.png")->asString().c_str()));
}

TEST_F(LookupTest, ResourceAliasesTakeOneStepInExactCase)
{
    m_pApp->addProvider(memory({{"resource-alias.txt", "a b\nb c\nBig Small\ngone nowhere # x\n"},
                                {"a", "A"},
                                {"b", "B"},
                                {"c", "C"},
                                {"Big", "BIG"},
                                {"small", "SMALL"},
                                {"gone", "GONE"}}),
                        false);
    struct Case
    {
        const char* pszAsked;
        const char* pszFound;
    };
    const Case aCases[] = {
        {"a", "b"},       // replaced once: not followed on to c, and a itself is not tried
        {"b", "c"},       //
        {"big", "small"}, // the alias file was lower-cased as a whole
        {"Big", "Big"},   // a request with capitals never matches an alias
        {"gone", ""},     // the replacement is missing: the name asked for is not tried
        {"A", "A"},       // no alias for "A"; the provider ignores case
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszAsked);
        EXPECT_STREQ(c.pszFound, m_pApp->resolveResourceName(c.pszAsked, nullptr).c_str());
    }
    EXPECT_EQ("B", std::string(m_pApp->getResource("a")->asString().c_str()));
    EXPECT_EQ("GameApp::getResource() : Resource 'gone' not found",
              messageOf<RIR::ResourceException>([&] { m_pApp->getResource("gone"); }))
        << "the error names the name asked for, before aliasing";
}

TEST_F(LookupTest, TheProviderAddedLastDecidesAnAlias)
{
    const Items targets = {{"x", "X"}, {"y", "Y"}, {"z", "Z"}};
    m_pApp->addProvider(memory(targets), false);
    m_pApp->addProvider(memory({{"resource-alias.txt", "a x"}}), false);
    m_pApp->addProvider(memory({{"resource-alias.txt", "a y"}}), true);
    EXPECT_STREQ("y", m_pApp->resolveResourceName("a", nullptr).c_str())
        << "added in front, but later";
    m_pApp->addProvider(memory({{"resource-alias.txt", "a z\nq x"}}), false);
    EXPECT_STREQ("z", m_pApp->resolveResourceName("a", nullptr).c_str());
    EXPECT_STREQ("x", m_pApp->resolveResourceName("q", nullptr).c_str());
}

TEST_F(LookupTest, AMalformedAliasFileMergesNothing)
{
    m_pApp->addProvider(memory({{"resource-alias.txt", "a x"}, {"x", "X"}, {"y", "Y"}}), false);
    EXPECT_EQ(
        "List index out of range : 1 (have 1)",
        messageOf<RIR::FatalErrorException>(
            [&] {
                m_pApp->addProvider(memory({{"resource-alias.txt", "b y\na y\nlonely\n"}}), false);
            }));
    EXPECT_STREQ("x", m_pApp->resolveResourceName("a", nullptr).c_str());
    EXPECT_STREQ("", m_pApp->resolveResourceName("b", nullptr).c_str());
}

TEST_F(LookupTest, PackErrorsNameThePath)
{
    const std::string sMissing = m_folder.at("nope.dat");
    const std::string sGarbage = m_folder.writeFile("garbage.dat", "this is no pack at all");
    EXPECT_EQ("Resource file " + sMissing + " not found [" + std::to_string(ENOENT) + "]",
              messageOf<RIR::FatalErrorException>(
                  [&] { m_pApp->addResourceFile(sMissing.c_str(), false); }));
    EXPECT_EQ("Resource file " + m_folder.path() + " not found [" + std::to_string(EISDIR) + "]",
              messageOf<RIR::FatalErrorException>(
                  [&] { m_pApp->addResourceFile(m_folder.path().c_str(), false); }));
    EXPECT_THROW(m_pApp->addResourceFile(sGarbage.c_str(), false), RIR::Exception);
    EXPECT_STREQ("", m_pApp->resolveResourceName("garbage.dat", nullptr).c_str());

    // A folder is not checked; every addition is logged first.
    m_pApp->addResourceFolder("no-such-folder", false);
    EXPECT_EQ((std::vector<std::string>{"G: +" + sMissing, "G: +" + m_folder.path(),
                                        "G: +" + sGarbage, "G: +no-such-folder"}),
              logLines("G: +"));
}

TEST_F(LookupTest, RemovedProvidersGoBackToTheCaller)
{
    RIR::ResourceProvider* pProvider = memory({{"resource-alias.txt", "a x"}, {"x", "X"}});
    GameApp::ProviderNode* pNode = m_pApp->addProvider(pProvider, false);
    m_pApp->addProvider(memory({{"y", "Y"}}), false);
    EXPECT_EQ(pProvider, m_pApp->removeProvider(pNode));
    EXPECT_FALSE(m_pApp->hasResource("x"));
    EXPECT_TRUE(m_pApp->hasResource("y"));
    // Its alias stays behind.
    m_pApp->addProvider(memory({{"x", "X again"}}), false);
    EXPECT_EQ("X again", std::string(m_pApp->getResource("a")->asString().c_str()));
    delete pProvider;
}

TEST_F(LookupTest, NullProviderOutIsAnAssertion)
{
    RIR::String sFull;
    EXPECT_EQ("Assertion failed : pResFile",
              messageOf<RIR::AssertFailException>(
                  [&] { m_pApp->findResource(sFull, "door", nullptr, nullptr); }));
}

TEST_F(LookupTest, NameDumpListsEveryProviderInOrder)
{
    m_pApp->addResourceFile(writePack("one.dat", {{"b.txt", "1"}, {"same.txt", "1"}}).c_str(),
                            false);
    m_pApp->addResourceFolder(m_folder.path().c_str(), false); // lists nothing
    m_pApp->addProvider(memory({{"same.txt", "2"}, {"100%s.txt", "3"}}), false);
    m_pApp->dumpResourceNames();

    const std::vector<std::string> names = toVector(m_pApp->getResourceNames());
    ASSERT_EQ(4u, names.size());
    // Each provider's names in its own order, providers in list order.
    std::vector<std::string> first(names.begin(), names.begin() + 2);
    std::vector<std::string> last(names.begin() + 2, names.end());
    std::sort(first.begin(), first.end());
    std::sort(last.begin(), last.end());
    EXPECT_EQ((std::vector<std::string>{"b.txt", "same.txt"}), first);
    EXPECT_EQ((std::vector<std::string>{"100%s.txt", "same.txt"}), last);

    std::vector<std::string> expected = {"U: ----- Resource names -----"};
    for (const std::string& sName : names)
        expected.push_back("U: " + sName);
    expected.push_back("U: --------------------------");
    EXPECT_EQ(expected, logLines("U: "));
}

// ---- built-in resources ------------------------------------------------------------------------

TEST_F(LookupTest, SystemResourcesComeFirst)
{
    // A pack added before start-up that holds the same name loses to the built-in provider.
    m_pApp->addResourceFile(
        writePack("misc.dat", {{"dizidor::systemfont.png", "not a png"}}).c_str(), false);
    startPlatform();

    EXPECT_STREQ("DiziDor::SystemFont.png",
                 m_pApp->resolveResourceName("DiziDor::SystemFont", PICTURES).c_str());
    RIR::SmartPtr<RIR::Resource> pSheet = m_pApp->getResource("DiziDor::SystemFont.png");
    DecodedPng png;
    RIR::String sError;
    ASSERT_TRUE(decodeTestPng(pSheet->getData(), (size_t)pSheet->getSize(), &png, &sError))
        << sError.c_str();
    EXPECT_EQ(377, png.m_nWidth);
    EXPECT_EQ(108, png.m_nHeight);
    EXPECT_TRUE(png.m_bAlpha);
    EXPECT_FALSE(pSheet->ownsData()) << "program data, viewed in place";

    // The picture loads through the image lookup: lower-cased, ".png" from the picture list.
    RIR::SmartPtr<Image> pImage = m_pApp->getImage("DiziDor::SystemFont");
    EXPECT_EQ(377, pImage->getWidth());
    EXPECT_EQ(108, pImage->getHeight());
    EXPECT_TRUE(m_pApp->isImageCached("dizidor::systemfont"));

    // The two built-in pictures are kept for good.
    RIR::SmartPtr<Image> pPatch = m_pApp->getImage("greyoverlaypatch");
    EXPECT_EQ(80, pPatch->getWidth());
    EXPECT_EQ(60, pPatch->getHeight());
    EXPECT_FALSE(pPatch->hasAlpha());
    EXPECT_EQ(128, pPatch->getAlpha()) << "half-transparent as a whole";
    RIR::SmartPtr<Image> pEmpty = m_pApp->getImage("empty");
    EXPECT_EQ(2, pEmpty->getWidth());
    EXPECT_TRUE(pEmpty->hasAlpha());
    pEmpty = nullptr;
    pPatch = nullptr;
    pImage = nullptr;
    m_pApp->purgeImages();
    EXPECT_FALSE(m_pApp->removeImage("empty"));
    EXPECT_FALSE(m_pApp->removeImage("greyoverlaypatch"));
    EXPECT_EQ((std::vector<std::string>{"empty", "greyoverlaypatch"}),
              [&]
              {
                  std::vector<std::string> names = toVector(m_pApp->getImageNames());
                  std::sort(names.begin(), names.end());
                  return names;
              }());
}

TEST_F(LookupTest, APlatformWithoutPicturesGetsOnlyTheBuiltInProvider)
{
    startPlatform(false);
    EXPECT_TRUE(m_pApp->hasResource("DiziDor::SystemFont.png"));
    EXPECT_TRUE(m_pApp->getImageNames().isEmpty());
    EXPECT_EQ("GameApp::createImage : no image factory",
              messageOf<RIR::BadStateException>([&] { m_pApp->createImage(2, 2, false); }));
}

// ---- installed languages -----------------------------------------------------------------------

class LanguageTest : public ResourceAppTest
{
protected:
    LanguageTest()
    {
        char szCwd[PATH_MAX];
        EXPECT_NE(nullptr, getcwd(szCwd, sizeof(szCwd)));
        m_sCwd = szCwd;
        m_sPlace = m_folder.makeFolder("game");
        EXPECT_EQ(0, chdir(m_sPlace.c_str()));
    }
    ~LanguageTest() override { EXPECT_EQ(0, chdir(m_sCwd.c_str())); }

    void files(const std::vector<std::string>& names)
    {
        for (const std::string& sName : names)
            m_folder.writeFile("game/" + sName, "x");
    }

    // The table as "code: file, file" lines, sorted by code.
    static std::vector<std::string>
    describe(const RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>>& pTable)
    {
        std::vector<std::string> lines;
        const RIR::List<RIR::String> lCodes = pTable->keys();
        for (int i = 0; i < lCodes.getLength(); ++i)
        {
            const RIR::String sCode = lCodes.get(i);
            std::string sLine = std::string(sCode.c_str()) + ":";
            const RIR::List<RIR::String>& lFiles = pTable->get(sCode);
            for (int j = 0; j < lFiles.getLength(); ++j)
                sLine += " [" + std::string(lFiles.get(j).c_str()) + "]";
            lines.push_back(sLine);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }

    std::string m_sCwd;
    std::string m_sPlace;
};

TEST_F(LanguageTest, PacksAreGroupedByLanguage)
{
    files({"lang_de.dat", "lang_en.dat", "misc.dat", "MISC_FR.DAT", "lang_fr.dat", "readme.txt",
           "story_en.dat"});
    m_folder.makeFolder("game/misc_de.dat"); // a folder is no pack
    const RIR::List<RIR::String> lBases("lang", "misc");

    EXPECT_EQ((std::vector<std::string>{"de: [lang_de.dat] []", "en: [lang_en.dat] [misc.dat]",
                                        "fr.dat: [] [MISC_FR.DAT]", "fr: [lang_fr.dat] []"}),
              describe(m_pApp->findLanguages(lBases, "en", true)))
        << "\".dat\" is removed before lower-casing; the base only has to start the name";
    EXPECT_EQ((std::vector<std::string>{"en: [lang_en.dat] [misc.dat]"}),
              describe(m_pApp->findLanguages(lBases, "en", false)));

    const RIR::SmartPtr<RIR::Hash<RIR::String, RIR::List<RIR::String>>> pAll =
        m_pApp->findLanguages(lBases, "en", true);
    EXPECT_STREQ("de", m_pApp->chooseLanguage(*pAll, RIR::List<RIR::String>("it", "de")).c_str());
    EXPECT_STREQ(pAll->keys().get(0).c_str(),
                 m_pApp->chooseLanguage(*pAll, RIR::List<RIR::String>("it")).c_str())
        << "no preferred one: the first in table order";

    EXPECT_STREQ("en", m_pApp->getLanguage(lBases, RIR::List<RIR::String>("de"), "en").c_str());
    EXPECT_EQ((std::vector<std::string>{"lang_en.dat", "misc.dat"}),
              toVector(m_pApp->getLanguageFiles(lBases, RIR::List<RIR::String>("de"), "en")));
}

TEST_F(LanguageTest, NoCompleteLanguageIsAnError)
{
    files({"lang_de.dat"});
    const RIR::List<RIR::String> lBases("lang", "misc");
    EXPECT_STREQ("", m_pApp
                         ->chooseLanguage(*m_pApp->findLanguages(lBases, "en", false),
                                          RIR::List<RIR::String>("de"))
                         .c_str());
    EXPECT_EQ("No installed languages found",
              messageOf<RIR::FatalErrorException>(
                  [&] { m_pApp->getLanguage(lBases, RIR::List<RIR::String>(), "en"); }));
    EXPECT_EQ("No installed languages found",
              messageOf<RIR::FatalErrorException>(
                  [&] { m_pApp->getLanguageFiles(lBases, RIR::List<RIR::String>(), "en"); }));
}

} // namespace
