// SDLPlatform's movie decoder: the Theora player of platform/theora/.
#include "platform/sdl/sdlplatform.h"
#include "platform/theora/sdltheoravideo.h"

#include "rir2/calltrace.h"

IVideoSpriteImpl* SDLPlatform::createVideoSpriteImpl()
{
    RIR_TRACE("SDLPlatform::createVideoSpriteImpl");
    return new SDLTheoraVideo();
}
