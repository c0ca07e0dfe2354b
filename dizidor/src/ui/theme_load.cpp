// Theme: reading a theme file and its font blocks.
#include "ui/theme.h"

#include "app/gameapp.h"
#include "app/positionkeyword.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/resource.h"
#include "rir2/tokenfilereader.h"

namespace
{

// The state words of buttonimage, buttontextoffset and buttonfont.
int stateIndex(const RIR::String& sWord)
{
    static RIR::Hash<RIR::String, int>* s_phStates = nullptr;
    if (!s_phStates)
    {
        static RIR::Hash<RIR::String, int> hStates(97);
        hStates.set("normal", BS_NORMAL);
        hStates.set("pushed", BS_PRESSED);
        hStates.set("highlight", BS_HIGHLIGHTED);
        hStates.set("disabled", BS_DISABLED);
        s_phStates = &hStates;
    }
    return s_phStates->get(sWord.toLower());
}

int toInt(const RIR::String& sText)
{
    return RIR::String::toInt(sText.c_str());
}

// The reader's line numbers count from 0.
int lineOf(const RIR::TokenFileReader* pReader)
{
    return pReader->getLineNumber() + 1;
}

} // namespace

void Theme::load(const char* pszName)
{
    RIR_TRACE("Theme::load");
    const RIR::String sName(pszName ? pszName : "");
    RIR::setTraceParams(sName.c_str());
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);

    m_sThemeFile = sName;
    m_sTextPrefix = sName + "::";

    ButtonStyle* pButtonStyle = new ButtonStyle();
    if (m_hBtnStyle.contains(""))
        delete m_hBtnStyle.remove("");
    m_hBtnStyle.set("", pButtonStyle);
    FrameStyle* pFrameStyle = new FrameStyle();
    if (m_hFrmStyle.contains(""))
        delete m_hFrmStyle.remove("");
    m_hFrmStyle.set("", pFrameStyle);
    m_fSliderScale[0] = m_fSliderScale[1] = 1.0f;
    m_nSliderTrack[0] = m_nSliderTrack[1] = -1;
    m_nSliderStyle = SS_EMPTYFULL;

    RIR_TRACE_LINE();
    RIR::SmartPtr<RIR::Resource> pResource = pApp->getResource(sName.c_str());
    const RIR::String sText = pResource->asString();
    RIR::TokenFileReader reader(sText.c_str());
    while (!reader.isEmpty())
    {
        reader.nextLine();
        RIR_TRACE_LINE();
        loadCommand(&reader, pButtonStyle, pFrameStyle);
    }
    computeFrameBorders();
}

