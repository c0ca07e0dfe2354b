#include "gfx/imagesidefiles.h"

#include "gfx/image.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/tokenfilereader.h"

#include <cstdlib>

int32_t readSideFileInt(const char* pszText)
{
    RIR_TRACE("readSideFileInt");
    if (!pszText)
        return 0;
    // strtoll saturates instead of overflowing; the result is then held to 32 bits.
    long long nValue = std::strtoll(pszText, nullptr, 10);
    if (nValue > INT32_MAX)
        return INT32_MAX;
    if (nValue < INT32_MIN)
        return INT32_MIN;
    return (int32_t)nValue;
}

SubImageDef readSubImageDef(const char* pszText)
{
    RIR_TRACE("readSubImageDef");
    RIR::List<RIR::String> lToks = RIR::String(pszText).split(" ");
    SubImageDef def;
    RIR_TRACE_LINE();
    def.m_sParent = lToks.get(0);
    def.m_nX = readSideFileInt(lToks.get(1).c_str());
    def.m_nY = readSideFileInt(lToks.get(2).c_str());
    def.m_nW = readSideFileInt(lToks.get(3).c_str());
    def.m_nH = readSideFileInt(lToks.get(4).c_str());
    return def;
}

void readCanvasSpec(const char* pszText, const char* pszResourceName, Image* pImage)
{
    RIR_TRACE("readCanvasSpec");
    RIR_ASSERT(pImage);
    RIR::TokenFileReader reader(pszText ? pszText : "");
    while (!reader.isEmpty())
    {
        reader.nextLine();
        const RIR::List<RIR::String>& lToks = reader.getTokens();
        RIR::String sCommand = lToks.get(0);
        if (sCommand != "vcanvas")
        {
            RIR::String sMessage =
                RIR::String::format("Unknown token %s at %s, line %d", sCommand.c_str(),
                                    pszResourceName ? pszResourceName : "", reader.getLineNumber());
            RIR_THROW(FatalErrorException, sMessage.c_str());
        }
        RIR_ASSERT(lToks.getLength() == 5);
        const int32_t nWidth = readSideFileInt(lToks.get(1).c_str());
        const int32_t nHeight = readSideFileInt(lToks.get(2).c_str());
        const int32_t nX = readSideFileInt(lToks.get(3).c_str());
        const int32_t nY = readSideFileInt(lToks.get(4).c_str());
        pImage->setVirtualCanvas(nX, nY, nWidth, nHeight);
    }
}
