// Animation-script includes: nested and deep includes read in time proportional to their lines,
// a cycle is found at any depth, the lines one load may include are bounded, and errors raised
// inside included scripts name the script and the line. The scripts are made here in memory.
#include "gfx/animation.h"
#include "gfx/animationloader.h"
#include "gfx/animationparserexception.h"
#include "gfx/includestack.h"
#include "rir2/exception.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct Outcome
{
    std::string m_sClass;
    std::string m_sMessage;
    float m_fFps = -1.0f;
};

} // namespace

class AnimIncludeTest : public ::testing::Test
{
protected:
    AnimIncludeTest() : m_env(&m_factory) {}

    void addScript(const std::string& sName, const std::string& sText)
    {
        m_env.addText(sName.c_str(), sText.c_str());
    }

    // Scripts n0.anim to n<nCount - 1>.anim, each including the next nTimes times; the last one
    // sets the frame rate.
    void addNest(const char* pszPrefix, int nCount, int nTimes)
    {
        for (int i = 0; i + 1 < nCount; ++i)
        {
            std::string sText = "# level " + std::to_string(i) + "\n";
            for (int n = 0; n < nTimes; ++n)
                sText += "include " + name(pszPrefix, i + 1) + "\n";
            addScript(name(pszPrefix, i), sText);
        }
        addScript(name(pszPrefix, nCount - 1), "fps 12\n");
    }

    static std::string name(const char* pszPrefix, int i)
    {
        return pszPrefix + std::to_string(i) + ".anim";
    }

    Outcome load(const std::string& sName)
    {
        Outcome outcome;
        try
        {
            RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
            RIR::SmartPtr<Animation> pAnim = pLoader->load(sName.c_str());
            outcome.m_fFps = pAnim->getFPS();
        }
        catch (const RIR::Exception& e)
        {
            outcome.m_sClass = e.getClassName();
            outcome.m_sMessage = e.getMessage();
        }
        return outcome;
    }

    MemImageFactory m_factory;
    MemImageEnvironment m_env;
};

TEST_F(AnimIncludeTest, NestedAndDeepIncludesLoad)
{
    // 15 scripts each including the next twice: 2^14 includes of the last one.
    addNest("twice", 15, 2);
    // A chain 6000 scripts deep.
    addNest("deep", 6000, 1);
    for (const char* pszMain : {"twice0.anim", "deep0.anim"})
    {
        SCOPED_TRACE(pszMain);
        const Outcome outcome = load(pszMain);
        EXPECT_EQ("", outcome.m_sMessage);
        EXPECT_EQ(12.0f, outcome.m_fFps);
    }
}

TEST_F(AnimIncludeTest, CyclesAndTooManyIncludedLinesAreRefused)
{
    // A chain 3000 deep whose last script includes one in its middle; a script including itself
    // after it was included twice side by side (no cycle until then).
    addNest("loop", 3000, 1);
    addScript(name("loop", 2999), "fps 12\ninclude loop1500.anim\n");
    addScript("side.anim", "include leaf.anim\ninclude leaf.anim\ninclude side.anim\n");
    addScript("leaf.anim", "fps 5\n");
    // 18 scripts each including the next twice: more included lines than a load may read.
    addNest("many", 18, 2);

    struct Case
    {
        const char* pszMain;
        std::string sMessage;
    };
    // Lines are counted across includes: 2 in each of the 2999 scripts of the chain before the
    // last one's include.
    const Case aCases[] = {
        {"loop0.anim", "AnimationLoader : Include in loop0.anim, line 6000 : include cycle "
                       "through loop1500.anim"},
        {"side.anim", "AnimationLoader : Include in side.anim, line 5 : include cycle through "
                      "side.anim"},
        {"many0.anim", "AnimationLoader : Include in many0.anim, line 99990 : more than 100000 "
                       "included lines"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszMain);
        const Outcome outcome = load(c.pszMain);
        EXPECT_EQ("AnimationParserException", outcome.m_sClass);
        EXPECT_EQ(c.sMessage, outcome.m_sMessage);
    }
}

TEST_F(AnimIncludeTest, ErrorsInIncludedScriptsNameTheScriptAndLine)
{
    struct Case
    {
        const char* pszPart;
        const char* pszClass;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"if maybe\nendif\n", "FatalErrorException",
         "Condition doesn't evaluate to bool (in main.anim, line 3)"},
        {"if == a\nendif\n", "AssertFailException",
         "Assertion failed : lToks.getLength() >= (1) (in main.anim, line 3)"},
        {"endif\n", "AssertFailException",
         "Assertion failed : m_nIfBlockNesting > 0 (in main.anim, line 3)"},
        {"repeat\n", "FatalErrorException",
         "List index out of range : 1 (have 1) (in main.anim, line 3)"},
        {"mload pic 1\n", "FatalErrorException",
         "List index out of range : 1 (have 1) (in main.anim, line 3)"},
        {"include nowhere.anim\n", "ResourceException",
         "GameApp::getResource() : Resource 'nowhere.anim' not found (in main.anim, line 3)"},
        {"bogus\n", "AnimationParserException",
         "AnimationLoader : Unknown command 'bogus' in main.anim, line 3"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszPart);
        addScript("main.anim", "fps 10\ninclude part.anim\n");
        addScript("part.anim", c.pszPart);
        const Outcome outcome = load("main.anim");
        EXPECT_EQ(c.pszClass, outcome.m_sClass);
        EXPECT_EQ(c.pszMessage, outcome.m_sMessage);
    }
}

TEST(IncludeStackTest, HoldsTheCurrentSourceAndItsAncestors)
{
    IncludeStack stack;
    const int nMain = stack.addSource("main", -1);
    stack.enter(nMain);
    const int nA = stack.addSource("a", nMain);
    const int nEmpty = stack.addSource("empty", nMain); // included, but has no line
    EXPECT_FALSE(stack.isOpen("a"));
    stack.enter(nA);
    const int nB = stack.addSource("b", nA);
    stack.enter(nB);
    EXPECT_EQ(3, stack.getDepth());
    EXPECT_TRUE(stack.isOpen("main") && stack.isOpen("a") && stack.isOpen("b"));
    EXPECT_FALSE(stack.isOpen("empty"));
    // Back to a line of the first script: a and b are finished.
    stack.enter(nMain);
    EXPECT_EQ(1, stack.getDepth());
    EXPECT_FALSE(stack.isOpen("a") || stack.isOpen("b"));
    // The same script included again opens again.
    const int nA2 = stack.addSource("a", nMain);
    stack.enter(nA2);
    EXPECT_TRUE(stack.isOpen("a"));
    (void)nEmpty;
}
