// The level's small rules: the cash bag's fill level, the fade of rising texts, the insult
// lines and their rotation, panning by screen position and the crowd murmur's loudness.
#include "level/cashbag.h"
#include "level/crowdmurmur.h"
#include "level/diffmanager.h"
#include "level/fadealpha.h"
#include "level/insultrotation.h"
#include "level/soundpan.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

TEST(CashBagTest, FillLevels)
{
    EXPECT_EQ(1500, cashBagGoal(DifficultyManager(GT_STORY, 180, 0, 1)));
    EXPECT_EQ(0, cashBagGoal(DifficultyManager(GT_STORY, 180, 0, 0)));
    EXPECT_EQ(5000, cashBagGoal(DifficultyManager(GT_TIMED, 600, 2, 40)));
    EXPECT_EQ(5000, cashBagGoal(DifficultyManager(GT_CAMPAIGN, 90, 0, 0)));
    const struct
    {
        int nCash;
        int nGoal;
        int nLevel;
    } aCases[] = {{0, 1500, 0},   {149, 1500, 0},  {150, 1500, 1},  {299, 1500, 1},
                  {300, 1500, 2}, {1349, 1500, 8}, {1350, 1500, 9}, {99999, 1500, 9},
                  {499, 5000, 0}, {500, 5000, 1},  {4500, 5000, 9}, {0, 0, 0},
                  {500, 9, 0},    {-10, 1500, 0}};
    for (const auto& c : aCases)
        EXPECT_EQ(c.nLevel, cashBagLevel(c.nCash, c.nGoal)) << c.nCash << " of " << c.nGoal;
}

TEST(FadeAlphaTest, TenSlicesFrom225ToZero)
{
    const struct
    {
        float fElapsed;
        float fDuration;
        int nLevel;
    } aCases[] = {{0.0f, 1.0f, 225}, {0.01f, 1.0f, 225}, {0.099f, 1.0f, 225}, {0.1f, 1.0f, 200},
                  {0.5f, 1.0f, 100}, {0.899f, 1.0f, 25}, {0.9f, 1.0f, 0},     {0.999f, 1.0f, 0},
                  {1.0f, 1.0f, 0},   {5.0f, 1.0f, 0},    {-1.0f, 1.0f, 225},  {1.0f, 2.0f, 100},
                  {0.5f, 0.0f, 0},   {0.0f, -1.0f, 0}};
    for (const auto& c : aCases)
        EXPECT_EQ(c.nLevel, fadeAlphaLevel(c.fElapsed, c.fDuration))
            << c.fElapsed << " of " << c.fDuration;
}

namespace
{
RIR::List<RIR::String> insultLines(int nCount)
{
    RIR::List<RIR::String> lLines;
    for (int i = 0; i < nCount; ++i)
        lLines.append(RIR::String::format("insult %d", i));
    return lLines;
}
} // namespace

TEST(InsultRotationTest, FifteenOrMoreRotate)
{
    RIR::Random random;
    random.seed(4);
    for (int nCount : {15, 16, 40})
    {
        RIR::List<RIR::String> lLines = insultLines(nCount);
        RIR::String sLast;
        for (int i = 0; i < 500; ++i)
        {
            const RIR::String sFirst = lLines.get(0);
            const RIR::String sLine = nextInsult(lLines, random);
            EXPECT_TRUE(sLine == sFirst);
            EXPECT_FALSE(sLine == sLast) << "the same line twice in a row";
            // The line just used went to index 10 or later.
            int nAt = -1;
            for (int j = 0; j < lLines.getLength(); ++j)
                if (lLines.get(j) == sLine)
                    nAt = j;
            EXPECT_GE(nAt, 10);
            EXPECT_EQ(nCount, lLines.getLength());
            sLast = sLine;
        }
    }
}

TEST(InsultRotationTest, FewLinesPickAtRandomAndEmptyGivesNothing)
{
    RIR::Random random;
    random.seed(8);
    RIR::List<RIR::String> lLines = insultLines(14);
    std::set<std::string> seen;
    bool bRepeat = false;
    RIR::String sLast;
    for (int i = 0; i < 400; ++i)
    {
        const RIR::String sLine = nextInsult(lLines, random);
        seen.insert(sLine.c_str());
        bRepeat = bRepeat || sLine == sLast;
        sLast = sLine;
    }
    EXPECT_EQ(14u, seen.size());
    EXPECT_TRUE(bRepeat); // allowed with 14 lines or fewer
    for (int i = 0; i < 14; ++i)
        EXPECT_TRUE(lLines.get(i) == RIR::String::format("insult %d", i)); // order kept

    RIR::List<RIR::String> lNone;
    EXPECT_STREQ("", nextInsult(lNone, random).c_str());
    RIR::List<RIR::String> lOne = insultLines(1);
    EXPECT_STREQ("insult 0", nextInsult(lOne, random).c_str());
}

