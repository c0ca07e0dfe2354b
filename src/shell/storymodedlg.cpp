// StoryModeDlg: layout, slot captions, the buttons' states and the commands.
#include "shell/storymodedlg.h"

#include "shell/appstore.h"
#include "shell/interlevelmode.h"
#include "shell/menuframe.h"
#include "shell/newgamedlg.h"
#include "shell/savegameio.h"
#include "shell/storymanager.h"
#include "shell/textformat.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "gfx/sprite.h"
#include "ui/button.h"
#include "ui/dlgyesno.h"
#include "ui/table.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// Days per chapter.
const int CHAPTER_DAYS = 5;
// The width of "load", "new" and "delete", and the gap between the two buttons at the foot.
const int SLOT_BUTTON_WIDTH = 110;
const int FOOT_SPACING = 20;
// The screen's table, the gap between the slot list and the buttons, and the list's width: the
// list takes the rest of the row, whatever its captions, so that the buttons never grow.
const int TABLE_X = 285;
const int TABLE_Y = 40;
const int TABLE_WIDTH = 485;
const int TABLE_HEIGHT = 520;
const int COLUMN_SPACING = 10;
const int SLOT_LIST_WIDTH = TABLE_WIDTH - SLOT_BUTTON_WIDTH - COLUMN_SPACING;

// The texts of a slot's difficulty and day length. Any time flag but 0 means long days.
RIR::String difficultyText(int nDifficulty)
{
    return getText(RIR::String::format("SGDiff%d", nDifficulty).c_str());
}

RIR::String timeText(int nTime)
{
    return getText(RIR::String::format("SGTime%d", nTime != 0 ? 1 : 0).c_str());
}

} // namespace

RIR::String getChapterName(int nLevel)
{
    return getText(RIR::String::format("ChapterName%d", nLevel / CHAPTER_DAYS).c_str());
}

RIR::String storySlotCaption(int nLevel, int nTime, int nDifficulty, int nScore)
{
    RIR_TRACE("storySlotCaption");
    if (nLevel < 0)
        return getText("EmptySavegame");
    if (nLevel >= STORY_LEVELS)
        return formatText(getText("StoryOverFmt").c_str(),
                          {nScore, difficultyText(nDifficulty), timeText(nTime)});
    return getChapterName(nLevel) +
           formatText(" - %s %d (%s/%s)", {getText("SGLevel"), nLevel + 1,
                                          difficultyText(nDifficulty), timeText(nTime)});
}

StoryModeDlg::StoryModeDlg() : DBDMode(MF_SEE_THROUGH | MF_UPDATE_THROUGH | MF_INPUT_THROUGH)
{
}

StoryModeDlg::~StoryModeDlg()
{
}

void StoryModeDlg::onStart()
{
    RIR_TRACE("StoryModeDlg::onStart");
    addSprite(new Sprite("ui_tabla", 263, 20, 0));

    RIR::SmartPtr<Table> pTable = new Table(this);
    pTable->setHSpacing(COLUMN_SPACING);
    pTable->newRow();
    pTable->newCell(2);
    pTable->setCellFlags(CF_FIXED_WIDTH);
    pTable->add(addSprite(new Sprite("text_c_storymode", 0, 0, 1)), 0x24);
    pTable->newRow();
    pTable->newCell(2);
    pTable->setCellFlags(CF_FIXED_WIDTH);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);

    // The slot list and, beside it, the buttons that act on the selected slot.
    pTable->newRow();
    pTable->newCell(1);
    RIR::SmartPtr<Table> pSlots = new Table(this);
    pSlots->setVSpacing(-6);
    pSlots->setSize(SLOT_LIST_WIDTH, 0);
    const int nSelected = getStoredIndex("StorySavegame", SAVE_SLOTS, 0);
    // A narrow face, so that the longest caption fits beside the buttons.
    RIR::SmartPtr<Font> pSlotFont = getApp()->getTheme()->getFont("Dolly::SlotList");
    for (int i = 0; i < SAVE_SLOTS; ++i)
    {
        RIR::SmartPtr<RadioButton> pSlot = new RadioButton(this, "", ID_FIRST_SLOT + i);
        pSlot->setFont(pSlotFont);
        pSlot->setChecked(i == nSelected);
        pSlots->newRow();
        pSlots->newCell(1);
        pSlots->add(pSlot, 0x21);
        m_lSlotRadios.append(pSlot);
    }
    pTable->add(pSlots, 0x21);

    // The buttons keep one width (a cell sizes what it holds, so the column must never grow).
    pTable->newCell(1);
    pTable->setCellFlags(CF_FIXED_WIDTH);
    RIR::SmartPtr<Table> pButtons = new Table(this);
    pButtons->setVSpacing(10);
    m_pLoadButton = new Button("load", ID_LOAD, 0, 0, 0, SLOT_BUTTON_WIDTH);
    RIR::SmartPtr<Button> pNew = new Button("new", ID_NEW, 0, 0, 0, SLOT_BUTTON_WIDTH);
    m_pDeleteButton = new Button("delete", ID_DELETE, 0, 0, 0, SLOT_BUTTON_WIDTH);
    for (const RIR::SmartPtr<Button>& pButton : {m_pLoadButton, pNew, m_pDeleteButton})
    {
        addControl(pButton);
        pButtons->newRow();
        pButtons->newCell(1);
        pButtons->add(pButton, 0x24);
    }
    pTable->add(pButtons, 0x24);

    pTable->newRow();
    pTable->newCell(2);
    pTable->setCellFlags(CF_FIXED_WIDTH);
    pTable->add(addSprite(new Sprite("separator", 0, 0, 1)), 0x24);
    pTable->newRow();
    pTable->newCell(2);
    pTable->setCellFlags(CF_FIXED_WIDTH);
    RIR::SmartPtr<Table> pFoot = new Table(this);
    pFoot->setHSpacing(FOOT_SPACING);
    pFoot->newRow();
    // Empty cells on both sides take the row's extra width: the buttons keep theirs, centred.
    pFoot->newCell(1);
    for (const RIR::SmartPtr<Button>& pButton :
         {RIR::SmartPtr<Button>(new Button("viewstory", ID_VIEW_STORY)),
          RIR::SmartPtr<Button>(new Button("back", ID_BACK))})
    {
        addControl(pButton);
        pFoot->newCell(1);
        pFoot->setCellFlags(CF_FIXED_WIDTH);
        pFoot->add(pButton, 0x24);
    }
    pFoot->newCell(1);
    pTable->add(pFoot, 0x34);

    pTable->setSize(TABLE_WIDTH, TABLE_HEIGHT);
    pTable->setZOrder(1);
    pTable->setPos(TABLE_X, TABLE_Y);
}

