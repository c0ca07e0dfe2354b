#include "ui/dialogmode.h"

#include "app/gameapp.h"

#include "rir2/calltrace.h"

DialogMode::DialogMode(bool bModal) : m_nWrapWidth(500)
{
    RIR_TRACE("DialogMode::DialogMode");
    m_pTable = new Table(this);
    m_pTable->enableFrame(true);
    m_pTable->setSize(1, 1);
    addFlags(bModal ? MF_SEE_THROUGH : (MF_SEE_THROUGH | MF_UPDATE_THROUGH));
}

DialogMode::~DialogMode()
{
    RIR_TRACE("DialogMode::~DialogMode");
    m_pFont = nullptr;
    m_pTable = nullptr;
}

void DialogMode::onStart()
{
    RIR_TRACE("DialogMode::onStart");
    addDimmer(0.5f);
}

void DialogMode::onEnd()
{
    RIR_TRACE("DialogMode::onEnd");
    m_pTable->setVisible(false);
}

void DialogMode::onActivate()
{
    RIR_TRACE("DialogMode::onActivate");
    getApp()->showCursor(true);
    layout(true);
}

void DialogMode::layout(bool /*bUnused*/)
{
    RIR_TRACE("DialogMode::layout");
    m_pTable->relayout();
    int nWidth = 0;
    int nHeight = 0;
    m_pTable->getSize(&nWidth, &nHeight);
    m_pTable->setPos((getApp()->getScreenWidth() - nWidth) / 2,
                     (getApp()->getScreenHeight() - nHeight) / 2);
    m_pTable->setVisible(true);
    m_pTable->relayout();
}

void DialogMode::addImageTo(RIR::SmartPtr<Table> pTable, RIR::SmartPtr<Image> pImage, int nAlign)
{
    RIR_TRACE("DialogMode::addImageTo");
    RIR::SmartPtr<Sprite> pSprite = new Sprite(pImage, 0, 0, 0);
    addSprite(pSprite);
    pTable->add(pSprite, nAlign);
}

void DialogMode::addNamedImageTo(RIR::SmartPtr<Table> pTable, const char* pszName, int nAlign)
{
    RIR_TRACE("DialogMode::addNamedImageTo");
    addImageTo(pTable, getApp()->getImage(pszName), nAlign);
}

void DialogMode::addImage(RIR::SmartPtr<Image> pImage, int nAlign)
{
    RIR_TRACE("DialogMode::addImage");
    addImageTo(m_pTable, pImage, nAlign);
}

void DialogMode::addNamedImage(const char* pszName, int nAlign)
{
    RIR_TRACE("DialogMode::addNamedImage");
    addNamedImageTo(m_pTable, pszName, nAlign);
}

RIR::SmartPtr<Label> DialogMode::addLabelTo(RIR::SmartPtr<Table> pTable, const char* pszText,
                                            int nAlign)
{
    RIR_TRACE("DialogMode::addLabelTo");
    RIR::SmartPtr<Label> pLabel = new Label(pszText);
    if (m_pFont)
        pLabel->setFont(m_pFont);
    const Rect bounds = pLabel->getBounds();
    if (bounds.right - bounds.left > m_nWrapWidth)
        pLabel->setWidth(m_nWrapWidth, true);
    addSprite(pLabel);
    pTable->add(pLabel, nAlign);
    return pLabel;
}

RIR::SmartPtr<Label> DialogMode::addLabel(const char* pszText, int nAlign)
{
    RIR_TRACE("DialogMode::addLabel");
    return addLabelTo(m_pTable, pszText, nAlign);
}

RIR::SmartPtr<Label> DialogMode::addImageOrTextTo(RIR::SmartPtr<Table> pTable, const char* pszKey,
                                                  int nAlign)
{
    RIR_TRACE("DialogMode::addImageOrTextTo");
    GameApp* pApp = getApp();
    if (pApp->canLoadImage(pszKey))
    {
        addNamedImageTo(pTable, pszKey, nAlign);
        return RIR::SmartPtr<Label>();
    }
    return addLabelTo(pTable, pApp->hasString(pszKey) ? pApp->getString(pszKey) : pszKey, nAlign);
}

RIR::SmartPtr<Label> DialogMode::addImageOrText(const char* pszKey, int nAlign)
{
    RIR_TRACE("DialogMode::addImageOrText");
    return addImageOrTextTo(m_pTable, pszKey, nAlign);
}

void DialogMode::setFrame(const char* pszFrameStyle)
{
    RIR_TRACE("DialogMode::setFrame");
    m_pTable->setFrame(pszFrameStyle);
}
