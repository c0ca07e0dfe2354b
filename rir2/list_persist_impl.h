// List<T>::persistTo and List<T>::persistFrom: the list form of the object streamer.
//
// Written: 14, the element count as a variable-length integer, the elements in list order.
// Read: that form, or the legacy 01 't' 's' 'L' followed by a 32-bit count in the stream's byte
// order. Elements are strings (the string form) or pointers to serializable objects (the pointer
// protocol of objectstreamer.h: null, back-reference, or id and the object's own form).
//
// persistFrom empties the list first and then appends element by element, so a stored count is
// never trusted for an allocation; after a failure the list holds the elements read before it.
// Format errors raise BadStreamFormatException "List::persistFrom : bad stream format\n" (wrong
// tag or type letters, a negative or oversized count) or "List::persistFrom : unknown format
// version\n"; the element readers' own errors pass through unchanged.
//
// Included at the end of list_impl.h; the member declarations are in list.h.
#ifndef RIR2_LIST_PERSIST_IMPL_H
#define RIR2_LIST_PERSIST_IMPL_H

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"

#include <cstdint>

namespace RIR
{

// The element forms a list can hold.
inline void writeListElement(ObjectStreamer& streamer, const String& sValue)
{
    streamer.writeString(sValue);
}

template <class T> void writeListElement(ObjectStreamer& streamer, T* const& pValue)
{
    writeObjectPointer<T>(streamer, pValue);
}

inline void readListElement(ObjectStreamer& streamer, String& sValue)
{
    streamer.readString(sValue);
}

template <class T> void readListElement(ObjectStreamer& streamer, T*& pValue)
{
    readObjectPointer<T>(streamer, &pValue);
}

// Reads the head of a list form, current or legacy, and returns its element count. Raises
// BadStreamFormatException as described above; a count that cannot be a list's (negative, or
// beyond a 32-bit signed count) is refused as a bad format.
inline int readListHeader(ObjectStreamer& streamer)
{
    RIR_TRACE("List::readListHeader");
    unsigned char cTag = 0;
    streamer.readUChar(cTag);
    int64_t nCount = 0;
    if (cTag == STT_LEGACY)
    {
        unsigned char acType[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i)
            streamer.readUChar(acType[i]);
        if (acType[0] != 't' || acType[1] != 's' || acType[2] != 'L')
            RIR_THROW(BadStreamFormatException, "List::persistFrom : bad stream format\n");
        int32_t nStored = 0;
        streamer.readInt(nStored);
        nCount = nStored;
    }
    else
    {
        if ((cTag & 0x0F) != STT_LIST)
            RIR_THROW(BadStreamFormatException, "List::persistFrom : bad stream format\n");
        if ((cTag & 0xF0) != STT_VERSION)
            RIR_THROW(BadStreamFormatException, "List::persistFrom : unknown format version\n");
        nCount = streamer.readVarUInt();
    }
    if (nCount < 0 || nCount > INT32_MAX)
        RIR_THROW(BadStreamFormatException, "List::persistFrom : bad stream format\n");
    return (int)nCount;
}

template <class T> void List<T>::persistTo(ObjectStreamer& streamer)
{
    RIR_TRACE("List::persistTo");
    streamer.writeUChar((unsigned char)STT_LIST_TAG);
    streamer.writeVarUInt((unsigned)m_nCount);
    for (Node* pNode = m_pHead; pNode != nullptr; pNode = pNode->m_pNext)
    {
        RIR_TRACE_LINE();
        writeListElement(streamer, pNode->m_value);
    }
}

template <class T> void List<T>::persistFrom(ObjectStreamer& streamer)
{
    RIR_TRACE("List::persistFrom");
    clear();
    const int nCount = readListHeader(streamer);
    // One element at a time: a damaged count ends with the data, never with a huge allocation.
    for (int i = 0; i < nCount; ++i)
    {
        T value = T();
        RIR_TRACE_LINE();
        readListElement(streamer, value);
        append(value);
    }
}

} // namespace RIR

#endif
