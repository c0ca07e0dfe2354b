// Checks a zlib stream independently of the library's readers, with zlib's one-shot decoder.
#ifndef FUZZ_ZLIBCHECK_H
#define FUZZ_ZLIBCHECK_H

#include <cstddef>
#include <cstdint>
#include <vector>
#include <zlib.h>

// True when the nSize bytes at pData are exactly one complete zlib stream whose check holds (no
// byte left over); its content is then in abOut. Content beyond 64 MB counts as not whole.
inline bool fuzzInflateWhole(const uint8_t* pData, size_t nSize, std::vector<uint8_t>& abOut)
{
    size_t nRoom = 256 + 4 * nSize;
    for (;;)
    {
        abOut.resize(nRoom);
        uLongf nOut = (uLongf)nRoom;
        uLong nIn = (uLong)nSize;
        const int nErr = uncompress2(abOut.data(), &nOut, pData, &nIn);
        // uncompress2 says Z_BUF_ERROR only when the output was too small.
        if (nErr == Z_BUF_ERROR && nRoom < ((size_t)1 << 26))
        {
            nRoom *= 4;
            continue;
        }
        abOut.resize(nErr == Z_OK ? (size_t)nOut : 0);
        return nErr == Z_OK && nIn == (uLong)nSize;
    }
}

#endif
