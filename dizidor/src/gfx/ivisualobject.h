// IVisualObject: something that can be placed on the screen.
//
// Sprites and the layout tables share this interface, so that layout code can size, move, stack,
// show and clip either without knowing which it holds. Positions are floats in screen pixels; the
// int forms truncate toward zero. Reference-counted: held through RIR::SmartPtr like every shared
// object of the visual layer.
//
// The order of the virtual operations below is part of the interface: implementers add their own
// operations after them.
#ifndef DIZIDOR_GFX_IVISUALOBJECT_H
#define DIZIDOR_GFX_IVISUALOBJECT_H

#include "gfx/point.h"
#include "gfx/rect.h"
#include "rir2/refcount.h"

class IVisualObject : public RIR::RefCountedObject
{
public:
    ~IVisualObject() override;

    // The size as a Point (width, height).
    virtual Point getSizePoint() = 0;
    // The size; either pointer may be null.
    virtual void getSize(int* pnWidth, int* pnHeight) = 0;
    // Asks for a size; an implementer whose size follows its contents may ignore it.
    virtual void setSizePoint(const Point& size) = 0;
    virtual void setSize(int nWidth, int nHeight) = 0;
    // The width and height through getSize.
    virtual int getWidth();
    virtual int getHeight();

    virtual Point getPosPoint() = 0;
    // Either pointer may be null.
    virtual void getPosFloat(float* pfX, float* pfY) = 0;
    // The position truncated toward zero; either pointer may be null.
    virtual void getPos(int* pnX, int* pnY) = 0;
    virtual void setPosPoint(const Point& pos) = 0;
    virtual void setPosFloat(float fX, float fY) = 0;
    virtual void setPos(int nX, int nY) = 0;

    // Larger values are drawn above smaller ones.
    virtual int getZOrder() = 0;
    virtual void setZOrder(int nZOrder) = 0;

    virtual bool isVisible() = 0;
    virtual void setVisible(bool bVisible) = 0;

    // Limits what is drawn to a rectangle in screen coordinates, until clearClipRect.
    virtual void setClipRect(const Rect& clip) = 0;
    virtual void clearClipRect() = 0;
};

#endif
