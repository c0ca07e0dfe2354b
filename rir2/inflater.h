// One-shot inflation of a whole zlib stream (RFC 1950) held in memory into a buffer of known
// size, with one zlib state kept and reset between streams, so that reading many small streams
// (the entries of a resource pack) pays zlib's set-up once.
//
// A stream is accepted only when it inflates to exactly the expected number of bytes, ends
// there and its check holds; anything else (cut short, damaged, ending early, running on) is
// refused with the reason in words, the same words ZStream uses.
//
// Failure contract: construction raises FatalErrorException "zlib init filed : %d" when zlib
// cannot be initialised; inflateExact never raises.
//
// Usage:
//     Inflater inflater;
//     if (!inflater.inflateExact(pPacked, nPacked, pOut, nSize))
//         report(inflater.getReason());
#ifndef RIR2_INFLATER_H
#define RIR2_INFLATER_H

#include "rir2/rirstring.h"

#include <zlib.h>

namespace RIR
{

class Inflater
{
public:
    Inflater();
    ~Inflater();

    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Inflates the zlib stream at the start of the nIn bytes at pIn into the nOut bytes at pOut.
    // True when it delivered exactly nOut bytes and ended there with its check held; bytes after
    // the stream's end are left alone (getConsumed tells where it ended). False otherwise, with
    // the reason in getReason; pOut then holds whatever came out.
    bool inflateExact(const void* pIn, int nIn, void* pOut, int nOut);
    // The reason of the last refusal ("" after a success).
    const String& getReason() const { return m_sReason; }
    // The compressed bytes the last call consumed.
    int getConsumed() const { return (int)m_zStream.total_in; }

private:
    // After the output is full: true when only the stream's end follows, else false with the
    // reason set.
    bool checkEnd(int nOut);
    // Sets the reason for the zlib result nErr.
    void setDamaged(int nErr);

    z_stream m_zStream;
    String m_sReason;
};

} // namespace RIR

#endif
