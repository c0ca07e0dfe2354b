// SliderBase: the value slider's state, pictures, layout and dragging along either axis; HSlider
// and VSlider give it its direction.
//
// A slider sets an integer between a minimum and a maximum. Its body is a picture of its own;
// its knob, the thumb (ui/sliderthumb.h), is a separate control placed by its centre over the
// track, which runs from track start to track end pixels along the body (left to right on the
// horizontal axis, top to bottom on the vertical one); across, the thumb sits on the body's
// middle. Without a track from the theme, the track runs from 0 to the full picture's length
// along the axis. Two looks come from the theme: SS_EMPTYFULL (the empty picture, with room for
// half a thumb at each end and the full picture revealed up to the value) and SS_FRONTBACK (the
// full picture tinted with the colour a strip picture has at the value's place). The thumb is
// scaled between the theme's two scales as the value goes from minimum to maximum.
//
// Dragging: a press anywhere on the slider or its thumb starts it; a press on the thumb keeps the
// grip (the value follows the pointer's motion, the thumb does not jump), a press on the body
// moves the thumb's centre to the pointer. The thumb holds the mode's focus while the button is
// down, so that the moves and the release reach it. The value from a point is taken half a value
// step right of the pointer and rounded up by half a step more: the pointer exactly at the track
// start gives minimum + 1, left of it the minimum.
//
// Every change of the value lays the slider out and, while it is in a mode, fires its trigger
// (the mode by default). A slider whose range is empty (maximum <= minimum) keeps its value at
// the minimum; a track of no length leaves every point at the minimum: nothing divides by zero.
// When the slider leaves its mode, its thumb leaves too, and a trigger that reported to the mode
// reports to nobody.
//
// Usage:
//     RIR::SmartPtr<HSlider> pVolume = new HSlider(ID_VOLUME, 0, 255, 128);
//     pVolume->setPos(40, 200);
//     pMode->addControl(pVolume);     // the mode's onCallback(ID_VOLUME, 0) on every change
//
// Main thread only.
#ifndef DIZIDOR_UI_SLIDERBASE_H
#define DIZIDOR_UI_SLIDERBASE_H

#include "gfx/image.h"
#include "gfx/point.h"
#include "ui/control.h"
#include "ui/sliderimages.h"

class SliderThumb;

// The direction the track runs along.
enum SliderAxis
{
    SA_HORIZONTAL,
    SA_VERTICAL
};

class SliderBase : public Control
{
public:
    ~SliderBase() override;

    int getValue() const { return m_nValue; }
    // A new value (not clamped; the minimum on an empty range) lays out and, in a mode, fires.
    // The same value does nothing.
    void setValue(int nValue);
    int getMinimum() const { return m_nMin; }
    int getMaximum() const { return m_nMax; }
    // First and last pixel of the thumb centre's travel, relative to the body's edge; lays out.
    void setTrack(int nStart, int nEnd);
    int getTrackStart() const { return m_nTrackStart; }
    int getTrackEnd() const { return m_nTrackEnd; }
    int getStyle() const { return m_nStyle; }
    // SS_EMPTYFULL or SS_FRONTBACK; lays out.
    void setStyle(int nStyle);
    bool isDragging() const { return m_bDragging; }
    SliderAxis getAxis() const { return m_eAxis; }
    RIR::SmartPtr<SliderThumb> getThumb() const;

    // Starts a drag (any button): see the file comment. Handled.
    bool onMouseDown(int nButtonMask) override;
    // While dragging: the value at the point minus the grip.
    void onMouseMove(int nX, int nY) override;
    // Ends the drag; the thumb gives the focus back. Handled.
    bool onMouseUp(int nButtonMask) override;
    // The thumb follows the body.
    void onPositionChanged() override;
    // The trigger reports to the mode; the thumb joins it as a control and is placed.
    void onAddedToMode() override;
    // The thumb leaves the mode; a trigger that reported to the mode reports to nobody.
    void removeFromMode() override;

    // The value of the point (screen coordinates), clamped to the range; see the file comment.
    virtual void setValueFromPoint(const Point& point);

    // The layout: the body picture for the style and value, then the thumb.
    void refresh() override;

protected:
    // At (0, 0), z 0, enabled; no target, the id, parameter 0; not dragging. The subclass then
    // runs buildParts.
    SliderBase(SliderAxis eAxis, RIR::SmartPtr<Image> pEmpty, RIR::SmartPtr<Image> pFull,
               RIR::SmartPtr<Image> pThumb, int nId, int nMin, int nMax, int nValue);
    // The same with the pictures of the current theme (ui/sliderimages.h).
    SliderBase(SliderAxis eAxis, int nId, int nMin, int nMax, int nValue);

    // Thumb, scales, style and front picture from the theme, then the theme's track, or the full
    // picture's length along the axis; then lays out.
    virtual void buildParts();
    // The pointer's place along the track, relative to the body's edge, without half the thumb.
    virtual int trackPosFromPoint(const Point& point);
    // Puts the thumb over the value.
    virtual void placeThumb();

    // Where the value lies in the range, 0 at the minimum, 1 at the maximum; 0 on an empty range.
    float getFraction() const;
    bool hasRange() const { return m_nMax > m_nMin; }
    // The thumb's scale for the value, its z above the slider's.
    void adjustThumb();
    // The pixel along the track the value reaches (for the full picture's fill): start + the
    // value's share of the track, integer arithmetic; the start on an empty range.
    int getFill() const;
    // Saturating truncation toward zero.
    static int truncate(double fValue);
    // The picture's size along the axis, 0 for none.
    int lengthAlong(const RIR::SmartPtr<Image>& pImage) const;
    // The picture's size across the axis, 0 for none.
    int lengthAcross(const RIR::SmartPtr<Image>& pImage) const;

    SliderAxis m_eAxis;
    int m_nStyle;
    RIR::SmartPtr<Image> m_pFront;
    RIR::SmartPtr<Image> m_pFull;
    RIR::SmartPtr<Image> m_pEmpty;
    RIR::SmartPtr<Image> m_pThumbImage;
    RIR::SmartPtr<SliderThumb> m_pThumb;
    int m_nMin;
    int m_nMax;
    int m_nValue;
    int m_nTrackStart;
    int m_nTrackEnd;
    float m_fScaleMin;
    float m_fScaleMax;
    bool m_bDragging;
    Point m_dragOffset;

private:
    SliderBase(SliderAxis eAxis, const SliderImages& images, int nId, int nMin, int nMax,
               int nValue);
};

#endif
