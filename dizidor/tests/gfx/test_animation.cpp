#include "gfx/animation.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "rir2/exception.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

static_assert(std::is_base_of_v<PropHolder, Animation> && std::is_base_of_v<PropHolder, Sequence> &&
                  std::is_base_of_v<PropHolder, FrameData>,
              "all three carry inherited properties");
static_assert(!std::is_copy_constructible_v<PropHolder>, "shared through handles, never copied");

namespace
{

std::vector<std::string> toVector(const RIR::List<RIR::String>& lNames)
{
    std::vector<std::string> result;
    for (int i = 0; i < lNames.getLength(); ++i)
        result.push_back(lNames.get(i).c_str());
    return result;
}

// Runs the call and returns the message of the RIR exception it raised ("" when none).
template <class F> std::string messageOf(F call)
{
    try
    {
        call();
    }
    catch (const RIR::Exception& e)
    {
        return e.getMessage();
    }
    return "";
}

class AnimationTest : public ::testing::Test
{
protected:
    RIR::SmartPtr<Image> makeImage()
    {
        return RIR::SmartPtr<Image>(m_factory.createBlank(2, 2, false));
    }

    MemImageFactory m_factory;
};

// ---- properties -------------------------------------------------------------------------------

TEST_F(AnimationTest, FramePropertiesInheritFromSequenceThenAnimation)
{
    RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
    pAnim->addFrame("walk", makeImage(), 1);
    pAnim->addFrame("walk", makeImage(), 1);
    pAnim->setProp("suffix", "anim");
    pAnim->setProp("sound", "anim-sound");
    pAnim->setFrameProp("walk", -1, "sound", "seq-sound"); // on the sequence itself
    pAnim->setFrameProp("walk", 1, "sound", "frame-sound");

    struct Case
    {
        int nFrame;
        const char* pszKey;
        const char* pszExpected;
    };
    const Case aCases[] = {
        {0, "sound", "seq-sound"},   // the sequence's value hides the animation's
        {1, "sound", "frame-sound"}, // the frame's own value hides both
        {0, "suffix", "anim"},       // only the animation has it
        {1, "doaction", ""},         // nobody has it
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(std::string(c.pszKey) + " on frame " + std::to_string(c.nFrame));
        EXPECT_EQ(c.pszExpected,
                  std::string(pAnim->getFrameProp("walk", c.nFrame, c.pszKey).c_str()));
        EXPECT_EQ(*c.pszExpected != 0, pAnim->hasFrameProp("walk", c.nFrame, c.pszKey));
    }

    RIR::SmartPtr<FrameData> pFrame = pAnim->getFrame("walk", 0);
    EXPECT_FALSE(pFrame->hasProp("sound", false)) << "inherited keys are not the frame's own";
    EXPECT_TRUE(pFrame->hasProp("sound", true));
    EXPECT_TRUE(pAnim->getFrame("walk", 1)->hasProp("sound", false));
    EXPECT_EQ(std::vector<std::string>{"sound"},
              toVector(pAnim->getSequence("walk")->getPropNames()));
}

TEST_F(AnimationTest, PropertyNamesAreOwnKeysInTableOrder)
{
    PropHolder parent;
    PropHolder child;
    child.setParent(&parent);
    parent.setProp("inherited", "x");
    // Buckets of 97: "idle" 30, "walk" 53, "run" 39; the table lists the highest bucket first.
    child.setProp("idle", "1");
    child.setProp("walk", "2");
    child.setProp("run", "3");
    child.setProp("walk", "4"); // replaced in place
    EXPECT_EQ((std::vector<std::string>{"walk", "run", "idle"}), toVector(child.getPropNames()));
    EXPECT_EQ("4", std::string(child.getProp("walk").c_str()));
    EXPECT_EQ("x", std::string(child.getProp("inherited").c_str()));
}

// ---- sequences and the default ----------------------------------------------------------------

TEST_F(AnimationTest, DefaultSequenceFollowsTheTableKeyOrder)
{
    struct Case
    {
        std::vector<const char*> names; // in order of registration
        const char* pszDefault;
        std::vector<std::string> order;
    };
    // Buckets: "idle" 30, "walk" 53, "fall" and "jump" both 65 (kept in registration order).
    const Case aCases[] = {
        {{"idle", "walk", "run"}, "walk", {"walk", "run", "idle"}},
        {{"idle", "fall", "walk", "jump"}, "fall", {"fall", "jump", "walk", "idle"}},
        {{"jump", "idle", "fall"}, "jump", {"jump", "fall", "idle"}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszDefault);
        RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
        for (const char* pszName : c.names)
            pAnim->addFrame(pszName, makeImage(), 1);
        EXPECT_EQ(c.order, toVector(pAnim->getSequenceNames()));
        EXPECT_EQ(c.pszDefault, std::string(pAnim->getDefaultSequence().c_str()));
        // Once taken, the default stays even when a name that sorts earlier comes later.
        pAnim->addFrame("enter", makeImage(), 1); // bucket 79
        EXPECT_EQ(c.pszDefault, std::string(pAnim->getDefaultSequence().c_str()));
    }

    RIR::SmartPtr<Animation> pNamed = new Animation(10.0f);
    pNamed->addFrame("walk", makeImage(), 1);
    pNamed->setDefaultSequence("nothing-checks-this");
    EXPECT_EQ("nothing-checks-this", std::string(pNamed->getDefaultSequence().c_str()));
}

TEST_F(AnimationTest, SequencesAreMadeReplacedAndAliased)
{
    RIR::SmartPtr<Animation> pAnim = new Animation(12.5f);
    pAnim->setName("dolly");
    EXPECT_TRUE(pAnim->isEmpty());

    // addFrame makes a missing sequence at the animation's rate, not looping.
    EXPECT_EQ(0, pAnim->addFrame("walk", makeImage(), 1));
    EXPECT_EQ(1, pAnim->addFrame("walk", makeImage(), 3));
    EXPECT_FLOAT_EQ(12.5f, pAnim->getSequenceSpeed("walk"));
    EXPECT_FALSE(pAnim->getSequenceLoop("walk"));
    EXPECT_EQ(3, pAnim->getFrameDuration("walk", 1));
    EXPECT_EQ(pAnim.get(), pAnim->getSequence("walk")->getParent());
    EXPECT_EQ(pAnim->getSequence("walk").get(), pAnim->getFrame("walk", 0)->getParent());

    // A changed rate reaches only sequences made later.
    pAnim->setFPS(20.0f);
    EXPECT_FLOAT_EQ(12.5f, pAnim->getSequenceSpeed("walk"));
    pAnim->newSequence("run", true, 0.0f);
    EXPECT_FLOAT_EQ(20.0f, pAnim->getSequenceSpeed("run"));
    EXPECT_TRUE(pAnim->getSequenceLoop("run"));
    pAnim->newSequence("slow", false, 4.0f);
    EXPECT_FLOAT_EQ(4.0f, pAnim->getSequenceSpeed("slow"));

    // newSequence on a used name replaces the sequence without complaint.
    pAnim->newSequence("walk", true, 8.0f);
    EXPECT_EQ(0, pAnim->getFrameCount("walk"));
    EXPECT_FLOAT_EQ(8.0f, pAnim->getSequenceSpeed("walk"));

    // A second name plays the same frames and inherits from the creator.
    pAnim->addFrame("run", makeImage(), 1);
    pAnim->setProp("suffix", "_d");
    pAnim->addSequence("sprint", pAnim->getSequence("run"));
    EXPECT_EQ(pAnim->getSequence("run").get(), pAnim->getSequence("sprint").get());
    pAnim->addFrame("sprint", makeImage(), 1);
    EXPECT_EQ(2, pAnim->getFrameCount("run"));
    EXPECT_EQ("_d", std::string(pAnim->getFrameProp("sprint", 1, "suffix").c_str()));
    EXPECT_EQ("dolly already has seq sprint",
              messageOf([&] { pAnim->addSequence("sprint", pAnim->getSequence("run")); }));
    EXPECT_EQ("dolly already has seq walk",
              messageOf([&] { pAnim->addSequence("walk", pAnim->getSequence("run")); }));
    EXPECT_EQ(0, pAnim->getFrameCount("walk")) << "a refused alias leaves the name's sequence";

    pAnim->setSequenceSpeed("run", 30.0f);
    pAnim->setSequenceLoop("run", false);
    EXPECT_FLOAT_EQ(30.0f, pAnim->getSequenceSpeed("sprint"));
    EXPECT_FALSE(pAnim->getSequenceLoop("sprint"));
    EXPECT_FALSE(pAnim->isEmpty());
}

TEST_F(AnimationTest, LookupsOfMissingNamesAndIndexes)
{
    RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
    EXPECT_EQ("List index out of range : 0 (have 0)",
              messageOf([&] { pAnim->getDefaultSequence(); }));

    pAnim->addFrame("walk", makeImage(), 1);
    pAnim->addFrame("walk", makeImage(), 1);

    // The queries that never fail.
    EXPECT_EQ(0, pAnim->getFrameCount("nope"));
    EXPECT_FALSE(pAnim->hasSequence("nope"));
    EXPECT_TRUE(pAnim->hasSequence("walk"));
    struct ValidCase
    {
        const char* pszSeq;
        int nIndex;
        bool bValid;
    };
    for (const ValidCase& c :
         {ValidCase{"walk", 0, true}, ValidCase{"walk", 1, true}, ValidCase{"walk", 2, false},
          ValidCase{"walk", -1, false}, ValidCase{"nope", 0, false}})
        EXPECT_EQ(c.bValid, pAnim->isValidFrame(c.pszSeq, c.nIndex)) << c.pszSeq << " " << c.nIndex;

    // The others raise the table's and the list's errors.
    const std::string sMissing = "Hash key not found : \"nope\"";
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->getSequence("nope"); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->getSequenceSpeed("nope"); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->getSequenceLoop("nope"); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->setSequenceSpeed("nope", 3.0f); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->getFrameProp("nope", 0, "sound"); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->hasFrameProp("nope", 0, "sound"); }));
    EXPECT_EQ(sMissing, messageOf([&] { pAnim->setFrameProp("nope", -1, "sound", "x"); }));
    EXPECT_EQ("List index out of range : 5 (have 2)",
              messageOf([&] { pAnim->getFrameImage("walk", 5); }));
    EXPECT_EQ("List index out of range : -1 (have 2)",
              messageOf([&] { pAnim->getFrameDuration("walk", -1); }));
    EXPECT_FALSE(pAnim->hasSequence("nope")) << "failed look-ups add nothing";
}

