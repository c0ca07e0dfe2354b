// Member definitions of RIR::List<T>; included by rir2/list.h only.
//
// The index errors name this file as their source.
#ifndef RIR2_LIST_IMPL_H
#define RIR2_LIST_IMPL_H

#include <utility>

namespace RIR
{

template <class T>
List<T>::List()
    : m_pHead(nullptr), m_pTail(nullptr), m_nCount(0), m_pIterNode(nullptr), m_nIterIndex(-1),
      m_pCacheNode(nullptr), m_nCacheIndex(-1)
{
}

template <class T> List<T>::List(const List& other) : List()
{
    *this = other;
}

template <class T> List<T>::~List()
{
    RIR_TRACE("List::~List");
    clear();
}

template <class T> List<T>& List<T>::operator=(const List& other)
{
    if (this == &other)
        return *this;
    clear();
    for (const Node* pNode = other.m_pHead; pNode; pNode = pNode->m_pNext)
        append(pNode->m_value);
    return *this;
}

// ---- access -------------------------------------------------------------------------------

template <class T> typename List<T>::Node* List<T>::walkTo(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        throwListIndexError(__FILE__, __LINE__, nIndex, m_nCount);
    // The last node is reached straight from the tail: appending and then touching what was just
    // added is the common pattern. Otherwise forward only: from the cached node when it lies at or
    // before the index, else from the head.
    Node* pNode;
    int nSteps;
    if (nIndex == m_nCount - 1)
    {
        pNode = m_pTail;
        nSteps = 0;
    }
    else if (m_nCacheIndex < 0 || m_nCacheIndex > nIndex)
    {
        pNode = m_pHead;
        nSteps = nIndex;
    }
    else
    {
        pNode = m_pCacheNode;
        nSteps = nIndex - m_nCacheIndex;
    }
    while (nSteps-- > 0)
        pNode = pNode->m_pNext;
    m_pCacheNode = pNode;
    m_nCacheIndex = nIndex;
    return pNode;
}

template <class T> typename List<T>::Node* List<T>::getNode(int nIndex)
{
    return walkTo(nIndex);
}

template <class T> const typename List<T>::Node* List<T>::getNode(int nIndex) const
{
    return walkTo(nIndex);
}

template <class T> typename List<T>::Node* List<T>::nodeAt(int nIndex)
{
    RIR_TRACE("List::nodeAt");
    return walkTo(nIndex);
}

template <class T> T List<T>::getLast() const
{
    if (!m_pTail)
        throwListIndexError(__FILE__, __LINE__, -1, m_nCount);
    return m_pTail->m_value;
}

template <class T> int List<T>::indexOf(const T& value) const
{
    int nIndex = 0;
    for (const Node* pNode = m_pHead; pNode; pNode = pNode->m_pNext, ++nIndex)
    {
        if (pNode->m_value == value)
            return nIndex;
    }
    return -1;
}

// ---- insertion ----------------------------------------------------------------------------

template <class T> typename List<T>::Node* List<T>::insertAfter(Node* pAfter, const T& value)
{
    Node* pNode = new Node(value);
    if (pAfter)
    {
        pNode->m_pNext = pAfter->m_pNext;
        pAfter->m_pNext = pNode;
    }
    else
    {
        pNode->m_pNext = m_pHead;
        m_pHead = pNode;
    }
    pNode->m_pPrev = pAfter;
    if (pNode->m_pNext)
        pNode->m_pNext->m_pPrev = pNode;
    else
        m_pTail = pNode;
    ++m_nCount;
    m_nCacheIndex = -1;
    return pNode;
}

template <class T> typename List<T>::Node* List<T>::insertAt(int nIndex, const T& value)
{
    if (nIndex == 0)
        return prepend(value);
    return insertAfter(walkTo(nIndex - 1), value);
}

// ---- removal ------------------------------------------------------------------------------

template <class T> void List<T>::unlink(Node* pNode)
{
    if (pNode->m_pPrev)
        pNode->m_pPrev->m_pNext = pNode->m_pNext;
    else
        m_pHead = pNode->m_pNext;
    if (pNode->m_pNext)
        pNode->m_pNext->m_pPrev = pNode->m_pPrev;
    else
        m_pTail = pNode->m_pPrev;
    --m_nCount;
    m_nCacheIndex = -1;
}

template <class T> T List<T>::removeNode(Node* pNode)
{
    if (!pNode)
        throw AssertFailException(__FILE__, __LINE__, "Assertion failed : pNode");
    // The copy keeps a handle's object alive after the node has gone.
    T value(pNode->m_value);
    // A cursor left on a freed node would be read by the next iterCurrent.
    if (pNode == m_pIterNode)
        m_pIterNode = pNode->m_pNext;
    unlink(pNode);
    delete pNode;
    return value;
}

template <class T> T List<T>::takeFirst()
{
    if (!m_pHead)
        throwListIndexError(__FILE__, __LINE__, 0, m_nCount);
    return removeNode(m_pHead);
}

template <class T> void List<T>::swap(int i, int j)
{
    if (i == j)
        return;
    Node* pFirst = walkTo(i);
    Node* pSecond = walkTo(j);
    using std::swap;
    swap(pFirst->m_value, pSecond->m_value);
}

// Detaches the first node before its element goes, so that an element whose destruction
// reaches back into this list finds it consistent.
template <class T> typename List<T>::Node* List<T>::detachFirst()
{
    Node* pNode = m_pHead;
    m_pHead = pNode->m_pNext;
    if (m_pHead)
        m_pHead->m_pPrev = nullptr;
    else
        m_pTail = nullptr;
    --m_nCount;
    return pNode;
}

template <class T> void List<T>::clear()
{
    m_pIterNode = nullptr;
    m_nCacheIndex = -1;
    while (m_pHead)
        delete detachFirst();
}

template <class T> void List<T>::clearAndDelete()
{
    static_assert(std::is_pointer<T>::value && !std::is_void<std::remove_pointer_t<T>>::value,
                  "clearAndDelete deletes the objects of a list of object pointers");
    m_pIterNode = nullptr;
    m_nCacheIndex = -1;
    while (m_pHead)
    {
        Node* pNode = detachFirst();
        delete pNode->m_value;
        delete pNode;
    }
}

// ---- bulk operations ----------------------------------------------------------------------

template <class T> void List<T>::appendAll(const List& other)
{
    RIR_TRACE("List::appendAll");
    // Counted first: appending a list to itself stops after its original elements.
    const int nCount = other.m_nCount;
    const Node* pNode = other.m_pHead;
    for (int i = 0; i < nCount; ++i)
    {
        append(pNode->m_value);
        pNode = pNode->m_pNext;
    }
}

template <class T> void List<T>::prependAll(const List& other)
{
    RIR_TRACE("List::prependAll");
    // Last to first, each to the front; the predecessor is read before the prepend, which
    // changes the head's predecessor when other is this list.
    const int nCount = other.m_nCount;
    const Node* pNode = other.m_pTail;
    for (int i = 0; i < nCount; ++i)
    {
        const Node* pPrev = pNode->m_pPrev;
        prepend(pNode->m_value);
        pNode = pPrev;
    }
}

template <class T> void List<T>::reverse()
{
    RIR_TRACE("List::reverse");
    for (Node* pNode = m_pHead; pNode;)
    {
        Node* pNext = pNode->m_pNext;
        std::swap(pNode->m_pNext, pNode->m_pPrev);
        pNode = pNext;
    }
    std::swap(m_pHead, m_pTail);
    m_nCacheIndex = -1;
}

template <class T> void List<T>::sort(CompareFunc pfnCompare, void* pContext)
{
    RIR_TRACE("List::sort");
    m_nCacheIndex = -1;
    if (!m_pHead)
        return;

    // The state of the current pass: the merged output so far, the rest of the left run (its
    // nLeft nodes follow pLeft through their original links) and everything from pRight on.
    Node* pOutHead = nullptr;
    Node* pOutTail = nullptr;
    Node* pLeft = nullptr;
    Node* pRight = nullptr;
    int nLeft = 0;

    auto take = [&](Node* pNode)
    {
        if (pOutTail)
            pOutTail->m_pNext = pNode;
        else
            pOutHead = pNode;
        pNode->m_pPrev = pOutTail;
        pOutTail = pNode;
    };

    try
    {
        for (int nRun = 1;; nRun *= 2)
        {
            pOutHead = pOutTail = nullptr;
            pLeft = m_pHead;
            pRight = nullptr;
            nLeft = 0;
            int nMerges = 0;
            while (pLeft)
            {
                ++nMerges;
                pRight = pLeft;
                nLeft = 0;
                while (nLeft < nRun && pRight)
                {
                    ++nLeft;
                    pRight = pRight->m_pNext;
                }
                int nRight = nRun;
                while (nLeft > 0 || (nRight > 0 && pRight))
                {
                    Node* pNode;
                    if (nLeft > 0 && (nRight == 0 || !pRight ||
                                      pfnCompare(pLeft->m_value, pRight->m_value, pContext)))
                    {
                        pNode = pLeft;
                        pLeft = pLeft->m_pNext;
                        --nLeft;
                    }
                    else
                    {
                        pNode = pRight;
                        pRight = pRight->m_pNext;
                        --nRight;
                    }
                    take(pNode);
                }
                pLeft = pRight;
            }
            pOutTail->m_pNext = nullptr;
            m_pHead = pOutHead;
            m_pTail = pOutTail;
            if (nMerges <= 1)
                break;
        }
    }
    catch (...)
    {
        // A comparison (or an element copy for it) failed in the middle of a merge. Put the
        // output, the rest of the left run and the untouched rest of the chain back together,
        // so that the list keeps every element and stays consistent, only partly sorted.
        while (nLeft-- > 0)
        {
            Node* pNext = pLeft->m_pNext;
            take(pLeft);
            pLeft = pNext;
        }
        while (pRight)
        {
            Node* pNext = pRight->m_pNext;
            take(pRight);
            pRight = pNext;
        }
        pOutTail->m_pNext = nullptr;
        m_pHead = pOutHead;
        m_pTail = pOutTail;
        throw;
    }
}

template <class T> T List<T>::join(const T& sSeparator) const
{
    RIR_TRACE("List::join");
    static_assert(std::is_same<T, String>::value, "join joins lists of strings");
    T sResult;
    for (const Node* pNode = m_pHead; pNode; pNode = pNode->m_pNext)
    {
        if (pNode != m_pHead)
            sResult += sSeparator;
        sResult += pNode->m_value;
    }
    return sResult;
}

// ---- iteration cursor ---------------------------------------------------------------------

template <class T> T& List<T>::iterCurrent()
{
    if (!m_pIterNode)
        throwListIndexError(__FILE__, __LINE__, m_nIterIndex, m_nCount);
    return m_pIterNode->m_value;
}

template <class T> T List<T>::iterRemove()
{
    if (!m_pIterNode)
        throwListIndexError(__FILE__, __LINE__, m_nIterIndex, m_nCount);
    // removeNode moves the cursor on to the following node; the index stays.
    return removeNode(m_pIterNode);
}

} // namespace RIR

#include "rir2/list_persist_impl.h"

#endif
