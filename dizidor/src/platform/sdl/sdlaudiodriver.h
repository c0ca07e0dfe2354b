// SDLAudioDriver: the audio driver on SDL_mixer 1.2.
//
// Plays sound effects (SDLSample) on 16 mixer channels and one music (SDLMusic) at a time, keeps
// a looping music going by starting it again itself, remembers the sample each channel last
// started so that its name can be asked for, applies volumes, panning and positions, pauses
// everything while the application is in the background, and loads samples and music from
// resources through its two loaders.
//
// Life: the game's start-up makes it, sets the mixing rate (setFrequency: 22050 Hz in low-
// resources mode, else 44100) and hands it to SDLPlatform, which owns it; the application calls
// init and, when that fails, plays through its silent driver instead. Then update once per
// frame, setPaused on focus changes, shutdown from the platform's shutdown, deletion.
//
//     SDLAudioDriver* pAudio = new SDLAudioDriver();
//     pAudio->setFrequency(bLowResources ? 22050 : 44100);
//     pPlatform->setAudioDriver(pAudio);
//
// Audio OK: the mixer was opened by init and not closed by shutdown since. While it is not,
// every operation that would reach the mixer does nothing (or answers false, -1 or nothing);
// stored values (volumes, mute, pause) are still kept.
//
// Channels: 0 to 15; -1 asks for any free channel when playing and means every channel when
// stopping, pausing or resuming. Other numbers never reach the mixer (it would index its tables
// with them): playing on one answers -1, the other operations do nothing.
//
// Music loops by restarting: SDL_mixer plays every music once; the next update after a looping
// music ended starts it again. Fading out or stopping the music ends the loop.
//
// Sweep: the channel table holds every sample it started (so a sample plays to its end even
// when nobody else holds it); every 15 seconds of update time the channels that no longer play
// are forgotten and their samples released.
//
// Main thread only: SDL_mixer mixes on its own thread, this driver calls only its public
// functions and holds no lock of its own.
#ifndef DIZIDOR_PLATFORM_SDL_SDLAUDIODRIVER_H
#define DIZIDOR_PLATFORM_SDL_SDLAUDIODRIVER_H

#include "app/iaudiodriver.h"
#include "app/timer.h"

