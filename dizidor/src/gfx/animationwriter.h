// AnimationSaver: writes an Animation back out as an animation script.
//
// The script holds the animation's frame rate, its default sequence and properties, then every
// sequence (under each name it is registered with: a sequence with two names is written twice)
// with its loop flag, speed, properties and frames. It refers to pictures only by name and
// writes no "load" lines: the caller names every frame picture (setImageName, or the table given
// to save) with the names under which whatever reads the script back has loaded them. The
// finished text becomes one entry of a resource pack being written.
//
// Writing is incremental, like reading: begin writes the header, each step writes one frame (the
// first frame of a sequence together with the sequence's header line) or closes a sequence; the
// entry reaches the pack when the last sequence is closed.
//
// Usage:
//     RIR::SmartPtr<AnimationSaver> pSaver = new AnimationSaver();
//     RIR::Hash<Image*, RIR::String> hNames;
//     hNames.set(pWalkA, "walk_a");
//     pSaver->save(pAnim, pPack, "walk.anim", &hNames);
//
// Output for an animation at 60 frames per second with one looping sequence "walk" at 12 frames
// per second and two frames, the second lasting two units with a property:
//     fps 60.00
//     default walk
//     seq walk loop fps 12.00
//     add walk_a
//     add walk_b repeat 2
//     prop sound step
//
// Failures (FatalErrorException, nothing reaches the pack): an animation without sequences; a
// frame whose picture has no name, named with its sequence and index; a name, key or value that
// the reader could not read back as one token (empty where a token is needed, or holding a
// blank, tab, line break or "#"). Errors of the pack writer pass through.
//
// Main thread only.
#ifndef DIZIDOR_GFX_ANIMATIONWRITER_H
#define DIZIDOR_GFX_ANIMATIONWRITER_H

#include "gfx/animation.h"
#include "gfx/image.h"
#include "gfx/propholder.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/memstream.h"
#include "rir2/refcount.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/rirstring.h"

#include <cstdint>

class AnimationSaver : public RIR::RefCountedObject
{
public:
    // No animation, no pack, no names.
    AnimationSaver();
    ~AnimationSaver() override;

    AnimationSaver(const AnimationSaver&) = delete;
    AnimationSaver& operator=(const AnimationSaver&) = delete;

    // begin, the names of phImageNames (when given), then step until isDone.
    void save(RIR::SmartPtr<Animation> pAnimation, RIR::SmartPtr<RIR::ResourceFileCompiler> pWriter,
              const char* pszName, const RIR::Hash<Image*, RIR::String>* phImageNames = nullptr);
    // Starts writing the animation as the pack entry pszName: the header lines, then the
    // sequences to come. Forgets the picture names of an earlier animation.
    void begin(RIR::SmartPtr<Animation> pAnimation,
               RIR::SmartPtr<RIR::ResourceFileCompiler> pWriter, const char* pszName);
    // The name under which the frames showing this picture are written; after begin.
    void setImageName(Image* pImage, const char* pszName);
    // Writes the next piece (see the file comment); returns the number of lines written. The
    // last step hands the script to the pack.
    int step();
    // Every sequence is written (also before begin).
    bool isDone() const { return m_lPending.isEmpty(); }
    // Writes "prop <key> <value>" for each of the holder's own properties; returns the lines.
    int writeProps(PropHolder* pHolder, RIR::MemStream* pStream);

private:
    // Writes the text; raises when the stream refuses it.
    void write(RIR::MemStream* pStream, const char* pszText);
    // Raises unless the text reads back as one token ("" allowed only with bMayBeEmpty).
    void checkToken(const char* pszWhat, const RIR::String& sText, bool bMayBeEmpty) const;

    RIR::SmartPtr<Animation> m_pAnimation;
    RIR::SmartPtr<RIR::ResourceFileCompiler> m_pWriter;
    RIR::SmartPtr<RIR::MemStream> m_pStream;
    RIR::String m_sName;
    RIR::Hash<Image*, RIR::String> m_hImageNames;
    RIR::List<RIR::String> m_lPending;
    int32_t m_nSeqIndex;
    int32_t m_nFrameIdx;
};

#endif
