#include "app/dummyaudiodriver.h"

#include "rir2/calltrace.h"

DummySample::DummySample(const char* /*pszName*/)
{
    RIR_TRACE("DummySample::DummySample");
}

DummySample::~DummySample()
{
    RIR_TRACE("DummySample::~DummySample");
}

void DummySample::setVolume(float /*fVolume*/)
{
    RIR_TRACE("DummySample::setVolume");
}

DummyMusic::DummyMusic(const char* /*pszName*/)
{
    RIR_TRACE("DummyMusic::DummyMusic");
}

DummyMusic::~DummyMusic()
{
    RIR_TRACE("DummyMusic::~DummyMusic");
}

void DummyMusic::setVolume(float /*fVolume*/)
{
    RIR_TRACE("DummyMusic::setVolume");
}

DummyAudioDriver::DummyAudioDriver()
    : m_fSoundVolume(1.0f), m_fMusicVolume(1.0f), m_pSampleLoader(nullptr), m_pMusicLoader(nullptr)
{
    RIR_TRACE("DummyAudioDriver::DummyAudioDriver");
}

DummyAudioDriver::~DummyAudioDriver()
{
    RIR_TRACE("DummyAudioDriver::~DummyAudioDriver");
    shutdown();
}

bool DummyAudioDriver::init()
{
    RIR_TRACE("DummyAudioDriver::init");
    // A second init keeps the loaders it has.
    if (!m_pSampleLoader)
        m_pSampleLoader = new ResourceLoaderImpl<Sample, DummySample>(nullptr, this);
    if (!m_pMusicLoader)
        m_pMusicLoader = new ResourceLoaderImpl<Music, DummyMusic>(nullptr, this);
    return true;
}

void DummyAudioDriver::shutdown()
{
    RIR_TRACE("DummyAudioDriver::shutdown");
    endLifetime();
    delete m_pSampleLoader;
    m_pSampleLoader = nullptr;
    delete m_pMusicLoader;
    m_pMusicLoader = nullptr;
}

void DummyAudioDriver::setMuted(bool /*bMuted*/)
{
    RIR_TRACE("DummyAudioDriver::setMuted");
}

int DummyAudioDriver::playSample(RIR::SmartPtr<Sample> pSample, bool /*bLoop*/, int /*nChannel*/)
{
    RIR_TRACE("DummyAudioDriver::playSample");
    pSample.release();
    return -1;
}

void DummyAudioDriver::playMusic(RIR::SmartPtr<Music> pMusic, bool /*bLoop*/)
{
    RIR_TRACE("DummyAudioDriver::playMusic");
    pMusic.release();
}

void DummyAudioDriver::setMusicPosition(float /*fSeconds*/)
{
    RIR_TRACE("DummyAudioDriver::setMusicPosition");
}

void DummyAudioDriver::setSoundVolume(float fVolume)
{
    RIR_TRACE("DummyAudioDriver::setSoundVolume");
    m_fSoundVolume = fVolume;
}

void DummyAudioDriver::setMusicVolume(float fVolume)
{
    RIR_TRACE("DummyAudioDriver::setMusicVolume");
    m_fMusicVolume = fVolume;
}

void DummyAudioDriver::setPanning(int /*nChannel*/, int /*nLeft*/, int /*nRight*/)
{
    RIR_TRACE("DummyAudioDriver::setPanning");
}

void DummyAudioDriver::setChannelPosition(int /*nChannel*/, float /*fAngle*/, float /*fDistance*/)
{
    RIR_TRACE("DummyAudioDriver::setChannelPosition");
}

RIR::String DummyAudioDriver::getChannelSampleName(int /*nChannel*/) const
{
    RIR_TRACE("DummyAudioDriver::getChannelSampleName");
    return RIR::String();
}

bool DummyAudioDriver::isChannelPlaying(int /*nChannel*/) const
{
    RIR_TRACE("DummyAudioDriver::isChannelPlaying");
    return false;
}

void DummyAudioDriver::stopChannel(int /*nChannel*/, float /*fFade*/)
{
    RIR_TRACE("DummyAudioDriver::stopChannel");
}

void DummyAudioDriver::pauseChannel(int /*nChannel*/)
{
    RIR_TRACE("DummyAudioDriver::pauseChannel");
}

void DummyAudioDriver::resumeChannel(int /*nChannel*/)
{
    RIR_TRACE("DummyAudioDriver::resumeChannel");
}

void DummyAudioDriver::fadeOutMusic(float /*fFade*/)
{
    RIR_TRACE("DummyAudioDriver::fadeOutMusic");
}

void DummyAudioDriver::pauseMusic()
{
    RIR_TRACE("DummyAudioDriver::pauseMusic");
}

void DummyAudioDriver::resumeMusic()
{
    RIR_TRACE("DummyAudioDriver::resumeMusic");
}

void DummyAudioDriver::setPaused(bool /*bPaused*/)
{
    RIR_TRACE("DummyAudioDriver::setPaused");
}
