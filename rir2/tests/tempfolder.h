// A fresh folder under the system's temporary folder for one test, removed with everything in it
// when the test ends.
#ifndef RIR2_TESTS_TEMPFOLDER_H
#define RIR2_TESTS_TEMPFOLDER_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        const char* pszBase = std::getenv("TMPDIR");
        std::string sTemplate =
            std::string(pszBase && *pszBase ? pszBase : "/tmp") + "/rir2-XXXXXX";
        if (!mkdtemp(&sTemplate[0]))
            throw std::runtime_error("mkdtemp failed");
        m_sPath = sTemplate;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_sPath, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_sPath; }
    // The path of sName inside the folder.
    std::string at(const std::string& sName) const { return m_sPath + "/" + sName; }

    // Creates (or replaces) the file sName with the given bytes; returns its path.
    std::string writeFile(const std::string& sName, const std::string& sBytes) const
    {
        const std::string sPath = at(sName);
        std::ofstream out(sPath, std::ios::binary | std::ios::trunc);
        out.write(sBytes.data(), (std::streamsize)sBytes.size());
        return sPath;
    }
    // Creates the folder sName (and its parents); returns its path.
    std::string makeFolder(const std::string& sName) const
    {
        const std::string sPath = at(sName);
        std::filesystem::create_directories(sPath);
        return sPath;
    }
    // The bytes of the file at sPath ("" when it cannot be read).
    static std::string readFile(const std::string& sPath)
    {
        std::ifstream in(sPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_sPath;
};

#endif
