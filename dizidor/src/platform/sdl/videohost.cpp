#include "platform/sdl/videohost.h"

IVideoHost::~IVideoHost() {}