void Theme::loadCommand(RIR::TokenFileReader* pReader, ButtonStyle*& pButtonStyle,
                        FrameStyle*& pFrameStyle)
{
    RIR_TRACE("Theme::loadCommand");
    GameApp* pApp = GameApp::getInstance();
    const RIR::List<RIR::String>& lTokens = pReader->getTokens();
    const int nCount = lTokens.getLength();
    const RIR::String sCommand = lTokens.get(0).toLower();
    auto arg = [&lTokens](int i) { return lTokens.get(i); };
    auto image = [pApp, &lTokens](int i) { return pApp->getImage(lTokens.get(i).c_str()); };

    if (sCommand == "buttonimage")
    {
        pButtonStyle->pImage[stateIndex(arg(1))] = image(2);
    }
    else if (sCommand == "buttonstyle")
    {
        const RIR::String sStyle = arg(1).toLower();
        if (!m_hBtnStyle.contains(sStyle))
            m_hBtnStyle.set(sStyle, new ButtonStyle());
        pButtonStyle = m_hBtnStyle.get(sStyle);
    }
    else if (sCommand == "buttontextoffset")
    {
        const int nState = stateIndex(arg(1));
        pButtonStyle->nTextDX[nState] = toInt(arg(2));
        pButtonStyle->nTextDY[nState] = toInt(arg(3));
    }
    else if (sCommand == "buttonsound")
    {
        const RIR::String sEvent = arg(1).toLower();
        RIR::SmartPtr<Sample> pSample = pApp->getSample(arg(2).c_str());
        pButtonStyle->hSounds[sEvent].append(pSample);
        pButtonStyle->hSoundSet.set(sEvent, true);
    }
    else if (sCommand == "buttonfont")
    {
        if (nCount == 2)
        {
            for (int i = 0; i < BS_COUNT; ++i)
                pButtonStyle->sFont[i] = arg(1);
        }
        else
        {
            pButtonStyle->sFont[stateIndex(arg(1))] = arg(2);
        }
    }
    else if (sCommand == "buttoncap")
    {
        pButtonStyle->nCapLeft = toInt(arg(1));
        pButtonStyle->nCapRight = nCount == 2 ? pButtonStyle->nCapLeft : toInt(arg(2));
    }
    else if (sCommand == "resizebuttons")
    {
        // Anything but "false" turns resizing on, while tilecenter wants exactly "true".
        pButtonStyle->bResize = arg(1).toLower() != "false";
    }
    else if (sCommand == "framestyle")
    {
        const RIR::String sStyle = arg(1).toLower();
        // A second framestyle line of a name starts the style again; the old one goes.
        if (m_hFrmStyle.contains(sStyle))
            delete m_hFrmStyle.remove(sStyle);
        pFrameStyle = new FrameStyle();
        m_hFrmStyle.set(sStyle, pFrameStyle);
    }
    else if (sCommand == "decoration")
    {
        const int nPart = getFramePartIndex(arg(1).c_str());
        Decoration* pDecoration = new Decoration();
        pDecoration->bIgnoreSize = nCount >= 4 && arg(3).toLower() == "ignoresize";
        try
        {
            pDecoration->pImage = image(2);
        }
        catch (...)
        {
            delete pDecoration;
            throw;
        }
        pFrameStyle->lDecorations[nPart].append(pDecoration);
    }
    else if (sCommand == "frame")
    {
        bool bFixed = false;
        for (int i = 3; i < nCount; ++i)
            bFixed = bFixed || arg(i).toLower() == "fixed";
        setFramePart(pFrameStyle, arg(1).c_str(), image(2), bFixed);
    }
    else if (sCommand == "defaultcursor")
    {
        RIR::SmartPtr<Image> pCursor = image(1);
        if (nCount == 4)
            pCursor->setInsPoint(toInt(arg(2)), toInt(arg(3)));
        setDefaultCursor(pCursor);
    }
    else if (sCommand == "cursor")
    {
        RIR::SmartPtr<Image> pCursor = image(2);
        if (nCount == 5)
            pCursor->setInsPoint(toInt(arg(3)), toInt(arg(4)));
        addCursor(arg(1).toLower().c_str(), pCursor);
    }
    else if (sCommand == "longseparator")
    {
        m_pLongSeparator = image(1);
    }
    else if (sCommand == "shortseparator")
    {
        m_pShortSeparator = image(1);
    }
    else if (sCommand == "textprefix")
    {
        m_sTextPrefix = arg(1);
    }
    else if (sCommand == "sliderimages")
    {
        for (int i = 0; i < 3; ++i)
            m_pSliderImage[i] = image(1 + i);
    }
    else if (sCommand == "sliderstyle")
    {
        const RIR::String sStyle = arg(1);
        if (sStyle == "emptyfull")
        {
            m_nSliderStyle = SS_EMPTYFULL;
        }
        else if (sStyle == "frontback")
        {
            m_nSliderStyle = SS_FRONTBACK;
            m_sSliderFront = arg(2);
        }
        else
        {
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Unknown slider style '%s'", sStyle.c_str()).c_str());
        }
    }
    else if (sCommand == "sliderrange")
    {
        m_nSliderTrack[0] = toInt(arg(1));
        m_nSliderTrack[1] = toInt(arg(2));
    }
    else if (sCommand == "sliderscale")
    {
        m_fSliderScale[0] = RIR::String::toFloat(arg(1).c_str());
        m_fSliderScale[1] = RIR::String::toFloat(arg(2).c_str());
    }
    else if (sCommand == "radiobuttonimages")
    {
        m_pRadioImage[0] = image(1);
        m_pRadioImage[1] = image(2);
    }
    else if (sCommand == "tilecenter")
    {
        pButtonStyle->bTileCenter = arg(1).toLower() == "true";
    }
    else if (sCommand == "border_udlr")
    {
        pFrameStyle->rBorder.top = toInt(arg(1));
        pFrameStyle->rBorder.bottom = toInt(arg(2));
        pFrameStyle->rBorder.left = toInt(arg(3));
        pFrameStyle->rBorder.right = toInt(arg(4));
        pFrameStyle->bBorderSet = true;
    }
    else if (sCommand == "font")
    {
        loadFontSpec(arg(1), pReader);
    }
    else if (sCommand == "imagecopy")
    {
        RIR::SmartPtr<Image> pCopy = image(1)->clone(false);
        pApp->addImage(arg(2).c_str(), pCopy, false);
    }
    else if (sCommand == "imageinspos")
    {
        RIR::SmartPtr<Image> pImage = image(1);
        const int nX = parsePositionKeyword(arg(2).trim().c_str(), pImage.get(), true);
        const int nY = parsePositionKeyword(arg(3).trim().c_str(), pImage.get(), false);
        pImage->setInsPoint(nX, nY);
    }
    else
    {
        RIR_THROW(
            BadStateException,
            RIR::String::format("Theme::load : Unknown command %s", sCommand.c_str()).c_str());
    }
}

