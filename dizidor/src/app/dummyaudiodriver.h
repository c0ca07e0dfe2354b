// DummyAudioDriver: the silent audio driver.
//
// GameApp makes one when audio is switched off (VF_NO_AUDIO), when the platform has no audio
// driver or when that driver's init fails; it owns it and deletes it at the end. Every request is
// accepted and nothing sounds: samples never get a channel (-1), music never plays, volumes are
// only stored. Its loaders make DummySample and DummyMusic objects whatever the name, so the
// caches keep working. The application never calls update on it.
#ifndef DIZIDOR_APP_DUMMYAUDIODRIVER_H
#define DIZIDOR_APP_DUMMYAUDIODRIVER_H

#include "app/iaudiodriver.h"
#include "app/resourceloaderimpl.h"

// A sample without sound: volume 1.0, setVolume does nothing, the name stays empty.
class DummySample : public Sample
{
public:
    // The name is ignored.
    explicit DummySample(const char* pszName = nullptr);
    ~DummySample() override;

    float getVolume() const override { return 1.0f; }
    void setVolume(float fVolume) override;
};

// A music without sound: volume 1.0, setVolume does nothing.
class DummyMusic : public Music
{
public:
    // The name is ignored.
    explicit DummyMusic(const char* pszName = nullptr);
    ~DummyMusic() override;

    float getVolume() const override { return 1.0f; }
    void setVolume(float fVolume) override;
};

class DummyAudioDriver : public IAudioDriver
{
public:
    // Volumes 1.0, no loaders yet.
    DummyAudioDriver();
    // Runs shutdown.
    ~DummyAudioDriver() override;

    // Makes the two loaders (without extension lists); true.
    bool init() override;
    // Deletes the loaders; the samples and music they made stop referring to this driver.
    void shutdown() override;
    void setMuted(bool bMuted) override;
    // Releases the sample; -1.
    int playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel) override;
    // Releases the music.
    void playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop) override;
    void setMusicPosition(float fSeconds) override;
    float getSoundVolume() const override { return m_fSoundVolume; }
    void setSoundVolume(float fVolume) override;
    float getMusicVolume() const override { return m_fMusicVolume; }
    void setMusicVolume(float fVolume) override;
    void setPanning(int nChannel, int nLeft, int nRight) override;
    void setChannelPosition(int nChannel, float fAngle, float fDistance) override;
    // "".
    RIR::String getChannelSampleName(int nChannel) const override;
    bool isChannelPlaying(int nChannel) const override;
    void stopChannel(int nChannel, float fFade) override;
    void pauseChannel(int nChannel) override;
    void resumeChannel(int nChannel) override;
    bool isMusicPlaying() const override { return false; }
    void fadeOutMusic(float fFade) override;
    void pauseMusic() override;
    void resumeMusic() override;
    void setPaused(bool bPaused) override;
    // Null before init and after shutdown.
    IResourceLoader<Sample>* getSampleLoader() override { return m_pSampleLoader; }
    // Null before init and after shutdown.
    IResourceLoader<Music>* getMusicLoader() override { return m_pMusicLoader; }

private:
    float m_fSoundVolume;
    float m_fMusicVolume;
    ResourceLoaderImpl<Sample, DummySample>* m_pSampleLoader; // owned
    ResourceLoaderImpl<Music, DummyMusic>* m_pMusicLoader;    // owned
};

#endif
