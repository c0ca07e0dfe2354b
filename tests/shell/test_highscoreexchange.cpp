// The online high-score exchange's data: the 192-line upload and its encoding (decoded back
// with the link-text decoder and zlib), the request address, and the reply parser's rules; a
// rejected reply writes nothing.
#include "shellfixture.h"

#include "shell/highscoreio.h"
#include "shell/highscorereply.h"
#include "shell/highscoreupload.h"

#include "app/linkencoder.h"
#include "rir2/date.h"
#include "rir2/memstream.h"

#include <cstdlib>
#include <zlib.h>

namespace
{

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string s;
    for (const std::string& line : lines)
        s += line + "\n";
    return s;
}

// The upload of empty tables for player "Dolly" / "ID1", line by line.
std::vector<std::string> emptyUploadLines()
{
    std::vector<std::string> lines = {"DustbowlDollyHighScores", "Dolly", "ID1"};
    for (int t = 0; t < 2; ++t)
    {
        for (int d = 0; d < 3; ++d)
        {
            for (int r = 0; r < 10; ++r)
            {
                lines.push_back("");
                lines.push_back("0");
                lines.push_back("");
            }
            lines.push_back("---");
        }
        lines.push_back("===");
    }
    lines.push_back("***");
    return lines;
}

// Link-text decoding, then zlib inflate of the stream (the decoder's zero fill comes after the
// zlib trailer and is left over).
std::string unpack(const RIR::String& sEncoded)
{
    std::unique_ptr<RIR::MemStream> pBytes(decode64(sEncoded.c_str()));
    z_stream z = {};
    EXPECT_EQ(Z_OK, inflateInit(&z));
    std::string sOut(1 << 16, '\0');
    z.next_in = pBytes->getBuffer();
    z.avail_in = (uInt)pBytes->size();
    z.next_out = (Bytef*)&sOut[0];
    z.avail_out = (uInt)sOut.size();
    EXPECT_EQ(Z_STREAM_END, inflate(&z, Z_FINISH));
    EXPECT_LE(z.avail_in, 2u) << "only the zero fill of the last group is left";
    sOut.resize(z.total_out);
    inflateEnd(&z);
    return sOut;
}

// 0x12, the length as a variable-length integer, the bytes.
std::string stringRecord(const std::string& sText)
{
    std::string s(1, '\x12');
    unsigned n = (unsigned)sText.size();
    do
    {
        const unsigned char c = (unsigned char)(n & 0x7F);
        n >>= 7;
        s += (char)(n ? (c | 0x80) : c);
    } while (n);
    return s + sText;
}

// A valid reply: entry lines "<name>_!#!_<score>_!#!_<key>".
std::vector<std::string> replyLines()
{
    std::vector<std::string> lines = {"DustbowlDollyHighScores"};
    for (int t = 0; t < 2; ++t)
        for (int d = 0; d < 3; ++d)
        {
            for (int r = 0; r < 10; ++r)
                lines.push_back("Name" + std::to_string(t) + std::to_string(d) + std::to_string(r) +
                                "_!#!_" + std::to_string(1000 - r) + "_!#!_KEY" +
                                std::to_string(r));
            lines.push_back("---");
        }
    lines.push_back("===");
    return lines;
}

class ExchangeTest : public ShellStoreTest
{
protected:
    ExchangeTest()
    {
        set("PlayerName", "Dolly");
        set("PlayerUID", "ID1");
    }
};

} // namespace

TEST_F(ExchangeTest, UploadOfEmptyTablesHas192Lines)
{
    const std::vector<std::string> expected = emptyUploadLines();
    ASSERT_EQ(192u, expected.size());
    EXPECT_EQ(joinLines(expected), std::string(buildHighScoreUploadText().c_str()));
}

TEST_F(ExchangeTest, UploadCarriesTheLocalEntriesInOrder)
{
    insertHighScore("Hank", 1, 2, 700);
    insertHighScore("Pink", 0, 0, 50);
    set("CachedHighScore_1_0_0_0_Name", "online entries stay home");
    std::vector<std::string> expected = emptyUploadLines();
    // Head 3 lines; time 0 difficulty 0 rank 0 is lines 3..5.
    expected[3] = "Pink";
    expected[4] = "50";
    expected[5] = "1234567800000000";
    // Time 1 starts after 3 x 31 + 1 lines; its difficulty 2 after two more blocks of 31.
    const size_t nAt = 3 + 94 + 62;
    expected[nAt] = "Hank";
    expected[nAt + 1] = "700";
    expected[nAt + 2] = "1234567800000000";
    EXPECT_EQ(joinLines(expected), std::string(buildHighScoreUploadText().c_str()));
}

TEST_F(ExchangeTest, EncodedUploadDecodesToTheStringRecord)
{
    insertHighScore("Hank", 1, 2, 700);
    const RIR::String sText = buildHighScoreUploadText();
    const RIR::String sEncoded = buildHighScoreUpload();
    EXPECT_EQ(std::string(sEncoded.c_str()).find_first_not_of(LINK_TEXT_ALPHABET),
              std::string::npos)
        << "only the link-text alphabet, no padding";
    EXPECT_EQ(0, sEncoded.length() % 4);
    EXPECT_EQ(stringRecord(sText.c_str()), unpack(sEncoded));
    EXPECT_GT(sText.length(), 128) << "the length takes two varint bytes";

    std::unique_ptr<RIR::MemStream> pBytes(decode64(sEncoded.c_str()));
    ASSERT_GE(pBytes->size(), 2);
    EXPECT_EQ(0x78, pBytes->getBuffer()[0]) << "zlib header";
    EXPECT_EQ(0x5E, pBytes->getBuffer()[1]) << "levels 2 to 5 mark the header so";
}

