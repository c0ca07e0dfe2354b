// Shared set-up of the screen-mode tests: an initialised application on the fake platform (an
// 800 x 600 recording video driver, in-memory images, the pump wired to the application), modes
// and controls that write every hook they hear to one journal, and ways to move the pointer.
#ifndef DIZIDOR_TESTS_APP_TEST_MODE_FIXTURE_H
#define DIZIDOR_TESTS_APP_TEST_MODE_FIXTURE_H

#include "app/gameapp.h"
#include "app/gameappeventtarget.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "rir2/list_impl.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/recordingvideodriver.h"
#include "ui/control.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Everything the modes and controls of a test heard, in order.
typedef std::vector<std::string> Journal;

inline std::string joined(const Journal& journal)
{
    std::string sOut;
    for (const std::string& s : journal)
        sOut += (sOut.empty() ? "" : " ") + s;
    return sOut;
}

// A mode that writes "<name>.<hook>" for each hook and answers input as told.
class RecMode : public GameMode
{
public:
    RecMode(Journal& journal, const std::string& sName, int nFlags = MF_ACTIVE | MF_VISIBLE)
        : m_journal(journal), m_sName(sName)
    {
        setFlags(nFlags);
    }
    ~RecMode() override
    {
        if (m_pnDeleted)
            ++*m_pnDeleted;
    }

    void onStart() override
    {
        note("start");
        if (m_onStart)
            m_onStart();
    }
    void onEnd() override
    {
        note("end");
        GameMode::onEnd();
    }
    void onEnded() override { note("ended"); }
    void onSuspend() override { note("suspend"); }
    void onActivate() override { note("activate"); }
    void onDeactivate(GameMode* pNewTop) override
    {
        RecMode* pTop = dynamic_cast<RecMode*>(pNewTop);
        note("deactivate(" + (pTop ? pTop->m_sName : std::string("?")) + ")");
    }
    bool onQuitRequest() override
    {
        note("quit?");
        return m_bTakeQuit;
    }
    void onAppExit() override { note("exit"); }
    void onAppActivated() override { note("appActivated"); }
    void onAppDeactivated() override { note("appDeactivated"); }
    void update(float /*fDt*/) override
    {
        note("update");
        if (m_onUpdate)
            m_onUpdate();
    }
    bool keyDown(int nKey, int /*nModifiers*/) override
    {
        note("keyDown(" + std::to_string(nKey) + ")");
        if (m_onInput)
            m_onInput();
        return m_bTakeKeys;
    }
    bool keyUp(int nKey, int /*nModifiers*/) override
    {
        note("keyUp(" + std::to_string(nKey) + ")");
        return m_bTakeKeys;
    }
    bool charTyped(int nCharacter) override
    {
        note("char(" + std::to_string(nCharacter) + ")");
        return m_bTakeKeys;
    }
    bool mouseMove(int nX, int nY) override
    {
        note("move(" + std::to_string(nX) + "," + std::to_string(nY) + ")");
        return m_bTakeMoves;
    }
    bool mouseDown(int nMask, int /*nX*/, int /*nY*/) override
    {
        note("down(" + std::to_string(nMask) + ")");
        if (m_onInput)
            m_onInput();
        return m_bTakeButtons;
    }
    bool mouseUp(int nMask, int /*nX*/, int /*nY*/) override
    {
        note("up(" + std::to_string(nMask) + ")");
        return m_bTakeButtons;
    }

    void note(const std::string& sHook) { m_journal.push_back(m_sName + "." + sHook); }

    Journal& m_journal;
    std::string m_sName;
    bool m_bTakeKeys = false;
    bool m_bTakeMoves = false;
    bool m_bTakeButtons = false;
    bool m_bTakeQuit = false;
    int* m_pnDeleted = nullptr;
    std::function<void()> m_onStart;
    std::function<void()> m_onUpdate;
    std::function<void()> m_onInput; // in keyDown and mouseDown
};

// A control with a w x h picture (hit anywhere on it) that writes "<name>.<hook>" for each input
// hook and answers as told; a press goes on to Control::onMouseDown unless told otherwise.
class RecControl : public Control
{
public:
    RecControl(Journal& journal, const std::string& sName, RIR::SmartPtr<Image> pImage, int nX,
               int nY, int nZOrder)
        : Control(nX, nY, nZOrder, true), m_journal(journal), m_sName(sName)
    {
        setImage(pImage);
        setHitTestMode(SHT_BOUNDS);
        setProperty("label", (void*)m_sName.c_str());
    }

