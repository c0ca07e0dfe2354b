// The Ogg demultiplexer and the Theora and Vorbis decoders (see oggmoviedecoder.h).
#include "platform/theora/oggmoviedecoder.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/stream.h"

#include <cstring>

namespace
{

const char* const THEORA_HEADER_ERROR = "Error parsing Theora stream headers; corrupt stream?";
const char* const VORBIS_HEADER_ERROR = "Error parsing Vorbis stream headers; corrupt stream?";
const char* const HEADER_EOF_ERROR = "End of file while searching for codec headers";

} // namespace

OggMovieDecoder::OggMovieDecoder()
    : m_pStream(nullptr), m_bSyncInit(false), m_bTheoraDecoding(false), m_bVorbisDecoding(false),
      m_bInfoInit(false), m_nTheoraHeaders(0), m_nVorbisHeaders(0), m_nPPLevel(0),
      m_nPPLevelMax(0), m_nPPChange(0)
{
    std::memset(&m_sync, 0, sizeof(m_sync));
    std::memset(&m_page, 0, sizeof(m_page));
    std::memset(&m_packet, 0, sizeof(m_packet));
    std::memset(&m_theoraStream, 0, sizeof(m_theoraStream));
    std::memset(&m_vorbisStream, 0, sizeof(m_vorbisStream));
    std::memset(&m_theoraState, 0, sizeof(m_theoraState));
    std::memset(&m_vorbisDsp, 0, sizeof(m_vorbisDsp));
    std::memset(&m_vorbisBlock, 0, sizeof(m_vorbisBlock));
}

OggMovieDecoder::~OggMovieDecoder()
{
    if (m_nVorbisHeaders > 0)
        ogg_stream_clear(&m_vorbisStream);
    if (m_bVorbisDecoding)
    {
        vorbis_block_clear(&m_vorbisBlock);
        vorbis_dsp_clear(&m_vorbisDsp);
    }
    if (m_nTheoraHeaders > 0)
        ogg_stream_clear(&m_theoraStream);
    if (m_bTheoraDecoding)
        theora_clear(&m_theoraState);
    if (m_bInfoInit)
    {
        vorbis_comment_clear(&m_vorbisComment);
        vorbis_info_clear(&m_vorbisInfo);
        theora_comment_clear(&m_theoraComment);
        theora_info_clear(&m_theoraInfo);
    }
    if (m_bSyncInit)
        ogg_sync_clear(&m_sync);
}

void OggMovieDecoder::open(RIR::Stream* pStream)
{
    RIR_TRACE("OggMovieDecoder::open");
    RIR_ASSERT(pStream && !m_pStream);
    m_pStream = pStream;
    ogg_sync_init(&m_sync);
    m_bSyncInit = true;
    vorbis_info_init(&m_vorbisInfo);
    vorbis_comment_init(&m_vorbisComment);
    theora_comment_init(&m_theoraComment);
    theora_info_init(&m_theoraInfo);
    m_bInfoInit = true;
    readFirstHeaders();
    readRemainingHeaders();
    startDecoders();
}

int OggMovieDecoder::bufferData()
{
    RIR_TRACE("OggMovieDecoder::bufferData");
    char* pBuffer = ogg_sync_buffer(&m_sync, BLOCK_BYTES);
    if (!pBuffer)
        return 0;
    const int nRead = m_pStream->read(BLOCK_BYTES, pBuffer);
    if (nRead <= 0)
        return 0;
    ogg_sync_wrote(&m_sync, nRead);
    return nRead;
}

void OggMovieDecoder::queuePage(ogg_page* pPage)
{
    if (m_nTheoraHeaders > 0)
        ogg_stream_pagein(&m_theoraStream, pPage);
    if (m_nVorbisHeaders > 0)
        ogg_stream_pagein(&m_vorbisStream, pPage);
}

int OggMovieDecoder::queuePages()
{
    RIR_TRACE("OggMovieDecoder::queuePages");
    int nPages = 0;
    while (ogg_sync_pageout(&m_sync, &m_page) > 0)
    {
        queuePage(&m_page);
        ++nPages;
    }
    return nPages;
}

