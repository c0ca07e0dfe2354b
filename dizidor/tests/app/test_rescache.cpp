// The resource caches: ResCache's loading, sharing, removal and purge by exact reference counts
// and its keep list; the application's picture names (lower case, one-step aliases), caching off
// and its scope guard, removal of images not listed, the sample and music caches, the purge of
// every cache and the statistics dump.
#include "resourcefixture.h"

#include "app/disableimagecache.h"
#include "app/rescache.h"
#include "gfx/animation.h"
#include "testkit/recordingaudiodriver.h"

#include "rir2/exception.h"
#include "rir2/tests/raises.h"

#include <algorithm>
#include <set>

namespace
{

// ---- ResCache on its own ---------------------------------------------------------------------

// A counted object that knows how many of its kind are alive.
class Thing : public RIR::RefCountedObject
{
public:
    explicit Thing(const char* pszName) : m_sName(pszName) { ++s_nAlive; }
    ~Thing() override { --s_nAlive; }

    RIR::String m_sName;
    static int s_nAlive;
};
int Thing::s_nAlive = 0;

class ThingLoader : public IResourceLoader<Thing>
{
public:
    Thing* load(const char* pszName) override
    {
        if (m_missing.count(pszName))
            RIR_THROW(ResourceException, "ThingLoader : missing");
        ++m_nLoads;
        return new Thing(pszName);
    }
    bool exists(const char* pszName) override { return !m_missing.count(pszName); }

    int m_nLoads = 0;
    std::set<std::string> m_missing;
};

class ResCacheTest : public ::testing::Test
{
protected:
    ResCacheTest() : m_pCache(new ResCache<Thing>()) { m_pCache->setLoader(&m_loader); }
    ~ResCacheTest() override
    {
        m_pCache.reset();
        EXPECT_EQ(0, Thing::s_nAlive) << "nothing outlives the cache and the test's handles";
    }

    std::vector<std::string> names() const
    {
        const RIR::List<RIR::String> lNames = m_pCache->getNames();
        std::vector<std::string> result;
        for (int i = 0; i < lNames.getLength(); ++i)
            result.push_back(lNames.get(i).c_str());
        std::sort(result.begin(), result.end());
        return result;
    }

