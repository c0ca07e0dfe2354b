// isCompleteJpeg: whether JPEG bytes run through their whole structure to the end-of-image mark.
//
// A JPEG decoder given data that ends early pretends the picture ended there and returns the part
// it had, so pictures are checked before decoding: the segments from the start-of-image mark on
// must each fit in the data, and the coded data after every start-of-scan segment must run on to
// a further mark, until the end-of-image mark. Bytes after that mark are not looked at.
#ifndef DIZIDOR_APP_JPEGCHECK_H
#define DIZIDOR_APP_JPEGCHECK_H

#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>

// The start-of-image mark every JPEG file starts with (FF D8 FF).
bool hasJpegSignature(const uint8_t* pData, size_t nSize);

// True for bytes that form a JPEG file up to its end-of-image mark; false, with the reason in
// *psError when given, otherwise.
bool isCompleteJpeg(const uint8_t* pData, size_t nSize, RIR::String* psError);

#endif
