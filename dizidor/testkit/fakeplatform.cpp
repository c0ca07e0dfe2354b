#include "testkit/fakeplatform.h"

#include "app/iaudiodriver.h"
#include "app/ivideodriver.h"
#include "testkit/fakemuteximpl.h"
#include "testkit/recordingaudiodriver.h"
#include "testkit/recordingvideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

FakePlatform::FakePlatform(bool bWithDrivers)
    : m_pLog(new RecordingLog()), m_pVideoDriver(nullptr), m_pAudioDriver(nullptr),
      m_pImageFactory(nullptr), m_pTarget(nullptr), m_bFailInit(false), m_bInitialized(false),
      m_bShutDown(false), m_bMutexSupport(true), m_nMutexImpls(0), m_nTicks(0), m_nDelayCount(0),
      m_nTotalDelay(0), m_nLastDelay(0), m_nScriptTime(0), m_nPumpCount(0), m_bAppActive(true),
      m_abKeys(), m_nModifiers(0), m_nButtons(0), m_nMouseX(0), m_nMouseY(0),
      m_nDoubleClickTime(500)
{
    RIR_TRACE("FakePlatform::FakePlatform");
    if (bWithDrivers)
    {
        setVideoDriver(new RecordingVideoDriver(m_pLog));
        setAudioDriver(new RecordingAudioDriver(m_pLog));
    }
}

FakePlatform::~FakePlatform()
{
    RIR_TRACE("FakePlatform::~FakePlatform");
    shutdown();
    m_pLog->add("platform.destroyed");
}

void FakePlatform::init()
{
    RIR_TRACE("FakePlatform::init");
    m_pLog->add("platform.init");
    if (m_bFailInit)
        RIR_THROW(FatalErrorException, "FakePlatform : the platform layer refused to start");
    m_bInitialized = true;
}

void FakePlatform::shutdown()
{
    RIR_TRACE("FakePlatform::shutdown");
    if (m_bShutDown)
        return;
    m_bShutDown = true;
    m_bInitialized = false;
    m_pLog->add("platform.shutdown");
    if (m_pVideoDriver)
    {
        RIR_TRACE_LINE();
        m_pVideoDriver->shutdown();
    }
    if (m_pAudioDriver)
    {
        RIR_TRACE_LINE();
        m_pAudioDriver->shutdown();
    }
    RIR_TRACE_LINE();
    releaseImageFactory();
    setVideoDriver(nullptr);
    setAudioDriver(nullptr);
}

const char* FakePlatform::getName() const
{
    return "Fake Platform v1.0";
}

void FakePlatform::delay(unsigned int nMs)
{
    RIR_TRACE("FakePlatform::delay");
    m_nTicks += nMs;
    ++m_nDelayCount;
    m_nTotalDelay += nMs;
    m_nLastDelay = nMs;
}

bool FakePlatform::isMouseButtonDown(int nButton) const
{
    if (nButton < 1 || nButton > 8)
        return false;
    return (m_nButtons & (1 << (nButton - 1))) != 0;
}

bool FakePlatform::isKeyDown(int nKey) const
{
    return nKey >= 0 && nKey < KEY_COUNT && m_abKeys[nKey];
}

void FakePlatform::getMousePos(int* pnX, int* pnY) const
{
    if (pnX)
        *pnX = m_nMouseX;
    if (pnY)
        *pnY = m_nMouseY;
}

void FakePlatform::setMousePos(int nX, int nY)
{
    RIR_TRACE("FakePlatform::setMousePos");
    m_pLog->addf("platform.setMousePos(%d, %d)", nX, nY);
    m_nMouseX = nX;
    m_nMouseY = nY;
}

const FakePlatform::Joystick* FakePlatform::findJoystick(int nJoystick) const
{
    if (nJoystick < 0 || nJoystick >= (int)m_joysticks.size())
        return nullptr;
    return &m_joysticks[(size_t)nJoystick];
}

const char* FakePlatform::getJoystickName(int nJoystick)
{
    RIR_TRACE("FakePlatform::getJoystickName");
    const Joystick* pJoystick = findJoystick(nJoystick);
    return pJoystick ? pJoystick->sName.c_str() : "";
}

int FakePlatform::getJoystickNumAxes(int nJoystick)
{
    RIR_TRACE("FakePlatform::getJoystickNumAxes");
    const Joystick* pJoystick = findJoystick(nJoystick);
    return pJoystick ? (int)pJoystick->afAxes.size() : 0;
}

int FakePlatform::getJoystickNumButtons(int nJoystick)
{
    RIR_TRACE("FakePlatform::getJoystickNumButtons");
    const Joystick* pJoystick = findJoystick(nJoystick);
    return pJoystick ? (int)pJoystick->abButtons.size() : 0;
}

float FakePlatform::getJoystickAxis(int nAxis, int nJoystick)
{
    RIR_TRACE("FakePlatform::getJoystickAxis");
    const Joystick* pJoystick = findJoystick(nJoystick);
    if (!pJoystick || nAxis < 0 || nAxis >= (int)pJoystick->afAxes.size())
        return 0.0f;
    return pJoystick->afAxes[(size_t)nAxis];
}

