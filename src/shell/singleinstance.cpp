#include "shell/singleinstance.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace
{

volatile sig_atomic_t s_bRaiseRequested = 0;

void onRaiseSignal(int)
{
    s_bRaiseRequested = 1;
}

void installRaiseHandler()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof(action));
    action.sa_handler = &onRaiseSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
}

// The process id written in the lock file; 0 when there is none.
pid_t readOwner(int nFd)
{
    char acText[32] = {0};
    const ssize_t nRead = pread(nFd, acText, sizeof(acText) - 1, 0);
    if (nRead <= 0)
        return 0;
    const long nPid = std::strtol(acText, nullptr, 10);
    return nPid > 0 ? (pid_t)nPid : 0;
}

} // namespace

SingleInstance::SingleInstance() : m_nFd(-1)
{
}

SingleInstance::~SingleInstance()
{
    release();
}

RIR::String SingleInstance::lockFilePath(const RIR::String& sFolder, const char* pszClassName)
{
    RIR::String sName;
    for (const char* p = pszClassName ? pszClassName : ""; *p; ++p)
    {
        const char c = *p;
        const bool bPlain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        const char acOne[2] = {bPlain ? c : '_', 0};
        sName += acOne;
    }
    return sFolder + sName + ".lock";
}

bool SingleInstance::acquire(const RIR::String& sFolder, const char* pszClassName)
{
    release();
    const RIR::String sPath = lockFilePath(sFolder, pszClassName);
    const int nFd = open(sPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (nFd < 0)
        return true;
    if (flock(nFd, LOCK_EX | LOCK_NB) != 0)
    {
        const pid_t nOwner = errno == EWOULDBLOCK ? readOwner(nFd) : 0;
        close(nFd);
        if (nOwner > 0 && nOwner != getpid())
            kill(nOwner, SIGUSR1);
        return false;
    }
    installRaiseHandler();
    char acPid[32];
    const int nLength = std::snprintf(acPid, sizeof(acPid), "%ld\n", (long)getpid());
    if (ftruncate(nFd, 0) == 0 && pwrite(nFd, acPid, (size_t)nLength, 0) != nLength)
    {
        // Without its id the lock still holds; a second start just cannot raise this one.
    }
    m_nFd = nFd;
    return true;
}

void SingleInstance::release()
{
    if (m_nFd >= 0)
    {
        close(m_nFd);
        m_nFd = -1;
    }
}

bool SingleInstance::takeRaiseRequest()
{
    if (!s_bRaiseRequested)
        return false;
    s_bRaiseRequested = 0;
    return true;
}
