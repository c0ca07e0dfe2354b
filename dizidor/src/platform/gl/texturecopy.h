// Copying SDL pixels into a RenderTexture.
//
// The rectangle `area` of an SDL surface goes to the top-left corner of the texture, converted to
// the texture's format by SDL's blitter; the rest of the texture stays as it is (zero in a new
// texture). Alpha is copied, never blended: the source's SDL_SRCALPHA is switched off for the
// copy and restored after it. A source without an alpha channel gives opaque texels.
//
// A colour-keyed source (SDL_SRCCOLORKEY) keeps its key through the copy: its key pixels become
// transparent black (0) in the texture, whatever the texture held there before, and the other
// pixels are copied as usual. The key needs a texture with alpha to show as transparent; in one
// without alpha the key pixels come out black.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_TEXTURECOPY_H
#define DIZIDOR_PLATFORM_GL_TEXTURECOPY_H

#include "gfx/rect.h"
#include "platform/gl/renderresult.h"
#include "platform/gl/rendertexture.h"

struct SDL_Surface;

// Copies into a locked texture's memory. RENDER_ERR_BAD_ARGUMENT for a null source or lock, an
// empty area, an area not wholly inside the source or larger than the texture;
// RENDER_ERR_OUT_OF_MEMORY when SDL cannot wrap the texture memory.
RenderResult copySurfaceToLock(SDL_Surface* pSource, const Rect& area, const TextureLock& lock);
// Checks the arguments as above, then locks the texture, copies (copySurfaceToLock) and unlocks
// it. A failing lock answers the lock's result and copies nothing; a failing copy still unlocks.
RenderResult copySurfaceToTexture(SDL_Surface* pSource, const Rect& area, RenderTexture& texture);

#endif
