// engine-demo-content: writes the source files of the engine demo's pack into a folder.
//
//     engine-demo-content DIR
//
// Every file is drawn or synthesized here, so the pack needs nothing from outside:
//     backdrop.png        800 x 600 sky, hills and a grid (a picture of many texture tiles)
//     ball.png            64 x 64 shaded ball with a soft edge
//     star.png            64 x 64 glow for additive drawing
//     arrow.png           64 x 64 two-coloured arrow pointing right (shows turns and mirrors)
//     keyed.png           64 x 64 picture on magenta, with the marker keyed.colorkey: magenta is
//                         its colour key and must never show
//     spin1..spin8.png    48 x 48 frames of a turning dial
//     cursor.png          24 x 24 pointer
//     icon.png            32 x 32 window icon
//     click.wav           a short blip, 16-bit mono PCM at 22050 Hz
//     demo.anim           the animation script of the dial
// Failures print "engine-demo-content: ..." and exit with 1.
#include "testkit/testpng.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const double PI = 3.14159265358979323846;

// An RGBA picture being drawn.
struct Picture
{
    Picture(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        m_abPixels.assign((size_t)nWidth * (size_t)nHeight * 4, 0);
    }

    void set(int x, int y, int r, int g, int b, int a)
    {
        if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
            return;
        uint8_t* p = &m_abPixels[((size_t)y * (size_t)m_nWidth + (size_t)x) * 4];
        p[0] = (uint8_t)std::clamp(r, 0, 255);
        p[1] = (uint8_t)std::clamp(g, 0, 255);
        p[2] = (uint8_t)std::clamp(b, 0, 255);
        p[3] = (uint8_t)std::clamp(a, 0, 255);
    }

    // The pixels with nChannels bytes each (3 drops the alpha).
    std::vector<uint8_t> channels(int nChannels) const
    {
        std::vector<uint8_t> ab;
        ab.reserve((size_t)m_nWidth * (size_t)m_nHeight * (size_t)nChannels);
        for (size_t i = 0; i < m_abPixels.size(); i += 4)
            ab.insert(ab.end(), m_abPixels.begin() + (long)i,
                      m_abPixels.begin() + (long)i + nChannels);
        return ab;
    }

    int m_nWidth;
    int m_nHeight;
    std::vector<uint8_t> m_abPixels;
};

bool writeFile(const std::string& sPath, const std::vector<uint8_t>& abData)
{
    FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (!pFile)
    {
        std::fprintf(stderr, "engine-demo-content: cannot write %s\n", sPath.c_str());
        return false;
    }
    bool bOK = std::fwrite(abData.data(), 1, abData.size(), pFile) == abData.size();
    bOK = std::fclose(pFile) == 0 && bOK;
    if (!bOK)
        std::fprintf(stderr, "engine-demo-content: cannot write %s\n", sPath.c_str());
    return bOK;
}

bool writePng(const std::string& sDir, const char* pszName, const Picture& picture,
              int nChannels = 4)
{
    std::vector<uint8_t> abPixels = picture.channels(nChannels);
    return writeFile(sDir + "/" + pszName, encodeTestPng(picture.m_nWidth, picture.m_nHeight,
                                                         nChannels, abPixels.data()));
}

// Coverage of a pixel by a disc edge: 1 inside, 0 outside, a one-pixel ramp between.
double edge(double fDistance, double fRadius)
{
    return std::clamp(fRadius - fDistance + 0.5, 0.0, 1.0);
}

Picture makeBackdrop()
{
    Picture pic(800, 600);
    for (int y = 0; y < 600; ++y)
    {
        for (int x = 0; x < 800; ++x)
        {
            // Sky from deep blue to pale at the horizon, rolling hills below.
            double fHill = 430.0 + 40.0 * std::sin(x * 0.012) + 18.0 * std::sin(x * 0.031 + 1.0);
            int r, g, b;
            if (y < fHill)
            {
                double t = y / fHill;
                r = (int)(30 + 120 * t);
                g = (int)(50 + 140 * t);
                b = (int)(120 + 110 * t);
            }
            else
            {
                double t = (y - fHill) / (600.0 - fHill + 1.0);
                r = (int)(70 - 30 * t);
                g = (int)(130 - 50 * t);
                b = (int)(50 - 20 * t);
            }
            // A faint grid every 50 pixels: any seam between texture tiles would break it.
            if (x % 50 == 0 || y % 50 == 0)
            {
                r += 25;
                g += 25;
                b += 25;
            }
            pic.set(x, y, r, g, b, 255);
        }
    }
    return pic;
}

