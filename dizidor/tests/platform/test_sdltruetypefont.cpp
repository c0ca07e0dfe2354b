// TrueType fonts on SDL_ttf: the factory's cache (one miss then hits on a shared face, style
// keys, eviction), measuring across line breaks, drawing, the point-size parameter, SDL_ttf's use
// count and faces that cannot be opened.
#include "platform/sdl/sdlttffactory.h"

#include "platform/sdl/sdlplatform.h"
#include "platform/sdl/sdltruetypefont.h"
#include "sdlimagetestenv.h"

#include "gfx/fontfactorytable.h"
#include "testkit/memimageenv.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

// The DejaVu face the build also draws the built-in sheet from (package fonts-dejavu-core).
std::vector<char> readFace()
{
    for (const char* pszPath :
         {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/TTF/DejaVuSans.ttf",
          "/usr/share/fonts/dejavu/DejaVuSans.ttf"})
    {
        std::ifstream file(pszPath, std::ios::binary);
        if (file)
            return std::vector<char>(std::istreambuf_iterator<char>(file), {});
    }
    return {};
}

template <class E, class F> std::string messageOf(F f)
{
    try
    {
        f();
    }
    catch (const E& e)
    {
        return e.getMessage();
    }
    return "<nothing raised>";
}

RIR::List<RIR::String> args(std::initializer_list<const char*> words)
{
    RIR::List<RIR::String> lArgs;
    for (const char* pszWord : words)
        lArgs.append(pszWord);
    return lArgs;
}

class TrueTypeTest : public ::testing::Test
{
protected:
    TrueTypeTest() : m_env(&m_factory), m_pFactory(new SDLTTFFactory())
    {
        const std::vector<char> abFace = readFace();
        if (abFace.empty())
            ADD_FAILURE() << "DejaVuSans.ttf not found: run scripts/deps.sh";
        else
            m_env.addResource("fonts/sans.ttf", abFace.data(), (int)abFace.size());
        m_env.addText("notaface.ttf", "these bytes are no TrueType face");
        m_nHits = SDLTTFFactory::getCacheHits();
        m_nMisses = SDLTTFFactory::getCacheMisses();
    }
    ~TrueTypeTest() override { m_pFactory->clearCache(); }

    int hits() const { return SDLTTFFactory::getCacheHits() - m_nHits; }
    int misses() const { return SDLTTFFactory::getCacheMisses() - m_nMisses; }

    static SDLTrueTypeFont* asTTF(const RIR::SmartPtr<Font>& pFont)
    {
        return dynamic_cast<SDLTrueTypeFont*>(pFont.get());
    }

    TestSDLImageFactory m_factory;
    MemImageEnvironment m_env;
    RIR::SmartPtr<SDLTTFFactory> m_pFactory;
    int m_nHits;
    int m_nMisses;
};

} // namespace

TEST_F(TrueTypeTest, OneMissThenHitsOnASharedFace)
{
    RIR::SmartPtr<Font> pFirst = m_pFactory->createFont(args({"fonts/sans.ttf", "14"}));
    EXPECT_EQ(1, misses());
    EXPECT_EQ(0, hits());
    RIR::SmartPtr<Font> pSecond = m_pFactory->createFont(args({"fonts/sans.ttf", "14"}));
    EXPECT_EQ(1, misses());
    EXPECT_EQ(1, hits());

    ASSERT_TRUE(asTTF(pFirst) && asTTF(pSecond));
    EXPECT_NE(pFirst.get(), pSecond.get()) << "each request gets a font of its own";
    EXPECT_EQ(asTTF(pFirst)->getData().get(), asTTF(pSecond)->getData().get());
    EXPECT_EQ(14, asTTF(pFirst)->getPointSize());
    EXPECT_TRUE(m_pFactory->isCached("fonts/sans.ttf::14"));

    // A fresh clone: the default style, the factory and its arguments.
    pFirst->setColor(Color(1, 2, 3, 255));
    EXPECT_EQ(Color(255, 255, 255, 255), pSecond->getColor());
    EXPECT_EQ(m_pFactory.get(), pSecond->getFactory().get());
    EXPECT_EQ(2, pSecond->getFactoryArgs().getLength());
    EXPECT_GT(pSecond->getLineHeight(), 10);
    EXPECT_TRUE(pSecond->hasGlyph('\x01'));
}

