#include "rir2/exception.h"
#include "rir2/stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

using namespace RIR;

static_assert(std::has_virtual_destructor<Exception>::value,
              "exceptions are destroyed through the base");
static_assert(std::is_base_of<Exception, BadParmException>::value, "one family");

namespace
{

class ExceptionTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(getTraceDepth(), 0); }
    void TearDown() override
    {
        setExceptionLog(SmartPtr<Stream>());
        EXPECT_EQ(getTraceDepth(), 0);
    }
};

// Builds, copies, assigns and throws one class of the family.
template <class Ex> void checkClass(const char* pszName)
{
    SCOPED_TRACE(pszName);
    Ex ex("src/some file.cpp", 77, "went wrong: 100%");
    EXPECT_STREQ(ex.getClassName(), pszName);
    EXPECT_STREQ(ex.getMessage(), "went wrong: 100%");
    EXPECT_STREQ(ex.getFile(), "src/some file.cpp");
    EXPECT_EQ(ex.getLine(), 77);

    Ex copy(ex);
    ex.setMessage("changed");
    EXPECT_STREQ(copy.getMessage(), "went wrong: 100%");
    EXPECT_STREQ(copy.getFile(), "src/some file.cpp");
    EXPECT_EQ(copy.getLine(), 77);

    Ex assigned("other.cpp", 1, "other");
    assigned = ex;
    EXPECT_STREQ(assigned.getMessage(), "changed");
    EXPECT_STREQ(assigned.getFile(), "src/some file.cpp");
    assigned = assigned; // self-assignment keeps the texts
    EXPECT_STREQ(assigned.getMessage(), "changed");

    // Thrown by value, caught through the base: the copy keeps its class.
    try
    {
        throw copy;
    }
    catch (const Exception& e)
    {
        EXPECT_STREQ(e.getClassName(), pszName);
        EXPECT_STREQ(e.getMessage(), "went wrong: 100%");
    }
}

TEST_F(ExceptionTest, EveryClassHasItsNameAndCopiesItsTexts)
{
    checkClass<Exception>("Exception");
    checkClass<FatalErrorException>("FatalErrorException");
    checkClass<AssertFailException>("AssertFailException");
    checkClass<BadStreamFormatException>("BadStreamFormatException");
    checkClass<ResourceException>("ResourceException");
    checkClass<BadStateException>("BadStateException");
    checkClass<FileAccessException>("FileAccessException");
    checkClass<BadParmException>("BadParmException");
}

TEST_F(ExceptionTest, MessagesAreStoredAsTextNotAsFormats)
{
    const char* apszText[] = {"%s%s%s%n", "100%", "%", "", "%08X %d %%"};
    for (const char* psz : apszText)
    {
        FatalErrorException ex(__FILE__, __LINE__, psz);
        EXPECT_STREQ(ex.getMessage(), psz);
        ex.setMessage(psz);
        EXPECT_STREQ(ex.getMessage(), psz);
        FatalErrorException copy(ex);
        EXPECT_STREQ(copy.getMessage(), psz);
    }
    // A message set from its own text survives the replacement.
    FatalErrorException ex(__FILE__, __LINE__, "self");
    ex.setMessage(ex.getMessage());
    EXPECT_STREQ(ex.getMessage(), "self");
    // Null texts count as empty.
    FatalErrorException exNull(nullptr, 3, nullptr);
    EXPECT_STREQ(exNull.getMessage(), "");
    EXPECT_STREQ(exNull.getFile(), "");
}

int g_nThrowLine = 0;

void thrower(int nValue)
{
    RIR_TRACE("ExceptionTest::thrower");
    setTraceParams("value %d is 50% wrong");
    if (nValue > 0)
    {
        g_nThrowLine = __LINE__ + 1;
        RIR_THROW(ResourceException, "Resource 'x%s' not found");
    }
    RIR_ASSERT(nValue > 3);
}

void passer(int nValue)
{
    RIR_TRACE("ExceptionTest::passer");
    RIR_TRACE_LINE();
    thrower(nValue);
}

TEST_F(ExceptionTest, ThrowRecordsFileLineAndTheTraceAtTheThrow)
{
    RIR_TRACE("ExceptionTest::catcher");
    const char* pszCatcher = g_callTrace.m_apszName[0];
    try
    {
        passer(1);
        FAIL() << "no exception";
    }
    catch (const Exception& e)
    {
        // The handler sees the stack of its own function: everything above it has been popped.
        EXPECT_EQ(getTraceDepth(), 1);
        EXPECT_EQ(g_callTrace.m_apszName[0], pszCatcher);

        EXPECT_STREQ(e.getClassName(), "ResourceException");
        EXPECT_STREQ(e.getMessage(), "Resource 'x%s' not found");
        EXPECT_STREQ(e.getFile(), __FILE__);
        EXPECT_EQ(e.getLine(), g_nThrowLine);

        const CallStackSnapshot& snap = e.getSnapshot();
        ASSERT_EQ(snap.getCount(), 3);
        EXPECT_STREQ(snap.getEntryName(0), "$ExceptionTest::catcher");
        EXPECT_STREQ(snap.getEntryName(1), "$ExceptionTest::passer");
        EXPECT_STREQ(snap.getEntryName(2), "$ExceptionTest::thrower");
        EXPECT_EQ(snap.getEntryLine(2), g_nThrowLine);
        EXPECT_STREQ(snap.getEntryNote(2), "value %d is 50% wrong");
        EXPECT_STREQ(snap.getEntryFile(2), __FILE__);
    }
    EXPECT_EQ(getTraceDepth(), 1);
}

