// The wanted man's look: its ranges, the head type without features, and never the poster's face.
#include "level/wantedlook.h"

#include "rir2/random.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

TEST(WantedLookTest, SameLookNeedsAllFourFields)
{
    const WantedLook base{4, 1, 2, true};
    WantedLook other = base;
    EXPECT_TRUE(sameWantedLook(base, other));
    other.nHeadType = 5;
    EXPECT_FALSE(sameWantedLook(base, other));
    other = base;
    other.nFeatureA = 0;
    EXPECT_FALSE(sameWantedLook(base, other));
    other = base;
    other.nFeatureB = 1;
    EXPECT_FALSE(sameWantedLook(base, other));
    other = base;
    other.bFeatureC = false;
    EXPECT_FALSE(sameWantedLook(base, other));
}

TEST(WantedLookTest, RangesAndTheFeaturelessHead)
{
    RIR::Random random;
    random.seed(17);
    std::set<int> heads;
    std::set<std::tuple<int, int, int, bool>> looks;
    for (int i = 0; i < 5000; ++i)
    {
        const WantedLook look = randomWantedLook(random, nullptr);
        heads.insert(look.nHeadType);
        looks.insert(
            std::make_tuple(look.nHeadType, look.nFeatureA, look.nFeatureB, look.bFeatureC));
        EXPECT_GE(look.nFeatureA, 0);
        EXPECT_LE(look.nFeatureA, 2);
        EXPECT_GE(look.nFeatureB, 0);
        EXPECT_LE(look.nFeatureB, 2);
        if (look.nHeadType == 13)
        {
            EXPECT_EQ(0, look.nFeatureA);
            EXPECT_FALSE(look.bFeatureC);
            EXPECT_LE(look.nFeatureB, 1);
        }
    }
    EXPECT_EQ(13u, heads.size());
    EXPECT_EQ(1, *heads.begin());
    EXPECT_EQ(13, *heads.rbegin());
    // Heads 1..12 with A 0..2, B 0..2 and C, plus head 13 with B 0 or 1.
    EXPECT_EQ(12u * 3 * 3 * 2 + 2, looks.size());
}

TEST(WantedLookTest, NeverThePostersFace)
{
    RIR::Random random;
    random.seed(23);
    // The commonest looks: the draws that land on them must be drawn again.
    for (const WantedLook& poster :
         {WantedLook{13, 0, 1, false}, WantedLook{13, 0, 0, false}, WantedLook{1, 0, 0, false}})
    {
        for (int i = 0; i < 3000; ++i)
            EXPECT_FALSE(sameWantedLook(poster, randomWantedLook(random, &poster)));
    }
}
