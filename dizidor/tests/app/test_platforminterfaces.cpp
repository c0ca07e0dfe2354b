// The shared parts of the platform and video driver interfaces: the depth code of the flag word,
// the pixel format record and the scale the platform hands on to its video driver.
#include "app/iplatform.h"
#include "app/ivideodriver.h"
#include "app/pixelformat.h"
#include "app/videoflags.h"

#include "testkit/fakeplatform.h"
#include "testkit/recordingvideodriver.h"

#include <gtest/gtest.h>

#include <type_traits>

static_assert(std::is_abstract_v<IPlatform> && std::is_abstract_v<IVideoDriver>,
              "back-ends implement them");
static_assert(std::has_virtual_destructor_v<IPlatform>, "GameApp deletes the platform");
static_assert(std::has_virtual_destructor_v<IVideoDriver>, "the platform deletes its driver");
static_assert(!std::is_copy_constructible_v<IPlatform>, "a platform is not copied");
static_assert(sizeof(PixelFormat) == 5 * sizeof(uint32_t), "five 32-bit fields");

namespace
{

TEST(VideoFlagsTest, Values)
{
    EXPECT_EQ(0x01, VF_FULLSCREEN);
    EXPECT_EQ(0x02, VF_NO_AUDIO);
    EXPECT_EQ(0x0C, VF_DEPTH_MASK);
    EXPECT_EQ(0x10, VF_NO_FRAME);
    EXPECT_EQ(0x20, VF_ZBUFFER);
    EXPECT_EQ(0xF0000000u, (uint32_t)VF_FROM_SETTINGS);
}

TEST(VideoFlagsTest, BppFromFlagsReadsOnlyTheDepthBits)
{
    struct
    {
        int nFlags;
        int nBpp;
    } const aCases[] = {
        {0x00, 0},
        {0x04, 16},
        {0x08, 24},
        {0x0C, 32},
        {0x0D, 32},
        {0x3F, 32},
        {0x31, 0},
        {0x15, 16},
        {VF_FROM_SETTINGS, 0},
        {VF_FROM_SETTINGS | 0x08, 24},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.nBpp, IVideoDriver::bppFromFlags(c.nFlags))
            << "flags 0x" << std::hex << c.nFlags;
}

TEST(VideoFlagsTest, FlagsFromBpp)
{
    struct
    {
        int nBpp;
        int nCode;
    } const aCases[] = {
        {15, 4}, {16, 4}, {24, 8}, {32, 12}, {8, 0}, {0, 0}, {-16, 0}, {31, 0}, {48, 0},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.nCode, IVideoDriver::flagsFromBpp(c.nBpp)) << c.nBpp << " bits";
    // Round trip for the depths a driver reports.
    for (int nBpp : {16, 24, 32})
        EXPECT_EQ(nBpp, IVideoDriver::bppFromFlags(IVideoDriver::flagsFromBpp(nBpp)));
}

TEST(PixelFormatTest, FieldsInOrderAndComparison)
{
    const PixelFormat none;
    EXPECT_EQ(0u, none.m_nBitsPerPixel);
    EXPECT_EQ(0u, none.m_nAlphaMask | none.m_nRedMask | none.m_nGreenMask | none.m_nBlueMask);

    const PixelFormat alpha(32, 0xFF000000, 0x000000FF, 0x0000FF00, 0x00FF0000);
    EXPECT_EQ(32u, alpha.m_nBitsPerPixel);
    EXPECT_EQ(0xFF000000u, alpha.m_nAlphaMask);
    EXPECT_EQ(0x000000FFu, alpha.m_nRedMask);
    EXPECT_EQ(0x0000FF00u, alpha.m_nGreenMask);
    EXPECT_EQ(0x00FF0000u, alpha.m_nBlueMask);
    EXPECT_EQ(alpha, PixelFormat(32, 0xFF000000, 0xFF, 0xFF00, 0xFF0000));
    EXPECT_NE(alpha, PixelFormat(32, 0, 0xFF, 0xFF00, 0xFF0000));
    EXPECT_NE(alpha, none);
}

TEST(PlatformScaleTest, StoredWithoutDriverAndHandedOnWithOne)
{
    FakePlatform bare(false);
    EXPECT_FLOAT_EQ(1.0f, bare.getScale());
    bare.setScale(2.0f);
    EXPECT_FLOAT_EQ(2.0f, bare.getScale());
    EXPECT_EQ(0, bare.getLog()->countCalls("video.setScale"));

    FakePlatform platform;
    EXPECT_FLOAT_EQ(1.0f, platform.getVideoDriver()->getScale());
    platform.setScale(2.0f);
    EXPECT_FLOAT_EQ(2.0f, platform.getScale());
    EXPECT_FLOAT_EQ(2.0f, platform.getVideoDriver()->getScale());

    // A driver installed later takes the platform's scale.
    bare.setVideoDriver(new RecordingVideoDriver());
    EXPECT_FLOAT_EQ(2.0f, bare.getVideoDriver()->getScale());
}

} // namespace
