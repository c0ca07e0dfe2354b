// The shared parchment panel of the menu's screens ("ui_tabla"): its own top-left pixel is its
// see-through colour, which every user must set, since a picture loaded again after the image
// cache was off or purged comes without it.
#ifndef DBD_SHELL_PANELIMAGE_H
#define DBD_SHELL_PANELIMAGE_H

#include "gfx/image.h"

#include "rir2/refcount.h"

class GameApp;

// The panel's picture with its colour key set (a keyed picture is returned as it is).
RIR::SmartPtr<Image> getPanelImage(GameApp* pApp);

#endif