    ThingLoader m_loader;
    std::unique_ptr<ResCache<Thing>> m_pCache;
};

TEST_F(ResCacheTest, LoadsOnceAndSharesByExactName)
{
    RIR::SmartPtr<Thing> pFirst = m_pCache->get("door");
    EXPECT_EQ(pFirst.get(), m_pCache->get("door").get());
    EXPECT_EQ(1, m_loader.m_nLoads);
    EXPECT_EQ(2, pFirst->getRefCount()) << "the table's reference and ours, nothing hidden";
    EXPECT_TRUE(m_pCache->contains("door"));
    EXPECT_FALSE(m_pCache->contains("Door"));
    EXPECT_NE(pFirst.get(), m_pCache->get("Door").get()) << "keys are taken as given";
    EXPECT_EQ((std::vector<std::string>{"Door", "door"}), names());
}

TEST_F(ResCacheTest, RemovalFollowsTheReferenceCount)
{
    EXPECT_FALSE(m_pCache->remove("never"));

    RIR::SmartPtr<Thing> pHeld = m_pCache->get("held");
    EXPECT_FALSE(m_pCache->remove("held")) << "someone else holds it";
    EXPECT_TRUE(m_pCache->contains("held"));
    EXPECT_EQ(2, pHeld->getRefCount());
    pHeld = nullptr;
    EXPECT_EQ(1, Thing::s_nAlive);
    EXPECT_TRUE(m_pCache->remove("held"));
    EXPECT_FALSE(m_pCache->contains("held"));
    EXPECT_EQ(0, Thing::s_nAlive) << "removal destroys what nobody holds";

    // Each kept put pins the object once more.
    m_pCache->put("kept", new Thing("kept"), true);
    m_pCache->put("kept", m_pCache->get("kept"), true);
    EXPECT_EQ(3, m_pCache->get("kept")->getRefCount() - 1);
    EXPECT_FALSE(m_pCache->remove("kept"));
    m_pCache->purge();
    EXPECT_TRUE(m_pCache->contains("kept"));

    // A put over a stored name lets go of the earlier object.
    m_pCache->put("spot", new Thing("one"), false);
    m_pCache->put("spot", new Thing("two"), false);
    EXPECT_EQ(2, Thing::s_nAlive);
    EXPECT_STREQ("two", m_pCache->get("spot")->m_sName.c_str());
}

TEST_F(ResCacheTest, PurgeDropsOnlyWhatNobodyHolds)
{
    RIR::SmartPtr<Thing> pHeld = m_pCache->get("held");
    m_pCache->get("loose");
    m_pCache->get("other");
    m_pCache->put("pinned", new Thing("pinned"), true);
    m_pCache->purge();
    EXPECT_EQ((std::vector<std::string>{"held", "pinned"}), names());
    EXPECT_EQ(2, Thing::s_nAlive);
}

TEST_F(ResCacheTest, WithoutStoringMissesAreHandedOutOnly)
{
    RIR::SmartPtr<Thing> pStored = m_pCache->get("stored");
    m_pCache->setNoStore(true);
    RIR::SmartPtr<Thing> pA = m_pCache->get("fresh");
    RIR::SmartPtr<Thing> pB = m_pCache->get("fresh");
    EXPECT_NE(pA.get(), pB.get());
    EXPECT_EQ(1, pA->getRefCount());
    EXPECT_FALSE(m_pCache->contains("fresh"));
    EXPECT_EQ(pStored.get(), m_pCache->get("stored").get()) << "stored objects still come out";
}

TEST_F(ResCacheTest, FailuresLeaveTheCacheAsItWas)
{
    m_loader.m_missing.insert("ghost");
    EXPECT_THROW(m_pCache->get("ghost"), RIR::ResourceException);
    EXPECT_TRUE(names().empty());

    m_pCache->setLoader(nullptr);
    EXPECT_EQ("ResCache::get() : no loader for 'door'",
              messageOf<RIR::BadStateException>([&] { m_pCache->get("door"); }));

    // An entry without an object cannot be counted.
    m_pCache->put("hole", RIR::SmartPtr<Thing>(), false);
    EXPECT_EQ("Assertion failed : nRef >= 2",
              messageOf<RIR::AssertFailException>([&] { m_pCache->remove("hole"); }));
    EXPECT_EQ("Assertion failed : nRef >= 2",
              messageOf<RIR::AssertFailException>([&] { m_pCache->purge(); }));
}

TEST_F(ResCacheTest, DestructionLetsGoOfEverything)
{
    RIR::SmartPtr<Thing> pHeld = m_pCache->get("held");
    m_pCache->put("pinned", new Thing("pinned"), true);
    m_pCache->get("loose");
    m_pCache.reset();
    EXPECT_EQ(1, Thing::s_nAlive);
    EXPECT_EQ(1, pHeld->getRefCount());
}

// ---- the application's pictures --------------------------------------------------------------

class ImageCacheTest : public ResourceAppTest
{
protected:
    ImageCacheTest()
    {
        startPlatform();
        m_pApp->addProvider(memory({{"image-alias.txt", "Door Gate\n"},
                                    {"door.png", png(4, 4)},
                                    {"gate.png", png(6, 6)},
                                    {"wall.png", png(8, 8)},
                                    {"window.png", png(10, 10)},
                                    {"wide.png", png(64, 32)}}),
                            false);
    }

    std::vector<std::string> imageNames()
    {
        std::vector<std::string> names = toVector(m_pApp->getImageNames());
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [](const std::string& s)
                                   { return s == "empty" || s == "greyoverlaypatch"; }),
                    names.end());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ImageCacheTest, PictureNamesAreLowerCasedAndAliasedOnce)
{
    RIR::SmartPtr<Image> pWall = m_pApp->getImage("Wall");
    EXPECT_EQ(pWall.get(), m_pApp->getImage("WALL").get());
    EXPECT_EQ(pWall.get(), m_pApp->getImage("wall").get());
    EXPECT_EQ(2, pWall->getRefCount()) << "the cache's reference and ours";

    // "Door" is an alias of "gate" (the alias file is lower-cased; requests are lower-cased too).
    RIR::SmartPtr<Image> pDoor = m_pApp->getImage("DOOR");
    EXPECT_EQ(6, pDoor->getWidth());
    EXPECT_EQ(pDoor.get(), m_pApp->getImage("gate").get());
    EXPECT_EQ((std::vector<std::string>{"gate", "wall"}), imageNames());

    // Adding, testing and removing apply no alias.
    EXPECT_TRUE(m_pApp->isImageCached("GATE"));
    EXPECT_FALSE(m_pApp->isImageCached("door"));
    m_pApp->addImage("Door", m_pApp->createImage(3, 3, false));
    EXPECT_TRUE(m_pApp->isImageCached("door"));
    EXPECT_EQ(6, m_pApp->getImage("door")->getWidth()) << "getImage still follows the alias";
    EXPECT_TRUE(m_pApp->removeImage("DOOR"));
    EXPECT_FALSE(m_pApp->removeImage("door"));

    struct Case
    {
        const char* pszName;
        bool bCanLoad;
    };
    for (const Case& c : {Case{"WALL", true}, Case{"Door", true}, Case{"window", true},
                          Case{"nothing", false}, Case{"", false}})
    {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(c.bCanLoad, m_pApp->canLoadImage(c.pszName));
    }
    EXPECT_FALSE(m_pApp->isImageCached("window")) << "testing loads nothing";
    EXPECT_THROW(m_pApp->getImage("nothing"), RIR::Exception);
    EXPECT_FALSE(m_pApp->isImageCached("nothing"));
}

