// Constraint: a cell that spans several columns needs those columns to add up to its width.
//
// Made and dropped inside one Table::layout: the measuring pass records one for every cell with
// a span above 1, and the constraint pass widens the columns (ui/table_layout.cpp).
#ifndef DIZIDOR_UI_TABLECONSTRAINT_H
#define DIZIDOR_UI_TABLECONSTRAINT_H

#include "rir2/refcount.h"

class Constraint : public RIR::RefCountedObject
{
public:
    Constraint(int nFirst, int nLast, int nWidth)
        : m_nFirst(nFirst), m_nLast(nLast), m_nWidth(nWidth)
    {
    }

    int m_nFirst; // first column
    int m_nLast;  // last column, inclusive
    int m_nWidth; // the width the columns must add up to at least
};

#endif
