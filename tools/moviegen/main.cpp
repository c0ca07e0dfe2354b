// moviegen: writes tiny Ogg movies for the tests and the demos, with the libtheora and libvorbis
// encoders.
//
//     moviegen OUT [--size WxH] [--frames N] [--fps F] [--chroma 420|422|444]
//                  [--colour Y,U,V] [--bars] [--audio RATE,CHANNELS] [--tone HZ]
//                  [--audio-seconds S] [--no-video]
//
// --size WxH          picture size (any size; the coded frame is rounded up to 16), 64x48
// --frames N          number of video frames, 8
// --fps F             frames per second (integer), 25
// --chroma            pixel format of the Theora stream, 420
// --colour Y,U,V      every frame one flat colour (default 16,128,128)
// --bars              instead of a flat colour: eight vertical bars of the classic test colours,
//                     with a bright square that moves one step right per frame
// --audio RATE,CH     a Vorbis stream of RATE Hz and CH channels (1 or 2); none by default
// --tone HZ           the sound: a sine of HZ on the first channel (later channels are silent);
//                     0 gives silence; 440 by default
// --audio-seconds S   the sound's length (default: the video's length, or 1 s without video)
// --no-video          no Theora stream
//
// Exit status: 0 written, 1 an encoder or file error, 2 wrong arguments.
#include <theora/theoraenc.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

struct Options
{
    std::string sOut;
    int nWidth = 64;
    int nHeight = 48;
    int nFrames = 8;
    int nFps = 25;
    int nChroma = 420;
    int nY = 16, nU = 128, nV = 128;
    bool bBars = false;
    int nRate = 0;
    int nChannels = 0;
    double dTone = 440.0;
    double dAudioSeconds = -1.0;
    bool bVideo = true;
};

const char* const USAGE =
    "usage: moviegen OUT [--size WxH] [--frames N] [--fps F] [--chroma 420|422|444]\n"
    "                [--colour Y,U,V] [--bars] [--audio RATE,CHANNELS] [--tone HZ]\n"
    "                [--audio-seconds S] [--no-video]\n";

bool parse(int argc, char** argv, Options* pOut)
{
    if (argc < 2)
        return false;
    pOut->sOut = argv[1];
    for (int i = 2; i < argc; ++i)
    {
        const std::string s = argv[i];
        const char* pszValue = i + 1 < argc ? argv[i + 1] : nullptr;
        if (s == "--bars")
            pOut->bBars = true;
        else if (s == "--no-video")
            pOut->bVideo = false;
        else if (!pszValue)
            return false;
        else
        {
            ++i;
            if (s == "--size" && std::sscanf(pszValue, "%dx%d", &pOut->nWidth, &pOut->nHeight) == 2)
                continue;
            if (s == "--frames" && std::sscanf(pszValue, "%d", &pOut->nFrames) == 1)
                continue;
            if (s == "--fps" && std::sscanf(pszValue, "%d", &pOut->nFps) == 1)
                continue;
            if (s == "--chroma" && std::sscanf(pszValue, "%d", &pOut->nChroma) == 1)
                continue;
            if (s == "--colour" &&
                std::sscanf(pszValue, "%d,%d,%d", &pOut->nY, &pOut->nU, &pOut->nV) == 3)
                continue;
            if (s == "--audio" &&
                std::sscanf(pszValue, "%d,%d", &pOut->nRate, &pOut->nChannels) == 2)
                continue;
            if (s == "--tone" && std::sscanf(pszValue, "%lf", &pOut->dTone) == 1)
                continue;
            if (s == "--audio-seconds" && std::sscanf(pszValue, "%lf", &pOut->dAudioSeconds) == 1)
                continue;
            return false;
        }
    }
    const bool bChromaOK = pOut->nChroma == 420 || pOut->nChroma == 422 || pOut->nChroma == 444;
    const bool bAudioOK = pOut->nRate == 0 || (pOut->nRate >= 8000 && pOut->nRate <= 96000 &&
                                               (pOut->nChannels == 1 || pOut->nChannels == 2));
    return pOut->nWidth > 0 && pOut->nHeight > 0 && pOut->nWidth <= 4096 &&
           pOut->nHeight <= 4096 && pOut->nFrames > 0 && pOut->nFps > 0 && bChromaOK &&
           bAudioOK && (pOut->bVideo || pOut->nRate > 0);
}

