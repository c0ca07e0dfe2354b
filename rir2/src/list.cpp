#include "rir2/list.h"

namespace RIR
{

void throwListIndexError(const char* pszFile, int nLine, int nIndex, int nCount)
{
    const String sMessage =
        String::format("List index out of range : %d (have %d)", nIndex, nCount);
    throw FatalErrorException(pszFile, nLine, sMessage.c_str());
}

} // namespace RIR
