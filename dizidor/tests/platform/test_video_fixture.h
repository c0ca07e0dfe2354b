// Shared set-up of the video driver tests: the log captured in a file of its own, a scripted
// application (host) with fake screen modes, and pictures held in SDL surfaces.
#ifndef DIZIDOR_TESTS_PLATFORM_TEST_VIDEO_FIXTURE_H
#define DIZIDOR_TESTS_PLATFORM_TEST_VIDEO_FIXTURE_H

#include "app/log.h"
#include "gfx/sprite.h"
#include "platform/sdl/sdlimage.h"
#include "platform/sdl/videohost.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

// Every test runs on SDL's dummy video driver unless told otherwise.
inline void useDummyVideo()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
}

// The log goes to a file of this object's own while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        char szTemplate[] = "/tmp/dbd_videolog_XXXXXX";
        int nFd = mkstemp(szTemplate);
        if (nFd >= 0)
            close(nFd);
        m_sPath = szTemplate;
        openLog(m_sPath.c_str());
    }
    ~LogCapture()
    {
        closeLog();
        unlink(m_sPath.c_str());
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string text() const
    {
        std::ifstream in(m_sPath);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> lLines;
        std::stringstream ss(text());
        std::string sLine;
        while (std::getline(ss, sLine))
            lLines.push_back(sLine);
        return lLines;
    }
    // The lines that start with the prefix.
    std::vector<std::string> linesStartingWith(const std::string& sPrefix) const
    {
        std::vector<std::string> lResult;
        for (const std::string& sLine : lines())
        {
            if (sLine.compare(0, sPrefix.size(), sPrefix) == 0)
                lResult.push_back(sLine);
        }
        return lResult;
    }

private:
    std::string m_sPath;
};

// A screen mode as the renderer sees it: flags and sprite layers of the test's making.
class FakeDrawnMode : public IDrawnMode
{
public:
    explicit FakeDrawnMode(int nFlags = 0x03) : m_nFlags(nFlags) {}
    ~FakeDrawnMode() override { m_lLayers.clearAndDelete(); }

    bool isActive() override { return (m_nFlags & 0x01) != 0; }
    bool isVisible() override { return (m_nFlags & 0x02) != 0; }
    int getFlags() override { return m_nFlags; }
    SpriteLayerList& getSpriteLayers() override { return m_lLayers; }

    // A new layer at the end (drawn after the others).
    SpriteLayer* addLayer()
    {
        SpriteLayer* pLayer = new SpriteLayer();
        m_lLayers.append(pLayer);
        return pLayer;
    }

    int m_nFlags;

private:
    SpriteLayerList m_lLayers;
};

// The application as the drivers see it; everything scripted by the test.
class FakeVideoHost : public IVideoHost
{
public:
    RIR::List<RIR::String> getArguments() override { return m_lArguments; }
    int getFrameCount() override { return m_nFrameCount; }
    void getMousePosition(int* pnX, int* pnY) override
    {
        if (pnX)
            *pnX = m_nMouseX;
        if (pnY)
            *pnY = m_nMouseY;
    }
    int getFirstDrawnModeIndex() override { return m_nFirstDrawn; }
    IDrawnMode* getDrawnMode(int nIndex) override
    {
        ++m_nModeQueries;
        return m_lModes.at((size_t)nIndex);
    }

    RIR::List<RIR::String> m_lArguments;
    int m_nFrameCount = 1;
    int m_nMouseX = 0;
    int m_nMouseY = 0;
    int m_nFirstDrawn = -1;
    int m_nModeQueries = 0;
    std::vector<IDrawnMode*> m_lModes; // index 0 = top; not owned
};

// A 32-bit picture with alpha (or 24-bit without) of the given size, held by an SDLImage.
inline RIR::SmartPtr<SDLImage> makePicture(int nWidth, int nHeight, bool bAlpha = true)
{
    SDL_Surface* pSurf = bAlpha
                             ? SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 32, 0x000000FF,
                                                    0x0000FF00, 0x00FF0000, 0xFF000000)
                             : SDL_CreateRGBSurface(SDL_SWSURFACE, nWidth, nHeight, 24, 0x000000FF,
                                                    0x0000FF00, 0x00FF0000, 0);
    return new SDLImage(pSurf);
}

#endif
