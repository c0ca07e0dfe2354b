#include "rir2/zstream.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <cstring>

namespace RIR
{

namespace
{

// The flush value every inflate call uses.
const int ZSTREAM_INFLATE_FLUSH = 3;

} // namespace

ZStream::ZStream(Stream* pStream, int nLevel)
    : m_pStream(pStream), m_bOwnsStream(false), m_bReading(false), m_nTotal(0)
{
    RIR_TRACE("ZStream::ZStream");
    RIR_ASSERT(m_pStream);
    RIR_TRACE_LINE();
    if (m_pStream->can(SA_READ) && m_pStream->can(SA_WRITE))
        RIR_THROW(FatalErrorException, "RIR::ZStream : Bidirectional streams not supported");
    memset(&m_zStream, 0, sizeof(m_zStream));
    if (nLevel == -1)
        nLevel = ZSTREAM_DEFAULT_LEVEL;
    RIR_ASSERT(nLevel >= 0);
    RIR_ASSERT(nLevel <= 9);
    m_bReading = m_pStream->can(SA_READ);
    RIR_TRACE_LINE();
    const int nErr = m_bReading ? inflateInit(&m_zStream) : deflateInit(&m_zStream, nLevel);
    if (nErr != Z_OK)
        RIR_THROW(FatalErrorException, String::format("zlib init filed : %d", nErr).c_str());
}

ZStream::~ZStream()
{
    RIR_TRACE("ZStream::~ZStream");
    // Nothing may leave a destructor; a failure here has already been recorded in the exception
    // log when the exception was built.
    if (m_bReading)
    {
        try
        {
            if (m_zStream.avail_in > 0)
            {
                RIR_TRACE_LINE();
                m_pStream->seek(m_pStream->tell() - (int)m_zStream.avail_in);
            }
        }
        catch (const Exception&)
        {
        }
        inflateEnd(&m_zStream);
    }
    else
    {
        try
        {
            RIR_TRACE_LINE();
            finish();
        }
        catch (const Exception&)
        {
        }
        deflateEnd(&m_zStream);
    }
    if (m_bOwnsStream)
        delete m_pStream;
    m_pStream = nullptr;
}

int ZStream::read(int n, void* pBuffer)
{
    RIR_TRACE("ZStream::read");
    // A writer has no inflate state to read through.
    if (n <= 0 || !m_bReading)
        return 0;
    const uLong nStartOut = m_zStream.total_out;
    m_zStream.next_out = static_cast<Bytef*>(pBuffer);
    m_zStream.avail_out = (uInt)n;
    for (;;)
    {
        if (m_zStream.avail_in == 0)
        {
            RIR_TRACE_LINE();
            const int nGot = m_pStream->read(ZSTREAM_BUFFER_SIZE, m_abBuffer);
            if (nGot <= 0)
            {
                // The inner stream ran dry: what this call inflated so far is not reported.
                m_zStream.next_in = m_abBuffer;
                m_zStream.avail_in = 0;
                return 0;
            }
            m_zStream.next_in = m_abBuffer;
            m_zStream.avail_in = (uInt)(nGot < ZSTREAM_BUFFER_SIZE ? nGot : ZSTREAM_BUFFER_SIZE);
        }
        const int nErr = inflate(&m_zStream, ZSTREAM_INFLATE_FLUSH);
        const int nProduced = (int)(m_zStream.total_out - nStartOut);
        if (nProduced >= n || nErr != Z_OK)
        {
            m_nTotal += nProduced;
            return nProduced;
        }
    }
}

void ZStream::flushBuffer(int nCount, const char* pszCaller)
{
    RIR_TRACE("ZStream::flushBuffer");
    if (nCount <= 0)
        return;
    RIR_TRACE_LINE();
    const int nAccepted = m_pStream->write(nCount, m_abBuffer);
    // A short write (a full disk, a refusing stream) would leave the compressed data cut short
    // while every caller believes it was saved.
    if (nAccepted != nCount)
        RIR_THROW(FatalErrorException, String::format("%s : inner stream accepted %d of %d bytes",
                                                      pszCaller, nAccepted, nCount)
                                           .c_str());
}

int ZStream::write(int n, const void* pBuffer)
{
    RIR_TRACE("ZStream::write");
    // A reader has no deflate state to write through.
    if (n <= 0 || m_bReading)
        return 0;
    m_zStream.next_in = static_cast<Bytef*>(const_cast<void*>(pBuffer));
    m_zStream.avail_in = (uInt)n;
    if (m_zStream.avail_out == 0)
    {
        m_zStream.next_out = m_abBuffer;
        m_zStream.avail_out = ZSTREAM_BUFFER_SIZE;
    }
    const uLong nStartIn = m_zStream.total_in;
    while (m_zStream.avail_in > 0)
    {
        const uInt nRoom = m_zStream.avail_out;
        RIR_TRACE_LINE();
        const int nErr = deflate(&m_zStream, Z_NO_FLUSH);
        if (nErr != Z_OK)
        {
            m_zStream.avail_in = 0;
            RIR_THROW(
                FatalErrorException,
                String::format("ZStream::write : nErr = %d trying to deflate %d bytes", nErr, n)
                    .c_str());
        }
        const int nCount = (int)(nRoom - m_zStream.avail_out);
        m_zStream.next_out = m_abBuffer;
        m_zStream.avail_out = ZSTREAM_BUFFER_SIZE;
        flushBuffer(nCount, "ZStream::write");
    }
    const int nConsumed = (int)(m_zStream.total_in - nStartIn);
    m_nTotal += nConsumed;
    return nConsumed;
}

void ZStream::finish()
{
    RIR_TRACE("ZStream::finish");
    if (m_bReading)
        return;
    // Once deflate has reported the end, a further Z_FINISH reports it again at once and adds
    // nothing, so a second finish is harmless.
    for (;;)
    {
        m_zStream.next_out = m_abBuffer;
        m_zStream.avail_out = ZSTREAM_BUFFER_SIZE;
        m_zStream.next_in = nullptr;
        m_zStream.avail_in = 0;
        RIR_TRACE_LINE();
        const int nErr = deflate(&m_zStream, Z_FINISH);
        if (nErr != Z_OK && nErr != Z_STREAM_END)
            RIR_THROW(
                FatalErrorException,
                String::format("ZStream::finish : nErr = %d trying to deflate", nErr).c_str());
        const int nCount = (int)(ZSTREAM_BUFFER_SIZE - m_zStream.avail_out);
        flushBuffer(nCount, "ZStream::finish");
        if (nErr == Z_STREAM_END)
            return;
    }
}

int ZStream::tell()
{
    RIR_TRACE("ZStream::tell");
    return m_nTotal;
}

void ZStream::seek(int nPosition)
{
    RIR_TRACE("ZStream::seek");
    (void)nPosition;
    RIR_THROW(FatalErrorException, "RIR::ZStream : Positioning not implemented");
}

int ZStream::size()
{
    RIR_TRACE("ZStream::size");
    RIR_TRACE_LINE();
    return m_pStream->size();
}

bool ZStream::can(int nAccess)
{
    RIR_TRACE("ZStream::can");
    RIR_TRACE_LINE();
    return m_pStream->can(nAccess);
}

} // namespace RIR