void OggMovieDecoder::readFirstHeaders()
{
    RIR_TRACE("OggMovieDecoder::readFirstHeaders");
    bool bDone = false;
    while (!bDone)
    {
        if (bufferData() == 0)
            break;
        while (ogg_sync_pageout(&m_sync, &m_page) > 0)
        {
            if (!ogg_page_bos(&m_page))
            {
                // The first data page: every stream has announced itself.
                queuePage(&m_page);
                bDone = true;
                break;
            }
            ogg_stream_state trial;
            ogg_stream_init(&trial, ogg_page_serialno(&m_page));
            ogg_stream_pagein(&trial, &m_page);
            const bool bPacket = ogg_stream_packetout(&trial, &m_packet) == 1;
            if (bPacket && m_nTheoraHeaders == 0 &&
                theora_decode_header(&m_theoraInfo, &m_theoraComment, &m_packet) >= 0)
            {
                std::memcpy(&m_theoraStream, &trial, sizeof(trial));
                m_nTheoraHeaders = 1;
            }
            else if (bPacket && m_nVorbisHeaders == 0 &&
                     vorbis_synthesis_headerin(&m_vorbisInfo, &m_vorbisComment, &m_packet) >= 0)
            {
                std::memcpy(&m_vorbisStream, &trial, sizeof(trial));
                m_nVorbisHeaders = 1;
            }
            else
                ogg_stream_clear(&trial);
        }
    }
}

void OggMovieDecoder::readRemainingHeaders()
{
    RIR_TRACE("OggMovieDecoder::readRemainingHeaders");
    while ((m_nTheoraHeaders > 0 && m_nTheoraHeaders < 3) ||
           (m_nVorbisHeaders > 0 && m_nVorbisHeaders < 3))
    {
        int nResult;
        while (m_nTheoraHeaders > 0 && m_nTheoraHeaders < 3 &&
               (nResult = ogg_stream_packetout(&m_theoraStream, &m_packet)) != 0)
        {
            if (nResult < 0 || theora_decode_header(&m_theoraInfo, &m_theoraComment, &m_packet))
                RIR_THROW(FatalErrorException, THEORA_HEADER_ERROR);
            ++m_nTheoraHeaders;
        }
        while (m_nVorbisHeaders > 0 && m_nVorbisHeaders < 3 &&
               (nResult = ogg_stream_packetout(&m_vorbisStream, &m_packet)) != 0)
        {
            if (nResult < 0 ||
                vorbis_synthesis_headerin(&m_vorbisInfo, &m_vorbisComment, &m_packet))
                RIR_THROW(FatalErrorException, VORBIS_HEADER_ERROR);
            ++m_nVorbisHeaders;
        }
        if (!((m_nTheoraHeaders > 0 && m_nTheoraHeaders < 3) ||
              (m_nVorbisHeaders > 0 && m_nVorbisHeaders < 3)))
            break;
        if (ogg_sync_pageout(&m_sync, &m_page) > 0)
            queuePage(&m_page);
        else if (bufferData() == 0)
            RIR_THROW(FatalErrorException, HEADER_EOF_ERROR);
    }
}

void OggMovieDecoder::startDecoders()
{
    RIR_TRACE("OggMovieDecoder::startDecoders");
    if (m_nTheoraHeaders > 0)
    {
        const theora_info& ti = m_theoraInfo;
        if (ti.frame_width == 0 || ti.frame_height == 0 || ti.frame_width > MAX_PICTURE_SIDE ||
            ti.frame_height > MAX_PICTURE_SIDE || ti.width < ti.frame_width ||
            ti.height < ti.frame_height)
            RIR_THROW(FatalErrorException, THEORA_HEADER_ERROR);
        if (theora_decode_init(&m_theoraState, &m_theoraInfo) != 0)
            RIR_THROW(FatalErrorException, THEORA_HEADER_ERROR);
        m_bTheoraDecoding = true;
        int nMax = 0;
        theora_control(&m_theoraState, TH_DECCTL_GET_PPLEVEL_MAX, &nMax, sizeof(nMax));
        m_nPPLevelMax = nMax;
        m_nPPLevel = nMax;
        theora_control(&m_theoraState, TH_DECCTL_SET_PPLEVEL, &m_nPPLevel, sizeof(m_nPPLevel));
        m_nPPChange = 0;
    }
    if (m_nVorbisHeaders > 0)
    {
        if (vorbis_synthesis_init(&m_vorbisDsp, &m_vorbisInfo) != 0)
            RIR_THROW(FatalErrorException, VORBIS_HEADER_ERROR);
        vorbis_block_init(&m_vorbisDsp, &m_vorbisBlock);
        m_bVorbisDecoding = true;
    }
}

