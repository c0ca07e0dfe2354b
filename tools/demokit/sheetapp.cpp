#include "sheetapp.h"

#include "app/log.h"
#include "gfx/fontfactorytable.h"
#include "platform/sdl/sdlimagefactory.h"
#include "testkit/fakeplatform.h"
#include "ui/theme.h"

#include "rir2/exception.h"

#include <SDL.h>

#include <cstdlib>
#include <sys/stat.h>

namespace demokit
{

void beginSheetRun(const std::string& sOut, const char* pszTool)
{
    mkdir(sOut.c_str(), 0777);
    openLog((sOut + "/" + pszTool + ".log").c_str());
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0)
        RIR_THROW(FatalErrorException, SDL_GetError());
}

void endSheetRun()
{
    closeLog();
    SDL_Quit();
}

SheetApp::SheetApp(const std::string& sGame)
{
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new SDLImageFactory());
    m_app.setPlatform(pPlatform);
    m_app.init(800, 600, 0, RIR::SmartPtr<Image>());
    for (const char* pszPack : {"lang_en.dat", "misc.dat", "sound.dat"})
        m_app.addResourceFile((sGame + "/" + pszPack).c_str(), false);
    m_app.loadStrings("messages.txt");
    m_pFonts = new SDLTTFFactory();
    FontFactoryTable::registerFactory("TrueType", m_pFonts.get());
    m_app.loadTheme("dolly.theme");
}

SheetApp::~SheetApp()
{
    m_app.setTheme(RIR::SmartPtr<Theme>(new Theme()));
    FontFactoryTable::unregisterFactory("TrueType");
    m_pFonts->clearCache();
}

} // namespace demokit
