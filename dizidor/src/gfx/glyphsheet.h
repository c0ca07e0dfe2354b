// The glyph-sheet reader: cuts a glyph-sheet picture into a bitmap font's glyph table.
//
// A glyph sheet is an ordinary picture (alpha channel or colour key) holding the glyphs of a
// bitmap font in seven rows. Format:
// - Column 0 holds nothing but fourteen marker pixels, one pair per row: one in the pixel row
//   just above the row's band and one just below it. The band is everything strictly between the
//   pair, over the full width of the sheet.
// - Inside a band, glyphs stand left to right, each a run of non-empty columns between empty
//   ones; a glyph may not touch the right edge. A pixel is empty when its alpha is 0 or it equals
//   the colour key; outside the stored pixels counts as empty.
// - Row r holds the glyphs of GLYPH_SHEET_ROWS[r] (code page 1252) in order; each row text starts
//   with the capital A, the row's reference glyph. A row may hold fewer glyphs than its text has
//   characters: the rest get none.
//
// Every glyph is a view into the sheet with the insertion point (0, top of its row's reference
// A), so glyphs of all rows drawn at one y line up on their cap line. The first A of row 1 is
// only measured; the A of each later row replaces the table's A in turn.
//
// Metrics: glyph spacing 1; space width the mean gap between neighbouring glyphs (6 when none was
// measured); line height the height of the table's A + 5.
//
// Usage:
//     int nSpacing, nSpace, nLineHeight;
//     RIR::SmartPtr<Image>* apGlyphs = readGlyphSheet(pSheet, &nSpacing, &nSpace, &nLineHeight);
//     ... apGlyphs[(unsigned char)c] ...   // null where the sheet has no glyph
//     delete[] apGlyphs;
//
// Failures: a row whose glyphs cannot be read is reported on standard error ("WARNING : Loading
// font : line %d has %d chars, expecting %d") and reading goes on with the next row. A sheet
// without its fourteen markers, or without any capital A, raises FatalErrorException naming the
// sheet; nothing is allocated then.
#ifndef DIZIDOR_GFX_GLYPHSHEET_H
#define DIZIDOR_GFX_GLYPHSHEET_H

#include "gfx/image.h"
#include "rir2/refcount.h"

enum
{
    GLYPH_SHEET_ROW_COUNT = 7,
    GLYPH_TABLE_SIZE = 256
};

// The row texts in code page 1252, each starting with "A".
extern const char* const GLYPH_SHEET_ROWS[GLYPH_SHEET_ROW_COUNT];

// A new table of GLYPH_TABLE_SIZE glyphs indexed by unsigned byte value (the caller deletes it
// with delete[]); the three metrics go to the pointers, which may be null.
RIR::SmartPtr<Image>* readGlyphSheet(RIR::SmartPtr<Image> pSheet, int* pnGlyphSpacing,
                                     int* pnSpaceWidth, int* pnLineHeight);

#endif
