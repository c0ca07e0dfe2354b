// PlatformEventTarget: the application side of the fake platform's event pump.
//
// The operations the platform's pump calls on the application (GameApp's dispatch operations and
// hooks), so that FakePlatform can be driven without an application. GameApp's tests pass an
// adapter that forwards each call to the application; RecordingEventTarget writes every call to
// a RecordingLog as "app.<call>".
#ifndef DIZIDOR_TESTKIT_EVENTTARGET_H
#define DIZIDOR_TESTKIT_EVENTTARGET_H

#include "testkit/recordinglog.h"

#include "rir2/refcount.h"

class IAudioDriver;

class PlatformEventTarget
{
public:
    virtual ~PlatformEventTarget();

    // A key press; true when it was handled (then the pump sends no character).
    virtual bool dispatchKeyDown(int nKey, int nModifiers) = 0;
    virtual void dispatchKeyUp(int nKey, int nModifiers) = 0;
    virtual void dispatchChar(int nChar) = 0;
    virtual void dispatchMouseMove(int nX, int nY, bool bCallModes) = 0;
    virtual void dispatchMouseDown(int nMask, int nX, int nY) = 0;
    virtual void dispatchMouseUp(int nMask, int nX, int nY) = 0;
    virtual void dispatchQuitRequest() = 0;
    virtual void onAppActivated() = 0;
    virtual void onAppDeactivated() = 0;
    virtual void onMouseFocusGained() = 0;
    virtual void onMouseFocusLost() = 0;
    // The application's active audio driver, which the pump pauses and resumes; may be null.
    virtual IAudioDriver* getAudioDriver() = 0;
};

class RecordingEventTarget : public PlatformEventTarget
{
public:
    // Writes to pLog, or to a log of its own when null. Handles no key; no audio driver.
    explicit RecordingEventTarget(const RIR::SmartPtr<RecordingLog>& pLog = nullptr);
    ~RecordingEventTarget() override;

    bool dispatchKeyDown(int nKey, int nModifiers) override;
    void dispatchKeyUp(int nKey, int nModifiers) override;
    void dispatchChar(int nChar) override;
    void dispatchMouseMove(int nX, int nY, bool bCallModes) override;
    void dispatchMouseDown(int nMask, int nX, int nY) override;
    void dispatchMouseUp(int nMask, int nX, int nY) override;
    void dispatchQuitRequest() override;
    void onAppActivated() override;
    void onAppDeactivated() override;
    void onMouseFocusGained() override;
    void onMouseFocusLost() override;
    IAudioDriver* getAudioDriver() override { return m_pAudioDriver; }

    const RIR::SmartPtr<RecordingLog>& getLog() const { return m_pLog; }
    // What dispatchKeyDown answers.
    void setKeysHandled(bool bHandled) { m_bKeysHandled = bHandled; }
    // The driver getAudioDriver answers (not owned).
    void setAudioDriver(IAudioDriver* pDriver) { m_pAudioDriver = pDriver; }

private:
    RIR::SmartPtr<RecordingLog> m_pLog;
    bool m_bKeysHandled;
    IAudioDriver* m_pAudioDriver;
};

#endif
