// The audio interfaces: IAudioDriver with its music layer and the shared sound objects Sample and
// Music, which the caches make through the driver's loaders (IResourceLoader<T>,
// app/resourceloader.h).
//
// Sound reaches the speakers only through an IAudioDriver. The platform lends one out
// (IPlatform::getAudioDriver); when audio is switched off, missing or fails to start, GameApp
// makes the silent DummyAudioDriver instead, and nothing else can tell the difference. A back-end
// implements every virtual operation of IAudioDriver in this slot order; the destructor and
// update have bodies here. Volumes are 0.0 to 1.0 throughout; channels are numbered from 0 and -1
// means "any free one" when playing and "all" when stopping, pausing or resuming.
//
// The music layer (getCurrentMusic, playMusicByName, stopMusic, playPlaylist and the body of
// update) is shared by every back-end. It fetches music by name through the application
// (IAppServices::getMusic); without a registered application it raises BadStateException.
// Playlist tracks never loop by themselves: each update after a track has ended starts the next
// one, chosen at random but never the track that just played, unless the playlist holds nothing
// else.
//
// Samples and music made by a driver may outlive it (the application deletes the platform before
// its caches let go). Each holds the DriverLifetime of the driver run that made it and must touch
// nothing of the driver once isDriverAlive answers false. A back-end ends its lifetime with
// endLifetime in its shutdown, before it closes the device.
//
// All operations run on the main thread.
#ifndef DIZIDOR_APP_IAUDIODRIVER_H
#define DIZIDOR_APP_IAUDIODRIVER_H

#include "app/driverlifetime.h"
#include "app/resourceloader.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

// A sound effect, shared through SmartPtr<Sample>.
class Sample : public RIR::RefCountedObject
{
public:
    Sample();
    ~Sample() override;

    // 0.0 to 1.0.
    virtual float getVolume() const = 0;
    virtual void setVolume(float fVolume) = 0;

    // The resource name the sample was loaded from; empty until a back-end sets it.
    const RIR::String& getName() const { return m_sName; }

    // Ties the sample to the run of the driver that made it (the loaders do this).
    void setDriverLifetime(const RIR::SmartPtr<DriverLifetime>& pLifetime)
    {
        m_pDriverLifetime = pLifetime;
    }
    // True while the driver run that made the sample goes on; false without a driver.
    bool isDriverAlive() const { return m_pDriverLifetime && m_pDriverLifetime->isAlive(); }

protected:
    RIR::String m_sName;

private:
    RIR::SmartPtr<DriverLifetime> m_pDriverLifetime;
};

// A piece of music, shared through SmartPtr<Music>; one plays at a time.
class Music : public RIR::RefCountedObject
{
public:
    Music();
    ~Music() override;

    // 0.0 to 1.0.
    virtual float getVolume() const = 0;
    virtual void setVolume(float fVolume) = 0;

    // As for Sample.
    void setDriverLifetime(const RIR::SmartPtr<DriverLifetime>& pLifetime)
    {
        m_pDriverLifetime = pLifetime;
    }
    bool isDriverAlive() const { return m_pDriverLifetime && m_pDriverLifetime->isAlive(); }

private:
    RIR::SmartPtr<DriverLifetime> m_pDriverLifetime;
};

class IAudioDriver
{
public:
    IAudioDriver();
    // Ends the driver's lifetime (see above).
    virtual ~IAudioDriver();

    // Opens the audio device; false when it cannot.
    virtual bool init() = 0;
    // Closes the device.
    virtual void shutdown() = 0;
    // While muted, play requests are ignored.
    virtual void setMuted(bool bMuted) = 0;
    // Starts the sample on nChannel (-1: any free one), repeating it without end when bLoop;
    // returns the channel used, or -1 when it does not play.
    virtual int playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel) = 0;
    // Starts the music in place of any other.
    virtual void playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop) = 0;
    // Seeks the playing music; nothing when none plays.
    virtual void setMusicPosition(float fSeconds) = 0;
    virtual float getSoundVolume() const = 0;
    // The volume of all samples.
    virtual void setSoundVolume(float fVolume) = 0;
    virtual float getMusicVolume() const = 0;
    virtual void setMusicVolume(float fVolume) = 0;
    // Left and right levels 0 to 255.
    virtual void setPanning(int nChannel, int nLeft, int nRight) = 0;
    // Angle in degrees, distance 0.0 to 1.0; distance 0 removes the position.
    virtual void setChannelPosition(int nChannel, float fAngle, float fDistance) = 0;
    // The name of the sample the channel plays, or "".
    virtual RIR::String getChannelSampleName(int nChannel) const = 0;
    // False for a negative channel.
    virtual bool isChannelPlaying(int nChannel) const = 0;
    // fFade > 0: fades out over that many seconds; otherwise stops at once.
    virtual void stopChannel(int nChannel, float fFade) = 0;
    virtual void pauseChannel(int nChannel) = 0;
    virtual void resumeChannel(int nChannel) = 0;
    virtual bool isMusicPlaying() const = 0;
    // fFade > 0: fades out over that many seconds; 0 stops at once.
    virtual void fadeOutMusic(float fFade) = 0;
    virtual void pauseMusic() = 0;
    virtual void resumeMusic() = 0;
    // Pauses or resumes the music and every channel; the platform calls it when the application
    // loses or regains the input focus.
    virtual void setPaused(bool bPaused) = 0;
    // Lent out; the sample cache loads through it.
    virtual IResourceLoader<Sample>* getSampleLoader() = 0;
    // Lent out; the music cache loads through it.
    virtual IResourceLoader<Music>* getMusicLoader() = 0;
    // Once per frame while the driver works: starts the next playlist track when no music plays.
    // A back-end that overrides it runs this body first. dt is not used here.
    virtual void update(float fDt);

    // ---- the music layer ----------------------------------------------------------------------

    // The name of the music last started by name or from the playlist; "" after stopMusic.
    RIR::String getCurrentMusic() const { return m_sCurrentMusic; }
    // Nothing when that music is the current one and plays. Otherwise the playlist is emptied,
    // the name becomes the current music and the music is fetched from the application and
    // started with the loop flag. A missing music raises the cache's error; the name then stays
    // current.
    void playMusicByName(const char* pszName, bool bLoop);
    // Stops the music at once; no current music, empty playlist.
    void stopMusic();
    // stopMusic, then the playlist becomes a copy of lNames and a track starts at once (update).
    void playPlaylist(const RIR::List<RIR::String>& lNames);
    // The music names the playlist chooses from.
    const RIR::List<RIR::String>& getPlaylist() const { return m_lPlaylist; }

    // The token of the current driver run; the loaders hand it to what they make.
    const RIR::SmartPtr<DriverLifetime>& getLifetime() const { return m_pLifetime; }

protected:
    // Ends the current run's token: every sample and music made so far stops touching the driver.
    // Objects made afterwards get a new token.
    void endLifetime();

private:
    IAudioDriver(const IAudioDriver&) = delete;
    IAudioDriver& operator=(const IAudioDriver&) = delete;

    // Makes m_sCurrentMusic the playing music.
    void startCurrentMusic(bool bLoop);
    // The next playlist track: the only entry, the current track when no entry differs from it,
    // else a random entry that differs.
    RIR::String chooseNextTrack() const;

    RIR::String m_sCurrentMusic;
    RIR::List<RIR::String> m_lPlaylist;
    RIR::SmartPtr<DriverLifetime> m_pLifetime;
};

#endif
