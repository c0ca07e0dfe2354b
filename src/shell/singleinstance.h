// The single-instance rule: one running game per user and window class.
//
// The first instance holds an advisory lock (flock) on a lock file named after its window class
// in the per-user folder, and writes its process id into it. A second start finds the lock held,
// asks the first instance to come to the front (SIGUSR1 to the id in the file) and gives up. The
// first instance notices the request through takeRaiseRequest, once per frame. The lock goes with
// the process, so a crashed game never blocks the next start.
//
// Usage (in main, before the log is opened: the second instance writes nothing to the log):
//     SingleInstance instance;
//     if (!instance.acquire(getDataFolder("Quillmoor/DustbowlDolly"), "Quillmoor::dbd"))
//         return 1;   // the other one was asked to show itself
#ifndef DBD_SHELL_SINGLEINSTANCE_H
#define DBD_SHELL_SINGLEINSTANCE_H

#include "rir2/rirstring.h"

class SingleInstance
{
public:
    SingleInstance();
    // Releases the lock.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the one instance of the class; false when another holds it
    // (it was sent the request to come to the front). A lock file that cannot be made at all
    // lets the game start (true): a read-only folder must not keep the player out.
    bool acquire(const RIR::String& sFolder, const char* pszClassName);
    void release();

    // The lock file of a class in a folder: the class name with every character outside
    // [A-Za-z0-9._-] replaced by "_", then ".lock".
    static RIR::String lockFilePath(const RIR::String& sFolder, const char* pszClassName);
    // Whether a second start asked this instance to come to the front since the last call.
    static bool takeRaiseRequest();

private:
    int m_nFd;
};

#endif
