// Readers of the picture side files ".subimage" and ".spec".
//
// ".subimage": one line "parent x y w h": the picture is the rectangle (x, y, w, h) of the parent
// picture's canvas. Tokens are separated by blanks only (line ends are no separators, so the
// definition must stay on one line); further tokens are ignored.
//
// ".spec": token lines (blanks or tabs, "#" comments), each "vcanvas W H X Y": the picture's
// virtual canvas is W x H and its stored pixels start at (X, Y). The last line wins.
//
// Numbers are decimal with leading digits read (so a trailing line end is ignored); text that is
// no number reads as 0, and numbers beyond the 32-bit range are held at its limits.
//
// The readers take the side file's text, so they run without any resource lookup.
#ifndef DIZIDOR_GFX_IMAGESIDEFILES_H
#define DIZIDOR_GFX_IMAGESIDEFILES_H

#include "rir2/rirstring.h"

#include <cstdint>

class Image;

struct SubImageDef
{
    RIR::String m_sParent;
    int32_t m_nX;
    int32_t m_nY;
    int32_t m_nW;
    int32_t m_nH;
};

// Reads a ".subimage" text. Fewer than five tokens raise the list's FatalErrorException
// "List index out of range : %d (have %d)".
SubImageDef readSubImageDef(const char* pszText);

// Applies each line of a ".spec" text to the image in turn (Image::setVirtualCanvas). A first
// token other than "vcanvas" raises FatalErrorException "Unknown token %s at %s, line %d" (the
// token, pszResourceName, the line number); a "vcanvas" line without exactly five tokens raises
// AssertFailException "Assertion failed : lToks.getLength() == 5". Lines before the bad one stay
// applied.
void readCanvasSpec(const char* pszText, const char* pszResourceName, Image* pImage);

// A side-file number: leading blanks, an optional sign and the leading digits; 0 when there are
// none; held within the 32-bit range.
int32_t readSideFileInt(const char* pszText);

#endif
