// ThiefGuard: the level's watchman at the lower left, who shoots at a thief at the register.
//
// Two kinds: "mariachi" (five layers of "mariachi.anim", shot sound 7) and "dog" (one layer of
// "dog.anim" and a separate gun picture "perro_gun" he shows and hides by the "showweapon" and
// "hideweapon" frames, shot sound 8); any other kind is the fatal error "Unknown thief guard '%s'".
// He stands on square (1, 12), which is blocked for walkers while he is there.
//
// His cycle: idle ("idle") for IPlayMode::getGuardAwakeTime seconds, then he falls asleep
// ("sleep", then "sleeping" with a "zzz" text rising every second) until a click wakes him
// ("wakeup", wakeUp). Awake, a target (the thief at the register, setTarget) makes him raise his
// weapon ("start") and fire ("fire", again and again) until the target is taken away ("end",
// then idle). In a "fire" round a "playsound" frame plays his shot sound (the thief's own hit
// then plays none), a "bang" frame shows the muzzle flash "bang_hor" for 0.075 s and a
// "doaction" frame hits the target as a click 100 px above his feet (without a target the shot
// goes off at x 750 with sound group 7). Asleep, he ignores a new target; woken with one set, he
// fires at once.
//
// States: 0 idle, 1 raising the weapon, 2 firing, 3 lowering, 4 falling asleep, 5 asleep,
// 6 waking up, 7 end of firing.
//
// Usage (the level):
//     RIR::SmartPtr<ThiefGuard> pGuard = new ThiefGuard("dog");   // needs the scene
//     pGuard->update(fDt);                                       // every frame
//     if (pGuard->isAsleep() && pGuard->containsPoint(x, y)) pGuard->wakeUp();
//
// Main thread only; needs the scene, the application's packs and a registered IPlayMode.
#ifndef DBD_WORLD_THIEFGUARD_H
#define DBD_WORLD_THIEFGUARD_H

#include "world/thief.h"

#include "gfx/animsprite.h"
#include "gfx/sprite.h"

#include "rir2/list.h"
#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class ThiefGuard : public RIR::RefCountedObject
{
public:
    static constexpr int ST_IDLE = 0;
    static constexpr int ST_RAISE = 1;
    static constexpr int ST_FIRE = 2;
    static constexpr int ST_LOWER = 3;
    static constexpr int ST_FALL_ASLEEP = 4;
    static constexpr int ST_ASLEEP = 5;
    static constexpr int ST_WAKE_UP = 6;
    static constexpr int ST_END_FIRE = 7;
    // The square he stands on.
    static constexpr int SQUARE_I = 1;
    static constexpr int SQUARE_J = 12;

    explicit ThiefGuard(const char* pszKind);
    // Takes his pictures off the screen.
    ~ThiefGuard() override;

    void update(float fDt);
    // The thief to fire at, or null.
    void setTarget(Thief* pThief);
    void wakeUp();
    // Falling asleep or asleep.
    bool isAsleep() const { return m_eState == ST_FALL_ASLEEP || m_eState == ST_ASLEEP; }
    // Whether any of his layers covers the screen point.
    bool containsPoint(int nX, int nY);

    int getState() const { return m_eState; }
    const RIR::String& getKind() const { return m_sKind; }
    float getAwakeTime() const { return m_fAwakeTime; }
    RIR::SmartPtr<Thief> getTarget() const { return m_pTarget; }
    const RIR::List<RIR::SmartPtr<AnimSprite>>& getLayers() const { return m_lLayers; }
    bool isFlashShown() const { return !m_pBangSprite.isNull(); }
    RIR::SmartPtr<Sprite> getGunSprite() const { return m_pGunSprite; }

private:
    ThiefGuard(const ThiefGuard&) = delete;
    ThiefGuard& operator=(const ThiefGuard&) = delete;

    void addLayer(const RIR::SmartPtr<Animation>& pAnim, const char* pszPrefix, int nX, int nY,
                  int nDepth);
    // Plays prefix + name on every layer.
    void play(const char* pszName);
    void setState(int nState, const char* pszAnim);
    // The markers of the frames a layer passed this update.
    void readMarkers(AnimSprite* pLayer);
    void showFlash();
    void removeFlash();

    RIR::List<RIR::SmartPtr<AnimSprite>> m_lLayers;
    RIR::List<RIR::String> m_lPrefixes;
    RIR::SmartPtr<Sprite> m_pGunSprite;
    RIR::SmartPtr<Sprite> m_pBangSprite;
    float m_fBangTime;
    int m_nShotSound;
    RIR::String m_sKind;
    RIR::SmartPtr<Thief> m_pTarget;
    int m_eState;
    bool m_bShotDone;
    bool m_bSoundDone;
    int m_nZzzX;
    int m_nZzzY;
    int m_nZzzDepth;
    float m_fZzzTime;
    float m_fAwakeTime;
    int m_nBangX;
    int m_nBangY;
};

#endif
