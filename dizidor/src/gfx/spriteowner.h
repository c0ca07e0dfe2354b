// SpriteOwner: what a sprite asks of the screen mode that shows it.
//
// A sprite keeps a plain pointer to its owning mode and calls back into it when a change of its
// own touches the mode's containers: a new z order must move it to another layer, a first
// controller must enter it into the per-frame update list, and its tooltip record lives in the
// mode. The mode implements this interface; the sprite knows nothing else of it. Controllers use
// removeObject to take a finished sprite off its mode.
//
// All operations take the sprite by handle and are called on the main thread only.
#ifndef DIZIDOR_GFX_SPRITEOWNER_H
#define DIZIDOR_GFX_SPRITEOWNER_H

#include "gfx/rect.h"
#include "rir2/list.h"
#include "rir2/refcount.h"

class Sprite;
class Tooltip;

// A tooltip record of a mode, as the sprite that owns it keeps it: the record's entry in the
// mode's tooltip list. Opaque to the sprite; null means no tooltip.
typedef RIR::List<Tooltip*>::Node* TooltipHandle;

class SpriteOwner
{
public:
    virtual ~SpriteOwner();

    // The sprite's z order changed: move it to the layer of its new z order in every layered
    // list of the mode that holds it.
    virtual void reorderObject(RIR::SmartPtr<Sprite> pSprite) = 0;
    // Enters the sprite into the per-frame update list (it has just received a controller and is
    // not in the list yet); returns the sprite.
    virtual RIR::SmartPtr<Sprite> addUpdatable(RIR::SmartPtr<Sprite> pSprite) = 0;
    // Takes the sprite out of every list of the mode and calls its Sprite::removeFromMode; null
    // does nothing.
    virtual void removeObject(RIR::SmartPtr<Sprite> pSprite) = 0;

    // A new tooltip record over the screen area with the text; returns its handle.
    virtual TooltipHandle addTooltip(const Rect& area, const char* pszText) = 0;
    // Removes and deletes the record; the handle is invalid afterwards.
    virtual void removeTooltip(TooltipHandle hTooltip) = 0;
    virtual void setTooltipText(TooltipHandle hTooltip, const char* pszText) = 0;
    virtual void setTooltipRect(TooltipHandle hTooltip, const Rect& area) = 0;
    // A disabled tooltip is never shown.
    virtual void setTooltipEnabled(TooltipHandle hTooltip, bool bEnabled) = 0;
};

#endif
