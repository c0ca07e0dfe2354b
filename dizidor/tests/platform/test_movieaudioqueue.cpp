// The movie sound queue's resampler and the YUV conversion, as plain code: sample repetition by
// rate and channel, blocks larger than the resample buffer, replace against mix; the table
// colours, 4:2:0 blocks and odd sizes.
#include "platform/theora/movieaudioqueue.h"
#include "platform/theora/yuvconvert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{

SDLTHAudio* buffer(const std::vector<int16_t>& vSamples)
{
    SDLTHAudio* pAudio = new SDLTHAudio((int)vSamples.size());
    std::memcpy(pAudio->m_pnData, vSamples.data(), vSamples.size() * 2);
    return pAudio;
}

std::vector<int16_t> fillSamples(MovieAudioQueue& queue, int nSamples, bool bReplace = true,
                                 MovieAudioQueue::MixFunction mix = nullptr)
{
    std::vector<int16_t> vOut((size_t)nSamples, 7);
    queue.fill(reinterpret_cast<uint8_t*>(vOut.data()), nSamples * 2, bReplace, mix, nullptr);
    return vOut;
}

// Adds the samples, as SDL_MixAudio would without clipping.
void addMix(uint8_t* pDst, const uint8_t* pSrc, uint32_t nLen, int)
{
    int16_t* pD = reinterpret_cast<int16_t*>(pDst);
    const int16_t* pS = reinterpret_cast<const int16_t*>(pSrc);
    for (uint32_t i = 0; i < nLen / 2; ++i)
        pD[i] = (int16_t)(pD[i] + pS[i]);
}

} // namespace

TEST(MovieAudioQueueTest, RepeatsSamplesByRateAndChannel)
{
    struct
    {
        float fRatio;
        int nIn, nOut;
        std::vector<int16_t> vSource;
        std::vector<int16_t> vExpected;
    } const aCases[] = {
        // Mono at the mixer's rate into stereo: each sample twice.
        {1.0f, 1, 2, {1, 2, 3}, {1, 1, 2, 2, 3, 3}},
        // Mono at half the rate into stereo: each sample four times.
        {0.5f, 1, 2, {1, 2}, {1, 1, 1, 1, 2, 2, 2, 2}},
        // Stereo at half the rate: frames repeated, channels kept.
        {0.5f, 2, 2, {1, -1, 2, -2}, {1, -1, 1, -1, 2, -2, 2, -2}},
        // Stereo at twice the rate: every other frame.
        {2.0f, 2, 2, {1, -1, 2, -2, 3, -3, 4, -4}, {1, -1, 3, -3}},
        // Stereo into mono: the first channel.
        {1.0f, 2, 1, {5, -5, 6, -6}, {5, 6}},
    };
    for (const auto& c : aCases)
    {
        MovieAudioQueue queue;
        queue.configure(true, c.fRatio, c.nIn, c.nOut);
        queue.append(buffer(c.vSource));
        const std::vector<int16_t> vOut = fillSamples(queue, (int)c.vExpected.size() + 4);
        EXPECT_EQ(c.vExpected,
                  std::vector<int16_t>(vOut.begin(), vOut.begin() + (long)c.vExpected.size()));
        EXPECT_EQ(7, vOut[c.vExpected.size()]) << "nothing written past the sound";
        EXPECT_TRUE(queue.isEmpty());
    }
}

TEST(MovieAudioQueueTest, BlocksLargerThanTheResampleBufferAreFilledInSteps)
{
    // 40000 mono samples at half the rate into stereo: 320000 bytes, ten resample buffers.
    std::vector<int16_t> vSource(40000);
    for (size_t i = 0; i < vSource.size(); ++i)
        vSource[i] = (int16_t)(i % 1000);
    MovieAudioQueue queue;
    queue.configure(true, 0.5f, 1, 2);
    queue.append(buffer(vSource));
    const int nOut = 160000;
    const std::vector<int16_t> vOut = fillSamples(queue, nOut);
    for (int i = 0; i < nOut; i += 997)
        ASSERT_EQ(vSource[(size_t)(i / 4)], vOut[(size_t)i]) << i;
    EXPECT_TRUE(queue.isEmpty());
}

TEST(MovieAudioQueueTest, CopiesOrMixesAcrossBuffersAndKeepsTheRest)
{
    for (bool bReplace : {true, false})
    {
        MovieAudioQueue queue;
        queue.append(buffer({1, 2, 3}));
        queue.append(buffer({4, 5}));
        std::vector<int16_t> vOut = fillSamples(queue, 4, bReplace, &addMix);
        const std::vector<int16_t> vExpected =
            bReplace ? std::vector<int16_t>{1, 2, 3, 4} : std::vector<int16_t>{8, 9, 10, 11};
        EXPECT_EQ(vExpected, vOut);
        EXPECT_EQ(1, queue.getCount());
        vOut = fillSamples(queue, 3, true);
        EXPECT_EQ((std::vector<int16_t>{5, 7, 7}), vOut) << "the rest, then the queue is dry";
        EXPECT_TRUE(queue.isEmpty());
    }
}

TEST(YuvConvertTest, TableColours)
{
    // Grey 16 stays grey; alpha is always 255; the factors go through the tables.
    EXPECT_EQ(0xFF101010u, yuvToPixel(16, 128, 128));
    EXPECT_EQ(0xFF808080u, yuvToPixel(128, 128, 128));
    // R = 81 + int(112 x 1.37) = 234; G = 81 + int(-38 x -0.336) + int(112 x -0.698) = 15;
    // B = 81 + int(-38 x 1.732) = 16.
    EXPECT_EQ(0xFF100FEAu, yuvToPixel(81, 90, 240));
    // Clamped at both ends.
    EXPECT_EQ(0xFFFF00FFu, yuvToPixel(255, 255, 255) & 0xFFFF00FFu);
    EXPECT_EQ(0xFF000000u, yuvToPixel(0, 0, 0) & 0xFFFF00FFu);
}

TEST(YuvConvertTest, BlocksAndOddSizesWriteEveryPixel)
{
    // A 5 x 3 picture in planes of 8 x 4 (chroma 4 x 2): chroma column j has U = 100 + j.
    std::vector<uint8_t> abY(32, 16), abU(8), abV(8, 128);
    for (int i = 0; i < 8; ++i)
        abU[(size_t)i] = (uint8_t)(100 + i % 4 + 10 * (i / 4));
    const YuvPlanes planes = {abY.data(), abU.data(), abV.data(), 8, 4};
    std::vector<uint32_t> anOut(5 * 3, 0xDEADBEEF);
    convertFrame420(planes, anOut.data(), 5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(yuvToPixel(16, 100 + x / 2 + 10 * (y / 2), 128), anOut[(size_t)(y * 5 + x)])
                << x << ", " << y;

    // 4:2:2 (chroma rows per luma row, half columns) and 4:4:4.
    std::vector<uint32_t> anOut2(5 * 3, 0xDEADBEEF);
    const YuvPlanes planes422 = {abY.data(), abU.data(), abV.data(), 8, 4};
    convertFrame(planes422, anOut2.data(), 5, 2, 1, false);
    EXPECT_EQ(yuvToPixel(16, 102, 128), anOut2[4]);
    EXPECT_EQ(yuvToPixel(16, 112, 128), anOut2[5 + 4]);
    convertFrame(planes422, anOut2.data(), 3, 2, 1, true);
    EXPECT_EQ(yuvToPixel(16, 102, 128), anOut2[2]);
}
