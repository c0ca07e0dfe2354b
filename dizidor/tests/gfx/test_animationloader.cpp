// The animation script reader: lines and comments, parameters and defines, conditional blocks and
// their expressions, counted and repeated commands, includes, stepping, and the errors it reports.
// The commands themselves: test_animationloader_commands.cpp.
#include "test_animationloader_fixture.h"

#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <type_traits>

static_assert(std::is_base_of_v<RIR::RefCountedObject, AnimationLoader>, "shared by handles");
static_assert(!std::is_copy_constructible_v<AnimationLoader>, "one loader per script");
static_assert(std::is_base_of_v<RIR::Exception, AnimationParserException>, "a library error");

namespace
{

class AnimLoaderTest : public AnimScriptTest
{
protected:
    void SetUp() override
    {
        AnimScriptTest::SetUp();
        for (const char* pszName : {"a", "b", "c"})
            addPicture(pszName, 4, 2, 200, 0, 0);
        for (int i = 0; i <= 12; ++i)
        {
            addPicture(RIR::String::format("pic%d", i).c_str(), 4, 2, 0, 0, 200);
            addPicture(RIR::String::format("pic%02d", i).c_str(), 4, 2, 0, 200, 0);
        }
        addPicture("pic1_a", 4, 2, 1, 1, 1);
        addPicture("pic2_a", 4, 2, 2, 2, 2);
        addPicture("hat_red", 4, 2, 200, 0, 0);
        addPicture("hat_blue", 4, 2, 0, 0, 200);
        addPicture("walk_a", 4, 2, 10, 10, 10);
        addPicture("walk_b", 4, 2, 20, 20, 20);
    }

    // The lines each step reads, until the loader is done.
    std::vector<int> stepLines(const char* pszName)
    {
        RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
        pLoader->begin(pszName);
        std::vector<int> lines;
        while (!pLoader->isDone() && lines.size() < 1000)
            lines.push_back(pLoader->step());
        return lines;
    }
};

RIR::List<RIR::String> tokens(const char* pszText)
{
    return RIR::String(pszText).split(" ");
}

} // namespace

// ---- conditions ---------------------------------------------------------------------------------

TEST(AnimationConditionTest, ExpressionTable)
{
    struct Case
    {
        const char* pszCondition;
        bool bExpected;
    };
    const Case aCases[] = {
        {"true", true},
        {"false", false},
        {"not false", true},
        {"== a a", true},
        {"== 09 9", false}, // texts
        {"!= a b", true},
        {"< 9 10", true}, // integers
        {"<= 10 10", true},
        {"> 2 10", false},
        {">= -1 -2", true},
        {"and true false", false},
        {"or false true", true},
        {"and == x x or false true", true},
        {"( not ( == a b ) )", true}, // parentheses are dropped, not grouped
        {"or == a b == c c", true},
        {"and true maybe", false}, // "maybe" is only not "true"
        {"true trailing tokens", true},
    };
    for (const Case& c : aCases)
    {
        RIR::List<RIR::String> lToks = tokens(c.pszCondition);
        EXPECT_EQ(c.bExpected, AnimationLoader::evaluateCondition(lToks)) << c.pszCondition;
    }

    // Operands are evaluated left to right and each consumes its own tokens.
    RIR::List<RIR::String> lToks = tokens("== a a rest");
    EXPECT_EQ("true", std::string(AnimationLoader::evaluateExpression(lToks).c_str()));
    EXPECT_EQ(1, lToks.getLength());
    EXPECT_EQ("rest", std::string(lToks.get(0).c_str()));
}

TEST(AnimationConditionTest, BadConditionsRaise)
{
    struct Case
    {
        const char* pszCondition;
        const char* pszClass;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"maybe", "FatalErrorException", "Condition doesn't evaluate to bool"},
        {"not maybe", "FatalErrorException", "Condition doesn't evaluate to bool"},
        {"TRUE", "FatalErrorException", "Condition doesn't evaluate to bool"},
        {"== a", "AssertFailException", "Assertion failed : lToks.getLength() >= (1)"},
        {"", "AssertFailException", "Assertion failed : lToks.getLength() >= (1)"},
        {"( )", "AssertFailException", "Assertion failed : lToks.getLength() >= (1)"},
    };
    for (const Case& c : aCases)
    {
        RIR::List<RIR::String> lToks = tokens(c.pszCondition);
        try
        {
            AnimationLoader::evaluateCondition(lToks);
            ADD_FAILURE() << "nothing raised for '" << c.pszCondition << "'";
        }
        catch (const RIR::Exception& e)
        {
            EXPECT_STREQ(c.pszClass, e.getClassName()) << c.pszCondition;
            EXPECT_STREQ(c.pszMessage, e.getMessage()) << c.pszCondition;
        }
    }

    // A hostile nesting depth is refused instead of exhausting the stack.
    std::string sDeep;
    for (int i = 0; i < 5000; ++i)
        sDeep += "not ";
    sDeep += "true";
    RIR::List<RIR::String> lDeep = tokens(sDeep.c_str());
    EXPECT_THROW(AnimationLoader::evaluateCondition(lDeep), RIR::FatalErrorException);
}

