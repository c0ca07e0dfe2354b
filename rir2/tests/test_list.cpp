#include "rir2/list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

using RIR::List;
using RIR::SmartPtr;
using RIR::String;

static_assert(std::is_copy_constructible<List<int>>::value, "lists are copied by value");
static_assert(std::is_base_of<RIR::RefCountedObject, List<int>>::value, "lists are counted");

namespace
{

// The elements in order, checked against the links in both directions.
template <class T> std::vector<T> contents(const List<T>& l)
{
    std::vector<T> v;
    if (l.isEmpty())
    {
        EXPECT_EQ(0, l.getLength());
        return v;
    }
    const typename List<T>::Node* pFirst = l.getNode(0);
    const typename List<T>::Node* pLast = l.getNode(l.getLength() - 1);
    EXPECT_EQ(nullptr, pFirst->m_pPrev);
    EXPECT_EQ(nullptr, pLast->m_pNext);
    const typename List<T>::Node* pNode = pFirst;
    const typename List<T>::Node* pPrev = nullptr;
    for (; pNode; pPrev = pNode, pNode = pNode->m_pNext)
    {
        EXPECT_EQ(pPrev, pNode->m_pPrev);
        v.push_back(pNode->m_value);
    }
    EXPECT_EQ(pLast, pPrev);
    EXPECT_EQ((int)v.size(), l.getLength());
    return v;
}

std::vector<std::string> texts(const List<String>& l)
{
    std::vector<std::string> v;
    for (const String& s : contents(l))
        v.push_back(s.c_str());
    return v;
}

List<int> makeList(std::initializer_list<int> values)
{
    List<int> l;
    for (int n : values)
        l.append(n);
    return l;
}

// Counts live instances, for the handle and pointer kinds.
class Tracked : public RIR::RefCountedObject
{
public:
    explicit Tracked(int nId) : m_nId(nId) { ++s_nLive; }
    ~Tracked() override
    {
        --s_nLive;
        ++s_nDeleted;
    }
    int m_nId;
    static int s_nLive;
    static int s_nDeleted;
};
int Tracked::s_nLive = 0;
int Tracked::s_nDeleted = 0;

class TrackedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Tracked::s_nLive = 0;
        Tracked::s_nDeleted = 0;
    }
    void TearDown() override { EXPECT_EQ(0, Tracked::s_nLive); }
};

// Calls f, which must raise the list's index error for nIndex with nCount elements.
template <class F> void expectIndexError(F f, int nIndex, int nCount)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception for index " << nIndex;
    }
    catch (const RIR::FatalErrorException& e)
    {
        const std::string sExpected = "List index out of range : " + std::to_string(nIndex) +
                                      " (have " + std::to_string(nCount) + ")";
        EXPECT_EQ(sExpected, e.getMessage());
        EXPECT_NE(nullptr, std::strstr(e.getFile(), "list_impl"));
    }
}

} // namespace

// ---- index errors ----------------------------------------------------------------------------

TEST(ListTest, IndexErrorsNameTheIndexLookedUpAndChangeNothing)
{
    List<int> l = makeList({10, 20, 30});
    struct Case
    {
        const char* pszWhat;
        std::function<void()> f;
        int nIndex;
    };
    const Case aCases[] = {
        {"getNode(-1)", [&] { l.getNode(-1); }, -1},
        {"getNode(3)", [&] { l.getNode(3); }, 3},
        {"nodeAt(7)", [&] { l.nodeAt(7); }, 7},
        {"get(3)", [&] { l.get(3); }, 3},
        {"removeAt(-2)", [&] { l.removeAt(-2); }, -2},
        {"insertAt(5) looks up 4", [&] { l.insertAt(5, 99); }, 4},
        {"insertAt(-1) looks up -2", [&] { l.insertAt(-1, 99); }, -2},
        {"swap(0, 5)", [&] { l.swap(0, 5); }, 5},
        {"swap(-1, 0)", [&] { l.swap(-1, 0); }, -1},
        {"iterCurrent while idle", [&] { l.iterCurrent(); }, -1},
        {"iterRemove while idle", [&] { l.iterRemove(); }, -1},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszWhat);
        expectIndexError(c.f, c.nIndex, 3);
        EXPECT_EQ((std::vector<int>{10, 20, 30}), contents(l));
    }
}

