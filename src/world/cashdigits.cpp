// CashDigits: the digit row and its shared digit pictures (cashdigits.h).
#include "world/cashdigits.h"

#include "app/gameapp.h"
#include "app/gamemode.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

RIR::SmartPtr<Image> CashDigits::s_apDigitImages[10];

CashDigits::CashDigits(GameMode* pMode, int nDigits) : Table(pMode), m_nDigits(nDigits), m_nValue(0)
{
    RIR_TRACE("CashDigits::CashDigits");
    for (int n = 0; n < nDigits; ++n)
    {
        RIR::SmartPtr<Sprite> pSprite = new Sprite(getDigitImage(0), 0, 0, 0);
        if (pMode)
            pMode->addSprite(pSprite);
        newCell(1);
        add(pSprite, 9);
        m_lDigits.append(pSprite);
        m_lShown.append(0);
    }
    relayout();
    setVisible(true);
}

CashDigits::~CashDigits()
{
    for (int n = 0; n < m_lDigits.getLength(); ++n)
    {
        const RIR::SmartPtr<Sprite>& pSprite = m_lDigits.get(n);
        if (pSprite->getMode())
            pSprite->getMode()->removeObject(pSprite);
    }
}

void CashDigits::setSize(int /*nWidth*/, int /*nHeight*/)
{
}

void CashDigits::setValue(int nValue)
{
    RIR_TRACE("CashDigits::setValue");
    RIR_ASSERT(nValue >= 0);
    m_nValue = nValue;
    for (int n = m_lDigits.getLength() - 1; n >= 0; --n)
    {
        const int nDigit = nValue % 10;
        m_lDigits.get(n)->setImage(getDigitImage(nDigit));
        m_lShown.getNode(n)->m_value = nDigit;
        nValue /= 10;
    }
}

int CashDigits::getShownDigit(int nPosition) const
{
    return m_lShown.get(nPosition);
}

RIR::SmartPtr<Image> CashDigits::getDigitImage(int nDigit)
{
    RIR_TRACE("CashDigits::getDigitImage");
    RIR_ASSERT(nDigit >= 0 && nDigit <= 9);
    if (!s_apDigitImages[0])
    {
        RIR_ASSERT(GameApp::getInstance() != NULL);
        RIR::SmartPtr<Image> pSheet = GameApp::getInstance()->getImage("cash_digits");
        const int nW = pSheet->getWidth() / 10;
        const int nH = pSheet->getHeight();
        for (int i = 0; i < 10; ++i)
            s_apDigitImages[i] = pSheet->createSubImage(i * nW, 0, nW, nH, false);
    }
    return s_apDigitImages[nDigit];
}

void CashDigits::releaseDigitImages()
{
    for (RIR::SmartPtr<Image>& pImage : s_apDigitImages)
        pImage.release();
}
