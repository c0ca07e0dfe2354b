#include "rir2/memstream.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <climits>
#include <cstring>

namespace RIR
{

namespace
{

// The first capacity of an owned stream.
const int MEMSTREAM_FIRST_CAPACITY = 0x8000;

} // namespace

MemStream::MemStream()
    : m_nCapacity(0), m_nSize(0), m_nPosition(0), m_pBuffer(nullptr), m_eMode(MSM_OWNED)
{
    RIR_TRACE("MemStream::MemStream");
}

MemStream::MemStream(const void* pData, int nLength)
    : m_nCapacity(nLength < 0 ? 0 : nLength), m_nSize(nLength < 0 ? 0 : nLength), m_nPosition(0),
      m_pBuffer(static_cast<uint8_t*>(const_cast<void*>(pData))), m_eMode(MSM_VIEW)
{
    RIR_TRACE("MemStream::MemStream");
}

MemStream::~MemStream()
{
    RIR_TRACE("MemStream::~MemStream");
    if (m_eMode == MSM_OWNED)
        delete[] m_pBuffer;
    m_pBuffer = nullptr;
}

int MemStream::read(int n, void* pBuffer)
{
    RIR_TRACE("MemStream::read");
    if (n <= 0 || m_nPosition >= m_nSize)
        return 0;
    const int nAvail = m_nSize - m_nPosition;
    const int nCount = n < nAvail ? n : nAvail;
    memcpy(pBuffer, m_pBuffer + m_nPosition, (size_t)nCount);
    m_nPosition += nCount;
    return nCount;
}

int MemStream::write(int n, const void* pBuffer)
{
    RIR_TRACE("MemStream::write");
    if (m_eMode != MSM_OWNED || n < 0)
        return 0;
    const int64_t nEnd = (int64_t)m_nPosition + n;
    if (nEnd > INT_MAX)
        return 0;
    if (nEnd >= m_nSize)
    {
        if (nEnd >= m_nCapacity)
        {
            RIR_TRACE_LINE();
            grow((int)nEnd);
        }
        // Bytes skipped by a seek beyond the end hold zeros rather than stale memory.
        if (m_nPosition > m_nSize)
            memset(m_pBuffer + m_nSize, 0, (size_t)(m_nPosition - m_nSize));
        m_nSize = (int)nEnd;
    }
    if (n > 0)
        memcpy(m_pBuffer + m_nPosition, pBuffer, (size_t)n);
    m_nPosition = (int)nEnd;
    return n;
}

void MemStream::grow(int nNeeded)
{
    RIR_TRACE("MemStream::grow");
    int nNewCapacity;
    if (m_nCapacity == 0)
        nNewCapacity = MEMSTREAM_FIRST_CAPACITY;
    else
    {
        const double fGrown = (double)m_nCapacity * 1.75 + 1.0;
        nNewCapacity = fGrown >= (double)INT_MAX ? INT_MAX : (int)fGrown;
    }
    if (nNewCapacity < nNeeded)
        nNewCapacity = nNeeded;
    uint8_t* pNew = new uint8_t[(size_t)nNewCapacity];
    if (m_nSize > 0)
        memcpy(pNew, m_pBuffer, (size_t)m_nSize);
    delete[] m_pBuffer;
    m_pBuffer = pNew;
    m_nCapacity = nNewCapacity;
}

int MemStream::tell()
{
    RIR_TRACE("MemStream::tell");
    return m_nPosition;
}

void MemStream::seek(int nPosition)
{
    RIR_TRACE("MemStream::seek");
    // A negative position would let the next read or write reach before the buffer.
    if (nPosition < 0)
        RIR_THROW(BadParmException,
                  String::format("MemStream::seek : negative position %d", nPosition).c_str());
    m_nPosition = nPosition;
}

int MemStream::size()
{
    RIR_TRACE("MemStream::size");
    return m_nSize;
}

bool MemStream::can(int nAccess)
{
    RIR_TRACE("MemStream::can");
    return (nAccess & m_eMode) == nAccess;
}

MemStream* MemStream::createReader()
{
    RIR_TRACE("MemStream::createReader");
    return new MemStream(m_pBuffer, m_nSize);
}

} // namespace RIR
