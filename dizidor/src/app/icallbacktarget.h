// ICallbackTarget: whom a widget tells that it fired.
//
// A button, slider or edit box carries a CallbackTrigger (ui/callbacktrigger.h) naming its target
// and two numbers; when the widget fires, the target's onCallback receives them. Every screen mode
// is a target (GameMode), so a widget normally reports to the mode that shows it, which tells its
// widgets apart by the id.
#ifndef DIZIDOR_APP_ICALLBACKTARGET_H
#define DIZIDOR_APP_ICALLBACKTARGET_H

class ICallbackTarget
{
public:
    virtual ~ICallbackTarget();

    // A widget fired with its id and parameter. Main thread only.
    virtual void onCallback(int nId, int nParam) = 0;
};

#endif