TEST_F(AnimLoaderTest, ConditionalBlocksRunTheRightBranches)
{
    RIR::SmartPtr<Animation> pAnim = load("branches.anim", RIR::List<RIR::String>("hat", "5"));
    const std::vector<std::string> expected = {"elif_taken",      "expression", "first",
                                               "integer_compare", "not_or",     "outer_else",
                                               "upper_case_words"};
    std::vector<std::string> props = toVector(pAnim->getPropNames());
    std::sort(props.begin(), props.end());
    EXPECT_EQ(expected, props);

    // With other parameters the first block is skipped and the elif's branch is not taken.
    pAnim = load("branches.anim", RIR::List<RIR::String>("cap", "5"));
    EXPECT_FALSE(pAnim->hasProp("expression", false));
    EXPECT_FALSE(pAnim->hasProp("elif_taken", false));
}

// ---- lines, parameters, defines -----------------------------------------------------------------

TEST_F(AnimLoaderTest, ParametersAndDefinesAreSubstitutedInOrder)
{
    RIR::SmartPtr<Animation> pAnim = load("params.anim", RIR::List<RIR::String>("hat", "red"));
    // "(sz)" before its define stays as written; after "clearparams" "(0)" is left alone.
    EXPECT_STREQ("(sz)", pAnim->getProp("early").c_str());
    EXPECT_STREQ("(0)", pAnim->getFrameProp("hat", 1, "after_clear").c_str());
    // (0) hat, (1) red, and (2) from "param blue".
    EXPECT_EQ((std::vector<std::string>{"hat_red", "hat_blue"}), frameNames(pAnim.get(), "hat"));
    // The define reached the keyword's arguments: 32, 32.
    EXPECT_EQ(std::make_pair(32, 32), insOf(pAnim->getFrameImage("hat", 0).get()));
}

TEST_F(AnimLoaderTest, ParamTakesTheRestOfItsLine)
{
    // "parm" alone adds an empty parameter (never reading past its line); "repeat" does not
    // leak its own words into the value.
    addScript("param.anim", "parm\n"
                            "param  two words \n"
                            "repeat 2 parm x\n"
                            "prop p0 [(0)]\n"
                            "prop p1 [(1)]\n"
                            "prop p3 [(3)]\n"
                            "parms 4\n"
                            "clearparms\n"
                            "prop p4 [(0)]\n");
    RIR::SmartPtr<Animation> pAnim = load("param.anim");
    EXPECT_STREQ("[]", pAnim->getProp("p0").c_str());
    EXPECT_STREQ("[two", pAnim->getProp("p1").c_str()); // the value holds a blank
    EXPECT_STREQ("[x]", pAnim->getProp("p3").c_str());
    EXPECT_STREQ("[(0)]", pAnim->getProp("p4").c_str());
}

TEST_F(AnimLoaderTest, IncludedLinesComeFirstAndCountOn)
{
    RIR::SmartPtr<Animation> pAnim = load("include_main.anim");
    EXPECT_EQ((std::vector<std::string>{"b"}), frameNames(pAnim.get(), "part"));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), frameNames(pAnim.get(), "main"));

    // Line numbers run on across the included lines: 2 of main, 4 of the part (its blank line
    // is not counted), then main's own.
    addScript("include_count.anim", "include include_part.anim\n"
                                    "bogus\n");
    EXPECT_EQ("AnimationLoader : Unknown command 'bogus' in include_count.anim, line 6",
              errorOf("include_count.anim").m_sMessage);
}

// ---- counted and repeated commands --------------------------------------------------------------

