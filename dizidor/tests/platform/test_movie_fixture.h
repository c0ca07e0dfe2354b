// Shared set-up of the movie tests: an initialised application on the fake platform (in-memory
// images, the recording video driver) whose audio is either the recording driver (no mixer: the
// movie is silent) or SDL_mixer on SDL's disk audio driver, writing the mixed output to a file
// of the test's folder. The test movies are made at build time by tools/moviegen
// (DBD_TEST_MOVIE_DIR).
#ifndef DIZIDOR_TESTS_PLATFORM_TEST_MOVIE_FIXTURE_H
#define DIZIDOR_TESTS_PLATFORM_TEST_MOVIE_FIXTURE_H

#include "app/gameapp.h"
#include "app/log.h"
#include "platform/sdl/sdlaudiodriver.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

// The path of a generated test movie.
inline std::string testMovie(const char* pszName)
{
    return std::string(DBD_TEST_MOVIE_DIR) + "/" + pszName + ".ogv";
}

// A folder of its own for one movie test, removed with everything in it. (The image tests'
// TempFolder of sdlimagetestenv.h is another class of the same test program.)
class MovieTestFolder
{
public:
    MovieTestFolder()
    {
        std::string sTemplate = "/tmp/dbd-movie-XXXXXX";
        if (mkdtemp(&sTemplate[0]))
            m_sPath = sTemplate;
    }
    ~MovieTestFolder()
    {
        std::error_code ec;
        if (!m_sPath.empty())
            std::filesystem::remove_all(m_sPath, ec);
    }
    MovieTestFolder(const MovieTestFolder&) = delete;
    MovieTestFolder& operator=(const MovieTestFolder&) = delete;

    std::string at(const std::string& sName) const { return m_sPath + "/" + sName; }
    std::string writeFile(const std::string& sName, const std::string& sBytes) const
    {
        const std::string sPath = at(sName);
        std::ofstream out(sPath, std::ios::binary | std::ios::trunc);
        out.write(sBytes.data(), (std::streamsize)sBytes.size());
        return sPath;
    }
    static std::string readFile(const std::string& sPath)
    {
        std::ifstream in(sPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_sPath;
};

class MovieAppTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_pApp.reset();
        closeLog();
        if (m_bDiskAudio)
            SDL_Quit();
    }

    // The application; bDiskAudio: SDL_mixer at nFrequency on the disk writer.
    void startApp(bool bDiskAudio = false, int nFrequency = 22050)
    {
        openLog(m_folder.at("app.log").c_str());
        GameApp::setConfigPath(m_folder.at("config.dat").c_str());
        m_pApp.reset(new GameApp());
        m_pPlatform = new FakePlatform();
        m_pPlatform->adoptImageFactory(new MemImageFactory());
        if (bDiskAudio)
        {
            m_bDiskAudio = true;
            setenv("SDL_AUDIODRIVER", "disk", 1);
            setenv("SDL_DISKAUDIOFILE", m_folder.at("mix.raw").c_str(), 1);
            // A test may have asked for its own pace; otherwise the writer runs well ahead of
            // real time.
            setenv("SDL_DISKAUDIODELAY", "5", 0);
            SDLAudioDriver* pAudio = new SDLAudioDriver();
            pAudio->setFrequency(nFrequency);
            m_pPlatform->setAudioDriver(pAudio);
        }
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
    }

    // Closes the mixer (flushing the disk writer) and answers what it wrote.
    std::string closeMixer()
    {
        if (m_pPlatform && m_pPlatform->getAudioDriver())
            m_pPlatform->getAudioDriver()->shutdown();
        return MovieTestFolder::readFile(m_folder.at("mix.raw"));
    }

    MovieTestFolder m_folder;
    std::unique_ptr<GameApp> m_pApp;
    FakePlatform* m_pPlatform = nullptr; // owned by the application
    bool m_bDiskAudio = false;
};

#endif
