// PausableLevel: what the game shell asks of a running level when the window loses the focus.
//
// The level's play mode implements it; the application pauses a level on top of the mode stack
// by opening its options menu, but only once the level has finished loading.
#ifndef DBD_LEVEL_PAUSABLELEVEL_H
#define DBD_LEVEL_PAUSABLELEVEL_H

class PausableLevel
{
public:
    virtual ~PausableLevel() {}
    // The level's data is loaded and it is being played.
    virtual bool isLoaded() const = 0;
    // Opens the in-game options menu over the level (it pauses the level).
    virtual void showOptions() = 0;
};

#endif
