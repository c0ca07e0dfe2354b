// PlayMode: the level loader. One step per frame, so that the loading dialog keeps moving while
// the HUD, the scene, the tables, the heroine, the sounds, the clothes, the guard and the pianist
// are built; steps 12 (one sample per frame) and 14 (one clothes variant per frame) repeat.
#include "play/playmode.h"

#include "world/thiefguard.h"

#include "level/diffmanager.h"
#include "level/insultrotation.h"
#include "shell/dbdapp.h"
#include "shell/loadingdlg.h"

#include "app/gameapp.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/resource.h"

namespace
{

const int SCREEN_W = 800;
const int SCREEN_H = 600;

// Depths of the level's screen layer.
const int DEPTH_BORDER = 9999;
const int DEPTH_DECOR = 10000;
const int DEPTH_FRAME = 10001;
const int DEPTH_LABEL = 10002;
const int DEPTH_CLOCK_HAND = 10003;
const int DEPTH_CLOCK = 10004;

const int ALIGN_CENTRE = 0x24;
const int ALIGN_BOTTOM_CENTRE = 0x14;
const int ALIGN_TOP_RIGHT = 0x0a;

const int CLOCK_X = 35;
const int CLOCK_Y = 43;

// The music of each week block (level / 5).
const char* const MUSIC[] = {"st_saloon1", "st_saloon2", "st_saloon2", "st_saloon1", "st_saloon3",
                             "st_saloon3", "st_saloon4", "st_saloon4", "st_saloon5"};

// The table places (column, row, chairs offered) for each table count.
struct TablePlace
{
    int nI, nJ;
    bool bChairs;
};
const TablePlace TABLES_1[] = {{1, 2, false}, {4, 5, true}, {7, 2, false}};
const TablePlace TABLES_3[] = {{1, 2, true}, {4, 6, true}, {7, 2, true}};
const TablePlace TABLES_4[] = {{1, 2, true}, {7, 2, true}, {2, 6, true}, {6, 6, true}};
const TablePlace TABLES_5[] = {
    {1, 2, true}, {7, 2, true}, {0, 6, true}, {4, 5, true}, {8, 6, true}};

// A picture whose size is 0 cannot tile a border: it is refused instead of looping forever.
void checkTileSize(const char* pszName, int nStep)
{
    if (nStep <= 0)
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Border image %s has no size\n", pszName).c_str());
}

// A button of the level's screen layer with its four pictures (normal, pushed, highlighted,
// disabled) standing on their bottom centre at (nX, nY).
RIR::SmartPtr<CustomButton> addHudButton(GameMode* pMode, int nId, const char* const apszImages[4],
                                         int nX, int nY)
{
    RIR::SmartPtr<Image> apImages[4];
    for (int n = 0; n < 4; ++n)
    {
        apImages[n] = pMode->getImage(apszImages[n]);
        apImages[n]->setInsPointByAlign(ALIGN_BOTTOM_CENTRE);
    }
    RIR::SmartPtr<CustomButton> pButton =
        new CustomButton(nId, apImages[0], apImages[1], apImages[2], apImages[3]);
    pMode->addControl(pButton);
    pButton->setPos(nX, nY);
    pButton->setZOrder(DEPTH_LABEL);
    return pButton;
}

} // namespace

bool PlayMode::loadStep()
{
    RIR_TRACE("PlayMode::loadStep");
    RIR::setTraceParams(RIR::String::format("%d", m_nLoadStep).c_str());
    bool bRepeat = false;
    switch (m_nLoadStep)
    {
    case 0:
        m_nCash = 0;
        m_fSpawnTimer = 0.0f;
        for (int n = 0; n < 4; ++n)
            m_abArrowHeld[n] = false;
        break;
    case 1:
        loadHudCash();
        break;
    case 2:
        loadHudFrame();
        break;
    case 3:
        m_pScene = new Scene;
        m_pScene->load(RIR::String::format("scene%d.scene", m_pDifficultyManager->getLevel()));
        break;
    case 4:
        loadTables();
        break;
    case 5:
    {
        int nX = 0;
        int nY = 0;
        int nDepth = 0;
        m_pScene->getWantedPosterPlace(&nX, &nY, &nDepth);
        m_pWantedPosterSprite = new Sprite(nX, nY, nDepth);
        addSprite(m_pWantedPosterSprite);
        break;
    }
    case 6:
        loadInsults();
        for (int n = 0; n < STAT_COUNT; ++n)
            m_anStats[n] = 0;
        break;
    case 9:
        loadHeroine();
        break;
    case 10:
        newWantedPoster();
        addHudSprite("clock", ALIGN_CENTRE, CLOCK_X, CLOCK_Y, DEPTH_CLOCK);
        addHudSprite("clock_0", ALIGN_CENTRE, CLOCK_X, CLOCK_Y, DEPTH_LABEL);
        m_pClock = addHudSprite("clock_0", ALIGN_CENTRE, CLOCK_X, CLOCK_Y, DEPTH_CLOCK_HAND);
        resetClock();
        break;
    case 11:
        loadSampleList();
        break;
    case 12:
        bRepeat = loadNextSample();
        if (!bRepeat)
            registerSoundGroups();
        break;
    case 13:
        if (m_pDifficultyManager->getThiefGuardName().length() > 0)
            m_pThiefGuard = new ThiefGuard(m_pDifficultyManager->getThiefGuardName().c_str());
        break;
    case 14:
        bRepeat = makeNextClothesVariant();
        break;
    case 15:
        loadPianist();
        break;
    case 16:
        finishLoading();
        ++m_nLoadStep;
        return true;
    default:
        // Steps 7 and 8 are empty; nothing runs past the last step.
        break;
    }
    if (!bRepeat && m_nLoadStep < LOAD_STEPS)
        ++m_nLoadStep;
    return false;
}

