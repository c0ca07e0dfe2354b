// The sequences the game plays, against the animation scripts of the built packs.
//
// Every animation and body template the characters, props and effects use is loaded through the
// engine's animation loader (with the part strings the game passes), and each sequence the game
// plays on it must exist with the frame count, looping and frame properties the game relies on:
// the exactly nine leg frames of sitting down with their "chairpos", the drink arm's "take" before
// its "leave", the thrown mug's integer path properties on the "doaction" frame, the heroine's
// action markers on a frame other than the first, the guard's shot markers, and so on.
#include "loadedcontent.h"

#include "gfx/animation.h"
#include "gfx/image.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace
{

enum Where
{
    SOME_FRAME,   // on at least one frame
    NOT_FIRST,    // on at least one frame other than frame 0
    EVERY_FRAME,  // on every frame
    FIRST_FRAME,  // on frame 0
};

enum Value
{
    PRESENT, // any text
    NUMBER,  // a decimal number
    INTEGER, // a whole number
};

struct Marker
{
    const char* pszKey;
    Where eWhere;
    Value eValue;
};

enum Loop
{
    EITHER,
    ONCE,
    LOOPS,
};

// The facings a sequence is played in, as direction codes.
enum Codes
{
    NONE,      // the name is complete
    SIDE,      // body parts facing right and left: "r", "l"
    ALL,       // body parts in the four facings: "r", "l", "u", "d"
    ARMS_SIDE, // both arms facing right and left: "r_r", "l_r", "r_l", "l_l"
    ARMS_ALL,  // both arms in the four facings
};

struct SeqRule
{
    const char* pszName; // "{c}" stands for the direction code
    Codes eCodes;
    int nFrames; // the exact frame count; 0: at least one frame
    Loop eLoop;
    std::vector<Marker> lMarkers;
    // Arms: the markers must be on every arm's sequence (else on one arm of each facing).
    bool bEachArm = false;
    // Names appended to the sequence name, each of which must exist as well ("" the plain one).
    std::vector<std::string> lVariants = {""};
    // Integer properties the first "doaction" frame must carry.
    std::vector<const char*> lActionInts = {};
    // "take" comes on an earlier frame than "leave".
    bool bTakeBeforeLeave = false;
};

const std::vector<std::string> MUG_SUFFIXES = {"_0", "_1", "_2", "_3"};

std::vector<std::string> withPrefix(const char* pszPrefix, const std::vector<std::string>& l)
{
    std::vector<std::string> lOut;
    for (const std::string& s : l)
        lOut.push_back(pszPrefix + s);
    return lOut;
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- the rule families --------------------------------------------------------------------

std::vector<SeqRule> walking(Codes eCodes, std::vector<std::string> lVariants = {""})
{
    return {{"walk_{c}_1s", eCodes, 0, ONCE, {}, false, lVariants},
            {"walk_{c}_2s", eCodes, 0, ONCE, {}, false, lVariants},
            {"stand_{c}", eCodes, 0, EITHER, {}, false, lVariants}};
}

std::vector<SeqRule> operator+(std::vector<SeqRule> a, const std::vector<SeqRule>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<SeqRule> seatedNames(Codes eCodes)
{
    std::vector<SeqRule> l;
    for (const char* pszName : {"sitdown_{c}", "standup_{c}", "sit_idle_{c}", "ask_0_{c}",
                                "ask_1_{c}", "ask_2_{c}", "drink_{c}", "drink_fast_{c}",
                                "throw_{c}", "fight_{c}"})
        l.push_back({pszName, eCodes, 0, EITHER, {}});
    return l;
}

// A customer's legs: sitting down and up in exactly nine frames that pull the chair.
std::vector<SeqRule> customerLegs()
{
    const Marker chair = {"chairpos", EVERY_FRAME, NUMBER};
    return walking(ALL) + seatedNames(SIDE) +
           std::vector<SeqRule>{
               {"sitdown_{c}", SIDE, 9, ONCE, {chair, {"playsound", SOME_FRAME, PRESENT}}},
               {"standup_{c}", SIDE, 9, ONCE, {chair}}};
}

std::vector<SeqRule> customerBody() { return walking(ALL) + seatedNames(SIDE); }

// A customer's arms: asking, drinking (with the mug's drinking variants) and throwing.
std::vector<SeqRule> customerArms()
{
    const std::vector<std::string> drinkVariants = {"", "_3_2", "_2_1", "_1_0"};
    return walking(ARMS_ALL) + seatedNames(ARMS_SIDE) +
           std::vector<SeqRule>{
               {"ask_0_{c}", ARMS_SIDE, 0, ONCE, {{"endseq", SOME_FRAME, PRESENT}}},
               {"ask_1_{c}", ARMS_SIDE, 0, ONCE, {{"endseq", SOME_FRAME, PRESENT}}},
               {"ask_2_{c}", ARMS_SIDE, 0, ONCE, {{"sound", SOME_FRAME, PRESENT}}},
               {"drink_{c}", ARMS_SIDE, 0, ONCE,
                {{"take", SOME_FRAME, PRESENT}, {"leave", NOT_FIRST, PRESENT}}, false,
                drinkVariants, {}, true},
               {"drink_fast_{c}", ARMS_SIDE, 0, ONCE,
                {{"take", SOME_FRAME, PRESENT}, {"leave", NOT_FIRST, PRESENT}}, false,
                drinkVariants, {}, true},
               {"throw_{c}", ARMS_SIDE, 0, ONCE,
                {{"take", SOME_FRAME, PRESENT}, {"doaction", NOT_FIRST, PRESENT}}, false, {""},
                {"mugx", "mugy", "landx", "landy", "miny"}},
               {"fight_{c}", ARMS_SIDE, 0, ONCE, {}}};
}

// The mug held in the hand: drawn only while drinking and throwing. For every other name the
// layer has no sequence, which hides it (a sprite without its sequence shows nothing).
std::vector<SeqRule> customerBottle()
{
    const std::vector<std::string> drinkVariants = {"", "_3_2", "_2_1", "_1_0"};
    return {{"drink_{c}", ARMS_SIDE, 0, ONCE, {}, false, drinkVariants},
            {"drink_fast_{c}", ARMS_SIDE, 0, ONCE, {}, false, drinkVariants},
            {"throw_{c}", ARMS_SIDE, 0, ONCE, {}}};
}

// Layers of the head part. The character waits for the ends of the arms and the torso only, so a
// head layer may loop where the body plays a sequence once (the heads are one still picture).
std::vector<SeqRule> onHead(std::vector<SeqRule> l)
{
    for (SeqRule& rule : l)
        rule.eLoop = EITHER;
    return l;
}

std::vector<SeqRule> thief(Codes eCodes)
{
    return walking(eCodes) +
           std::vector<SeqRule>{{"startsteal_{c}", eCodes == ALL ? SIDE : ARMS_SIDE, 0, ONCE, {}},
                                {"steal_{c}", eCodes == ALL ? SIDE : ARMS_SIDE, 0, ONCE, {}},
                                {"endsteal_{c}", eCodes == ALL ? SIDE : ARMS_SIDE, 0, ONCE, {}}};
}

std::vector<SeqRule> cow()
{
    return walking(ALL) + std::vector<SeqRule>{{"sitdown_{c}", SIDE, 0, ONCE, {}},
                                               {"sitting_{c}", SIDE, 0, ONCE, {}},
                                               {"standup_{c}", SIDE, 0, ONCE, {}}};
}

// The heroine's legs: walking and standing, and the legs of stopping a fight.
std::vector<SeqRule> heroineLegs()
{
    return walking(ALL) + std::vector<SeqRule>{{"stopfight_{c}", ALL, 0, ONCE, {}}};
}

// The heroine's arms: empty, carrying a mug of each look, taking and leaving with the action
// marker after the first frame, and stopping fights.
std::vector<SeqRule> heroineArms()
{
    const std::vector<std::string> carry = joined({""}, withPrefix("_carry", MUG_SUFFIXES));
    const std::vector<std::string> all = joined(carry, MUG_SUFFIXES);
    const Marker action = {"doaction", NOT_FIRST, PRESENT};
    return walking(ARMS_ALL, carry) +
           std::vector<SeqRule>{
               {"take_{c}", ARMS_ALL, 0, ONCE, {action}, true, all},
               {"leave_{c}", ARMS_ALL, 0, ONCE, {action}, true, all},
               {"stopfight_fast_{c}", ARMS_SIDE, 0, ONCE, {action}, true},
               {"stopfight_wait_{c}", ARMS_SIDE, 0, ONCE, {action}, true},
               {"stopfight_swap_{c}", ARMS_SIDE, 0, ONCE, {action}, true,
                withPrefix("_carry", MUG_SUFFIXES)}};
}

// The guard: every layer prefix plays the same names; the shot's markers come after the first
// frame of "fire".
std::vector<SeqRule> guard(const char* pszPrefix, bool bDog)
{
    const std::string p = pszPrefix;
    static std::vector<std::string> s_names; // keeps the composed names alive
    auto name = [&](const char* pszName) {
        s_names.push_back(p + pszName);
        return s_names.back().c_str();
    };
    s_names.reserve(1000);
    std::vector<Marker> fire = {{"playsound", NOT_FIRST, PRESENT},
                                {"bang", NOT_FIRST, PRESENT},
                                {"doaction", NOT_FIRST, PRESENT}};
    std::vector<SeqRule> l = {{name("idle"), NONE, 0, EITHER, {}},
                              {name("sleep"), NONE, 0, ONCE, {}},
                              {name("sleeping"), NONE, 0, EITHER, {}},
                              {name("wakeup"), NONE, 0, ONCE, {}},
                              {name("start"), NONE, 0, ONCE, {}},
                              {name("fire"), NONE, 0, ONCE, fire},
                              {name("end"), NONE, 0, ONCE, {}}};
    if (bDog)
    {
        l[4].lMarkers.push_back({"showweapon", SOME_FRAME, PRESENT});
        l[6].lMarkers.push_back({"hideweapon", SOME_FRAME, PRESENT});
    }
    return l;
}

std::vector<SeqRule> mariachi()
{
    std::vector<SeqRule> l;
    for (const char* pszPrefix : {"torso_", "canana_", "lh_", "rh_", "ra_"})
        l = l + guard(pszPrefix, false);
    return l;
}

std::vector<SeqRule> names(std::vector<const char*> lNames, Loop eLoop = EITHER,
                           std::vector<Marker> lMarkers = {})
{
    std::vector<SeqRule> l;
    for (const char* pszName : lNames)
        l.push_back({pszName, NONE, 0, eLoop, lMarkers});
    return l;
}

std::vector<SeqRule> mug()
{
    std::vector<SeqRule> l = names({"0", "1", "2", "3"}, EITHER,
                                   {{"suffix", FIRST_FRAME, PRESENT},
                                    {"uiimage", FIRST_FRAME, PRESENT}});
    return l;
}

std::vector<SeqRule> botellaTrash()
{
    return names({"throw_r", "throw_l"}, EITHER, {{"playsound", SOME_FRAME, PRESENT}}) +
           names({"fade_r", "fade_l"}, ONCE);
}

struct AnimRule
{
    const char* pszAnim; // "file|part|part...", "~" a blank
    std::vector<SeqRule> lRules;
};

// Test names and failure output show the animation and its parts, not the rule's bytes.
void PrintTo(const AnimRule& rule, std::ostream* pOut) { *pOut << rule.pszAnim; }

const std::vector<AnimRule>& animRules()
{
    static const std::vector<AnimRule> s_lRules = {
        // the customers' legs, body and arms as the level composes them
        {"hx_pant.template|1|", customerLegs()},
        {"hx_pant.template|4|remap~rrr~all", customerLegs()},
        {"hx_botas.template|2|", customerLegs()},
        {"hx_shadow.anim", customerLegs() + heroineLegs()},
        {"hx_torso.template|1|1|", customerBody()},
        {"hx_torso.template|f|x|", customerBody()},
        {"hx_cuello.template|2|2|", customerBody()},
        {"hx_chale.template|1|2|", customerBody()},
        {"hx_cint.anim", customerBody()},
        {"hr_cint.anim", customerBody()},
        {"hx_head.template|3|1|0|2|a", onHead(customerBody())},
        {"hx_skin.template|3|1|0|2|a|3", onHead(customerBody())},
        {"hx_brazos.template|2|1", customerArms()},
        {"hx_mangas.template|1|2|", customerArms()},
        {"hx_bottle.anim", customerBottle()},
        // the sheriff and the thief
        {"hs_torso.anim", walking(ALL)},
        {"hs_cuello.anim", walking(ALL)},
        {"hs_mangas.anim", walking(ARMS_ALL)},
        {"hl_torso.anim", thief(ALL)},
        {"hl_cuello.anim", thief(ALL)},
        {"hl_cint.anim", thief(ALL)},
        {"hl_mangas.anim", thief(ARMS_ALL)},
        {"hl_hat.anim", onHead(thief(ALL))},
        {"hl_panu.anim", onHead(thief(ALL))},
        {"hx_pant.template|4|", thief(ALL)},
        {"hx_brazos.template|1|1", thief(ARMS_ALL)},
        // the cow
        {"cow_walk.template|-1|patai", cow()},
        {"cow_walk.template|1|patad", cow()},
        {"cow_walk.template|3|head", cow()},
        {"cow_walk.template|2|cuello", cow()},
        {"cow_walk.template|2|cola", cow()},
        {"cow_torso.anim", cow()},
        {"cow_shadow.anim", cow()},
        // the heroine in every outfit number
        {"w1_pant.anim|1", heroineLegs()},
        {"w1_pant.anim|5", heroineLegs()},
        {"wx_legs.anim", heroineLegs()},
        {"w1_botas.anim|1", heroineLegs()},
        {"w1_botas.anim|5", heroineLegs()},
        {"w1_torso.anim|1|1", walking(ALL)},
        {"w1_torso.anim|3|2", walking(ALL)},
        {"w1_torso.anim|5|5", walking(ALL)},
        {"wx_eye.anim", walking(ALL)},
        {"wx_brazos.anim", heroineArms()},
        {"wx_hand.anim|1|1", heroineArms()},
        {"wx_hand.anim|4|4", heroineArms()},
        {"w1_mangas.anim|2|1", heroineArms()},
        {"w1_mangas.anim|5|5", heroineArms()},
        // the guards, the pianist
        {"mariachi.anim", mariachi()},
        {"dog.anim", guard("", true)},
        {"pianista.anim", names({"torso", "botad", "botai", "brazod", "brazoi"})},
        // props and effects
        {"mug.anim", mug()},
        {"balloons.anim",
         names({"ask_0_r", "ask_0_l", "ask_1_r", "ask_1_l", "ask_2_r", "ask_2_l", "insult_0_r",
                "insult_0_l", "insult_1_r", "insult_1_l", "insult_2_r", "insult_2_l",
                "insult_3_r", "insult_3_l", "insult_4_r", "insult_4_l", "insult_5_r",
                "insult_5_l"})},
        {"exclamation.anim",
         names({"excl_0", "excl_1", "excl_2"}, EITHER, {{"ydelta", EVERY_FRAME, INTEGER}})},
        {"botella_trash.anim", botellaTrash()},
        {"shoothim.anim", names({"hint"}, LOOPS)},
    };
    return s_lRules;
}

std::vector<std::vector<std::string>> codeGroups(Codes eCodes)
{
    switch (eCodes)
    {
    case NONE:
        return {{""}};
    case SIDE:
        return {{"r"}, {"l"}};
    case ALL:
        return {{"r"}, {"l"}, {"u"}, {"d"}};
    case ARMS_SIDE:
        return {{"r_r", "l_r"}, {"r_l", "l_l"}};
    case ARMS_ALL:
        return {{"r_r", "l_r"}, {"r_l", "l_l"}, {"r_u", "l_u"}, {"r_d", "l_d"}};
    }
    return {};
}

std::string expanded(const char* pszPattern, const std::string& sCode)
{
    std::string s = pszPattern;
    const size_t n = s.find("{c}");
    if (n != std::string::npos)
        s.replace(n, 3, sCode);
    return s;
}

bool isNumber(const std::string& s, bool bInteger)
{
    if (s.empty())
        return false;
    char* pEnd = nullptr;
    if (bInteger)
        std::strtol(s.c_str(), &pEnd, 10);
    else
        std::strtod(s.c_str(), &pEnd);
    return *pEnd == '\0';
}

// The frames of the sequence that carry the marker with a value of its kind.
std::vector<int> markedFrames(const Animation& anim, const std::string& sSeq, const Marker& m)
{
    std::vector<int> lFrames;
    const int nFrames = anim.getFrameCount(sSeq.c_str());
    for (int i = 0; i < nFrames; ++i)
    {
        if (!anim.hasFrameProp(sSeq.c_str(), i, m.pszKey))
            continue;
        const std::string sValue = anim.getFrameProp(sSeq.c_str(), i, m.pszKey).c_str();
        if ((m.eValue == NUMBER && !isNumber(sValue, false)) ||
            (m.eValue == INTEGER && !isNumber(sValue, true)))
            continue;
        lFrames.push_back(i);
    }
    return lFrames;
}

// The problem with the marker on the sequence; "" when it is where the game needs it.
std::string markerProblem(const Animation& anim, const std::string& sSeq, const Marker& m)
{
    const std::vector<int> lFrames = markedFrames(anim, sSeq, m);
    const int nFrames = anim.getFrameCount(sSeq.c_str());
    const std::string sKey = std::string("\"") + m.pszKey + "\"";
    switch (m.eWhere)
    {
    case SOME_FRAME:
        return lFrames.empty() ? "has no frame with " + sKey : "";
    case NOT_FIRST:
        return (lFrames.empty() || lFrames.back() == 0) ? "has no frame after the first with " + sKey
                                                        : "";
    case EVERY_FRAME:
        return (int)lFrames.size() != nFrames ? "lacks " + sKey + " on some frame" : "";
    case FIRST_FRAME:
        return (lFrames.empty() || lFrames[0] != 0) ? "lacks " + sKey + " on frame 0" : "";
    }
    return "";
}

// The problems of one rule on one sequence name (every arm of a facing given in lNames).
void checkRule(const Animation& anim, const SeqRule& rule, const std::vector<std::string>& lNames,
               std::vector<std::string>& lProblems)
{
    std::vector<std::string> lPresent;
    for (const std::string& sSeq : lNames)
    {
        if (!anim.hasSequence(sSeq.c_str()))
        {
            lProblems.push_back(sSeq + " is missing");
            continue;
        }
        lPresent.push_back(sSeq);
        const int nFrames = anim.getFrameCount(sSeq.c_str());
        if (rule.nFrames > 0 && nFrames != rule.nFrames)
            lProblems.push_back(sSeq + " has " + std::to_string(nFrames) + " frames, not " +
                                std::to_string(rule.nFrames));
        if (nFrames == 0)
            lProblems.push_back(sSeq + " has no frame");
        const bool bLoop = anim.getSequenceLoop(sSeq.c_str());
        if ((rule.eLoop == ONCE && bLoop) || (rule.eLoop == LOOPS && !bLoop))
            lProblems.push_back(sSeq + (bLoop ? " loops" : " does not loop"));
        if (rule.bTakeBeforeLeave)
        {
            const std::vector<int> lTake = markedFrames(anim, sSeq, {"take", SOME_FRAME, PRESENT});
            const std::vector<int> lLeave =
                markedFrames(anim, sSeq, {"leave", SOME_FRAME, PRESENT});
            if (!lTake.empty() && !lLeave.empty() && lTake[0] >= lLeave[0])
                lProblems.push_back(sSeq + " leaves the mug before it takes it");
        }
        if (!rule.lActionInts.empty())
        {
            const std::vector<int> lAction =
                markedFrames(anim, sSeq, {"doaction", SOME_FRAME, PRESENT});
            for (const char* pszKey : rule.lActionInts)
                if (!lAction.empty() &&
                    !isNumber(anim.getFrameProp(sSeq.c_str(), lAction[0], pszKey).c_str(), true))
                    lProblems.push_back(sSeq + " has no integer \"" + pszKey +
                                        "\" on its \"doaction\" frame");
        }
    }
    // Markers: on each sequence, or for arms on one of the facing's two arms at least.
    for (const Marker& m : rule.lMarkers)
    {
        std::vector<std::string> lMissing;
        for (const std::string& sSeq : lPresent)
        {
            const std::string sProblem = markerProblem(anim, sSeq, m);
            if (!sProblem.empty())
                lMissing.push_back(sSeq + " " + sProblem);
        }
        const bool bOneIsEnough = lNames.size() > 1 && !rule.bEachArm;
        if (bOneIsEnough && lMissing.size() < lPresent.size())
            continue;
        lProblems.insert(lProblems.end(), lMissing.begin(), lMissing.end());
    }
}

std::vector<std::string> splitParts(const std::string& sText)
{
    std::vector<std::string> lWords(1);
    for (char c : sText)
    {
        if (c == '|')
            lWords.emplace_back();
        else
            lWords.back() += (c == '~') ? ' ' : c;
    }
    return lWords;
}

class SequencesOf : public testing::TestWithParam<AnimRule>
{
};

TEST_P(SequencesOf, ArePlayable)
{
    const AnimRule& rule = GetParam();
    const std::vector<std::string> lWords = splitParts(rule.pszAnim);
    RIR::List<RIR::String> lParts;
    for (size_t i = 1; i < lWords.size(); ++i)
        lParts.append(RIR::String(lWords[i].c_str()));
    RIR::SmartPtr<Animation> pAnim;
    try
    {
        pAnim = content().app().getAnimation(lWords[0].c_str(),
                                             (std::string("seq:") + rule.pszAnim).c_str(), lParts);
    }
    catch (const RIR::Exception& e)
    {
        FAIL() << rule.pszAnim << " fails to load: " << e.getMessage();
    }
    ASSERT_TRUE(pAnim);
    std::vector<std::string> lProblems;
    for (const SeqRule& seqRule : rule.lRules)
        for (const std::vector<std::string>& lCodes : codeGroups(seqRule.eCodes))
            for (const std::string& sVariant : seqRule.lVariants)
            {
                std::vector<std::string> lNames;
                for (const std::string& sCode : lCodes)
                    lNames.push_back(expanded(seqRule.pszName, sCode) + sVariant);
                checkRule(*pAnim, seqRule, lNames, lProblems);
            }
    for (const std::string& sProblem : lProblems)
        ADD_FAILURE() << rule.pszAnim << ": " << sProblem;
}

std::string ruleName(const testing::TestParamInfo<AnimRule>& info)
{
    std::string s;
    for (const char* p = info.param.pszAnim; *p; ++p)
        s += std::isalnum((unsigned char)*p) ? *p : '_';
    return s + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Cast, SequencesOf, testing::ValuesIn(animRules()), ruleName);

// Each mug look names a HUD picture that exists.
TEST(PropSequences, MugLooksNameTheirPictures)
{
    GameApp& app = content().app();
    RIR::SmartPtr<Animation> pMug = app.getAnimation("mug.anim", "seq:mug", RIR::List<RIR::String>());
    for (const char* pszSeq : {"0", "1", "2", "3"})
    {
        const RIR::String sPicture = pMug->getFrameProp(pszSeq, 0, "uiimage");
        EXPECT_TRUE(app.canLoadImage(sPicture.c_str()))
            << "mug.anim " << pszSeq << " names the missing picture " << sPicture.c_str();
    }
}

// Speech balloons are large enough for an insult's text.
TEST(PropSequences, BalloonsHoldInsults)
{
    GameApp& app = content().app();
    RIR::SmartPtr<Animation> pBalloons = app.getAnimation("balloons.anim", "seq:balloons", RIR::List<RIR::String>());
    for (const char* pszSeq : {"insult_0_r", "insult_3_l", "insult_5_r"})
    {
        RIR::SmartPtr<Image> pImage = pBalloons->getFrameImage(pszSeq, 0);
        ASSERT_TRUE(pImage) << pszSeq;
        EXPECT_GE(pImage->getWidth(), 146) << pszSeq;
        EXPECT_GE(pImage->getHeight(), 34) << pszSeq;
    }
}

} // namespace