    void onMouseEnter() override
    {
        note("enter");
        if (m_onEnter)
            m_onEnter();
    }
    void onMouseLeave() override
    {
        note("leave");
        if (m_onLeave)
            m_onLeave();
    }
    void onMouseMove(int nX, int nY) override
    {
        note("move(" + std::to_string(nX) + "," + std::to_string(nY) + ")");
    }
    bool onMouseDown(int nMask) override
    {
        note("down(" + std::to_string(nMask) + ")");
        return m_bTakeButtons || Control::onMouseDown(nMask);
    }
    bool onMouseUp(int nMask) override
    {
        note("up(" + std::to_string(nMask) + ")");
        return m_bTakeButtons;
    }
    void onFocusGained() override { note("focus+"); }
    void onFocusLost() override
    {
        note("focus-");
        if (m_onFocusLost)
            m_onFocusLost();
    }
    bool onKeyDown(int nKey, int /*nModifiers*/) override
    {
        note("keyDown(" + std::to_string(nKey) + ")");
        return m_bTakeKeys;
    }
    bool onKeyUp(int nKey, int /*nModifiers*/) override
    {
        note("keyUp(" + std::to_string(nKey) + ")");
        return m_bTakeKeys;
    }
    bool onChar(int nCharacter) override
    {
        note("char(" + std::to_string(nCharacter) + ")");
        return m_bTakeKeys;
    }

    void note(const std::string& sHook) { m_journal.push_back(m_sName + "." + sHook); }

    Journal& m_journal;
    std::string m_sName;
    bool m_bTakeKeys = false;
    bool m_bTakeButtons = false;
    std::function<void()> m_onEnter;
    std::function<void()> m_onLeave;
    std::function<void()> m_onFocusLost;
};

// An application that counts its quit confirmations and writes its unhandled keys to the
// journal of the modes.
class ModeTestApp : public GameApp
{
public:
    explicit ModeTestApp(Journal& journal) : m_journal(journal) {}

    void askQuitConfirmation() override { ++m_nAsked; }
    bool onUnhandledKeyDown(int nKey, int /*nModifiers*/) override
    {
        m_journal.push_back("app.unhandledDown(" + std::to_string(nKey) + ")");
        return false;
    }
    void onUnhandledKeyUp(int nKey, int /*nModifiers*/) override
    {
        m_journal.push_back("app.unhandledUp(" + std::to_string(nKey) + ")");
    }

    Journal& m_journal;
    int m_nAsked = 0;
};

class ModeTestBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openLog(m_folder.at("app.log").c_str());
        GameApp::setConfigPath(m_folder.at("config.dat").c_str());
        m_pApp.reset(new ModeTestApp(m_journal));
        m_pPlatform = new FakePlatform();
        m_pPlatform->adoptImageFactory(new MemImageFactory());
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
        m_pTarget.reset(new GameAppEventTarget(m_pApp.get()));
        m_pPlatform->setEventTarget(m_pTarget.get());
    }
    void TearDown() override
    {
        m_pApp.reset();
        closeLog();
    }

    // A fresh application in place of the current one, with an empty journal.
    void restart()
    {
        TearDown();
        m_journal.clear();
        m_nLast = 0;
        m_nNext = 16;
        SetUp();
    }

    ModeTestApp& app() { return *m_pApp; }
    RecordingVideoDriver* video() const { return m_pPlatform->getRecordingVideoDriver(); }

    // A mode of the journal's, not yet pushed.
    RecMode* mode(const std::string& sName, int nFlags = MF_ACTIVE | MF_VISIBLE)
    {
        return new RecMode(m_journal, sName, nFlags);
    }
    RecMode* push(const std::string& sName, int nFlags = MF_ACTIVE | MF_VISIBLE)
    {
        RecMode* pMode = mode(sName, nFlags);
        m_pApp->pushMode(pMode);
        return pMode;
    }
    // A blank w x h picture with alpha and its insertion point at the top left.
    RIR::SmartPtr<Image> picture(int nWidth, int nHeight)
    {
        return RIR::SmartPtr<Image>(
            m_pPlatform->getImageFactory()->createBlank(nWidth, nHeight, true));
    }
    RIR::SmartPtr<RecControl> control(const std::string& sName, int nX, int nY, int nZOrder,
                                      int nWidth = 10, int nHeight = 10)
    {
        return new RecControl(m_journal, sName, picture(nWidth, nHeight), nX, nY, nZOrder);
    }
    // Moves the pointer through the pump, as the platform reports a motion.
    void moveTo(int nX, int nY)
    {
        m_pPlatform->queueMouseMove(nX, nY);
        m_pPlatform->pumpEvents();
    }
    // The journal since the last call, cleared.
    std::string heard()
    {
        const std::string sOut = joined(m_journal);
        m_journal.clear();
        return sOut;
    }
    void frame(bool bModal = false) { m_pApp->stepFrame(&m_nLast, &m_nNext, bModal); }

    TempFolder m_folder;
    Journal m_journal;
    std::unique_ptr<ModeTestApp> m_pApp;
    std::unique_ptr<GameAppEventTarget> m_pTarget;
    FakePlatform* m_pPlatform = nullptr; // owned by the application
    int m_nLast = 0;
    int m_nNext = 16;
};

#endif