void PlayMode::loadHudCash()
{
    m_pCashBag = addHudSprite("bolsa_0", ALIGN_CENTRE, 765, 30, DEPTH_FRAME);
    m_pCashLabel = new Label("$0", 705, 30, DEPTH_LABEL, 100, true);
    m_pCashLabel->setAlignment(ALIGN_CENTRE);
    m_pCashLabel->setTextColor(Color(255, 255, 255, 255));
    m_pCashLabel->setShadowColor(Color(0, 0, 0, 255));
    addSprite(m_pCashLabel);
    const int nGoal = m_pDifficultyManager->getCashGoal();
    if (nGoal != 0)
    {
        const RIR::String sText = RIR::String::format(getString("CashGoalNum"), nGoal);
        RIR::SmartPtr<Label> pGoal = new Label(sText.c_str(), 700, 5, DEPTH_LABEL, 100, true);
        pGoal->setFont(getFont("Dolly::Insult"));
        pGoal->setTextColor(Color(0, 0, 0, 255));
        pGoal->setShadowColor(Color(255, 255, 255, 255));
        pGoal->setAlignment(ALIGN_CENTRE);
        addSprite(pGoal);
    }
}

void PlayMode::loadHudFrame()
{
    m_pHandSprite[0] = new Sprite(495, 585, DEPTH_FRAME);
    m_pHandSprite[1] = new Sprite(305, 585, DEPTH_FRAME);
    addSprite(m_pHandSprite[0]);
    addSprite(m_pHandSprite[1]);
    m_pTelekinesisBar = addHudSprite("telek_b_frame", ALIGN_BOTTOM_CENTRE, 400, 600, DEPTH_FRAME);
    addHudSprite("mold_d", ALIGN_BOTTOM_CENTRE, 400, 600, DEPTH_DECOR);
    m_pTelekinesisCharge = addHudSprite("empty", 0, 400, 600, DEPTH_LABEL);

    const char* const apszTelek[] = {"telek_normal", "telek_pushed", "telek_light",
                                     "telek_disabled"};
    m_pTelekinesisButton = addHudButton(this, 2, apszTelek, 400, 598);
    m_pTelekinesisButton->setEnabled(false);

    addHudSprite("mold_i", ALIGN_TOP_RIGHT, SCREEN_W, 0, DEPTH_DECOR);
    RIR::SmartPtr<Image> pLeft = getImage("mold_i")->clone(false);
    pLeft->flipHorizontal();
    addSprite(new Sprite(pLeft, 0, 0, DEPTH_DECOR));
    addHudSprite("mold_menu", ALIGN_BOTTOM_CENTRE, 700, 600, DEPTH_DECOR);

    const char* const apszMenu[] = {"menu_normal", "menu_pushed", "menu_highlight", "menu_normal"};
    addHudButton(this, 3, apszMenu, 700, 598);

    if (!getDBDApp()->isLowResourcesMode())
        loadBorders();
}

