// LevelTestApp: a headless application for level tests (levelapp.h).
#include "levelapp.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "rir2/tests/tempfolder.h"
#include "testkit/memimageenv.h"
#include "testkit/memimagefactory.h"

#include <cstdint>

LevelTestApp::LevelTestApp() : m_pFolder(new TempFolder())
{
    openLog(m_pFolder->at("level.log").c_str());
    m_pApp.reset(new GameApp());
    m_pFactory.reset(new MemImageFactory());
    // Installed after the application, so scripts and pictures come from here.
    m_pEnv.reset(new MemImageEnvironment(m_pFactory.get()));
    const uint8_t abPixel[4] = {200, 0, 0, 255};
    m_pEnv->addPicture("shoothim", 1, 1, 4, abPixel);
    m_pEnv->addText("shoothim.anim", "load shoothim\nseq aim\nadd shoothim\n");
}

LevelTestApp::~LevelTestApp()
{
    m_pEnv.reset();
    m_pFactory.reset();
    m_pApp.reset();
    closeLog();
}