TEST_F(ImageCacheTest, LoadImageUsesTheNameAsPassed)
{
    RIR::SmartPtr<Image> pGate = m_pApp->getImage("gate");
    EXPECT_EQ(pGate.get(), m_pApp->loadImage("door").get()) << "alias target cached";

    m_pApp->setImageCaching(false); // loadImage stores anyway
    RIR::SmartPtr<Image> pWindow = m_pApp->loadImage("window");
    EXPECT_TRUE(m_pApp->isImageCached("window"));
    EXPECT_EQ(pWindow.get(), m_pApp->loadImage("window").get());
    EXPECT_EQ(pWindow.get(), m_pApp->getImage("window").get());

    // A name with capitals misses the lower-case key and loads again, replacing the entry.
    RIR::SmartPtr<Image> pAgain = m_pApp->loadImage("Window");
    EXPECT_NE(pWindow.get(), pAgain.get());
    EXPECT_EQ(pAgain.get(), m_pApp->getImage("window").get());
    EXPECT_EQ(10, pAgain->getWidth());
}

TEST_F(ImageCacheTest, CachingOffHandsOutFreshPictures)
{
    RIR::SmartPtr<Image> pWall = m_pApp->getImage("wall");
    EXPECT_TRUE(m_pApp->setImageCaching(false));
    RIR::SmartPtr<Image> pA = m_pApp->getImage("window");
    RIR::SmartPtr<Image> pB = m_pApp->getImage("window");
    EXPECT_NE(pA.get(), pB.get());
    EXPECT_FALSE(m_pApp->isImageCached("window"));
    EXPECT_EQ(pWall.get(), m_pApp->getImage("wall").get());
    EXPECT_FALSE(m_pApp->setImageCaching(true));

    // The guard restores what it found, nested or inside a stretch that is already off.
    auto cachingOn = [&]
    {
        const bool bOn = m_pApp->setImageCaching(true);
        m_pApp->setImageCaching(bOn);
        return bOn;
    };
    {
        DisableImageCache outer;
        EXPECT_NE(m_pApp->getImage("window").get(), m_pApp->getImage("window").get());
        {
            DisableImageCache inner;
        }
        EXPECT_FALSE(cachingOn()) << "still off after the inner guard";
    }
    EXPECT_TRUE(cachingOn());
    EXPECT_EQ(m_pApp->getImage("window").get(), m_pApp->getImage("window").get());
    m_pApp->setImageCaching(false);
    {
        DisableImageCache guard;
    }
    EXPECT_FALSE(cachingOn()) << "the guard found it off and left it off";
}

TEST_F(ImageCacheTest, RemovalWaitsForTheLastHolder)
{
    RIR::SmartPtr<Image> pWall = m_pApp->getImage("wall");
    EXPECT_FALSE(m_pApp->removeImage("wall"));
    EXPECT_FALSE(m_pApp->removeImage("window")) << "not cached";
    pWall = nullptr;
    EXPECT_TRUE(m_pApp->removeImage("WALL"));
    EXPECT_TRUE(imageNames().empty());
}