TEST(InsultRotationTest, ReadLinesTrimmedBlanksDroppedThenShuffled)
{
    const struct
    {
        const char* pszText;
        std::multiset<std::string> lines; // empty: the text is refused
    } aCases[] = {
        {"one\r\ntwo\nthree\n\nfour\n", {"one", "two", "three", "four"}},
        {"  Spaced out! \t\r\n\rLast", {"Spaced out!", "Last"}},
        // A line of blanks says nothing: dropped like an empty one.
        {"a\n   \n\t\nb", {"a", "b"}},
        {"same\nsame\n", {"same", "same"}},
        {"", {}},
        {"\r\n\n", {}},
        {" \t \r\n  \n", {}},
    };
    for (const auto& c : aCases)
    {
        RIR::Random random;
        random.seed(3);
        std::multiset<std::string> read;
        try
        {
            const RIR::List<RIR::String> lLines = readInsults(c.pszText, random);
            for (int i = 0; i < lLines.getLength(); ++i)
                read.insert(lLines.get(i).c_str());
            EXPECT_FALSE(c.lines.empty()) << "accepted: " << c.pszText;
        }
        catch (const RIR::FatalErrorException& e)
        {
            EXPECT_STREQ("insults.txt has no lines\n", e.getMessage());
        }
        EXPECT_EQ(c.lines, read) << "text: " << c.pszText;
    }
    RIR::Random random;
    EXPECT_THROW(readInsults(nullptr, random), RIR::FatalErrorException);

    // The shipped size: every line kept, in a shuffled order that follows the seed.
    std::string sText;
    for (int i = 0; i < 36; ++i)
        sText += "insult " + std::to_string(i) + "\r\n";
    random.seed(5);
    const RIR::List<RIR::String> lFirst = readInsults(sText.c_str(), random);
    random.seed(5);
    const RIR::List<RIR::String> lAgain = readInsults(sText.c_str(), random);
    ASSERT_EQ(36, lFirst.getLength());
    int nInPlace = 0;
    for (int i = 0; i < 36; ++i)
    {
        EXPECT_TRUE(lFirst.get(i) == lAgain.get(i));
        nInPlace += lFirst.get(i) == RIR::String::format("insult %d", i) ? 1 : 0;
    }
    EXPECT_LT(nInPlace, 10) << "shuffled";

    // The order is the one of 1000 swaps of two random lines, each pair drawn in turn.
    std::vector<int> anOrder(36);
    for (int i = 0; i < 36; ++i)
        anOrder[(size_t)i] = i;
    random.seed(5);
    for (int n = 0; n < 1000; ++n)
    {
        const int nA = random.range(0, 35);
        const int nB = random.range(0, 35);
        std::swap(anOrder[(size_t)nA], anOrder[(size_t)nB]);
    }
    for (int i = 0; i < 36; ++i)
        EXPECT_STREQ(RIR::String::format("insult %d", anOrder[(size_t)i]).c_str(),
                     lFirst.get(i).c_str())
            << i;
}

TEST(SoundPanTest, ScreenXToPan)
{
    const struct
    {
        int nX;
        int nPan;
    } aCases[] = {{400, 127}, {-50, 0}, {950, 255}, {0, 0},       {800, 255},
                  {799, 254}, {1, 0},   {4, 1},     {-100000, 0}, {100000, 255}};
    for (const auto& c : aCases)
        EXPECT_EQ(c.nPan, panForX(c.nX)) << c.nX;
}

TEST(CrowdMurmurTest, TargetByTakenChairs)
{
    const float afTarget[] = {0.0f, 0.0f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f,
                              0.7f, 0.8f, 0.9f, 1.0f, 1.0f, 1.0f};
    for (int n = 0; n < 13; ++n)
        EXPECT_FLOAT_EQ(afTarget[n], CrowdMurmur::targetFor(n)) << n;
    EXPECT_EQ(0.0f, CrowdMurmur::targetFor(-3));
}

TEST(CrowdMurmurTest, RampsTenSecondsFromSilentToFullAndBack)
{
    CrowdMurmur murmur;
    // The first frame chooses the target and does not move.
    EXPECT_FALSE(murmur.update(0.01f, 10));
    EXPECT_EQ(1.0f, murmur.getTarget());
    EXPECT_EQ(0.0f, murmur.getVolume());
    EXPECT_EQ(5.0f, murmur.getTimer());

    float fTime = 0.0f;
    int nChanges = 0;
    while (murmur.getVolume() < 1.0f && fTime < 20.0f)
    {
        const float fBefore = murmur.getVolume();
        if (murmur.update(0.01f, 10))
            ++nChanges;
        EXPECT_LE(murmur.getVolume() - fBefore, 0.1f * 0.01f + 1e-6f);
        EXPECT_LE(murmur.getVolume(), 1.0f); // never past the target
        fTime += 0.01f;
    }
    EXPECT_NEAR(10.0f, fTime, 0.1f);
    EXPECT_GT(nChanges, 900);
    EXPECT_FALSE(murmur.update(0.01f, 10)); // at the target: no change to report

    // The chairs empty: the next target is silence, reached ten seconds later.
    for (int i = 0; i < 600 && murmur.getTarget() > 0.0f; ++i)
        murmur.update(0.01f, 1);
    EXPECT_EQ(0.0f, murmur.getTarget());
    fTime = 0.0f;
    while (murmur.getVolume() > 0.0f && fTime < 20.0f)
    {
        murmur.update(0.01f, 1);
        EXPECT_GE(murmur.getVolume(), 0.0f);
        fTime += 0.01f;
    }
    EXPECT_NEAR(10.0f, fTime, 0.1f);
}

TEST(CrowdMurmurTest, TargetIsChosenEveryFiveSeconds)
{
    CrowdMurmur murmur;
    murmur.update(0.1f, 4);
    EXPECT_FLOAT_EQ(0.4f, murmur.getTarget());
    // Changes in between wait for the timer.
    for (int i = 0; i < 49; ++i)
        murmur.update(0.1f, 8);
    EXPECT_FLOAT_EQ(0.4f, murmur.getTarget());
    murmur.update(0.2f, 8);
    EXPECT_FLOAT_EQ(0.8f, murmur.getTarget());
}
