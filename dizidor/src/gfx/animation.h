// Animation: a named set of sequences of frames, with inherited string properties.
//
// An animation is shared, read-mostly data: the animation script reader fills it, the
// application's animation cache keeps it, and any number of AnimSprites play it at once. Nothing
// changes an animation once the reader has finished it.
//
// Structure: the animation holds its sequences by name (one Sequence may be registered under
// several names), a sequence holds its frames (FrameData), a frame holds its picture. Ownership
// runs downward only; each sequence and frame keeps a plain pointer to its parent for property
// look-ups: a frame's property is looked up on the frame, then its sequence, then the animation.
//
// Order: the sequence names come in the key order of the animation's hash table (from the last of
// its 97 buckets to the first, each bucket in the order of registration), not in the order of
// registration; the default sequence of an animation that names none is the first name in that
// order.
//
// Usage:
//     RIR::SmartPtr<Animation> pAnim = new Animation(12.0f);
//     pAnim->newSequence("walk", true, 0);       // 12 frames per second, looping
//     pAnim->addFrame("walk", pImage1, 1);
//     pAnim->addFrame("walk", pImage2, 2);       // shown twice as long
//     pAnim->setFrameProp("walk", 1, "sound", "step");
//
// Failures: the queries that take a sequence name raise the table's FatalErrorException
// "Hash key not found : \"name\"" for a name that is not registered, and those that take a frame
// index the list's "List index out of range : %d (have %d)"; getFrameCount, isValidFrame and
// hasSequence never fail. Main thread only.
#ifndef DIZIDOR_GFX_ANIMATION_H
#define DIZIDOR_GFX_ANIMATION_H

#include "gfx/framedata.h"
#include "gfx/image.h"
#include "gfx/propholder.h"
#include "gfx/sequence.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class Animation : public PropHolder
{
public:
    // fFPS is the speed of sequences made without one; exactly 0 takes the application's frame
    // rate now (0 when there is no application). Later changes of that rate do not reach it.
    explicit Animation(float fFPS);
    ~Animation() override;

    // The name used in messages: the script name or the cache key.
    void setName(const char* pszName);
    const RIR::String& getName() const { return m_sName; }

    float getFPS() const { return m_fFPS; }
    // Changes no existing sequence.
    void setFPS(float fFPS);

    // Stores the name; whether such a sequence exists is not checked.
    void setDefaultSequence(const char* pszName);
    // The default sequence's name. With none set, the first registered name in the table's key
    // order becomes the default and stays it. An animation with neither a default nor any
    // sequence raises the list's index error for index 0.
    RIR::String getDefaultSequence();

    bool hasSequence(const char* pszName) const;
    // Raises the table's error for a missing name.
    RIR::SmartPtr<Sequence> getSequence(const char* pszName) const;
    // A new empty sequence with this animation as its parent, registered under the name in place
    // of any sequence registered there. An fFPS of 0 means the animation's current rate.
    RIR::SmartPtr<Sequence> newSequence(const char* pszName, bool bLoop, float fFPS);
    // Registers an existing sequence under another name; it keeps its parent. A name already in
    // use raises FatalErrorException "<animation> already has seq <name>"; a null sequence fails
    // the assertion.
    void addSequence(const char* pszName, RIR::SmartPtr<Sequence> pSequence);
    // Every registered name, in the table's key order.
    RIR::List<RIR::String> getSequenceNames() const;
    bool isEmpty() const;

    // The frames of the named sequence; 0 when no such sequence is registered.
    int getFrameCount(const char* pszSequence) const;
    // The sequence exists and 0 <= nIndex < its frame count.
    bool isValidFrame(const char* pszSequence, int nIndex) const;
    // The sequence's speed (frame units per second) and loop flag; raise for a missing name, and
    // so do the setters.
    float getSequenceSpeed(const char* pszSequence) const;
    bool getSequenceLoop(const char* pszSequence) const;
    void setSequenceSpeed(const char* pszSequence, float fSpeed);
    void setSequenceLoop(const char* pszSequence, bool bLoop);

    // Appends a frame showing the image for nDuration frame units and returns its index. A
    // sequence that does not exist yet is made first, at the animation's current rate, not
    // looping.
    int addFrame(const char* pszSequence, RIR::SmartPtr<Image> pImage, int nDuration);
    // The frame's record, picture and duration; raise for a missing sequence or a bad index.
    RIR::SmartPtr<FrameData> getFrame(const char* pszSequence, int nIndex) const;
    RIR::SmartPtr<Image> getFrameImage(const char* pszSequence, int nIndex) const;
    int getFrameDuration(const char* pszSequence, int nIndex) const;
    // The property as the frame sees it: the frame's own value, else its sequence's, else the
    // animation's, else "".
    RIR::String getFrameProp(const char* pszSequence, int nIndex, const char* pszKey) const;
    // Whether the frame, its sequence or the animation has the key.
    bool hasFrameProp(const char* pszSequence, int nIndex, const char* pszKey) const;
    // nIndex < 0 sets the property on the sequence itself (every frame inherits it), else on the
    // frame at nIndex.
    void setFrameProp(const char* pszSequence, int nIndex, const char* pszKey,
                      const char* pszValue);

    // Every distinct frame picture once, at its first use: sequences in name order, frames in
    // playing order. Frames without a picture are left out. For preparing all pictures ahead.
    RIR::List<RIR::SmartPtr<Image>> getAllImages() const;

private:
    RIR::String m_sDefaultSeq;
    RIR::String m_sName;
    float m_fFPS;
    RIR::Hash<RIR::String, RIR::SmartPtr<Sequence>> m_hSequences;
};

#endif
