// GameApp's animation cache: keys, sharing, removal and purge, and the step-wise preloading with
// its completion on request and its recovery from a broken script.
#include "app/gameapp.h"

#include "app/log.h"
#include "gfx/animation.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{

class AnimationCacheTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openLog(m_folder.at("cache.log").c_str());
        m_pApp.reset(new GameApp());
        // Installed after the application, so the scripts and pictures come from here.
        m_pEnv.reset(new MemImageEnvironment(&m_factory));

        const uint8_t abPixel[4] = {9, 9, 9, 255};
        for (const char* pszName : {"pic", "p1", "p2", "p3", "p4", "p5"})
            m_pEnv->addPicture(pszName, 1, 1, 4, abPixel);
        // Which parts a script was built with shows in its property.
        m_pEnv->addText("figure.anim", "prop parts [(0)][(1)]\nload pic\nseq s\nadd pic\n");
        // Five pictures, then the sequence: six steps.
        m_pEnv->addText("slow.anim", "load p1\nload p2\nload p3\nload p4\nload p5\n"
                                     "seq s\nadd all\n");
        m_pEnv->addText("broken.anim", "load pic\nbogus\nseq s\n");
    }
    void TearDown() override
    {
        m_pEnv.reset();
        m_pApp.reset();
        closeLog();
    }

    // Calls loadAnimationStep until the key is cached; the number of calls (-1 past the limit).
    int stepsUntilCached(const char* pszKey)
    {
        for (int n = 1; n <= 100; ++n)
        {
            m_pApp->loadAnimationStep();
            if (m_pApp->containsAnimation(pszKey))
                return n;
        }
        return -1;
    }

    std::vector<std::string> names()
    {
        const RIR::List<RIR::String> lNames = m_pApp->getAnimationNames();
        std::vector<std::string> result;
        for (int i = 0; i < lNames.getLength(); ++i)
            result.push_back(lNames.get(i).c_str());
        std::sort(result.begin(), result.end());
        return result;
    }

    TempFolder m_folder;
    std::unique_ptr<GameApp> m_pApp;
    MemImageFactory m_factory;
    std::unique_ptr<MemImageEnvironment> m_pEnv;
};

} // namespace

TEST_F(AnimationCacheTest, KeysDecideSharing)
{
    // File and parameters, or the same key given explicitly: one entry, built by the first
    // request; the loader always gets the parameters.
    RIR::SmartPtr<Animation> pFirst =
        m_pApp->getAnimation("figure.anim", nullptr, RIR::List<RIR::String>("hat", "red"));
    RIR::SmartPtr<Animation> pSecond =
        m_pApp->getAnimation("figure.anim", "figure.anim-hat-red", RIR::List<RIR::String>());
    EXPECT_EQ(pFirst.get(), pSecond.get());
    EXPECT_STREQ("figure.anim-hat-red", pFirst->getName().c_str());
    EXPECT_STREQ("[hat][red]", pFirst->getProp("parts").c_str());

    RIR::SmartPtr<Animation> pCustom =
        m_pApp->getAnimation("figure.anim", "custom", RIR::List<RIR::String>("cap", "blue"));
    EXPECT_STREQ("custom", pCustom->getName().c_str());
    EXPECT_STREQ("[cap][blue]", pCustom->getProp("parts").c_str());
    EXPECT_NE(pFirst.get(), pCustom.get());

    RIR::SmartPtr<Animation> pPlain = m_pApp->getAnimationByName("figure.anim");
    EXPECT_STREQ("[(0)][(1)]", pPlain->getProp("parts").c_str());
    EXPECT_EQ((std::vector<std::string>{"custom", "figure.anim", "figure.anim-hat-red"}), names());
}

TEST_F(AnimationCacheTest, RemoveAndPurge)
{
    RIR::SmartPtr<Animation> pHeld = m_pApp->getAnimationByName("figure.anim");
    EXPECT_EQ(pHeld.get(), m_pApp->getAnimationByName("figure.anim").get());
    m_pApp->getAnimationByName("slow.anim");

    // A purge drops what nobody else holds.
    m_pApp->purgeAnimations();
    EXPECT_TRUE(m_pApp->containsAnimation("figure.anim"));
    EXPECT_FALSE(m_pApp->containsAnimation("slow.anim"));

    // Removal is unconditional; the holder keeps its animation, the next request builds anew.
    m_pApp->removeAnimation("figure.anim");
    EXPECT_FALSE(m_pApp->containsAnimation("figure.anim"));
    RIR::SmartPtr<Animation> pNew = m_pApp->getAnimationByName("figure.anim");
    EXPECT_NE(pHeld.get(), pNew.get());
    EXPECT_EQ(1, pHeld->getFrameCount("s"));
    m_pApp->removeAnimation("never-cached"); // nothing happens

    pNew = nullptr;
    m_pApp->purgeAnimations();
    EXPECT_TRUE(names().empty());
}

