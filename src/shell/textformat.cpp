// formatText: printf-style screen texts filled without printf (see textformat.h).
#include "shell/textformat.h"

#include "rir2/calltrace.h"

RIR::String formatText(const char* pszFormat, std::initializer_list<TextArg> args)
{
    RIR_TRACE("formatText");
    RIR::String sOut;
    if (!pszFormat)
        return sOut;
    const TextArg* pNext = args.begin();
    const char* p = pszFormat;
    const char* pRun = p; // start of the text not yet copied
    while (*p)
    {
        if (*p != '%')
        {
            ++p;
            continue;
        }
        const char cKind = p[1];
        if (cKind == 's' || cKind == 'd' || cKind == 'i' || cKind == 'u' || cKind == '%')
        {
            sOut += RIR::String(pRun, (int)(p - pRun));
            if (cKind == '%')
                sOut += '%';
            else if (pNext != args.end())
                sOut += (pNext++)->getText();
            p += 2;
            pRun = p;
        }
        else
        {
            ++p;
        }
    }
    sOut += pRun;
    return sOut;
}
