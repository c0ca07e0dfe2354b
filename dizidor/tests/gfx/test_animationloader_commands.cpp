// The commands of the animation script language: sequences, frames and properties, picture
// edits on copies, image selection, position values.
#include "test_animationloader_fixture.h"

#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

namespace
{

class AnimCommandTest : public AnimScriptTest
{
protected:
    void SetUp() override
    {
        AnimScriptTest::SetUp();
        addPicture("a", 4, 2, 200, 0, 0);
        addPicture("b", 4, 2, 0, 200, 0);
        addPicture("c", 4, 2, 0, 0, 200);
    }
};

// The names in the order an image table holding them lists them.
std::vector<std::string> tableOrder(std::initializer_list<const char*> names)
{
    RIR::Hash<RIR::String, int> hTable;
    for (const char* pszName : names)
        hTable.set(pszName, 0);
    std::vector<std::string> result;
    const RIR::List<RIR::String> lKeys = hTable.keys();
    for (int i = 0; i < lKeys.getLength(); ++i)
        result.push_back(lKeys.get(i).c_str());
    return result;
}

} // namespace

TEST_F(AnimCommandTest, SequencesFramesAndProperties)
{
    addPicture("walk_a", 4, 2, 10, 10, 10);
    addPicture("walk_b", 4, 2, 20, 20, 20);
    RIR::SmartPtr<Animation> pAnim = load("walk.anim");
    Animation* p = pAnim.get();

    EXPECT_FLOAT_EQ(30.0f, p->getFPS());
    EXPECT_STREQ("figure", p->getProp("kind").c_str());
    EXPECT_STREQ("idle", p->getDefaultSequence().c_str());

    // "seq walk loop fps 12" made it; "seq walk fps 30" only made it current again.
    EXPECT_TRUE(p->getSequenceLoop("walk"));
    EXPECT_FLOAT_EQ(12.0f, p->getSequenceSpeed("walk"));
    EXPECT_EQ((std::vector<std::string>{"walk_a", "walk_b", "walk_a"}), frameNames(p, "walk"));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), frameDurations(p, "walk"));
    EXPECT_EQ(p->getSequence("walk").get(), p->getSequence("stroll").get()) << "alias";

    // "prop" went to the sequence (no frame yet), then to the frame just added; "frameprop 0
    // doaction" gave frame 0 the empty value.
    EXPECT_TRUE(p->getSequence("walk")->hasProp("sound", false));
    EXPECT_STREQ("step", p->getFrameProp("walk", 0, "sound").c_str());
    EXPECT_STREQ("stomp", p->getFrameProp("walk", 1, "sound").c_str());
    EXPECT_STREQ("step", p->getFrameProp("walk", 2, "sound").c_str());
    EXPECT_TRUE(p->getFrame("walk", 0)->hasProp("doaction", false));
    EXPECT_STREQ("", p->getFrameProp("walk", 0, "doaction").c_str());
    EXPECT_STREQ("figure", p->getFrameProp("walk", 2, "kind").c_str());

    // "copyseq walk reverse": frames, durations and the frames' own properties, reversed, into a
    // sequence made at the animation's rate.
    EXPECT_FALSE(p->getSequenceLoop("back"));
    EXPECT_FLOAT_EQ(30.0f, p->getSequenceSpeed("back"));
    EXPECT_EQ((std::vector<std::string>{"walk_a", "walk_b", "walk_a"}), frameNames(p, "back"));
    EXPECT_EQ((std::vector<int>{3, 2, 1}), frameDurations(p, "back"));
    EXPECT_TRUE(p->getFrame("back", 1)->hasProp("sound", false));
    EXPECT_TRUE(p->getFrame("back", 2)->hasProp("doaction", false));
    EXPECT_EQ(p->getFrameImage("walk", 1).get(), p->getFrameImage("back", 1).get());

    // "add all": the image table's order.
    EXPECT_FLOAT_EQ(5.0f, p->getSequenceSpeed("idle"));
    EXPECT_EQ(tableOrder({"walk_a", "walk_b"}), frameNames(p, "idle"));
}

