#include "ui/creditsmode.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

const int Z_BACKGROUND = -2000;
const int Z_ITEM = 10;
const int Z_BAND = 200;

} // namespace

CreditsMode::CreditsMode()
    : m_fScrollSpeed(30.0f), m_nTopLine(50), m_nBottomLine(getApp()->getScreenHeight() - 50),
      m_nBandCount(25), m_nBandHeight(5), m_nDarkStrength(192), m_fScrollRemainder(0.0f),
      m_bCloseWhenDone(true), m_bDone(false), m_nButtonsDown(0)
{
    RIR_TRACE("CreditsMode::CreditsMode");
}

CreditsMode::~CreditsMode()
{
    RIR_TRACE("CreditsMode::~CreditsMode");
    m_lActive.clear();
    m_lQueued.clear();
}

void CreditsMode::setBackground(const char* pszName)
{
    m_sBackground = pszName;
}

void CreditsMode::setGradient(int nCount, int nHeight)
{
    m_nBandCount = nCount;
    m_nBandHeight = nHeight;
}

void CreditsMode::setDarkStrength(int nStrength)
{
    RIR_TRACE("CreditsMode::setDarkStrength");
    if (nStrength < 0)
        RIR_THROW(AssertFailException, "Assertion failed : m_nDarkStrength >= 0");
    if (nStrength > 255)
        RIR_THROW(AssertFailException, "Assertion failed : m_nDarkStrength <= 255");
    m_nDarkStrength = nStrength;
}

void CreditsMode::setLines(int nTop, int nBottom)
{
    m_nTopLine = nTop;
    m_nBottomLine = nBottom;
}

RIR::SmartPtr<Label> CreditsMode::addText(const char* pszText, bool bQueue)
{
    RIR_TRACE("CreditsMode::addText");
    GameApp* pApp = getApp();
    RIR::String sText = pApp->hasString(pszText) ? RIR::String(pApp->getString(pszText))
                                                 : RIR::String(pszText);
    const int nLines = sText.split("\n").getLength();
    sText = sText.replaceAll("\n-\n", "\n\n");
    RIR::SmartPtr<Label> pLabel = new Label(sText.c_str(), 0, 0, Z_ITEM, 0, true);
    pLabel->setAlignment(0x24);
    pLabel->setTextColor(Color(255, 255, 255, 255));
    pLabel->setShadowColor(Color(0, 0, 0, 255));
    pLabel->setLineCount(nLines);
    addSprite(pLabel);
    if (bQueue)
        queueItem(pLabel);
    return pLabel;
}

RIR::SmartPtr<Sprite> CreditsMode::addImage(RIR::SmartPtr<Image> pImage, bool bQueue)
{
    RIR_TRACE("CreditsMode::addImage");
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 0, 0, Z_ITEM);
    addSprite(pSprite);
    if (bQueue)
        queueItem(pSprite);
    return pSprite;
}

RIR::SmartPtr<Sprite> CreditsMode::addImageByName(const char* pszName, bool bQueue)
{
    RIR_TRACE("CreditsMode::addImageByName");
    return addImage(getImage(pszName), bQueue);
}

void CreditsMode::addSpace(int nHeight)
{
    RIR_TRACE("CreditsMode::addSpace");
    addImage(createImage(10, nHeight, true), true);
}

void CreditsMode::queueItem(RIR::SmartPtr<IVisualObject> pItem)
{
    RIR_TRACE("CreditsMode::queueItem");
    pItem->setVisible(false);
    m_lQueued.append(pItem);
    pItem->setPos(getApp()->getScreenWidth() + 100, getApp()->getScreenHeight() + 100);
}

void CreditsMode::addBand(RIR::SmartPtr<Image> pImage, int nTop, int nBottom, int nAlpha)
{
    RIR_TRACE("CreditsMode::addBand");
    RIR::SmartPtr<Image> pStrip =
        pImage->createSubImage(0, nTop, getApp()->getScreenWidth(), nBottom - nTop, false);
    RIR::SmartPtr<Sprite> pBand = new Sprite(pStrip, 0, nTop, Z_BAND);
    pBand->setAlpha((float)nAlpha / 255.0f);
    const int nTint = 255 - m_nDarkStrength;
    pBand->setColor(Color(nTint, nTint, nTint, 255));
    addSprite(pBand);
}

