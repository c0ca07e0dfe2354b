// FontFactory: the maker of one class of fonts from an argument list.
//
// Each font class ("SimpleFont", "BitmapFont", "TrueType") has one factory, registered by class
// name in the font factory table (gfx/fontfactorytable.h); the theme's font blocks name a class
// and hand the tokens after it to createFont. The parameter operations read and rewrite an
// argument list of the factory's own format, so that a caller can make a variant of a font
// (the same face at another size) without knowing that format:
//
//     RIR::List<RIR::String> lArgs = pFont->getFactoryArgs();
//     RIR::SmartPtr<FontFactory> pFactory = pFont->getFactory();
//     if (pFactory && pFactory->setIntParam(lArgs, 0, 12))   // parameter 0: the point size
//         pSmaller = pFactory->createFont(lArgs);
//
// The defaults here know no parameter.
#ifndef DIZIDOR_GFX_FONTFACTORY_H
#define DIZIDOR_GFX_FONTFACTORY_H

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Font;

class FontFactory : public RIR::RefCountedObject
{
public:
    ~FontFactory() override;

    // A new font made from the arguments; failures are the factory's (see each factory).
    virtual RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) = 0;
    // Rewrites parameter nWhich in lArgs; false (and lArgs unchanged) when the factory has no
    // such integer parameter. The default has none.
    virtual bool setIntParam(RIR::List<RIR::String>& lArgs, int nWhich, int nValue);
    // As setIntParam for a text parameter; the default has none.
    virtual bool setStringParam(RIR::List<RIR::String>& lArgs, int nWhich, const char* pszValue);
    // Parameter nWhich of lArgs, or -1 when the factory has no such integer parameter.
    virtual int getIntParam(const RIR::List<RIR::String>& lArgs, int nWhich);
    // Parameter nWhich of lArgs, or "" when the factory has no such text parameter.
    virtual RIR::String getStringParam(const RIR::List<RIR::String>& lArgs, int nWhich);
};

#endif