TEST_F(AnimCommandTest, AddOptionsInAnyOrder)
{
    struct Case
    {
        const char* pszLine;
        std::vector<std::string> names;
        std::vector<int> durations;
    };
    const std::vector<std::string> all = tableOrder({"a", "b"});
    const std::vector<std::string> reversed(all.rbegin(), all.rend());
    const Case aCases[] = {
        {"add all", all, {1, 1}},
        {"add all reverse", reversed, {1, 1}},
        {"add all reverse reverse", all, {1, 1}},
        {"add a repeat 3", {"a"}, {3}},
        {"add all repeat 3 reverse", reversed, {3, 3}},
        {"add all reverse repeat 3", reversed, {3, 3}},
        {"ADD a repeat 2 repeat 4", {"a"}, {4}},
    };
    for (const Case& c : aCases)
    {
        const std::string sScript = std::string("load a\nload b\nseq s\n") + c.pszLine + "\n";
        addScript("add.anim", sScript.c_str());
        RIR::SmartPtr<Animation> pAnim = load("add.anim");
        EXPECT_EQ(c.names, frameNames(pAnim.get(), "s")) << c.pszLine;
        EXPECT_EQ(c.durations, frameDurations(pAnim.get(), "s")) << c.pszLine;
    }
}

TEST_F(AnimCommandTest, SpeedsAndFramePropertiesBySequence)
{
    addScript("speeds.anim", "fps 24\n"
                             "load a\n"
                             "seq s\n"
                             "fps 8\n" // the current sequence's speed
                             "add a\n"
                             "frameprop -1 layer top\n" // the sequence itself
                             "frameprop 0 doaction\n"
                             "seq t\n"
                             "add a\n"
                             "seq s\n" // current again: new frames append
                             "add a repeat 2\n"
                             "prop last yes\n");
    RIR::SmartPtr<Animation> pAnim = load("speeds.anim");
    EXPECT_FLOAT_EQ(24.0f, pAnim->getFPS());
    EXPECT_FLOAT_EQ(8.0f, pAnim->getSequenceSpeed("s"));
    EXPECT_FLOAT_EQ(24.0f, pAnim->getSequenceSpeed("t"));
    EXPECT_TRUE(pAnim->getSequence("s")->hasProp("layer", false));
    EXPECT_TRUE(pAnim->getFrame("s", 0)->hasProp("doaction", false));
    EXPECT_EQ((std::vector<int>{1, 2}), frameDurations(pAnim.get(), "s"));
    EXPECT_TRUE(pAnim->getFrame("s", 1)->hasProp("last", false));
}