void CreditsMode::spawnNext()
{
    RIR_TRACE("CreditsMode::spawnNext");
    if (m_lQueued.isEmpty())
        return;
    RIR::SmartPtr<IVisualObject> pItem = m_lQueued.takeFirst();
    m_lActive.append(pItem);
    pItem->setVisible(true);
    int nWidth = 0;
    int nHeight = 0;
    pItem->getSize(&nWidth, &nHeight);
    pItem->setPos(getApp()->getScreenWidth() / 2 - nWidth / 2, m_nBottomLine);
}

void CreditsMode::onStart()
{
    RIR_TRACE("CreditsMode::onStart");
    RIR::SmartPtr<Image> pBackground = getImage(m_sBackground.c_str());
    RIR::SmartPtr<Sprite> pSprite = addSprite(new Sprite(pBackground, 0, 0, Z_BACKGROUND));
    const int D = m_nDarkStrength;
    if (D > 0)
        pSprite->setColor(Color(255 - D, 255 - D, 255 - D, 255));
    const int B = m_nBandCount;
    const int H = m_nBandHeight;
    const int T = m_nTopLine;
    const int L = m_nBottomLine;
    for (int i = 0; i < B; ++i)
    {
        const int nAlpha = 255 - (255 / B) * (i + 1);
        addBand(pBackground, L - (i + 1) * H, L - i * H, nAlpha);
        addBand(pBackground, T + i * H, T + (i + 1) * H, nAlpha);
    }
    addBand(pBackground, 0, T, 255);
    addBand(pBackground, L, getApp()->getScreenHeight(), 255);
    spawnNext();
    getApp()->showCursor(false);
    getApp()->setFPS(60);
}

void CreditsMode::onEnd()
{
    RIR_TRACE("CreditsMode::onEnd");
    getApp()->showCursor(true);
}

void CreditsMode::finish()
{
    RIR_TRACE("CreditsMode::finish");
    m_bDone = true;
    if (m_bCloseWhenDone)
        endMode();
}

void CreditsMode::update(float fDt)
{
    RIR_TRACE("CreditsMode::update");
    if (m_bDone)
        return;
    // Nothing was ever queued: nothing will scroll.
    if (m_lActive.isEmpty() && m_lQueued.isEmpty())
    {
        finish();
        return;
    }
    const float r = m_fScrollSpeed * fDt + m_fScrollRemainder;
    m_fScrollRemainder = r;
    const int n = (int)r;
    if (n == 0)
        return;
    m_fScrollRemainder = r - (float)n;
    for (int i = 0; i < m_lActive.getLength();)
    {
        RIR::SmartPtr<IVisualObject> pItem = m_lActive.get(i);
        int x = 0;
        int y = 0;
        pItem->getPos(&x, &y);
        const int yNew = y - n;
        if (yNew + pItem->getHeight() > m_nTopLine)
        {
            pItem->setPos(x, yNew);
            ++i;
        }
        else
            m_lActive.removeAt(i);
    }
    if (m_lActive.isEmpty())
    {
        finish();
        return;
    }
    if (!m_lQueued.isEmpty())
    {
        RIR::SmartPtr<IVisualObject> pLast = m_lActive.getLast();
        int x = 0;
        int y = 0;
        pLast->getPos(&x, &y);
        if (y + pLast->getHeight() <= m_nBottomLine)
            spawnNext();
    }
}

bool CreditsMode::keyDown(int nKey, int /*nModifiers*/)
{
    RIR_TRACE("CreditsMode::keyDown");
    m_keysDown.insert(nKey);
    return false;
}

bool CreditsMode::mouseDown(int nButtonMask, int /*nX*/, int /*nY*/)
{
    RIR_TRACE("CreditsMode::mouseDown");
    m_nButtonsDown |= nButtonMask;
    return false;
}

bool CreditsMode::keyUp(int nKey, int /*nModifiers*/)
{
    RIR_TRACE("CreditsMode::keyUp");
    if (m_keysDown.erase(nKey) == 0)
        return false;
    endMode();
    return true;
}

bool CreditsMode::mouseUp(int nButtonMask, int /*nX*/, int /*nY*/)
{
    RIR_TRACE("CreditsMode::mouseUp");
    if ((m_nButtonsDown & nButtonMask) == 0)
        return false;
    m_nButtonsDown &= ~nButtonMask;
    endMode();
    return true;
}
