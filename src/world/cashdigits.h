// CashDigits: a fixed-width row of digit pictures showing an amount.
//
// The end-of-day statistics dialog counts the day's cash up on one. The row is a Table of digit
// sprites, leftmost first; setValue fills it from the right, showing leading zeros, and an
// amount wider than the row shows only its last digits (getValue still answers the whole
// amount). The ten digit pictures are cut once per run from the picture "cash_digits": ten cells
// of width / 10 pixels side by side (a remainder of the width belongs to no digit), and shared by
// every row. The row keeps the size of its digits: setSize does nothing.
//
// Usage:
//     RIR::SmartPtr<CashDigits> pCash = new CashDigits(pDialog, 5);
//     pCash->setValue(1250);            // 0 1 2 5 0
//
// A missing "cash_digits" picture is the application's resource error. Main thread only.
#ifndef DBD_WORLD_CASHDIGITS_H
#define DBD_WORLD_CASHDIGITS_H

#include "ui/table.h"

#include "gfx/image.h"
#include "gfx/sprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

class CashDigits : public Table
{
public:
    // nDigits sprites showing 0, each in a cell of its own (alignment left and top), added to
    // the mode's sprites when there is a mode; the row is shown. Amount 0.
    CashDigits(GameMode* pMode, int nDigits);
    ~CashDigits() override;

    // Refused: the row keeps the size of its digits.
    void setSize(int nWidth, int nHeight) override;

    // nValue >= 0 ("Assertion failed : nValue >= 0" otherwise).
    void setValue(int nValue);
    int getValue() const { return m_nValue; }
    int getDigitCount() const { return m_nDigits; }
    // The digit shown at a position, leftmost 0; for tests and checks.
    int getShownDigit(int nPosition) const;

    // The picture of a digit 0-9 ("Assertion failed : nDigit >= 0 && nDigit <= 9"), cut from
    // "cash_digits" on first use.
    static RIR::SmartPtr<Image> getDigitImage(int nDigit);
    // Lets the ten pictures go (at exit; the next use cuts them again).
    static void releaseDigitImages();

private:
    int m_nDigits;
    int m_nValue;
    RIR::List<RIR::SmartPtr<Sprite>> m_lDigits;
    RIR::List<int> m_lShown;

    static RIR::SmartPtr<Image> s_apDigitImages[10];
};

#endif
