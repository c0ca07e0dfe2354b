// createRenderDisplay: the one place that picks the display of the device layer.
//
// The environment variable DBD_RENDERER decides when set: "null" gives the NullRenderDisplay,
// "gl" the GLRenderDisplay. Otherwise the SDL video driver in use does (SDL_VIDEODRIVER when SDL
// video does not run yet): SDL's "dummy" driver has no OpenGL and gets the null display, every
// other driver the OpenGL one.
#ifndef DIZIDOR_PLATFORM_GL_RENDERDISPLAYFACTORY_H
#define DIZIDOR_PLATFORM_GL_RENDERDISPLAYFACTORY_H

#include "platform/gl/renderdisplay.h"

// A new display, owned by the caller.
RenderDisplay* createRenderDisplay();

#endif
