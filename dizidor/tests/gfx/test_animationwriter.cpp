// The animation script writer: its output, read back from a real resource pack, its steps, and the
// animations it refuses to write.
#include "gfx/animationwriter.h"

#include "gfx/animationloader.h"
#include "rir2/file.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/resourcefile.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

static_assert(std::is_base_of_v<RIR::RefCountedObject, AnimationSaver>, "shared by handles");
static_assert(!std::is_copy_constructible_v<AnimationSaver>, "one saver per animation at a time");

namespace
{

class AnimationSaverTest : public ::testing::Test
{
protected:
    AnimationSaverTest() : m_env(&m_factory), m_hNames(97) {}

    RIR::SmartPtr<Image> picture(const char* pszName)
    {
        RIR::SmartPtr<Image> pImage(m_factory.createBlank(2, 2, true));
        m_hNames.set(pImage.get(), pszName);
        return pImage;
    }

    // The animation of the writer's example: 60 frames per second, a looping "walk" at 12 with
    // two frames, the second lasting two units with a property.
    RIR::SmartPtr<Animation> walk()
    {
        RIR::SmartPtr<Animation> pAnim = new Animation(60.0f);
        pAnim->newSequence("walk", true, 12.0f);
        pAnim->addFrame("walk", picture("walk_a"), 1);
        pAnim->addFrame("walk", picture("walk_b"), 2);
        pAnim->setFrameProp("walk", 1, "sound", "step");
        return pAnim;
    }

    // Saves into a pack file and reads the entry back through the pack reader.
    std::string saveToPack(RIR::SmartPtr<Animation> pAnim, const char* pszName)
    {
        const std::string sPath = m_folder.at("anims.dat");
        RIR::File* pFile = new RIR::File(sPath.c_str(), RIR::FOM_WRITE);
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack =
            new RIR::ResourceFileCompiler(RIR::SmartPtr<RIR::Stream>(pFile));
        pPack->begin();
        RIR::SmartPtr<AnimationSaver> pSaver = new AnimationSaver();
        pSaver->save(pAnim, pPack, pszName, &m_hNames);
        pPack->finish();
        pFile->close();

        RIR::ResourceFile pack(sPath.c_str());
        RIR::SmartPtr<RIR::Resource> pEntry(pack.load(pszName));
        return pEntry->asString().c_str();
    }

    // A pack writer over memory, for counting entries.
    RIR::SmartPtr<RIR::ResourceFileCompiler> memoryPack()
    {
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack =
            new RIR::ResourceFileCompiler(RIR::SmartPtr<RIR::Stream>(new RIR::MemStream()));
        pPack->begin();
        return pPack;
    }

    std::string errorOf(RIR::SmartPtr<Animation> pAnim, RIR::ResourceFileCompiler* pPack)
    {
        try
        {
            RIR::SmartPtr<AnimationSaver> pSaver = new AnimationSaver();
            pSaver->save(pAnim, pPack, "out.anim", &m_hNames);
        }
        catch (const RIR::FatalErrorException& e)
        {
            return e.getMessage();
        }
        return "";
    }

    TempFolder m_folder;
    MemImageFactory m_factory;
    MemImageEnvironment m_env;
    RIR::Hash<Image*, RIR::String> m_hNames;
};

} // namespace

TEST_F(AnimationSaverTest, WritesTheExampleByteForByte)
{
    EXPECT_EQ("fps 60.00\n"
              "default walk\n"
              "seq walk loop fps 12.00\n"
              "add walk_a\n"
              "add walk_b repeat 2\n"
              "prop sound step\n",
              saveToPack(walk(), "walk.anim"));
}

TEST_F(AnimationSaverTest, StepsWriteOneFrameEach)
{
    RIR::SmartPtr<Animation> pAnim = walk();
    pAnim->setFrameProp("walk", -1, "layer", "top");
    pAnim->newSequence("empty", false, 0.0f);
    RIR::SmartPtr<RIR::ResourceFileCompiler> pPack = memoryPack();
    RIR::SmartPtr<AnimationSaver> pSaver = new AnimationSaver();
    pSaver->begin(pAnim, pPack, "walk.anim");
    RIR::List<Image*> lImages = m_hNames.keys();
    RIR::List<RIR::String> lNames = m_hNames.values();
    for (int i = 0; i < lImages.getLength(); ++i)
        pSaver->setImageName(lImages.get(i), lNames.get(i).c_str());

    // Per sequence: the header with its properties and the first frame, each further frame with
    // its properties, then the close; a sequence without frames opens and closes in one step.
    std::vector<int> lines;
    while (!pSaver->isDone())
    {
        EXPECT_EQ(0, (int)pPack->getEntries().getLength()) << "the entry comes last";
        lines.push_back(pSaver->step());
    }
    const bool bEmptyFirst = pAnim->getSequenceNames().get(0) == "empty";
    const std::vector<int> expected =
        bEmptyFirst ? std::vector<int>{1, 3, 2, 0} : std::vector<int>{3, 2, 0, 1};
    EXPECT_EQ(expected, lines);
    EXPECT_EQ(1, (int)pPack->getEntries().getLength());
}

