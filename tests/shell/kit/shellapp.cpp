#include "shell/kit/shellapp.h"
#include "shell/kit/settingspairs.h"

#include "shell/menuframe.h"

#include "app/gamemode.h"
#include "app/log.h"
#include "app/settingsfile.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/recordingvideodriver.h"
#include "testkit/testpng.h"

#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace
{

FakePlatform* s_pLastPlatform = nullptr;
int s_nLastFrequency = 0;
bool s_bFailVideo = false;
bool s_bCountQuestions = false;
int s_nQuestions = 0;

IPlatform* makeFakePlatform(GameApp*, int nAudioFrequency)
{
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    if (s_bFailVideo && pPlatform->getRecordingVideoDriver())
        pPlatform->getRecordingVideoDriver()->failInit(true);
    s_bFailVideo = false;
    s_pLastPlatform = pPlatform;
    s_nLastFrequency = nAudioFrequency;
    return pPlatform;
}

void addBytes(RIR::MemoryResourceProvider* pFiles, const std::string& sName,
              const std::string& sBytes)
{
    uint8_t* pData = new uint8_t[sBytes.size() + 1];
    std::memcpy(pData, sBytes.data(), sBytes.size());
    pFiles->add(sName.c_str(), new RIR::Resource((int)sBytes.size(), pData, true));
}

} // namespace

ShellApp::ShellApp(const FirstModes& modes, RIR::MemoryResourceProvider* pFiles)
    : DBDApp(&makeFakePlatform, modes), m_pFiles(pFiles)
{
}

ShellApp::~ShellApp()
{
    delete m_pFiles;
}

FakePlatform* ShellApp::lastPlatform()
{
    return s_pLastPlatform;
}

int ShellApp::lastAudioFrequency()
{
    return s_nLastFrequency;
}

void ShellApp::failNextVideoInit(bool bFail)
{
    s_bFailVideo = bFail;
}

void ShellApp::countQuitQuestions(bool bOn)
{
    s_bCountQuestions = bOn;
    s_nQuestions = 0;
}

int ShellApp::getQuitQuestions()
{
    return s_nQuestions;
}

void ShellApp::askQuitConfirmation()
{
    if (s_bCountQuestions)
        ++s_nQuestions;
    else
        DBDApp::askQuitConfirmation();
}

void ShellApp::loadResourceFiles()
{
    addProvider(m_pFiles, false);
    m_pFiles = nullptr;
    loadStrings("messages.txt");
}

ShellAppFixture::ShellAppFixture()
{
    openLog(m_folder.at("dbd.log").c_str());
    GameApp::setConfigPath(m_folder.at("dbdconfig.dat").c_str());
    addPicture("icon", 32, 32, 0xFF0000FF);
    addFile("dolly.theme", "");
}

ShellAppFixture::~ShellAppFixture()
{
    stop();
    closeLog();
}

void ShellAppFixture::addText(const std::string& sKey, const std::string& sText)
{
    m_texts[sKey] = sText;
}

void ShellAppFixture::addPicture(const std::string& sName, int nWidth, int nHeight,
                                 uint32_t nRGBA)
{
    std::vector<uint8_t> abPixels((size_t)nWidth * (size_t)nHeight * 4);
    for (size_t i = 0; i < abPixels.size(); i += 4)
    {
        abPixels[i] = (uint8_t)(nRGBA >> 24);
        abPixels[i + 1] = (uint8_t)(nRGBA >> 16);
        abPixels[i + 2] = (uint8_t)(nRGBA >> 8);
        abPixels[i + 3] = (uint8_t)nRGBA;
    }
    const std::vector<uint8_t> abPng = encodeTestPng(nWidth, nHeight, 4, abPixels.data());
    m_files[sName + ".png"] = std::string(abPng.begin(), abPng.end());
}

void ShellAppFixture::addFile(const std::string& sName, const std::string& sBytes)
{
    m_files[sName] = sBytes;
}

FirstModes plainMenuOnly()
{
    FirstModes modes;
    modes.pfnMenu = []() -> GameMode* { return new GameMode(); };
    modes.pfnIntro = nullptr;
    modes.pfnSplash = nullptr;
    return modes;
}

ShellApp* ShellAppFixture::create(const FirstModes& modes)
{
    stop();
    RIR::MemoryResourceProvider* pFiles = new RIR::MemoryResourceProvider();
    std::string sTable;
    for (const auto& text : m_texts)
        sTable += text.first + " " + text.second + "\n";
    addBytes(pFiles, "messages.txt", sTable);
    for (const auto& file : m_files)
        addBytes(pFiles, file.first, file.second);
    m_pApp.reset(new ShellApp(modes, pFiles));
    return m_pApp.get();
}

ShellApp* ShellAppFixture::startMenu()
{
    FirstModes modes;
    modes.pfnMenu = []() -> GameMode* { return new MenuFrame(); };
    modes.pfnIntro = nullptr;
    modes.pfnSplash = nullptr;
    try
    {
        return start(modes);
    }
    catch (const RIR::Exception& e)
    {
        ADD_FAILURE() << e.getMessage();
        throw;
    }
}

ShellApp* ShellAppFixture::start(const FirstModes& modes)
{
    ShellApp* pApp = create(modes);
    pApp->onInit();
    return pApp;
}

void ShellAppFixture::stop()
{
    m_pApp.reset();
}

std::map<std::string, std::string> ShellAppFixture::savedSettings() const
{
    return readSettingsPairs(m_folder.at("dbdconfig.dat"));
}

void ShellAppFixture::writeSettings(const std::map<std::string, std::string>& pairs) const
{
    SettingsFile::Table table;
    for (const auto& pair : pairs)
        table.set(pair.first.c_str(), pair.second.c_str());
    SettingsFile::write(m_folder.at("dbdconfig.dat").c_str(), table);
}

std::vector<std::string> ShellAppFixture::logLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(TempFolder::readFile(m_folder.at("dbd.log")));
    for (std::string s; std::getline(in, s);)
        lines.push_back(s);
    return lines;
}
