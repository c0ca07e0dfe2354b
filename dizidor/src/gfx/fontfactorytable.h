// FontFactoryTable: the registered font factories, by class name.
//
// Each font class registers its factory here under its class name ("SimpleFont", "BitmapFont",
// "TrueType"); names are compared lower-cased. The theme's font blocks ("class <name> args...")
// make their fonts through createFont. The table is process-wide: the application registers the
// bitmap factories at start-up, the SDL platform the TrueType one while it lives.
//
// Usage:
//     FontFactoryTable::registerFactory("SimpleFont", new SimpleFontFactory());
//     RIR::SmartPtr<Font> pFont = FontFactoryTable::createFont("simplefont", lArgs);
//
// Main thread only.
#ifndef DIZIDOR_GFX_FONTFACTORYTABLE_H
#define DIZIDOR_GFX_FONTFACTORYTABLE_H

#include "gfx/font.h"
#include "gfx/fontfactory.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class FontFactoryTable
{
public:
    // Stores the factory under the lower-cased name, replacing an earlier one.
    static void registerFactory(const char* pszClass, RIR::SmartPtr<FontFactory> pFactory);
    // Removes the name's factory when there is one.
    static void unregisterFactory(const char* pszClass);
    // The name's factory, or null.
    static RIR::SmartPtr<FontFactory> findFactory(const char* pszClass);
    // FontFactory::createFont of the name's factory; FatalErrorException
    // "Can't find factory for font class '%s'" (the lower-cased name) when none is registered.
    static RIR::SmartPtr<Font> createFont(const char* pszClass,
                                          const RIR::List<RIR::String>& lArgs);
};

#endif
