// fontsheet: draws the engine's built-in glyph sheet from a TrueType face, at build time.
//
//     fontsheet FACE.ttf OUT.png OUT.cpp
//
// The sheet is the glyph-sheet form the bitmap fonts read (gfx/glyphsheet.h): 377 x 108 pixels,
// 8-bit grey with alpha, dark glyphs on a transparent background, seven rows of glyphs in the
// order of the row texts, each row enclosed by a pair of marker pixels in column 0. The markers
// sit at fixed pixel rows, which fixes each row's band height; within its band every glyph is
// placed so that the capital A of the row starts at the row's reference top, so the glyphs of all
// rows share one cap line. The third row holds only the reference A and the digits.
//
// Glyphs are separated by empty columns; the gaps are chosen so that every row fits and their
// mean (the font's space width) is 4. A glyph whose strokes leave an empty column between them
// (a quotation mark) gets one nearly invisible pixel there, so the reader sees one glyph.
//
// OUT.png receives the picture, OUT.cpp the same bytes as the definitions of
// g_abSystemFontPng and g_nSystemFontPngSize (app/systemfont.cpp serves them from memory).
// Exit status 0, or 1 with a message when the face cannot be used or a row does not fit.
#include "app/pngwriter.h"

#include "rir2/exception.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const int SHEET_WIDTH = 377;
const int SHEET_HEIGHT = 108;
const int POINT_SIZE = 12;
const int SPACE_WIDTH = 4;
// The first glyph column of every row (column 0 holds the markers).
const int FIRST_COLUMN = 2;
// Coverage below this is dropped: it only blurs the small glyphs and would join neighbours.
const int MIN_ALPHA = 20;
// The grey of the glyphs: dark, so that the sheet also reads as a plain picture.
const uint8_t GLYPH_GREY = 0x18;

struct RowLayout
{
    const char* pszText; // code page 1252
    int nTopMarker;      // the pixel row of the marker above the band
    int nBottomMarker;   // ... and below it
    int nReferenceTop;   // where the row's capital A starts inside the band
};

const RowLayout ROWS[7] = {
    {"ABCDEFGHIJKLMN\xD1OPQRSTUVWXYZ\xC1\xC9\xCD\xD3\xDA", 1, 17, 3},
    {"Aabcdefghijklmn\xF1opqrstuvwxyz\xE1\xE9\xED\xF3\xFA", 18, 32, 1},
    {"A0123456789", 34, 44, 0},
    {"A,.;:=_'\"", 49, 62, 0},
    {"A\xA1!\xBF?(){}[]", 63, 76, 1},
    {"A@#$%&\\~|", 78, 92, 1},
    {"A+-*/<>\xAA\xBA", 94, 106, 0},
};

// One rendered character: coverage per pixel, the surface's rows share the face's baseline.
struct Glyph
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> abAlpha;
    int nInkLeft = 0;
    int nInkRight = 0; // exclusive
    int nInkTop = 0;
};

std::string toUtf8(unsigned char c)
{
    // The row texts hold ASCII and Latin-1 letters only, where code page 1252 and Unicode agree.
    std::string s;
    if (c < 0x80)
        s += (char)c;
    else
    {
        s += (char)(0xC0 | (c >> 6));
        s += (char)(0x80 | (c & 0x3F));
    }
    return s;
}

bool renderGlyph(TTF_Font* pFont, unsigned char c, Glyph* pGlyph)
{
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* pSurf = TTF_RenderUTF8_Blended(pFont, toUtf8(c).c_str(), white);
    if (!pSurf)
        return false;
    SDL_LockSurface(pSurf);
    pGlyph->nWidth = pSurf->w;
    pGlyph->nHeight = pSurf->h;
    pGlyph->abAlpha.assign((size_t)pSurf->w * pSurf->h, 0);
    pGlyph->nInkLeft = pSurf->w;
    pGlyph->nInkRight = 0;
    pGlyph->nInkTop = pSurf->h;
    for (int y = 0; y < pSurf->h; ++y)
    {
        const uint32_t* pRow =
            (const uint32_t*)((const uint8_t*)pSurf->pixels + (size_t)y * pSurf->pitch);
        for (int x = 0; x < pSurf->w; ++x)
        {
            SDL_Color rgb;
            uint8_t nAlpha = 0;
            SDL_GetRGBA(pRow[x], pSurf->format, &rgb.r, &rgb.g, &rgb.b, &nAlpha);
            if (nAlpha < MIN_ALPHA)
                continue;
            pGlyph->abAlpha[(size_t)y * pSurf->w + x] = nAlpha;
            pGlyph->nInkLeft = std::min(pGlyph->nInkLeft, x);
            pGlyph->nInkRight = std::max(pGlyph->nInkRight, x + 1);
            pGlyph->nInkTop = std::min(pGlyph->nInkTop, y);
        }
    }
    SDL_UnlockSurface(pSurf);
    SDL_FreeSurface(pSurf);
    return pGlyph->nInkRight > pGlyph->nInkLeft;
}

