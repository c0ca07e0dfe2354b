#include "app/weblinks.h"

#include "app/log.h"
#include "app/registry.h"

#include "rir2/calltrace.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// The product's web page. The domain is a placeholder until the real address is known.
RIR::String g_sHomeLink = "https://www.quillmoor.example/dustbowldolly/";
RIR::String g_sVisitLink = "https://www.quillmoor.example/dustbowldolly/";

namespace
{

const char* const OPENER_PROGRAM = "xdg-open";

// Bytes of the buffers that receive registry and environment links, terminator included.
const int LINK_BUFFER_SIZE = 1024;

URLOpener g_pfnOpener = nullptr;

// Openers started and not yet collected.
std::vector<pid_t>& pendingOpeners()
{
    static std::vector<pid_t>* s_pPids = new std::vector<pid_t>();
    return *s_pPids;
}

// Collects the openers that have finished, so none stays behind as a zombie.
void collectOpeners()
{
    RIR_TRACE("collectOpeners");
    std::vector<pid_t>& aPids = pendingOpeners();
    for (size_t i = 0; i < aPids.size();)
    {
        const pid_t nDone = waitpid(aPids[i], nullptr, WNOHANG);
        if (nDone == aPids[i] || nDone < 0)
            aPids.erase(aPids.begin() + (long)i);
        else
            ++i;
    }
}

bool isLogSwitchOn()
{
    const char* pszSwitch = std::getenv(OPENURL_LOG_VARIABLE);
    return pszSwitch && pszSwitch[0] && std::strcmp(pszSwitch, "0") != 0;
}

// Starts the opener program with pszUrl as its only argument.
void spawnOpener(const char* pszUrl)
{
    RIR_TRACE("spawnOpener");
    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0)
        return;
    // A group of its own, so that a Ctrl+C meant for the game does not reach the browser; no
    // signal of ours blocked or caught in the child.
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                        POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setsigmask(&attr, &noSignals);
    posix_spawnattr_setsigdefault(&attr, &allSignals);

    std::string sProgram = OPENER_PROGRAM;
    std::string sArgument = pszUrl;
    char* apszArgs[] = {&sProgram[0], &sArgument[0], nullptr};
    pid_t nPid = 0;
    RIR_TRACE_LINE();
    if (posix_spawnp(&nPid, OPENER_PROGRAM, nullptr, &attr, apszArgs, environ) == 0)
        pendingOpeners().push_back(nPid);
    posix_spawnattr_destroy(&attr);
}

bool startsWith(const RIR::String& sText, const char* pszPrefix)
{
    return std::strncmp(sText.c_str(), pszPrefix, std::strlen(pszPrefix)) == 0;
}

// The common walk of openHomeLink and openVisitLink; cTag names the link in the log.
void openLink(const RIR::String& sDefinition, char cTag, const char* pszExtra)
{
    RIR_TRACE("openLink");
    logPrintf("U: >o%cU\n", cTag);
    RIR::String sUrl = sDefinition;
    if (startsWith(sUrl, "KEY::"))
        sUrl = readRegistryLink(sUrl.c_str());
    else if (startsWith(sUrl, "ENV::"))
        sUrl = readEnvLink(sUrl.c_str());
    if (pszExtra && pszExtra[0])
        sUrl = appendQuerySeparator(sUrl.c_str()) + pszExtra;
    sUrl = fixQuerySeparators(sUrl);
    RIR_TRACE_LINE();
    openURL(sUrl.c_str());
    logPrintf("U: <o%cU\n", cTag);
}

} // namespace

void openURL(const char* pszText)
{
    RIR_TRACE("openURL");
    const char* pszUrl = pszText ? pszText : "";
    if (g_pfnOpener)
    {
        g_pfnOpener(pszUrl);
        return;
    }
    if (isLogSwitchOn())
    {
        logPrintf("U: openURL [%s]\n", pszUrl);
        return;
    }
    collectOpeners();
    if (pszUrl[0])
        spawnOpener(pszUrl);
}

void setURLOpener(URLOpener pfnOpener)
{
    RIR_TRACE("setURLOpener");
    g_pfnOpener = pfnOpener;
}

RIR::String appendQuerySeparator(const char* pszUrl)
{
    RIR_TRACE("appendQuerySeparator");
    RIR::String sUrl = pszUrl;
    sUrl += sUrl.findChar('?') >= 0 ? "&" : "?";
    return sUrl;
}

RIR::String fixQuerySeparators(const RIR::String& sUrl)
{
    RIR_TRACE("fixQuerySeparators");
    RIR::String sFixed = sUrl;
    const int nFirst = sFixed.findChar('?');
    if (nFirst < 0)
        return sFixed;
    for (char* p = sFixed.at(nFirst + 1); *p; ++p)
    {
        if (*p == '?')
            *p = '&';
    }
    return sFixed;
}

RIR::String readRegistryLink(const char* pszDefinition)
{
    RIR_TRACE("readRegistryLink");
    const RIR::String sRest = RIR::String(pszDefinition).from(5);
    const int nSlash = sRest.rfindChar('\\');
    const RIR::String sKey = nSlash > 0 ? sRest.left(nSlash) : RIR::String();
    const RIR::String sName = sRest.from(nSlash + 1);
    // Cleared first and read one byte short, so the text always ends inside the buffer even
    // when nothing or a full buffer is read.
    char szBuffer[LINK_BUFFER_SIZE];
    std::memset(szBuffer, 0, sizeof szBuffer);
    RIR_TRACE_LINE();
    readRegistryValue(HKEY_CURRENT_USER, sKey.c_str(), sName.c_str(), szBuffer,
                      LINK_BUFFER_SIZE - 1);
    szBuffer[LINK_BUFFER_SIZE - 1] = 0;
    return szBuffer;
}

RIR::String readEnvLink(const char* pszDefinition)
{
    RIR_TRACE("readEnvLink");
    const RIR::String sName = RIR::String(pszDefinition).from(5);
    const char* pszValue = std::getenv(sName.c_str());
    if (!pszValue || std::strlen(pszValue) >= (size_t)LINK_BUFFER_SIZE)
        return "";
    return pszValue;
}

void openHomeLink(const char* pszExtra)
{
    RIR_TRACE("openHomeLink");
    openLink(g_sHomeLink, 'H', pszExtra);
}

void openVisitLink(const char* pszExtra)
{
    RIR_TRACE("openVisitLink");
    openLink(g_sVisitLink, 'V', pszExtra);
}
