// RecordingEventTarget: a platform event target that writes every call of the pump to a
// RecordingLog as "app.<call>", so that a platform's pump (FakePlatform, SDLPlatform) can be
// driven and checked without an application. Tests that drive a whole application install a
// GameAppEventTarget (app/gameappeventtarget.h) instead.
#ifndef DIZIDOR_TESTKIT_EVENTTARGET_H
#define DIZIDOR_TESTKIT_EVENTTARGET_H

#include "app/platformeventtarget.h"
#include "testkit/recordinglog.h"

#include "rir2/refcount.h"

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
