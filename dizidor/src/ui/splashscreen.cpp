#include "ui/splashscreen.h"

#include "app/gameapp.h"
#include "ui/flashlogoplayer.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

// The shortest fade; a shorter (or zero) fade time would divide by zero.
const float MIN_FADE_TIME = 0.0001f;
// The blank tiles that cover the screen.
const int TILE_SIZE = 200;

} // namespace

SplashScreen::SplashScreen()
    : m_pLogo(nullptr), m_nState(SPS_FADE_IN), m_fHold(0.0f), m_fAlpha(0.0f)
{
    RIR_TRACE("SplashScreen::SplashScreen");
}

SplashScreen::~SplashScreen()
{
    RIR_TRACE("SplashScreen::~SplashScreen");
    m_lLogos.clearAndDelete();
    delete m_pLogo;
    m_pLogo = nullptr;
}

void SplashScreen::addLogo(const char* pszName, float fFadeIn, float fHold, float fFadeOut,
                           const char* pszMusic)
{
    RIR_TRACE("SplashScreen::addLogo");
    if (fFadeIn < MIN_FADE_TIME)
        fFadeIn = MIN_FADE_TIME;
    if (fFadeOut < MIN_FADE_TIME)
        fFadeOut = MIN_FADE_TIME;
    SSLogoInfo* pInfo = new SSLogoInfo();
    pInfo->m_sName = pszName;
    pInfo->m_eType = SSLT_PICTURE;
    pInfo->m_fFadeInRate = 256.0f / fFadeIn;
    pInfo->m_fHold = fHold;
    pInfo->m_fFadeOutRate = 256.0f / fFadeOut;
    pInfo->m_sMusic = pszMusic ? pszMusic : "";
    m_lLogos.append(pInfo);
}

void SplashScreen::addStandardLogo(const char* pszName, float fHold, const char* pszMusic)
{
    RIR_TRACE("SplashScreen::addStandardLogo");
    addLogo(pszName, 0.5f, fHold, 0.5f, pszMusic);
}