TEST(ListTest, EmptyListEndsRaiseTheIndexError)
{
    List<int> l;
    expectIndexError([&] { l.takeFirst(); }, 0, 0);
    expectIndexError([&] { l.getLast(); }, -1, 0);
    expectIndexError([&] { l.get(0); }, 0, 0);
}

TEST(ListTest, NodeAtIsTracedAndGetNodeIsNot)
{
    List<int> l = makeList({1});
    const int nDepth = RIR::getTraceDepth();
    try
    {
        l.nodeAt(1);
        FAIL();
    }
    catch (const RIR::Exception& e)
    {
        const RIR::CallStackSnapshot& snap = e.getSnapshot();
        ASSERT_EQ(nDepth + 1, snap.getCount());
        EXPECT_STREQ("$List::nodeAt", snap.getEntryName(snap.getCount() - 1));
    }
    try
    {
        l.getNode(1);
        FAIL();
    }
    catch (const RIR::Exception& e)
    {
        EXPECT_EQ(nDepth, e.getSnapshot().getCount());
    }
    EXPECT_EQ(nDepth, RIR::getTraceDepth());
}

TEST(ListTest, SwapOfOneIndexWithItselfDoesNothingEvenOutOfRange)
{
    List<int> l = makeList({1, 2, 3});
    l.swap(5, 5);
    l.swap(0, 2);
    EXPECT_EQ((std::vector<int>{3, 2, 1}), contents(l));
}

// ---- insertion and removal ----------------------------------------------------------------

TEST(ListTest, InsertAtFrontMiddleAndEnd)
{
    List<int> l;
    l.insertAt(0, 2); // front of an empty list
    l.insertAt(1, 4); // index == length appends
    l.insertAt(1, 3);
    l.insertAt(0, 1);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), contents(l));
    EXPECT_EQ(4, l.getLast());
    EXPECT_EQ(1, l.takeFirst());
    EXPECT_EQ(3, l.removeAt(1));
    EXPECT_EQ((std::vector<int>{2, 4}), contents(l));
}

TEST(ListTest, KeptNodesStayWithTheirElementsThroughRelinking)
{
    List<int> l = makeList({5, 1, 4});
    List<int>::Node* pFour = l.getNode(2);
    List<int>::Node* pFive = l.getNode(0);
    l.reverse();
    l.sort([](int a, int b, void*) { return a <= b; });
    l.insertAfter(pFour, 42);
    EXPECT_EQ((std::vector<int>{1, 4, 42, 5}), contents(l));
    EXPECT_EQ(5, l.removeNode(pFive));
    EXPECT_EQ(4, pFour->m_value);
}

TEST(ListTest, IndexOfFindsTheFirstEqualElement)
{
    List<String> l("a", "b", "a");
    EXPECT_EQ(0, l.indexOf("a"));
    EXPECT_EQ(1, l.indexOf("b"));
    EXPECT_EQ(-1, l.indexOf("A"));
}