bool writePage(FILE* pFile, const ogg_page& page)
{
    return std::fwrite(page.header, 1, (size_t)page.header_len, pFile) == (size_t)page.header_len &&
           std::fwrite(page.body, 1, (size_t)page.body_len, pFile) == (size_t)page.body_len;
}

// The classic bars, as Y, U, V.
const unsigned char BARS[8][3] = {{235, 128, 128}, {210, 16, 146}, {170, 166, 16},
                                  {145, 54, 34},   {106, 202, 222}, {81, 90, 240},
                                  {41, 240, 110},  {16, 128, 128}};

class VideoEncoder
{
public:
    explicit VideoEncoder(const Options& o) : m_o(o), m_pCtx(nullptr)
    {
        th_info_init(&m_info);
        m_info.frame_width = (ogg_uint32_t)((o.nWidth + 15) & ~15);
        m_info.frame_height = (ogg_uint32_t)((o.nHeight + 15) & ~15);
        m_info.pic_width = (ogg_uint32_t)o.nWidth;
        m_info.pic_height = (ogg_uint32_t)o.nHeight;
        m_info.pic_x = 0;
        m_info.pic_y = 0;
        m_info.fps_numerator = (ogg_uint32_t)o.nFps;
        m_info.fps_denominator = 1;
        m_info.aspect_numerator = 1;
        m_info.aspect_denominator = 1;
        m_info.colorspace = TH_CS_UNSPECIFIED;
        m_info.pixel_fmt = o.nChroma == 444 ? TH_PF_444 : o.nChroma == 422 ? TH_PF_422 : TH_PF_420;
        m_info.target_bitrate = 0;
        m_info.quality = 63;
        m_info.keyframe_granule_shift = 6;
        m_pCtx = th_encode_alloc(&m_info);
        ogg_stream_init(&m_stream, 0x7e0);
    }
    ~VideoEncoder()
    {
        if (m_pCtx)
            th_encode_free(m_pCtx);
        th_info_clear(&m_info);
        ogg_stream_clear(&m_stream);
    }
    bool ok() const { return m_pCtx != nullptr; }
    ogg_stream_state& stream() { return m_stream; }

    // The first header packet goes into the stream alone (the caller flushes it onto the
    // beginning-of-stream page); headersRest queues the other two. ogg_stream_packetin copies.
    bool headerFirst()
    {
        th_comment_init(&m_comment);
        ogg_packet packet;
        if (th_encode_flushheader(m_pCtx, &m_comment, &packet) <= 0)
            return false;
        ogg_stream_packetin(&m_stream, &packet);
        return true;
    }
    bool headersRest()
    {
        ogg_packet packet;
        int nResult;
        while ((nResult = th_encode_flushheader(m_pCtx, &m_comment, &packet)) > 0)
            ogg_stream_packetin(&m_stream, &packet);
        th_comment_clear(&m_comment);
        return nResult == 0;
    }

    // Frame n into the stream.
    bool frame(int n)
    {
        const int nFW = (int)m_info.frame_width;
        const int nFH = (int)m_info.frame_height;
        const int nCW = m_o.nChroma == 444 ? nFW : nFW / 2;
        const int nCH = m_o.nChroma == 420 ? nFH / 2 : nFH;
        std::vector<unsigned char> abY((size_t)(nFW * nFH)), abU((size_t)(nCW * nCH)),
            abV((size_t)(nCW * nCH));
        for (int y = 0; y < nFH; ++y)
            for (int x = 0; x < nFW; ++x)
            {
                unsigned char c[3];
                pixel(n, x, y, c);
                abY[(size_t)(y * nFW + x)] = c[0];
                const int cx = nCW == nFW ? x : x / 2;
                const int cy = nCH == nFH ? y : y / 2;
                abU[(size_t)(cy * nCW + cx)] = c[1];
                abV[(size_t)(cy * nCW + cx)] = c[2];
            }
        th_ycbcr_buffer buffer;
        buffer[0] = {nFW, nFH, nFW, abY.data()};
        buffer[1] = {nCW, nCH, nCW, abU.data()};
        buffer[2] = {nCW, nCH, nCW, abV.data()};
        if (th_encode_ycbcr_in(m_pCtx, buffer) != 0)
            return false;
        ogg_packet packet;
        const bool bLast = n == m_o.nFrames - 1;
        while (th_encode_packetout(m_pCtx, bLast ? 1 : 0, &packet) > 0)
            ogg_stream_packetin(&m_stream, &packet);
        return true;
    }

