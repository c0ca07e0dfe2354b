// Fuzz target: the SWF header and tag reader of the Flash-control stand-in. The input is a whole
// file ("FWS", "CWS" or anything else); a refusal must carry a reason, an accepted movie must
// have a size in range and at least one frame.
#include "fuzzcheck.h"
#include "platform/flash/swfmovie.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    SwfMovie movie;
    if (parseSwf(pbData, nSize, &movie))
    {
        FUZZ_CHECK(movie.m_nWidth > 0 && movie.m_nWidth <= SwfMovie::MAX_MOVIE_SIDE);
        FUZZ_CHECK(movie.m_nHeight > 0 && movie.m_nHeight <= SwfMovie::MAX_MOVIE_SIDE);
        FUZZ_CHECK(movie.getTotalFrames() >= 1);
    }
    else
        FUZZ_CHECK(movie.m_sError.length() > 0);
    int nWidth = 0;
    int nHeight = 0;
    readSwfRectSize(pbData, nSize, &nWidth, &nHeight);
    return 0;
}
