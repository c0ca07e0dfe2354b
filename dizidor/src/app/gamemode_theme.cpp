// GameMode: the theme look-ups of a screen mode, and the font that fits a text into a box.
#include "app/gamemode.h"

#include "app/gameapp.h"
#include "gfx/font.h"
#include "gfx/fontfactory.h"
#include "ui/theme.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

namespace
{

Theme* currentTheme(GameApp* pApp)
{
    RIR_ASSERT(pApp);
    RIR::SmartPtr<Theme> pTheme = pApp->getTheme();
    RIR_ASSERT(pTheme);
    return pTheme.get(); // the application keeps its theme while the mode asks
}

// A line of wrapText without the line break it keeps.
RIR::String withoutBreak(const RIR::String& sLine)
{
    const int n = sLine.length();
    return n > 0 && *sLine.at(n - 1) == '\n' ? sLine.left(n - 1) : sLine;
}

} // namespace

RIR::SmartPtr<Font> GameMode::getFont(const char* pszName)
{
    RIR_TRACE("GameMode::getFont");
    return currentTheme(m_pApp)->getFont(pszName);
}

RIR::SmartPtr<Image> GameMode::getCursor(const char* pszName)
{
    RIR_TRACE("GameMode::getCursor");
    return currentTheme(m_pApp)->getCursor(pszName);
}

RIR::SmartPtr<Font> GameMode::fitFont(const char* pszFontName, int nMaxWidth, int nMaxHeight,
                                      const char* pszText, RIR::String* psWrapped)
{
    RIR_TRACE("GameMode::fitFont");
    RIR::SmartPtr<Font> pBase = getFont(pszFontName);
    RIR::List<RIR::String> lArgs = pBase->getFactoryArgs();
    RIR::SmartPtr<FontFactory> pFactory = pBase->getFactory();
    int nSize = pFactory ? pFactory->getIntParam(lArgs, 0) : -1;
    for (; nSize > 5; --nSize)
    {
        RIR_TRACE_LINE();
        if (!pFactory->setIntParam(lArgs, 0, nSize))
            break;
        RIR::SmartPtr<Font> pFont = pFactory->createFont(lArgs);
        // Measured in the base font's style (its line spacing counts), as it will be drawn.
        pFont->copyStyleFrom(pBase.get());
        const RIR::List<RIR::String> lLines = pFont->wrapText(pszText, nMaxWidth);
        const int nLines = lLines.getLength();
        int nWidest = 0;
        for (int i = 0; i < nLines; ++i)
        {
            const int nWidth = pFont->getTextWidth(withoutBreak(lLines.get(i)).c_str());
            nWidest = nWidth > nWidest ? nWidth : nWidest;
        }
        const int nHeight =
            pFont->getLineSpacing() * (nLines - 1) + nLines * pFont->getLineHeight();
        if (nWidest < nMaxWidth && nHeight < nMaxHeight)
        {
            if (psWrapped)
            {
                RIR::String sJoined;
                for (int i = 0; i < nLines; ++i)
                {
                    if (i > 0)
                        sJoined += "\n";
                    sJoined += withoutBreak(lLines.get(i));
                }
                *psWrapped = sJoined;
            }
            return pFont;
        }
    }
    return pBase;
}