Picture makeBall()
{
    Picture pic(64, 64);
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            double dx = x + 0.5 - 32.0;
            double dy = y + 0.5 - 32.0;
            double d = std::sqrt(dx * dx + dy * dy);
            // Light from the upper left.
            double l = std::clamp(
                1.0 - std::sqrt((dx + 10) * (dx + 10) + (dy + 10) * (dy + 10)) / 48.0, 0.0, 1.0);
            int v = (int)(90 + 165 * l);
            pic.set(x, y, v, v, v, (int)(255 * edge(d, 30.0)));
        }
    }
    return pic;
}

Picture makeStar()
{
    Picture pic(64, 64);
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            double dx = std::fabs(x + 0.5 - 32.0);
            double dy = std::fabs(y + 0.5 - 32.0);
            double d = std::sqrt(dx * dx + dy * dy);
            double fGlow = std::clamp(1.0 - d / 32.0, 0.0, 1.0);
            double fRays = std::clamp(1.0 - std::min(dx, dy) / 3.0, 0.0, 1.0) * fGlow;
            double a = std::clamp(fGlow * fGlow * 0.8 + fRays, 0.0, 1.0);
            pic.set(x, y, 255, 230, 140, (int)(255 * a));
        }
    }
    return pic;
}

Picture makeArrow()
{
    Picture pic(64, 64);
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            double fy = y + 0.5 - 32.0;
            double fx = x + 0.5;
            bool bShaft = fx >= 4 && fx < 40 && std::fabs(fy) < 8;
            bool bHead = fx >= 36 && fx < 62 && std::fabs(fy) < (62 - fx) * 0.9;
            if (!bShaft && !bHead)
                continue;
            // Upper half orange, lower half blue: a mirror shows at once.
            if (fy < 0)
                pic.set(x, y, 250, 140, 30, 255);
            else
                pic.set(x, y, 40, 120, 250, 255);
        }
    }
    return pic;
}

// Opaque picture on magenta; the bottom-left pixel (magenta) becomes the colour key.
Picture makeKeyed()
{
    Picture pic(64, 64);
    for (int y = 0; y < 64; ++y)
    {
        for (int x = 0; x < 64; ++x)
        {
            int d = std::abs(x - 32) + std::abs(y - 32);
            if (d < 28)
                pic.set(x, y, 250, 220, 40, 255);
            else if (d < 31)
                pic.set(x, y, 120, 60, 0, 255);
            else
                pic.set(x, y, 255, 0, 255, 255);
        }
    }
    return pic;
}

Picture makeDial(int nFrame)
{
    Picture pic(48, 48);
    const double fAngle = nFrame * 2.0 * PI / 8.0 - PI / 2.0;
    const int aHue[8][3] = {{240, 80, 80},  {240, 160, 60}, {230, 230, 60}, {90, 220, 90},
                            {60, 200, 220}, {80, 120, 240}, {170, 90, 240}, {240, 90, 200}};
    for (int y = 0; y < 48; ++y)
    {
        for (int x = 0; x < 48; ++x)
        {
            double dx = x + 0.5 - 24.0;
            double dy = y + 0.5 - 24.0;
            double d = std::sqrt(dx * dx + dy * dy);
            // The hand: distance from the segment from the centre towards the angle.
            double ux = std::cos(fAngle);
            double uy = std::sin(fAngle);
            double t = std::clamp(dx * ux + dy * uy, 0.0, 19.0);
            double hx = dx - t * ux;
            double hy = dy - t * uy;
            double fHand = edge(std::sqrt(hx * hx + hy * hy), 3.0);
            double fRim = edge(d, 22.0) - edge(d, 19.0);
            double fFace = edge(d, 19.0);
            int r = (int)(fFace * 30 + fRim * aHue[nFrame][0] + fHand * 255);
            int g = (int)(fFace * 30 + fRim * aHue[nFrame][1] + fHand * 255);
            int b = (int)(fFace * 40 + fRim * aHue[nFrame][2] + fHand * 255);
            double a = std::max(edge(d, 22.0), fHand);
            pic.set(x, y, r, g, b, (int)(255 * a));
        }
    }
    return pic;
}

