// The choice rows and button rows the menu's full screens (timed games, high scores) and the
// profile screen build alike.
//
// A choice row is a group of radio buttons of which one is checked; each takes a copy of a base
// font in its own colour. The difficulty row shows "DiffEasy", "DiffMedium", "DiffHard" in green,
// amber and red; the game-length row "TimeAttack3Min" and "TimeAttack10Min" in black.
//
//     RIR::SmartPtr<Table> pRow = new Table(this);
//     pRow->newRow();
//     addDifficultyRadios(this, pRow, pFont, ID_EASY, nDifficulty, m_lDiffRadio);
//     ... onCallback: checkRadio(m_lDiffRadio, nId);
//     addButtonRow(this, pTable, {{"play", ID_PLAY}, {"back", ID_BACK}});
#ifndef DBD_SHELL_SCREENWIDGETS_H
#define DBD_SHELL_SCREENWIDGETS_H

#include "gfx/color.h"
#include "ui/radiobutton.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <initializer_list>
#include <utility>

class Button;
class Font;
class GameMode;
class Table;

typedef RIR::List<RIR::SmartPtr<RadioButton>> RadioList;

// A radio button in a new cell of pRow's current row: the text (a text key or a plain text) in a
// copy of pFont coloured color, checked or not; appended to lRadio.
RIR::SmartPtr<RadioButton> addChoiceRadio(GameMode* pMode, RIR::SmartPtr<Table> pRow,
                                          RIR::SmartPtr<Font> pFont, const char* pszText, int nId,
                                          const Color& color, bool bChecked, int nAlign,
                                          RadioList& lRadio);
// The three difficulties with ids nFirstId .. nFirstId + 2, nChecked (0..2) checked.
void addDifficultyRadios(GameMode* pMode, RIR::SmartPtr<Table> pRow, RIR::SmartPtr<Font> pFont,
                         int nFirstId, int nChecked, int nAlign, RadioList& lRadio);
// The two game lengths with ids nFirstId, nFirstId + 1; the first checked when nChecked is 0.
void addTimeRadios(GameMode* pMode, RIR::SmartPtr<Table> pRow, RIR::SmartPtr<Font> pFont,
                   int nFirstId, int nChecked, int nAlign, RadioList& lRadio);
// Checks the option of that id and unchecks the others.
void checkRadio(RadioList& lRadio, int nId);
// The id of the checked option, or -1.
int checkedRadioId(const RadioList& lRadio);

// A new row of pTable holding a table with one centred button per (caption key, id), each added
// to the mode as a control; returns the buttons in order.
RIR::List<RIR::SmartPtr<Button>> addButtonRow(GameMode* pMode, RIR::SmartPtr<Table> pTable,
                                               std::initializer_list<std::pair<const char*, int>> buttons);

#endif
