// SDLTTFData: one opened TrueType face and what SDL_ttf needs kept alive while it is open.
//
// The face reads its bytes through a memory reader over a resource, so the data object holds
// all three: the face, the reader and the resource. It is shared by every font made from the same
// face (the factory's cached font and all its clones) and closes the face before the bytes go.
//
// SDL_ttf's own start and stop follow the live data objects: the first one made while SDL_ttf
// is not running calls TTF_Init, the last one destroyed calls TTF_Quit. getUseCount tells how
// many live; a shutdown of SDL_ttf from elsewhere or an unbalanced count is reported as a failed
// assertion (raised when making a data object, logged when destroying one).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLTTFDATA_H
#define DIZIDOR_PLATFORM_SDL_SDLTTFDATA_H

#include "rir2/refcount.h"
#include "rir2/resource.h"

#include <SDL_ttf.h>

class SDLTTFData : public RIR::RefCountedObject
{
public:
    // Starts SDL_ttf when it is not running (AssertFailException
    // "Assertion failed : s_nTTFUseCount == 0" when data objects live although it is not;
    // FatalErrorException "TTF_Init failed : ..." when it cannot start), then counts itself.
    // Holds no face yet.
    SDLTTFData();
    // Closes the face, frees the reader, uncounts itself (TTF_Quit at 0), releases the resource.
    ~SDLTTFData() override;

    SDLTTFData(const SDLTTFData&) = delete;
    SDLTTFData& operator=(const SDLTTFData&) = delete;

    // The number of live data objects.
    static int getUseCount();

    TTF_Font* m_pFont;
    SDL_RWops* m_pRWOps;
    RIR::SmartPtr<RIR::Resource> m_pResource;
};

#endif
