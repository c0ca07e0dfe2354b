// Fixture of the story's tests: the headless application with the main menu at the bottom, the
// pictures and texts of the story's screens and of the credits, a scripted level factory and the
// stand-in scenes, with helpers to read and write the current player's save slots.
#ifndef DBD_TESTS_SHELL_STORYFIXTURE_H
#define DBD_TESTS_SHELL_STORYFIXTURE_H

#include "shell/kit/fakelevel.h"
#include "shell/kit/fakescene.h"
#include "shell/kit/screencontent.h"
#include "shell/kit/shellapp.h"

#include "level/gameresults.h"
#include "level/gametype.h"
#include "shell/chapterscripts.h"
#include "shell/gamescreens.h"
#include "shell/menuframe.h"


#include <gtest/gtest.h>

#include <string>

class StoryTest : public ::testing::Test
{
protected:
    StoryTest()
    {
        for (const char* pszName :
             {"ui_tabla", "logo", "menuleft", "carteles", "btn_storymode_normal",
              "btn_storymode_highlight", "btn_campaign_normal", "btn_campaign_highlight",
              "btn_timed_normal", "btn_timed_highlight", "text_c_storymode", "separator",
              "shortsep", "check_on", "check_off",
              // the credits
              "tapa", "cred_design", "cred_programming", "cred_graphics", "cred_musicsound",
              "cred_testers", "cred_cast", "spacer60x1", "p_dolly", "p_hank", "p_ladron",
              "p_sheriff", "p_mariachi", "p_perro", "p_funebre", "p_pianista", "p_pinkie",
              "cred_ack"})
            m_fx.addPicture(pszName, 60, 20, 0x806040FF);
        for (const char* pszMusic : {"st_main", "st_end_start", "st_end_loop", "st_end_end"})
            m_fx.addFile(std::string(pszMusic) + ".ogg", "music");
        addPlainTheme(m_fx);
        const char* const aTexts[][2] = {{"EmptySavegame", "Empty"},
                                         {"SGLevel", "Day"},
                                         {"SGDiff0", "E"},
                                         {"SGDiff1", "M"},
                                         {"SGDiff2", "H"},
                                         {"SGTime0", "3m"},
                                         {"SGTime1", "10m"},
                                         {"StoryOverFmt", "Over $%d (%s/%s)"},
                                         {"ConfirmOverwriteSavegame", "Overwrite?"},
                                         {"ConfirmDeleteSavegame", "Delete?"},
                                         {"NewStoryDlgTitle", "New story"},
                                         {"DiffEasy", "Easy"},
                                         {"DiffMedium", "Medium"},
                                         {"DiffHard", "Hard"},
                                         {"TimeAttack3Min", "3 min"},
                                         {"TimeAttack10Min", "10 min"},
                                         {"WelcomePlayer", "Howdy, %s!"},
                                         {"CredVerFmt", "Version %d.%d.%d"}};
        for (const auto& text : aTexts)
            m_fx.addText(text[0], text[1]);
        for (int i = 0; i <= 9; ++i)
            m_fx.addText("ChapterName" + std::to_string(i), "Ch" + std::to_string(i));
        m_saved = MenuFrame::getScreens();
        MenuFrame::setScreens(gameMenuScreens());
    }
    ~StoryTest() override
    {
        m_fx.stop();
        MenuFrame::setScreens(m_saved);
    }

    // The pictures, music and theme parts the real scenes (InterLevelMode) use.
    void addScenePictures()
    {
        for (const char* pszName : {"black200x200", "storyback", "white200x200"})
            m_fx.addPicture(pszName, 200, 200, 0x302010FF);
        m_fx.addPicture("epitaph", 800, 600, 0xE8D8B0FF);
        m_fx.addPicture("youarehere", 40, 30, 0xC02020FF);
        for (int n = 0; n <= 9; ++n)
        {
            int nCount = 0;
            const ChapterStep* pSteps = getChapterScript(n, &nCount);
            for (int i = 0; i < nCount; ++i)
                m_fx.addPicture(pSteps[i].pszImage, 60, 40, 0x907050FF);
        }
        for (const char* pszMusic : {"st_hist", "news"})
            m_fx.addFile(std::string(pszMusic) + ".ogg", "music");
    }

    // The application with the main menu (whose input lock has run out), the level factory
    // installed and a current player.
    ShellApp* start()
    {
        m_pApp = m_fx.startMenu();
        m_pApp->setLevelFactory(&m_levels);
        frames(30);
        return m_pApp;
    }

    void frames(int n)
    {
        for (int i = 0; i < n; ++i)
            m_pApp->updateModes(0.02f);
    }

    template <class T> T* top() { return dynamic_cast<T*>(m_pApp->getTopMode()); }

    std::string slotKey(int nSlot) const
    {
        return "Savegame_" + std::string(m_pApp->getSetting("PlayerUID").c_str()) + "_" +
               std::to_string(nSlot);
    }
    void setSlot(int nSlot, const std::string& sValue)
    {
        m_pApp->setSetting(slotKey(nSlot).c_str(), sValue.c_str());
    }
    std::string slot(int nSlot) const { return m_pApp->getSetting(slotKey(nSlot).c_str()).c_str(); }
    // The slot as saved in the settings file.
    std::string savedSlot(int nSlot) const
    {
        const auto saved = m_fx.savedSettings();
        const auto it = saved.find(slotKey(nSlot));
        return it == saved.end() ? std::string() : it->second;
    }
    std::string setting(const char* pszKey) const { return m_pApp->getSetting(pszKey).c_str(); }

    static GameResults won(int nCash, int nBonus)
    {
        GameResults r;
        r.nGameType = GT_STORY;
        r.bWon = true;
        r.nCash = nCash;
        r.nTimeBonus = nBonus;
        return r;
    }
    static GameResults lost(bool bTryAgain)
    {
        GameResults r;
        r.nGameType = GT_STORY;
        r.nCash = 120;
        r.bTryAgain = bTryAgain;
        return r;
    }
    static GameResults aborted()
    {
        GameResults r;
        r.nGameType = GT_STORY;
        r.bAborted = true;
        r.nCash = 300;
        return r;
    }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    FakeLevelFactory m_levels;
    FakeSceneMaker m_scenes;
    MenuScreens m_saved;
};

#endif
