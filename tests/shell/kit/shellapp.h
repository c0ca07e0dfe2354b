// The game's application on the fake platform, with its content served from memory.
//
// ShellApp is a DBDApp whose start-up takes its texts, pictures and theme from an in-memory
// provider instead of the packs, and whose platform is the test kit's FakePlatform (recording
// video and audio drivers, in-memory pictures, a virtual clock). Screens of the shell are tested
// on it through their first modes or by pushing them. ShellAppTest sets up a temporary folder for
// the log and the settings file, and offers the content helpers.
//
//     ShellAppFixture fx;                   // temp folder, log, settings path
//     fx.addText("Caption", "Dolly");
//     ShellApp* pApp = fx.start(FirstModes{}); // onInit with no first modes
#ifndef DBD_TESTS_SHELL_KIT_SHELLAPP_H
#define DBD_TESTS_SHELL_KIT_SHELLAPP_H

#include "shell/dbdapp.h"

#include "rir2/memprovider.h"
#include "rir2/tests/tempfolder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class FakePlatform;

class ShellApp : public DBDApp
{
public:
    ShellApp(const FirstModes& modes, RIR::MemoryResourceProvider* pFiles);
    // Deletes the provider when start-up never added it.
    ~ShellApp() override;

    // The platform made by the last start; null before.
    static FakePlatform* lastPlatform();
    // The audio frequency start-up asked for at the last start.
    static int lastAudioFrequency();
    // The next platform's video driver refuses to start (its init raises).
    static void failNextVideoInit(bool bFail);
    // While on, the quit question is only counted, not shown (a test without dialog frames).
    static void countQuitQuestions(bool bOn);
    static int getQuitQuestions();

    void askQuitConfirmation() override;

protected:
    // The in-memory provider and the text table "messages.txt" held in it.
    void loadResourceFiles() override;

private:
    RIR::MemoryResourceProvider* m_pFiles; // owned until start-up hands it to the application
};

// First modes of a screen's test: a plain empty mode as the menu, no intro, no splash screen; the
// screen under test is pushed over it.
FirstModes plainMenuOnly();

class ShellAppFixture
{
public:
    ShellAppFixture();
    ~ShellAppFixture();

    // Adds a text to "messages.txt" (written when the application starts).
    void addText(const std::string& sKey, const std::string& sText);
    // A plain picture of one colour (r, g, b, a) under the name (".png" added).
    void addPicture(const std::string& sName, int nWidth, int nHeight, uint32_t nRGBA);
    // Any resource.
    void addFile(const std::string& sName, const std::string& sBytes);

    // A new application (the previous one deleted) that has run its start-up (onInit).
    ShellApp* start(const FirstModes& modes);
    // start with the main menu as the only first mode; a start that raises is also reported as
    // a failure of the running test.
    ShellApp* startMenu();
    // A new application without its start-up.
    ShellApp* create(const FirstModes& modes);
    ShellApp* app() const { return m_pApp.get(); }
    // Deletes the application.
    void stop();

    // The settings file as saved ({} without one), and the log's lines.
    std::map<std::string, std::string> savedSettings() const;
    std::vector<std::string> logLines() const;
    // Writes a settings file with these pairs (before start).
    void writeSettings(const std::map<std::string, std::string>& pairs) const;

    TempFolder m_folder;

private:
    std::map<std::string, std::string> m_files;
    std::map<std::string, std::string> m_texts;
    std::unique_ptr<ShellApp> m_pApp;
};

#endif
