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
    : m_pStream(pStream), m_bOwnsStream(false), m_bReading(false), m_nTotal(0),
      m_bExactReads(false), m_nReadState(ZSR_RUNNING), m_pszZlibMessage(nullptr)
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

bool ZStream::fillInput()
{
    RIR_TRACE("ZStream::fillInput");
    if (m_zStream.avail_in > 0)
        return true;
    RIR_TRACE_LINE();
    const int nGot = m_pStream->read(ZSTREAM_BUFFER_SIZE, m_abBuffer);
    m_zStream.next_in = m_abBuffer;
    if (nGot <= 0)
    {
        m_zStream.avail_in = 0;
        m_nReadState = ZSR_CUT;
        return false;
    }
    m_zStream.avail_in = (uInt)(nGot < ZSTREAM_BUFFER_SIZE ? nGot : ZSTREAM_BUFFER_SIZE);
    return true;
}

void ZStream::noteInflateResult(int nErr)
{
    if (nErr == Z_STREAM_END)
        m_nReadState = ZSR_ENDED; // inflate checks the trailer before it reports the end
    else if (nErr != Z_OK)
    {
        // With input and output room both left, inflate always moves on; anything but Z_OK is
        // data it refuses.
        m_nReadState = ZSR_DAMAGED;
        m_pszZlibMessage = m_zStream.msg ? m_zStream.msg : zError(nErr);
    }
}

String ZStream::describeReadState() const
{
    RIR_TRACE("ZStream::describeReadState");
    switch (m_nReadState)
    {
    case ZSR_ENDED:
        return String::format("the compressed data ended after %d bytes", (int)m_nTotal);
    case ZSR_CUT:
        return String("the compressed data is cut short");
    case ZSR_DAMAGED:
        return String::format("the compressed data is damaged (%s)", m_pszZlibMessage);
    default:
        return String("the compressed data has not ended");
    }
}

void ZStream::raiseReadFailure(const char* pszCaller, const String& sReason) const
{
    RIR_TRACE("ZStream::raiseReadFailure");
    RIR_THROW(BadStreamFormatException,
              String::format("%s : %s", pszCaller, sReason.c_str()).c_str());
}

int ZStream::read(int n, void* pBuffer)
{
    RIR_TRACE("ZStream::read");
    // A writer has no inflate state to read through.
    if (n <= 0 || !m_bReading)
        return 0;
    // Once the data has ended or broken, nothing more comes out of it.
    if (m_nReadState != ZSR_RUNNING)
    {
        if (m_bExactReads)
            raiseReadFailure("ZStream::read", describeReadState());
        return 0;
    }
    const uLong nStartOut = m_zStream.total_out;
    m_zStream.next_out = static_cast<Bytef*>(pBuffer);
    m_zStream.avail_out = (uInt)n;
    for (;;)
    {
        if (!fillInput())
        {
            // The inner stream ran dry: what this call inflated so far is not reported.
            if (m_bExactReads)
                raiseReadFailure("ZStream::read", describeReadState());
            return 0;
        }
        const int nErr = inflate(&m_zStream, ZSTREAM_INFLATE_FLUSH);
        noteInflateResult(nErr);
        const int nProduced = (int)(m_zStream.total_out - nStartOut);
        if (nProduced >= n || nErr != Z_OK)
        {
            m_nTotal += nProduced;
            if (m_bExactReads && nProduced < n)
                raiseReadFailure("ZStream::read", describeReadState());
            return nProduced;
        }
    }
}

void ZStream::checkEnd()
{
    RIR_TRACE("ZStream::checkEnd");
    if (!m_bReading)
        return;
    // Inflates one byte at a time: the trailer and any empty blocks before it produce nothing,
    // so the first byte that does come out is data beyond the expected end.
    while (m_nReadState == ZSR_RUNNING)
    {
        if (!fillInput())
            break;
        uint8_t nByte = 0;
        m_zStream.next_out = &nByte;
        m_zStream.avail_out = 1;
        const int nErr = inflate(&m_zStream, ZSTREAM_INFLATE_FLUSH);
        if (m_zStream.avail_out == 0)
        {
            m_nTotal += 1;
            raiseReadFailure("ZStream::checkEnd",
                             String::format("the compressed data runs on past %d bytes",
                                            (int)m_nTotal - 1));
        }
        noteInflateResult(nErr);
    }
    if (m_nReadState != ZSR_ENDED)
        raiseReadFailure("ZStream::checkEnd", describeReadState());
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
