// The link-text encoder: binary data as text that travels inside a URL query unescaped.
//
// The bit layout is that of Base64, with an alphabet of our own (letters of both cases, the ten
// digits, "_" and "-"), so an encoded text holds neither "+", "/" nor "=". There is no padding
// character: a tail of one or two bytes is filled with zero bits and still makes a full group of
// four characters. Decoding therefore gives back the input followed by one or two zero bytes
// when its length was not a multiple of three; the length has to travel separately.
//
// Used for the compressed high-score upload and the compressed log of the log report.
#ifndef DIZIDOR_APP_LINKENCODER_H
#define DIZIDOR_APP_LINKENCODER_H

#include "rir2/rirstring.h"

namespace RIR
{
class MemStream;
}

// The 64 characters of the encoding, digit values 0 to 63 in this order.
extern const char* const LINK_TEXT_ALPHABET;

// The encoded text of nLength bytes at pData: 4 * ceil(nLength / 3) characters; the empty text
// for a length of 0 or less. Raises BadParmException when the text would be too long for a
// RIR::String (more than about 1.6 GB of input).
RIR::String encode64(const unsigned char* pData, int nLength);

// A new owned MemStream (the caller deletes it) holding three bytes for every started group of
// four characters of pszText, positioned after the last byte. A character outside the alphabet
// counts as all bits set; characters missing from a last, short group count as 0. A null text
// counts as the empty one and gives an empty stream.
RIR::MemStream* decode64(const char* pszText);

#endif
