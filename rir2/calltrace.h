// The call trace: a global stack of the calls in progress, always on.
//
// Every function of the system opens with RIR_TRACE("Class::method"), which pushes an entry and
// pops it again on every way out, unwinding included. RIR_TRACE_LINE() records the line reached
// before a statement that may fail or call further; RIR_THROW and RIR_ASSERT record it themselves.
// Nothing reads the trace in normal work: exceptions copy it into a CallStackSnapshot and the
// crash report prints it.
//
// Push, line update and pop are inline stores into fixed arrays: no allocation, no lock, no copy.
// Only the main thread runs traced code.
#ifndef RIR2_CALLTRACE_H
#define RIR2_CALLTRACE_H

#include <cstdint>

namespace RIR
{

enum
{
    TRACE_MAX_DEPTH = 2048, // entries in the stack
    TRACE_NOTE_SIZE = 256   // bytes of a note, terminator included
};

// The live stack. Entries below m_nDepth are meaningful; the top entry has index m_nDepth - 1.
// Pushes beyond TRACE_MAX_DEPTH write nothing and are only counted in m_nOverflow, so that the
// matching pops stay balanced.
struct CallTraceStack
{
    const char* m_apszName[TRACE_MAX_DEPTH];
    uint8_t m_abFlag[TRACE_MAX_DEPTH];
    const char* m_apszFile[TRACE_MAX_DEPTH];
    char m_aszNote[TRACE_MAX_DEPTH][TRACE_NOTE_SIZE];
    int32_t m_anLine[TRACE_MAX_DEPTH];
    int32_t m_nDepth;
    int32_t m_nOverflow;
};

extern CallTraceStack g_callTrace;

inline void pushTraceFrame(const char* pszName, const char* pszFile, int nLine)
{
    CallTraceStack& st = g_callTrace;
    if (st.m_nDepth >= TRACE_MAX_DEPTH)
    {
        ++st.m_nOverflow;
        return;
    }
    const int32_t n = st.m_nDepth;
    st.m_apszName[n] = pszName;
    st.m_abFlag[n] = 1;
    st.m_apszFile[n] = pszFile;
    st.m_aszNote[n][0] = 0;
    st.m_anLine[n] = nLine;
    st.m_nDepth = n + 1;
}

inline void popTraceFrame()
{
    CallTraceStack& st = g_callTrace;
    if (st.m_nOverflow > 0)
        --st.m_nOverflow;
    else if (st.m_nDepth > 0)
        --st.m_nDepth;
}

// Sets the top entry's line. Does nothing at depth 0 (called from untraced code) and while pushes
// beyond the bound are pending, since the top entry then belongs to an outer call.
inline void setTraceLine(int nLine)
{
    CallTraceStack& st = g_callTrace;
    if (st.m_nDepth > 0 && st.m_nOverflow == 0)
        st.m_anLine[st.m_nDepth - 1] = nLine;
}

// The note operations act on the top entry. Like setTraceLine they do nothing at depth 0 (no
// entry to write) and while pushes beyond the bound are pending (the top entry belongs to an
// outer call). A null text counts as the empty text.

// The top entry's note becomes pszText, cut to its first 255 bytes.
void setTraceParams(const char* pszText);
// Adds pszText to the end of the top entry's note, which never grows beyond 255 bytes.
void appendTraceParams(const char* pszText);
// Empties the top entry's note.
void clearTraceParams();
// The number of live entries.
inline int getTraceDepth()
{
    return g_callTrace.m_nDepth;
}

// Pushes an entry for the lifetime of the scope.
class TraceScope
{
public:
    TraceScope(const char* pszName, const char* pszFile, int nLine)
    {
        pushTraceFrame(pszName, pszFile, nLine);
    }
    ~TraceScope() { popTraceFrame(); }
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;
};

} // namespace RIR

#define RIR_TRACE_CAT2(a, b) a##b
#define RIR_TRACE_CAT(a, b) RIR_TRACE_CAT2(a, b)

// Opens a traced function: RIR_TRACE("String::format");
#define RIR_TRACE(pszName)                                                                         \
    ::RIR::TraceScope RIR_TRACE_CAT(rirTrace_, __LINE__)(pszName, __FILE__, __LINE__)
// Records the line reached in the current function.
#define RIR_TRACE_LINE() ::RIR::setTraceLine(__LINE__)

#endif
