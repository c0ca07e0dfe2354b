// AttachedSprite: a sprite anchored to a corner, an edge or the centre of a Table's content.
//
// The table places it after every arrangement (Table::arrangeAttached): the anchor takes the
// AlignFlags bits 2 (right), 4 (horizontal centre), 0x10 (bottom), 0x20 (vertical centre); the
// sprite's z order is the table's plus the offset. An animated sprite keeps a handle of its own
// class so that its animation can be driven. A plain record owned by the table's list.
#ifndef DIZIDOR_UI_TABLEATTACHED_H
#define DIZIDOR_UI_TABLEATTACHED_H

#include "gfx/animsprite.h"
#include "gfx/sprite.h"

struct AttachedSprite
{
    AttachedSprite(RIR::SmartPtr<Sprite> pSprite, int nAnchor, int nZOffset);
    // Releases both handles.
    ~AttachedSprite();

    AttachedSprite(const AttachedSprite&) = delete;
    AttachedSprite& operator=(const AttachedSprite&) = delete;

    RIR::SmartPtr<Sprite> m_pSprite;
    RIR::SmartPtr<AnimSprite> m_pAnim; // the same object when the sprite is animated, else null
    int m_nAnchor;
    int m_nZOffset;
};

#endif