void StoryModeDlg::onActivate()
{
    RIR_TRACE("StoryModeDlg::onActivate");
    MenuFrame::onScreenAbove(getApp());
    refreshSlots();
}

int StoryModeDlg::getSelectedSlot() const
{
    const int nId = m_lSlotRadios.getCheckedId();
    if (nId < 0)
        RIR_ASSERT(false);
    return nId - ID_FIRST_SLOT;
}

RIR::String StoryModeDlg::getSlotCaption(int nSlot) const
{
    int nLevel = -1;
    int nTime = 0;
    int nDifficulty = 0;
    int nScore = 0;
    readSaveSlot(nSlot, &nLevel, &nTime, &nDifficulty, &nScore);
    return storySlotCaption(nLevel, nTime, nDifficulty, nScore);
}

void StoryModeDlg::refreshSlots()
{
    RIR_TRACE("StoryModeDlg::refreshSlots");
    SaveSlots slots;
    readSaveSlots(slots);
    for (int i = 0; i < m_lSlotRadios.getLength(); ++i)
    {
        RIR_TRACE_LINE();
        m_lSlotRadios.get(i)->setText(storySlotCaption(slots.anLevel[i], slots.anTime[i],
                                                       slots.anDifficulty[i], slots.anScore[i])
                                          .c_str());
    }
    // Each option is laid out again around its new caption; the list keeps its width (it fits
    // the longest caption) and every row its height, so nothing else moves.
    for (int i = 0; i < m_lSlotRadios.getLength(); ++i)
        m_lSlotRadios.get(i)->relayout();
    updateButtons();
}

void StoryModeDlg::updateButtons()
{
    RIR_TRACE("StoryModeDlg::updateButtons");
    int nLevel = -1;
    readSaveSlot(getSelectedSlot(), &nLevel, nullptr, nullptr, nullptr);
    // An empty or a finished slot can only be started anew.
    const bool bInProgress = nLevel >= 0 && nLevel < STORY_LEVELS;
    if (m_pLoadButton)
        m_pLoadButton->setEnabled(bInProgress);
    if (m_pDeleteButton)
        m_pDeleteButton->setEnabled(bInProgress);
}

void StoryModeDlg::onCallback(int nId, int nParam)
{
    RIR_TRACE("StoryModeDlg::onCallback");
    GameApp* pApp = getApp();
    switch (nId)
    {
    case ID_LOAD:
        pApp->pushMode(new StoryManager(getSelectedSlot(), -1, -1));
        break;
    case ID_NEW:
        if (isSaveSlotUsed(getSelectedSlot()))
            pApp->pushMode(new DlgYesNo(this, getText("ConfirmOverwriteSavegame").c_str(),
                                        ID_NEW_CONFIRMED, -1));
        else
            onCallback(ID_NEW_CONFIRMED, 0);
        break;
    case ID_DELETE:
        pApp->pushMode(new DlgYesNo(this, getText("ConfirmDeleteSavegame").c_str(),
                                    ID_DELETE_CONFIRMED, -1));
        break;
    case ID_VIEW_STORY:
        pApp->pushMode(StoryManager::makeScene(InterLevelMode::ILE_VIEWER, nullptr));
        break;
    case ID_BACK:
        endMode();
        break;
    case ID_DELETE_CONFIRMED:
        clearSaveSlot(getSelectedSlot());
        refreshSlots();
        break;
    case ID_NEW_CONFIRMED:
        pApp->pushMode(new NewGameDlg(getSelectedSlot()));
        break;
    default:
        if (nId >= ID_FIRST_SLOT && nId < ID_FIRST_SLOT + SAVE_SLOTS)
        {
            m_lSlotRadios.select(nId);
            setStoredValue("StorySavegame", RIR::String::format("%d", nId - ID_FIRST_SLOT).c_str());
            updateButtons();
            break;
        }
        DBDMode::onCallback(nId, nParam);
        break;
    }
}