    double frameEnd(int n) const { return (double)(n + 1) / (double)m_o.nFps; }

private:
    void pixel(int n, int x, int y, unsigned char* pc) const
    {
        if (!m_o.bBars)
        {
            pc[0] = (unsigned char)m_o.nY;
            pc[1] = (unsigned char)m_o.nU;
            pc[2] = (unsigned char)m_o.nV;
            return;
        }
        const int nBar = std::min(7, x * 8 / std::max(1, m_o.nWidth));
        std::memcpy(pc, BARS[nBar], 3);
        const int nSide = std::max(4, m_o.nHeight / 4);
        const int nLeft = (n * 4) % std::max(1, m_o.nWidth - nSide);
        if (x >= nLeft && x < nLeft + nSide && y >= m_o.nHeight / 2 - nSide / 2 &&
            y < m_o.nHeight / 2 + nSide / 2)
        {
            pc[0] = 235;
            pc[1] = 128;
            pc[2] = 128;
        }
    }

    const Options& m_o;
    th_info m_info;
    th_enc_ctx* m_pCtx;
    th_comment m_comment;
    ogg_stream_state m_stream;
};

class AudioEncoder
{
public:
    explicit AudioEncoder(const Options& o) : m_o(o), m_bOK(false), m_nWritten(0)
    {
        vorbis_info_init(&m_info);
        m_bOK = vorbis_encode_init_vbr(&m_info, o.nChannels, o.nRate, 0.4f) == 0;
        vorbis_comment_init(&m_comment);
        if (m_bOK)
        {
            vorbis_analysis_init(&m_dsp, &m_info);
            vorbis_block_init(&m_dsp, &m_block);
        }
        ogg_stream_init(&m_stream, 0x50d);
        const double dSeconds = o.dAudioSeconds >= 0.0 ? o.dAudioSeconds
                                : o.bVideo ? (double)o.nFrames / (double)o.nFps
                                           : 1.0;
        m_nTotal = (long)(dSeconds * o.nRate);
    }
    ~AudioEncoder()
    {
        if (m_bOK)
        {
            vorbis_block_clear(&m_block);
            vorbis_dsp_clear(&m_dsp);
        }
        vorbis_comment_clear(&m_comment);
        vorbis_info_clear(&m_info);
        ogg_stream_clear(&m_stream);
    }
    bool ok() const { return m_bOK; }
    ogg_stream_state& stream() { return m_stream; }

    // As the video's: the first header alone, then the other two.
    void headerFirst()
    {
        vorbis_analysis_headerout(&m_dsp, &m_comment, &m_aHeader[0], &m_aHeader[1],
                                  &m_aHeader[2]);
        ogg_stream_packetin(&m_stream, &m_aHeader[0]);
    }
    void headersRest()
    {
        ogg_stream_packetin(&m_stream, &m_aHeader[1]);
        ogg_stream_packetin(&m_stream, &m_aHeader[2]);
    }

    bool done() const { return m_nWritten >= m_nTotal && m_bEnded; }
    double time() const { return (double)m_nWritten / (double)m_o.nRate; }

