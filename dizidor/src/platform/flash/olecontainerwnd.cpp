// The Flash control's container: creation, movie size, off-screen rendering (see
// olecontainerwnd.h).
#include "platform/flash/olecontainerwnd.h"

#include "app/datafolder.h"
#include "app/gameapp.h"
#include "gfx/sprite.h"
#include "platform/flash/swfmovie.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/zstream.h"

#include <cstring>

namespace
{

const int SIZE_HEADER_BYTES = 256;

} // namespace

COleContainerWnd::COleContainerWnd()
    : m_pControl(nullptr), m_hWnd(0), m_bTransparent(false), m_bTwoPass(false),
      m_nWindowWidth(0), m_nWindowHeight(0)
{
}

COleContainerWnd::~COleContainerWnd()
{
    delete m_pControl;
}

RIR::String COleContainerWnd::resolveMoviePath(const char* pszMovieName)
{
    RIR_TRACE("COleContainerWnd::resolveMoviePath");
    GameApp* pApp = GameApp::getInstance();
    const RIR::String sResolved =
        pApp ? pApp->resolveResourceName(pszMovieName, nullptr) : RIR::String();
    if (sResolved.length() == 0)
    {
        const RIR::String sMessage =
            RIR::String::format("Resource %s not found", pszMovieName ? pszMovieName : "");
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    // A folder provider answers a path; a relative one is taken from the current folder.
    if (sResolved.c_str()[0] == '/')
        return getFullPath(sResolved.c_str());
    return getFullPath((getCurrentDir() + sResolved).c_str());
}

bool COleContainerWnd::create(const char* pszMovieName, bool bTransparent)
{
    RIR_TRACE("COleContainerWnd::create");
    m_sMovieName = pszMovieName;
    m_bTransparent = bTransparent;
    m_hWnd = 1;
    m_pControl = makeControl();
    if (!m_pControl || !onControlCreated() || !loadMovie())
    {
        delete m_pControl;
        m_pControl = nullptr;
        return false;
    }
    resize(1.0f);
    return true;
}

void COleContainerWnd::resize(float fScale)
{
    RIR_TRACE("COleContainerWnd::resize");
    int nWidth = 0;
    int nHeight = 0;
    getMovieSize(&nWidth, &nHeight);
    nWidth = (int)((float)nWidth * fScale);
    nHeight = (int)((float)nHeight * fScale);
    // The buffer must stay a sensible size whatever the file says.
    const int nMax = SwfMovie::MAX_MOVIE_SIDE;
    m_nWindowWidth = nWidth < 1 ? 1 : nWidth > nMax ? nMax : nWidth;
    m_nWindowHeight = nHeight < 1 ? 1 : nHeight > nMax ? nMax : nHeight;
}

void COleContainerWnd::getMovieSize(int* pnWidth, int* pnHeight)
{
    RIR_TRACE("COleContainerWnd::getMovieSize");
    const RIR::String sPath = resolveMoviePath(m_sMovieName.c_str());
    RIR::SmartPtr<RIR::File> pFile = new RIR::File(sPath.c_str(), RIR::FOM_READ);
    char acSignature[3] = {0, 0, 0};
    pFile->read(3, acSignature);
    // A short file leaves the rest of the buffer zero.
    uint8_t abHeader[SIZE_HEADER_BYTES];
    std::memset(abHeader, 0, sizeof(abHeader));
    if (pFile->size() > 8)
    {
        pFile->seek(8);
        if (std::memcmp(acSignature, "CWS", 3) == 0)
        {
            RIR::ZStream z(pFile.get(), -1);
            z.read(SIZE_HEADER_BYTES, abHeader);
        }
        else
            pFile->read(SIZE_HEADER_BYTES, abHeader);
    }
    readSwfRectSize(abHeader, sizeof(abHeader), pnWidth, pnHeight);
}

uint8_t COleContainerWnd::twoPassAlpha(uint32_t nBlack, uint32_t nWhite)
{
    int nSum = 0;
    for (int nShift = 0; nShift < 24; nShift += 8)
        nSum += (uint8_t)((uint8_t)(nWhite >> nShift) - (uint8_t)(nBlack >> nShift));
    return (uint8_t)(255 - nSum / 3);
}

void COleContainerWnd::renderToImage(Sprite* pTarget)
{
    RIR_TRACE("COleContainerWnd::renderToImage");
    RIR_ASSERT(m_hWnd);
    const size_t nPixels = (size_t)m_nWindowWidth * (size_t)m_nWindowHeight;
    if (m_anPixels.size() != nPixels)
    {
        m_anPixels.assign(nPixels, 0u);
        if (m_bTwoPass)
            m_anWhitePixels.assign(nPixels, 0u);
    }
    if (m_pControl && nPixels > 0)
    {
        const int nPitch = m_nWindowWidth * 4;
        if (m_bTwoPass)
        {
            m_anWhitePixels.resize(nPixels);
            std::fill(m_anPixels.begin(), m_anPixels.end(), 0u);
            std::fill(m_anWhitePixels.begin(), m_anWhitePixels.end(), 0xFFFFFFFFu);
            m_pControl->draw(m_anPixels.data(), m_nWindowWidth, m_nWindowHeight, nPitch,
                             FlashControl::DRAW_TRANSPARENT);
            m_pControl->draw(m_anWhitePixels.data(), m_nWindowWidth, m_nWindowHeight, nPitch,
                             FlashControl::DRAW_TRANSPARENT);
            for (size_t i = 0; i < nPixels; ++i)
                m_anPixels[i] = (m_anPixels[i] & 0xFFFFFFu) |
                                ((uint32_t)twoPassAlpha(m_anPixels[i], m_anWhitePixels[i]) << 24);
        }
        else
        {
            std::fill(m_anPixels.begin(), m_anPixels.end(), 0u);
            m_pControl->draw(m_anPixels.data(), m_nWindowWidth, m_nWindowHeight, nPitch,
                             m_bTransparent ? FlashControl::DRAW_TRANSPARENT
                                            : FlashControl::DRAW_CONTENT);
        }
    }
    if (!pTarget)
        return;
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    pTarget->setImage(pApp->createImageFromPixels(m_anPixels.data(), m_nWindowWidth,
                                                  m_nWindowHeight, 32, m_nWindowWidth * 4,
                                                  0xFF0000, 0xFF00, 0xFF,
                                                  m_bTransparent ? 0xFF000000 : 0));
}