TEST_F(ImageCacheTest, ImagesNotListedAreRemoved)
{
    for (const char* pszName : {"a", "b", "c", "d"})
        m_pApp->addImage(pszName, m_pApp->createImage(2, 2, false));
    const RIR::List<RIR::String> lEarlier = m_pApp->getImageNames();

    // A name of the earlier list that has gone since, as early in the list as possible, must
    // not make the later listed names look new.
    for (int i = 0; i < lEarlier.getLength(); ++i)
    {
        const std::string sName = lEarlier.get(i).c_str();
        if (sName.size() == 1)
        {
            EXPECT_TRUE(m_pApp->removeImage(sName.c_str()));
            break;
        }
    }
    m_pApp->addImage("new", m_pApp->createImage(2, 2, false));
    std::vector<std::string> kept = imageNames();
    kept.erase(std::find(kept.begin(), kept.end(), "new"));

    m_pApp->removeImagesNotListed(lEarlier);
    EXPECT_EQ(kept, imageNames());
    EXPECT_TRUE(m_pApp->isImageCached("empty"));

    // An empty list removes every picture that nobody holds.
    RIR::SmartPtr<Image> pHeld = m_pApp->getImage("b");
    m_pApp->removeImagesNotListed(RIR::List<RIR::String>());
    EXPECT_EQ((std::vector<std::string>{"b"}), imageNames());
    EXPECT_TRUE(m_pApp->isImageCached("greyoverlaypatch")) << "kept";
}

