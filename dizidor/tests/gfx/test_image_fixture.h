// The image test table: a typed fixture over an image back-end.
//
// Every table file (test_image_*_table.h) defines a type-parameterised suite on ImageTable<B>,
// where B is a back-end description:
//
//     struct SomeImageBackend
//     {
//         static ImageFactory* createFactory(); // a new factory, owned by the fixture
//     };
//
// test_image_mem.cpp runs the table on the in-memory back-end of the test kit; another back-end
// runs the same table by including the table headers and instantiating each suite with its own
// description. Resources and the image cache come from a MemImageEnvironment installed for each
// test, so pictures are PNG bytes made in code.
#ifndef DIZIDOR_TESTS_GFX_TEST_IMAGE_FIXTURE_H
#define DIZIDOR_TESTS_GFX_TEST_IMAGE_FIXTURE_H

#include "gfx/color.h"
#include "gfx/image.h"
#include "gfx/imagefactory.h"
#include "rir2/exception.h"
#include "testkit/memimageenv.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Colours and rectangles are compared as their texts, so that a failure shows the values.
inline std::string imageText(const Color& c)
{
    return c.toString().c_str();
}
inline std::string imageText(const Rect& r)
{
    return r.toString().c_str();
}
#define EXPECT_COLOR(expected, actual) EXPECT_EQ(imageText(Color(expected)), imageText(actual))
#define ASSERT_COLOR(expected, actual) ASSERT_EQ(imageText(Color(expected)), imageText(actual))
#define EXPECT_RECT(expected, actual) EXPECT_EQ(imageText(Rect(expected)), imageText(actual))

// The message of the RIR exception of type E that f raises, or "<nothing raised>".
template <class E, class F> std::string imageMessageOf(F f)
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

// A colour per pixel, distinct within 32 x 32 pixels, so that a misplaced pixel shows.
inline Color patternColor(int x, int y, bool bAlpha)
{
    return Color(8 * x + 3, 8 * y + 5, (x * 3 + y * 5) & 0xFF, bAlpha ? 40 + 6 * x + y : 255);
}

template <class Backend> class ImageTable : public ::testing::Test
{
protected:
    ImageTable() : m_pFactory(Backend::createFactory()), m_env(m_pFactory.get()) {}

    ImageFactory* factory() { return m_pFactory.get(); }

    RIR::SmartPtr<Image> blank(int nWidth, int nHeight, bool bAlpha)
    {
        return RIR::SmartPtr<Image>(m_pFactory->createBlank(nWidth, nHeight, bAlpha));
    }

    // A blank image whose stored pixels are the pattern.
    RIR::SmartPtr<Image> pattern(int nWidth, int nHeight, bool bAlpha)
    {
        RIR::SmartPtr<Image> pImage = blank(nWidth, nHeight, bAlpha);
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
                pImage->setPixelAt(x, y, patternColor(x, y, bAlpha));
        return pImage;
    }

    // A filled blank image.
    RIR::SmartPtr<Image> filled(int nWidth, int nHeight, bool bAlpha, const Color& color)
    {
        RIR::SmartPtr<Image> pImage = blank(nWidth, nHeight, bAlpha);
        pImage->fill(color);
        return pImage;
    }

    // Stores the pattern as the picture resource pszName + ".png".
    void addPatternPicture(const char* pszName, int nWidth, int nHeight, bool bAlpha)
    {
        const int nChannels = bAlpha ? 4 : 3;
        std::vector<uint8_t> ab;
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth; ++x)
            {
                const Color c = patternColor(x, y, bAlpha);
                ab.push_back(c.r);
                ab.push_back(c.g);
                ab.push_back(c.b);
                if (bAlpha)
                    ab.push_back(c.a);
            }
        m_env.addPicture(pszName, nWidth, nHeight, nChannels, ab.data());
    }

    RIR::SmartPtr<Image> load(const char* pszName) { return m_env.getImage(pszName); }

    // Stored pixel (x, y), read under a lock.
    static Color stored(Image* pImage, int x, int y)
    {
        pImage->lock();
        const Color c = pImage->getPixel(x, y);
        pImage->unlock();
        return c;
    }

    // Expects canvas pixel (x0 + i, y0 + j) to be expected(i, j) for i < w, j < h.
    static void expectCanvas(Image* pImage, int x0, int y0, int w, int h,
                             const std::function<Color(int, int)>& expected)
    {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                EXPECT_COLOR(expected(i, j), pImage->getPixelAt(x0 + i, y0 + j))
                    << "at canvas (" << x0 + i << ", " << y0 + j << ")";
    }

    static void expectGeometry(Image* pImage, int nPhysW, int nPhysH, int nCanvasX, int nCanvasY,
                               int nWidth, int nHeight)
    {
        int nX = 0;
        int nY = 0;
        pImage->getCanvasOffset(&nX, &nY);
        EXPECT_EQ(nPhysW, pImage->getPhysicalWidth());
        EXPECT_EQ(nPhysH, pImage->getPhysicalHeight());
        EXPECT_EQ(nCanvasX, nX);
        EXPECT_EQ(nCanvasY, nY);
        EXPECT_EQ(nWidth, pImage->getWidth());
        EXPECT_EQ(nHeight, pImage->getHeight());
    }

    std::unique_ptr<ImageFactory> m_pFactory;
    MemImageEnvironment m_env;
};

#endif