TEST_F(TrueTypeTest, StyleWordsMakeTheKeyAndOrTheirBits)
{
    struct Case
    {
        std::vector<const char*> words;
        const char* pszKey;
        int nStyle;
    };
    const std::vector<Case> cases = {
        {{"fonts/sans.ttf", "12"}, "fonts/sans.ttf::12", 0},
        {{"fonts/sans.ttf", "12", "Bold"}, "fonts/sans.ttf::12::bold", 1},
        {{"fonts/sans.ttf", "12", "bold", "bold"}, "fonts/sans.ttf::12::bold::bold", 1},
        {{"fonts/sans.ttf", "12", "ITALIC", "bold"}, "fonts/sans.ttf::12::italic::bold", 3},
        {{"fonts/sans.ttf", "12", "underline", "shiny"}, "fonts/sans.ttf::12::underline::shiny", 4},
    };
    for (const Case& c : cases)
    {
        RIR::List<RIR::String> lArgs;
        for (const char* pszWord : c.words)
            lArgs.append(pszWord);
        EXPECT_EQ(c.nStyle, SDLTTFFactory::getStyleBits(lArgs)) << c.pszKey;
        RIR::SmartPtr<Font> pFont = m_pFactory->createFont(lArgs);
        EXPECT_TRUE(m_pFactory->isCached(c.pszKey)) << c.pszKey;
        EXPECT_EQ(c.nStyle, TTF_GetFontStyle(asTTF(pFont)->getData()->m_pFont)) << c.pszKey;
        EXPECT_EQ(0, asTTF(pFont)->getStyle()) << "the style field is not set by loading";
    }
    // Case only changes nothing: the key is lower-cased.
    m_pFactory->createFont(args({"fonts/sans.ttf", "12", "BOLD"}));
    EXPECT_EQ(1, hits());
    EXPECT_EQ(5, misses());
}

TEST_F(TrueTypeTest, TheSixteenthFaceEvictsTheLeastRecentlyUsed)
{
    for (int nSize = 8; nSize < 8 + TTF_CACHE_LIMIT; ++nSize)
        m_pFactory->createFont(args({"fonts/sans.ttf", std::to_string(nSize).c_str()}));
    EXPECT_EQ(15, m_pFactory->getUseOrder().getLength());
    // A hit makes size 8 the most recently used: size 9 goes when the 16th comes.
    RIR::SmartPtr<Font> pKept = m_pFactory->createFont(args({"fonts/sans.ttf", "8"}));
    RIR::SmartPtr<Font> pEarly = m_pFactory->createFont(args({"fonts/sans.ttf", "9"}));
    EXPECT_EQ(2, hits());
    const int nUsers = SDLTTFData::getUseCount();
    m_pFactory->createFont(args({"fonts/sans.ttf", "30"}));
    EXPECT_EQ(15, m_pFactory->getUseOrder().getLength());
    EXPECT_TRUE(m_pFactory->isCached("fonts/sans.ttf::8"));
    EXPECT_FALSE(m_pFactory->isCached("fonts/sans.ttf::10"));
    EXPECT_TRUE(m_pFactory->isCached("fonts/sans.ttf::30"));
    EXPECT_EQ(nUsers, SDLTTFData::getUseCount()) << "one face opened, one closed";
    EXPECT_STREQ("fonts/sans.ttf::30", m_pFactory->getUseOrder().getLast().c_str());
    // A font handed out before keeps its face alive after eviction.
    EXPECT_GT(pEarly->getTextWidth("still here"), 0);
}

TEST_F(TrueTypeTest, MeasuresTheWidestPieceBetweenLineBreaks)
{
    RIR::SmartPtr<Font> pFont = m_pFactory->createFont(args({"fonts/sans.ttf", "16"}));
    const int nShort = pFont->getTextWidth("ab");
    const int nLong = pFont->getTextWidth("abcdef");
    EXPECT_GT(nLong, nShort);
    EXPECT_EQ(0, pFont->getTextWidth(""));
    EXPECT_EQ(0, pFont->getTextWidth("\n"));
    EXPECT_EQ(nShort, pFont->getTextWidth("ab\n"));
    EXPECT_EQ(nLong, pFont->getTextWidth("ab\nabcdef\nab"));
    EXPECT_EQ(nLong, pFont->getTextWidth("abcdef\n\nab\n"));
    EXPECT_GT(pFont->getTextWidth("\xC3\x91"), 0) << "UTF-8";
}

TEST_F(TrueTypeTest, DrawsTheShadowThenTheText)
{
    RIR::SmartPtr<Font> pFont = m_pFactory->createFont(args({"fonts/sans.ttf", "20"}));
    pFont->setColor(Color(255, 0, 0, 255));
    pFont->setShadowColor(Color(0, 0, 255, 255));
    pFont->setShadowOffset(3);
    RIR::SmartPtr<Image> pTarget(m_factory.createBlank(60, 40, true));
    pFont->drawString(pTarget, 5, 5, "I");
    pFont->drawString(pTarget, 5, 5, "");
    int nRed = 0;
    int nBlue = 0;
    int nMinRedX = 100;
    int nMinBlueX = 100;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
        {
            const Color c = pTarget->getPixelAt(x, y);
            if (c.a < 200)
                continue;
            if (c.r > 200 && c.b < 50)
            {
                ++nRed;
                nMinRedX = std::min(nMinRedX, x);
            }
            if (c.b > 200 && c.r < 50)
            {
                ++nBlue;
                nMinBlueX = std::min(nMinBlueX, x);
            }
        }
    EXPECT_GT(nRed, 10);
    EXPECT_GT(nBlue, 3) << "the shadow shows beside the text";
    EXPECT_EQ(nMinRedX + 3, nMinBlueX);
}