TEST_F(AnimationSaverTest, WhatItWritesReadsBack)
{
    RIR::SmartPtr<Animation> pAnim = walk();
    pAnim->setProp("kind", "figure");
    pAnim->setFrameProp("walk", 0, "doaction", ""); // an empty value
    pAnim->newSequence("idle", false, 0.0f);        // the animation's speed, not looping
    pAnim->addFrame("idle", pAnim->getFrameImage("walk", 0), 1);
    pAnim->addSequence("stroll", pAnim->getSequence("walk")); // written under both names
    pAnim->setDefaultSequence("idle");

    const std::string sText = saveToPack(pAnim, "walk.anim");
    EXPECT_NE(std::string::npos, sText.find("seq idle\n")) << sText;
    EXPECT_NE(std::string::npos, sText.find("prop doaction \n")) << sText;
    EXPECT_NE(std::string::npos, sText.find("seq stroll loop fps 12.00\n")) << sText;

    // The reader takes the script back once the pictures are loaded under the written names.
    const uint8_t abPixel[4] = {1, 2, 3, 255};
    m_env.addPicture("walk_a", 1, 1, 4, abPixel);
    m_env.addPicture("walk_b", 1, 1, 4, abPixel);
    m_env.addText("walk.anim", sText.c_str());
    m_env.addText("reread.anim", "load walk_a\nload walk_b\ninclude walk.anim\n");
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    RIR::SmartPtr<Animation> pBack = pLoader->load("reread.anim");

    EXPECT_FLOAT_EQ(60.0f, pBack->getFPS());
    EXPECT_STREQ("idle", pBack->getDefaultSequence().c_str());
    EXPECT_STREQ("figure", pBack->getProp("kind").c_str());
    for (const char* pszSeq : {"walk", "stroll"})
    {
        EXPECT_TRUE(pBack->getSequenceLoop(pszSeq));
        EXPECT_FLOAT_EQ(12.0f, pBack->getSequenceSpeed(pszSeq));
        ASSERT_EQ(2, pBack->getFrameCount(pszSeq));
        EXPECT_EQ(2, pBack->getFrameDuration(pszSeq, 1));
        EXPECT_STREQ("step", pBack->getFrameProp(pszSeq, 1, "sound").c_str());
        EXPECT_TRUE(pBack->getFrame(pszSeq, 0)->hasProp("doaction", false));
        EXPECT_STREQ("walk_b", pBack->getFrameImage(pszSeq, 1)->getName().c_str());
    }
    EXPECT_FALSE(pBack->getSequenceLoop("idle"));
    EXPECT_FLOAT_EQ(60.0f, pBack->getSequenceSpeed("idle"));
}

TEST_F(AnimationSaverTest, SequenceStandingStillReadsBackStill)
{
    // A "seq" line cannot say 0 (it means the animation's speed there): the saver writes it as
    // the sequence's own "fps" line.
    RIR::SmartPtr<Animation> pAnim = walk();
    pAnim->setSequenceSpeed("walk", 0.0f);
    const std::string sText = saveToPack(pAnim, "still.anim");
    EXPECT_NE(std::string::npos, sText.find("seq walk loop\nfps  0.00\n")) << sText;

    const uint8_t abPixel[4] = {1, 2, 3, 255};
    m_env.addPicture("walk_a", 1, 1, 4, abPixel);
    m_env.addPicture("walk_b", 1, 1, 4, abPixel);
    m_env.addText("still.anim", sText.c_str());
    m_env.addText("reread.anim", "load walk_a\nload walk_b\ninclude still.anim\n");
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    RIR::SmartPtr<Animation> pBack = pLoader->load("reread.anim");
    EXPECT_FLOAT_EQ(0.0f, pBack->getSequenceSpeed("walk"));
    EXPECT_EQ(2, pBack->getFrameCount("walk"));
}

TEST_F(AnimationSaverTest, RefusesWhatItCannotWrite)
{
    struct Case
    {
        const char* pszWhat;
        RIR::SmartPtr<Animation> pAnim;
        const char* pszMessage;
    };
    RIR::SmartPtr<Animation> pEmpty = new Animation(30.0f);
    RIR::SmartPtr<Animation> pEmptyWithDefault = new Animation(30.0f);
    pEmptyWithDefault->setDefaultSequence("walk");
    RIR::SmartPtr<Animation> pUnnamed = walk();
    pUnnamed->addFrame("walk", RIR::SmartPtr<Image>(m_factory.createBlank(1, 1, true)), 1);
    RIR::SmartPtr<Animation> pBlankValue = walk();
    pBlankValue->setProp("title", "two words");
    RIR::SmartPtr<Animation> pHashName = walk();
    m_hNames.set(pHashName->getFrameImage("walk", 0).get(), "walk#a");

    const Case aCases[] = {
        {"no sequences", pEmpty, "AnimationSaver : out.anim : the animation has no sequences"},
        {"a default but no sequences", pEmptyWithDefault,
         "AnimationSaver : out.anim : the animation has no sequences"},
        {"a picture without a name", pUnnamed,
         "AnimationSaver : out.anim : frame 2 of seq walk shows a picture without a name"},
        {"a value with a blank", pBlankValue,
         "AnimationSaver : out.anim : property value 'two words' cannot be written as one "
         "token"},
        {"a picture name with a comment sign", pHashName,
         "AnimationSaver : out.anim : picture name 'walk#a' cannot be written as one token"},
    };
    for (const Case& c : aCases)
    {
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack = memoryPack();
        EXPECT_EQ(c.pszMessage, errorOf(c.pAnim, pPack.get())) << c.pszWhat;
        EXPECT_EQ(0, (int)pPack->getEntries().getLength()) << c.pszWhat << ": nothing written";
    }
}