TEST_F(AnimCommandTest, PicturesAreChangedOnCopies)
{
    addPicture("rgb", 4, 2, 10, 20, 30);
    addPicture("green", 2, 2, 0, 255, 0);
    addPicture("dot", 1, 1, 0, 0, 255);
    addPicture("fade", 2, 1, 50, 50, 50, 200);
    RIR::SmartPtr<Animation> pAnim = load("pictures.anim");
    auto frame = [&](int i) { return pAnim->getFrameImage("out", i).get(); };
    Image* pCached = m_env.getImage("rgb").get();

    // The picture itself is the cached one and stays untouched.
    EXPECT_EQ(pCached, frame(0));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ("10,20,30,255", rgbaAt(pCached, x, 1)) << x;

    // hflip and vflip: a mirrored copy.
    bool bH = false;
    bool bV = false;
    frame(1)->getFlipFlags(&bH, &bV);
    EXPECT_TRUE(bH && bV);
    pCached->getFlipFlags(&bH, &bV);
    EXPECT_FALSE(bH || bV);

    // remap gbr: red from green, green from blue, blue from red; a one-letter word takes blue
    // for the missing letters.
    EXPECT_EQ("20,30,10,255", rgbaAt(frame(2), 0, 0));
    EXPECT_EQ("10,30,30,255", rgbaAt(frame(3), 0, 0));

    // multiplyalpha: 0.5 is the factor 127 (200 * 127 >> 8 = 99); factors beyond 0 .. 1 are
    // held at the ends.
    EXPECT_EQ("50,50,50,99", rgbaAt(frame(4), 0, 0));
    EXPECT_EQ("50,50,50,200", rgbaAt(frame(5), 0, 0));
    EXPECT_EQ(0, frame(6)->getPixelAt(1, 0).a);
    EXPECT_EQ(200, m_env.getImage("fade")->getPixelAt(1, 0).a);

    // blit at "center-1 top" of the target: x 1, y 0.
    const char* apszStamped[2][4] = {
        {"10,20,30,255", "0,255,0,255", "0,255,0,255", "10,20,30,255"},
        {"10,20,30,255", "0,255,0,255", "0,255,0,255", "10,20,30,255"}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(apszStamped[y][x], rgbaAt(frame(7), x, y)) << x << "," << y;

    // rblit: the source (rgb) becomes the background, the old dot lands at "right-3 bottom-1"
    // read against the source: (1, 1).
    Image* pDot = frame(8);
    EXPECT_EQ(4, pDot->getWidth());
    EXPECT_EQ("0,0,255,255", rgbaAt(pDot, 1, 1));
    EXPECT_EQ("10,20,30,255", rgbaAt(pDot, 0, 1));
    EXPECT_EQ("10,20,30,255", rgbaAt(pCached, 1, 1));
}

TEST_F(AnimCommandTest, LoadAndInsertionPoints)
{
    // A picture with its own insertion point is used through a copy at (0, 0); "inspos" moves
    // the script's image object, which for other pictures is the cached one, so frames added
    // before it move too.
    addPicture("offset", 6, 4, 1, 2, 3);
    Image* pCachedOffset = m_env.getImage("offset").get();
    pCachedOffset->setInsPoint(5, 7);
    addScript("ins.anim", "load offset\n"
                          "load a\n"
                          "seq s\n"
                          "add offset\n"
                          "add a\n"
                          "inspos center bottom all\n"
                          "load b\n"
                          "inspos right-1 3 b\n"
                          "add b\n");
    RIR::SmartPtr<Animation> pAnim = load("ins.anim");
    Image* pOffset = pAnim->getFrameImage("s", 0).get();
    EXPECT_NE(pCachedOffset, pOffset);
    EXPECT_EQ(std::make_pair(3, 4), insOf(pOffset));
    EXPECT_EQ(std::make_pair(5, 7), insOf(pCachedOffset));
    EXPECT_EQ(m_env.getImage("a").get(), pAnim->getFrameImage("s", 1).get());
    EXPECT_EQ(std::make_pair(2, 2), insOf(m_env.getImage("a").get()));
    EXPECT_EQ(std::make_pair(3, 3), insOf(pAnim->getFrameImage("s", 2).get()));
}

TEST_F(AnimCommandTest, CloneRemoveAndSelection)
{
    addScript("select.anim", "load a\n"
                             "load b\n"
                             "clone a twin\n"
                             "remove b\n"
                             "remove ghost\n" // never loaded: nothing happens
                             "seq s\n"
                             "add all\n"
                             "remove ALL\n"
                             "load c\n"
                             "seq t\n"
                             "add All\n");
    RIR::SmartPtr<Animation> pAnim = load("select.anim");
    // The clone keeps its source's name and shares nothing the script could change.
    EXPECT_EQ((std::vector<std::string>{"a", "a"}), frameNames(pAnim.get(), "s"));
    EXPECT_NE(pAnim->getFrameImage("s", 0).get(), pAnim->getFrameImage("s", 1).get());
    EXPECT_EQ((std::vector<std::string>{"c"}), frameNames(pAnim.get(), "t"));
    // Frames keep their pictures after "remove".
    EXPECT_EQ(2, pAnim->getFrameCount("s"));
}

TEST_F(AnimCommandTest, PositionValuesOfTheScript)
{
    // A trimmed picture: 4 x 2 stored pixels at (2, 3) of a 10 x 8 canvas.
    addPicture("trim", 4, 2, 9, 9, 9);
    m_env.addText("trim.spec", "vcanvas 10 8 2 3");
    addScript("pos.anim", "load trim\n"
                          "load a\n"
                          "load b\n"
                          "load c\n"
                          "inspos contents_center contents_center+1 trim\n"
                          "inspos bottom -4 a\n"     // keywords are not tied to an axis
                          "inspos Center middle b\n" // nor is "Center" a keyword: 0
                          "inspos 10+2-3 right c\n"  // the offset starts at the first "+"
                          "seq s\n"
                          "add all\n");
    RIR::SmartPtr<Animation> pAnim = load("pos.anim");
    const std::pair<int, int> expected[] = {{4, 5}, {4, -4}, {0, 1}, {12, 2}};
    const char* apszNames[] = {"trim", "a", "b", "c"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], insOf(m_env.getImage(apszNames[i]).get())) << apszNames[i];
    EXPECT_EQ(4, pAnim->getFrameCount("s"));
}
