// parsePositionKeyword: a position along one axis of an image, written as a keyword or a number
// with an optional signed offset.
//
// The theme and the animation scripts place things on a picture with texts such as "center",
// "right-4", "contents_center+2" or "17". The result is in the image's pixels along the
// horizontal axis (bHorizontal) or the vertical one:
//     "left", "top"          0
//     "center", "middle"     size / 2
//     "right", "bottom"      size (the width or the height)
//     "contents_center"      the middle of the stored pixels in canvas coordinates
//     anything else          its integer value (atoi: 0 for a text that is no number)
// Keywords are case-sensitive and not tied to an axis ("bottom" on the horizontal axis is the
// width). The offset starts at the first "+", or when there is none at the first "-", and is
// read with its sign; so "-5" alone is 0 - 5. Halves are truncated toward zero.
#ifndef DIZIDOR_APP_POSITIONKEYWORD_H
#define DIZIDOR_APP_POSITIONKEYWORD_H

class Image;

// AssertFailException "Assertion failed : pImage" for a null image.
int parsePositionKeyword(const char* pszText, Image* pImage, bool bHorizontal);

#endif
