#include "shell/timeattackdlg.h"

#include "shell/appstore.h"
#include "shell/dbdapp.h"
#include "shell/editnamedlg.h"
#include "shell/highscoredlg.h"
#include "shell/highscoreio.h"
#include "shell/menuframe.h"
#include "shell/panelimage.h"
#include "shell/playerio.h"
#include "shell/screenwidgets.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "gfx/font.h"
#include "gfx/sprite.h"
#include "ui/radiobutton.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"


namespace
{
const Color BLACK(0, 0, 0, 255);

// The settings, each kept in its range: a damaged settings file must not pick a missing
// picture or a table outside the high scores.
int storedDifficulty()
{
    return getStoredIndex("TimedDifficulty", HS_DIFFICULTIES, 1);
}

int storedTime()
{
    return getStoredIndex("TimedTime", HS_TIMES, 0);
}

int storedScene()
{
    return getStoredIndex("TimedScene", TimeAttackDlg::SCENES, 0);
}
} // namespace

TimeAttackDlg::TimeAttackDlg(MenuFrame* pMenuFrame)
    : DBDMode(MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH), m_pEditNameDlg(nullptr),
      m_pMenuFrame(pMenuFrame)
{
}

TimeAttackDlg::~TimeAttackDlg()
{
}

int TimeAttackDlg::sceneLevel(int nScene)
{
    return nScene == 0 ? 1 : 5 * nScene;
}

int TimeAttackDlg::gameSeconds(int nTime)
{
    return nTime != 0 ? 600 : 180;
}

void TimeAttackDlg::onStart()
{
    RIR_TRACE("TimeAttackDlg::onStart");
    GameApp* pApp = getApp();
    m_pFont = pApp->getTheme()->getFont("Dolly::UI")->clone();
    addSprite(new Sprite(getPanelImage(pApp), 263, 20, 0));

    RIR::SmartPtr<Table> pTable = new Table(this);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addSprite(new Sprite("text_c_timeattack", 0, 0, 1)), 0x24);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);

    const int nDifficulty = storedDifficulty();
    RIR::SmartPtr<Table> pDiffRow = new Table(this);
    pDiffRow->newRow();
    addDifficultyRadios(this, pDiffRow, m_pFont, ID_EASY, nDifficulty, 0x21, m_lDiffRadio);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pDiffRow, 0x24);

    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addSprite(new Sprite("shortsep", 0, 0, 1)), 0x24);
    const int nTime = storedTime();
    RIR::SmartPtr<Table> pTimeRow = new Table(this);
    pTimeRow->newRow();
    addTimeRadios(this, pTimeRow, m_pFont, ID_3MIN, nTime, 0x21, m_lTimeRadio);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pTimeRow, 0x24);

    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addSprite(new Sprite("shortsep", 0, 0, 1)), 0x24);
    const int nScene = storedScene();
    RIR::SmartPtr<Table> pSceneRow = new Table(this);
    pSceneRow->newRow();
    pSceneRow->newCell(1);
    RIR::SmartPtr<Table> pScenes = new Table(this);
    for (int i = 0; i < SCENES; ++i)
    {
        if (i % 3 == 0)
            pScenes->newRow();
        const RIR::String sName = getText(RIR::String::format("ChapterShort%d", i).c_str());
        addChoiceRadio(this, pScenes, m_pFont, sName.c_str(), ID_FIRST_SCENE + i, BLACK,
                       i == nScene, 0x21, m_lSceneRadio);
    }
    pSceneRow->add(pScenes, 0x21 | 0x20);
    pSceneRow->newCell(1);
    m_sSnapshot = RIR::String::format("snap_ch%d", nScene + 1);
    m_pSnapshot = addSprite(new Sprite(m_sSnapshot.c_str(), 0, 0, 1));
    pSceneRow->add(m_pSnapshot, 0x24 | 0x20);
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pSceneRow, 0x24);

    pTable->newRow();
    pTable->newCell(1);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);
    addButtonRow(this, pTable,
                 {{"highscores", ID_HIGHSCORES}, {"play", ID_PLAY}, {"back", ID_BACK}});

    pTable->setPos(275, 40);
    pTable->setSize(475, 520);
    pTable->setZOrder(1);
    pTable->relayout();

    onCallback(ID_FIRST_SCENE + nScene, 0);
}

void TimeAttackDlg::onActivate()
{
    RIR_TRACE("TimeAttackDlg::onActivate");
    GameApp* pApp = getApp();
    setFlags(getFlags() | MF_ACTIVE);
    pApp->showCursor(true);
    pApp->playMusicByName("st_main", true);
    if (m_pMenuFrame)
        m_pMenuFrame->lockInput();
    if (getDBDApp()->hasLastResults() && !m_pEditNameDlg)
        takeResult();
}

