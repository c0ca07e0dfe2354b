// AnimationLoader: the reader of animation scripts (".anim").
//
// A script is a text resource of one command per line: blank- or tab-separated tokens, "#" starts
// a comment. It loads pictures, edits copies of them (flips, alpha, channel remapping, blits,
// insertion points), declares sequences and fills them with frames and properties; the loader
// builds one Animation from it. A line may use the script's parameters as "(0)", "(1)", ... and
// its defines as "(name)": both are replaced as plain text before the line is split. Lines can be
// made conditional (if / elif / else / endif with prefix expressions), repeated ("repeat n ...")
// or counted ("mload pic 01 12" loads pic01 to pic12); "include" reads another script in place.
//
// Reading is incremental: step runs commands until one that loads, copies or changes a picture
// has run (so a background load does one such piece of work per call), or until more than 100
// other commands have run. The application's animation cache uses it so: one loader per
// animation, setParams, then load, or begin and one step per frame until isDone.
//
// Usage:
//     RIR::SmartPtr<AnimationLoader> pLoader = new AnimationLoader();
//     pLoader->setParams(lParts);
//     RIR::SmartPtr<Animation> pAnim = pLoader->load("walk.anim");
//
// Scripts and pictures come through the installed ImageEnvironment (gfx/imageenv.h): the script
// and its includes from its resources, pictures from its shared image cache. The loader never
// changes a cached picture's pixels (changes go to copies), but "inspos" moves the insertion point
// of the image object the script holds, which for a picture loaded with its insertion point at
// (0, 0) is the cached object itself.
//
// Failures: script errors raise AnimationParserException (gfx/animationparserexception.h) naming
// the script and the line, among them the limits that keep a hostile script from running away: a
// line may run its command ("repeat", counted commands) at most 10000 times, and may grow by
// substitution to at most 65536 characters, a script may add at most 16384 frames, and a load
// may read at most 100000 lines of included scripts. An include of a script that is still being
// read (a cycle) is refused. Errors of other classes keep their class and message, and get
// " (in <script>, line <n>)" added: a condition that is neither "true" nor "false" raises
// FatalErrorException "Condition doesn't evaluate to bool"; a condition that runs out of tokens
// and an else / elif / endif without an open block fail assertions; a "repeat" or m-command line
// that is too short raises the list's index error; a missing include or picture raises what the
// environment raises. Nothing is caught for good: the load ends and the loader is left as it was
// at the error, to be dropped by its caller.
//
// Main thread only. A loader reads one script (with its includes) once.
#ifndef DIZIDOR_GFX_ANIMATIONLOADER_H
#define DIZIDOR_GFX_ANIMATIONLOADER_H

#include "gfx/animation.h"
#include "gfx/image.h"
#include "gfx/includestack.h"
#include "rir2/hash.h"
#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

#include <cstdint>

class AnimationLoader : public RIR::RefCountedObject
{
public:
    // Everything empty, no parameters.
    AnimationLoader();
    ~AnimationLoader() override;

    AnimationLoader(const AnimationLoader&) = delete;
    AnimationLoader& operator=(const AnimationLoader&) = delete;

    // The script's parameters: "(i)" stands for the i-th (from 0) in every line read later.
    void setParams(const RIR::List<RIR::String>& lParams);
    // Reads the script's lines and starts an empty animation named pszName, at the application's
    // frame rate unless the script sets one. Raises what the resource lookup raises.
    void begin(const char* pszName);
    // Runs commands until one that ends the step (see the file comment); returns the number of
    // script lines read during the call. Once isDone, it does nothing and returns 0.
    int step();
    // No line is pending and no counted command has iterations left.
    bool isDone() const;
    // The animation being built; complete once isDone.
    RIR::SmartPtr<Animation> getAnimation() const { return m_pAnimation; }
    // begin, then step until isDone; the finished animation.
    RIR::SmartPtr<Animation> load(const char* pszName);

    // The pending line count right after the last script (or include) was read, and now.
    int getLineCount() const { return m_nLineCount; }
    int getPendingLineCount() const { return m_lLines.getLength(); }

    // The condition language (prefix notation). evaluateCondition drops the tokens "(" and ")",
    // evaluates one expression and requires "true" or "false"; evaluateExpression takes the
    // tokens of one expression from the front of the list and returns its value. Tokens left
    // after the expression stay in the list.
    static bool evaluateCondition(RIR::List<RIR::String>& lToks);
    static RIR::String evaluateExpression(RIR::List<RIR::String>& lToks);

private:
    struct CommandInfo;
    typedef void (AnimationLoader::*CommandFunc)();
    // The command table (animationcommands.cpp).
    static const CommandInfo s_aCommands[];

    // ---- reading (animationloader.cpp) ---------------------------------------------------------

