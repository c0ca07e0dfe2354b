#include "platform/sdl/sdltruetypefont.h"

#include "gfx/imageenv.h"
#include "platform/sdl/sdlimage.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <algorithm>
#include <cstring>

SDLTrueTypeFont::SDLTrueTypeFont() : m_nPointSize(0), m_nStyle(0) {}

SDLTrueTypeFont::~SDLTrueTypeFont() {}

RIR::SmartPtr<Font> SDLTrueTypeFont::clone()
{
    RIR_TRACE("SDLTrueTypeFont::clone");
    RIR::SmartPtr<SDLTrueTypeFont> pClone = new SDLTrueTypeFont();
    pClone->m_pData = m_pData;
    pClone->copyFrom(this);
    pClone->setFactory(getFactory(), getFactoryArgs());
    return RIR::SmartPtr<Font>(pClone.get());
}

void SDLTrueTypeFont::drawString(RIR::SmartPtr<Image> pTarget, int x, int y, const char* pszText)
{
    RIR_TRACE("SDLTrueTypeFont::drawString");
    if (!pszText || !*pszText || !m_pData || !m_pData->m_pFont)
        return;
    if (getShadow())
    {
        const int d = getShadowOffset();
        renderAt(pTarget.get(), x + d, y + d, pszText, getShadowColor());
    }
    renderAt(pTarget.get(), x, y, pszText, getColor());
}

void SDLTrueTypeFont::renderAt(Image* pTarget, int x, int y, const char* pszText,
                               const Color& color)
{
    RIR_TRACE("SDLTrueTypeFont::renderAt");
    SDL_Color sdlColor;
    sdlColor.r = color.r;
    sdlColor.g = color.g;
    sdlColor.b = color.b;
    sdlColor.unused = 0;
    SDL_Surface* pSurf = TTF_RenderUTF8_Blended(m_pData->m_pFont, pszText, sdlColor);
    RIR::SmartPtr<Image> pImage = new SDLImage(pSurf);
    pTarget->blit(pImage.get(), x, y);
}

bool SDLTrueTypeFont::hasGlyph(char /*c*/)
{
    return true;
}

int SDLTrueTypeFont::getTextWidth(const char* pszText)
{
    RIR_TRACE("SDLTrueTypeFont::getTextWidth");
    if (!pszText || !m_pData || !m_pData->m_pFont)
        return 0;
    int nWidest = 0;
    const char* pszPiece = pszText;
    while (*pszPiece)
    {
        const char* pszBreak = std::strchr(pszPiece, '\n');
        const size_t nLength = pszBreak ? (size_t)(pszBreak - pszPiece) : std::strlen(pszPiece);
        if (nLength > 0)
        {
            const RIR::String sPiece(pszPiece, (int)nLength);
            int w = 0;
            int h = 0;
            if (TTF_SizeUTF8(m_pData->m_pFont, sPiece.c_str(), &w, &h) != 0)
            {
                RIR::String sMessage =
                    RIR::String::format("TTF_SizeUTF8 failed : %s\n", SDL_GetError());
                RIR_THROW(FatalErrorException, sMessage.c_str());
            }
            nWidest = std::max(nWidest, w);
        }
        if (!pszBreak)
            break;
        pszPiece = pszBreak + 1;
    }
    return nWidest;
}

int SDLTrueTypeFont::getLineHeight()
{
    if (!m_pData || !m_pData->m_pFont)
        return 0;
    return TTF_FontHeight(m_pData->m_pFont);
}

void SDLTrueTypeFont::copyFrom(const SDLTrueTypeFont* pOther)
{
    RIR_TRACE("SDLTrueTypeFont::copyFrom");
    copyStyleFrom(pOther);
    m_nPointSize = pOther->m_nPointSize;
    m_nStyle = pOther->m_nStyle;
}

int SDLTrueTypeFont::getPointSize() const
{
    return m_nPointSize;
}

void SDLTrueTypeFont::load(const char* pszResourceName, int nPointSize, int nStyle)
{
    RIR_TRACE("SDLTrueTypeFont::load");
    RIR::SmartPtr<RIR::Resource> pResource = getImageEnvironment()->getResource(pszResourceName);
    RIR_ASSERT(pResource);
    SDL_RWops* pRWOps = SDL_RWFromMem(pResource->getData(), pResource->getSize());
    RIR_ASSERT(pRWOps);
    // The data object owns the reader from here on, also when the face cannot be opened.
    RIR::SmartPtr<SDLTTFData> pData = new SDLTTFData();
    pData->m_pResource = pResource;
    pData->m_pRWOps = pRWOps;
    if (nPointSize >= 1)
        pData->m_pFont = TTF_OpenFontRW(pRWOps, 0, nPointSize);
    if (!pData->m_pFont)
    {
        RIR::String sMessage = RIR::String::format(
            "SDLTrueTypeFont::load : Can't open font '%s' at %d points : %s", pszResourceName,
            nPointSize, nPointSize >= 1 ? SDL_GetError() : "the size must be at least 1");
        RIR_THROW(ResourceException, sMessage.c_str());
    }
    m_pData = pData;
    m_nPointSize = nPointSize;
    if (nStyle != 0)
        TTF_SetFontStyle(m_pData->m_pFont, nStyle & 7);
}

void SDLTrueTypeFont::setStyle(int nStyle)
{
    m_nStyle = nStyle;
}

int SDLTrueTypeFont::getStyle() const
{
    return m_nStyle;
}
