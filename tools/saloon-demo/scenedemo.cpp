// The saloon demo on a real saloon (scenedemo.h).
#include "scenedemo.h"

#include "gfx/sprite.h"
#include "testkit/fakeplatform.h"
#include "testkit/memimagefactory.h"

#include "rir2/exception.h"
#include "rir2/file.h"

namespace
{

const char* const GAME_PACKS[] = {"lang_en", "misc",   "characters", "dolly",   "scenes", "sound",
                                  "story",   "characters1", "dolly1", "scenes1", "sound1", "story1"};

} // namespace

int addGamePacks(GameApp& app, const std::string& sFolder)
{
    int nAdded = 0;
    for (const char* pszPack : GAME_PACKS)
    {
        const std::string sPath = sFolder + "/" + pszPack + ".dat";
        if (!RIR::fileExists(sPath.c_str()))
            continue;
        app.addResourceFile(sPath.c_str(), false);
        ++nAdded;
    }
    return nAdded;
}

std::unique_ptr<GameApp> makeHeadlessApp(const std::string& sPackFolder)
{
    std::unique_ptr<GameApp> pApp(new GameApp());
    FakePlatform* pPlatform = new FakePlatform();
    pPlatform->adoptImageFactory(new MemImageFactory());
    pApp->setPlatform(pPlatform);
    pApp->init(800, 600, 0, RIR::SmartPtr<Image>());
    if (addGamePacks(*pApp, sPackFolder) == 0)
        RIR_THROW(FatalErrorException,
                  ("No game packs in " + sPackFolder + " (build the content first)").c_str());
    return pApp;
}

int defaultTableCount(int nScene)
{
    if (nScene == 0)
        return 1;
    return nScene < 15 ? 4 : 5;
}

void loadDemoScene(Scene* pScene, int nScene, int nTables, GameMode* pScreen)
{
    pScene->load(RIR::String::format("scene%d.scene", nScene));
    if (pScreen && pScene->getWantedPoster())
    {
        int nX = 0;
        int nY = 0;
        int nDepth = 0;
        pScene->getWantedPosterPlace(&nX, &nY, &nDepth);
        pScreen->addSprite(new Sprite(pScene->getWantedPoster(), nX, nY, nDepth));
    }
    // The level's table places for its table count.
    switch (nTables)
    {
    case 1:
        pScene->placeTables(1, 2, false);
        pScene->placeTables(4, 5, true);
        pScene->placeTables(7, 2, false);
        break;
    case 3:
        pScene->placeTables(1, 2, true);
        pScene->placeTables(4, 6, true);
        pScene->placeTables(7, 2, true);
        break;
    case 4:
        pScene->placeTables(1, 2, true);
        pScene->placeTables(7, 2, true);
        pScene->placeTables(2, 6, true);
        pScene->placeTables(6, 6, true);
        break;
    default:
        RIR_ASSERT(nTables == 5);
        pScene->placeTables(1, 2, true);
        pScene->placeTables(7, 2, true);
        pScene->placeTables(0, 6, true);
        pScene->placeTables(4, 5, true);
        pScene->placeTables(8, 6, true);
        break;
    }
}
