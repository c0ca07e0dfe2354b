#include "ui/tablecell.h"

#include "rir2/calltrace.h"

Cell::Cell(int nSpan) : m_nSpan(nSpan < 1 ? 1 : nSpan), m_nWidth(0), m_nHeight(0), m_nFlags(0)
{
    RIR_TRACE("Cell::Cell");
}
