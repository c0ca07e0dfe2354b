#include "rir2/refcount.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace RIR;

namespace
{

// Counts constructions and destructions of every tracked object.
struct Counters
{
    int m_nAlive = 0;
    int m_nDestroyed = 0;
};

class Tracked : public RefCountedObject
{
public:
    explicit Tracked(Counters& counters) : m_pCounters(&counters) { ++m_pCounters->m_nAlive; }
    Tracked(const Tracked& other) : RefCountedObject(other), m_pCounters(other.m_pCounters)
    {
        ++m_pCounters->m_nAlive;
    }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() override
    {
        --m_pCounters->m_nAlive;
        ++m_pCounters->m_nDestroyed;
    }

private:
    Counters* m_pCounters;
};

class Derived : public Tracked
{
public:
    Derived(Counters& counters, bool& bDerivedGone) : Tracked(counters), m_pbGone(&bDerivedGone) {}
    ~Derived() override { *m_pbGone = true; }

private:
    bool* m_pbGone;
};

class Other : public Tracked
{
public:
    using Tracked::Tracked;
};

// A node of a singly linked chain held only through its handles.
class Node : public Tracked
{
public:
    Node(Counters& counters, int nValue) : Tracked(counters), m_nValue(nValue) {}
    int m_nValue;
    SmartPtr<Node> m_pNext;
};

static_assert(sizeof(SmartPtr<Tracked>) == sizeof(Tracked*), "a handle is one pointer");
static_assert(!std::is_polymorphic<SmartPtr<Tracked>>::value, "a handle has no virtual table");
static_assert(std::has_virtual_destructor<RefCountedObject>::value, "deleted through the base");
static_assert(std::is_convertible<SmartPtr<Derived>, SmartPtr<Tracked>>::value, "up-conversion");

TEST(RefCount, HandlesCountTheirReferencesAndDeleteOnce)
{
    Counters c;
    Tracked* pObj = new Tracked(c);
    EXPECT_EQ(pObj->getRefCount(), 0);
    {
        SmartPtr<Tracked> p1(pObj);
        EXPECT_EQ(pObj->getRefCount(), 1);
        SmartPtr<Tracked> p2(p1);
        EXPECT_EQ(pObj->getRefCount(), 2);
        SmartPtr<Tracked> p3;
        EXPECT_TRUE(p3.isNull());
        p3 = p2;
        EXPECT_EQ(pObj->getRefCount(), 3);
        EXPECT_TRUE(p1 == p3);
        p3 = SmartPtr<Tracked>();
        EXPECT_TRUE(p3.isNull());
        EXPECT_EQ(pObj->getRefCount(), 2);
    }
    EXPECT_EQ(c.m_nDestroyed, 1);
    EXPECT_EQ(c.m_nAlive, 0);
}

TEST(RefCount, AssigningTheSameObjectChangesNothing)
{
    Counters c;
    SmartPtr<Tracked> p(new Tracked(c));
    Tracked* pObj = p.get();
    SmartPtr<Tracked>& rSame = p;
    p = rSame; // self-assignment while the only holder
    EXPECT_EQ(pObj->getRefCount(), 1);
    p = pObj; // the raw pointer it already holds
    EXPECT_EQ(pObj->getRefCount(), 1);
    SmartPtr<Tracked> q(p);
    p = q; // another handle on the same object
    EXPECT_EQ(pObj->getRefCount(), 2);
    EXPECT_EQ(c.m_nDestroyed, 0);
}

TEST(RefCount, LastReleaseRunsTheDerivedDestructorAndNullsTheHandle)
{
    Counters c;
    bool bDerivedGone = false;
    SmartPtr<Tracked> p(new Derived(c, bDerivedGone));
    p = SmartPtr<Tracked>(new Tracked(c));
    EXPECT_TRUE(bDerivedGone);
    EXPECT_EQ(c.m_nDestroyed, 1);
    p.release();
    EXPECT_TRUE(p.isNull());
    EXPECT_FALSE(p);
    EXPECT_EQ(c.m_nDestroyed, 2);
    p.release(); // releasing a null handle does nothing
    EXPECT_EQ(c.m_nDestroyed, 2);
}

// The new object gains its reference before the old one is released, so an old object that holds
// the last reference to the new one cannot destroy it first.
TEST(RefCount, AssignmentFromInsideTheOldObjectKeepsTheNewOneAlive)
{
    Counters c;
    SmartPtr<Node> p(new Node(c, 0));
    Node* pTail = p.get();
    for (int i = 1; i < 5; ++i)
    {
        pTail->m_pNext = SmartPtr<Node>(new Node(c, i));
        pTail = pTail->m_pNext.get();
    }
    ASSERT_EQ(c.m_nAlive, 5);

    // p is the only holder of the chain: each step frees the node that held the next one.
    p = p->m_pNext;
    EXPECT_EQ(p->m_nValue, 1);
    EXPECT_EQ(p->getRefCount(), 1);
    EXPECT_EQ(c.m_nAlive, 4);
    p = p->m_pNext.get(); // the same through the raw pointer
    EXPECT_EQ(p->m_nValue, 2);
    EXPECT_EQ(p->getRefCount(), 1);
    EXPECT_EQ(c.m_nAlive, 3);
    while (p->m_pNext)
        p = p->m_pNext;
    EXPECT_EQ(p->m_nValue, 4);
    EXPECT_EQ(c.m_nAlive, 1);
    p = p->m_pNext; // null: the last node goes
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(c.m_nAlive, 0);
    EXPECT_EQ(c.m_nDestroyed, 5);
}

TEST(RefCount, CastsTestTheTypeAndAddOneReferenceOnSuccess)
{
    Counters c;
    bool bDerivedGone = false;
    SmartPtr<Tracked> pBase(new Derived(c, bDerivedGone));
    Tracked* pObj = pBase.get();
    {
        SmartPtr<Derived> pDerived = dynamicCast<Derived>(pBase);
        ASSERT_FALSE(pDerived.isNull());
        EXPECT_TRUE(pDerived == pBase);
        EXPECT_EQ(pObj->getRefCount(), 2);
        SmartPtr<Derived> pRaw = dynamicCastRaw<Derived>(pObj);
        EXPECT_EQ(pObj->getRefCount(), 3);

        // Back to the base type: one more reference on the same object.
        SmartPtr<Tracked> pUp(pDerived);
        EXPECT_EQ(pUp.get(), pObj);
        EXPECT_EQ(pObj->getRefCount(), 4);
    }
    EXPECT_EQ(pObj->getRefCount(), 1);

    EXPECT_TRUE(dynamicCast<Other>(pBase).isNull());
    EXPECT_TRUE(dynamicCastRaw<Other>(pObj).isNull());
    EXPECT_EQ(pObj->getRefCount(), 1);

    EXPECT_TRUE(dynamicCast<Derived>(SmartPtr<Tracked>()).isNull());
    EXPECT_TRUE(dynamicCastRaw<Derived>(static_cast<Tracked*>(nullptr)).isNull());
    EXPECT_FALSE(bDerivedGone);
}

TEST(RefCount, CopiesOfCountedObjectsStartWithNoHolders)
{
    Counters c;
    SmartPtr<Tracked> p(new Tracked(c));
    SmartPtr<Tracked> q(p);
    Tracked copy(*p);
    EXPECT_EQ(copy.getRefCount(), 0);
    SmartPtr<Tracked> pOther(new Tracked(c));
    *pOther = *p; // assignment leaves both counts alone
    EXPECT_EQ(p->getRefCount(), 2);
    EXPECT_EQ(pOther->getRefCount(), 1);
}

} // namespace

namespace {
struct SelfHolder : RIR::RefCountedObject
{
    RIR::SmartPtr<SelfHolder> m_pSelf;
};
} // namespace

// An object that keeps itself alive and then lets go: the handle being assigned lives inside the
// object its old value destroys.
TEST(RefCount, HandleInsideTheObjectItReleases)
{
    SelfHolder* p = new SelfHolder;
    p->m_pSelf = p;
    p->m_pSelf = nullptr;

    SelfHolder* q = new SelfHolder;
    q->m_pSelf = q;
    q->m_pSelf = RIR::SmartPtr<SelfHolder>();
}