TEST_F(TrueTypeTest, PointSizeIsParameterZero)
{
    RIR::List<RIR::String> lArgs = args({"fonts/sans.ttf", "14", "bold"});
    EXPECT_EQ(14, m_pFactory->getIntParam(lArgs, 0));
    EXPECT_EQ(-1, m_pFactory->getIntParam(lArgs, 1));
    EXPECT_TRUE(m_pFactory->setIntParam(lArgs, 0, 12));
    EXPECT_STREQ("12", lArgs.get(1).c_str());
    EXPECT_FALSE(m_pFactory->setIntParam(lArgs, 1, 99));
    EXPECT_EQ(3, lArgs.getLength());
    EXPECT_STREQ("14", args({"fonts/sans.ttf", "14"}).get(1).c_str());
    EXPECT_FALSE(m_pFactory->setStringParam(lArgs, 0, "x"));

    // A variant made through the parameter, the way text is fitted into a box.
    RIR::SmartPtr<Font> pFont = m_pFactory->createFont(lArgs);
    EXPECT_EQ(12, asTTF(pFont)->getPointSize());
    EXPECT_EQ("List index out of range : 1 (have 1)",
              messageOf<RIR::FatalErrorException>(
                  [&] { m_pFactory->createFont(args({"fonts/sans.ttf"})); }));
}

TEST_F(TrueTypeTest, AFaceThatCannotBeOpenedFailsAtLoad)
{
    const int nUsers = SDLTTFData::getUseCount();
    const std::string sBad = messageOf<RIR::ResourceException>(
        [&] {
            m_pFactory->createFont(args({"notaface.ttf", "12"}));
        });
    EXPECT_NE(std::string::npos, sBad.find("Can't open font 'notaface.ttf' at 12 points")) << sBad;
    EXPECT_FALSE(m_pFactory->isCached("notaface.ttf::12"));
    const std::string sZero = messageOf<RIR::ResourceException>(
        [&] {
            m_pFactory->createFont(args({"fonts/sans.ttf", "big"}));
        });
    EXPECT_NE(std::string::npos, sZero.find("at 0 points")) << sZero;
    const std::string sMissing = messageOf<RIR::ResourceException>(
        [&] {
            m_pFactory->createFont(args({"fonts/none.ttf", "12"}));
        });
    EXPECT_NE(std::string::npos, sMissing.find("fonts/none.ttf")) << sMissing;
    EXPECT_EQ(nUsers, SDLTTFData::getUseCount()) << "failed opens leave nothing behind";

    // A font whose load failed keeps what it had.
    SDLTrueTypeFont font;
    font.load("fonts/sans.ttf", 10, 0);
    RIR::SmartPtr<SDLTTFData> pData = font.getData();
    EXPECT_THROW(font.load("notaface.ttf", 10, 0), RIR::ResourceException);
    EXPECT_EQ(pData.get(), font.getData().get());
    EXPECT_EQ(10, font.getPointSize());
}

TEST_F(TrueTypeTest, SDLTTFRunsWhileFacesLive)
{
    m_pFactory->clearCache();
    ASSERT_EQ(0, SDLTTFData::getUseCount());
    EXPECT_FALSE(TTF_WasInit());
    {
        RIR::SmartPtr<Font> pFont = m_pFactory->createFont(args({"fonts/sans.ttf", "11"}));
        EXPECT_TRUE(TTF_WasInit());
        EXPECT_EQ(1, SDLTTFData::getUseCount());
        RIR::SmartPtr<Font> pClone = pFont->clone();
        m_pFactory->clearCache();
        EXPECT_EQ(1, SDLTTFData::getUseCount()) << "clones keep the face";
    }
    EXPECT_EQ(0, SDLTTFData::getUseCount());
    EXPECT_FALSE(TTF_WasInit());
}

TEST_F(TrueTypeTest, ThePlatformRegistersTheTrueTypeClass)
{
    RIR::SmartPtr<FontFactory> pRegistered;
    {
        SDLPlatform platform;
        pRegistered = FontFactoryTable::findFactory("truetype");
        ASSERT_NE(nullptr, dynamic_cast<SDLTTFFactory*>(pRegistered.get()));
        RIR::SmartPtr<Font> pFont =
            FontFactoryTable::createFont("TrueType", args({"fonts/sans.ttf", "13"}));
        EXPECT_EQ(pRegistered.get(), pFont->getFactory().get());
    }
    EXPECT_FALSE(FontFactoryTable::findFactory("truetype")) << "gone with the platform";
    EXPECT_FALSE(dynamic_cast<SDLTTFFactory*>(pRegistered.get())->isCached("fonts/sans.ttf::13"));
}
