// OggMovieDecoder: the Ogg demultiplexer and the Theora and Vorbis decoders of one movie.
//
// Reads an Ogg file from a stream in blocks of 4096 bytes, finds the first Theora and the first
// Vorbis stream among the beginning-of-stream pages (other streams are ignored), reads their
// three headers each and starts the decoders (libtheora's legacy interface, libvorbis). Then the
// player pulls blocks (bufferData), hands the pages to the streams (queuePages) and takes video
// frames and sound samples one packet at a time. It knows nothing of clocks or of the mixer:
// SDLTheoraVideo paces it.
//
// Failure contract (open): FatalErrorException "Error parsing Theora stream headers; corrupt
// stream?" or "Error parsing Vorbis stream headers; corrupt stream?" for a refused header (a
// picture larger than MAX_PICTURE_SIDE counts as refused), "End of file while searching for
// codec headers" when the file ends before all headers. A file with neither stream opens with
// no streams. After open nothing raises: bad data shows as packets that do not decode.
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_THEORA_OGGMOVIEDECODER_H
#define DIZIDOR_PLATFORM_THEORA_OGGMOVIEDECODER_H

#include "platform/theora/yuvconvert.h"

#include <ogg/ogg.h>
#include <theora/theora.h>
#include <vorbis/codec.h>

#include <cstdint>

namespace RIR
{
class Stream;
}

class OggMovieDecoder
{
public:
    enum
    {
        BLOCK_BYTES = 4096,
        // Pictures are at most this many pixels on each side; logos are far smaller.
        MAX_PICTURE_SIDE = 4096
    };
    // Theora pixel formats.
    enum PixelFormat
    {
        PF_420 = 0,
        PF_RESERVED = 1,
        PF_422 = 2,
        PF_444 = 3
    };

    OggMovieDecoder();
    // Clears every codec state that open set up.
    ~OggMovieDecoder();
    OggMovieDecoder(const OggMovieDecoder&) = delete;
    OggMovieDecoder& operator=(const OggMovieDecoder&) = delete;

    // Reads the headers from pStream (not owned; must outlive the decoder) and starts the
    // decoders; the post-processing level starts at its maximum. Raises as said above.
    void open(RIR::Stream* pStream);

    bool hasTheora() const { return m_nTheoraHeaders > 0; }
    bool hasVorbis() const { return m_nVorbisHeaders > 0; }

    // Reads a block into the page splitter; the bytes read (0 at the end of the file).
    int bufferData();
    // Hands every complete page to the streams; the number of pages.
    int queuePages();

    // ---- video -------------------------------------------------------------------------------

    // The picture size (0 without Theora) and the pixel format.
    int getWidth() const;
    int getHeight() const;
    int getPixelFormat() const;
    // Decodes the next Theora packet: -1 when none is waiting, 0 when it did not decode, 1 when
    // a frame was decoded (*pdTime: its time in seconds).
    int decodeVideoPacket(double* pdTime);
    // Lowers the post-processing level by one for the next packet (not below 0).
    void lowerPostProcessing();
    int getPostProcessingLevel() const { return m_nPPLevel; }
    // The planes of the last decoded frame.
    void getPlanes(YuvPlanes* pPlanes);
    // The Theora stream has seen its last page.
    bool isVideoAtEnd();

    // ---- sound -------------------------------------------------------------------------------

    int getRate() const;
    int getChannels() const;
    // Decoded samples waiting (per channel), their planes in *pppfPcm; 0 when none.
    int peekSamples(float*** pppfPcm);
    // Marks n samples as consumed.
    void consumeSamples(int n);
    // Decodes the next Vorbis packet into the sample store; false when no packet is waiting.
    bool decodeAudioPacket();
    // The Vorbis stream has seen its last page.
    bool isAudioAtEnd();

private:
    void queuePage(ogg_page* pPage);
    // The beginning-of-stream pages: identifies the streams.
    void readFirstHeaders();
    // The other headers of each stream.
    void readRemainingHeaders();
    void startDecoders();

    RIR::Stream* m_pStream;
    bool m_bSyncInit;
    ogg_sync_state m_sync;
    ogg_page m_page;
    ogg_packet m_packet;
    ogg_stream_state m_theoraStream;
    ogg_stream_state m_vorbisStream;
    theora_info m_theoraInfo;
    theora_comment m_theoraComment;
    theora_state m_theoraState;
    bool m_bTheoraDecoding;
    vorbis_info m_vorbisInfo;
    vorbis_comment m_vorbisComment;
    vorbis_dsp_state m_vorbisDsp;
    vorbis_block m_vorbisBlock;
    bool m_bVorbisDecoding;
    bool m_bInfoInit;
    int32_t m_nTheoraHeaders;
    int32_t m_nVorbisHeaders;
    int32_t m_nPPLevel;
    int32_t m_nPPLevelMax;
    int32_t m_nPPChange;
};

#endif
