// The factories of the two bitmap font classes, "SimpleFont" and "BitmapFont".
//
// Both take one argument, the name of the glyph-sheet picture, fetched through the installed
// image environment's shared image cache; later arguments are ignored. An empty argument list
// raises the list's index error, a missing picture the image cache's error, a bad sheet the
// reader's. Bitmap fonts carry no factory (Font::getFactory is null) and know no parameter.
#ifndef DIZIDOR_GFX_BITMAPFONTFACTORIES_H
#define DIZIDOR_GFX_BITMAPFONTFACTORIES_H

#include "gfx/fontfactory.h"

class SimpleFontFactory : public FontFactory
{
public:
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) override;
};

class BitmapFontFactory : public FontFactory
{
public:
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) override;
};

// Register a new factory in the font factory table under "SimpleFont" / "BitmapFont".
void registerSimpleFontFactory();
void registerBitmapFontFactory();

#endif
