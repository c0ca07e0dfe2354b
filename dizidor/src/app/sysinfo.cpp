#include "app/sysinfo.h"

#include "rir2/calltrace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace
{

// Field selector for the effective user's account entry.
enum AccountField
{
    AF_NAME,
    AF_HOME
};

// One field of the effective user's account entry; "" when there is no entry.
RIR::String getAccountField(AccountField nField)
{
    RIR_TRACE("getAccountField");
    long nSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> aBuffer(nSize > 0 ? (size_t)nSize : 1024);
    for (;;)
    {
        struct passwd entry;
        struct passwd* pResult = nullptr;
        const int nError = getpwuid_r(geteuid(), &entry, aBuffer.data(), aBuffer.size(), &pResult);
        if (nError == ERANGE && aBuffer.size() < (1u << 20))
        {
            aBuffer.resize(aBuffer.size() * 2);
            continue;
        }
        if (nError != 0 || !pResult)
            return "";
        const char* pszValue = nField == AF_NAME ? pResult->pw_name : pResult->pw_dir;
        return pszValue ? pszValue : "";
    }
}

// Bytes shifted down to MiB, clamped to int.
int toMB(unsigned long long nBytes)
{
    const unsigned long long nMB = nBytes >> 20;
    return nMB > (unsigned long long)INT_MAX ? INT_MAX : (int)nMB;
}

// The kernel's estimate of memory available to new work, in bytes; false when not offered.
bool readAvailableBytes(unsigned long long* pnBytes)
{
    RIR_TRACE("readAvailableBytes");
    FILE* pFile = std::fopen("/proc/meminfo", "r");
    if (!pFile)
        return false;
    char szLine[256];
    bool bFound = false;
    while (!bFound && std::fgets(szLine, sizeof szLine, pFile))
    {
        unsigned long long nKB = 0;
        if (std::sscanf(szLine, "MemAvailable: %llu kB", &nKB) == 1)
        {
            *pnBytes = nKB << 10;
            bFound = true;
        }
    }
    std::fclose(pFile);
    return bFound;
}

} // namespace

RIR::String getUserName()
{
    RIR_TRACE("getUserName");
    RIR::String sName = getAccountField(AF_NAME);
    if (sName.length() > 0)
        return sName;
    const char* pszUser = std::getenv("USER");
    return pszUser ? pszUser : "";
}

RIR::String getHomeFolder()
{
    RIR_TRACE("getHomeFolder");
    const char* pszHome = std::getenv("HOME");
    if (pszHome && pszHome[0])
        return pszHome;
    return getAccountField(AF_HOME);
}

RIR::String getOSVersionText()
{
    RIR_TRACE("getOSVersionText");
    struct utsname info;
    if (uname(&info) != 0)
        return "Linux Unknown";
    int nMajor = 0;
    int nMinor = 0;
    if (std::sscanf(info.release, "%d.%d", &nMajor, &nMinor) != 2)
        return RIR::String(info.sysname) + " Unknown";
    return RIR::String::format("%s %d.%d [%s]", info.sysname, nMajor, nMinor, info.release);
}

void getMemoryStatus(int* pnAvailableMB, int* pnTotalMB)
{
    RIR_TRACE("getMemoryStatus");
    int nAvailable = 0;
    int nTotal = 0;
    struct sysinfo info;
    if (sysinfo(&info) == 0)
    {
        const unsigned long long nUnit = info.mem_unit ? info.mem_unit : 1;
        nTotal = toMB((unsigned long long)info.totalram * nUnit);
        unsigned long long nAvailBytes = 0;
        if (!readAvailableBytes(&nAvailBytes))
            nAvailBytes = ((unsigned long long)info.freeram + info.bufferram) * nUnit;
        nAvailable = toMB(nAvailBytes);
    }
    if (pnAvailableMB)
        *pnAvailableMB = nAvailable;
    if (pnTotalMB)
        *pnTotalMB = nTotal;
}