TEST_F(ImageCacheTest, CreatedImagesAreNotCached)
{
    RIR::SmartPtr<Image> pBlank = m_pApp->createImage(5, 7, true);
    EXPECT_EQ(5, pBlank->getWidth());
    EXPECT_EQ(7, pBlank->getHeight());
    EXPECT_EQ(1, pBlank->getRefCount());
    uint32_t aPixels[4] = {0, 0, 0, 0};
    RIR::SmartPtr<Image> pOver =
        m_pApp->createImageFromPixels(aPixels, 2, 2, 32, 8, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    EXPECT_EQ(2, pOver->getWidth());
    EXPECT_TRUE(imageNames().empty());
}

// ---- samples and music -------------------------------------------------------------------------

class SoundCacheTest : public ResourceAppTest
{
};

// The same checks on the sample and the music cache: names unchanged, loaded once, removal by
// reference count, a missing sound failing in the loader.
template <class T>
void checkSoundCache(GameApp* pApp, RecordingAudioDriver* pDriver,
                     RIR::SmartPtr<T> (GameApp::*get)(const char*),
                     bool (GameApp::*canLoad)(const char*), bool (GameApp::*remove)(const char*),
                     void (GameApp::*purge)())
{
    RIR::SmartPtr<T> pBang = (pApp->*get)("bang");
    EXPECT_EQ(pBang.get(), (pApp->*get)("bang").get());
    EXPECT_NE(pBang.get(), (pApp->*get)("Bang").get()) << "two spellings, two objects";
    EXPECT_EQ(2, pBang->getRefCount());

    pDriver->markMissing("ghost");
    EXPECT_TRUE((pApp->*canLoad)("bang"));
    EXPECT_TRUE((pApp->*canLoad)("other"));
    EXPECT_FALSE((pApp->*canLoad)("ghost"));
    EXPECT_THROW((pApp->*get)("ghost"), RIR::ResourceException);

    EXPECT_FALSE((pApp->*remove)("bang"));
    EXPECT_FALSE((pApp->*remove)("ghost"));
    pBang = nullptr;
    EXPECT_TRUE((pApp->*remove)("bang"));
    EXPECT_FALSE((pApp->*canLoad)("ghost"));

    RIR::SmartPtr<T> pHeld = (pApp->*get)("held");
    (pApp->*purge)();
    EXPECT_FALSE((pApp->*remove)("Bang")) << "purged";
    EXPECT_FALSE((pApp->*remove)("held")) << "still held";
}

TEST_F(SoundCacheTest, SamplesAndMusicAreSharedByName)
{
    startPlatform();
    RecordingAudioDriver* pDriver = m_pPlatform->getRecordingAudioDriver();
    ASSERT_NE(nullptr, pDriver);
    {
        SCOPED_TRACE("samples");
        checkSoundCache<Sample>(m_pApp.get(), pDriver, &GameApp::getSample, &GameApp::canLoadSample,
                                &GameApp::removeSample, &GameApp::purgeSamples);
    }
    {
        SCOPED_TRACE("music");
        checkSoundCache<Music>(m_pApp.get(), pDriver, &GameApp::getMusic, &GameApp::canLoadMusic,
                               &GameApp::removeMusic, &GameApp::purgeMusic);
    }
}

TEST_F(SoundCacheTest, BeforeStartUpNothingLoads)
{
    EXPECT_FALSE(m_pApp->canLoadSample("bang"));
    EXPECT_FALSE(m_pApp->canLoadMusic("tune"));
    EXPECT_EQ("ResCache::get() : no loader for 'bang'",
              messageOf<RIR::BadStateException>([&] { m_pApp->getSample("bang"); }));
    EXPECT_EQ("ResCache::get() : no loader for 'tune'",
              messageOf<RIR::BadStateException>([&] { m_pApp->getMusic("tune"); }));
    EXPECT_FALSE(m_pApp->canLoadImage("door"));
}

// ---- every cache -------------------------------------------------------------------------------

class AllCachesTest : public ImageCacheTest
{
protected:
    AllCachesTest()
    {
        m_pApp->addProvider(memory({{"walk.anim", "load wall\nseq s\nadd wall\n"},
                                    {"run.anim", "load wide\nseq s\nadd wide\n"},
                                    {"sprint.anim", "load wide\nseq s\nadd wide\n"}}),
                            false);
    }

    // The lines between the last header line of that text in the log and the "Total size" line
    // after it, sorted.
    std::vector<std::string> section(const std::string& sHeader)
    {
        std::vector<std::string> lines;
        std::istringstream in(TempFolder::readFile(m_folder.at("test.log")));
        std::string sLine;
        bool bIn = false;
        while (std::getline(in, sLine))
        {
            if (sLine == sHeader)
            {
                lines.clear();
                bIn = true;
            }
            else if (bIn && sLine.compare(0, 10, "Total size") == 0)
                bIn = false;
            else if (bIn)
                lines.push_back(sLine);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    bool logHas(const std::string& sLine)
    {
        const std::string sLog = "\n" + TempFolder::readFile(m_folder.at("test.log"));
        return sLog.find("\n" + sLine + "\n") != std::string::npos;
    }
};

TEST_F(AllCachesTest, AnimationsArePurgedBeforeTheirPictures)
{
    m_pApp->getSample("bang");
    m_pApp->getMusic("tune");
    RIR::SmartPtr<RIR::RefCountedObject> pHeldTune = m_pApp->getMusic("held");
    m_pApp->getAnimationByName("walk.anim");
    ASSERT_TRUE(m_pApp->isImageCached("wall"));

    m_pApp->purgeImages();
    EXPECT_TRUE(m_pApp->isImageCached("wall")) << "the animation holds it";
    m_pApp->purgeCaches();
    EXPECT_FALSE(m_pApp->isImageCached("wall"));
    EXPECT_FALSE(m_pApp->containsAnimation("walk.anim"));
    EXPECT_FALSE(m_pApp->removeSample("bang")) << "purged";
    EXPECT_FALSE(m_pApp->removeMusic("tune")) << "purged";
    EXPECT_FALSE(m_pApp->removeMusic("held"));
    EXPECT_TRUE(m_pApp->isImageCached("empty"));
}

TEST_F(AllCachesTest, StatisticsDump)
{
    RIR::SmartPtr<Image> pWide = m_pApp->getImage("wide");
    m_pApp->dumpCacheStats();
    EXPECT_EQ((std::vector<std::string>{
                  "    0 KB                          empty    2x  2  32 BPP [1 refs]",
                  "    6 KB                           wide   64x 32  24 BPP [1 refs]",
                  "   14 KB               greyoverlaypatch   80x 60  24 BPP [1 refs]",
              }),
              section("========== Image cache stats =========="))
        << "the kept pictures count their keep-list reference";
    EXPECT_TRUE(logHas("Total size = 20 KB"));
    EXPECT_TRUE(section("========== Animation cache stats ==========").empty());
    EXPECT_TRUE(logHas("Total size = 0 KB (0 KB unique)"));

    // Two animations of one picture: counted for each, once in the unique total; the dump
    // empties the animation cache.
    pWide = nullptr;
    m_pApp->removeImage("wide");
    m_pApp->getAnimationByName("run.anim");
    m_pApp->getAnimationByName("sprint.anim");
    m_pApp->dumpCacheStats();
    EXPECT_EQ((std::vector<std::string>{"    6 KB                       run.anim",
                                        "    6 KB                    sprint.anim"}),
              section("========== Animation cache stats =========="));
    EXPECT_TRUE(logHas("Total size = 12 KB (6 KB unique)"));
    EXPECT_TRUE(m_pApp->getAnimationNames().isEmpty());
}

} // namespace
