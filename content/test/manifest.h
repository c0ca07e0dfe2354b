// The content manifest: every resource name the code looks up, with the pack it lives in.
//
// content/manifest.txt holds one entry a line: "<pack> <kind> <name>", separated by blanks or
// tabs; "#" starts a comment. The pack is one of the game's packs without ".dat" ("misc",
// "lang_en", ...). The kinds and the lookup each one is checked through:
//     picture  the image lookup (name without extension)
//     sample   the sample lookup (name without extension)
//     music    the music lookup (name without extension)
//     file     a resource by its full name (text tables, fonts, the theme)
//     text     a key of the string table the game loads from its text tables
//     anim     an animation script or body template loaded through the engine's animation
//              loader; "file|part|part..." gives the part strings ("~" stands for a blank);
//              the script, its includes and every picture it loads are accounted for
//     parts    pictures that templates compose at run time: every picture whose name begins
//              with the given prefix (at least one must exist)
// A text key lives in the string table rather than in one pack entry; its pack is the one that
// holds the table it is written in.
#ifndef DBD_CONTENT_MANIFEST_H
#define DBD_CONTENT_MANIFEST_H

#include <string>
#include <vector>

struct ManifestEntry
{
    std::string sPack;
    std::string sKind;
    std::string sName;
    int nLine = 0;
};

struct Manifest
{
    std::vector<ManifestEntry> lEntries;
    // One message per malformed line ("manifest.txt:12: ..."); empty when all lines were read.
    std::vector<std::string> lErrors;
};

// The game's packs, without ".dat", in the order the game opens them.
const std::vector<std::string>& gamePacks();

// Reads the manifest text; sSource names it in error messages. Lines with a wrong number of
// words, an unknown kind or an unknown pack, and entries listed twice (same kind and name,
// compared without case) are reported and left out.
Manifest parseManifest(const std::string& sText, const std::string& sSource);

#endif
