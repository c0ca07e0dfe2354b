#include "rir2/resourcefilecompiler.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/resourcefile.h"
#include "rir2/rirstring.h"
#include "rir2/zstream.h"

#include <memory>

namespace RIR
{

namespace
{

// Bytes written at the header position: signature, header word, index offset.
const int HEADER_TAIL_SIZE = 9;

[[noreturn]] void throwShortWrite(const char* pszCaller, int nWritten, int nExpected)
{
    RIR_TRACE("ResourceFileCompiler::throwShortWrite");
    RIR_THROW(FatalErrorException, String::format("%s : the stream accepted %d of %d bytes",
                                                  pszCaller, nWritten, nExpected)
                                       .c_str());
}

} // namespace

ResourceFileCompiler::ResourceFileCompiler(SmartPtr<Stream> pStream)
    : m_pStream(pStream), m_lEntries(), m_nHeaderPos(0), m_nLevel(9)
{
    RIR_TRACE("ResourceFileCompiler::ResourceFileCompiler");
    RIR_ASSERT(pStream);
}

ResourceFileCompiler::~ResourceFileCompiler()
{
    RIR_TRACE("ResourceFileCompiler::~ResourceFileCompiler");
    m_lEntries.clearAndDelete();
}

void ResourceFileCompiler::setCompressionLevel(int nLevel)
{
    RIR_TRACE("ResourceFileCompiler::setCompressionLevel");
    RIR_ASSERT(nLevel >= -1 && nLevel <= 9);
    m_nLevel = nLevel;
}

int ResourceFileCompiler::position(const char* pszCaller)
{
    RIR_TRACE("ResourceFileCompiler::position");
    const int nPos = m_pStream->tell();
    if (nPos < 0)
        RIR_THROW(
            FatalErrorException,
            String::format("%s : the pack has outgrown its 32-bit offsets", pszCaller).c_str());
    return nPos;
}

void ResourceFileCompiler::writeHeader(int32_t nIndexOffset, const char* pszCaller)
{
    RIR_TRACE("ResourceFileCompiler::writeHeader");
    RIR_TRACE_LINE();
    std::unique_ptr<ObjectStreamer> pOut(new ObjectStreamer(m_pStream.get(), false));
    const bool bOk = pOut->writeInt((int32_t)RESOURCE_PACK_HEADER) && pOut->writeInt(nIndexOffset);
    pOut.reset();
    // The signature byte is written by the streamer's constructor, which reports nothing: the
    // position tells whether all 9 bytes arrived.
    const int nWritten = m_pStream->tell() - m_nHeaderPos;
    if (!bOk || nWritten != HEADER_TAIL_SIZE)
        throwShortWrite(pszCaller, nWritten, HEADER_TAIL_SIZE);
}

void ResourceFileCompiler::begin()
{
    RIR_TRACE("ResourceFileCompiler::begin");
    const int nStart = position("ResourceFileCompiler::begin");
    RIR_TRACE_LINE();
    if (!m_pStream->writeText("GRF"))
        throwShortWrite("ResourceFileCompiler::begin", m_pStream->tell() - nStart, 3);
    m_nHeaderPos = position("ResourceFileCompiler::begin");
    writeHeader(0, "ResourceFileCompiler::begin");
}

int ResourceFileCompiler::addEntry(MemStream* pData, const char* pszName)
{
    RIR_TRACE("ResourceFileCompiler::addEntry");
    setTraceParams(pszName);
    RIR_ASSERT(pData);
    const int nOffset = position("ResourceFileCompiler::addEntry");
    const int nSize = pData->size();
    std::unique_ptr<ResourceFileEntry> pEntry(new ResourceFileEntry(pszName, nOffset, nSize, true));

    RIR_TRACE_LINE();
    std::unique_ptr<ZStream> pZip(new ZStream(m_pStream.get(), m_nLevel));
    std::unique_ptr<uint8_t[]> pBlock(new uint8_t[RESOURCE_PACK_COPY_BLOCK]);
    int nMissing = nSize;
    while (nMissing > 0)
    {
        const int nWant = nMissing < RESOURCE_PACK_COPY_BLOCK ? nMissing : RESOURCE_PACK_COPY_BLOCK;
        RIR_TRACE_LINE();
        const int nRead = pData->read(nWant, pBlock.get());
        // A stream that runs dry would otherwise be asked again for ever.
        if (nRead <= 0)
            RIR_THROW(FatalErrorException,
                      String::format("ResourceFileCompiler::addEntry : the data of %s ended after "
                                     "%d of %d bytes",
                                     pEntry->getName().c_str(), nSize - nMissing, nSize)
                          .c_str());
        RIR_TRACE_LINE();
        const int nWritten = pZip->write(nRead, pBlock.get());
        if (nWritten != nRead)
            throwShortWrite("ResourceFileCompiler::addEntry", nWritten, nRead);
        nMissing -= nRead;
    }
    // Completing the zlib stream here rather than in the destructor lets a failed write raise.
    RIR_TRACE_LINE();
    pZip->finish();
    pZip.reset();
    const int nEnd = position("ResourceFileCompiler::addEntry");
    if (nEnd < nOffset)
        RIR_THROW(FatalErrorException,
                  "ResourceFileCompiler::addEntry : the pack has outgrown its 32-bit offsets");
    const int nCompressed = nEnd - nOffset;
    m_lEntries.append(pEntry.get());
    pEntry.release();
    return nCompressed;
}

void ResourceFileCompiler::finish()
{
    RIR_TRACE("ResourceFileCompiler::finish");
    const int nIndexOffset = position("ResourceFileCompiler::finish");
    {
        RIR_TRACE_LINE();
        std::unique_ptr<ZStream> pZip(new ZStream(m_pStream.get(), RESOURCE_PACK_INDEX_LEVEL));
        pZip->setNativeOrder(m_pStream->isNativeOrder());
        std::unique_ptr<ObjectStreamer> pOut(new ObjectStreamer(pZip.get(), false));
        pOut->writeChar(0);
        RIR_TRACE_LINE();
        m_lEntries.persistTo(*pOut);
        // The streamer owns nothing and writes nothing when it goes; the ZStream then completes
        // the index, raising when the stream refuses its bytes.
        pOut.reset();
        RIR_TRACE_LINE();
        pZip->finish();
    }
    RIR_TRACE_LINE();
    m_pStream->seek(m_nHeaderPos);
    if (m_pStream->tell() != m_nHeaderPos)
        RIR_THROW(FatalErrorException,
                  String::format("ResourceFileCompiler::finish : cannot return to the header at %d",
                                 (int)m_nHeaderPos)
                      .c_str());
    writeHeader(nIndexOffset, "ResourceFileCompiler::finish");
    m_lEntries.clearAndDelete();
}

} // namespace RIR
