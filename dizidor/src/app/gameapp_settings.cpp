// GameApp's settings store and its file.
//
// The store is a String-to-String table: the library's video, sound and cursor settings and all
// of the game's persistent state (profiles, save slots, campaign, high scores). The file format
// and the safe replacement of the file are SettingsFile's (app/settingsfile.h); here is when the
// file is read and written and what a bad or unwritable file does.
#include "app/gameapp.h"

#include "app/datafolder.h"
#include "app/log.h"
#include "app/settingsfile.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/hash_impl.h"

#include <exception>

using RIR::String;

namespace
{

// The settings-file path of every application; replaced by initConfigPath.
String& configPath()
{
    static String s_sPath("config.dat");
    return s_sPath;
}

// Set by disableSaving; nothing clears it.
bool s_bNoSave = false;

const int VOLUME_MIN = 0;
const int VOLUME_MAX = 255;

// The line after the bad-config line: which file and why. The reason's own line ends are
// dropped, so the entry stays one line.
void logBadConfigReason(const char* pszPath, const String& sReason)
{
    RIR_TRACE("logBadConfigReason");
    String sLine(sReason);
    while (sLine.length() > 0 && (*sLine.at(-1) == '\n' || *sLine.at(-1) == '\r'))
        *sLine.at(-1) = 0;
    logPrintf("G: ** Bad config file %s : %s **\n", pszPath, sLine.c_str());
}

} // namespace

String GameApp::getSetting(const char* pszKey) const
{
    RIR_TRACE("GameApp::getSetting");
    // One lookup: the store keeps its keys as given.
    const RIR::HashNode<String, String>* pNode = m_hSettings.findNode(String(pszKey));
    return pNode ? pNode->m_value : String();
}

void GameApp::setSetting(const char* pszKey, const char* pszValue)
{
    RIR_TRACE("GameApp::setSetting");
    m_hSettings.set(String(pszKey), String(pszValue));
}

void GameApp::clearSettings()
{
    RIR_TRACE("GameApp::clearSettings");
    m_hSettings.clear();
}

void GameApp::setDefaultSettings()
{
    RIR_TRACE("GameApp::setDefaultSettings");
    setSetting("Fullscreen", "TRUE");
    setSetting("SoundVolume", "255");
    setSetting("MusicVolume", "255");
    setSetting("CustomCursor", "YES");
}

bool GameApp::isFullscreenSetting() const
{
    RIR_TRACE("GameApp::isFullscreenSetting");
    return getSetting("Fullscreen").toUpper() == "TRUE";
}

void GameApp::loadConfig()
{
    RIR_TRACE("GameApp::loadConfig");
    clearSettings();
    setDefaultSettings();
    readConfig(configPath().c_str());

    static const char* const s_apszVolumes[] = {"MusicVolume", "SoundVolume"};
    for (const char* pszKey : s_apszVolumes)
    {
        int nVolume = String::toInt(getSetting(pszKey).c_str());
        if (nVolume < VOLUME_MIN)
            nVolume = VOLUME_MIN;
        if (nVolume > VOLUME_MAX)
            nVolume = VOLUME_MAX;
        setSetting(pszKey, String::format("%d", nVolume).c_str());
    }

    // A missing or bad file is replaced at once by one holding the defaults. A settings folder
    // that cannot be written is no reason not to start: the store works, it is just not kept.
    try
    {
        RIR_TRACE_LINE();
        saveSettings();
    }
    catch (RIR::Exception& e)
    {
        logPrintf("G: ** Can't save config : %s **\n", e.getMessage());
    }
}

void GameApp::saveSettings()
{
    RIR_TRACE("GameApp::saveSettings");
    saveConfig(configPath().c_str());
}

void GameApp::saveConfig(const char* pszPath)
{
    RIR_TRACE("GameApp::saveConfig");
    if (s_bNoSave)
        return;
    SettingsFile::write(pszPath, m_hSettings);
}

void GameApp::readConfig(const char* pszPath)
{
    RIR_TRACE("GameApp::readConfig");
    // A file that is there but cannot be opened is as bad as a damaged one: it must not be
    // taken for a missing file and silently replaced.
    if (!RIR::fileExists(pszPath) && !SettingsFile::isPresent(pszPath))
    {
        m_nConfigStatus = 3;
        return;
    }
    m_nConfigStatus = 1;

    SettingsFile::Table hRead(SettingsFile::Table::DEFAULT_BUCKETS);
    bool bBad = false;
    String sReason;
    try
    {
        RIR_TRACE_LINE();
        SettingsFile::read(pszPath, hRead);
    }
    catch (const RIR::Exception& e)
    {
        bBad = true;
        sReason = e.getMessage();
    }
    catch (const std::exception& e)
    {
        bBad = true;
        sReason = e.what();
    }
    catch (...)
    {
        bBad = true;
        sReason = "unknown failure";
    }
    if (bBad)
    {
        logPrintf("G: ** Bad config, using defaults **\n");
        logBadConfigReason(pszPath, sReason);
        m_nConfigStatus = 2;
        // Kept for a look later; the next save writes a fresh file in its place.
        SettingsFile::keepAside(pszPath);
        return;
    }
    // Last, so that nothing of a bad file reaches the store.
    m_hSettings.merge(hRead);
}

void GameApp::onExit()
{
    RIR_TRACE("GameApp::onExit");
    notifyModesOfExit();
    setSetting("Fullscreen", isFullscreen() ? "TRUE" : "FALSE");
    if (isAudioOK())
    {
        setSetting("SoundVolume", String::format("%d", m_nSoundVolume).c_str());
        setSetting("MusicVolume", String::format("%d", m_nMusicVolume).c_str());
    }
    RIR_TRACE_LINE();
    saveSettings();
}

void GameApp::setConfigPath(const char* pszPath)
{
    RIR_TRACE("GameApp::setConfigPath");
    configPath() = pszPath;
}

String GameApp::getConfigPath()
{
    return configPath();
}

void initConfigPath(const char* pszPrefix, const char* pszSubFolder)
{
    RIR_TRACE("initConfigPath");
    const String sPath =
        getDataFolder(pszSubFolder) + String::format("%sconfig.dat", pszPrefix ? pszPrefix : "");
    GameApp::setConfigPath(sPath.c_str());
}

void disableSaving()
{
    RIR_TRACE("disableSaving");
    s_bNoSave = true;
}
