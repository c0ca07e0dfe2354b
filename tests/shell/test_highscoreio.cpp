// Local high-score tables: the index and keys, insertHighScore's ranks and shifts, clearing the
// local set, and times or difficulties outside their ranges.
#include "shellfixture.h"

#include "shell/highscoreio.h"

#include <tuple>

namespace
{

typedef std::tuple<std::string, int, std::string> Entry; // name, score, key

Entry localEntry(int nTime, int nDifficulty, int nRank)
{
    HighScoreTable table;
    loadHighScores(table);
    const int i = highScoreIndex(HS_LOCAL, nTime, nDifficulty, nRank);
    return Entry(table.sName[i].c_str(), table.nScore[i], table.sKey[i].c_str());
}

// Fills time t, difficulty d of the local list with the scores, rank 0 first.
void fillLocal(int nTime, int nDifficulty, const std::vector<int>& scores)
{
    HighScoreTable table;
    loadHighScores(table);
    for (size_t r = 0; r < scores.size(); ++r)
    {
        const int i = highScoreIndex(HS_LOCAL, nTime, nDifficulty, (int)r);
        table.sName[i] = ("N" + std::to_string(r)).c_str();
        table.nScore[i] = scores[r];
        table.sKey[i] = ("K" + std::to_string(r)).c_str();
    }
    saveHighScores(table);
}

std::vector<int> localScores(int nTime, int nDifficulty)
{
    std::vector<int> scores;
    for (int r = 0; r < HS_RANKS; ++r)
        scores.push_back(std::get<1>(localEntry(nTime, nDifficulty, r)));
    return scores;
}

} // namespace

TEST_F(ShellStoreTest, HighScoreIndexAndKeys)
{
    EXPECT_EQ(0, highScoreIndex(0, 0, 0, 0));
    EXPECT_EQ(59, highScoreIndex(0, 1, 2, 9));
    EXPECT_EQ(60, highScoreIndex(1, 0, 0, 0));
    EXPECT_EQ(119, highScoreIndex(1, 1, 2, 9));

    set("CachedHighScore_0_1_2_0_Name", "Dolly");
    set("CachedHighScore_0_1_2_0_Score", "1234abc");
    set("CachedHighScore_0_1_2_0_Key", "K");
    EXPECT_EQ(Entry("Dolly", 1234, "K"), localEntry(1, 2, 0));
    EXPECT_EQ(Entry("", 0, ""), localEntry(0, 0, 0)) << "missing keys";
}

TEST_F(ShellStoreTest, InsertHighScoreRanks)
{
    struct Step
    {
        int nScore;
        int nRank;
        std::vector<int> after;
    };
    const std::vector<Step> steps = {
        {500, 0, {500, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {500, 1, {500, 500, 0, 0, 0, 0, 0, 0, 0, 0}}, // equal ranks below
        {0, -1, {500, 500, 0, 0, 0, 0, 0, 0, 0, 0}},  // 0 never enters
        {-5, -1, {500, 500, 0, 0, 0, 0, 0, 0, 0, 0}},
        {900, 0, {900, 500, 500, 0, 0, 0, 0, 0, 0, 0}},
        {501, 1, {900, 501, 500, 500, 0, 0, 0, 0, 0, 0}},
        {1, 4, {900, 501, 500, 500, 1, 0, 0, 0, 0, 0}},
    };
    for (const Step& s : steps)
    {
        SCOPED_TRACE(s.nScore);
        EXPECT_EQ(s.nRank, insertHighScore("Dolly", 0, 1, s.nScore));
        EXPECT_EQ(s.after, localScores(0, 1));
    }
    EXPECT_EQ(Entry("Dolly", 900, "1234567800000000"), localEntry(0, 1, 0));
    EXPECT_EQ("900", setting("CachedHighScore_0_0_1_0_Score"));
    EXPECT_EQ(std::vector<int>(10, 0), localScores(1, 1)) << "other tables untouched";
    EXPECT_TRUE(savedFile().empty()) << "the settings file is not written";
}

TEST_F(ShellStoreTest, InsertIntoAFullTable)
{
    fillLocal(1, 2, {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    EXPECT_EQ(-1, insertHighScore("X", 1, 2, 100)) << "equal to the last rank";
    EXPECT_EQ("N9", std::get<0>(localEntry(1, 2, 9)));
    EXPECT_EQ(9, insertHighScore("X", 1, 2, 101));
    EXPECT_EQ(Entry("X", 101, "1234567800000000"), localEntry(1, 2, 9));

    EXPECT_EQ(3, insertHighScore("Y", 1, 2, 750));
    EXPECT_EQ((std::vector<int>{1000, 900, 800, 750, 700, 600, 500, 400, 300, 200}),
              localScores(1, 2));
    EXPECT_EQ(Entry("N3", 700, "K3"), localEntry(1, 2, 4)) << "name, score and key move together";
}

TEST_F(ShellStoreTest, InsertWithTimeOrDifficultyOutsideTheirRanges)
{
    // A damaged "TimedTime" of 5 was played as the 10-minute game; difficulties are clamped.
    EXPECT_EQ(0, insertHighScore("A", 5, 1, 10));
    EXPECT_EQ(10, std::get<1>(localEntry(1, 1, 0)));
    EXPECT_EQ(0, insertHighScore("B", 0, 7, 20));
    EXPECT_EQ(20, std::get<1>(localEntry(0, 2, 0)));
    EXPECT_EQ(0, insertHighScore("C", -3, -1, 30));
    EXPECT_EQ(30, std::get<1>(localEntry(1, 0, 0)));
}

TEST_F(ShellStoreTest, ClearLocalKeepsTheOnlineSet)
{
    fillLocal(0, 0, {50, 40});
    set("CachedHighScore_1_0_0_0_Name", "Online");
    set("CachedHighScore_1_0_0_0_Score", "77");
    clearLocalHighScores();
    EXPECT_EQ("", setting("CachedHighScore_0_0_0_0_Score"));
    EXPECT_EQ("", setting("CachedHighScore_0_1_2_9_Name"));
    EXPECT_EQ(Entry("", 0, ""), localEntry(0, 0, 0));
    EXPECT_EQ("Online", setting("CachedHighScore_1_0_0_0_Name"));
    EXPECT_EQ("77", setting("CachedHighScore_1_0_0_0_Score"));
}