TEST_F(AnimLoaderTest, CountedCommands)
{
    RIR::SmartPtr<Animation> pAnim = load("counted.anim");
    EXPECT_EQ((std::vector<std::string>{"pic01", "pic02", "pic03"}), frameNames(pAnim.get(), "up"));
    EXPECT_EQ((std::vector<std::string>{"pic3", "pic2", "pic1"}), frameNames(pAnim.get(), "down"));
    EXPECT_EQ((std::vector<std::string>{"pic1_a", "pic2_a"}),
              frameNames(pAnim.get(), "placeholder"));

    // "minspos center bottom pic 1 3" placed pic1 to pic3; the copies were made before it and
    // mirrored after (the insertion point mirrors to width - x).
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(std::make_pair(2, 2), insOf(pAnim->getFrameImage("down", i).get())) << i;
    EXPECT_EQ(std::make_pair(0, 0), insOf(pAnim->getFrameImage("up", 0).get()));
    for (int i = 0; i < 2; ++i)
    {
        Image* pCopy = pAnim->getFrameImage("flipped", i).get();
        bool bHorizontal = false;
        pCopy->getFlipFlags(&bHorizontal, nullptr);
        EXPECT_TRUE(bHorizontal) << i;
        EXPECT_EQ(std::make_pair(4, 0), insOf(pCopy)) << i;
        EXPECT_NE(pAnim->getFrameImage("down", 2 - i).get(), pCopy) << "a copy of pic" << i + 1;
    }
    // mblit drew pic1_a into frame1 and pic2_a into frame2, mvflip mirrored both.
    for (int i = 0; i < 2; ++i)
    {
        Image* pFrame = pAnim->getFrameImage("stamped", i).get();
        bool bVertical = false;
        pFrame->getFlipFlags(nullptr, &bVertical);
        EXPECT_TRUE(bVertical) << i;
        const std::string sGrey = std::to_string(i + 1);
        EXPECT_EQ(sGrey + "," + sGrey + "," + sGrey + ",255", rgbaAt(pFrame, 3, 1)) << i;
    }
}

TEST_F(AnimLoaderTest, ZeroFillAndSingleValueCounters)
{
    struct Case
    {
        const char* pszLine;
        std::vector<std::string> names;
    };
    const Case aCases[] = {
        {"madd pic 01 03", {"pic01", "pic02", "pic03"}},
        {"madd pic 1 03", {"pic01", "pic02", "pic03"}}, // either value asks for the fill
        {"madd pic 0 2", {"pic0", "pic1", "pic2"}},     // a plain "0" does not
        {"madd pic 10 12", {"pic10", "pic11", "pic12"}},
        {"madd pic 7 7", {"pic7"}},
        {"madd pic$ 2 1", {"pic2", "pic1"}},
    };
    for (const Case& c : aCases)
    {
        std::string sScript = "mload pic 0 12\nmload pic 00 12\nseq s\n";
        sScript += c.pszLine;
        addScript("one.anim", sScript.c_str());
        RIR::SmartPtr<Animation> pAnim = load("one.anim");
        EXPECT_EQ(c.names, frameNames(pAnim.get(), "s")) << c.pszLine;
    }
}

TEST_F(AnimLoaderTest, RepeatRunsTheRestOfTheLine)
{
    addScript("repeat.anim", "load a\n"
                             "seq three\n"
                             "repeat 3 add a\n"
                             "seq none\n"
                             "repeat 0 add a\n"
                             "repeat -2 bogus command\n"
                             "seq nested\n"
                             "REPEAT 2 repeat 3 add a repeat 2\n");
    RIR::SmartPtr<Animation> pAnim = load("repeat.anim");
    EXPECT_EQ(3, pAnim->getFrameCount("three"));
    EXPECT_EQ(0, pAnim->getFrameCount("none"));
    EXPECT_EQ((std::vector<int>(6, 2)), frameDurations(pAnim.get(), "nested"));
}

// ---- stepping -----------------------------------------------------------------------------------

TEST_F(AnimLoaderTest, PictureCommandsEndTheStep)
{
    // Ten "load" lines take ten steps of one line each.
    EXPECT_EQ(std::vector<int>(10, 1), stepLines("ten_loads.anim"));

    // mload: one picture per step (the set-up reads the line); madd adds all in one step,
    // together with the "seq" line before it.
    addScript("steps.anim", "mload pic 1 3\n"
                            "seq s\n"
                            "madd pic 1 3\n");
    EXPECT_EQ((std::vector<int>{1, 0, 0, 2}), stepLines("steps.anim"));

    // Lines that only declare run on together; comments and blanks count as read (the blank
    // line is no line at all).
    addScript("mixed.anim", "# header\n"
                            "seq s\n"
                            "\n"
                            "prop a 1\n"
                            "load a\n"
                            "add a\n"
                            "# trailer\n");
    EXPECT_EQ((std::vector<int>{4, 2}), stepLines("mixed.anim"));

    // More than 100 commands that go on end a step too.
    std::string sMany = "seq s\n";
    for (int i = 0; i < 250; ++i)
        sMany += "prop k v\n";
    addScript("many.anim", sMany.c_str());
    EXPECT_EQ((std::vector<int>{101, 101, 49}), stepLines("many.anim"));
}

