// Headless set-up shared by the tests of the SDL image back-end (Surface, SDLImage,
// SDLImageFactory).
//
// SDLImageTestVideo starts SDL on its dummy video driver (when nothing started SDL video yet)
// and registers a fake platform as the application, so that surfaces find a video driver to ask
// for the display formats: the test kit's recording driver, whose formats a test may change with
// RecordingVideoDriver::setFormats. TestSDLImageFactory carries that set-up inside the factory,
// for fixtures that own nothing but the factory (the image test table).
//
// Pictures made by an independent tool: runConvert starts ImageMagick's convert without a shell
// in a temporary folder (TempFolder); tests skip when it is not installed.
#ifndef DIZIDOR_TESTS_PLATFORM_SDLIMAGETESTENV_H
#define DIZIDOR_TESTS_PLATFORM_SDLIMAGETESTENV_H

#include "platform/sdl/sdlimagefactory.h"
#include "testkit/fakeappservices.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordingvideodriver.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class SDLImageTestVideo
{
public:
    SDLImageTestVideo() : m_platform(true), m_app(&m_platform), m_bStartedSDL(false)
    {
        if (!SDL_WasInit(SDL_INIT_VIDEO))
        {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0)
                ADD_FAILURE() << "SDL_Init failed: " << SDL_GetError();
            else
                m_bStartedSDL = true;
        }
    }
    ~SDLImageTestVideo()
    {
        if (m_bStartedSDL)
            SDL_Quit();
    }

    SDLImageTestVideo(const SDLImageTestVideo&) = delete;
    SDLImageTestVideo& operator=(const SDLImageTestVideo&) = delete;

    RecordingVideoDriver* video() { return m_platform.getRecordingVideoDriver(); }

private:
    FakePlatform m_platform;
    FakeAppServices m_app;
    bool m_bStartedSDL;
};

class TestSDLImageFactory : public SDLImageFactory
{
public:
    RecordingVideoDriver* video() { return m_video.video(); }

private:
    SDLImageTestVideo m_video;
};

// A folder of its own under the temporary folder, removed with its files.
class TempFolder
{
public:
    TempFolder()
    {
        const char* pszBase = std::getenv("TMPDIR");
        std::string sTemplate =
            std::string(pszBase && *pszBase ? pszBase : "/tmp") + "/sdlimgXXXXXX";
        std::vector<char> ac(sTemplate.begin(), sTemplate.end());
        ac.push_back('\0');
        if (mkdtemp(ac.data()))
            m_sPath = ac.data();
    }
    ~TempFolder()
    {
        for (const std::string& sFile : m_lFiles)
            std::remove(sFile.c_str());
        if (!m_sPath.empty())
            rmdir(m_sPath.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool isValid() const { return !m_sPath.empty(); }
    // The path of a file in the folder; it is removed with the folder.
    std::string file(const std::string& sName)
    {
        m_lFiles.push_back(m_sPath + "/" + sName);
        return m_lFiles.back();
    }

private:
    std::string m_sPath;
    std::vector<std::string> m_lFiles;
};

// Runs "convert" with the arguments, without a shell and with its output discarded; true when it
// ran and exited with 0.
inline bool runConvert(const std::vector<std::string>& lArgs)
{
    std::vector<std::string> lAll = {"convert"};
    lAll.insert(lAll.end(), lArgs.begin(), lArgs.end());
    std::vector<char*> apszArgs;
    for (std::string& s : lAll)
        apszArgs.push_back(&s[0]);
    apszArgs.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t nPid = 0;
    const int nError = posix_spawnp(&nPid, "convert", &actions, nullptr, apszArgs.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (nError != 0)
        return false;
    int nStatus = 0;
    if (waitpid(nPid, &nStatus, 0) != nPid)
        return false;
    return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

inline bool haveConvert()
{
    return runConvert({"-version"});
}

inline std::vector<uint8_t> readFileBytes(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

inline bool writeFileBytes(const std::string& sPath, const std::vector<uint8_t>& ab)
{
    std::ofstream out(sPath, std::ios::binary);
    out.write((const char*)ab.data(), (std::streamsize)ab.size());
    return (bool)out;
}

#endif