int inkWidth(const Glyph& glyph)
{
    return glyph.nInkRight - glyph.nInkLeft;
}

// The gaps between the glyphs of every row: 4 wherever the row has room, fewer where it has
// not, the shortfall made up in rows with room, so that the mean stays 4.
bool chooseGaps(const std::vector<std::vector<Glyph>>& aRows, std::vector<std::vector<int>>* pGaps)
{
    std::vector<int> anSlack(aRows.size(), 0);
    long nShortfall = 0;
    for (size_t r = 0; r < aRows.size(); ++r)
    {
        const std::vector<Glyph>& glyphs = aRows[r];
        int nInk = 0;
        for (const Glyph& glyph : glyphs)
            nInk += inkWidth(glyph);
        const int nGaps = (int)glyphs.size() - 1;
        // The last glyph must leave at least one empty column at the right edge.
        const int nRoom = SHEET_WIDTH - 1 - FIRST_COLUMN - nInk;
        std::vector<int>& gaps = (*pGaps)[r];
        gaps.assign((size_t)std::max(nGaps, 0), SPACE_WIDTH);
        if (nGaps <= 0)
            continue;
        if (nRoom < nGaps)
        {
            std::fprintf(stderr, "fontsheet: row %d is %d pixels too wide\n", (int)r + 1,
                         nGaps - nRoom);
            return false;
        }
        if (nRoom < SPACE_WIDTH * nGaps)
        {
            for (int i = 0; i < nGaps; ++i)
                gaps[(size_t)i] = nRoom / nGaps + (i < nRoom % nGaps ? 1 : 0);
            nShortfall += SPACE_WIDTH * nGaps - nRoom;
        }
        else
            anSlack[r] = nRoom - SPACE_WIDTH * nGaps;
    }
    for (size_t r = 0; r < aRows.size() && nShortfall > 0; ++r)
    {
        std::vector<int>& gaps = (*pGaps)[r];
        for (size_t i = 0; i < gaps.size() && nShortfall > 0 && anSlack[r] > 0; ++i)
        {
            ++gaps[i];
            --anSlack[r];
            --nShortfall;
        }
    }
    if (nShortfall > 0)
    {
        std::fprintf(stderr, "fontsheet: the rows leave no room for gaps of %d on average\n",
                     SPACE_WIDTH);
        return false;
    }
    return true;
}

// Copies the glyph's ink into the band at column x, its surface row nShift becoming band row 0;
// rows outside the band are cut. Bridges empty columns inside the glyph.
void placeGlyph(const Glyph& glyph, int x, int nBandTop, int nBandHeight, int nShift,
                std::vector<uint8_t>* pPixels)
{
    const int nWidth = inkWidth(glyph);
    for (int i = 0; i < nWidth; ++i)
    {
        bool bColumnInk = false;
        for (int nRow = 0; nRow < nBandHeight; ++nRow)
        {
            const int nSurfY = nRow + nShift;
            if (nSurfY < 0 || nSurfY >= glyph.nHeight)
                continue;
            const uint8_t nAlpha =
                glyph.abAlpha[(size_t)nSurfY * glyph.nWidth + glyph.nInkLeft + i];
            if (nAlpha == 0)
                continue;
            const size_t nAt = ((size_t)(nBandTop + nRow) * SHEET_WIDTH + x + i) * 2;
            (*pPixels)[nAt] = GLYPH_GREY;
            (*pPixels)[nAt + 1] = nAlpha;
            bColumnInk = true;
        }
        if (!bColumnInk)
        {
            // Keeps the strokes of one character together as one glyph for the reader.
            const size_t nAt = ((size_t)(nBandTop + nBandHeight - 1) * SHEET_WIDTH + x + i) * 2;
            (*pPixels)[nAt] = GLYPH_GREY;
            (*pPixels)[nAt + 1] = 1;
        }
    }
}

