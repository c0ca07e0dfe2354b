// IPlayMode: the services of the running saloon day that the world calls.
//
// The saloon world (scene, walkers, characters, spots, mugs) lives below level play, yet it must
// play sounds, raise fade texts, fly money to the cash bag, count statistics, report tutorial
// events, show tips, have characters removed and write the characters dump. It reaches the one
// running play mode through IPlayMode::getPlayMode and never keeps it in a member. The level's
// PlayMode implements this interface and registers itself while it exists (setPlayMode); the
// world's tests register a recording one (tests/world/kit/recordingplaymode.h).
//
// Objects of the world that the level hands back or takes (characters, customers, mugs, the
// thief guard) are passed as plain pointers the caller keeps its own reference to. The level
// rules the world reads (the difficulty manager's "LP_" parameters, the fight limit, the guard's
// awake time) and the application's low-resources setting come through here as well, so that
// nothing in the world reaches up into level play or the game shell.
//
// Usage:
//     IPlayMode::getPlayMode()->playSound(16, 400);   // the door opens, heard in the middle
//
// Main thread only.
#ifndef DBD_WORLD_IPLAYMODE_H
#define DBD_WORLD_IPLAYMODE_H

#include "world/fadetext.h"
#include "world/mug.h"

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class AnimSprite;
class Character;
class GameMode;
class Customer;
class ParamHolder;
class ThiefGuard;

class IPlayMode
{
public:
    // Clears the registration when this play mode is the registered one.
    virtual ~IPlayMode();

    // The running play mode; "Assertion failed : s_pPlayMode != NULL" when none is registered.
    static IPlayMode* getPlayMode();
    // Whether a play mode is registered.
    static bool hasPlayMode();
    // Registers pPlayMode (null: none); returns the previous registration.
    static IPlayMode* setPlayMode(IPlayMode* pPlayMode);

    // Sounds, tutorial and tips.
    // Plays a sample of the sound group, panned by the source's screen x (0 left, 800 right,
    // -1000 no panning); group -1 plays nothing.
    virtual void playSound(int nGroup, int nX) = 0;
    // Reports tutorial event nEvent (0 a customer sits .. 8 a bottle landed).
    virtual void tutorialEvent(int nEvent) = 0;
    // Shows the one-time tip of the feature pointing from (nX, nY) in direction nDirection.
    virtual void showFeatureTip(const char* pszFeature, int nX, int nY, int nDirection) = 0;

    // Cash, statistics and screen effects.
    // Adds amount (may be negative) to the day's cash.
    virtual void addCash(int nAmount) = 0;
    virtual int getCash() = 0;
    // Counts one more of statistic nIndex (0..8); returns nIndex.
    virtual int incStat(int nIndex) = 0;
    // A picture rising from (nX, nY) at depth nDepth; a missing picture raises the level's
    // fatal error "Image %s not found\n".
    virtual RIR::SmartPtr<FadeText> addFadeText(const char* pszImage, int nX, int nY, int nDepth,
                                                float fRiseSpeed, float fDuration) = 0;
    // Switches the fade text's swaying on and places it at once.
    virtual void showFadeText(const RIR::SmartPtr<FadeText>& pText, float fAmplitude,
                              float fFrequency, float fPhase) = 0;
    // Flies a picture from (nX, nY) to (nTargetX, nTargetY) (both -1: the cash bag); nCash is
    // paid when it lands.
    virtual void flyImage(const char* pszImage, int nX, int nY, int nCash, int nTargetX,
                          int nTargetY) = 0;
    // A new full mug (3 sips) whose picture, a sprite of "mug.anim", is on the play screen. This
    // default takes the animation from the application's cache; a missing one raises the
    // resource error.
    virtual RIR::SmartPtr<Mug> createMug();
    // Shows in the hand's HUD picture what the hand holds (null: hides it).
    virtual void showHandMug(int nHand, Mug* pMug) = 0;
    // Sends every customer who can be scared out of the saloon.
    virtual void scareCustomers(Customer* pScarer) = 0;
    virtual bool shouldThrowEmptyMug() = 0;
    // The next insult line of the day.
    virtual RIR::String nextInsult() = 0;
    virtual void addStoppedFight(int nFightId) = 0;
    virtual bool isFightStopped(int nFightId) = 0;
    // Advances the animated sprite with the level from now on (the door).
    virtual void addAnimSprite(const RIR::SmartPtr<AnimSprite>& pSprite) = 0;
    // The play screen, where the characters' body sprites and markers are shown; null shows
    // them nowhere (a run without a screen still moves and animates them).
    virtual GameMode* getPlayScreen() = 0;

    // The characters of the day.
    // Queues the character for removal at the end of the frame.
    virtual void removeCharacter(Character* pCharacter) = 0;
    // The character's index in the day's list, -1 when absent.
    virtual int getCharacterIndex(const Character* pCharacter) = 0;
    virtual int countFightingCustomers() = 0;
    // Writes the characters dump to the log.
    virtual void dumpCharacters() = 0;
    virtual void replaceWantedPoster() = 0;
    virtual void newWantedPoster() = 0;

    // Level rules and application settings.
    // The level's thief guard, or null when the level has none.
    virtual ThiefGuard* getThiefGuard() = 0;
    // The level's difficulty manager as the holder of its "LP_" parameters.
    virtual ParamHolder* getDifficultyManager() = 0;
    // The difficulty manager's limit of fights going on at once.
    virtual int getMaxFights() = 0;
    // The difficulty manager's seconds the guard stays awake.
    virtual float getGuardAwakeTime() = 0;
    // The application's setting "LowResourcesMode" is exactly "TRUE".
    virtual bool isLowResourcesMode() = 0;
};

#endif
