#include "ui/radiobutton.h"

#include "app/gameapp.h"
#include "app/gamemode.h"
#include "ui/label.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>

namespace
{

struct RadioImages
{
    RIR::SmartPtr<Image> pUnchecked;
    RIR::SmartPtr<Image> pChecked;
};

RadioImages themeRadioImages()
{
    RadioImages images;
    GameApp* pApp = GameApp::getInstance();
    RIR::SmartPtr<Theme> pTheme = pApp ? pApp->getTheme() : RIR::SmartPtr<Theme>();
    if (pTheme)
        pTheme->getRadioButtonImages(&images.pUnchecked, &images.pChecked);
    return images;
}

} // namespace

RadioButton::RadioButton(GameMode* pMode, RIR::SmartPtr<Image> pUnchecked,
                         RIR::SmartPtr<Image> pChecked, const char* pszText, int nId)
    : Table(pMode)
{
    RIR_TRACE("RadioButton::RadioButton");
    init(pUnchecked, pChecked, pszText, nId);
}

RadioButton::RadioButton(GameMode* pMode, const char* pszText, int nId) : Table(pMode)
{
    RIR_TRACE("RadioButton::RadioButton");
    const RadioImages images = themeRadioImages();
    init(images.pUnchecked, images.pChecked, pszText, nId);
}

RadioButton::~RadioButton()
{
    RIR_TRACE("RadioButton::~RadioButton");
}

void RadioButton::init(RIR::SmartPtr<Image> pUnchecked, RIR::SmartPtr<Image> pChecked,
                       const char* pszText, int nId)
{
    RIR_TRACE("RadioButton::init");
    const char* pszName = pszText ? pszText : "";
    setName((RIR::String("Radio::") + pszName).c_str());
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    GameMode* pMode = getMode();
    RIR_ASSERT(pMode);

    const bool bPicture = pApp->canLoadImage(pszName);
    if (!bPicture)
        m_sText = pApp->hasString(pszName) ? pApp->getString(pszName) : pszName;

    newCell(1);
    m_pStateButton = new RadioCustomButton(nullptr, nId, pUnchecked, pChecked, pUnchecked,
                                           RIR::SmartPtr<Image>());
    m_pStateButton->setFlags(BF_NO_HOVER_SOUND);
    pMode->addControl(m_pStateButton.get());
    add(m_pStateButton.get(), ALIGN_VCENTER);

    RIR::SmartPtr<Image> pFace;
    if (bPicture)
    {
        RIR_TRACE_LINE();
        pFace = pApp->getImage(pszName);
    }
    else
    {
        // A stand-in until setText renders the text: as wide as the font measures "" and one line
        // high (at least one pixel each way).
        RIR::SmartPtr<Theme> pTheme = pApp->getTheme();
        RIR::SmartPtr<Font> pFont = pTheme ? pTheme->getFont("Theme::Default") : m_pFont;
        const int nWidth = pFont ? pFont->getTextWidth("") : 0;
        const int nHeight = pFont ? pFont->getLineHeight() : 0;
        pFace = pApp->createImage(std::max(1, nWidth), std::max(1, nHeight), true);
    }

    newCell(1);
    m_pTextButton = new RadioCustomButton(m_pStateButton.get(), nId, pFace, pFace, pFace, pFace);
    m_pTextButton->setFlags(BF_NO_HOVER_SOUND);
    pMode->addControl(m_pTextButton.get());
    add(m_pTextButton.get(), ALIGN_VCENTER);

    m_pStateButton->setLinked(m_pTextButton.get());
    m_pStateButton->ToggleButton::setChecked(m_pTextButton->isChecked());
    if (!bPicture)
        setText(m_sText.c_str());
    m_pStateButton->setHitTestMode(SHT_STORED_PIXELS);
    m_pTextButton->setHitTestMode(SHT_STORED_PIXELS);
}

void RadioButton::setText(const char* pszText)
{
    RIR_TRACE("RadioButton::setText");
    m_sText = pszText ? pszText : "";
    // The label only renders the text; its picture becomes the text half's.
    RIR::SmartPtr<Label> pLabel = new Label(m_sText.c_str());
    if (m_pFont)
        pLabel->setFont(m_pFont);
    RIR::SmartPtr<Image> pFace = pLabel->getImage();
    m_pTextButton->setImages(pFace, pFace, pFace, pFace);
    m_pTextButton->refresh();
}

void RadioButton::setFont(RIR::SmartPtr<Font> pFont)
{
    RIR_TRACE("RadioButton::setFont");
    m_pFont = pFont;
    setText(m_sText.c_str());
}

bool RadioButton::isChecked() const
{
    return m_pStateButton->isChecked();
}

void RadioButton::setChecked(bool bChecked)
{
    RIR_TRACE("RadioButton::setChecked");
    m_pStateButton->setChecked(bChecked);
}

int RadioButton::getCallbackId() const
{
    return m_pStateButton->getId();
}

void RadioButton::setCallbackId(int nId)
{
    RIR_TRACE("RadioButton::setCallbackId");
    m_pStateButton->setId(nId);
    m_pTextButton->setId(nId);
}

void RadioButton::setSize(int /*nWidth*/, int /*nHeight*/) {}