TEST_F(AnimLoaderTest, StepWiseAndWholeLoadsAgree)
{
    RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
    pLoader->begin("walk.anim");
    EXPECT_EQ(19, pLoader->getLineCount()); // blank lines are no lines
    EXPECT_EQ(19, pLoader->getPendingLineCount());
    EXPECT_EQ("walk.anim", std::string(pLoader->getAnimation()->getName().c_str()));
    int nSteps = 0;
    int nLines = 0;
    while (!pLoader->isDone())
    {
        nLines += pLoader->step();
        ++nSteps;
    }
    EXPECT_EQ(19, nLines);
    EXPECT_EQ(5, nSteps); // ended by the two loads, "alias", "copyseq" and the script's end
    EXPECT_EQ(0, pLoader->step()) << "a finished loader does nothing";

    RIR::SmartPtr<Animation> pWhole = load("walk.anim");
    RIR::SmartPtr<Animation> pStepped = pLoader->getAnimation();
    EXPECT_EQ(toVector(pWhole->getSequenceNames()), toVector(pStepped->getSequenceNames()));
    for (const char* pszSeq : {"walk", "back", "idle"})
        EXPECT_EQ(frameNames(pWhole.get(), pszSeq), frameNames(pStepped.get(), pszSeq));
}

// ---- errors -------------------------------------------------------------------------------------

TEST_F(AnimLoaderTest, ErrorsNameTheScriptAndLine)
{
    struct Case
    {
        const char* pszScript;
        const char* pszClass;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"err_unknown.anim", "AnimationParserException",
         "AnimationLoader : Unknown command 'frobnicate' in err_unknown.anim, line 5"},
        {"err_tokens.anim", "AnimationParserException",
         "AnimationLoader : Command load in err_tokens.anim, line 1 : need 2 tokens"},
        {"err_image.anim", "AnimationParserException",
         "AnimationLoader : add in err_image.anim, line 3 : image ghost not found (seq walk)"},
        {"err_seq_token.anim", "AnimationParserException",
         "AnimationLoader : Seq in err_seq_token.anim, line 1 : error at token 12"},
        {"err_seq_fps.anim", "AnimationParserException",
         "AnimationLoader : Seq in err_seq_fps.anim, line 1 : error at token fps"},
        {"err_add_noseq.anim", "AnimationParserException",
         "AnimationLoader : Add in err_add_noseq.anim, line 2 : no current sequence"},
        {"err_add_token.anim", "AnimationParserException",
         "AnimationLoader : Add in err_add_token.anim, line 3 : error at token twice"},
        {"err_add_repeat0.anim", "AnimationParserException",
         "AnimationLoader : Add in err_add_repeat0.anim, line 3 : error at token 0"},
        {"err_add_repeat_last.anim", "AnimationParserException",
         "AnimationLoader : Add in err_add_repeat_last.anim, line 3 : error at token repeat"},
        {"err_params.anim", "AnimationParserException",
         "AnimationLoader : err_params.anim : expected at least 2 parameters, 1 found"},
        {"err_frameprop.anim", "FatalErrorException",
         "FramProp must be used inside sequence. (in err_frameprop.anim, line 1)"},
        {"err_bool.anim", "FatalErrorException",
         "Condition doesn't evaluate to bool (in err_bool.anim, line 1)"},
        {"err_not_bool.anim", "FatalErrorException",
         "Condition doesn't evaluate to bool (in err_not_bool.anim, line 1)"},
        {"err_short_condition.anim", "AssertFailException",
         "Assertion failed : lToks.getLength() >= (1) (in err_short_condition.anim, line 1)"},
        {"err_empty_condition.anim", "AssertFailException",
         "Assertion failed : lToks.getLength() >= (1) (in err_empty_condition.anim, line 1)"},
        {"err_endif.anim", "AssertFailException",
         "Assertion failed : m_nIfBlockNesting > 0 (in err_endif.anim, line 3)"},
        {"err_else.anim", "AssertFailException",
         "Assertion failed : m_nIfBlockNesting > 0 (in err_else.anim, line 1)"},
        {"err_elif.anim", "AssertFailException",
         "Assertion failed : m_nIfBlockNesting > 0 (in err_elif.anim, line 1)"},
        {"err_repeat_no_command.anim", "FatalErrorException",
         "List index out of range : 0 (have 0) (in err_repeat_no_command.anim, line 1)"},
        {"err_repeat_no_count.anim", "FatalErrorException",
         "List index out of range : 1 (have 1) (in err_repeat_no_count.anim, line 1)"},
        {"err_mload_short.anim", "FatalErrorException",
         "List index out of range : 1 (have 1) (in err_mload_short.anim, line 1)"},
        {"err_alias.anim", "FatalErrorException",
         "Hash key not found : \"\" (in err_alias.anim, line 2)"},
        {"err_copyseq.anim", "FatalErrorException",
         "Hash key not found : \"ghost\" (in err_copyseq.anim, line 1)"},
        {"err_include.anim", "ResourceException",
         "GameApp::getResource() : Resource 'nowhere.anim' not found (in err_include.anim, line "
         "1)"},
        // Scripts that end inside a skipped branch stop with an error instead of looping.
        {"err_open_if.anim", "AnimationParserException",
         "AnimationLoader : If in err_open_if.anim, line 4 : no endif before the end of the "
         "script"},
        {"err_open_else.anim", "AnimationParserException",
         "AnimationLoader : If in err_open_else.anim, line 5 : no endif before the end of the "
         "script"},
        // Include cycles stop at the include that closes them.
        {"cycle_self.anim", "AnimationParserException",
         "AnimationLoader : Include in cycle_self.anim, line 1 : include cycle through "
         "cycle_self.anim"},
        {"cycle_a.anim", "AnimationParserException",
         "AnimationLoader : Include in cycle_a.anim, line 4 : include cycle through cycle_a.anim"},
    };
    for (const Case& c : aCases)
    {
        const RaisedError error = errorOf(c.pszScript);
        EXPECT_EQ(c.pszClass, error.m_sClass) << c.pszScript;
        EXPECT_EQ(c.pszMessage, error.m_sMessage) << c.pszScript;
    }

    // A picture that does not exist: the image cache's error passes through.
    EXPECT_FALSE(errorOf("err_load.anim").m_sMessage.empty());
    // A missing script: the resource lookup's error.
    EXPECT_EQ("GameApp::getResource() : Resource 'missing.anim' not found",
              errorOf("missing.anim").m_sMessage);
}

