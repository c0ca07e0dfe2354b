// CallbackTrigger: the record that tells a widget whom to notify, and with which numbers, when it
// fires.
//
// It holds a target (not owned; null means that firing does nothing), an id, which the target
// receives first, and a parameter, which it receives second. Controls carry one as a second base
// (ui/control.h); the widgets that fire (buttons, sliders, edit boxes) set its values.
//
// Usage:
//     pButton->set(this, ID_OK, 0);   // this: the mode that shows the button
//     ...
//     pButton->fire();                // this->onCallback(ID_OK, 0)
//
// The target must outlive the trigger's last fire; a mode outlives its widgets' events because
// ended modes are deleted only at the end of the frame.
#ifndef DIZIDOR_UI_CALLBACKTRIGGER_H
#define DIZIDOR_UI_CALLBACKTRIGGER_H

#include "app/icallbacktarget.h"

#include <cstdint>

class CallbackTrigger
{
public:
    // No target; id and parameter 0.
    CallbackTrigger();
    CallbackTrigger(ICallbackTarget* pTarget, int nId, int nParam);
    virtual ~CallbackTrigger();

    // Reads all three; any pointer may be null.
    virtual void get(ICallbackTarget** ppTarget, int* pnId, int* pnParam) const;
    virtual void set(ICallbackTarget* pTarget, int nId, int nParam);
    virtual ICallbackTarget* getTarget() const;
    virtual int getId() const;
    virtual int getParam() const;
    virtual void setTarget(ICallbackTarget* pTarget);
    virtual void setId(int nId);
    virtual void setParam(int nParam);
    // With a target: its onCallback(id, param), then true. Without one: false, and nothing is
    // called.
    virtual bool fire();

private:
    ICallbackTarget* m_pTarget; // not owned
    int32_t m_nId;
    int32_t m_nParam;
};

#endif