void PlayMode::loadBorders()
{
    RIR::SmartPtr<Image> pV = getImage("borde_v");
    const int nVW = pV->getWidth();
    const int nVH = pV->getHeight();
    checkTileSize("borde_v", nVW < nVH ? nVW : nVH);
    RIR::SmartPtr<Image> pVTiled = createImage(nVW, SCREEN_H, true);
    for (int y = 0; y < SCREEN_H; y += nVH)
        pVTiled->copyImage(pV.get(), pV->getInsPointX(), y + pV->getInsPointY());
    addSprite(new Sprite(pVTiled, 0, 0, DEPTH_BORDER));
    addSprite(new Sprite(pVTiled, SCREEN_W - nVW, 0, DEPTH_BORDER));

    RIR::SmartPtr<Image> pH = getImage("borde_h");
    const int nHW = pH->getWidth();
    const int nHH = pH->getHeight();
    checkTileSize("borde_h", nHW < nHH ? nHW : nHH);
    RIR::SmartPtr<Image> pHTiled = createImage(SCREEN_W, nHH, true);
    for (int x = 0; x < SCREEN_W; x += nHW)
        pHTiled->copyImage(pH.get(), x + pH->getInsPointX(), pH->getInsPointY());
    addSprite(new Sprite(pHTiled, 0, 0, DEPTH_BORDER));
    addSprite(new Sprite(pHTiled, 0, SCREEN_H - nHH, DEPTH_BORDER));

    RIR::SmartPtr<Image> pE = getImage("borde_e");
    const int nEH = pE->getHeight();
    addSprite(new Sprite(pE, 0, SCREEN_H - nEH, DEPTH_DECOR));
    RIR::SmartPtr<Image> pERight = pE->clone(false);
    pERight->flipHorizontal();
    addSprite(new Sprite(pERight, SCREEN_W, SCREEN_H - nEH, DEPTH_DECOR));
}

void PlayMode::loadTables()
{
    const int nTables = m_pDifficultyManager->getTableCount();
    const TablePlace* pPlaces = nullptr;
    int nCount = 0;
    switch (nTables)
    {
    case 1:
        pPlaces = TABLES_1;
        nCount = 3;
        break;
    case 3:
        pPlaces = TABLES_3;
        nCount = 3;
        break;
    case 4:
        pPlaces = TABLES_4;
        nCount = 4;
        break;
    default:
        RIR_ASSERT(nTables == 5);
        pPlaces = TABLES_5;
        nCount = 5;
        break;
    }
    for (int n = 0; n < nCount; ++n)
        m_pScene->placeTables(pPlaces[n].nI, pPlaces[n].nJ, pPlaces[n].bChairs);
}

void PlayMode::loadInsults()
{
    RIR_TRACE("PlayMode::loadInsults");
    RIR::SmartPtr<RIR::Resource> pText = getApp()->getResource("insults.txt");
    // Refuses a file without lines now, not at the first fight.
    m_lInsults = readInsults(pText->asString().c_str(), m_Random);
}

void PlayMode::loadHeroine()
{
    m_pDolly = new Dolly;
    m_pDolly->startLevel(m_pDifficultyManager->getLevel() / 5);
    m_pDolly->setSpeed(260, 160);
    int nX = 0;
    int nY = 0;
    m_pScene->squareToPixel(5, 11, &nX, &nY, ALIGN_CENTRE);
    m_pDolly->placeAt(nX, nY);
    m_pDolly->setDirection(0);
}

void PlayMode::loadSampleList()
{
    const int nLevel = m_pDifficultyManager->getLevel();
    const bool bLow = getDBDApp()->isLowResourcesMode();
    RIR::List<RIR::String>& l = m_lPreloadSamples;
    l.clear();
    l.append("bottle_break03");
    l.append("bottle_box03");
    l.append("bottle_table03");
    l.append("gun01");
    l.append("campana02");
    l.append("cajaregistradora1");
    l.append(nLevel >= 5 ? "chair_sit01" : "arena1");

    const int nTrack = nLevel / 5;
    RIR_ASSERT(nTrack >= 0 && nTrack < 9);
    m_sMusic = MUSIC[nTrack];
    if (bLow)
        return;

    l.append("bottle_break02");
    if (nLevel > 15)
    {
        l.append("door02_open");
        l.append("door02_close");
    }
    l.append("bottle_table04");
    if (nLevel >= 5)
    {
        l.append("chair_sit02");
        l.append("chair_sit03");
    }
    else
        l.append("arena2");
    l.append("gun03");
    l.append("gun04");
    if (m_pDifficultyManager->getThiefGuardName() == "dog")
    {
        l.append("dog_gun_1");
        l.append("dog_gun_2");
    }
    l.append("2shot02");
    l.append("golpemadera1");
    l.append("pelea02");
    if (m_pDifficultyManager->isUndertakerEnabled())
        l.append("sepult01");
    l.append("sheriff01");
    l.append("bottle_box01");
    if (m_pDifficultyManager->isCowEnabled())
        l.append("cow3");
    l.append("gente");
    if (m_pDifficultyManager->isTelekinesisEnabled())
        l.append("telekinesis1");
    l.append("horse2");
    l.append("galope_der_izq");
    l.append("tiroteo03");
    l.append("perro2");
    if (nLevel < 30)
    {
        l.append("chicken");
        l.append("rooster2");
    }
    else
        l.append("wolf1");
}

