#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace RIR;

namespace
{

// The note of the top entry as a snapshot records it.
std::string topNote()
{
    CallStackSnapshot snap;
    return snap.getEntryNote(snap.getCount() - 1);
}

// Every test starts and ends outside traced code.
class CallTraceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(getTraceDepth(), 0);
        ASSERT_EQ(g_callTrace.m_nOverflow, 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(getTraceDepth(), 0);
        EXPECT_EQ(g_callTrace.m_nOverflow, 0);
    }
};

TEST_F(CallTraceTest, NoteOperationsKeepTheNoteWithin255Bytes)
{
    const std::string s300(300, 'a');
    const std::string s255(255, 'b');
    struct Case
    {
        const char* pszWhat;
        const char* pszSet;    // text given to setTraceParams first
        const char* pszAppend; // then to appendTraceParams (null: no append)
        std::string sExpected;
    };
    const Case aCases[] = {
        {"set is cut to 255", s300.c_str(), nullptr, std::string(255, 'a')},
        {"set of exactly 255", s255.c_str(), nullptr, s255},
        {"append joins", "ab", "cd", "abcd"},
        {"append stops at 255", "abc", s300.c_str(), "abc" + std::string(252, 'a')},
        {"append to a full note", s255.c_str(), "x", s255},
        {"percent signs are kept", "100% %s %n", " %d%%", "100% %s %n %d%%"},
        {"null set empties", nullptr, nullptr, ""},
        {"null append adds nothing", "keep", nullptr, "keep"},
    };
    RIR_TRACE("CallTraceTest::notes");
    for (const Case& c : aCases)
    {
        setTraceParams(c.pszSet);
        if (c.pszAppend)
            appendTraceParams(c.pszAppend);
        EXPECT_EQ(topNote(), c.sExpected) << c.pszWhat;
    }
    // Repeated appends never pass the bound either.
    setTraceParams("");
    for (int i = 0; i < 40; ++i)
        appendTraceParams("0123456789");
    EXPECT_EQ(topNote().size(), 255u);

    clearTraceParams();
    EXPECT_EQ(topNote(), "");
}

void setNoteInOwnEntry()
{
    RIR_TRACE("CallTraceTest::setNoteInOwnEntry");
    setTraceParams("loading something");
}

std::string noteOfFreshEntry()
{
    RIR_TRACE("CallTraceTest::noteOfFreshEntry");
    return topNote();
}

TEST_F(CallTraceTest, NoteBelongsToItsEntryAndEveryPushEmptiesIt)
{
    RIR_TRACE("CallTraceTest::owner");
    setTraceParams("outer");
    setNoteInOwnEntry(); // leaves its note in entry 1, which is popped again
    EXPECT_EQ(topNote(), "outer");
    EXPECT_EQ(noteOfFreshEntry(), ""); // the same slot, pushed anew
}

// Untraced code (main, start-up helpers) may still call the line and note operations: with no
// entry to write they must leave the whole stack alone.
TEST_F(CallTraceTest, LineAndNoteOperationsDoNothingAtDepthZero)
{
    std::unique_ptr<CallTraceStack> pBefore(new CallTraceStack(g_callTrace));
    RIR_TRACE_LINE();
    setTraceLine(12345);
    setTraceParams(std::string(300, 'x').c_str());
    appendTraceParams("more");
    clearTraceParams();
    popTraceFrame(); // an unmatched pop must not take the depth below 0
    EXPECT_EQ(getTraceDepth(), 0);
    EXPECT_EQ(memcmp(pBefore.get(), &g_callTrace, sizeof(CallTraceStack)), 0);
}

TEST_F(CallTraceTest, SnapshotAtDepthZeroIsEmpty)
{
    CallStackSnapshot snap;
    EXPECT_EQ(snap.getCount(), 0);
    EXPECT_STREQ(snap.getEntryName(0), "");
    EXPECT_STREQ(snap.getEntryFile(0), "");
    EXPECT_STREQ(snap.getEntryNote(0), "");
    EXPECT_EQ(snap.getEntryLine(0), 0);
    CallStackSnapshot copy(snap);
    EXPECT_EQ(copy.getCount(), 0);
}

// Records the line reached and keeps it in n; one macro so both use the same __LINE__.
#define RECORD_TRACE_LINE(n)                                                                       \
    do                                                                                             \
    {                                                                                              \
        RIR_TRACE_LINE();                                                                          \
        (n) = __LINE__;                                                                            \
    } while (0)

struct Recorded
{
    std::unique_ptr<CallStackSnapshot> pSnap;
    int anLine[3];
};

void innermost(Recorded& r)
{
    RIR_TRACE("Trace::innermost");
    setTraceParams("inner note");
    RECORD_TRACE_LINE(r.anLine[2]);
    r.pSnap.reset(new CallStackSnapshot());
}

