// InputScript: the test driver's script of player input for a run of the real game.
//
// A script is a text file of commands, one a line; "#" starts a comment, blank lines are
// skipped. Each command runs once the game's clock has reached its time; a command that needs
// several frames (a click is a move, a press and a release) takes one frame per step.
//     wait MS              the next command runs MS milliseconds of game time later
//     frames N             the next command runs N frames later
//     move X Y             the pointer to (X, Y) on the 800 x 600 screen
//     click X Y [BUTTON]   move, press, release; BUTTON left (default), middle or right
//     down X Y [BUTTON]    move, press
//     up X Y [BUTTON]      move, release
//     key KEY              press and release: a name (escape, return, space, tab, backspace,
//                          up, down, left, right, f1..f12), one character, or a key number
//     screenshot FILE      the next drawn frame as PNG (nothing on a display without pixels)
//     mode                 writes the class of the top mode to the log ("W: top mode <class>")
//     close                the window's close button
//     quit                 ends the run (exit code 0)
//     savestress N         for the next N frames, every frame counts "KillTestCounter" up by
//                          one, renames player slot 9 to "Saver <counter>" (made when free) and
//                          saves the settings: a steady stream of writes for the kill test
//
// Parsing is strict: a line that is not a command stops with an error naming the line, so that
// a mistyped script never runs half.
#ifndef DBD_GAME_INPUTSCRIPT_H
#define DBD_GAME_INPUTSCRIPT_H

#include <string>
#include <vector>

// One step of a script, run in one frame.
struct ScriptStep
{
    enum Kind
    {
        MOVE,
        BUTTON_DOWN,
        BUTTON_UP,
        KEY_DOWN,
        KEY_UP,
        SCREENSHOT,
        LOG_MODE,
        CLOSE,
        QUIT,
        SAVE_STRESS
    };
    Kind eKind = MOVE;
    int nDelayMs = 0;     // game time after the previous step
    int nDelayFrames = 0; // frames after the previous step (at least one)
    int nX = 0;
    int nY = 0;
    int nButton = 1;      // SDL's number: 1 left, 2 middle, 3 right
    int nCount = 0;       // savestress: the frames to save in
    int nKey = 0;         // SDL key symbol
    int nUnicode = 0;     // the character the key types, 0 for none
    std::string sFile;
    int nLine = 0;        // the script line it came from
};

// The steps of a script text; false with *psError set ("line N: ...") for a bad line.
bool parseInputScript(const std::string& sText, std::vector<ScriptStep>* pSteps,
                      std::string* psError);

#endif
