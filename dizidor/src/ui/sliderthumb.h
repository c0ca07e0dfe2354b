// SliderThumb: the knob of a slider, a control of its own that hands its mouse events to its
// slider (ui/sliderbase.h). It takes the mode's focus on a press and gives it back on the
// release, so that a drag's moves and release reach it wherever the pointer goes.
#ifndef DIZIDOR_UI_SLIDERTHUMB_H
#define DIZIDOR_UI_SLIDERTHUMB_H

#include "ui/control.h"

class SliderBase;

class SliderThumb : public Control
{
public:
    // At (0, 0), z 0, enabled, showing the picture; the slider is not owned and outlives it in
    // practice (the slider holds the thumb).
    SliderThumb(RIR::SmartPtr<Image> pImage, SliderBase* pSlider);
    ~SliderThumb() override;

    // Focusable, takes the focus, then the slider's onMouseDown.
    bool onMouseDown(int nButtonMask) override;
    // Gives the focus back, unfocusable, then the slider's onMouseUp.
    bool onMouseUp(int nButtonMask) override;
    // The slider's onMouseMove.
    void onMouseMove(int nX, int nY) override;

    SliderBase* getSlider() const { return m_pSlider; }
    // The slider forgets its thumb before it goes.
    void detach() { m_pSlider = nullptr; }

private:
    SliderBase* m_pSlider;
};

#endif
