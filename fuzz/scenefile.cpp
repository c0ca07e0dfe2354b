// Fuzz target: Scene::load over a scene file. The input is the file "fuzz.scene", read by an
// application on the fake platform with in-memory pictures (floor tiles "piso_1" and
// "piso_2_a"/"piso_2_b", wall "pared_1" with the strips "pared_1t" and "pared_1b", door frame
// "puerta_1", "ventana", "fuera", the table and chair pictures, "mesa_shadow", "barra", "grifo",
// "caja", "cartel") and the door animation "door.anim". After a load that succeeds the scene is
// checked, then tables are placed at the level's places for five tables. Bad files raise
// RIR::Exception, the right answer.
// Invariant: a file that loads gives a floor at least 12 pixels high on the screen whose every
// pixel maps to a square, a floor picture of 800 x (600 - floor start), and links that run both
// ways and never into a blocked square.
#include "fuzzapp.h"
#include "fuzzcheck.h"

#include "world/iplaymode.h"
#include "world/scene.h"

#include "app/gameapp.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/memprovider.h"
#include "rir2/resource.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace
{

// The running day, as far as the scene asks: no screen, no sounds.
class FuzzPlayMode : public IPlayMode
{
public:
    void playSound(int, int) override {}
    void tutorialEvent(int) override {}
    void showFeatureTip(const char*, int, int, int) override {}
    void addCash(int) override {}
    int getCash() override { return 0; }
    int incStat(int nIndex) override { return nIndex; }
    RIR::SmartPtr<FadeText> addFadeText(const char*, int, int, int, float, float) override
    {
        return RIR::SmartPtr<FadeText>();
    }
    void showFadeText(const RIR::SmartPtr<FadeText>&, float, float, float) override {}
    void flyImage(const char*, int, int, int, int, int) override {}
    void showHandMug(int, Mug*) override {}
    void scareCustomers(Customer*) override {}
    bool shouldThrowEmptyMug() override { return true; }
    RIR::String nextInsult() override { return ""; }
    void addStoppedFight(int) override {}
    bool isFightStopped(int) override { return false; }
    void addAnimSprite(const RIR::SmartPtr<AnimSprite>&) override {}
    GameMode* getPlayScreen() override { return nullptr; }
    void removeCharacter(Character*) override {}
    int getCharacterIndex(const Character*) override { return -1; }
    int countFightingCustomers() override { return 0; }
    void dumpCharacters() override {}
    void replaceWantedPoster() override {}
    void newWantedPoster() override {}
    ThiefGuard* getThiefGuard() override { return nullptr; }
    ParamHolder* getDifficultyManager() override { return nullptr; }
    int getMaxFights() override { return 0; }
    float getGuardAwakeTime() override { return 0.0f; }
    bool isLowResourcesMode() override { return false; }
};

GameApp& app()
{
    static GameApp* s_pApp = nullptr;
    if (!s_pApp)
    {
        const FuzzPicture pictures[] = {
            {"piso_1", 40, 20},   {"piso_2_a", 30, 16},   {"piso_2_b", 30, 16},
            {"pared_1", 64, 48},  {"pared_1t", 50, 8},    {"pared_1b", 40, 20},
            {"puerta_1", 90, 60}, {"ventana", 40, 30},    {"fuera", 800, 200},
            {"mesa", 60, 30},     {"mesa_back", 60, 10},  {"mesa_shadow", 70, 12},
            {"silla", 20, 30},    {"silla_back", 20, 20}, {"silla_shadow", 20, 6},
            {"barra", 72, 40},    {"grifo", 72, 50},      {"caja", 30, 20},
            {"cartel", 40, 50},   {"door_0", 30, 40},     {"door_1", 20, 40}};
        s_pApp = fuzzCreateApp(pictures, sizeof(pictures) / sizeof(pictures[0]),
                               Color(200, 100, 50, 160));
        RIR::MemoryResourceProvider* pAnims = new RIR::MemoryResourceProvider();
        const char* pszDoor = "load door_0\nload door_1\nseq open\nadd door_0\nadd door_1\n"
                              "seq close\nadd door_1\nadd door_0\n";
        char* pDoor = new char[std::strlen(pszDoor)];
        std::memcpy(pDoor, pszDoor, std::strlen(pszDoor));
        pAnims->add("door.anim", new RIR::Resource((int)std::strlen(pszDoor), pDoor, true));
        s_pApp->addProvider(pAnims, false);
    }
    return *s_pApp;
}

void checkScene(Scene* pScene)
{
    // The broken reader lets a floor of 12 pixels through as one of no height at all.
    const int nH = pScene->getSquareHeight() -
                   (fuzzBrokenReader() && pScene->getSquareHeight() == 1 ? 1 : 0);
    FUZZ_CHECK(nH >= 1);
    const int nStart = pScene->getFloorStart();
    FUZZ_CHECK(nStart >= 0 && pScene->getFloorEnd() <= 600);
    FUZZ_CHECK(nStart + 12 * nH <= pScene->getFloorEnd());
    for (int y = nStart; y < nStart + 12 * nH; y += nH > 7 ? nH / 2 : 1)
    {
        int nI = 0;
        int nJ = 0;
        FUZZ_CHECK(pScene->pixelToSquare(400, y, &nI, &nJ) && nJ >= 1);
    }
    RIR::SmartPtr<Image> pFloor = pScene->getFloorImage();
    FUZZ_CHECK(pFloor && pFloor->getWidth() == 800 && pFloor->getHeight() == 600 - nStart);
    for (int n = 0; n < Scene::SQUARE_COUNT; ++n)
    {
        RIR::SmartPtr<SquareData> pSq = pScene->getSquareByIndex(n);
        for (int k = 0; k < SquareData::MAX_LINKS; ++k)
        {
            const RIR::SmartPtr<SquareData>& pTo = pSq->apLinks[k];
            if (!pTo)
                continue;
            FUZZ_CHECK(pSq->bWalkable && pTo->bWalkable);
            FUZZ_CHECK(pScene->hasLink(pTo->nI, pTo->nJ, pSq->nI, pSq->nJ));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // Scene files are short; a long one only makes each run slower.
    if (nSize > 16 * 1024)
        nSize = 16 * 1024;
    GameApp& application = app();
    RIR::MemoryResourceProvider* pFiles = new RIR::MemoryResourceProvider();
    uint8_t* pCopy = new uint8_t[nSize + 1];
    if (nSize)
        std::memcpy(pCopy, pData, nSize);
    pFiles->add("fuzz.scene", new RIR::Resource((int)nSize, pCopy, true));
    GameApp::ProviderNode* pNode = application.addProvider(pFiles, true);
    {
        FuzzPlayMode play;
        IPlayMode* pPrevious = IPlayMode::setPlayMode(&play);
        {
            RIR::SmartPtr<Scene> pScene = new Scene;
            try
            {
                pScene->load("fuzz.scene");
                checkScene(pScene.get());
                const int aTables[5][2] = {{1, 2}, {7, 2}, {0, 6}, {4, 5}, {8, 6}};
                for (const auto& t : aTables)
                    pScene->placeTables(t[0], t[1], true);
                FUZZ_CHECK(pScene->getChairs().getLength() == 10);
            }
            catch (const RIR::Exception&)
            {
            }
        }
        IPlayMode::setPlayMode(pPrevious);
    }
    delete application.removeProvider(pNode);
    return 0;
}
