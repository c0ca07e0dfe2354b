// The fixture of the level dialogs' tests: the shell's test application with the dialogs' stand-in
// content, started with a plain screen at the bottom of the stack (the level under the dialog).
#ifndef DBD_TESTS_SHELL_KIT_DIALOGTEST_H
#define DBD_TESTS_SHELL_KIT_DIALOGTEST_H

#include "shell/kit/dialogcontent.h"
#include "shell/kit/shellapp.h"

#include "app/gamemode.h"
#include "testkit/fakeplatform.h"
#include "testkit/recordinglog.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

class DialogTest : public ::testing::Test
{
protected:
    DialogTest() { addDialogContent(m_fx); }

    // Starts the application.
    void start()
    {
        FirstModes modes;
        modes.pfnMenu = []() -> GameMode* { return new GameMode(); };
        modes.pfnIntro = nullptr;
        modes.pfnSplash = nullptr;
        m_pApp = m_fx.start(modes);
        m_pBottom = m_pApp->getTopMode();
    }

    // Pushes the mode (owned by the application) and answers it.
    template <class T> T* push(T* pMode)
    {
        try
        {
            m_pApp->pushMode(pMode);
        }
        catch (const RIR::Exception& e)
        {
            ADD_FAILURE() << e.getClassName() << " : " << e.getMessage();
            throw;
        }
        return pMode;
    }

    // One frame of dt seconds.
    void step(float fDt) { m_pApp->updateModes(fDt); }

    // How often the sample was played so far.
    int played(const char* pszSample) const
    {
        const std::string sCall = std::string("audio.playSample(") + pszSample + ",";
        int nCount = 0;
        const RIR::List<RIR::String>& lEntries = ShellApp::lastPlatform()->getLog()->getEntries();
        for (int n = 0; n < lEntries.getLength(); ++n)
            if (std::string(lEntries.get(n).c_str()).compare(0, sCall.size(), sCall) == 0)
                ++nCount;
        return nCount;
    }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    GameMode* m_pBottom = nullptr; // owned by the application
};

#endif