TEST_F(ExceptionTest, FailedAssertionNamesItsCondition)
{
    EXPECT_NO_THROW(RIR_ASSERT(2 + 2 == 4));
    try
    {
        passer(0);
        FAIL() << "no exception";
    }
    catch (const AssertFailException& e)
    {
        EXPECT_EQ(getTraceDepth(), 0);
        EXPECT_STREQ(e.getClassName(), "AssertFailException");
        EXPECT_STREQ(e.getMessage(), "Assertion failed : nValue > 3");
        EXPECT_EQ(e.getSnapshot().getCount(), 2);
    }
}

// A handler that adds context throws a new exception quoting the caught one.
TEST_F(ExceptionTest, WrappingHandlerKeepsItsOwnTrace)
{
    RIR_TRACE("ExceptionTest::wrapper");
    try
    {
        try
        {
            passer(1);
        }
        catch (const Exception& e)
        {
            char szText[512];
            snprintf(szText, sizeof(szText), "Can't read index : %s %s [%s:%d]", e.getClassName(),
                     e.getMessage(), e.getFile(), e.getLine());
            RIR_THROW(FatalErrorException, szText);
        }
    }
    catch (const FatalErrorException& e)
    {
        const std::string sExpected = std::string("Can't read index : ResourceException ") +
                                      "Resource 'x%s' not found [" + __FILE__ + ":" +
                                      std::to_string(g_nThrowLine) + "]";
        EXPECT_EQ(e.getMessage(), sExpected);
        EXPECT_EQ(e.getSnapshot().getCount(), 1);
    }
}

TEST_F(ExceptionTest, SnapshotCopiesAreIndependent)
{
    const CallStackSnapshot empty; // taken outside every traced call
    RIR_TRACE("ExceptionTest::snapshots");
    setTraceParams("first");
    CallStackSnapshot a;
    setTraceParams("second");
    CallStackSnapshot b;
    {
        CallStackSnapshot c(a);
        EXPECT_STREQ(c.getEntryNote(0), "first");
        c = b;
        EXPECT_STREQ(c.getEntryNote(0), "second");
        c = c;
        EXPECT_STREQ(c.getEntryNote(0), "second");
        a = c; // a now owns its own copy of "second"
    }
    EXPECT_STREQ(a.getEntryNote(0), "second");
    EXPECT_EQ(a.getCount(), 1);
    {
        RIR_TRACE("ExceptionTest::inner");
        CallStackSnapshot d;
        EXPECT_EQ(d.getCount(), 2);
        d = a; // shrinks
        EXPECT_EQ(d.getCount(), 1);
        EXPECT_STREQ(d.getEntryName(1), "");
    }
    // An empty snapshot assigned over a full one leaves it empty.
    b = empty;
    EXPECT_EQ(b.getCount(), 0);
    EXPECT_STREQ(b.getEntryNote(0), "");
}

// A stream that keeps what is written to it; it can be told to throw instead.
class RecordingStream : public Stream
{
public:
    std::string m_sText;
    bool m_bThrow = false;

    int read(int, void*) override { return 0; }
    int write(int n, const void* pBuffer) override
    {
        if (m_bThrow)
            RIR_THROW(FileAccessException, "disk gone");
        m_sText.append(static_cast<const char*>(pBuffer), n);
        return n;
    }
    int tell() override { return (int)m_sText.size(); }
    void seek(int) override {}
    int size() override { return (int)m_sText.size(); }
    bool can(int nAccess) override { return (nAccess & ~SA_WRITE) == 0; }
};

TEST_F(ExceptionTest, ExceptionLogReceivesEveryNewException)
{
    EXPECT_TRUE(getExceptionLog().isNull());
    RecordingStream* pRec = new RecordingStream();
    SmartPtr<Stream> pLog(pRec);
    setExceptionLog(pLog);
    EXPECT_EQ(pRec->getRefCount(), 2);
    {
        SmartPtr<Stream> pGot = getExceptionLog();
        EXPECT_EQ(pGot, pLog);
        EXPECT_EQ(pRec->getRefCount(), 3);
    }
    EXPECT_EQ(pRec->getRefCount(), 2);

    FatalErrorException ex("src/gameapp.cpp", 321, "50% of %s");
    // Built while the base part runs, so the class always reads "Exception".
    EXPECT_EQ(pRec->m_sText, "---------------------\n"
                             "Exception in file src/gameapp.cpp, line 321 : \n"
                             "50% of %s\n"
                             "---------------------\n");

    // Copies are not new exceptions.
    pRec->m_sText.clear();
    FatalErrorException copy(ex);
    EXPECT_EQ(pRec->m_sText, "");

    setExceptionLog(SmartPtr<Stream>());
    EXPECT_EQ(pRec->getRefCount(), 1);
    BadStateException quiet("a.cpp", 1, "nobody listens");
    EXPECT_EQ(pRec->m_sText, "");
}

// A log that fails by throwing must neither recurse nor replace the exception being built.
TEST_F(ExceptionTest, FailingExceptionLogDoesNotReplaceTheException)
{
    RecordingStream* pRec = new RecordingStream();
    pRec->m_bThrow = true;
    setExceptionLog(SmartPtr<Stream>(pRec));
    try
    {
        passer(1);
        FAIL() << "no exception";
    }
    catch (const Exception& e)
    {
        EXPECT_STREQ(e.getClassName(), "ResourceException");
        EXPECT_STREQ(e.getMessage(), "Resource 'x%s' not found");
    }
    // The log still works once the stream recovers.
    pRec->m_bThrow = false;
    BadParmException ex("b.cpp", 2, "bad");
    EXPECT_NE(pRec->m_sText.find("bad\n"), std::string::npos);
}

} // namespace