// The cache must never hand out a stale node: random reads by index interleaved with every kind
// of change, checked against a vector.
TEST(ListTest, CachedReadsAgreeWithTheContentsAcrossChanges)
{
    std::mt19937 rng(1234);
    List<int> l;
    std::vector<int> v;
    int nNext = 0;
    for (int nStep = 0; nStep < 4000; ++nStep)
    {
        const int nOp = (int)(rng() % 10);
        const int nLen = (int)v.size();
        if (nOp < 3 || nLen == 0)
        {
            const int i = (int)(rng() % (nLen + 1));
            l.insertAt(i, nNext);
            v.insert(v.begin() + i, nNext++);
        }
        else if (nOp == 3)
        {
            const int i = (int)(rng() % nLen);
            ASSERT_EQ(v[i], l.removeAt(i));
            v.erase(v.begin() + i);
        }
        else if (nOp == 4)
        {
            const int i = (int)(rng() % nLen), j = (int)(rng() % nLen);
            l.swap(i, j);
            std::swap(v[i], v[j]);
        }
        else if (nOp == 5 && nStep % 50 == 0)
        {
            l.reverse();
            std::reverse(v.begin(), v.end());
        }
        else
        {
            // A short run of reads: ascending from a random start, or a single jump back.
            int i = (int)(rng() % nLen);
            for (int k = 0; k < 5 && i < nLen; ++k, ++i)
                ASSERT_EQ(v[i], l.get(i)) << "step " << nStep << " index " << i;
            const int j = (int)(rng() % nLen);
            ASSERT_EQ(v[j], l.get(j));
        }
    }
    EXPECT_EQ(v, contents(l));
}

// ---- bulk operations ----------------------------------------------------------------------

TEST(ListTest, AppendAllAndPrependAllKeepTheOtherListsOrderEvenOntoItself)
{
    List<int> l = makeList({1, 2, 3});
    l.appendAll(l);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 1, 2, 3}), contents(l));

    List<int> m = makeList({1, 2});
    m.prependAll(m);
    EXPECT_EQ((std::vector<int>{1, 2, 1, 2}), contents(m));

    List<int> n = makeList({9});
    n.prependAll(makeList({7, 8}));
    n.appendAll(makeList({10, 11}));
    n.appendAll(List<int>());
    EXPECT_EQ((std::vector<int>{7, 8, 9, 10, 11}), contents(n));
}

TEST(ListTest, ReverseRelinksBothWaysAndTwiceRestores)
{
    List<String> l("x", "y", "z");
    l.get(2); // the cache must not survive the reversal
    l.reverse();
    EXPECT_EQ((std::vector<std::string>{"z", "y", "x"}), texts(l));
    EXPECT_STREQ("x", l.get(2).c_str());
    l.reverse();
    EXPECT_EQ((std::vector<std::string>{"x", "y", "z"}), texts(l));
    List<int> e;
    e.reverse();
    EXPECT_TRUE(e.isEmpty());
}

TEST(ListTest, JoinPutsTheSeparatorBetweenElementsOnly)
{
    EXPECT_STREQ("", List<String>().join(", ").c_str());
    EXPECT_STREQ("x", List<String>("x").join(", ").c_str());
    EXPECT_STREQ("x, y, z", List<String>("x", "y", "z").join(", ").c_str());
    EXPECT_STREQ("a%db", List<String>("a", "b").join("%d").c_str());
    EXPECT_STREQ("abcd", List<String>("a", "b", "c", "d").join("").c_str());
}

// ---- sort ---------------------------------------------------------------------------------

namespace
{

struct Item
{
    int m_nKey;
    int m_nSeq;
    bool operator==(const Item& o) const { return m_nKey == o.m_nKey && m_nSeq == o.m_nSeq; }
};

bool keyLessOrEqual(Item a, Item b, void* pContext)
{
    ++*static_cast<int*>(pContext);
    return a.m_nKey <= b.m_nKey;
}

} // namespace

