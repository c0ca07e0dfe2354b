// NewGameDlg: layout and commands.
#include "shell/newgamedlg.h"

#include "shell/appstore.h"
#include "shell/storymanager.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

struct Choice
{
    const char* pszKey;
    int nId;
    Color color;
};

const Choice DIFFICULTIES[] = {{"DiffEasy", NewGameDlg::ID_EASY, Color(0, 96, 0, 255)},
                               {"DiffMedium", NewGameDlg::ID_MEDIUM, Color(255, 192, 48, 255)},
                               {"DiffHard", NewGameDlg::ID_HARD, Color(192, 0, 0, 255)}};
const Choice DAY_LENGTHS[] = {{"TimeAttack3Min", NewGameDlg::ID_SHORT_DAYS, Color(0, 0, 0, 255)},
                              {"TimeAttack10Min", NewGameDlg::ID_LONG_DAYS, Color(0, 0, 0, 255)}};

const int DIFFICULTY_COUNT = 3;
const int DEFAULT_DIFFICULTY = 1;
const int TIME_FLAGS = 2;
// Room between the options of a row, and between the rows.
const int OPTION_SPACING = 16;
const int ROW_SPACING = 8;

// The difficulty and the time flag the dialog starts with and "play" uses.
int storedDifficulty()
{
    return getStoredIndex("StoryDiff", DIFFICULTY_COUNT, DEFAULT_DIFFICULTY);
}

int storedTime()
{
    return getStoredIndex("StoryTime", TIME_FLAGS, 0);
}

} // namespace

NewGameDlg::NewGameDlg(int nSlot) : DBDDialog(true), m_nSlot(nSlot)
{
}

NewGameDlg::~NewGameDlg()
{
}

void NewGameDlg::onStart()
{
    RIR_TRACE("NewGameDlg::onStart");
    DBDDialog::onStart();
    GameApp* pApp = getApp();
    RIR::SmartPtr<Font> pUIFont = pApp->getTheme()->getFont("Dolly::UI");
    RIR::SmartPtr<Table> pTable = getTable();
    pTable->setVSpacing(ROW_SPACING);

    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Label> pTitle = addLabel(getText("NewStoryDlgTitle").c_str(), 0x24);
    pTitle->setFont(pUIFont);
    pTitle->setAlignment(4);
    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("shortsep", 0x24);

    // One row of options per choice, the stored one checked.
    RIR::SmartPtr<Image> pOff = pApp->getImage("check_off");
    RIR::SmartPtr<Image> pOn = pApp->getImage("check_on");
    struct Row
    {
        const Choice* pChoices;
        int nCount;
        int nChecked;
        RadioGroup* pGroup;
    };
    const Row rows[] = {{DIFFICULTIES, DIFFICULTY_COUNT, storedDifficulty(), &m_lDiffRadios},
                        {DAY_LENGTHS, TIME_FLAGS, storedTime(), &m_lTimeRadios}};
    for (const Row& row : rows)
    {
        RIR_TRACE_LINE();
        if (row.pGroup == &m_lTimeRadios)
        {
            pTable->newRow();
            pTable->newCell(1);
            addNamedImage("shortsep", 0x24);
        }
        pTable->newRow();
        pTable->newCell(1);
        RIR::SmartPtr<Table> pOptions = new Table(this);
        pOptions->setHSpacing(OPTION_SPACING);
        pOptions->newRow();
        for (int i = 0; i < row.nCount; ++i)
        {
            const Choice& choice = row.pChoices[i];
            RIR::SmartPtr<Font> pFont = pUIFont->clone();
            pFont->setColor(choice.color);
            // The face's heavy shadow is made for dark wood; on the parchment a thin one keeps
            // the light colours readable, and black text needs none.
            pFont->setShadowOffset(1);
            pFont->setShadow(choice.color != Color(0, 0, 0, 255));
            RIR::SmartPtr<RadioButton> pRadio =
                new RadioButton(this, pOff, pOn, getText(choice.pszKey).c_str(), choice.nId);
            pRadio->setFont(pFont);
            pRadio->setChecked(i == row.nChecked);
            pOptions->newCell(1);
            pOptions->add(pRadio, 0x21);
            row.pGroup->append(pRadio);
        }
        pTable->add(pOptions, 0x24);
    }

    pTable->newRow();
    pTable->newCell(1);
    addNamedImage("separator", 0x24);
    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Table> pButtons = new Table(this);
    pButtons->setHSpacing(OPTION_SPACING);
    pButtons->newRow();
    for (const RIR::SmartPtr<Button>& pButton :
         {RIR::SmartPtr<Button>(new Button("play", ID_PLAY)),
          RIR::SmartPtr<Button>(new Button("cancel", ID_CANCEL))})
    {
        addControl(pButton);
        pButtons->newCell(1);
        pButtons->add(pButton, 0x24);
    }
    pTable->add(pButtons, 0x34);
}

int NewGameDlg::getCheckedDifficulty() const
{
    return m_lDiffRadios.getCheckedIndex();
}

int NewGameDlg::getCheckedTime() const
{
    return m_lTimeRadios.getCheckedIndex();
}

void NewGameDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("NewGameDlg::onCallback");
    switch (nId)
    {
    case ID_PLAY:
    {
        GameApp* pApp = getApp();
        const int nTime = storedTime();
        const int nDifficulty = storedDifficulty();
        endMode();
        pApp->pushMode(new StoryManager(m_nSlot, nTime, nDifficulty));
        break;
    }
    case ID_CANCEL:
        endMode();
        break;
    case ID_EASY:
    case ID_MEDIUM:
    case ID_HARD:
        m_lDiffRadios.select(nId);
        setStoredValue("StoryDiff", RIR::String::format("%d", nId - ID_EASY).c_str());
        break;
    case ID_SHORT_DAYS:
    case ID_LONG_DAYS:
        m_lTimeRadios.select(nId);
        setStoredValue("StoryTime", RIR::String::format("%d", nId - ID_SHORT_DAYS).c_str());
        break;
    default:
        DBDDialog::onCallback(nId, nParam);
        break;
    }
}