TEST_F(ExchangeTest, RequestAddress)
{
    const std::string sUpload = buildHighScoreUpload().c_str();
    EXPECT_EQ("http://scores.test/dbd_highscore.php?local=" + sUpload,
              std::string(buildHighScoreRequest("http://scores.test/dbd_highscore.php").c_str()));
    EXPECT_EQ(
        "http://scores.test/dbd_highscore.php?v=2&local=" + sUpload,
        std::string(buildHighScoreRequest("http://scores.test/dbd_highscore.php?v=2").c_str()));
}

TEST_F(ExchangeTest, RepliesAcceptedAndRejected)
{
    struct Case
    {
        const char* pszName;
        std::string sReply;
        bool bAccepted;
    };
    const std::vector<std::string> good = replyLines();
    auto with = [&](size_t nLine, const std::string& sLine)
    {
        std::vector<std::string> lines = good;
        lines[nLine] = sLine;
        return joinLines(lines);
    };
    auto without = [&](size_t nLine)
    {
        std::vector<std::string> lines = good;
        lines.erase(lines.begin() + (long)nLine);
        return joinLines(lines);
    };
    std::string sBlankLines = "\n\n";
    for (const std::string& line : good)
        sBlankLines += line + "\n\n\n";
    const std::vector<Case> cases = {
        {"accepted", joinLines(good), true},
        {"blank lines anywhere", sBlankLines, true},
        {"no final line feed", joinLines(good).substr(0, joinLines(good).size() - 1), true},
        {"anything after ===", joinLines(good) + "***\ngarbage_!#!_x\n", true},
        {"CR in the magic line", with(0, "DustbowlDollyHighScores\r"), false},
        {"other magic", with(0, "DustbowlDollyHighScore"), false},
        {"missing ===", without(good.size() - 1), false},
        {"=== with a CR", with(good.size() - 1, "===\r"), false},
        {"missing ---", without(11), false},
        {"Bob_Jr", with(5, "Bob_Jr_!#!_100_!#!_K"), false},
        {"empty name", with(5, "_!#!_100_!#!_K"), false},
        {"empty key", with(5, "Bob_!#!_100_!#!_"), false},
        {"two fields", with(5, "Bob_!#!_100"), false},
        {"truncated", joinLines(std::vector<std::string>(good.begin(), good.begin() + 40)), false},
        {"empty", "", false},
        {"only line feeds", "\n\n\n", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        m_pApp->clearSettings();
        set("HighscoreLastUpdate", "42");
        insertHighScore("Local", 0, 0, 10);
        const std::map<std::string, std::string> before = store();
        EXPECT_EQ(c.bAccepted, parseHighScoreReply(c.sReply.c_str()));
        if (!c.bAccepted)
        {
            EXPECT_EQ(before, store()) << "a rejected reply writes nothing";
            continue;
        }
        EXPECT_EQ(std::to_string(RIR::Date().toTimestamp()), setting("HighscoreLastUpdate"));
        HighScoreTable table;
        loadHighScores(table);
        EXPECT_EQ("Local", std::string(table.sName[highScoreIndex(HS_LOCAL, 0, 0, 0)].c_str()));
        const int i = highScoreIndex(HS_ONLINE, 1, 2, 3);
        EXPECT_EQ("Name123", std::string(table.sName[i].c_str()));
        EXPECT_EQ(997, table.nScore[i]);
        EXPECT_EQ("KEY3", std::string(table.sKey[i].c_str()));
    }
}

TEST_F(ExchangeTest, ReplyFieldsAreTrimmedAndReadWithAtoi)
{
    std::vector<std::string> lines = replyLines();
    lines[1] = "  Bob \t_!#!_12ab_!#!_ K 1 ";
    lines[2] = "Ann\r_!#!_abc_!#!_K2\r";
    lines[3] = "Cid#!_-40_##_K3";
    ASSERT_TRUE(parseHighScoreReply(joinLines(lines).c_str()));
    HighScoreTable table;
    loadHighScores(table);
    const int i = highScoreIndex(HS_ONLINE, 0, 0, 0);
    EXPECT_EQ("Bob", std::string(table.sName[i].c_str()));
    EXPECT_EQ(12, table.nScore[i]) << "read up to the first non-digit";
    EXPECT_EQ(" K 1 ", std::string(table.sKey[i].c_str())) << "the key is taken unchanged";
    EXPECT_EQ("Ann", std::string(table.sName[i + 1].c_str()));
    EXPECT_EQ(0, table.nScore[i + 1]) << "no leading digits";
    EXPECT_EQ("K2\r", std::string(table.sKey[i + 1].c_str()));
    EXPECT_EQ("Cid", std::string(table.sName[i + 2].c_str()));
    EXPECT_EQ(-40, table.nScore[i + 2]);
    EXPECT_EQ("K3", std::string(table.sKey[i + 2].c_str()));
}