void Theme::loadFontSpec(const RIR::String& sName, RIR::TokenFileReader* pReader)
{
    RIR_TRACE("Theme::loadFontSpec");
    RIR_ASSERT(pReader);
    RIR::setTraceParams(sName.c_str());
    const int nFontLine = lineOf(pReader);
    RIR::SmartPtr<Font> pFont;
    // Every command but the brace, copy and class works on the block's font, which copy or class
    // must have made.
    auto font = [&]() -> Font*
    {
        if (!pFont)
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Theme::loadFontSpec : font '%s' is styled or closed "
                                          "before class or copy made it (line %d)",
                                          sName.c_str(), lineOf(pReader))
                          .c_str());
        return pFont.get();
    };
    for (;;)
    {
        if (pReader->isEmpty())
            RIR_THROW(FatalErrorException,
                      RIR::String::format("Theme::loadFontSpec : font '%s' (line %d) has no "
                                          "closing '}' before the end of the file",
                                          sName.c_str(), nFontLine)
                          .c_str());
        pReader->nextLine();
        RIR_TRACE_LINE();
        const RIR::List<RIR::String>& lTokens = pReader->getTokens();
        const RIR::String sCommand = lTokens.get(0).toLower();
        auto arg = [&lTokens](int i) { return lTokens.get(i); };
        auto num = [&lTokens](int i) { return RIR::String::toInt(lTokens.get(i).c_str()); };

        if (sCommand == "}")
        {
            font();
            addFont(sName.c_str(), pFont);
            return;
        }
        if (sCommand == "{")
        {
            continue;
        }
        if (sCommand == "copy")
        {
            pFont = getFont(arg(1).c_str());
        }
        else if (sCommand == "copysettings")
        {
            RIR::SmartPtr<Font> pOther = getFont(arg(1).c_str());
            font()->copyStyleFrom(pOther.get());
        }
        else if (sCommand == "class")
        {
            RIR::List<RIR::String> lArgs;
            for (int i = 2; i < lTokens.getLength(); ++i)
                lArgs.append(lTokens.get(i));
            const RIR::String sClass = arg(1);
            pFont = createFont(sClass, lArgs);
        }
        else if (sCommand == "textcolor")
        {
            const Color color(num(1), num(2), num(3), 255);
            font()->setColor(color);
        }
        else if (sCommand == "shadowcolor")
        {
            const Color color(num(1), num(2), num(3), 255);
            font()->setShadowColor(color);
        }
        else if (sCommand == "shadowoffset")
        {
            font()->setShadowOffset(num(1));
        }
        else if (sCommand == "textalign")
        {
            int nAlign = 0;
            for (int i = 1; i < lTokens.getLength(); ++i)
            {
                const RIR::String sWord = lTokens.get(i).toLower();
                if (sWord == "middle")
                    nAlign += 0x24;
                else if (sWord == "left")
                    nAlign += 1;
                else if (sWord == "right")
                    nAlign += 2;
                else if (sWord == "top")
                    nAlign += 8;
                else if (sWord == "bottom")
                    nAlign += 0x10;
                else if (sWord == "vcenter")
                    nAlign += 0x20;
                else if (sWord == "hcenter")
                    nAlign += 4;
                else if (sWord == "justify")
                    nAlign = 7;
            }
            font()->setAlignment(nAlign);
        }
        else if (sCommand == "extralinespacing")
        {
            font()->setLineSpacing(num(1));
        }
        else if (sCommand == "drawshadow")
        {
            font()->setShadow(arg(1).toLower() == "true");
        }
        else
        {
            RIR_THROW(
                BadStateException,
                RIR::String::format("Theme::loadFontSpec : Unknown command %s", sCommand.c_str())
                    .c_str());
        }
    }
}
