// RIR::List<T>: the one sequence container of the system.
//
// A doubly linked list of nodes, each holding one element by value, addressed by index from 0.
// Insertions return the new node; callers may keep it as a handle and later reach or remove the
// element through it without a walk. A node stays valid, with its element, until it is removed
// or the list is cleared or destroyed: insertions and removals of other nodes, reverse and sort
// only relink nodes; only swap moves elements between nodes.
//
// Two cursors sit beside the links:
// - a one-entry cache of the node last reached by index, so that reading indexes in ascending
//   order walks one link per step. Every change of the list invalidates it, and a lower index
//   than the cached one is reached from the head, never from the tail or backwards;
// - an iteration cursor (iterBegin / iterValid / iterCurrent / iterNext / iterRemove) that walks
//   the list and may remove the node it stands on. The hash table walks its buckets with it.
//
// Elements are handled by their own copy, destruction and equality. Counted handles hold one
// reference per node. A list of plain pointers never deletes what they point to through clear,
// assignment or its destructor; an owner deletes them with clearAndDelete.
//
// An index outside 0 .. getLength() - 1 raises FatalErrorException
// "List index out of range : %d (have %d)"; the check comes before any change, so a failed call
// leaves the list as it was.
//
// The list derives from RefCountedObject, so it can live by value (the usual case), be shared
// through a SmartPtr, or serve as a base class. It takes no lock: one thread at a time, reads
// included, since reading by index moves the cache.
#ifndef RIR2_LIST_H
#define RIR2_LIST_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>
#include <type_traits>

