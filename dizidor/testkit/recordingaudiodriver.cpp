#include "testkit/recordingaudiodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// Makes Impl objects for the recording driver: named, tied to the driver's current run, and
// failing for the names the test marked missing.
template <class T, class Impl> class RecordingLoader : public IResourceLoader<T>
{
public:
    RecordingLoader(RecordingAudioDriver* pDriver, const char* pszKind)
        : m_pDriver(pDriver), m_pszKind(pszKind)
    {
    }

    T* load(const char* pszName) override
    {
        RIR_TRACE("RecordingLoader::load");
        RIR_ASSERT(pszName);
        if (m_pDriver->isMissing(pszName))
            RIR_THROW(ResourceException,
                      RIR::String::format("RecordingAudioDriver : Resource %s not found", pszName)
                          .c_str());
        Impl* pObject = new Impl(pszName, m_pDriver);
        pObject->setDriverLifetime(m_pDriver->getLifetime());
        m_pDriver->noteLoaded(m_pszKind, pszName);
        return pObject;
    }

    bool exists(const char* pszName) override
    {
        RIR_TRACE("RecordingLoader::exists");
        return pszName && !m_pDriver->isMissing(pszName);
    }

private:
    RecordingAudioDriver* m_pDriver;
    const char* m_pszKind;
};

} // namespace

RecordingSample::RecordingSample(const char* pszName, RecordingAudioDriver* pDriver)
    : m_pDriver(pDriver), m_fVolume(1.0f)
{
    RIR_TRACE("RecordingSample::RecordingSample");
    m_sName = pszName;
}

RecordingSample::~RecordingSample()
{
    RIR_TRACE("RecordingSample::~RecordingSample");
    if (isDriverAlive())
        m_pDriver->noteReleased(getName().c_str());
}

RecordingMusic::RecordingMusic(const char* pszName, RecordingAudioDriver* pDriver)
    : m_sName(pszName), m_pDriver(pDriver), m_fVolume(1.0f)
{
    RIR_TRACE("RecordingMusic::RecordingMusic");
}

RecordingMusic::~RecordingMusic()
{
    RIR_TRACE("RecordingMusic::~RecordingMusic");
    if (isDriverAlive())
        m_pDriver->noteReleased(m_sName.c_str());
}

RecordingAudioDriver::RecordingAudioDriver(const RIR::SmartPtr<RecordingLog>& pLog)
    : m_pLog(pLog ? pLog : RIR::SmartPtr<RecordingLog>(new RecordingLog())),
      m_pSampleLoader(nullptr), m_pMusicLoader(nullptr), m_bFailInit(false),
      m_bNoFreeChannel(false), m_bMuted(false), m_bPaused(false), m_fSoundVolume(1.0f),
      m_fMusicVolume(1.0f), m_bMusicPlaying(false), m_bMusicLoop(false), m_nUpdateCount(0),
      m_nLiveObjects(0)
{
    RIR_TRACE("RecordingAudioDriver::RecordingAudioDriver");
    m_pSampleLoader = new RecordingLoader<Sample, RecordingSample>(this, "Sample");
    m_pMusicLoader = new RecordingLoader<Music, RecordingMusic>(this, "Music");
}

RecordingAudioDriver::~RecordingAudioDriver()
{
    RIR_TRACE("RecordingAudioDriver::~RecordingAudioDriver");
    shutdown();
    m_pLog->add("audio.destroyed");
    delete m_pSampleLoader;
    delete m_pMusicLoader;
}

bool RecordingAudioDriver::init()
{
    RIR_TRACE("RecordingAudioDriver::init");
    m_pLog->add("audio.init");
    return !m_bFailInit;
}

void RecordingAudioDriver::shutdown()
{
    RIR_TRACE("RecordingAudioDriver::shutdown");
    m_pLog->add("audio.shutdown");
    endLifetime();
}

void RecordingAudioDriver::setMuted(bool bMuted)
{
    RIR_TRACE("RecordingAudioDriver::setMuted");
    m_bMuted = bMuted;
    m_pLog->addf("audio.setMuted(%d)", bMuted ? 1 : 0);
}

