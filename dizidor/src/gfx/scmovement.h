// Sprite controllers that place a sprite: along a straight path, along a vertical parabola, or
// at once (position, insertion point by alignment, z order).
//
// The path controllers have a fixed duration (a clamped timer), so finishing them lands exactly
// on their end; the one-shot controllers act at their first update and report done.
//
// Usage:
//     pSprite->addController(new SCLinearPath(Point(0, 0), Point(300, 0), 2.0f, SCLinearPath::
//                                             PATH_DURATION));  // 300 px to the right in 2 s
//     pSprite->addController(new SCSetZOrder(40));
#ifndef DIZIDOR_GFX_SCMOVEMENT_H
#define DIZIDOR_GFX_SCMOVEMENT_H

#include "gfx/point.h"
#include "gfx/spritecontroller.h"

// Moves the sprite by p x (to - from), relative to wherever it is: each update adds the change of
// the offset since the last update, so movement made by the owner or by another controller in the
// same frames adds to it. Done when the timer is.
class SCLinearPath : public SpriteController
{
public:
    enum PathType
    {
        // The value is the duration in seconds.
        PATH_DURATION = 0,
        // The value is a speed in pixels per second; speed 0 takes 100000 seconds.
        PATH_SPEED = 1
    };

    // The path (0, 0) -> delta; the sprite is not placed when attached. Raises as setPath.
    SCLinearPath(const Point& delta, float fValue, int nType);
    // The path from -> to; the sprite is placed at from when attached. Raises as setPath.
    SCLinearPath(const Point& from, const Point& to, float fValue, int nType);
    ~SCLinearPath() override;

    // Places the sprite at from in the (from, to) form; both forms start from offset (0, 0).
    void onAttach(RIR::SmartPtr<Sprite> pSprite) override;
    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

    // Stores the path and sets the clamped duration by the type. A type other than
    // PATH_DURATION and PATH_SPEED raises FatalErrorException "Unsupported eType".
    virtual void setPath(const Point& from, const Point& to, float fValue, int nType);

private:
    Point m_from;
    Point m_to;
    bool m_bPlaceAtFrom;
    Point m_lastOffset;
};

// Flies the sprite from `from` to `to` in the duration: x moves linearly, y follows the parabola
// through both points whose slope at the start is set by fControl (y = from.y + B t + A t^2 with
// B = (control - from.y) / (1/3), A = (to.y - from.y) - B). Done when the timer is.
class SCVerticalParabola : public SpriteController
{
public:
    SCVerticalParabola(const Point& from, const Point& to, float fControl, float fDuration);
    ~SCVerticalParabola() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    Point m_from;
    float m_fDx;
    float m_fB;
    float m_fA;
};

// Sets the position; done at once.
class SCSetPosition : public SpriteController
{
public:
    explicit SCSetPosition(const Point& position);
    ~SCSetPosition() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    Point m_position;
};

// Re-anchors the sprite's image by the alignment bits (Image::setInsPointByAlign), then sets the
// position; done at once. The image object itself changes, so every sprite showing it sees the
// new insertion point. A sprite without an image only gets the position.
class SCSetScreenPosition : public SpriteController
{
public:
    SCSetScreenPosition(const Point& position, int nAlignFlags);
    ~SCSetScreenPosition() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    Point m_position;
    int m_nAlignFlags;
};

// Re-anchors the sprite's image by the alignment bits; done at once. Changes the shared image
// object like SCSetScreenPosition; a sprite without an image is left alone.
class SCSetInsPoint : public SpriteController
{
public:
    explicit SCSetInsPoint(int nAlignFlags);
    ~SCSetInsPoint() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    int m_nAlignFlags;
};

// Sets the z order (the mode re-sorts the sprite); done at once.
class SCSetZOrder : public SpriteController
{
public:
    explicit SCSetZOrder(int nZOrder);
    ~SCSetZOrder() override;

    bool apply(RIR::SmartPtr<Sprite> pSprite) override;

private:
    int m_nZOrder;
};

#endif
