// MovieAudioQueue: decoded movie sound waiting for the mixer, and the resampler that fits it to
// the mixer's rate and channels.
//
// The main thread appends buffers (SDLTHAudio, signed 16-bit samples interleaved by channel) and
// clears the queue; the mixer's post-mix hook consumes them on the audio thread. The caller
// serialises the two with SDL's audio lock (SDLTheoraVideo does); the queue itself takes no lock.
//
// Resampling walks the source by whole sample frames: each output frame takes the source frame
// at int(p), p stepping by the rate ratio (source rate / mixer rate), and each output channel
// takes the source channel of the same number, or the last one (mono into stereo writes every
// sample twice). The fraction of p is carried from one buffer call to the next. At most
// RESAMPLE_BYTES are produced per step, then the walk goes on, so any mixer block size is safe.
#ifndef DIZIDOR_PLATFORM_THEORA_MOVIEAUDIOQUEUE_H
#define DIZIDOR_PLATFORM_THEORA_MOVIEAUDIOQUEUE_H

#include "rir2/list.h"

#include <cstdint>

// One queued sound buffer.
struct SDLTHAudio
{
    // nSamples 16-bit samples, not initialised.
    explicit SDLTHAudio(int nSamples);
    ~SDLTHAudio();
    SDLTHAudio(const SDLTHAudio&) = delete;
    SDLTHAudio& operator=(const SDLTHAudio&) = delete;

    int16_t* m_pnData;   // the samples
    uint8_t* m_pbNext;   // the next unplayed byte
    int32_t m_nLeft;     // bytes left
};

class MovieAudioQueue
{
public:
    enum
    {
        RESAMPLE_BYTES = 32768
    };
    // How the mixed bytes reach the stream when not replacing (SDL_MixAudio's shape).
    typedef void (*MixFunction)(uint8_t* pDst, const uint8_t* pSrc, uint32_t nLen, int nVolume);

    // Straight copy, one channel in and out.
    MovieAudioQueue();
    ~MovieAudioQueue();
    MovieAudioQueue(const MovieAudioQueue&) = delete;
    MovieAudioQueue& operator=(const MovieAudioQueue&) = delete;

    // bConvert false: bytes are copied as they are (the formats agree). Otherwise the resampler
    // above with fRatio = source rate / mixer rate (must be > 0).
    void configure(bool bConvert, float fRatio, int nSourceChannels, int nMixerChannels);
    bool isConverting() const { return m_bConvert; }
    float getRatio() const { return m_fRatio; }
    // Mono source into a stereo mixer.
    bool isMonoToStereo() const { return m_nSourceChannels == 1 && m_nMixerChannels == 2; }

    // Takes ownership.
    void append(SDLTHAudio* pAudio);
    // Frees every buffer.
    void clear();
    bool isEmpty() const { return m_lAudio.getLength() == 0; }
    int getCount() const { return m_lAudio.getLength(); }

    // Fills up to nLen bytes of pStream from the oldest buffers: copies over the stream when
    // bReplace, else hands them to mix (volume 128). Stops early when the queue runs dry or
    // *pbStop becomes true (pbStop may be null). Returns the bytes written to the stream.
    int fill(uint8_t* pStream, int nLen, bool bReplace, MixFunction mix,
             const volatile bool* pbStop);

private:
    // Resamples from the buffer into m_abResample, at most nMax bytes; returns the bytes made.
    int resample(SDLTHAudio* pAudio, int nMax);

    RIR::List<SDLTHAudio*> m_lAudio;
    bool m_bConvert;
    float m_fRatio;
    float m_fCarry; // the fraction of the walk left over from the last step
    int32_t m_nSourceChannels;
    int32_t m_nMixerChannels;
    uint8_t m_abResample[RESAMPLE_BYTES];
};

#endif
