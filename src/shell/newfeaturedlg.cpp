#include "shell/newfeaturedlg.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "gfx/rect.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

// Insertion-point alignments of the pointer and the balloon.
const int ALIGN_CENTRE_TOP = 0x0c;
const int ALIGN_RIGHT_MIDDLE = 0x22;
const int ALIGN_CENTRE_BOTTOM = 0x14;
const int ALIGN_LEFT_MIDDLE = 0x21;

} // namespace

NewFeatureDlg::NewFeatureDlg(const char* pszName, int nX, int nY, int nDirection)
    : DBDMode(MF_SEE_THROUGH),
      m_sName(pszName ? pszName : ""),
      m_nX(nX),
      m_nY(nY),
      m_nDirection(nDirection),
      m_fClickDelay(CLICK_DELAY),
      m_bBuilt(false)
{
}

NewFeatureDlg::~NewFeatureDlg()
{
}

RIR::String NewFeatureDlg::settingKey(const char* pszName)
{
    return RIR::String("FeatureFirstTime") + (pszName ? pszName : "");
}

bool NewFeatureDlg::showOnce(GameApp* pApp, const char* pszName, int nX, int nY, int nDirection)
{
    RIR_TRACE("NewFeatureDlg::showOnce");
    RIR_ASSERT(pApp != NULL);
    const RIR::String sKey = settingKey(pszName);
    if (pApp->getSetting(sKey.c_str()) == "FALSE")
        return false;
    pApp->setSetting(sKey.c_str(), "FALSE");
    pApp->pushMode(new NewFeatureDlg(pszName, nX, nY, nDirection));
    return true;
}

void NewFeatureDlg::onActivate()
{
    RIR_TRACE("NewFeatureDlg::onActivate");
    DBDMode::onActivate();
    // Activation comes again whenever a mode pushed over the tip ends; the contents stay.
    if (!m_bBuilt)
        build();
}

void NewFeatureDlg::build()
{
    RIR_TRACE("NewFeatureDlg::build");
    m_bBuilt = true;
    addDimmer(0.5f);

    const bool bMark = m_nDirection == 2 || m_nDirection == 3;
    RIR::SmartPtr<Image> pPointer = getImage(bMark ? "excl_verde" : "flecha_h")->clone(false);
    // The balloon's own copy, written on while its insertion point is still the picture's.
    RIR::SmartPtr<Image> pBalloon = getImage("globo_feature")->clone(true);
    RIR::SmartPtr<Font> pFont = getFont("Theme::Default");
    pFont->setLineSpacing(-3);
    const RIR::String sText = getString((RIR::String("Feature") + m_sName).c_str());
    const Rect area(TEXT_INSET, TEXT_INSET, pBalloon->getWidth() - TEXT_INSET,
                    pBalloon->getHeight() - TEXT_INSET);
    pFont->drawText(pBalloon, area, sText.c_str());
    int nBalloonX = m_nX;
    int nBalloonY = m_nY;
    switch (m_nDirection)
    {
    case 0:
        pPointer->flipHorizontal();
        pPointer->setInsPointByAlign(ALIGN_RIGHT_MIDDLE);
        pBalloon->setInsPointByAlign(ALIGN_RIGHT_MIDDLE);
        nBalloonX -= BALLOON_DISTANCE;
        break;
    case 1:
        pPointer->setInsPointByAlign(ALIGN_LEFT_MIDDLE);
        pBalloon->setInsPointByAlign(ALIGN_LEFT_MIDDLE);
        nBalloonX += BALLOON_DISTANCE;
        break;
    case 2:
        pPointer->flipVertical();
        pPointer->setInsPointByAlign(ALIGN_CENTRE_TOP);
        pBalloon->setInsPointByAlign(ALIGN_CENTRE_TOP);
        nBalloonY += BALLOON_DISTANCE;
        break;
    case 3:
        pPointer->setInsPointByAlign(ALIGN_CENTRE_BOTTOM);
        pBalloon->setInsPointByAlign(ALIGN_CENTRE_BOTTOM);
        nBalloonY -= BALLOON_DISTANCE;
        break;
    default:
        break;
    }
    m_pPointer = new Sprite(pPointer, m_nX, m_nY, DEPTH);
    addSprite(m_pPointer);

    m_pBalloon = new Sprite(pBalloon, nBalloonX, nBalloonY, DEPTH);
    addSprite(m_pBalloon);
}

void NewFeatureDlg::update(float fDt)
{
    m_fClickDelay -= fDt;
}

bool NewFeatureDlg::mouseDown(int nButtonMask, int nX, int nY)
{
    RIR_TRACE("NewFeatureDlg::mouseDown");
    (void)nButtonMask;
    (void)nX;
    (void)nY;
    if (m_fClickDelay < 0.0f)
        endMode();
    return true;
}
