// SDLTheoraVideo: the movie decoder of the SDL platform (IVideoSpriteImpl).
//
// Plays an Ogg file with a Theora video stream and an optional Vorbis sound stream. Each update
// advances the video clock, decodes sound up to a quarter of a second ahead of the position and
// video up to the position (frames that are already late are decoded but passed over, and each
// one lowers the decoder's post-processing by a level), and returns the newest frame as a 32-bit
// image over one pixel buffer that every frame reuses. The sound goes to SDL_mixer through its
// post-mix hook, which runs on SDL's audio thread: it replaces or mixes into the mixer's output,
// resampled when the movie's rate or channels differ from the mixer's.
//
// Clocks: with sound, the position is the sound the mixer has consumed; without sound (none in
// the file, audio off, or the mixer not open) it is the sum of the update steps. A movie without
// sound or without working audio reads only what its video needs; a movie without video ends
// when its sound ends; one with neither ends at once.
//
// Failure contract: open answers false for a missing file and raises OggMovieDecoder's
// FatalErrorExceptions for damaged headers; seek to an earlier position raises
// FatalErrorException "Theora : Backwards seek not implemented\n".
//
// Threads: the main thread changes the sound queue only under SDL's audio lock; the hook reads
// the flags and advances the sound clock. The destructor raises its stopping flag first, then
// removes the hook under the lock.
#ifndef DIZIDOR_PLATFORM_THEORA_SDLTHEORAVIDEO_H
#define DIZIDOR_PLATFORM_THEORA_SDLTHEORAVIDEO_H

#include "gfx/ivideospriteimpl.h"
#include "platform/theora/movieaudioqueue.h"

#include "rir2/file.h"
#include "rir2/refcount.h"

#include <atomic>
#include <cstdint>
#include <vector>

class OggMovieDecoder;

class SDLTheoraVideo : public IVideoSpriteImpl
{
public:
    enum
    {
        // Sound is decoded this far ahead of the position, in milliseconds.
        AUDIO_LEAD_MS = 250,
        // Blocks read per update at most.
        MAX_PASSES = 10
    };

    // No file, empty queue, volume 1, not playing.
    SDLTheoraVideo();
    // Stops the hook, frees the queue, the decoders, the file and the pixels.
    ~SDLTheoraVideo() override;
    SDLTheoraVideo(const SDLTheoraVideo&) = delete;
    SDLTheoraVideo& operator=(const SDLTheoraVideo&) = delete;

    bool open(const char* pszPath) override;
    RIR::SmartPtr<Image> update(float fDt) override;
    void play() override { m_bPlaying = true; }
    void stop() override { m_bPlaying = false; }
    void notImplemented() override;
    bool isFinished() override { return m_bFinished; }
    int getWidth() override { return m_nWidth; }
    int getHeight() override { return m_nHeight; }
    void setVolume(float fVolume) override { m_fVolume = fVolume; }
    void setReplaceMixerOutput(bool bReplace) override { m_bReplaceMixerOutput = bReplace; }
    bool getReplaceMixerOutput() override { return m_bReplaceMixerOutput; }
    float getPosition() override;
    void seek(float fSeconds) override;

    // ---- state for tests and tools ---------------------------------------------------------

    // The file has sound that reaches the mixer.
    bool hasSound() const { return m_bSound; }
    bool hasVideo() const;
    const MovieAudioQueue& getAudioQueue() const { return m_queue; }
    float getVolume() const { return m_fVolume; }
    // The current post-processing level of the video decoder.
    int getPostProcessingLevel() const;

private:
    // Sets up the sound path when the application's audio works and the mixer is open.
    void setUpSound();
    // Decodes sound until fTarget seconds are decoded or no packet is waiting.
    void decodeSound(float fTarget);
    // Decodes video until a frame at or after fTarget is ready or no packet is waiting.
    void decodeVideo(float fTarget);
    // The ready frame as an image over the pixel buffer.
    RIR::SmartPtr<Image> convertReadyFrame();
    // SDL_mixer's post-mix hook; pUser is the video.
    static void postMix(void* pUser, uint8_t* pStream, int nLen);

    std::atomic<bool> m_bPlaying;
    float m_fTime;
    bool m_bFinished;
    int32_t m_nWidth;
    int32_t m_nHeight;
    volatile bool m_bStopping;
    bool m_bOpen;
    RIR::SmartPtr<RIR::File> m_pStream;
    OggMovieDecoder* m_pDecoder; // owned
    double m_dFrameTime;
    bool m_bFrameReady;
    float m_fAudioTime;
    std::atomic<float> m_fAudioClock;
    int32_t m_nMixBytesPerSec;
    int32_t m_nAudioBytesPerSec;
    std::atomic<bool> m_bReplaceMixerOutput;
    float m_fVolume;
    MovieAudioQueue m_queue;
    bool m_bSound;
    bool m_bHookInstalled;
    int32_t m_nChromaRowDiv;
    bool m_bFullChroma;
    bool m_b420;
    std::vector<uint32_t> m_anPixels; // m_nWidth x (m_nHeight + 1), zeroed
};

#endif