TEST_F(AnimationCacheTest, PreloadsStepByStep)
{
    m_pApp->loadAnimationStep(); // nothing queued, nothing happens
    EXPECT_FALSE(m_pApp->isLoadingAnimations());

    m_pApp->preloadAnimationByName("slow.anim");
    EXPECT_TRUE(m_pApp->isLoadingAnimations());
    EXPECT_EQ(0, m_pEnv->getImageLoads()) << "queuing reads the script only";
    m_pApp->loadAnimationStep();
    m_pApp->loadAnimationStep();
    EXPECT_EQ(2, m_pEnv->getImageLoads()) << "one picture per step";
    EXPECT_FALSE(m_pApp->containsAnimation("slow.anim"));
    EXPECT_EQ(4, stepsUntilCached("slow.anim"));

    RIR::SmartPtr<Animation> pSlow = m_pApp->getAnimationByName("slow.anim");
    EXPECT_EQ(5, pSlow->getFrameCount("s"));
    EXPECT_STREQ("slow.anim", pSlow->getName().c_str());

    // The step after the last finds the queue empty and clears the flag.
    EXPECT_TRUE(m_pApp->isLoadingAnimations());
    m_pApp->loadAnimationStep();
    EXPECT_FALSE(m_pApp->isLoadingAnimations());
    EXPECT_EQ(pSlow.get(), m_pApp->getAnimationByName("slow.anim").get());
}

TEST_F(AnimationCacheTest, ARequestFinishesAPreloadAtOnce)
{
    m_pApp->preloadAnimationByName("slow.anim");
    m_pApp->preloadAnimationByName("figure.anim");
    // Step until one of the two is being stepped (the queue's order is the table's).
    m_pApp->loadAnimationStep();
    const bool bSlowFirst = m_pEnv->isImageCached("p1");
    const char* pszStepped = bSlowFirst ? "slow.anim" : "figure.anim";
    const char* pszQueued = bSlowFirst ? "figure.anim" : "slow.anim";

    // Being stepped: finished on the spot.
    RIR::SmartPtr<Animation> pStepped = m_pApp->getAnimationByName(pszStepped);
    EXPECT_TRUE(m_pApp->containsAnimation(pszStepped));
    EXPECT_EQ(bSlowFirst ? 5 : 1, pStepped->getFrameCount("s"));
    // Queued: built afresh; the queue forgets it.
    RIR::SmartPtr<Animation> pQueued = m_pApp->getAnimationByName(pszQueued);
    EXPECT_TRUE(m_pApp->containsAnimation(pszQueued));

    // Preloading what is cached does nothing; the next step finds the queue empty.
    m_pApp->preloadAnimationByName(pszStepped);
    m_pApp->preloadAnimationByName(pszQueued);
    EXPECT_TRUE(m_pApp->isLoadingAnimations());
    m_pApp->loadAnimationStep();
    EXPECT_FALSE(m_pApp->isLoadingAnimations());
    EXPECT_EQ(pStepped.get(), m_pApp->getAnimationByName(pszStepped).get());
    EXPECT_EQ(pQueued.get(), m_pApp->getAnimationByName(pszQueued).get());
}

TEST_F(AnimationCacheTest, AKeyIsPreloadedOnce)
{
    // Queued twice, or queued again while being stepped: built once, in six steps.
    m_pApp->preloadAnimationByName("slow.anim");
    m_pApp->preloadAnimationByName("slow.anim");
    m_pApp->loadAnimationStep();
    m_pApp->preloadAnimationByName("slow.anim");
    EXPECT_EQ(5, stepsUntilCached("slow.anim"));
    RIR::SmartPtr<Animation> pSlow = m_pApp->getAnimationByName("slow.anim");
    for (int i = 0; i < 10; ++i)
        m_pApp->loadAnimationStep();
    EXPECT_FALSE(m_pApp->isLoadingAnimations());
    EXPECT_EQ(pSlow.get(), m_pApp->getAnimationByName("slow.anim").get());
    EXPECT_EQ(5, m_pEnv->getImageLoads());
}

TEST_F(AnimationCacheTest, ABrokenScriptIsDroppedAndTheQueueGoesOn)
{
    // A request raises the script's error and stores nothing.
    EXPECT_THROW(m_pApp->getAnimationByName("broken.anim"), RIR::Exception);
    EXPECT_FALSE(m_pApp->containsAnimation("broken.anim"));
    EXPECT_THROW(m_pApp->preloadAnimationByName("missing.anim"), RIR::ResourceException);

    // A broken preload raises once; its loader is released, so later steps go on with the rest
    // of the queue instead of raising on every call.
    m_pApp->preloadAnimationByName("broken.anim");
    m_pApp->preloadAnimationByName("slow.anim");
    int nRaised = 0;
    for (int i = 0; i < 20; ++i)
    {
        try
        {
            m_pApp->loadAnimationStep();
        }
        catch (const RIR::Exception& e)
        {
            ++nRaised;
            EXPECT_STREQ("AnimationLoader : Unknown command 'bogus' in broken.anim, line 2",
                         e.getMessage());
        }
    }
    EXPECT_EQ(1, nRaised);
    EXPECT_TRUE(m_pApp->containsAnimation("slow.anim"));
    EXPECT_FALSE(m_pApp->containsAnimation("broken.anim"));
    EXPECT_FALSE(m_pApp->isLoadingAnimations());

    // A request that finishes a broken preload being stepped releases it as well.
    m_pApp->preloadAnimationByName("broken.anim");
    m_pApp->loadAnimationStep(); // "load pic": fine so far
    EXPECT_THROW(m_pApp->getAnimationByName("broken.anim"), RIR::Exception);
    EXPECT_NO_THROW(m_pApp->loadAnimationStep());
    EXPECT_FALSE(m_pApp->containsAnimation("broken.anim"));
}