void SplashScreen::addVideoLogo(const char* pszFileName)
{
    RIR_TRACE("SplashScreen::addVideoLogo");
    const RIR::String sName(pszFileName);
    const RIR::String sExtension = sName.right(4);
    int eType;
    if (sExtension == ".ogv")
        eType = SSLT_VIDEO;
    else if (sExtension == ".flv")
        eType = SSLT_FLASH;
    else
    {
        const RIR::String sMessage =
            RIR::String::format("Unsupported file extension: %s\n", sExtension.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    SSLogoInfo* pInfo = new SSLogoInfo();
    pInfo->m_sName = sName;
    pInfo->m_eType = eType;
    m_lLogos.append(pInfo);
}

void SplashScreen::onStart()
{
    RIR_TRACE("SplashScreen::onStart");
    getApp()->showCursor(false);
    RIR::SmartPtr<Image> pBlank = createImage(TILE_SIZE, TILE_SIZE, false);
    const int nScreenW = getApp()->getScreenWidth();
    const int nScreenH = getApp()->getScreenHeight();
    const int nStepX = pBlank->getWidth();
    const int nStepY = pBlank->getHeight();
    for (int x = 0; x < nScreenW; x += nStepX)
        for (int y = 0; y < nScreenH; y += nStepY)
        {
            RIR::SmartPtr<Sprite> pTile = new Sprite(pBlank, x, y, 0);
            addSprite(pTile);
            m_lTiles.append(pTile);
        }
}

void SplashScreen::onActivate()
{
    RIR_TRACE("SplashScreen::onActivate");
    getApp()->stopAllAudio();
    getApp()->showCursor(false);
}

void SplashScreen::onEnd()
{
    RIR_TRACE("SplashScreen::onEnd");
    getApp()->setConfirmQuit(true);
}

bool SplashScreen::startNextLogo()
{
    RIR_TRACE("SplashScreen::startNextLogo");
    if (m_lLogos.isEmpty())
    {
        endMode();
        return false;
    }
    delete m_pLogo;
    m_pLogo = m_lLogos.takeFirst();
    switch (m_pLogo->m_eType)
    {
    case SSLT_FLASH:
        startFlash();
        break;
    case SSLT_VIDEO:
        startVideo();
        break;
    default:
        startPicture();
        break;
    }
    return true;
}

void SplashScreen::startPicture()
{
    RIR_TRACE("SplashScreen::startPicture");
    m_fHold = m_pLogo->m_fHold;
    // The fade is the sprite's opacity, never the picture's own alpha: the picture is the image
    // cache's shared object (its alpha would stay changed for every later user, and clones share
    // it with their parent), and pictures with an alpha channel ignore an image-wide alpha.
    RIR::SmartPtr<Image> pImage = getImage(m_pLogo->m_sName.c_str());
    const float fScale = pImage->getScale();
    const int nX =
        (int)((float)(getApp()->getScreenWidth() / 2) - ((float)pImage->getWidth() / fScale) * 0.5f);
    const int nY = (int)((float)(getApp()->getScreenHeight() / 2) -
                         ((float)pImage->getHeight() / fScale) * 0.5f);
    m_pLogoSprite = addSprite(new Sprite(pImage, nX, nY, 1));
    m_fAlpha = 0.0f;
    m_pLogoSprite->setAlpha(0.0f);
    m_nState = SPS_FADE_IN;
    if (m_pLogo->m_sMusic.length() > 0)
        getApp()->playMusicByName(m_pLogo->m_sMusic.c_str(), true);
}

void SplashScreen::startFlash()
{
    RIR_TRACE("SplashScreen::startFlash");
    IFlashLogoPlayer* pPlayer = IFlashLogoPlayer::getInstalled();
    if (!pPlayer)
    {
        const RIR::String sMessage =
            RIR::String::format("No Flash player for '%s'", m_pLogo->m_sName.c_str());
        RIR_THROW(FatalErrorException, sMessage.c_str());
    }
    m_pFlash = pPlayer->startMovie(m_pLogo->m_sName.c_str());
    addSprite(m_pFlash);
    m_pLogoSprite = m_pFlash;
    m_nState = SPS_FLASH;
}

void SplashScreen::startVideo()
{
    RIR_TRACE("SplashScreen::startVideo");
    const RIR::String sPath = getApp()->resolveResourceName(m_pLogo->m_sName.c_str(), nullptr);
    m_pVideo = new VideoSprite(sPath.c_str());
    addSprite(m_pVideo);
    m_pVideo->setPos((getApp()->getScreenWidth() - m_pVideo->getWidth()) / 2,
                     (getApp()->getScreenHeight() - m_pVideo->getHeight()) / 2);
    m_pVideo->setZOrder(1);
    m_pLogoSprite = m_pVideo;
    m_nState = SPS_VIDEO;
}

void SplashScreen::applyAlpha()
{
    if (m_pLogoSprite)
        m_pLogoSprite->setAlpha((float)(int)m_fAlpha / 255.0f);
}

void SplashScreen::update(float fDt)
{
    RIR_TRACE("SplashScreen::update");
    if (!m_pLogoSprite && !startNextLogo())
        return;
    switch (m_nState)
    {
    case SPS_FADE_IN:
        m_fAlpha += m_pLogo->m_fFadeInRate * fDt;
        if (m_fAlpha > 255.0f)
        {
            m_fAlpha = 255.0f;
            m_nState = SPS_HOLD;
        }
        applyAlpha();
        break;
    case SPS_HOLD:
        m_fHold -= fDt;
        if (m_fHold < 0.0f)
            m_nState = SPS_FADE_OUT;
        break;
    case SPS_FADE_OUT:
        m_fAlpha -= m_pLogo->m_fFadeOutRate * fDt;
        if (m_fAlpha < 0.0f)
            skipLogo();
        else
            applyAlpha();
        break;
    case SPS_FLASH:
    {
        // A player taken away meanwhile ends the movie.
        IFlashLogoPlayer* pPlayer = IFlashLogoPlayer::getInstalled();
        if (m_pFlash && (!pPlayer || !pPlayer->advance(m_pFlash, fDt)))
        {
            removeObject(m_pFlash);
            m_pFlash = nullptr;
            m_pLogoSprite = nullptr;
        }
        break;
    }
    case SPS_VIDEO:
        if (m_pVideo)
        {
            m_pVideo->update(fDt);
            if (m_pVideo->isFinished())
            {
                removeObject(m_pVideo);
                m_pVideo = nullptr;
                m_pLogoSprite = nullptr;
            }
        }
        break;
    default:
        break;
    }
}

bool SplashScreen::keyUp(int nKey, int /*nModifiers*/)
{
    RIR_TRACE("SplashScreen::keyUp");
    if (nKey == 13 || nKey == 27 || nKey == 32)
        skipLogo();
    return false;
}

bool SplashScreen::mouseUp(int /*nButtonMask*/, int /*nX*/, int /*nY*/)
{
    RIR_TRACE("SplashScreen::mouseUp");
    skipLogo();
    return true;
}

void SplashScreen::skipLogo()
{
    RIR_TRACE("SplashScreen::skipLogo");
    if (m_pLogoSprite)
    {
        removeObject(m_pLogoSprite);
        m_pLogoSprite = nullptr;
    }
}
