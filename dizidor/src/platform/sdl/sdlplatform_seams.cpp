// Stand-ins for what SDLPlatform calls on services that are not built yet.
//
// Each function keeps a call site of the platform in its final place while the class it needs
// (the Theora movie decoder) does not exist. Each says what it stands in for; the
// issue that builds the service replaces the body by the real call, and this file shrinks until
// it is gone.
#include "platform/sdl/sdlplatform.h"

#include "rir2/calltrace.h"

// Stands in for "new SDLTheoraVideo()": no movie decoder yet.
IVideoSpriteImpl* SDLPlatform::createVideoSpriteImpl()
{
    RIR_TRACE("SDLPlatform::createVideoSpriteImpl");
    return nullptr;
}