int OggMovieDecoder::getWidth() const
{
    return m_bTheoraDecoding ? (int)m_theoraInfo.frame_width : 0;
}

int OggMovieDecoder::getHeight() const
{
    return m_bTheoraDecoding ? (int)m_theoraInfo.frame_height : 0;
}

int OggMovieDecoder::getPixelFormat() const
{
    return m_bTheoraDecoding ? (int)m_theoraInfo.pixelformat : PF_420;
}

int OggMovieDecoder::decodeVideoPacket(double* pdTime)
{
    RIR_TRACE("OggMovieDecoder::decodeVideoPacket");
    if (!m_bTheoraDecoding)
        return -1;
    const int nResult = ogg_stream_packetout(&m_theoraStream, &m_packet);
    if (nResult == 0)
        return -1;
    if (nResult < 0)
        return 0; // a gap in the data
    if (m_nPPChange != 0)
    {
        m_nPPLevel += m_nPPChange;
        theora_control(&m_theoraState, TH_DECCTL_SET_PPLEVEL, &m_nPPLevel, sizeof(m_nPPLevel));
        m_nPPChange = 0;
    }
    if (m_packet.granulepos >= 0)
        theora_control(&m_theoraState, TH_DECCTL_SET_GRANPOS, &m_packet.granulepos,
                       sizeof(m_packet.granulepos));
    if (theora_decode_packetin(&m_theoraState, &m_packet) != 0)
        return 0;
    *pdTime = theora_granule_time(&m_theoraState, m_theoraState.granulepos);
    return 1;
}

void OggMovieDecoder::lowerPostProcessing()
{
    if (m_nPPLevel > 0)
        m_nPPChange = -1;
}

void OggMovieDecoder::getPlanes(YuvPlanes* pPlanes)
{
    RIR_TRACE("OggMovieDecoder::getPlanes");
    yuv_buffer yuv;
    std::memset(&yuv, 0, sizeof(yuv));
    theora_decode_YUVout(&m_theoraState, &yuv);
    pPlanes->m_pY = yuv.y;
    pPlanes->m_pU = yuv.u;
    pPlanes->m_pV = yuv.v;
    pPlanes->m_nYStride = yuv.y_stride;
    pPlanes->m_nUVStride = yuv.uv_stride;
}

bool OggMovieDecoder::isVideoAtEnd()
{
    return m_nTheoraHeaders == 0 || ogg_stream_eos(&m_theoraStream) != 0;
}

int OggMovieDecoder::getRate() const
{
    return m_bVorbisDecoding ? (int)m_vorbisInfo.rate : 0;
}

int OggMovieDecoder::getChannels() const
{
    return m_bVorbisDecoding ? m_vorbisInfo.channels : 0;
}

int OggMovieDecoder::peekSamples(float*** pppfPcm)
{
    if (!m_bVorbisDecoding)
        return 0;
    const int n = vorbis_synthesis_pcmout(&m_vorbisDsp, pppfPcm);
    return n > 0 ? n : 0;
}

void OggMovieDecoder::consumeSamples(int n)
{
    if (m_bVorbisDecoding && n > 0)
        vorbis_synthesis_read(&m_vorbisDsp, n);
}

bool OggMovieDecoder::decodeAudioPacket()
{
    RIR_TRACE("OggMovieDecoder::decodeAudioPacket");
    if (!m_bVorbisDecoding)
        return false;
    const int nResult = ogg_stream_packetout(&m_vorbisStream, &m_packet);
    if (nResult == 0)
        return false;
    if (nResult > 0 && vorbis_synthesis(&m_vorbisBlock, &m_packet) == 0)
        vorbis_synthesis_blockin(&m_vorbisDsp, &m_vorbisBlock);
    return true;
}

bool OggMovieDecoder::isAudioAtEnd()
{
    return m_nVorbisHeaders == 0 || ogg_stream_eos(&m_vorbisStream) != 0;
}
