// LevelTestApp: a headless application for level tests.
//
// A GameApp with its log in a temporary folder and an in-memory image environment that holds the
// animations the level's rules load by name ("shoothim.anim" with a one-pixel picture). Settings
// live in the application's store; nothing is written to disk. One at a time.
#ifndef DBD_TESTS_LEVEL_KIT_LEVELAPP_H
#define DBD_TESTS_LEVEL_KIT_LEVELAPP_H

#include <memory>

class GameApp;
class MemImageEnvironment;
class MemImageFactory;
class TempFolder;

class LevelTestApp
{
public:
    LevelTestApp();
    ~LevelTestApp();

    LevelTestApp(const LevelTestApp&) = delete;
    LevelTestApp& operator=(const LevelTestApp&) = delete;

    GameApp& app() { return *m_pApp; }
    MemImageEnvironment& env() { return *m_pEnv; }

private:
    std::unique_ptr<TempFolder> m_pFolder;
    std::unique_ptr<GameApp> m_pApp;
    std::unique_ptr<MemImageFactory> m_pFactory;
    std::unique_ptr<MemImageEnvironment> m_pEnv;
};

#endif
