// IVideoHost and IDrawnMode: the application as the SDL video drivers see it.
//
// A video driver needs a few things of the running application: the command-line words (a
// "--hidden" run makes a frameless window that is never moved), the frame counter that stamps
// pixel changes and texture builds, the pointer position for the software cursor, and the screen
// modes to draw with their sprites in drawing order. The driver asks a host for them rather than
// a global, so that mode choice and drawing can be driven and checked without a whole
// application: GameAppVideoHost forwards to a GameApp and its GameModes, tests put fakes in
// their place. The game's
// start-up hands one to its driver, which owns it:
//
//     pVideo->setHost(new GameAppVideoHost(this));
//
// The draw walk (SDL3DVideoDriverBase::renderFrame): from getFirstDrawnModeIndex down to 0 (the
// top mode, drawn last), getDrawnMode(index); a mode that is active and visible is drawn, after
// a clear to black when its flags ask for it (0x20), layer by layer of getSpriteLayers in list
// order, each layer from its first sprite to its last.
//
// All calls come from the main thread.
#ifndef DIZIDOR_PLATFORM_SDL_VIDEOHOST_H
#define DIZIDOR_PLATFORM_SDL_VIDEOHOST_H

#include "gfx/sprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

// One screen mode as the renderer sees it.
class IDrawnMode
{
public:
    enum
    {
        // The flag bit that asks for a black screen before the mode is drawn.
        CLEAR_SCREEN_FLAG = 0x20
    };

    virtual ~IDrawnMode() {}

    virtual bool isActive() = 0;
    virtual bool isVisible() = 0;
    // The mode's flag word.
    virtual int getFlags() = 0;
    // The layers in drawing order (ascending z), each layer's sprites in drawing order.
    virtual SpriteLayerList& getSpriteLayers() = 0;
};

class IVideoHost
{
public:
    virtual ~IVideoHost();

    // A copy of the command-line words.
    virtual RIR::List<RIR::String> getArguments() = 0;
    // The application's frame counter: pixel changes and texture builds are stamped with it.
    virtual int getFrameCount() = 0;
    // The logical pointer position; either pointer may be null.
    virtual void getMousePosition(int* pnX, int* pnY) = 0;
    // The stack index (0 = top) of the lowest mode to draw; -1 when there is none.
    virtual int getFirstDrawnModeIndex() = 0;
    // The mode at that stack index (0 .. getFirstDrawnModeIndex()).
    virtual IDrawnMode* getDrawnMode(int nIndex) = 0;
};

#endif