bool writeFile(const char* pszPath, const std::string& sBytes)
{
    FILE* pFile = std::fopen(pszPath, "wb");
    if (!pFile)
        return false;
    bool bOK = std::fwrite(sBytes.data(), 1, sBytes.size(), pFile) == sBytes.size();
    bOK = std::fclose(pFile) == 0 && bOK;
    return bOK;
}

std::string sourceOf(const std::vector<uint8_t>& abPng)
{
    std::string s =
        "// Made by tools/fontsheet at build time: the built-in glyph sheet as PNG bytes.\n"
        "#include <cstdint>\n\n"
        "extern const uint8_t g_abSystemFontPng[];\n"
        "extern const int g_nSystemFontPngSize;\n\n"
        "const uint8_t g_abSystemFontPng[] = {";
    char szByte[8];
    for (size_t i = 0; i < abPng.size(); ++i)
    {
        if (i % 16 == 0)
            s += "\n   ";
        std::snprintf(szByte, sizeof szByte, " %u,", (unsigned)abPng[i]);
        s += szByte;
    }
    s += "\n};\nconst int g_nSystemFontPngSize = " + std::to_string(abPng.size()) + ";\n";
    return s;
}

int run(const char* pszFace, const char* pszPng, const char* pszSource)
{
    if (TTF_Init() < 0)
    {
        std::fprintf(stderr, "fontsheet: TTF_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    TTF_Font* pFont = TTF_OpenFont(pszFace, POINT_SIZE);
    if (!pFont)
    {
        std::fprintf(stderr, "fontsheet: cannot open %s: %s\n", pszFace, SDL_GetError());
        TTF_Quit();
        return 1;
    }
    std::vector<std::vector<Glyph>> aRows(7);
    bool bOK = true;
    for (int r = 0; r < 7 && bOK; ++r)
        for (const char* p = ROWS[r].pszText; *p && bOK; ++p)
        {
            Glyph glyph;
            bOK = renderGlyph(pFont, (unsigned char)*p, &glyph);
            if (!bOK)
                std::fprintf(stderr, "fontsheet: the face draws nothing for byte 0x%02X\n",
                             (unsigned)(unsigned char)*p);
            aRows[(size_t)r].push_back(glyph);
        }
    TTF_CloseFont(pFont);
    TTF_Quit();
    std::vector<std::vector<int>> aGaps(7);
    if (!bOK || !chooseGaps(aRows, &aGaps))
        return 1;

    std::vector<uint8_t> abPixels((size_t)SHEET_WIDTH * SHEET_HEIGHT * 2, 0);
    for (int r = 0; r < 7; ++r)
    {
        const RowLayout& row = ROWS[r];
        for (int nMarker : {row.nTopMarker, row.nBottomMarker})
        {
            abPixels[(size_t)nMarker * SHEET_WIDTH * 2] = 0;
            abPixels[(size_t)nMarker * SHEET_WIDTH * 2 + 1] = 255;
        }
        const int nBandTop = row.nTopMarker + 1;
        const int nBandHeight = row.nBottomMarker - row.nTopMarker - 1;
        // Surface row of the reference A's top lands on the reference top.
        const int nShift = aRows[(size_t)r][0].nInkTop - row.nReferenceTop;
        int x = FIRST_COLUMN;
        for (size_t k = 0; k < aRows[(size_t)r].size(); ++k)
        {
            const Glyph& glyph = aRows[(size_t)r][k];
            placeGlyph(glyph, x, nBandTop, nBandHeight, nShift, &abPixels);
            x += inkWidth(glyph);
            if (k < aGaps[(size_t)r].size())
                x += aGaps[(size_t)r][k];
        }
    }

    std::vector<uint8_t> abPng = encodePng(SHEET_WIDTH, SHEET_HEIGHT, 2, abPixels.data());
    if (!writeFile(pszPng, std::string(abPng.begin(), abPng.end())) ||
        !writeFile(pszSource, sourceOf(abPng)))
    {
        std::fprintf(stderr, "fontsheet: cannot write %s or %s\n", pszPng, pszSource);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fputs("usage: fontsheet FACE.ttf OUT.png OUT.cpp\n", stderr);
        return 2;
    }
    try
    {
        return run(argv[1], argv[2], argv[3]);
    }
    catch (const RIR::Exception& e)
    {
        std::fprintf(stderr, "fontsheet: %s\n", e.getMessage());
        return 1;
    }
}