int TimeAttackDlg::findCurrentPlayer() const
{
    const int nPlayerIdx = findPlayerByUID(getStoredValue("PlayerUID").c_str());
    RIR_ASSERT(nPlayerIdx != -1);
    return nPlayerIdx;
}

void TimeAttackDlg::takeResult()
{
    RIR_TRACE("TimeAttackDlg::takeResult");
    DBDApp* pApp = getDBDApp();
    if (pApp->getLastResults()->bAborted)
    {
        delete pApp->takeLastResults();
        return;
    }
    const int nPlayerIdx = findCurrentPlayer();
    if (isDefaultPlayerName(nPlayerIdx))
    {
        EditNameDlg* pDlg =
            new EditNameDlg(getStoredValue("PlayerName").c_str(), this, ID_NAME_ENTERED);
        pDlg->disableCancel();
        m_pEditNameDlg = pDlg;
        pApp->pushMode(pDlg);
        return;
    }
    recordResult();
}

void TimeAttackDlg::recordResult()
{
    RIR_TRACE("TimeAttackDlg::recordResult");
    DBDApp* pApp = getDBDApp();
    GameResults* pGR = pApp->takeLastResults();
    try
    {
        if (!pGR->bAborted)
        {
            RIR_ASSERT(pGR->nGameType == GT_TIMED);
            const int nTime = storedTime();
            const int nDifficulty = storedDifficulty();
            const int nRank =
                insertHighScore(getStoredValue("PlayerName"), nTime, nDifficulty, pGR->nCash);
            if (nRank != -1)
            {
                // The screen below goes inactive while the result shows, so that clicks on the
                // high-score screen cannot reach its hidden controls.
                setFlags(getFlags() & ~MF_ACTIVE);
                pApp->pushMode(new HighScoreDlg(false, nTime, nDifficulty, nRank));
            }
        }
    }
    catch (...)
    {
        delete pGR;
        throw;
    }
    delete pGR;
}

void TimeAttackDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("TimeAttackDlg::onCallback");
    RIR::setTraceParams(RIR::String::format("Cmd %d", nId).c_str());
    (void)nParam;
    DBDApp* pApp = getDBDApp();
    if (nId >= ID_EASY && nId < ID_EASY + HS_DIFFICULTIES)
    {
        checkRadio(m_lDiffRadio, nId);
        setStoredValue("TimedDifficulty", RIR::String::format("%d", nId - ID_EASY).c_str());
        return;
    }
    if (nId == ID_3MIN || nId == ID_10MIN)
    {
        checkRadio(m_lTimeRadio, nId);
        setStoredValue("TimedTime", RIR::String::format("%d", nId - ID_3MIN).c_str());
        return;
    }
    if (nId >= ID_FIRST_SCENE && nId < ID_FIRST_SCENE + SCENES)
    {
        checkRadio(m_lSceneRadio, nId);
        setStoredValue("TimedScene", RIR::String::format("%d", nId - ID_FIRST_SCENE).c_str());
        m_sSnapshot = RIR::String::format("snap_ch%d", nId - ID_FIRST_SCENE + 1);
        m_pSnapshot->setImage(pApp->getImage(m_sSnapshot.c_str()));
        return;
    }
    switch (nId)
    {
    case ID_BACK:
        endMode();
        break;
    case ID_HIGHSCORES:
        setFlags(getFlags() & ~MF_ACTIVE);
        pApp->pushMode(new HighScoreDlg(true, -1, -1, -1));
        break;
    case ID_PLAY:
    {
        // Until the game has its saloon days installed, "play" only notes that it cannot start.
        if (!pApp->getLevelFactory())
        {
            logPrintf("W: No level factory: the timed game cannot start\n");
            break;
        }
        const int nTime = storedTime();
        const int nDifficulty = storedDifficulty();
        const int nScene = storedScene();
        DifficultyManager* pDM =
            new DifficultyManager(GT_TIMED, gameSeconds(nTime), nDifficulty, sceneLevel(nScene));
        pApp->pushMode(pApp->createLevel(pDM, 0));
        break;
    }
    case ID_NAME_ENTERED:
    {
        RIR_ASSERT(m_pEditNameDlg);
        const int nPlayerIdx = findCurrentPlayer();
        renamePlayer(nPlayerIdx, m_pEditNameDlg->getName().c_str());
        selectPlayer(nPlayerIdx);
        if (m_pMenuFrame)
            m_pMenuFrame->showWelcome();
        m_pEditNameDlg = nullptr;
        recordResult();
        break;
    }
    default:
        break;
    }
}