TEST(ListTest, SortWithLessOrEqualIsStableAtEverySize)
{
    std::mt19937 rng(99);
    for (int nSize : {0, 1, 2, 3, 4, 5, 7, 8, 9, 16, 17, 31, 100, 1000})
    {
        SCOPED_TRACE(nSize);
        List<Item> l;
        std::vector<Item> v;
        for (int i = 0; i < nSize; ++i)
        {
            const Item item = {(int)(rng() % 7), i};
            l.append(item);
            v.push_back(item);
        }
        int nCompares = 0;
        l.sort(keyLessOrEqual, &nCompares);
        std::stable_sort(v.begin(), v.end(),
                         [](const Item& a, const Item& b) { return a.m_nKey < b.m_nKey; });
        EXPECT_EQ(v, contents(l));
        // Merge sort: no more than n * ceil(log2 n) comparisons.
        int nLog = 0;
        while ((1 << nLog) < nSize)
            ++nLog;
        EXPECT_LE(nCompares, nSize * nLog);
    }
}

TEST(ListTest, SortPassesTheContext)
{
    List<int> l = makeList({3, 1, 2});
    int nDescending = 1;
    l.sort([](int a, int b, void* p) { return *static_cast<int*>(p) ? a >= b : a <= b; },
           &nDescending);
    EXPECT_EQ((std::vector<int>{3, 2, 1}), contents(l));
}

// A comparison that throws in the middle of a merge must leave every element in a consistent list.
TEST(ListTest, SortThatThrowsKeepsEveryElement)
{
    for (int nThrowAt : {0, 1, 5, 20, 60})
    {
        SCOPED_TRACE(nThrowAt);
        List<int> l;
        for (int i = 0; i < 40; ++i)
            l.append((i * 17) % 40);
        int nCalls = 0;
        struct Ctx
        {
            int* pnCalls;
            int nThrowAt;
        } ctx = {&nCalls, nThrowAt};
        EXPECT_THROW(l.sort(
                         [](int a, int b, void* p)
                         {
                             Ctx* pCtx = static_cast<Ctx*>(p);
                             if ((*pCtx->pnCalls)++ == pCtx->nThrowAt)
                                 throw RIR::FatalErrorException("f", 1, "compare failed");
                             return a <= b;
                         },
                         &ctx),
                     RIR::FatalErrorException);
        std::vector<int> v = contents(l);
        std::sort(v.begin(), v.end());
        for (int i = 0; i < 40; ++i)
            ASSERT_EQ(i, v[i]);
    }
}

// ---- iteration cursor -----------------------------------------------------------------------

TEST(ListTest, IterRemoveLeavesTheCursorOnTheFollowingNode)
{
    List<String> l("x", "y");
    l.iterBegin();
    EXPECT_STREQ("x", l.iterRemove().c_str());
    ASSERT_TRUE(l.iterValid());
    EXPECT_STREQ("y", l.iterCurrent().c_str());
    EXPECT_EQ(0, l.iterIndex());
    EXPECT_EQ((std::vector<std::string>{"y"}), texts(l));
}

TEST(ListTest, RemovingWhileIteratingVisitsEveryElementOnce)
{
    List<int> l = makeList({1, 2, 3, 4, 5, 6, 7});
    std::vector<int> vSeen;
    for (l.iterBegin(); l.iterValid();)
    {
        vSeen.push_back(l.iterCurrent());
        if (l.iterCurrent() % 2 == 1)
            l.iterRemove();
        else
            l.iterNext();
    }
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6, 7}), vSeen);
    EXPECT_EQ((std::vector<int>{2, 4, 6}), contents(l));
    l.iterNext(); // idle: nothing happens
    EXPECT_FALSE(l.iterValid());
}

TEST(ListTest, IterCurrentIsAReferenceIntoTheList)
{
    List<int> l = makeList({1, 2});
    l.iterBegin();
    l.iterNext();
    l.iterCurrent() = 20;
    EXPECT_EQ(1, l.iterIndex());
    EXPECT_EQ((std::vector<int>{1, 20}), contents(l));
}

