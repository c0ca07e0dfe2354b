#include "world/kit/logcapture.h"

#include "app/log.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

LogCapture::LogCapture()
{
    std::string sTemplate = (std::filesystem::temp_directory_path() / "dbdworldlog.XXXXXX").string();
    char* pszFolder = mkdtemp(&sTemplate[0]);
    m_sFolder = pszFolder ? pszFolder : ".";
    m_sPath = m_sFolder + "/world.log";
    openLog(m_sPath.c_str());
}

LogCapture::~LogCapture()
{
    closeLog();
    std::error_code ec;
    std::filesystem::remove_all(m_sFolder, ec);
}

std::string LogCapture::text() const
{
    std::ifstream in(m_sPath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void LogCapture::clear()
{
    std::remove(m_sPath.c_str());
}