namespace RIR
{

class ObjectStreamer;

// Raises the list's index error "List index out of range : %d (have %d)" as a
// FatalErrorException recorded with pszFile and nLine. Kept out of line so that the checks in
// the list's hot paths stay small.
[[noreturn]] void throwListIndexError(const char* pszFile, int nLine, int nIndex, int nCount);

template <class T> class List : public RefCountedObject
{
public:
    class Node
    {
    public:
        Node* m_pNext; // following node, null for the last
        Node* m_pPrev; // preceding node, null for the first
        T m_value;     // the element

        explicit Node(const T& value) : m_pNext(nullptr), m_pPrev(nullptr), m_value(value) {}
    };

    // The comparison of sort: true when a may stand before b. Elements arrive as copies.
    typedef bool (*CompareFunc)(T a, T b, void* pContext);

    // ---- construction ---------------------------------------------------------------------

    List();
    // An independent copy: the same elements in new nodes (handles gain a reference each),
    // reference count 0, fresh cursors.
    List(const List& other);
    // String lists of one to four elements, appended in order.
    template <class U = T, class = std::enable_if_t<std::is_same<U, String>::value>>
    explicit List(const String& s1) : List()
    {
        append(s1);
    }
    template <class U = T, class = std::enable_if_t<std::is_same<U, String>::value>>
    List(const String& s1, const String& s2) : List()
    {
        append(s1);
        append(s2);
    }
    template <class U = T, class = std::enable_if_t<std::is_same<U, String>::value>>
    List(const String& s1, const String& s2, const String& s3) : List()
    {
        append(s1);
        append(s2);
        append(s3);
    }
    template <class U = T, class = std::enable_if_t<std::is_same<U, String>::value>>
    List(const String& s1, const String& s2, const String& s3, const String& s4) : List()
    {
        append(s1);
        append(s2);
        append(s3);
        append(s4);
    }
    // Clears the list: handles are released and strings freed; the objects of a plain-pointer
    // list are left alone.
    ~List() override;

    // Clears this list, then appends a copy of each element of the other, first to last.
    // Assigning a list to itself changes nothing.
    List& operator=(const List& other);

    // ---- size and access ------------------------------------------------------------------

    int getLength() const { return m_nCount; }
    bool isEmpty() const { return m_pHead == nullptr; }

    // The node at nIndex, through the cache (see above). Raises the index error outside
    // 0 .. getLength() - 1.
    Node* getNode(int nIndex);
    const Node* getNode(int nIndex) const;
    // getNode with an entry on the call trace.
    Node* nodeAt(int nIndex);
    // A copy of the element at nIndex (a handle carries its own reference).
    T get(int nIndex) const { return getNode(nIndex)->m_value; }
    // A copy of the last element; an empty list raises the index error for index -1.
    T getLast() const;
    // The smallest index whose element equals value by the element's equality; -1 when none.
    int indexOf(const T& value) const;

    // ---- insertion ------------------------------------------------------------------------

    // Inserts a copy of value after pAfter (null: at the front) and returns the new node.
    Node* insertAfter(Node* pAfter, const T& value);
    Node* append(const T& value) { return insertAfter(m_pTail, value); }
    Node* prepend(const T& value) { return insertAfter(nullptr, value); }
    // Index 0 prepends; otherwise inserts after the node at nIndex - 1, so getLength() appends.
    // A bad index raises the index error naming nIndex - 1, the index it looked up.
    Node* insertAt(int nIndex, const T& value);

    // ---- removal --------------------------------------------------------------------------

    // Unlinks pNode (which must belong to this list), frees it and returns its element. When the
    // iteration cursor stands on pNode it moves on to the following node, as with iterRemove.
    T removeNode(Node* pNode);
    T removeAt(int nIndex) { return removeNode(getNode(nIndex)); }
    // Removes and returns the first element; an empty list raises the index error for index 0.
    T takeFirst();
    // Exchanges the elements at i and j (the nodes stay in place). Nothing at all when i == j.
    void swap(int i, int j);
    // Removes every element, first to last, and resets both cursors.
    void clear();
    // For lists of pointers: deletes each non-null element, first to last, then frees its node.
    void clearAndDelete();

    // ---- bulk operations ------------------------------------------------------------------

    // Appends a copy of each element of other, first to last. The count of other is taken
    // before the first append, so appending a list to itself doubles it.
    void appendAll(const List& other);
    // Puts copies of other's elements at the front, in other's order; count taken once.
    void prependAll(const List& other);
    // Reverses the order by exchanging every node's links, then head and tail.
    void reverse();
    // Bottom-up merge sort that relinks nodes and never moves elements. An element a stays
    // before a later b when pfnCompare(a, b, pContext) is true, so a comparison that is true for
    // equal elements keeps them in their order (stable).
    void sort(CompareFunc pfnCompare, void* pContext = nullptr);
    // String lists: "" when empty, otherwise the elements with sSeparator between each two.
    T join(const T& sSeparator) const;

    // ---- persistence (rir2/list_persist_impl.h) ---------------------------------------------

    // Writes / reads the list in the object streamer's list form; persistFrom replaces the
    // contents.
    void persistTo(ObjectStreamer& streamer);
    void persistFrom(ObjectStreamer& streamer);

    // ---- iteration cursor -----------------------------------------------------------------

    // Puts the cursor on the first node, index 0.
    void iterBegin()
    {
        m_pIterNode = m_pHead;
        m_nIterIndex = 0;
    }
    // True while the cursor stands on a node.
    bool iterValid() const { return m_pIterNode != nullptr; }
    // The element under the cursor; an idle cursor raises the index error.
    T& iterCurrent();
    int iterIndex() const { return m_nIterIndex; }
    // Moves the cursor to the following node (null after the last); nothing when idle.
    void iterNext()
    {
        if (m_pIterNode)
        {
            m_pIterNode = m_pIterNode->m_pNext;
            ++m_nIterIndex;
        }
    }
    // Removes the node under the cursor and returns its element; the cursor then stands on the
    // node that followed, with the same index. An idle cursor raises the index error.
    T iterRemove();

private:
    // The node at nIndex through the cache; raises the index error outside the list.
    Node* walkTo(int nIndex) const;
    // Unlinks pNode from the chain and invalidates the cache; pNode is not freed.
    void unlink(Node* pNode);
    // Unlinks the first node (the list must not be empty) and returns it, not freed.
    Node* detachFirst();

    Node* m_pHead;
    Node* m_pTail;
    int32_t m_nCount;
    Node* m_pIterNode;
    int32_t m_nIterIndex;
    // The cache is moved by reads, so it may change on a const list.
    mutable Node* m_pCacheNode;
    mutable int32_t m_nCacheIndex;
};

} // namespace RIR

#include "rir2/list_impl.h"

#endif
