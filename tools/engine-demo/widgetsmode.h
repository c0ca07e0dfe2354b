// The engine demo's widget screen (engine-demo --widgets): labels, two edit boxes, a choice of
// radio buttons and two sliders on the game's theme "dolly.theme", laid out on a parchment panel.
//
// With a frame limit the screen plays a script of input through SDL's event queue, so that the
// events take the platform's own path into the application's dispatch: it clicks the name box
// and types a name (a control character and Ctrl+letter among the keys, which the box refuses),
// types a code into the masked box, drags the sound slider's thumb to the right, clicks the body
// of the music slider and picks the last difficulty. describe() then tells what the widgets hold.
#ifndef ENGINE_DEMO_WIDGETSMODE_H
#define ENGINE_DEMO_WIDGETSMODE_H

#include "framedmode.h"
#include "ui/editbox.h"
#include "ui/hslider.h"
#include "ui/label.h"
#include "ui/radiobutton.h"
#include "ui/radiogroup.h"

#include <functional>
#include <string>
#include <vector>

class D3D7VideoDriver;

class WidgetsMode : public demokit::FramedMode
{
public:
    // nFrames 0: no limit, no script. Otherwise the screen ends after that many frames and plays
    // its input script on the way.
    WidgetsMode(int nFrames, D3D7VideoDriver* pVideo);
    ~WidgetsMode() override;

    // "name=... code=... choice=... sound=... music=...": what the widgets hold.
    std::string describe() const;

    void onStart() override;
    void update(float fDt) override;
    void onCallback(int nId, int nParam) override;

private:
    struct Step
    {
        int nFrame;
        std::function<void()> action;
    };

    void addBackdrop();
    RIR::SmartPtr<Label> addLabel(const char* pszText, int nX, int nY, const char* pszFont);
    void addScript();
    void showVolume(int nId);

    RIR::SmartPtr<EditBox> m_pName;
    RIR::SmartPtr<EditBox> m_pCode;
    RadioGroup m_choices;
    int m_nChoice;
    RIR::SmartPtr<HSlider> m_pSound;
    RIR::SmartPtr<HSlider> m_pMusic;
    RIR::SmartPtr<Label> m_pSoundValue;
    RIR::SmartPtr<Label> m_pMusicValue;
    RIR::SmartPtr<Label> m_pStatus;
    std::vector<Step> m_script;
};

#endif