    // Feeds about a tenth of a second (the end marker once all is fed) and moves the finished
    // packets into the stream.
    void step()
    {
        const long nChunk = std::min<long>(m_o.nRate / 10, m_nTotal - m_nWritten);
        if (nChunk > 0)
        {
            float** ppBuffer = vorbis_analysis_buffer(&m_dsp, (int)nChunk);
            for (long i = 0; i < nChunk; ++i)
            {
                const double dT = (double)(m_nWritten + i) / (double)m_o.nRate;
                for (int c = 0; c < m_o.nChannels; ++c)
                    ppBuffer[c][i] =
                        c == 0 && m_o.dTone > 0.0
                            ? (float)(0.5 * std::sin(2.0 * M_PI * m_o.dTone * dT))
                            : 0.0f;
            }
            vorbis_analysis_wrote(&m_dsp, (int)nChunk);
            m_nWritten += nChunk;
        }
        else if (!m_bEnded)
        {
            vorbis_analysis_wrote(&m_dsp, 0);
            m_bEnded = true;
        }
        while (vorbis_analysis_blockout(&m_dsp, &m_block) == 1)
        {
            vorbis_analysis(&m_block, nullptr);
            vorbis_bitrate_addblock(&m_block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&m_dsp, &packet))
                ogg_stream_packetin(&m_stream, &packet);
        }
    }

private:
    const Options& m_o;
    bool m_bOK;
    bool m_bEnded = false;
    long m_nWritten;
    long m_nTotal;
    vorbis_info m_info;
    vorbis_comment m_comment;
    vorbis_dsp_state m_dsp;
    vorbis_block m_block;
    ogg_packet m_aHeader[3];
    ogg_stream_state m_stream;
};

int run(const Options& o)
{
    FILE* pFile = std::fopen(o.sOut.c_str(), "wb");
    if (!pFile)
    {
        std::fprintf(stderr, "moviegen: cannot write %s\n", o.sOut.c_str());
        return 1;
    }
    VideoEncoder* pVideo = o.bVideo ? new VideoEncoder(o) : nullptr;
    AudioEncoder* pAudio = o.nRate > 0 ? new AudioEncoder(o) : nullptr;
    bool bOK = (!pVideo || pVideo->ok()) && (!pAudio || pAudio->ok());
    ogg_page page;
    // The first header of each stream on a beginning-of-stream page of its own, those pages
    // first; then the other headers, flushed before any data.
    if (bOK && pVideo)
    {
        bOK = pVideo->headerFirst();
        if (bOK && ogg_stream_flush(&pVideo->stream(), &page) > 0)
            bOK = writePage(pFile, page);
    }
    if (bOK && pAudio)
    {
        pAudio->headerFirst();
        if (ogg_stream_flush(&pAudio->stream(), &page) > 0)
            bOK = writePage(pFile, page);
    }
    if (bOK && pVideo)
        bOK = pVideo->headersRest();
    if (bOK && pAudio)
        pAudio->headersRest();
    for (ogg_stream_state* pStream :
         {pVideo ? &pVideo->stream() : nullptr, pAudio ? &pAudio->stream() : nullptr})
        while (bOK && pStream && ogg_stream_flush(pStream, &page) > 0)
            bOK = writePage(pFile, page);

    // Data: whichever stream is behind in time gets its next page out first.
    int nFrame = 0;
    while (bOK)
    {
        const bool bVideoLeft = pVideo && nFrame < o.nFrames;
        const bool bAudioLeft = pAudio && !pAudio->done();
        if (!bVideoLeft && !bAudioLeft)
            break;
        if (bVideoLeft && (!bAudioLeft || pVideo->frameEnd(nFrame) <= pAudio->time()))
        {
            bOK = pVideo->frame(nFrame++);
            while (bOK && ogg_stream_pageout(&pVideo->stream(), &page) > 0)
                bOK = writePage(pFile, page);
        }
        else
        {
            pAudio->step();
            while (bOK && ogg_stream_pageout(&pAudio->stream(), &page) > 0)
                bOK = writePage(pFile, page);
        }
    }
    for (ogg_stream_state* pStream :
         {pVideo ? &pVideo->stream() : nullptr, pAudio ? &pAudio->stream() : nullptr})
        while (bOK && pStream && ogg_stream_flush(pStream, &page) > 0)
            bOK = writePage(pFile, page);
    delete pVideo;
    delete pAudio;
    bOK = std::fclose(pFile) == 0 && bOK;
    if (!bOK)
    {
        std::fprintf(stderr, "moviegen: encoding %s failed\n", o.sOut.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, &options))
    {
        std::fputs(USAGE, stderr);
        return 2;
    }
    return run(options);
}