TEST_F(AnimationTest, AllImagesListsEachPictureOnceAtItsFirstUse)
{
    RIR::SmartPtr<Image> pA = makeImage();
    RIR::SmartPtr<Image> pB = makeImage();
    RIR::SmartPtr<Image> pC = makeImage();
    RIR::SmartPtr<Animation> pAnim = new Animation(10.0f);
    // Table order: "walk" (53) before "idle" (30).
    pAnim->addFrame("idle", pC, 1);
    pAnim->addFrame("idle", pA, 1);
    pAnim->addFrame("walk", pA, 1);
    pAnim->addFrame("walk", pB, 1);
    pAnim->addFrame("walk", pA, 2);
    pAnim->addFrame("walk", RIR::SmartPtr<Image>(), 1); // a frame without a picture is skipped
    pAnim->addSequence("run", pAnim->getSequence("walk"));

    RIR::List<RIR::SmartPtr<Image>> lImages = pAnim->getAllImages();
    ASSERT_EQ(3, lImages.getLength());
    EXPECT_EQ(pA.get(), lImages.get(0).get());
    EXPECT_EQ(pB.get(), lImages.get(1).get());
    EXPECT_EQ(pC.get(), lImages.get(2).get());
}

// ---- the application's frame rate ------------------------------------------------------------

TEST_F(AnimationTest, RateZeroTakesTheApplicationRateWhenMade)
{
    EXPECT_FLOAT_EQ(0.0f, Animation(0.0f).getFPS()) << "no application: no rate";
    {
        // The application opens a default log in the working folder when none is open.
        openLog((::testing::TempDir() + "test_animation.log").c_str());
        GameApp app;
        app.setFPS(25);
        Animation fromApp(0.0f);
        Animation own(12.5f);
        app.setFPS(60);
        EXPECT_FLOAT_EQ(25.0f, fromApp.getFPS()) << "later changes of the rate do not reach it";
        EXPECT_FLOAT_EQ(12.5f, own.getFPS());
        EXPECT_FLOAT_EQ(60.0f, Animation(0.0f).getFPS());
    }
    closeLog();
}

} // namespace