bool FakePlatform::isJoystickButtonDown(int nButton, int nJoystick)
{
    RIR_TRACE("FakePlatform::isJoystickButtonDown");
    const Joystick* pJoystick = findJoystick(nJoystick);
    if (!pJoystick || nButton < 0 || nButton >= (int)pJoystick->abButtons.size())
        return false;
    return pJoystick->abButtons[(size_t)nButton];
}

void FakePlatform::openURL(const char* pszUrl)
{
    RIR_TRACE("FakePlatform::openURL");
    const RIR::String sUrl(pszUrl);
    m_lOpenedURLs.append(sUrl);
    m_pLog->add((RIR::String("platform.openURL(") + sUrl + ")").c_str());
}

MutexImpl* FakePlatform::createMutexImpl()
{
    RIR_TRACE("FakePlatform::createMutexImpl");
    m_pLog->add("platform.createMutexImpl");
    if (!m_bMutexSupport)
        return nullptr;
    ++m_nMutexImpls;
    return new FakeMutexImpl();
}

IVideoSpriteImpl* FakePlatform::createVideoSpriteImpl()
{
    RIR_TRACE("FakePlatform::createVideoSpriteImpl");
    m_pLog->add("platform.createVideoSpriteImpl");
    return m_videoSpriteFactory ? m_videoSpriteFactory() : nullptr;
}

void FakePlatform::setVideoDriver(IVideoDriver* pDriver)
{
    RIR_TRACE("FakePlatform::setVideoDriver");
    if (pDriver == m_pVideoDriver)
        return;
    delete m_pVideoDriver;
    m_pVideoDriver = pDriver;
    if (m_pVideoDriver)
    {
        RIR_TRACE_LINE();
        m_pVideoDriver->setScale(getScale());
    }
}

void FakePlatform::setAudioDriver(IAudioDriver* pDriver)
{
    RIR_TRACE("FakePlatform::setAudioDriver");
    if (pDriver == m_pAudioDriver)
        return;
    delete m_pAudioDriver;
    m_pAudioDriver = pDriver;
}

void FakePlatform::releaseImageFactory()
{
    RIR_TRACE("FakePlatform::releaseImageFactory");
    if (m_deleteImageFactory)
        m_deleteImageFactory();
    m_deleteImageFactory = nullptr;
    m_pImageFactory = nullptr;
}

RecordingVideoDriver* FakePlatform::getRecordingVideoDriver() const
{
    return dynamic_cast<RecordingVideoDriver*>(m_pVideoDriver);
}

RecordingAudioDriver* FakePlatform::getRecordingAudioDriver() const
{
    return dynamic_cast<RecordingAudioDriver*>(m_pAudioDriver);
}

void FakePlatform::queue(EventType eType, int nA, int nB, int nC, int nD, bool bFlag)
{
    RIR_TRACE("FakePlatform::queue");
    Event event;
    event.eType = eType;
    event.nAt = m_nScriptTime;
    event.nA = nA;
    event.nB = nB;
    event.nC = nC;
    event.nD = nD;
    event.bFlag = bFlag;
    m_events.push_back(event);
}

void FakePlatform::queueKeyDown(int nKey, int nModifiers, int nChar)
{
    queue(EV_KEY_DOWN, nKey, nModifiers, nChar, 0, false);
}

void FakePlatform::queueKeyUp(int nKey, int nModifiers)
{
    queue(EV_KEY_UP, nKey, nModifiers, 0, 0, false);
}

void FakePlatform::queueMouseMove(int nX, int nY)
{
    queue(EV_MOUSE_MOVE, nX, nY, 0, 0, false);
}

void FakePlatform::queueMouseDown(int nButton, int nX, int nY)
{
    queue(EV_MOUSE_DOWN, nButton, 0, nX, nY, false);
}

void FakePlatform::queueMouseUp(int nButton, int nX, int nY)
{
    queue(EV_MOUSE_UP, nButton, 0, nX, nY, false);
}

void FakePlatform::queueActivation(bool bActive)
{
    queue(EV_ACTIVATION, 0, 0, 0, 0, bActive);
}

void FakePlatform::queueMouseFocus(bool bGained)
{
    queue(EV_MOUSE_FOCUS, 0, 0, 0, 0, bGained);
}

void FakePlatform::queueQuit()
{
    queue(EV_QUIT, 0, 0, 0, 0, false);
}

void FakePlatform::queueResize()
{
    queue(EV_RESIZE, 0, 0, 0, 0, false);
}

void FakePlatform::pumpEvents()
{
    RIR_TRACE("FakePlatform::pumpEvents");
    ++m_nPumpCount;
    bool bMoved = false;
    // An event is taken off the queue before it is delivered: a handler may queue more.
    while (!m_events.empty() && m_events.front().nAt <= m_nTicks)
    {
        const Event event = m_events.front();
        m_events.pop_front();
        RIR_TRACE_LINE();
        deliver(event, &bMoved);
    }
    if (bMoved && m_pTarget)
    {
        RIR_TRACE_LINE();
        m_pTarget->dispatchMouseMove(m_nMouseX, m_nMouseY, true);
    }
}

