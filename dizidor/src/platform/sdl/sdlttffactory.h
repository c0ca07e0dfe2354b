// SDLTTFFactory: the font factory of the class "TrueType", with a small cache of opened faces.
//
// Arguments (as a theme's font block gives them):
//     0   the face's resource name (looked up like any resource)
//     1   the point size, decimal (text that is no number reads as 0)
//     2.. style words, without regard to case: "bold", "italic", "underline"; others ignored;
//         repeating a word changes nothing
//
// Each distinct key (the face's full resource name, the size and the style words, lower-cased)
// opens its face once while it stays among the 15 most recently used keys; opening a 16th evicts
// the least recently used one (fonts handed out earlier keep their face alive). Every request is
// answered with a fresh clone of the cached font: default style, the factory and the arguments,
// and the face shared with every other font of the same key. Parameter 0 is the point size.
//
// The hit and miss counters are process-wide; the platform logs them when it shuts down.
//
// The cached fonts remember this factory, so the cache holds the factory alive: clearCache
// breaks that cycle when the factory is retired (the platform does it at shutdown).
//
// Usage:
//     RIR::List<RIR::String> lArgs("fonts/sans.ttf", "14", "Bold");
//     RIR::SmartPtr<Font> pFont = pFactory->createFont(lArgs);
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_SDL_SDLTTFFACTORY_H
#define DIZIDOR_PLATFORM_SDL_SDLTTFFACTORY_H

#include "gfx/font.h"
#include "gfx/fontfactory.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/rirstring.h"

enum
{
    TTF_CACHE_LIMIT = 15
};

class SDLTTFFactory : public FontFactory
{
public:
    // An empty cache of 97 buckets.
    SDLTTFFactory();
    ~SDLTTFFactory() override;

    // A clone of the cached font of the arguments' key, opening the face on a miss. A missing
    // argument 1 raises the list's index error; the face's failures are SDLTrueTypeFont::load's
    // (nothing is cached then).
    RIR::SmartPtr<Font> createFont(const RIR::List<RIR::String>& lArgs) override;
    // Parameter 0: argument 1 becomes the value written with "%d" (true). Other parameters:
    // false, nothing changed.
    bool setIntParam(RIR::List<RIR::String>& lArgs, int nWhich, int nValue) override;
    // Parameter 0: argument 1 as a number; other parameters: -1.
    int getIntParam(const RIR::List<RIR::String>& lArgs, int nWhich) override;

    // The style bits of the words from argument 2 on, OR-ed.
    static int getStyleBits(const RIR::List<RIR::String>& lArgs);
    // Requests answered from the cache, and faces opened, since the program started.
    static int getCacheHits();
    static int getCacheMisses();

    // Whether a font of this key is cached; the keys, least recently used first.
    bool isCached(const RIR::String& sKey) const;
    RIR::List<RIR::String> getUseOrder() const { return m_lUseOrder; }
    // Drops every cached font.
    void clearCache();

private:
    RIR::Hash<RIR::String, RIR::SmartPtr<Font>> m_hCache;
    RIR::List<RIR::String> m_lUseOrder;
};

#endif
