#include "shell/highscoredlg.h"

#include "shell/appstore.h"
#include "shell/downloaddlg.h"
#include "shell/highscoreio.h"
#include "shell/highscorereply.h"
#include "shell/highscoreservice.h"
#include "shell/menuframe.h"
#include "shell/panelimage.h"
#include "shell/screenwidgets.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "gfx/image.h"
#include "gfx/sprite.h"
#include "ui/dlgyesno.h"
#include "ui/label.h"
#include "ui/radiobutton.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/date.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstdlib>

namespace
{
const int COLUMN_WIDTH = 180;
const int SEPARATOR_X = 527;
const int SEPARATOR_Y_TABS = 115;
const int SEPARATOR_Y_RESULT = 155;
const Color RED(255, 0, 0, 255);
const Color BLACK(0, 0, 0, 255);
} // namespace

RIR::String formatHighScoreDate(int32_t nTimestamp)
{
    const RIR::Date date(nTimestamp);
    const RIR::List<RIR::String> lMonths = getText("HighScoreMonths").split(" ");
    const int nMonth = date.getMonth();
    const RIR::String sMonth = nMonth >= 1 && nMonth <= lMonths.getLength()
                                   ? lMonths.get(nMonth - 1)
                                   : RIR::String::format("%d", nMonth);
    return getText("HighScoreDateFmt")
        .replaceAll("(D)", RIR::String::format("%d", date.getDay()).c_str())
        .replaceAll("(Y)", RIR::String::format("%d", date.getYear()).c_str())
        .replaceAll("(M)", sMonth.c_str());
}

RIR::String highScoreLastUpdateLine()
{
    const int nLast = atoi(getStoredValue("HighscoreLastUpdate").c_str());
    const RIR::String sDate = nLast == 0 ? getText("HighScoreUpdNever") : formatHighScoreDate(nLast);
    return getText("HighscoreLastUpdated") + sDate;
}

HighScoreDlg::HighScoreDlg(bool bShowTabs, int nTime, int nDifficulty, int nHighlightRank)
    : DBDMode(MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH), m_bShowTabs(bShowTabs),
      m_nTime(nTime), m_nDifficulty(nDifficulty), m_nHighlightRank(nHighlightRank),
      m_bRed(), m_pDLMode(nullptr)
{
}

HighScoreDlg::~HighScoreDlg()
{
}

void HighScoreDlg::onStart()
{
    RIR_TRACE("HighScoreDlg::onStart");
    GameApp* pApp = getApp();
    addSprite(new Sprite(getPanelImage(pApp), 263, 20, 0));
    m_pFont = pApp->getTheme()->getFont("Dolly::UI")->clone();

    m_pTable = new Table(this);
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->add(addSprite(new Sprite("text_c_highscores", 0, 0, 1)), 0x24);
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);

    RIR::SmartPtr<Table> pColumns = new Table(this);
    pColumns->setVSpacing(-14);
    pColumns->newRow();
    for (int c = 0; c < 2; ++c)
    {
        if (c == 1)
            pColumns->newCell(1);
        pColumns->newCell(1);
        RIR::SmartPtr<Label> pHead =
            new Label(getText(c == 0 ? "LocalHighscore" : "OnlineHighscore").c_str());
        pHead->setFont(m_pFont);
        addSprite(pHead);
        pColumns->add(pHead, 0x24);
    }
    // The rows in plain dark letters: a shadow blurs small figures on the parchment.
    RIR::SmartPtr<Font> pRowFont = m_pFont->clone();
    pRowFont->setShadow(false);
    for (int r = 0; r < SHOWN_RANKS; ++r)
    {
        pColumns->newRow();
        for (int c = 0; c < 2; ++c)
        {
            if (c == 1)
                pColumns->newCell(1);
            pColumns->newCell(1);
            // Name and score share the cell, one on each side.
            m_pNameLabel[c][r] = new Label("", 0, 0, 1, COLUMN_WIDTH, true);
            m_pNameLabel[c][r]->setFont(pRowFont);
            m_pNameLabel[c][r]->setAlignment(0x21);
            addSprite(m_pNameLabel[c][r]);
            pColumns->add(m_pNameLabel[c][r], 0x21);
            m_pScoreLabel[c][r] = new Label("", 0, 0, 1, COLUMN_WIDTH, true);
            m_pScoreLabel[c][r]->setFont(pRowFont);
            m_pScoreLabel[c][r]->setAlignment(0x22);
            addSprite(m_pScoreLabel[c][r]);
            pColumns->add(m_pScoreLabel[c][r], 0x22);
        }
    }
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->add(pColumns, 0x24);

    // Between the two columns, placed by the top centre of its picture.
    RIR::SmartPtr<Image> pSepImage = pApp->getImage("separator_v");
    addSprite(new Sprite(pSepImage, SEPARATOR_X - pSepImage->getWidth() / 2,
                         m_bShowTabs ? SEPARATOR_Y_TABS : SEPARATOR_Y_RESULT, 1));

    m_pLastUpdateLabel = new Label("");
    m_pLastUpdateLabel->setFont(pApp->getTheme()->getFont("Dolly::HighScoreSmall"));
    addSprite(m_pLastUpdateLabel);
    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->add(m_pLastUpdateLabel, 0x24);

    if (m_bShowTabs)
    {
        m_pTable->newRow();
        m_pTable->newCell(1);
        m_pTable->add(addSprite(new Sprite("shortsep", 0, 0, 1)), 0x24);
    }

    const int nDifficulty = m_bShowTabs ? getStoredIndex("HighscoreDifficulty", HS_DIFFICULTIES, 1)
                                        : m_nDifficulty;
    const int nTime = m_bShowTabs ? getStoredIndex("HighscoreTime", HS_TIMES, 0) : m_nTime;
    RIR::SmartPtr<Table> pDiffRow = new Table(this);
    pDiffRow->newRow();
    addDifficultyRadios(this, pDiffRow, m_pFont, ID_EASY, nDifficulty, 0x24, m_lDiffRadio);
    RIR::SmartPtr<Table> pTimeRow = new Table(this);
    pTimeRow->newRow();
    addTimeRadios(this, pTimeRow, m_pFont, ID_3MIN, nTime, 0x24, m_lTimeRadio);
    if (m_bShowTabs)
    {
        m_pTable->newRow();
        m_pTable->newCell(1);
        m_pTable->add(pDiffRow, 0x24);
        m_pTable->newRow();
        m_pTable->newCell(1);
        m_pTable->add(pTimeRow, 0x24);
    }
    else
    {
        pDiffRow->setVisible(false);
        pTimeRow->setVisible(false);
    }

    m_pTable->newRow();
    m_pTable->newCell(1);
    m_pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);
    // The exchange with the online service needs a control of its own: "online".
    addButtonRow(this, m_pTable, {{"online", ID_EXCHANGE}, {"clear", ID_CLEAR}, {"back", ID_BACK}});

    m_pTable->setPos(285, 40);
    m_pTable->setSize(485, 520);
    m_pTable->setZOrder(1);
    m_pTable->relayout();
    refresh();
}

