// The animation script tests' fixture: an in-memory image environment holding the scripts of
// fixtures/anim/ and pictures made in code, and helpers to load and inspect animations.
//
// The fixture folder is fixtures/anim beside this file: taken from the environment variable
// DBD_ANIM_FIXTURES when set, else the source tree's folder that the build compiles in
// (DBD_TEST_FIXTURES), whatever the build folder and the working directory are.
#ifndef DIZIDOR_TESTS_GFX_TEST_ANIMATIONLOADER_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_ANIMATIONLOADER_FIXTURE_H

#include "gfx/animation.h"
#include "gfx/animationloader.h"
#include "gfx/animationparserexception.h"
#include "rir2/exception.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

inline std::string animFixtureFolder()
{
    const char* pszFolder = std::getenv("DBD_ANIM_FIXTURES");
    if (pszFolder && *pszFolder)
        return pszFolder;
    return DBD_TEST_FIXTURES "/anim";
}

// What a load raised: the exception's class and message ("" and "" when nothing was raised).
struct RaisedError
{
    std::string m_sClass;
    std::string m_sMessage;
};

class AnimScriptTest : public ::testing::Test
{
protected:
    AnimScriptTest() : m_env(&m_factory) {}

    void SetUp() override
    {
        m_sFolder = animFixtureFolder();
        ASSERT_TRUE(std::filesystem::is_directory(m_sFolder))
            << m_sFolder << " is not a folder; set DBD_ANIM_FIXTURES";
        for (const auto& entry : std::filesystem::directory_iterator(m_sFolder))
        {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string sText((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            m_env.addResource(entry.path().filename().string().c_str(), sText.data(),
                              (int)sText.size());
        }
    }

    // A picture of one colour, as a PNG resource "name.png" with an alpha channel.
    void addPicture(const char* pszName, int nWidth, int nHeight, uint8_t r, uint8_t g, uint8_t b,
                    uint8_t a = 255)
    {
        std::vector<uint8_t> abPixels;
        for (int i = 0; i < nWidth * nHeight; ++i)
        {
            abPixels.push_back(r);
            abPixels.push_back(g);
            abPixels.push_back(b);
            abPixels.push_back(a);
        }
        m_env.addPicture(pszName, nWidth, nHeight, 4, abPixels.data());
    }

    void addScript(const char* pszName, const char* pszText) { m_env.addText(pszName, pszText); }

    RIR::SmartPtr<Animation> load(const char* pszName,
                                  const RIR::List<RIR::String>& lParams = RIR::List<RIR::String>())
    {
        RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
        pLoader->setParams(lParams);
        return pLoader->load(pszName);
    }

    RaisedError errorOf(const char* pszName,
                        const RIR::List<RIR::String>& lParams = RIR::List<RIR::String>())
    {
        try
        {
            load(pszName, lParams);
        }
        catch (const RIR::Exception& e)
        {
            return RaisedError{e.getClassName(), e.getMessage()};
        }
        return RaisedError{};
    }

    // The picture names of a sequence's frames, in order.
    static std::vector<std::string> frameNames(Animation* pAnim, const char* pszSeq)
    {
        std::vector<std::string> names;
        for (int i = 0; i < pAnim->getFrameCount(pszSeq); ++i)
            names.push_back(pAnim->getFrameImage(pszSeq, i)->getName().c_str());
        return names;
    }

    static std::vector<int> frameDurations(Animation* pAnim, const char* pszSeq)
    {
        std::vector<int> durations;
        for (int i = 0; i < pAnim->getFrameCount(pszSeq); ++i)
            durations.push_back(pAnim->getFrameDuration(pszSeq, i));
        return durations;
    }

    static std::pair<int, int> insOf(Image* pImage)
    {
        return std::make_pair(pImage->getInsPointX(), pImage->getInsPointY());
    }

    // "r,g,b,a" of a canvas pixel.
    static std::string rgbaAt(Image* pImage, int x, int y)
    {
        const Color c = pImage->getPixelAt(x, y);
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
               std::to_string(c.a);
    }

    static std::vector<std::string> toVector(const RIR::List<RIR::String>& lTexts)
    {
        std::vector<std::string> result;
        for (int i = 0; i < lTexts.getLength(); ++i)
            result.push_back(lTexts.get(i).c_str());
        return result;
    }

    MemImageFactory m_factory;
    MemImageEnvironment m_env;
    std::string m_sFolder;
};

#endif
