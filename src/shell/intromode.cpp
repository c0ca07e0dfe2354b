#include "shell/intromode.h"

#include "shell/dbdapp.h"

#include "app/disableimagecache.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

namespace
{

const int KEY_RETURN = 13;
const int KEY_ESCAPE = 27;
const int KEY_SPACE = 32;

} // namespace

IntroMode::IntroMode()
    : DBDMode(MF_ACTIVE), m_nPhase(0), m_fTimer(0.0f), m_fFade(0.0f), m_bFinished(false)
{
}

IntroMode::~IntroMode()
{
}

void IntroMode::onStart()
{
    RIR_TRACE("IntroMode::onStart");
    GameApp* pApp = getApp();
    pApp->showCursor(false);
    RIR::SmartPtr<Image> pBlack = pApp->getImage("black200x200");
    const int nStepX = pBlack->getWidth() > 0 ? pBlack->getWidth() : 1;
    const int nStepY = pBlack->getHeight() > 0 ? pBlack->getHeight() : 1;
    for (int x = 0; x < pApp->getScreenWidth(); x += nStepX)
    {
        for (int y = 0; y < pApp->getScreenHeight(); y += nStepY)
        {
            RIR::SmartPtr<Sprite> pTile = new Sprite(pBlack, x, y, 0);
            addSprite(pTile);
            m_lTiles.append(pTile);
        }
    }
    setPhase(0);
}

void IntroMode::onActivate()
{
    RIR_TRACE("IntroMode::onActivate");
    GameApp* pApp = getApp();
    pApp->stopAllAudio();
    pApp->showCursor(false);
}

void IntroMode::setPhase(int nPhase)
{
    RIR_TRACE("IntroMode::setPhase");
    // The intro's pictures are shown once: they are not kept in the image cache.
    DisableImageCache noCache;
    GameApp* pApp = getApp();
    m_nPhase = nPhase;
    switch (nPhase)
    {
    case 0:
        m_pCover = addSprite(new Sprite(pApp->getImage("tapa"), 0, 0, 1));
        pApp->playMusicByName("st_main", true);
        m_fTimer = COVER_SECONDS;
        break;
    case 1:
        m_pLogo = addSprite(new Sprite(pApp->getImage("logo_white"), 5, 20, 2));
        m_fTimer = WHITE_LOGO_SECONDS;
        break;
    case 2:
        removeObject(m_pLogo);
        m_pLogo = addSprite(new Sprite(pApp->getImage("logo"), 20, 10, 2));
        m_fTimer = LOGO_SECONDS;
        break;
    case 3:
        m_fFade = 255.0f;
        removeObjects(m_lTiles);
        m_lTiles.clear();
        // The menu below shows through while the cover fades.
        addFlags(MF_SEE_THROUGH);
        m_fTimer = FADE_PHASE_SECONDS;
        break;
    default:
        finish();
        break;
    }
}

void IntroMode::update(float fDt)
{
    RIR_TRACE("IntroMode::update");
    if (m_bFinished)
        return;
    m_fTimer -= fDt;
    if (m_fTimer < 0.0f)
    {
        setPhase(m_nPhase + 1);
        if (m_bFinished)
            return;
    }
    if (m_nPhase == 3)
    {
        m_fFade -= fDt * FADE_PER_SECOND;
        if (m_fFade < 0.0f)
            m_fTimer = 0.0f;
        else if (m_pCover)
        {
            RIR::SmartPtr<Image> pImage = m_pCover->getImage();
            const int nAlpha = (int)m_fFade;
            if (pImage && pImage->getAlpha() != nAlpha)
            {
                pImage->setAlpha(nAlpha);
                m_pCover->setImage(pImage);
            }
        }
    }
    getApp()->playMusicByName("st_main", true);
}

bool IntroMode::keyDown(int nKey, int nModifiers)
{
    RIR_TRACE("IntroMode::keyDown");
    if (nKey == KEY_ESCAPE || nKey == KEY_RETURN || nKey == KEY_SPACE)
        finish();
    return GameMode::keyDown(nKey, nModifiers);
}

bool IntroMode::mouseDown(int nButtonMask, int nX, int nY)
{
    RIR_TRACE("IntroMode::mouseDown");
    (void)nButtonMask;
    (void)nX;
    (void)nY;
    finish();
    return true;
}

void IntroMode::finish()
{
    RIR_TRACE("IntroMode::finish");
    // A key and a click in the same frame, or a click in the frame phase 4 is entered, end the
    // intro once.
    if (m_bFinished)
        return;
    m_bFinished = true;
    GameApp* pApp = getApp();
    pApp->setConfirmQuit(true);
    DBDApp* pDBD = DBDApp::getInstance();
    if (pDBD)
        pDBD->setIntroDone(true);
    endMode();
}
