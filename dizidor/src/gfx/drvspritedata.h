// DrvSpriteData: per-sprite state of the video driver.
//
// The video driver keeps what it derives from a sprite between frames (for example the vertices
// of a polygon sprite) in an object of a class of its own derived from this one, creates it the
// first time it draws the sprite and hands it over with Sprite::setDriverData. The sprite owns
// it from then on and deletes it with itself. The base is empty.
#ifndef DIZIDOR_GFX_DRVSPRITEDATA_H
#define DIZIDOR_GFX_DRVSPRITEDATA_H

class DrvSpriteData
{
public:
    virtual ~DrvSpriteData();
};

#endif
