#include "rir2/inflater.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstring>

namespace RIR
{

Inflater::Inflater() : m_sReason()
{
    RIR_TRACE("Inflater::Inflater");
    memset(&m_zStream, 0, sizeof(m_zStream));
    const int nErr = inflateInit(&m_zStream);
    if (nErr != Z_OK)
        RIR_THROW(FatalErrorException, String::format("zlib init filed : %d", nErr).c_str());
}

Inflater::~Inflater()
{
    RIR_TRACE("Inflater::~Inflater");
    inflateEnd(&m_zStream);
}

void Inflater::setDamaged(int nErr)
{
    RIR_TRACE("Inflater::setDamaged");
    m_sReason = String::format("the compressed data is damaged (%s)",
                               m_zStream.msg ? m_zStream.msg : zError(nErr));
}

bool Inflater::inflateExact(const void* pIn, int nIn, void* pOut, int nOut)
{
    RIR_TRACE("Inflater::inflateExact");
    m_sReason = String();
    inflateReset(&m_zStream);
    m_zStream.next_in = static_cast<Bytef*>(const_cast<void*>(pIn));
    m_zStream.avail_in = nIn > 0 ? (uInt)nIn : 0;
    m_zStream.next_out = static_cast<Bytef*>(pOut);
    m_zStream.avail_out = nOut > 0 ? (uInt)nOut : 0;
    // All the input and all the room at once: zlib finishes in one call and, as nothing is left
    // for a later call, keeps no window copy of the output.
    RIR_TRACE_LINE();
    const int nErr = inflate(&m_zStream, Z_FINISH);
    if (nErr == Z_STREAM_END)
    {
        if ((int)m_zStream.total_out == nOut)
            return true;
        m_sReason = String::format("the compressed data ended after %d bytes",
                                   (int)m_zStream.total_out);
        return false;
    }
    if (nErr != Z_OK && nErr != Z_BUF_ERROR)
    {
        setDamaged(nErr);
        return false;
    }
    if (m_zStream.avail_out > 0)
    {
        m_sReason = String("the compressed data is cut short");
        return false;
    }
    return checkEnd(nOut);
}

bool Inflater::checkEnd(int nOut)
{
    RIR_TRACE("Inflater::checkEnd");
    // One byte of room at a time: the trailer produces nothing, so a byte that comes out is data
    // beyond the expected end.
    for (;;)
    {
        if (m_zStream.avail_in == 0)
        {
            m_sReason = String("the compressed data is cut short");
            return false;
        }
        const uInt nInBefore = m_zStream.avail_in;
        uint8_t nByte = 0;
        m_zStream.next_out = &nByte;
        m_zStream.avail_out = 1;
        const int nErr = inflate(&m_zStream, Z_FINISH);
        if (m_zStream.avail_out == 0)
        {
            m_sReason = String::format("the compressed data runs on past %d bytes", nOut);
            return false;
        }
        if (nErr == Z_STREAM_END)
            return true;
        if ((nErr != Z_OK && nErr != Z_BUF_ERROR) || m_zStream.avail_in == nInBefore)
        {
            setDamaged(nErr == Z_BUF_ERROR ? Z_DATA_ERROR : nErr);
            return false;
        }
    }
}

} // namespace RIR
