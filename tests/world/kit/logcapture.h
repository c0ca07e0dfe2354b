// LogCapture: the application log written into a temporary file for one test, and read back.
//
// While it lives, logPrintf writes into a file of its own temporary folder; text() answers what
// was written since construction (or the last clear). The previous log is closed, not restored.
#ifndef DBD_TESTS_WORLD_KIT_LOGCAPTURE_H
#define DBD_TESTS_WORLD_KIT_LOGCAPTURE_H

#include <string>

class LogCapture
{
public:
    LogCapture();
    // Closes the log and removes the folder.
    ~LogCapture();

    std::string text() const;
    void clear();

private:
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string m_sFolder;
    std::string m_sPath;
};

#endif
