// decodePicture: the bytes of a picture resource as a new SDL surface.
//
// PNG pictures (recognised by their signature) are read with libpng (app/pngreader.h) and TGA
// pictures (which have no signature: the caller says so from the name) with the engine's own
// reader (app/tgareader.h); both refuse damaged or cut data. JPEG pictures are checked to be
// complete (app/jpegcheck.h) before SDL_image decodes them, since its decoder returns the part of
// a cut picture it had; other formats go to SDL_image as they are.
//
// Surfaces: 1-byte pixels give an 8-bit palette surface; r g b a 32 bits with alpha mask
// 0xFF000000 and red in the lowest byte; r g b 24 bits, red in the lowest byte. A single
// transparent colour becomes the surface's colour key.
#ifndef DIZIDOR_PLATFORM_SDL_PICTUREDECODER_H
#define DIZIDOR_PLATFORM_SDL_PICTUREDECODER_H

#include "app/decodedpicture.h"

#include "rir2/rirstring.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// A new surface (the caller frees it) for the picture bytes, decoded as TGA when bTga; null, with
// the reason in *psError, when the bytes are not a complete picture or SDL cannot hold it.
SDL_Surface* decodePicture(const uint8_t* pData, size_t nSize, bool bTga, RIR::String* psError);

// A new surface holding a decoded picture; null, with SDL's reason in *psError, when SDL cannot
// make it.
SDL_Surface* surfaceFromPicture(const DecodedPicture& picture, RIR::String* psError);

#endif
