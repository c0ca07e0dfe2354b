// RecordingAudioDriver: an audio driver without a device, for headless tests.
//
// It plays nothing but keeps the state a real driver keeps: 16 channels, each with the sample it
// plays (held, like the mixer back-end's channel table) and its panning; the current music, its
// loop flag and whether it plays; volumes; mute and pause. Calls that change something are
// written to a RecordingLog as "audio.<call>" (sample and music by name); queries and update are
// not (update is counted). A test ends sounds with finishMusic and finishChannel, as the device
// would when they run out, and the driver's own playlist step (IAudioDriver::update) then takes
// over.
//
// Its loaders make RecordingSample and RecordingMusic objects named after the resource and tied
// to the driver's current run; markMissing makes a name fail like a missing resource. A sample or
// music released while the driver runs writes "audio.release(<name>)"; one released after the
// driver has shut down or is gone touches nothing of it.
//
// Refusals: failInit(true) makes init answer false; noFreeChannel(true) makes playSample find no
// channel (-1).
#ifndef DIZIDOR_TESTKIT_RECORDINGAUDIODRIVER_H
#define DIZIDOR_TESTKIT_RECORDINGAUDIODRIVER_H

#include "app/iaudiodriver.h"
#include "testkit/recordinglog.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class RecordingAudioDriver;

// A sample named after its resource; volume stored.
class RecordingSample : public Sample
{
public:
    RecordingSample(const char* pszName, RecordingAudioDriver* pDriver);
    // Tells the driver, while its run goes on.
    ~RecordingSample() override;

    float getVolume() const override { return m_fVolume; }
    void setVolume(float fVolume) override { m_fVolume = fVolume; }

private:
    RecordingAudioDriver* m_pDriver; // not owned; reached only while isDriverAlive
    float m_fVolume;
};

// A music named after its resource; volume stored.
class RecordingMusic : public Music
{
public:
    RecordingMusic(const char* pszName, RecordingAudioDriver* pDriver);
    // Tells the driver, while its run goes on.
    ~RecordingMusic() override;

    float getVolume() const override { return m_fVolume; }
    void setVolume(float fVolume) override { m_fVolume = fVolume; }
    const RIR::String& getName() const { return m_sName; }

private:
    RIR::String m_sName;
    RecordingAudioDriver* m_pDriver; // not owned; reached only while isDriverAlive
    float m_fVolume;
};

class RecordingAudioDriver : public IAudioDriver
{
public:
    enum
    {
        CHANNEL_COUNT = 16
    };

    // Volumes 1.0, loaders ready, nothing playing. Writes to pLog, or to a log of its own.
    explicit RecordingAudioDriver(const RIR::SmartPtr<RecordingLog>& pLog = nullptr);
    // Runs shutdown; what it still holds is released without reaching it.
    ~RecordingAudioDriver() override;

    // ---- IAudioDriver ----------------------------------------------------------------------

    // True unless told to fail.
    bool init() override;
    // Ends the driver's run: samples and music made so far stop reaching it.
    void shutdown() override;
    void setMuted(bool bMuted) override;
    // -1 while muted or when no channel is free; otherwise the channel (nChannel, or the first
    // one not playing for -1), which then holds the sample. A null sample fails the assertion.
    int playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel) override;
    // Nothing while muted; otherwise the music becomes the current one and plays. A null music
    // fails the assertion.
    void playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop) override;
    void setMusicPosition(float fSeconds) override;
    float getSoundVolume() const override { return m_fSoundVolume; }
    void setSoundVolume(float fVolume) override;
    float getMusicVolume() const override { return m_fMusicVolume; }
    void setMusicVolume(float fVolume) override;
    void setPanning(int nChannel, int nLeft, int nRight) override;
    void setChannelPosition(int nChannel, float fAngle, float fDistance) override;
    RIR::String getChannelSampleName(int nChannel) const override;
    bool isChannelPlaying(int nChannel) const override;
    // Stops the channel (-1: all) and lets go of its sample.
    void stopChannel(int nChannel, float fFade) override;
    void pauseChannel(int nChannel) override;
    void resumeChannel(int nChannel) override;
    bool isMusicPlaying() const override { return m_bMusicPlaying; }
    // Stops the music and lets go of it.
    void fadeOutMusic(float fFade) override;
    void pauseMusic() override;
    void resumeMusic() override;
    void setPaused(bool bPaused) override;
    IResourceLoader<Sample>* getSampleLoader() override;
    IResourceLoader<Music>* getMusicLoader() override;
    // The playlist step, counted.
    void update(float fDt) override;

    // ---- test controls and readings --------------------------------------------------------

    const RIR::SmartPtr<RecordingLog>& getLog() const { return m_pLog; }

    void failInit(bool bFail) { m_bFailInit = bFail; }
    void noFreeChannel(bool bNone) { m_bNoFreeChannel = bNone; }
    // Loading this name raises ResourceException and exists answers false for it.
    void markMissing(const char* pszName);
    bool isMissing(const char* pszName) const;

    // The music has run out: it no longer plays (the current music stays, as on the device).
    void finishMusic();
    // The channel's sample has run out: the channel no longer plays but keeps its sample.
    void finishChannel(int nChannel);

    // The name of the current music ("" when none).
    RIR::String getPlayingMusicName() const;
    bool isMusicLooping() const { return m_bMusicLoop; }
    bool isMuted() const { return m_bMuted; }
    bool isPaused() const { return m_bPaused; }
    bool isChannelLooping(int nChannel) const;
    int getPanLeft(int nChannel) const;
    int getPanRight(int nChannel) const;
    int getUpdateCount() const { return m_nUpdateCount; }
    // The samples and music of this driver that still exist.
    int getLiveObjectCount() const { return m_nLiveObjects; }

    // Called by the loaders and by RecordingSample and RecordingMusic.
    void noteLoaded(const char* pszKind, const char* pszName);
    void noteReleased(const char* pszName);

private:
    struct Channel
    {
        Channel() : bPlaying(false), bLoop(false), nLeft(255), nRight(255) {}
        RIR::SmartPtr<Sample> pSample;
        bool bPlaying;
        bool bLoop;
        int nLeft;
        int nRight;
    };

    static bool isValidChannel(int nChannel) { return nChannel >= 0 && nChannel < CHANNEL_COUNT; }
    static RIR::String musicName(const Music* pMusic);

    RIR::SmartPtr<RecordingLog> m_pLog;
    IResourceLoader<Sample>* m_pSampleLoader; // owned
    IResourceLoader<Music>* m_pMusicLoader;   // owned
    RIR::List<RIR::String> m_lMissing;
    bool m_bFailInit;
    bool m_bNoFreeChannel;
    bool m_bMuted;
    bool m_bPaused;
    float m_fSoundVolume;
    float m_fMusicVolume;
    Channel m_aChannels[CHANNEL_COUNT];
    RIR::SmartPtr<Music> m_pMusic;
    bool m_bMusicPlaying;
    bool m_bMusicLoop;
    int m_nUpdateCount;
    int m_nLiveObjects;
};

#endif
