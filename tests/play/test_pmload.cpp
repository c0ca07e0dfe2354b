// The level loader's refusals of bad content: an insult file without lines and a border picture
// without size stop the load with a clear error instead of failing later or looping forever.
#include "play/kit/playkit.h"

#include "rir2/exception.h"
#include "rir2/memprovider.h"
#include "rir2/resource.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

// Puts a text resource in front of the packs.
void overrideText(PlayKit& kit, const char* pszName, const char* pszText)
{
    RIR::MemoryResourceProvider* pFiles = new RIR::MemoryResourceProvider();
    const size_t nSize = std::strlen(pszText);
    uint8_t* pData = new uint8_t[nSize + 1];
    std::memcpy(pData, pszText, nSize + 1);
    pFiles->add(pszName, new RIR::Resource((int)nSize, pData, true));
    kit.app()->addProvider(pFiles, true);
}

// Loads step by step; the message of the fatal error that stopped it ("" when it finished).
std::string loadError(PlayMode* pDay)
{
    try
    {
        while (!pDay->isLoaded())
            pDay->loadStep();
    }
    catch (const RIR::FatalErrorException& e)
    {
        return e.getMessage();
    }
    return "";
}

class PlayLoadTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

TEST_F(PlayLoadTest, InsultFileWithoutLinesIsRefusedAtLoad)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    const char* const apszFiles[] = {"", "\n\n\r\n", " \t\n  \r\n"};
    for (const char* pszFile : apszFiles)
    {
        PlayKit kit;
        overrideText(kit, "insults.txt", pszFile);
        PlayMode* pDay = kit.pushDay(GT_TIMED, 180, 1, 5);
        EXPECT_EQ("insults.txt has no lines\n", loadError(pDay));
        EXPECT_EQ(6, pDay->getLoadStep()) << "refused at the insults step";
    }
}

TEST_F(PlayLoadTest, InsultsAreAllReadAndShuffled)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    overrideText(m_kit, "insults.txt", "one\r\ntwo\nthree\n\nfour\nfive\nsix\nseven\n");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    const RIR::List<RIR::String>& lInsults = pDay->getInsults();
    ASSERT_EQ(7, lInsults.getLength()) << "empty lines and line ends dropped";
    for (const char* pszLine : {"one", "two", "three", "four", "five", "six", "seven"})
        EXPECT_NE(-1, lInsults.indexOf(RIR::String(pszLine))) << pszLine;
    const RIR::String sNext = pDay->nextInsult();
    EXPECT_NE(-1, lInsults.indexOf(sNext));
}

TEST_F(PlayLoadTest, BorderPictureWithoutSizeIsRefused)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    for (const char* pszBorder : {"borde_v", "borde_h"})
    {
        PlayKit kit;
        kit.app()->addImage(
            pszBorder, kit.app()->getImage(pszBorder)->createSubImage(0, 0, 0, 0, false), true);
        ASSERT_EQ(0, kit.app()->getImage(pszBorder)->getWidth());
        PlayMode* pDay = kit.pushDay(GT_TIMED, 180, 1, 5);
        EXPECT_EQ(std::string("Border image ") + pszBorder + " has no size\n", loadError(pDay));
    }
}

TEST_F(PlayLoadTest, StepsPastTheLastDoNothing)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 5);
    ASSERT_TRUE(pDay->isLoaded());
    EXPECT_FALSE(pDay->loadStep());
    EXPECT_EQ(PlayMode::LOAD_STEPS, pDay->getLoadStep());
}

} // namespace
