#include "rir2/tokenfilereader.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/stream.h"

#include <memory>
#include <string>

namespace RIR
{

TokenFileReader::TokenFileReader(const char* sChunk) : m_nLineNumber(0)
{
    RIR_TRACE("TokenFileReader::TokenFileReader");
    RIR_ASSERT(sChunk);
    parse(sChunk);
}

TokenFileReader::TokenFileReader(Stream* pFile) : m_nLineNumber(0)
{
    RIR_TRACE("TokenFileReader::TokenFileReader");
    RIR_ASSERT(pFile);
    RIR_TRACE_LINE();
    int nSize = pFile->size();
    if (nSize < 0)
        nSize = 0;
    std::unique_ptr<char[]> pBuffer(new char[(size_t)nSize + 1]);
    // Only the bytes that actually arrive count: a stream that is not at its start, or that
    // delivers in pieces, gives fewer than its size.
    int nGot = 0;
    while (nGot < nSize)
    {
        RIR_TRACE_LINE();
        const int nRead = pFile->read(nSize - nGot, pBuffer.get() + nGot);
        if (nRead <= 0)
            break;
        nGot += nRead;
    }
    pBuffer[nGot] = 0;
    parse(pBuffer.get());
}

TokenFileReader::~TokenFileReader()
{
    RIR_TRACE("TokenFileReader::~TokenFileReader");
}

void TokenFileReader::parse(const char* pszText)
{
    RIR_TRACE("TokenFileReader::parse");
    RIR_TRACE_LINE();
    const List<String> lPieces = String(pszText).split("\r\n");
    const int nCount = lPieces.getLength();
    for (int nPiece = 0; nPiece < nCount; ++nPiece)
    {
        RIR_TRACE_LINE();
        String sLine = lPieces.get(nPiece);
        // "\#" stands for a literal "#": drop the backslash and look on after that "#". The
        // first "#" without a backslash before it starts the comment. One pass in place, so that
        // a line full of escapes costs no more than its length.
        char* const pszLine = sLine.at(0);
        char* pWrite = pszLine;
        for (const char* pRead = pszLine; *pRead; ++pRead)
        {
            if (*pRead == '#')
            {
                // pRead[-1] still holds the byte read before: writing never overtakes reading.
                if (pRead == pszLine || pRead[-1] != '\\')
                    break;
                --pWrite; // the backslash, copied last
            }
            *pWrite++ = *pRead;
        }
        *pWrite = 0;
        sLine = sLine.trim();
        if (sLine.length() > 0)
        {
            m_lLines.append(sLine);
            m_lLineNumbers.append(nPiece);
        }
    }
    m_sLine = "";
    m_nLineNumber = 0;
}

void TokenFileReader::nextLine()
{
    RIR_TRACE("TokenFileReader::nextLine");
    RIR_TRACE_LINE();
    // removeAt rather than takeFirst: with no line left the list raises its index error.
    m_sLine = m_lLines.removeAt(0);
    m_nLineNumber = m_lLineNumbers.removeAt(0);
    RIR_TRACE_LINE();
    m_lTokens = m_sLine.split(" \t");
}

String TokenFileReader::joinTokens(int i) const
{
    RIR_TRACE("TokenFileReader::joinTokens");
    // Built in one growing buffer: appending to a String copies the whole text every time, which
    // a line of many tokens would pay for quadratically.
    std::string sResult;
    const int nCount = m_lTokens.getLength();
    for (int n = i; n < nCount; ++n)
    {
        RIR_TRACE_LINE();
        if (n > i)
            sResult += ' ';
        sResult += m_lTokens.get(n).c_str();
    }
    return String(sResult.c_str());
}

SmartPtr<Hash<String, String>> TokenFileReader::readAsHash()
{
    RIR_TRACE("TokenFileReader::readAsHash");
    SmartPtr<Hash<String, String>> pHash = new Hash<String, String>(97);
    while (!isEmpty())
    {
        RIR_TRACE_LINE();
        nextLine();
        // Token 1 first: a line with a single token raises the list's index error for it.
        const String sValue = m_lTokens.get(1);
        pHash->set(m_lTokens.get(0), sValue);
    }
    return pHash;
}

} // namespace RIR