TEST_F(AnimLoaderTest, IncludingAScriptTwiceIsNoCycle)
{
    addScript("twice.anim", "include include_part.anim\n"
                            "include include_part.anim\n");
    RIR::SmartPtr<Animation> pAnim = load("twice.anim");
    EXPECT_EQ(2, pAnim->getFrameCount("part"));
}

TEST_F(AnimLoaderTest, RunawayScriptsAreStopped)
{
    // Commands that would run without end, or lines that would grow without end, are refused
    // with an error naming the line.
    std::string sDoubling = "define d0 0123456789abcdef\n";
    for (int i = 1; i <= 20; ++i)
        sDoubling += "define d" + std::to_string(i) + " (d" + std::to_string(i - 1) + ")(d" +
                     std::to_string(i - 1) + ")\n";
    std::string sDoublingFrames = "load a\nseq s\nadd a\n";
    for (int i = 0; i < 15; ++i)
        sDoublingFrames += "copyseq s\n";
    struct Case
    {
        std::string sScript;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"seq s\nrepeat 10001 prop a b\n",
         "AnimationLoader : Repeat in guard.anim, line 2 : more than 10000 runs"},
        {"repeat 101 REPEAT 100 prop a b\n",
         "AnimationLoader : Repeat in guard.anim, line 1 : more than 10000 runs"},
        {"load a\nmclone a b$ 1 10001\n",
         "AnimationLoader : Command mclone in guard.anim, line 2 : more than 10000 runs"},
        {"load a\nmclone a b$ 0 -10000\n",
         "AnimationLoader : Command mclone in guard.anim, line 2 : more than 10000 runs"},
        {sDoubling, "AnimationLoader : Line 13 of guard.anim grows beyond 65536 characters by "
                    "substitution"},
        {sDoublingFrames, "AnimationLoader : copyseq in guard.anim, line 18 : more than 16384 "
                          "frames"},
    };
    for (const Case& c : aCases)
    {
        addScript("guard.anim", c.sScript.c_str());
        const RaisedError error = errorOf("guard.anim");
        EXPECT_EQ("AnimationParserException", error.m_sClass) << c.sScript.substr(0, 40);
        EXPECT_EQ(c.pszMessage, error.m_sMessage) << c.sScript.substr(0, 40);
    }

    // The limits themselves are allowed.
    addScript("limit.anim", "repeat 10000 prop a b\nload a\nmclone a b$ 1 10000\n");
    EXPECT_NO_THROW(load("limit.anim"));
}
