#include "shell/screenwidgets.h"

#include "app/gamemode.h"
#include "gfx/font.h"
#include "ui/button.h"
#include "ui/table.h"

#include "rir2/list_impl.h"

namespace
{
const int DIFFICULTIES = 3;
const int TIMES = 2;
const Color DIFFICULTY_COLORS[DIFFICULTIES] = {Color(0, 96, 0, 255), Color(255, 192, 48, 255),
                                               Color(192, 0, 0, 255)};
const char* const DIFFICULTY_KEYS[DIFFICULTIES] = {"DiffEasy", "DiffMedium", "DiffHard"};
const char* const TIME_KEYS[TIMES] = {"TimeAttack3Min", "TimeAttack10Min"};
const Color BLACK(0, 0, 0, 255);
} // namespace

RIR::SmartPtr<RadioButton> addChoiceRadio(GameMode* pMode, RIR::SmartPtr<Table> pRow,
                                          RIR::SmartPtr<Font> pFont, const char* pszText, int nId,
                                          const Color& color, bool bChecked, int nAlign,
                                          RadioList& lRadio)
{
    RIR::SmartPtr<RadioButton> pRadio = new RadioButton(pMode, pszText, nId);
    RIR::SmartPtr<Font> pCopy = pFont->clone();
    pCopy->setColor(color);
    pRadio->setFont(pCopy);
    pRadio->setChecked(bChecked);
    pRow->newCell(1);
    pRow->add(pRadio, nAlign);
    lRadio.append(pRadio);
    return pRadio;
}

void addDifficultyRadios(GameMode* pMode, RIR::SmartPtr<Table> pRow, RIR::SmartPtr<Font> pFont,
                         int nFirstId, int nChecked, int nAlign, RadioList& lRadio)
{
    for (int d = 0; d < DIFFICULTIES; ++d)
        addChoiceRadio(pMode, pRow, pFont, DIFFICULTY_KEYS[d], nFirstId + d, DIFFICULTY_COLORS[d],
                       d == nChecked, nAlign, lRadio);
}

void addTimeRadios(GameMode* pMode, RIR::SmartPtr<Table> pRow, RIR::SmartPtr<Font> pFont,
                   int nFirstId, int nChecked, int nAlign, RadioList& lRadio)
{
    for (int t = 0; t < TIMES; ++t)
        addChoiceRadio(pMode, pRow, pFont, TIME_KEYS[t], nFirstId + t, BLACK,
                       (t == 0) == (nChecked == 0), nAlign, lRadio);
}

void checkRadio(RadioList& lRadio, int nId)
{
    for (int i = 0; i < lRadio.getLength(); ++i)
        lRadio.get(i)->setChecked(lRadio.get(i)->getCallbackId() == nId);
}

int checkedRadioId(const RadioList& lRadio)
{
    for (int i = 0; i < lRadio.getLength(); ++i)
        if (lRadio.get(i)->isChecked())
            return lRadio.get(i)->getCallbackId();
    return -1;
}

RIR::List<RIR::SmartPtr<Button>> addButtonRow(GameMode* pMode, RIR::SmartPtr<Table> pTable,
                                               std::initializer_list<std::pair<const char*, int>> buttons)
{
    RIR::List<RIR::SmartPtr<Button>> lButtons;
    RIR::SmartPtr<Table> pRow = new Table(pMode);
    pRow->newRow();
    for (const auto& button : buttons)
    {
        RIR::SmartPtr<Button> pButton = new Button(button.first, button.second);
        pMode->addControl(pButton);
        pRow->newCell(1);
        pRow->add(pButton, 0x24);
        lButtons.append(pButton);
    }
    pTable->newRow();
    pTable->newCell(1);
    pTable->add(pRow, 0x24);
    return lButtons;
}