void middle(Recorded& r)
{
    RIR_TRACE("Trace::middle");
    RECORD_TRACE_LINE(r.anLine[1]);
    innermost(r);
}

void outermost(Recorded& r)
{
    RIR_TRACE("Trace::outermost");
    setTraceParams("outer note");
    RECORD_TRACE_LINE(r.anLine[0]);
    middle(r);
}

TEST_F(CallTraceTest, SnapshotAtDepthThreeListsOutermostFirst)
{
    Recorded r;
    outermost(r);
    const CallStackSnapshot& snap = *r.pSnap;
    ASSERT_EQ(snap.getCount(), 3);
    const char* apszName[] = {"$Trace::outermost", "$Trace::middle", "$Trace::innermost"};
    const char* apszNote[] = {"outer note", "", "inner note"};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_STREQ(snap.getEntryName(i), apszName[i]) << i;
        EXPECT_STREQ(snap.getEntryFile(i), __FILE__) << i;
        EXPECT_EQ(snap.getEntryLine(i), r.anLine[i]) << i;
        EXPECT_STREQ(snap.getEntryNote(i), apszNote[i]) << i;
    }
    for (int i : {-1, 3, 4, 1000})
    {
        EXPECT_STREQ(snap.getEntryName(i), "") << i;
        EXPECT_STREQ(snap.getEntryFile(i), "") << i;
        EXPECT_STREQ(snap.getEntryNote(i), "") << i;
        EXPECT_EQ(snap.getEntryLine(i), 0) << i;
    }
    // The snapshot owns its notes: the live stack has moved on, the copy has not.
    EXPECT_EQ(getTraceDepth(), 0);
    CallStackSnapshot copy(snap);
    r.pSnap.reset();
    EXPECT_STREQ(copy.getEntryNote(0), "outer note");
    EXPECT_STREQ(copy.getEntryName(2), "$Trace::innermost");
}

TEST_F(CallTraceTest, EntryNameIsCutToTheBuffer)
{
    const std::string sLong(3000, 'n');
    TraceScope scope(sLong.c_str(), __FILE__, __LINE__);
    CallStackSnapshot snap;
    const std::string sName = snap.getEntryName(0);
    EXPECT_EQ(sName.size(), 1023u);
    EXPECT_EQ(sName, "$" + std::string(1022, 'n'));
}

// Recurses nCalls traced calls deep and runs fnAtBottom there.
template <class F> void recurse(int nCalls, F& fnAtBottom)
{
    RIR_TRACE("Trace::recurse");
    RIR_TRACE_LINE();
    if (nCalls > 1)
        recurse(nCalls - 1, fnAtBottom);
    else
        fnAtBottom();
}

TEST_F(CallTraceTest, PushesBeyondTheBoundWriteNothingAndStayBalanced)
{
    const int nCalls = TRACE_MAX_DEPTH + 52;
    int nDepthAtBottom = -1;
    int nOverflowAtBottom = -1;
    int nSnapCount = -1;
    int nLineOfLast = -1;
    std::string sNoteOfLast = "unset";
    auto fnBottom = [&]()
    {
        g_callTrace.m_anLine[TRACE_MAX_DEPTH - 1] = 4242;
        // The top entry is an outer call's: the current call must not write into it.
        setTraceLine(1);
        setTraceParams("not mine");
        appendTraceParams("nor this");
        nDepthAtBottom = getTraceDepth();
        nOverflowAtBottom = g_callTrace.m_nOverflow;
        CallStackSnapshot snap;
        nSnapCount = snap.getCount();
        nLineOfLast = snap.getEntryLine(nSnapCount - 1);
        sNoteOfLast = snap.getEntryNote(nSnapCount - 1);
    };
    {
        RIR_TRACE("Trace::deep");
        recurse(nCalls, fnBottom);
        EXPECT_EQ(getTraceDepth(), 1);
    }
    EXPECT_EQ(nDepthAtBottom, TRACE_MAX_DEPTH);
    EXPECT_EQ(nOverflowAtBottom, nCalls + 1 - TRACE_MAX_DEPTH);
    EXPECT_EQ(nSnapCount, TRACE_MAX_DEPTH);
    EXPECT_EQ(nLineOfLast, 4242);
    EXPECT_EQ(sNoteOfLast, "");

    // Unwinding through the overflowed calls balances as well.
    auto fnThrow = []()
    {
        if (getTraceDepth() == TRACE_MAX_DEPTH)
            RIR_THROW(FatalErrorException, "deep");
    };
    EXPECT_THROW(recurse(nCalls, fnThrow), FatalErrorException);
}

} // namespace
