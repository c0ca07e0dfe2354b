#include "screenshot.h"

#include "app/pngwriter.h"
#include "platform/d3d7/d3d7videodriver.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <strings.h>
#include <vector>

namespace demokit
{

bool writeScreenshot(const FrameCapture& capture, const std::string& sPath,
                     ScreenshotFormat eFormat)
{
    const bool bBmp = eFormat == SHOT_BMP_BY_NAME && sPath.size() >= 4 &&
                      strcasecmp(sPath.c_str() + sPath.size() - 4, ".bmp") == 0;
    std::vector<uint8_t> abRGB;
    abRGB.reserve(capture.lPixels.size() * 3);
    for (uint32_t nPixel : capture.lPixels)
    {
        abRGB.push_back((uint8_t)(nPixel >> 16));
        abRGB.push_back((uint8_t)(nPixel >> 8));
        abRGB.push_back((uint8_t)nPixel);
    }
    if (bBmp)
    {
        SDL_Surface* pSurface =
            SDL_CreateRGBSurfaceFrom(abRGB.data(), capture.nWidth, capture.nHeight, 24,
                                     capture.nWidth * 3, 0x0000FF, 0x00FF00, 0xFF0000, 0);
        if (!pSurface)
            return false;
        const bool bOK = SDL_SaveBMP(pSurface, sPath.c_str()) == 0;
        SDL_FreeSurface(pSurface);
        return bOK;
    }
    std::vector<uint8_t> abPng = encodePng(capture.nWidth, capture.nHeight, 3, abRGB.data());
    FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (!pFile)
        return false;
    bool bOK = std::fwrite(abPng.data(), 1, abPng.size(), pFile) == abPng.size();
    bOK = std::fclose(pFile) == 0 && bOK;
    return bOK;
}

bool saveScreenshot(const char* pszProgram, D3D7VideoDriver* pVideo, const std::string& sPath,
                    const std::string& sDisplay, ScreenshotFormat eFormat)
{
    FrameCapture capture;
    if (!pVideo || !pVideo->takeFrameCapture(&capture))
    {
        std::fprintf(stderr, "%s: %s keeps no pixels: no screenshot\n", pszProgram,
                     sDisplay.c_str());
        return false;
    }
    if (!writeScreenshot(capture, sPath, eFormat))
    {
        std::fprintf(stderr, "%s: cannot write %s\n", pszProgram, sPath.c_str());
        return false;
    }
    return true;
}

} // namespace demokit