int RecordingAudioDriver::playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel)
{
    RIR_TRACE("RecordingAudioDriver::playSample");
    RIR_ASSERT(pSample);
    m_pLog->add(RIR::String::format("audio.playSample(%s, %d, %d)", pSample->getName().c_str(),
                                    bLoop ? 1 : 0, nChannel)
                    .c_str());
    if (m_bMuted || m_bNoFreeChannel)
        return -1;
    int nUsed = nChannel;
    if (nChannel == -1)
    {
        for (nUsed = 0; nUsed < CHANNEL_COUNT && m_aChannels[nUsed].bPlaying; ++nUsed)
        {
        }
    }
    if (!isValidChannel(nUsed))
        return -1;
    Channel& channel = m_aChannels[nUsed];
    channel.pSample = pSample;
    channel.bPlaying = true;
    channel.bLoop = bLoop;
    return nUsed;
}

void RecordingAudioDriver::playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop)
{
    RIR_TRACE("RecordingAudioDriver::playMusic");
    RIR_ASSERT(pMusic);
    m_pLog->add(RIR::String::format("audio.playMusic(%s, %d)", musicName(pMusic.get()).c_str(),
                                    bLoop ? 1 : 0)
                    .c_str());
    if (m_bMuted)
        return;
    m_pMusic = pMusic;
    m_bMusicLoop = bLoop;
    m_bMusicPlaying = true;
}

void RecordingAudioDriver::setMusicPosition(float fSeconds)
{
    RIR_TRACE("RecordingAudioDriver::setMusicPosition");
    m_pLog->addf("audio.setMusicPosition(%g)", (double)fSeconds);
}

void RecordingAudioDriver::setSoundVolume(float fVolume)
{
    RIR_TRACE("RecordingAudioDriver::setSoundVolume");
    m_fSoundVolume = fVolume;
    m_pLog->addf("audio.setSoundVolume(%g)", (double)fVolume);
}

void RecordingAudioDriver::setMusicVolume(float fVolume)
{
    RIR_TRACE("RecordingAudioDriver::setMusicVolume");
    m_fMusicVolume = fVolume;
    m_pLog->addf("audio.setMusicVolume(%g)", (double)fVolume);
}

void RecordingAudioDriver::setPanning(int nChannel, int nLeft, int nRight)
{
    RIR_TRACE("RecordingAudioDriver::setPanning");
    m_pLog->addf("audio.setPanning(%d, %d, %d)", nChannel, nLeft, nRight);
    if (!isValidChannel(nChannel))
        return;
    m_aChannels[nChannel].nLeft = nLeft;
    m_aChannels[nChannel].nRight = nRight;
}

void RecordingAudioDriver::setChannelPosition(int nChannel, float fAngle, float fDistance)
{
    RIR_TRACE("RecordingAudioDriver::setChannelPosition");
    m_pLog->addf("audio.setChannelPosition(%d, %g, %g)", nChannel, (double)fAngle,
                 (double)fDistance);
}

RIR::String RecordingAudioDriver::getChannelSampleName(int nChannel) const
{
    RIR_TRACE("RecordingAudioDriver::getChannelSampleName");
    if (!isValidChannel(nChannel) || !m_aChannels[nChannel].pSample)
        return RIR::String();
    return m_aChannels[nChannel].pSample->getName();
}

bool RecordingAudioDriver::isChannelPlaying(int nChannel) const
{
    return isValidChannel(nChannel) && m_aChannels[nChannel].bPlaying;
}

void RecordingAudioDriver::stopChannel(int nChannel, float fFade)
{
    RIR_TRACE("RecordingAudioDriver::stopChannel");
    m_pLog->addf("audio.stopChannel(%d, %g)", nChannel, (double)fFade);
    for (int i = 0; i < CHANNEL_COUNT; ++i)
    {
        if (nChannel == -1 || nChannel == i)
        {
            m_aChannels[i].bPlaying = false;
            m_aChannels[i].pSample.release();
        }
    }
}

void RecordingAudioDriver::pauseChannel(int nChannel)
{
    RIR_TRACE("RecordingAudioDriver::pauseChannel");
    m_pLog->addf("audio.pauseChannel(%d)", nChannel);
}

