// Shared set-up of the theme and button tests: an initialised application on the fake platform
// (recording video and audio drivers, in-memory pictures, the event pump wired to the
// application), theme files served from memory, plain pictures of one colour in the image cache,
// and the missing-resource reports the application heard.
#ifndef DIZIDOR_TESTS_UI_THEMEFIXTURE_H
#define DIZIDOR_TESTS_UI_THEMEFIXTURE_H

#include "app/gameapp.h"
#include "app/gameappeventtarget.h"
#include "app/gamemode.h"
#include "app/log.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"
#include "testkit/recordinglog.h"
#include "ui/theme.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class ReportingApp : public GameApp
{
public:
    void reportMissingResource(const char* pszText) override { m_reports.push_back(pszText); }
    std::vector<std::string> m_reports;
};

class ThemeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openLog(m_folder.at("app.log").c_str());
        GameApp::setConfigPath(m_folder.at("config.dat").c_str());
        m_pApp.reset(new ReportingApp());
        m_pPlatform = new FakePlatform();
        m_pPlatform->adoptImageFactory(new MemImageFactory());
        m_pApp->setPlatform(m_pPlatform);
        m_pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
        m_pTarget.reset(new GameAppEventTarget(m_pApp.get()));
        m_pPlatform->setEventTarget(m_pTarget.get());
        m_pFiles = new RIR::MemoryResourceProvider();
        m_pApp->addProvider(m_pFiles, true);
    }
    void TearDown() override
    {
        m_pApp.reset();
        closeLog();
    }

    // A text resource of that name.
    void file(const char* pszName, const std::string& sText)
    {
        uint8_t* pData = new uint8_t[sText.size() + 1];
        std::memcpy(pData, sText.data(), sText.size());
        m_pFiles->add(pszName, new RIR::Resource((int)sText.size(), pData, true));
    }
    // A w x h picture of one colour, kept in the image cache under the name.
    RIR::SmartPtr<Image> picture(const char* pszName, int nWidth, int nHeight,
                                 const Color& color = Color(10, 20, 30, 255), bool bAlpha = true)
    {
        RIR::SmartPtr<Image> pImage = blank(nWidth, nHeight, bAlpha);
        pImage->fill(color);
        m_pApp->addImage(pszName, pImage, true);
        return pImage;
    }
    RIR::SmartPtr<Image> blank(int nWidth, int nHeight, bool bAlpha = true)
    {
        return RIR::SmartPtr<Image>(
            m_pPlatform->getImageFactory()->createBlank(nWidth, nHeight, bAlpha));
    }
    // A theme read from the text under the name.
    RIR::SmartPtr<Theme> load(const std::string& sText, const char* pszName = "t.theme")
    {
        file(pszName, sText);
        RIR::SmartPtr<Theme> pTheme = new Theme();
        pTheme->load(pszName);
        return pTheme;
    }
    // The message of the RIR exception the call raises, or "" when it raises none.
    static std::string failure(const std::function<void()>& call)
    {
        try
        {
            call();
        }
        catch (const RIR::Exception& e)
        {
            return e.getMessage();
        }
        return "";
    }
    // The number of times the audio driver was asked to play the sample, and forgets it.
    int played(const char* pszSample)
    {
        const std::string sCall = std::string("audio.playSample(") + pszSample + ", 0, -1)";
        int n = 0;
        const RIR::List<RIR::String>& lEntries = m_pPlatform->getLog()->getEntries();
        for (int i = 0; i < lEntries.getLength(); ++i)
            n += sCall == lEntries.get(i).c_str();
        return n;
    }
    int playedAny() { return m_pPlatform->getLog()->countCalls("audio.playSample"); }
    void clearLog() { m_pPlatform->getLog()->clear(); }

    TempFolder m_folder;
    std::unique_ptr<ReportingApp> m_pApp;
    std::unique_ptr<GameAppEventTarget> m_pTarget;
    FakePlatform* m_pPlatform = nullptr;             // owned by the application
    RIR::MemoryResourceProvider* m_pFiles = nullptr; // owned by the application
};

#endif
