// AnimSprite: a sprite that plays one sequence of an Animation.
//
// The sprite keeps a frame clock, advances it when its owner calls update with the elapsed time,
// and shows the current frame's picture as its image; everything else (position, layer, alpha,
// tint, drawing) is the plain Sprite. Its owner drives it: a character or decoration calls update
// from its own update, and a table's sprites are driven by an SCPlayAnimation controller.
//
// Timing: a sequence played at s frame units per second (s > 0) gives each unit 1 / s seconds; a
// negative speed -t gives the whole sequence t seconds, split evenly by its number of frames; a
// frame lasts its duration times that unit. An update that runs past the end of the current frame
// moves on as many frames as the elapsed time covers, and the frame it lands on then starts with
// its full time (the remainder is not carried). A non-looping sequence stops on its last frame. A
// hidden sprite's clock stands still.
//
// Markers: after each update, getPreviousFrame() + 1 .. getFrame() are the frames entered, so a
// listener sees a marker property ("doaction", "sound") even on a frame passed over within one
// update. hasFrameChanged, isFinished and hasSkippedFrames describe the last update only.
//
// Frames that last no time: a looping sequence whose frames add up to no time at all (durations
// of 0 or less) cannot use up any elapsed time; an update then goes round the sequence at most
// once and stays on the frame it reached instead of looping for ever. Long updates over short
// sequences skip whole rounds at once, so an update costs a few rounds of the sequence at most.
//
// Usage:
//     RIR::SmartPtr<AnimSprite> pSprite = new AnimSprite(pAnim, 100, 200, 5); // plays the default
//     pSprite->play("walk", 0, -1);     // the sequence's own speed and loop flag
//     pSprite->update(fDt);             // every frame
//     if (pSprite->hasFrameChanged() && pSprite->getFrameProp("doaction") == "1") ...
//
// Main thread only.
#ifndef DIZIDOR_GFX_ANIMSPRITE_H
#define DIZIDOR_GFX_ANIMSPRITE_H

#include "gfx/animation.h"
#include "gfx/image.h"
#include "gfx/point.h"
#include "gfx/sprite.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class AnimSprite : public Sprite
{
public:
    // The image-less sprite at (x, y) with z order z, then setAnimation. An animation with no
    // sequence and no default raises the list's index error; a default naming a missing sequence
    // raises the table's "Hash key not found" error.
    AnimSprite(RIR::SmartPtr<Animation> pAnimation, int nX, int nY, int nZOrder);
    AnimSprite(RIR::SmartPtr<Animation> pAnimation, const Point& pos, int nZOrder);
    ~AnimSprite() override;

    // Stops, clears the last update's flags and goes to frame 0; a non-null animation is then
    // taken and its default sequence played with that sequence's own speed and loop flag. A null
    // animation changes nothing else.
    void setAnimation(RIR::SmartPtr<Animation> pAnimation);
    RIR::SmartPtr<Animation> getAnimation() const { return m_pAnimation; }

    // Plays the named sequence from frame 0. fSpeed 0 takes the sequence's own speed; nLoop -1
    // its own loop flag, else nLoop != 0. A sequence that does not exist or has no frames is not
    // an error: the sprite stops and loses its image (which hides it), keeping its sequence name
    // and frame.
    void play(const char* pszSequence, float fSpeed, int nLoop);
    // The clock stops; the current frame stays shown.
    void stop();
    // The clock runs again when the sequence has a frame time; the current frame then starts
    // again with its full time.
    void resume();
    // Shows frame nIndex with its full time, then, when fTimeLeft > 0, leaves it fTimeLeft
    // seconds. Playing or not stays as it is. An index outside the sequence is stored and the
    // image and time left stay unchanged.
    void setFrame(int nIndex, float fTimeLeft);
    // Advances the clock by fDt seconds. True when the update moved to another frame, ended the
    // sequence, or found frame 0 with its full time untouched (the first update after play);
    // callers read hasFrameChanged and isFinished rather than the result.
    bool update(float fDt);

    const RIR::String& getSequenceName() const { return m_sSequence; }
    int getFrame() const { return m_nFrame; }
    float getFrameTimeLeft() const { return m_fTimeLeft; }
    bool isPlaying() const { return m_bPlaying; }
    // The frame at the start of the last running update.
    int getPreviousFrame() const { return m_nPrevFrame; }
    // The last update moved to another frame (not set when it ended the sequence).
    bool hasFrameChanged() const { return m_bFrameChanged; }
    // The last update reached the end of a non-looping sequence.
    bool isFinished() const { return m_bFinished; }
    // The last update moved on by more than one frame.
    bool hasSkippedFrames() const { return m_bSkipped; }

    // The frames of the named sequence, or of the current one for null; 0 for a missing one.
    int getFrameCount(const char* pszSequence = nullptr) const;
    // The current frame's picture; raises for a missing sequence or a frame outside it.
    RIR::SmartPtr<Image> getCurrentFrameImage() const;
    // Seconds the current frame lasts; raises likewise.
    float getFrameTime() const;
    // The property as the current frame sees it (frame, sequence, animation), else ""; raises
    // likewise.
    RIR::String getFrameProp(const char* pszKey) const;
    // False when the current sequence does not exist; else whether the current frame, its
    // sequence or the animation has the key.
    bool hasFrameProp(const char* pszKey) const;
    // The value of the nearest frame at or before the current one that has the key (inherited
    // keys count); "" when none has it or the sequence does not exist.
    RIR::String findFrameProp(const char* pszKey) const;

private:
    // Shows the current frame's picture and gives it its full time; nothing for a frame outside
    // the sequence.
    void showCurrentFrame();
    // Step 7 of update: moves on while the time left is used up. False when a non-looping
    // sequence ended (the sprite has stopped on its last frame).
    bool advanceFrames();

    RIR::SmartPtr<Animation> m_pAnimation;
    float m_fFrameTime; // seconds per frame unit
    float m_fTimeLeft;
    int32_t m_nFrame;
    RIR::String m_sSequence;
    bool m_bPlaying;
    bool m_bLoop;
    bool m_bSkipped;
    int32_t m_nPrevFrame;
    bool m_bFrameChanged;
    bool m_bFinished;
};

#endif
