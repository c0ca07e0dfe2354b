// Fixture of the shell's store tests: an application without a platform, its log and settings
// file in a temporary folder, a fixed id clock, and helpers to load texts and read the log and
// the saved settings file back.
#ifndef DBD_TESTS_SHELL_SHELLFIXTURE_H
#define DBD_TESTS_SHELL_SHELLFIXTURE_H

#include "shell/kit/settingspairs.h"
#include "shell/kit/texttable.h"
#include "shell/playerio.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "app/settingsfile.h"

#include "rir2/hash_impl.h"
#include "rir2/resource.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

class ShellStoreTest : public ::testing::Test
{
protected:
    // The time every new id is made from unless a test moves it.
    static const int64_t FIXED_TIME = 0x12345678;

    ShellStoreTest()
    {
        openLog(m_folder.at("test.log").c_str());
        GameApp::setConfigPath(m_folder.at("dbdconfig.dat").c_str());
        m_pApp.reset(new GameApp());
        s_nTime = FIXED_TIME;
        setIdClock(&clock);
    }
    ~ShellStoreTest() override
    {
        setIdClock(nullptr);
        m_pApp.reset();
        closeLog();
    }

    static int64_t clock() { return s_nTime; }

    // Loads a text table (key and text lines) into the application's string table.
    void loadTexts(const std::string& sTable) { loadTextTable(m_pApp.get(), sTable); }

    std::string setting(const char* pszKey) const { return m_pApp->getSetting(pszKey).c_str(); }
    void set(const char* pszKey, const char* pszValue) { m_pApp->setSetting(pszKey, pszValue); }

    // Every key and value of the store (saved to the settings file and read back).
    std::map<std::string, std::string> store() const
    {
        m_pApp->saveSettings();
        return savedFile();
    }

    // The settings file on disk ({} when it was never written).
    std::map<std::string, std::string> savedFile() const
    {
        return readSettingsPairs(m_folder.at("dbdconfig.dat"));
    }

    // The lines of the log that start with "W: ".
    std::vector<std::string> gameLogLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(TempFolder::readFile(m_folder.at("test.log")));
        for (std::string s; std::getline(in, s);)
            if (s.compare(0, 3, "W: ") == 0)
                lines.push_back(s);
        return lines;
    }

    TempFolder m_folder;
    std::unique_ptr<GameApp> m_pApp;
    static inline int64_t s_nTime = FIXED_TIME;
};

#endif