Picture makeCursor()
{
    Picture pic(24, 24);
    for (int y = 0; y < 24; ++y)
    {
        for (int x = 0; x < 24; ++x)
        {
            // A classic pointer: a triangle from the tip (0, 0), with a dark outline.
            bool bInside = x <= y * 0.6 && y < 20;
            bool bOutline = bInside && (x == 0 || x + 1 > (y * 0.6) || y == 19);
            if (bInside)
                pic.set(x, y, bOutline ? 0 : 255, bOutline ? 0 : 255, bOutline ? 0 : 255, 255);
        }
    }
    return pic;
}

Picture makeIcon()
{
    Picture pic(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pic.set(x, y, 40 + x * 6, 80, 200 - y * 4, 255);
    return pic;
}

void putLittle(std::vector<uint8_t>& ab, uint32_t nValue, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        ab.push_back((uint8_t)(nValue >> (8 * i)));
}

// A falling blip: 0.15 s of a sine sweeping from 1200 Hz to 500 Hz, fading out.
std::vector<uint8_t> makeClick()
{
    const uint32_t nRate = 22050;
    const uint32_t nSamples = nRate * 15 / 100;
    std::vector<uint8_t> ab;
    ab.insert(ab.end(), {'R', 'I', 'F', 'F'});
    putLittle(ab, 36 + nSamples * 2, 4);
    ab.insert(ab.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle(ab, 16, 4);
    putLittle(ab, 1, 2); // PCM
    putLittle(ab, 1, 2); // mono
    putLittle(ab, nRate, 4);
    putLittle(ab, nRate * 2, 4);
    putLittle(ab, 2, 2);
    putLittle(ab, 16, 2);
    ab.insert(ab.end(), {'d', 'a', 't', 'a'});
    putLittle(ab, nSamples * 2, 4);
    double fPhase = 0.0;
    for (uint32_t i = 0; i < nSamples; ++i)
    {
        double t = (double)i / nSamples;
        fPhase += 2.0 * PI * (1200.0 - 700.0 * t) / nRate;
        double fValue = std::sin(fPhase) * (1.0 - t) * (1.0 - t) * 0.6;
        putLittle(ab, (uint32_t)(int16_t)(fValue * 32767.0), 2);
    }
    return ab;
}

const char* const DEMO_ANIM = "# The dial of the engine demo: eight frames, one turn a second.\n"
                              "fps 30\n"
                              "mload spin 1 8\n"
                              "minspos center middle spin 1 8\n"
                              "seq turn loop fps 8\n"
                              "madd spin 1 8\n"
                              "default turn\n";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: engine-demo-content DIR\n");
        return 1;
    }
    const std::string sDir = argv[1];
    bool bOK =
        writePng(sDir, "backdrop.png", makeBackdrop(), 3) &&
        writePng(sDir, "ball.png", makeBall()) && writePng(sDir, "star.png", makeStar()) &&
        writePng(sDir, "arrow.png", makeArrow()) && writePng(sDir, "keyed.png", makeKeyed(), 3) &&
        writeFile(sDir + "/keyed.colorkey", std::vector<uint8_t>{'\n'}) &&
        writePng(sDir, "cursor.png", makeCursor()) && writePng(sDir, "icon.png", makeIcon()) &&
        writeFile(sDir + "/click.wav", makeClick()) &&
        writeFile(sDir + "/demo.anim",
                  std::vector<uint8_t>(DEMO_ANIM, DEMO_ANIM + std::string(DEMO_ANIM).size()));
    for (int i = 0; i < 8 && bOK; ++i)
        bOK = writePng(sDir, ("spin" + std::to_string(i + 1) + ".png").c_str(), makeDial(i));
    return bOK ? 0 : 1;
}