    // Reads the named script and puts its lines in front of the pending lines, each marked as
    // coming from source nSource. An included script (bIncluded) counts toward the limit on
    // included lines, which raises before any of its lines is added.
    void loadLines(const char* pszName, int nSource, bool bIncluded = false);
    // The body of step: commands until one that ends the step.
    int runCommands();
    // Adds " (in <script>, line <n>)" to the message of an error that does not name them.
    void nameTheLine(RIR::Exception& e) const;
    // Takes the next non-empty line into m_sLine and m_lTokens; returns the lines taken.
    int nextLine();
    // Replaces every sPattern of m_sLine by sValue; raises when the line would grow too long.
    void substitute(const RIR::String& sPattern, const RIR::String& sValue);
    // One iteration of the counted command: its tokens with the counter filled in.
    void advanceCounter();
    // The command word's entry and its run; true when the command ends the step.
    bool executeCommand();
    // Sets up a counted command (mload, mclone, ...).
    void startCounter();

    // ---- conditional blocks (animationloader.cpp) ----------------------------------------------

    void cmdIf();
    void cmdElif();
    void cmdElse();
    void cmdEndif();
    // Skips the lines of a false branch up to the "else", a true "elif" or the block's "endif".
    void skipFalseBranch();
    // Skips the rest of a block whose branch ran, up to its "endif".
    void skipToEndif();
    // The next line while skipping; raises when the script ends inside the block.
    void nextSkippedLine();

    // ---- commands (animationcommands.cpp) ------------------------------------------------------

    void cmdLoad();
    void cmdAlias();
    void cmdDefine();
    void cmdSeq();
    void cmdDefault();
    void cmdParam();
    void cmdClearParams();
    void cmdParams();
    void cmdInclude();
    void cmdCopySeq();
    void cmdRemove();
    void cmdClone();
    void cmdAdd();
    void cmdHFlip();
    void cmdVFlip();
    void cmdMultiplyAlpha();
    void cmdInsPos();
    void cmdFps();
    void cmdBlit();
    void cmdRBlit();
    void cmdRemap();
    void cmdProp();
    void cmdFrameProp();

    // The loaded image of that name; raises the "image not found" error when there is none.
    RIR::SmartPtr<Image> checkImage(const RIR::String& sName);
    // m_lSelection := the images of the operand: every loaded image for "all", else the named one.
    void selectImages(const RIR::String& sOperand);
    // The names of the operand's images: every loaded name for "all", else the (checked) name.
    RIR::List<RIR::String> selectNames(const RIR::String& sOperand);
    // Replaces the named image by a copy sharing its pixels until changed; returns the copy.
    RIR::SmartPtr<Image> replaceByCopy(const RIR::String& sName);
    // Appends a frame to the current sequence and makes it the current frame; raises when the
    // script has added too many frames.
    void addFrame(RIR::SmartPtr<Image> pImage, int nDuration);
    // The token at nIndex, or "" when the line is shorter.
    RIR::String optionalToken(int nIndex) const;

    RIR::Hash<RIR::String, RIR::SmartPtr<Image>> m_hImages;
    RIR::List<RIR::String> m_lLines;
    RIR::List<RIR::String> m_lTokens;
    RIR::List<RIR::SmartPtr<Image>> m_lSelection;
    RIR::String m_sLine;
    RIR::List<RIR::String> m_lParams;
    int32_t m_nParams;
    RIR::Hash<RIR::String, RIR::String> m_hDefines;
    int32_t m_nCurFrame;
    RIR::String m_sCurSeq;
    int32_t m_nLine;
    int32_t m_nLineCount;
    RIR::SmartPtr<Animation> m_pAnimation;
    RIR::String m_sCommand;
    // Wide enough to stand one step before any int first value.
    int64_t m_nCounter;
    int32_t m_nCounterEnd;
    int32_t m_nCounterWidth;
    RIR::List<int> m_lCounterPos;
    RIR::List<RIR::String> m_lTemplate;
    bool m_bMulti;
    int32_t m_nIfBlockNesting;

    // Where each line comes from, for the include-cycle check: m_lLineSources runs parallel to
    // m_lLines and holds the IncludeStack source of each line. m_nCurSource: the source of
    // m_sLine.
    RIR::List<int> m_lLineSources;
    IncludeStack m_includes;
    int32_t m_nCurSource;
    // Lines read from included scripts during this load, for the limit on them.
    int64_t m_nIncludedLines;
    // The text of the current command from its word on: m_sLine without the tokens a "repeat"
    // took off.
    RIR::String m_sCommandText;
    // Lines read during the current step.
    int32_t m_nStepLines;
    // Frames the script has added, for the limit on them.
    int32_t m_nFramesAdded;
};

#endif
