// DBDApp: the game's application object.
//
// It fills GameApp's slots for the game: start-up (settings, the resource packs and text tables,
// the platform and its drivers, the video mode, the theme and the first three screens), exit,
// focus loss, the quit question and the default settings. It also holds what several screens
// share: the hand-over slot for the results of a finished level, the intro-done flag and the
// low-resources switch.
//
// The platform is made through a PlatformMaker, so that the same start-up runs on the SDL
// platform in the game and on the test kit's fake platform in tests:
//
//     DBDApp* pApp = new DBDApp(&makeSDLPlatform);
//     pApp->setArguments(lWords);
//     pApp->run();
//     delete pApp;
//
// Start-up writes its steps to the log between "W: >oIA" and "W: <oIA". A missing pack or text
// table is the engine's fatal error; the game's main reports it. Main thread only.
#ifndef DBD_SHELL_DBDAPP_H
#define DBD_SHELL_DBDAPP_H

#include "app/gameapp.h"

#include <memory>

class DifficultyManager;
class GameMode;
class IHttpClient;
class IPlatform;
class LevelFactory;
struct GameResults;
class SplashScreen;

// The game's version, shown in the log banner and the credits.
constexpr int DBD_VERSION_MAJOR = 1;
constexpr int DBD_VERSION_MINOR = 0;
constexpr int DBD_VERSION_BUILD = 28;

// Makes the platform with its video and audio drivers (the audio mixing at nAudioFrequency Hz)
// and its event target for pApp. The application installs and owns what it returns.
typedef IPlatform* (*PlatformMaker)(GameApp* pApp, int nAudioFrequency);

// The modes start-up pushes, made through a factory so that tests can put their own screens
// there. Each returns a new mode; null pushes nothing.
struct FirstModes
{
    GameMode* (*pfnMenu)();
    GameMode* (*pfnIntro)();
    // The splash screen with the logos added; the argument tells whether "3p_splash" exists.
    GameMode* (*pfnSplash)(bool bThirdPartyLogo);
};

class DBDApp : public GameApp
{
public:
    // The game's first modes (main menu, intro, splash screen).
    static FirstModes gameModes();

    explicit DBDApp(PlatformMaker pfnMakePlatform);
    DBDApp(PlatformMaker pfnMakePlatform, const FirstModes& modes);
    ~DBDApp() override;

    // The application as a DBDApp; null when none exists or it is another kind.
    static DBDApp* getInstance();

    // ---- GameApp's slots -----------------------------------------------------------------------

    void onInit() override;
    // "FullScreenFailed" "FALSE" when in full screen, "play.url" opened, then GameApp's exit.
    void onExit() override;
    // GameApp's, then a level that has loaded opens its options (the game pauses).
    void onAppDeactivated() override;
    // Pushes the exit question.
    void askQuitConfirmation() override;
    // The game's defaults (the library's are not written).
    void setDefaultSettings() override;
    // Writes "W: Missing resource <text>" to the log (a font or cursor the theme lacks).
    void reportMissingResource(const char* pszText) override;

    // ---- results of a finished level -----------------------------------------------------------

    // Stores the record (owned while pending). AssertFailException "Assertion failed :
    // m_pGameResults == NULL" when one is pending, "... m_pGameResults != NULL" for null.
    void setLastResults(GameResults* pResults);
    // Hands the pending record to the caller; the assertion "m_pGameResults != NULL" when none.
    GameResults* takeLastResults();
    // The pending record, left pending; same assertion.
    GameResults* getLastResults();
    bool hasLastResults() const { return m_pGameResults != nullptr; }

    // ---- starting a saloon day -----------------------------------------------------------------

    // Installs the factory of saloon days (not owned; null removes it). The game's main installs
    // the play mode's; tests install a scripted one.
    void setLevelFactory(LevelFactory* pFactory) { m_pLevelFactory = pFactory; }
    LevelFactory* getLevelFactory() const { return m_pLevelFactory; }
    // A new mode for the day pDifficulty describes (it owns pDifficulty), to be pushed by the
    // caller. AssertFailException "Assertion failed : m_pLevelFactory != NULL" without a factory
    // (pDifficulty is deleted then).
    GameMode* createLevel(DifficultyManager* pDifficulty, int nScoreTotal);

    // ---- the online exchange -------------------------------------------------------------------
    // The application's HTTP client (libcurl), made on first use. Transfers use it from their
    // worker threads and hold a share of it, so that it stays while a dialog still waits on it
    // when the application goes (its modes are deleted after its own members).
    std::shared_ptr<IHttpClient> getHttpClient();

    // ---- switches ------------------------------------------------------------------------------

    // "LowResourcesMode" is exactly "TRUE".
    bool isLowResourcesMode() const;
    // Writes "TRUE" or "FALSE"; not saved by itself.
    void setLowResourcesMode(bool bOn);
    // "ABTestingVersionB" is not exactly "TRUE".
    bool isVersionA() const;
    bool isIntroDone() const { return m_bIntroDone; }
    void setIntroDone(bool bDone) { m_bIntroDone = bDone; }

    // The second resource set, once per run; later calls do nothing.
    void loadExtraResourceFiles();

protected:
    // The packs, the folder "3rdparty", the second set and the text tables; tests serve their
    // content from memory instead.
    virtual void loadResourceFiles();

private:
    PlatformMaker m_pfnMakePlatform;
    FirstModes m_firstModes;
    bool m_bIntroDone;
    bool m_bExtraResourcesLoaded;
    GameResults* m_pGameResults; // owned while pending
    LevelFactory* m_pLevelFactory; // not owned
    std::shared_ptr<IHttpClient> m_pHttpClient;
};

#endif