void HighScoreDlg::onActivate()
{
    RIR_TRACE("HighScoreDlg::onActivate");
    if (MenuFrame::instance())
        MenuFrame::instance()->lockInput();
    getApp()->playMusicByName("st_main", true);
    m_pDLMode = nullptr;
}

int HighScoreDlg::getShownTime() const
{
    const int nId = checkedRadioId(m_lTimeRadio);
    return nId != -1 && nId != ID_3MIN ? 1 : 0;
}

int HighScoreDlg::getShownDifficulty() const
{
    const int nId = checkedRadioId(m_lDiffRadio);
    return nId == -1 ? 1 : nId - ID_EASY;
}

void HighScoreDlg::refresh()
{
    RIR_TRACE("HighScoreDlg::refresh");
    const int nTime = getShownTime();
    const int nDifficulty = getShownDifficulty();
    HighScoreTable table;
    loadHighScores(table);
    const RIR::String sPlayer = getStoredValue("PlayerUID");
    const RIR::String sEmpty = getText("EmptyHighScore");
    for (int c = 0; c < 2; ++c)
    {
        for (int r = 0; r < SHOWN_RANKS; ++r)
        {
            const int i = highScoreIndex(c, nTime, nDifficulty, r);
            const RIR::String& sName = table.sName[i];
            m_pNameLabel[c][r]->setText(sName.length() > 0 ? sName.c_str() : sEmpty.c_str());
            m_pScoreLabel[c][r]->setText(RIR::String::format("$%d", table.nScore[i]).c_str());
            const bool bRed = c == HS_ONLINE ? sPlayer.length() > 0 && table.sKey[i] == sPlayer
                                             : !m_bShowTabs && r == m_nHighlightRank;
            m_bRed[c][r] = bRed;
            m_pNameLabel[c][r]->setTextColor(bRed ? RED : BLACK);
            m_pScoreLabel[c][r]->setTextColor(bRed ? RED : BLACK);
        }
    }
    m_pLastUpdateLabel->setText(highScoreLastUpdateLine().c_str());
    m_pTable->relayout();
}

RIR::String HighScoreDlg::getNameText(int nColumn, int nRow) const
{
    return m_pNameLabel[nColumn][nRow]->getText();
}

RIR::String HighScoreDlg::getScoreText(int nColumn, int nRow) const
{
    return m_pScoreLabel[nColumn][nRow]->getText();
}

bool HighScoreDlg::isRowRed(int nColumn, int nRow) const
{
    return m_bRed[nColumn][nRow];
}

RIR::String HighScoreDlg::getLastUpdateText() const
{
    return m_pLastUpdateLabel->getText();
}

void HighScoreDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("HighScoreDlg::onCallback");
    (void)nParam;
    GameApp* pApp = getApp();
    switch (nId)
    {
    case ID_EASY:
    case ID_EASY + 1:
    case ID_EASY + 2:
        checkRadio(m_lDiffRadio, nId);
        setStoredValue("HighscoreDifficulty", RIR::String::format("%d", nId - ID_EASY).c_str());
        refresh();
        break;
    case ID_3MIN:
    case ID_10MIN:
        checkRadio(m_lTimeRadio, nId);
        setStoredValue("HighscoreTime", RIR::String::format("%d", nId - ID_3MIN).c_str());
        refresh();
        break;
    case ID_CLEAR:
        pApp->pushMode(
            new DlgYesNo(this, getText("ConfirmClearHighscore").c_str(), ID_CLEAR_CONFIRMED, -1));
        break;
    case ID_CLEAR_CONFIRMED:
        clearLocalHighScores();
        refresh();
        break;
    case ID_BACK:
        endMode();
        break;
    case ID_EXCHANGE:
    {
        // One exchange at a time: the button is covered by the waiting dialog meanwhile.
        if (m_pDLMode)
            break;
        const RIR::String sRequest = buildHighScoreExchangeRequest();
        m_pDLMode = new DownloadDlg(this, ID_REPLY_IN, getText("SyncingHighscores").c_str(),
                                    sRequest.c_str(), nullptr);
        pApp->pushMode(m_pDLMode);
        break;
    }
    case ID_REPLY_IN:
        RIR_ASSERT(m_pDLMode != NULL);
        parseHighScoreReply(m_pDLMode->getResult().c_str());
        refresh();
        break;
    default:
        break;
    }
}
