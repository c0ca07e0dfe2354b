#include "rir2/calltrace.h"

#include <cstring>

namespace RIR
{

// Zero-initialised before any code runs: depth 0, no overflow.
CallTraceStack g_callTrace;

namespace
{

// The note of the top entry, or null when there is no entry of the current call to write into.
char* topNote()
{
    CallTraceStack& st = g_callTrace;
    if (st.m_nDepth <= 0 || st.m_nOverflow > 0)
        return nullptr;
    return st.m_aszNote[st.m_nDepth - 1];
}

// Copies at most nRoom bytes of pszText to pszDest and terminates it.
void copyBounded(char* pszDest, const char* pszText, size_t nRoom)
{
    const size_t nLen = pszText ? strnlen(pszText, nRoom) : 0;
    memcpy(pszDest, pszText ? pszText : "", nLen);
    pszDest[nLen] = 0;
}

} // namespace

void setTraceParams(const char* pszText)
{
    char* pszNote = topNote();
    if (pszNote)
        copyBounded(pszNote, pszText, TRACE_NOTE_SIZE - 1);
}

void appendTraceParams(const char* pszText)
{
    char* pszNote = topNote();
    if (!pszNote)
        return;
    const size_t nUsed = strnlen(pszNote, TRACE_NOTE_SIZE - 1);
    copyBounded(pszNote + nUsed, pszText, TRACE_NOTE_SIZE - 1 - nUsed);
}

void clearTraceParams()
{
    char* pszNote = topNote();
    if (pszNote)
        pszNote[0] = 0;
}

} // namespace RIR