#include "rir2/hash.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class SDLAudioDriver : public IAudioDriver
{
public:
    enum
    {
        CHANNEL_COUNT = 16,
        DEFAULT_FREQUENCY = 22050
    };

    // The seconds of update time between two sweeps of the channel table.
    static constexpr float SWEEP_PERIOD = 15.0f;

    // 22050 Hz, chunk size chosen at init, volumes 1.0, not paused or muted, the two loaders and
    // the sweep timer ready; the mixer is not open.
    SDLAudioDriver();
    // Releases the current music, the channel table and the timer; does not close the mixer
    // (shutdown does).
    ~SDLAudioDriver() override;

    // ---- set-up before init ------------------------------------------------------------------

    // The mixing rate in Hz.
    void setFrequency(int nFrequency) { m_nFrequency = nFrequency; }
    int getFrequency() const { return m_nFrequency; }
    // The mixer's buffer in samples; 0 or less lets init choose.
    void setChunkSize(int nSamples) { m_nChunkSize = nSamples; }
    int getChunkSize() const { return m_nChunkSize; }
    // The buffer init asks for: the chunk size when above 0, else 2048 samples at 22050 Hz and
    // 4096 at any other rate.
    int chooseChunkSize() const;

    // ---- IAudioDriver ------------------------------------------------------------------------

    // Opens the mixer (signed 16-bit little-endian, stereo, the chosen buffer) with 16 channels
    // and sets the three volumes to 1.0. When the mixer cannot open, logs "A: Audio init failed :
    // " with SDL's error and answers false. True at once when already open.
    bool init() override;
    // Closes the mixer; samples and music made so far stop referring to this run.
    void shutdown() override;
    // While muted, play requests are ignored.
    void setMuted(bool bMuted) override;
    // The channel the sample plays on, or -1 (muted, audio not OK, no free channel, a channel
    // number outside the mixer, or a sample without sound). A null sample raises
    // AssertFailException "Assertion failed : notNULL(pSample)". The pause state is applied again
    // afterwards: a sample started while paused waits for the resume.
    int playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel) override;
    // Plays the music once through (the driver restarts it when bLoop), at the music volume times
    // the music's own volume. Nothing when muted or audio is not OK; a null music raises
    // AssertFailException "Assertion failed : notNULL(pMusic)".
    void playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop) override;
    void setMusicPosition(float fSeconds) override;
    float getSoundVolume() const override { return m_fSoundVolume; }
    void setSoundVolume(float fVolume) override;
    float getMusicVolume() const override { return m_fMusicVolume; }
    void setMusicVolume(float fVolume) override;
    // Levels 0 to 255 (others are clamped) for one channel.
    void setPanning(int nChannel, int nLeft, int nRight) override;
    // Angle in degrees as the game counts them (the mixer gets 90 - angle, so 90 is straight
    // ahead), distance 0.0 to 1.0 (the mixer gets 0 to 255); distance 0 removes the effect.
    void setChannelPosition(int nChannel, float fAngle, float fDistance) override;
    // The name of the sample the channel last started, until the sweep or a stop forgets it.
    RIR::String getChannelSampleName(int nChannel) const override;
    bool isChannelPlaying(int nChannel) const override;
    // Fades over fFade seconds when above 0, else stops at once; the channel is forgotten (for
    // -1, which stops every channel, only the table entry -1).
    void stopChannel(int nChannel, float fFade) override;
    void pauseChannel(int nChannel) override;
    void resumeChannel(int nChannel) override;
    bool isMusicPlaying() const override;
    // Ends the loop and releases the current music, then fades over fFade seconds (above 0) or
    // stops at once.
    void fadeOutMusic(float fFade) override;
    void pauseMusic() override;
    void resumeMusic() override;
    // Stores the state and pauses or resumes the music and every channel.
    void setPaused(bool bPaused) override;
    IResourceLoader<Sample>* getSampleLoader() override { return m_pSampleLoader; }
    IResourceLoader<Music>* getMusicLoader() override { return m_pMusicLoader; }
    // The playlist step, the restart of a looping music that ended, the sweep.
    void update(float fDt) override;

    // ---- others ------------------------------------------------------------------------------

    // Drops the channel's table entry and releases its sample.
    void forgetChannel(int nChannel);
    // Starts the current music again when it is to loop and no music plays.
    void restartLoopingMusic();
    bool isMuted() const { return m_bMuted; }
    bool isPaused() const { return m_bPaused; }
    // Whether the mixer is open (by this driver or anyone else).
    static bool isMixerOpen();
    // The music last started with playMusic and not faded out since; may be null.
    const RIR::SmartPtr<Music>& getPlayingMusic() const { return m_pCurrentMusic; }
    bool isMusicLooping() const { return m_bLoop; }

private:
    SDLAudioDriver(const SDLAudioDriver&) = delete;
    SDLAudioDriver& operator=(const SDLAudioDriver&) = delete;

    bool isAudioOK() const { return m_bOpen; }
    // A channel the mixer has (0 to its count - 1), or -1 when bAllowAll.
    bool isChannelAccepted(int nChannel, bool bAllowAll) const;

    int32_t m_nFrequency;
    int32_t m_nChunkSize;
    float m_fSoundVolume;
    float m_fMusicVolume;
    float m_fMusicOwnVolume;
    bool m_bPaused;
    bool m_bMuted;
    bool m_bOpen;
    RIR::SmartPtr<Timer> m_pSweepTimer;
    RIR::Hash<int, RIR::SmartPtr<Sample>> m_hChannels;
    RIR::SmartPtr<Music> m_pCurrentMusic;
    bool m_bLoop;
    IResourceLoader<Sample>* m_pSampleLoader; // owned
    IResourceLoader<Music>* m_pMusicLoader;   // owned
};

#endif