TEST(ListTest, OtherOperationsLeaveTheCursorAloneExceptRemovingItsNode)
{
    List<int> l = makeList({1, 2, 3});
    l.iterBegin();
    l.iterNext(); // on 2
    l.append(4);
    l.prepend(0);
    l.get(4);
    EXPECT_EQ(2, l.iterCurrent());
    // Removing the cursor's node by another way moves the cursor on instead of leaving it on a
    // freed node.
    l.removeNode(l.getNode(2));
    ASSERT_TRUE(l.iterValid());
    EXPECT_EQ(3, l.iterCurrent());
    l.removeAt(l.getLength() - 1); // the 4
    l.removeAt(2);                 // the 3, under the cursor, which now passes the end
    EXPECT_FALSE(l.iterValid());
    l.iterBegin();
    l.clear();
    EXPECT_FALSE(l.iterValid());
}

// ---- element kinds --------------------------------------------------------------------------

TEST_F(TrackedTest, HandlesAreHeldOnceAndReleasedByClearAndRemoval)
{
    {
        List<SmartPtr<Tracked>> l;
        l.append(new Tracked(1));
        l.append(new Tracked(2));
        l.append(new Tracked(3));
        EXPECT_EQ(1, l.getNode(0)->m_value->getRefCount());

        List<SmartPtr<Tracked>> lCopy(l);
        EXPECT_EQ(2, l.getNode(0)->m_value->getRefCount());
        EXPECT_EQ(0, lCopy.getRefCount());
        lCopy.clear();

        SmartPtr<Tracked> p = l.removeAt(1);
        EXPECT_EQ(2, p->m_nId);
        EXPECT_EQ(1, p->getRefCount());
        EXPECT_EQ(3, Tracked::s_nLive);

        EXPECT_EQ(0, l.indexOf(l.get(0)));
        l.clear();
        EXPECT_EQ(1, Tracked::s_nLive);
    }
    EXPECT_EQ(3, Tracked::s_nDeleted);
}

TEST_F(TrackedTest, PlainPointersAreDeletedOnlyByClearAndDelete)
{
    Tracked* a = new Tracked(1);
    Tracked* b = new Tracked(2);
    {
        List<Tracked*> l;
        l.append(a);
        l.append(b);
        List<Tracked*> lCopy;
        lCopy = l;
        lCopy.clear();
        l.clear();
        l.append(a);
        l.append(b);
    } // destructor
    EXPECT_EQ(2, Tracked::s_nLive);

    List<Tracked*> l;
    l.append(a);
    l.append(nullptr);
    l.append(b);
    l.clearAndDelete();
    EXPECT_TRUE(l.isEmpty());
    EXPECT_EQ(0, Tracked::s_nLive);
    EXPECT_EQ(2, Tracked::s_nDeleted);
}

// A list shared through a handle, or used as a base, is deleted through its virtual destructor.
TEST_F(TrackedTest, AListCanBeSharedThroughAHandle)
{
    class Group : public List<SmartPtr<Tracked>>
    {
    };
    SmartPtr<List<SmartPtr<Tracked>>> p(new Group);
    p->append(new Tracked(1));
    SmartPtr<List<SmartPtr<Tracked>>> q = p;
    p.release();
    EXPECT_EQ(1, Tracked::s_nLive);
    q.release();
}

TEST(ListTest, CopiesAndAssignmentAreIndependent)
{
    List<String> l("one", "two");
    List<String> lCopy(l);
    lCopy.getNode(0)->m_value += "!";
    lCopy.append("three");
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), texts(l));
    EXPECT_EQ((std::vector<std::string>{"one!", "two", "three"}), texts(lCopy));

    l = lCopy;
    EXPECT_EQ((std::vector<std::string>{"one!", "two", "three"}), texts(l));
    l = *&l; // self-assignment keeps the elements
    EXPECT_EQ(3, l.getLength());
}

TEST(ListTest, StringConstructorsAppendInOrder)
{
    EXPECT_EQ((std::vector<std::string>{"a"}), texts(List<String>("a")));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), texts(List<String>("a", "b")));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), texts(List<String>("a", "b", "c")));
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}),
              texts(List<String>("a", "b", "c", "d")));
}