void FakePlatform::deliver(const Event& event, bool* pbMoved)
{
    RIR_TRACE("FakePlatform::deliver");
    switch (event.eType)
    {
    case EV_KEY_DOWN:
        setKeyDown(event.nA, true);
        m_nModifiers = event.nB;
        if (!m_pTarget)
            break;
        if (event.nA == KEY_F4 && (event.nB & MOD_ALT))
            m_pTarget->dispatchQuitRequest();
        else if (!m_pTarget->dispatchKeyDown(event.nA, event.nB) && event.nC != 0)
            m_pTarget->dispatchChar(event.nC);
        break;
    case EV_KEY_UP:
        setKeyDown(event.nA, false);
        m_nModifiers = event.nB;
        if (m_pTarget)
            m_pTarget->dispatchKeyUp(event.nA, event.nB);
        break;
    case EV_MOUSE_MOVE:
        m_nMouseX = event.nA;
        m_nMouseY = event.nB;
        *pbMoved = true;
        break;
    case EV_MOUSE_DOWN:
    case EV_MOUSE_UP:
        m_nMouseX = event.nC;
        m_nMouseY = event.nD;
        setMouseButtonDown(event.nA, event.eType == EV_MOUSE_DOWN);
        if (m_pTarget && event.eType == EV_MOUSE_DOWN)
            m_pTarget->dispatchMouseDown(buttonMask(event.nA), m_nMouseX, m_nMouseY);
        else if (m_pTarget)
            m_pTarget->dispatchMouseUp(buttonMask(event.nA), m_nMouseX, m_nMouseY);
        break;
    case EV_ACTIVATION:
        invalidateVideo();
        if (event.bFlag != m_bAppActive)
        {
            m_bAppActive = event.bFlag;
            IAudioDriver* pAudio = m_pTarget ? m_pTarget->getAudioDriver() : nullptr;
            if (pAudio)
                pAudio->setPaused(!m_bAppActive);
            if (m_pTarget && m_bAppActive)
                m_pTarget->onAppActivated();
            else if (m_pTarget)
                m_pTarget->onAppDeactivated();
        }
        break;
    case EV_MOUSE_FOCUS:
        invalidateVideo();
        if (m_pTarget && event.bFlag)
            m_pTarget->onMouseFocusGained();
        else if (m_pTarget)
            m_pTarget->onMouseFocusLost();
        break;
    case EV_QUIT:
        if (m_pTarget)
            m_pTarget->dispatchQuitRequest();
        break;
    case EV_RESIZE:
        invalidateVideo();
        break;
    }
}

void FakePlatform::invalidateVideo()
{
    RIR_TRACE("FakePlatform::invalidateVideo");
    if (m_pVideoDriver)
        m_pVideoDriver->invalidate();
}

int FakePlatform::buttonMask(int nButton)
{
    static const int s_anMasks[] = {0, 1, 2, 4, 8, 16};
    if (nButton < 0 || nButton > 5)
        return 0;
    return s_anMasks[nButton];
}

void FakePlatform::setKeyDown(int nKey, bool bDown)
{
    if (nKey >= 0 && nKey < KEY_COUNT)
        m_abKeys[nKey] = bDown;
}

void FakePlatform::setMouseButtonDown(int nButton, bool bDown)
{
    if (nButton < 1 || nButton > 8)
        return;
    if (bDown)
        m_nButtons |= 1 << (nButton - 1);
    else
        m_nButtons &= ~(1 << (nButton - 1));
}

int FakePlatform::addJoystick(const char* pszName, int nAxes, int nButtons)
{
    RIR_TRACE("FakePlatform::addJoystick");
    Joystick joystick;
    joystick.sName = pszName;
    joystick.afAxes.assign((size_t)(nAxes > 0 ? nAxes : 0), 0.0f);
    joystick.abButtons.assign((size_t)(nButtons > 0 ? nButtons : 0), false);
    m_joysticks.push_back(joystick);
    return (int)m_joysticks.size() - 1;
}

void FakePlatform::setJoystickAxis(int nJoystick, int nAxis, float fValue)
{
    RIR_TRACE("FakePlatform::setJoystickAxis");
    Joystick* pJoystick = const_cast<Joystick*>(findJoystick(nJoystick));
    RIR_ASSERT(pJoystick && nAxis >= 0 && nAxis < (int)pJoystick->afAxes.size());
    pJoystick->afAxes[(size_t)nAxis] = fValue;
}

void FakePlatform::setJoystickButton(int nJoystick, int nButton, bool bDown)
{
    RIR_TRACE("FakePlatform::setJoystickButton");
    Joystick* pJoystick = const_cast<Joystick*>(findJoystick(nJoystick));
    RIR_ASSERT(pJoystick && nButton >= 0 && nButton < (int)pJoystick->abButtons.size());
    pJoystick->abButtons[(size_t)nButton] = bDown;
}