bool PlayMode::loadNextSample()
{
    if (m_lPreloadSamples.isEmpty())
        return false;
    const RIR::String sName = m_lPreloadSamples.takeFirst();
    getApp()->getSample(sName.c_str());
    return true;
}

void PlayMode::registerSoundGroups()
{
    RIR_TRACE("PlayMode::registerSoundGroups");
    const int nLevel = m_pDifficultyManager->getLevel();
    const bool bDog = m_pDifficultyManager->getThiefGuardName() == "dog";
    addSound(3, "bottle_break03");
    addSound(0, "bottle_box03");
    addSound(2, "bottle_table03");
    addSound(15, "cajaregistradora1");
    addSound(21, "campana02");
    addSound(5, nLevel >= 5 ? "chair_sit01" : "arena1");
    addSound(7, "gun01");
    if (getDBDApp()->isLowResourcesMode())
    {
        addSound(8, "gun01");
        addSound(9, "gun01");
        addSound(1, "bottle_box03");
        return;
    }
    addSound(19, "gente");
    addSound(4, "bottle_break02");
    if (nLevel > 15)
    {
        addSound(16, "door02_open");
        addSound(17, "door02_close");
    }
    addSound(2, "bottle_table04");
    if (m_pDifficultyManager->isTelekinesisEnabled())
        addSound(18, "telekinesis1");
    if (nLevel >= 5)
    {
        addSound(5, "chair_sit02");
        addSound(5, "chair_sit03");
    }
    else
        addSound(5, "arena2");
    addSound(7, "gun03");
    addSound(7, "gun04");
    if (bDog)
    {
        addSound(8, "dog_gun_1");
        addSound(8, "dog_gun_2");
    }
    addSound(9, "2shot02");
    addSound(6, "golpemadera1");
    addSound(10, "pelea02");
    if (m_pDifficultyManager->isUndertakerEnabled())
        addSound(11, "sepult01");
    addSound(13, "sheriff01");
    addSound(12, "sheriff01");
    addSound(1, "bottle_box01");
    if (m_pDifficultyManager->isCowEnabled())
        addSound(14, "cow3");
    addSound(20, "horse2");
    addSound(20, "galope_der_izq");
    addSound(20, "tiroteo03");
    addSound(20, "perro2");
    if (nLevel < 30)
    {
        addSound(20, "chicken");
        addSound(20, "rooster2");
    }
    else
        addSound(20, "wolf1");
}

void PlayMode::loadPianist()
{
    if (!m_pDifficultyManager->hasPianist())
        return;
    RIR::SmartPtr<Animation> pAnim = getApp()->getAnimationByName("pianista.anim");
    const int nDepth = m_pScene->getRowDepth(0, 13);
    struct Part
    {
        const char* pszSequence;
        int nDepthOffset;
        bool bAnimated; // advanced by the level every frame
    };
    const Part aParts[] = {{"torso", 3, false},
                           {"botad", 0, false},
                           {"botai", 1, true},
                           {"brazod", 2, true},
                           {"brazoi", 4, true}};
    for (const Part& part : aParts)
    {
        RIR::SmartPtr<AnimSprite> pSprite =
            new AnimSprite(pAnim, 78, 555, nDepth + part.nDepthOffset);
        pSprite->play(part.pszSequence, 0.0f, -1);
        addSprite(pSprite);
        if (part.bAnimated)
            m_lAnimSprites.append(pSprite);
    }
}

void PlayMode::finishLoading()
{
    RIR_TRACE("PlayMode::finishLoading");
    GameApp* pApp = getApp();
    // The dialog ends itself on its next update.
    if (m_pLoadingDlg != nullptr)
        m_pLoadingDlg->done();
    m_pLoadingDlg = nullptr;
    m_bLoaded = true;
    pApp->setFPS(getDBDApp()->isLowResourcesMode() ? 30 : 100);
    pApp->showCursor(true);
    addFlags(MF_VISIBLE);
    removeFlags(MF_SEE_THROUGH);
    m_bPreLevelShown = false;
    if (m_bTutorial)
        resetTutorial();
    pApp->playMusicByName(m_sMusic.c_str(), true);
}