void RecordingAudioDriver::resumeChannel(int nChannel)
{
    RIR_TRACE("RecordingAudioDriver::resumeChannel");
    m_pLog->addf("audio.resumeChannel(%d)", nChannel);
}

void RecordingAudioDriver::fadeOutMusic(float fFade)
{
    RIR_TRACE("RecordingAudioDriver::fadeOutMusic");
    m_pLog->addf("audio.fadeOutMusic(%g)", (double)fFade);
    m_bMusicPlaying = false;
    m_bMusicLoop = false;
    m_pMusic.release();
}

void RecordingAudioDriver::pauseMusic()
{
    RIR_TRACE("RecordingAudioDriver::pauseMusic");
    m_pLog->add("audio.pauseMusic");
}

void RecordingAudioDriver::resumeMusic()
{
    RIR_TRACE("RecordingAudioDriver::resumeMusic");
    m_pLog->add("audio.resumeMusic");
}

void RecordingAudioDriver::setPaused(bool bPaused)
{
    RIR_TRACE("RecordingAudioDriver::setPaused");
    m_bPaused = bPaused;
    m_pLog->addf("audio.setPaused(%d)", bPaused ? 1 : 0);
}

IResourceLoader<Sample>* RecordingAudioDriver::getSampleLoader()
{
    return m_pSampleLoader;
}

IResourceLoader<Music>* RecordingAudioDriver::getMusicLoader()
{
    return m_pMusicLoader;
}

void RecordingAudioDriver::update(float fDt)
{
    RIR_TRACE("RecordingAudioDriver::update");
    ++m_nUpdateCount;
    IAudioDriver::update(fDt);
}

void RecordingAudioDriver::markMissing(const char* pszName)
{
    RIR_TRACE("RecordingAudioDriver::markMissing");
    m_lMissing.append(RIR::String(pszName));
}

bool RecordingAudioDriver::isMissing(const char* pszName) const
{
    RIR_TRACE("RecordingAudioDriver::isMissing");
    return m_lMissing.indexOf(RIR::String(pszName)) >= 0;
}

void RecordingAudioDriver::finishMusic()
{
    RIR_TRACE("RecordingAudioDriver::finishMusic");
    m_bMusicPlaying = false;
}

void RecordingAudioDriver::finishChannel(int nChannel)
{
    RIR_TRACE("RecordingAudioDriver::finishChannel");
    if (isValidChannel(nChannel))
        m_aChannels[nChannel].bPlaying = false;
}

RIR::String RecordingAudioDriver::getPlayingMusicName() const
{
    RIR_TRACE("RecordingAudioDriver::getPlayingMusicName");
    return m_pMusic ? musicName(m_pMusic.get()) : RIR::String();
}

bool RecordingAudioDriver::isChannelLooping(int nChannel) const
{
    return isValidChannel(nChannel) && m_aChannels[nChannel].bLoop;
}

int RecordingAudioDriver::getPanLeft(int nChannel) const
{
    return isValidChannel(nChannel) ? m_aChannels[nChannel].nLeft : 0;
}

int RecordingAudioDriver::getPanRight(int nChannel) const
{
    return isValidChannel(nChannel) ? m_aChannels[nChannel].nRight : 0;
}

void RecordingAudioDriver::noteLoaded(const char* pszKind, const char* pszName)
{
    RIR_TRACE("RecordingAudioDriver::noteLoaded");
    ++m_nLiveObjects;
    m_pLog->add((RIR::String("audio.load") + pszKind + "(" + pszName + ")").c_str());
}

void RecordingAudioDriver::noteReleased(const char* pszName)
{
    RIR_TRACE("RecordingAudioDriver::noteReleased");
    --m_nLiveObjects;
    m_pLog->add((RIR::String("audio.release(") + pszName + ")").c_str());
}

RIR::String RecordingAudioDriver::musicName(const Music* pMusic)
{
    const RecordingMusic* pRecording = dynamic_cast<const RecordingMusic*>(pMusic);
    return pRecording ? pRecording->getName() : RIR::String("?");
}
