#include "programfolder.h"

#include <climits>
#include <unistd.h>
#include <vector>

namespace demokit
{

std::string programFolder()
{
    std::vector<char> acPath(PATH_MAX + 1, '\0');
    const ssize_t nLength = readlink("/proc/self/exe", acPath.data(), PATH_MAX);
    if (nLength <= 0)
        return "./";
    const std::string sPath(acPath.data(), (size_t)nLength);
    const size_t nSlash = sPath.rfind('/');
    return nSlash == std::string::npos ? "./" : sPath.substr(0, nSlash + 1);
}

std::string gameFolder(const std::string& sGiven)
{
    if (sGiven.empty())
        return programFolder() + "../../game/";
    if (sGiven.back() != '/')
        return sGiven + '/';
    return sGiven;
}

} // namespace demokit
