// Customer: the character that gives the saloon its trade.
//
// A customer comes in through the door, takes a free chair, sits down, asks for a drink with
// growing impatience, pays when the heroine serves him a full mug, drinks it in three sips,
// throws the empty bottle away and asks again until he has drunk "CP_MAX_DRINKS" mugs; then he
// stands up and leaves through the door. He gives up and leaves after his third ask with
// "CP_LEAVE_ON_ABANDON", and he is sent out at closing time (requestLeave). The kinds of customer
// (plain, wanted man, undertaker, patient customer, special customer) share this class and differ
// by their looks and their "CP_" parameters.
//
// States (the base states of Character bring him in and take him out):
//     7 walk to the chair's stand position     103 sit down        104 sit, waiting
//     105 ask                                  106 pause between sips
//     107 drink one sip                        108 the mug is empty
//     109 fight check                          110 stand up to fight
//     111 challenged: waits for the starter    112 say an insult
//     113 insult said: hand over the turn      114 standing, waiting for the opponent's insult
//     115 throw the empty bottle               117 gives up (unhappy statistic)
//     118 delay before leaving at a request    100 stand up        101 leave the table
//
// Pay: "CP_PAY_%d" of the number of asks since he was last served (a patient customer never counts
// his asks). The money flies to the cash bag and a fade text rises from the mug. Sips are taken at
// the "take" marker of the drinking arm (the mug goes into the hand) and put back at "leave"
// (sound group 2). The bottle is thrown at the arm's "doaction" marker as a FlyThing of
// "botella_trash.anim"; its "playsound" frame plays sound group 3 once, and on landing it plays
// its fade sequence and tutorial event 8 is reported.
//
// Fights (customer_fight.cpp): after a sip a customer may pick a fight with the customer on the
// opposite chair when that one sits waiting or between sips, accepts fights, and fewer fights than
// IPlayMode::getMaxFights go on. Both stand up and take turns saying insults (IPlayMode::nextInsult
// written into the speech balloon with the theme font "Dolly::Insult"); the starter begins and
// says another one while his opponent is still getting up. When the challenged customer has said
// his third insult with nobody stepping in, both leave the saloon together (statistic 3, sound
// group 10 once the second of them is gone). The heroine stops a fight through the customer spot:
// stopFight sits both down again with their asks forgotten.
//
// The customer reports statistics (0 served, 1 new customer, 2 unhappy, 3 unstopped fight,
// 8 wanted man caught) and
// tutorial events (0 sits, 1 asks, 3 served, 4 sip, 5 mug empty, 8 bottle landed) through
// IPlayMode, and never holds the play mode.
//
// Guards against hanging: choosing a chair tries every free chair at most once (chooseChair is
// false when none has a stand position, and the customer then leaves again); a stand position
// that is no longer free on the way in is retried the next frame (then taken even when occupied,
// so two walkers never wait for each other); a leaver who finds no way out stands for
// "CP_TIME_RETRY_LEAVE" seconds and tries again, and after RETRY_LIMIT tries leaves from the stand
// square even when it is occupied, so he never blocks for ever.
//
// A customer holds his chair, the chair's seat holds him while he sits, and his customer spot
// holds him; detach (the scene's teardown, the play mode's removal) breaks those links.
// Main thread only.
#ifndef DBD_WORLD_CUSTOMER_H
#define DBD_WORLD_CUSTOMER_H

#include "world/chair.h"
#include "world/counter.h"
#include "world/character.h"
#include "world/custspot.h"
#include "world/flything.h"
#include "world/mug.h"
#include "world/tablespot.h"

#include "gfx/animsprite.h"
#include "gfx/font.h"

#include "rir2/list.h"
#include "rir2/random.h"
#include "rir2/refcount.h"

class Customer : public Character
{
public:
    static constexpr int ST_TO_CHAIR = 7;
    static constexpr int ST_STAND_UP = 100;
    static constexpr int ST_LEAVE_TABLE = 101;
    static constexpr int ST_SIT_DOWN = 103;
    static constexpr int ST_SEATED = 104;
    static constexpr int ST_ASK = 105;
    static constexpr int ST_SERVED = 106;
    static constexpr int ST_DRINK = 107;
    static constexpr int ST_MUG_EMPTY = 108;
    static constexpr int ST_FIGHT_CHECK = 109;
    static constexpr int ST_FIGHT_STAND_UP = 110;
    static constexpr int ST_CHALLENGED = 111;
    static constexpr int ST_INSULT = 112;
    static constexpr int ST_HAND_OVER = 113;
    static constexpr int ST_AWAIT_INSULT = 114;
    static constexpr int ST_THROW = 115;
    static constexpr int ST_GIVE_UP = 117;
    static constexpr int ST_LEAVE_DELAY = 118;
    // Walking speed after a request to leave, pixels per second.
    static constexpr int LEAVE_SPEED_X = 220;
    static constexpr int LEAVE_SPEED_Y = 140;
    // Tries of leaving the table after which the stand square is taken even when occupied.
    static constexpr int RETRY_LIMIT = 4;

    // Enter state 7; its own random generator seeded from the clock; the head-sit table is
    // loaded once per run (HeadSitOffsets::load) unless one is kept already.
    Customer();
    ~Customer() override;

    void detach() override;
    // Balloon, body references, state 10, then the chair (chooseChair). Without a chair he comes
    // in no further than the door: he turns back at once.
    void start() override;
    bool expel() override;
    bool isLeaving() override;
    bool getAnimNames(RIR::String& sPrefix, RIR::String& sSuffix) override;
    void updateState(float fDt) override;
    void animate(float fDt) override;
    void onStateChange(int nOld, int nNew) override;
    int getDepth() override;
    void startAnim() override;

    // Takes a free chair with a stand position: the first such chair with "CP_PICK_FIRST_CHAIR",
    // else one drawn at random; each free chair is tried once. False, holding no chair, when no
    // free chair has a stand position. "Assertion failed : !lEmptyChairs.isEmpty()" without free
    // chairs.
    bool chooseChair();

    // ---- mugs
    // ------------------------------------------------------------------------------------
    bool canServeMug();
    // Keeps the mug, places it and, when it is full, pays.
    void serveMug(const RIR::SmartPtr<Mug>& pMug);
    bool hasMug() const { return !m_pMug.isNull(); }
    RIR::SmartPtr<Mug> getMug() const;
    bool canTakeMug();
    RIR::SmartPtr<Mug> takeMug();

    // Leaving at closing time or when scared (see requestLeave in customer_leave.cpp).
    void requestLeave();
    bool isLeaveRequested() const { return m_bLeaveRequested; }
    float getLeaveTimer() const { return m_fTimer; }

    // ---- flags and fights
    // ------------------------------------------------------------------------
    bool canBeScared() const;
    bool acceptsPartners() const;
    bool acceptsFights() const;
    bool scaresPeople() const;
    bool isFighting() const { return m_bFighting; }
    bool isFightStarter() const { return m_bFightStarter; }
    int getFightId() const { return m_nFightId; }
    void setFightId(int nId) { m_nFightId = nId; }
    // The insults this fighter has said; with bBoth the larger count of him and his opponent.
    // "Assertion failed : isFighting()" outside a fight, "Assertion failed : notNULL(pOpp)" with
    // bBoth and nobody opposite.
    int getFightRounds(bool bBoth) const;
    // Ends the fight (the heroine stepped in, or closing time): both fighters sit down again with
    // their asks forgotten. Once per fight; "Assertion failed : notNULL(pOpp)" without an opponent.
    void stopFight();
    // The customer on the opposite chair, or null.
    RIR::SmartPtr<Customer> getOpponent() const;
    // The next fight's id (1, 2, 3 ... for the whole run).
    static int getNextFightId() { return s_nNextFightId; }

    // ---- state seen by tests and the demo
    // ---------------------------------------------------------
    RIR::SmartPtr<Chair> getChair() const { return m_pChair; }
    RIR::SmartPtr<CustomerSpot> getCustomerSpot() const { return m_pSpot; }
    bool isSeated() const { return m_bSeated; }
    int getAsks() const { return m_nAsks; }
    int getDrinks() const { return m_nDrinks; }
    RIR::SmartPtr<AnimSprite> getBalloon() const { return m_pBalloon; }
    RIR::SmartPtr<FlyThing> getThrownBottle() const { return m_pThrowMug; }
    int getFadingBottleCount() const { return m_lFadingBottles.getLength(); }
    RIR::Random& getRandom() { return m_random; }

protected:
    // The animation of that name; the application's animation cache here.
    virtual RIR::SmartPtr<Animation> loadAnimation(const char* pszName);
    // A copy of the font insults are written with: the theme's "Dolly::Insult" here; null
    // writes no text.
    virtual RIR::SmartPtr<Font> loadInsultFont();

private:
    Customer(const Customer&) = delete;
    Customer& operator=(const Customer&) = delete;

    void onServed();
    void onMugRemoved();
    void placeMug();
    void showBalloon(const char* pszName, int nDY);
    void hideBalloon();
    void takeTableSpot();
    void leaveTableSpot();
    void updateCustomerSpot();
    void removeCustomerSpot();
    // States 7, 101 and 9.
    void walkToChair();
    void leaveTable();
    // The ask animation cut short at its "endseq" frame.
    void cutAskShort();
    // Markers.
    void updateDrinkMarkers();
    void updateSitStand();
    void updateThrow(float fDt);
    void updateAskSound();
    void updateAttachedMarker();
    // Whether the sprite advanced this update (changed frame or finished).
    static bool advanced(const AnimSprite* pSprite);
    // Fights (customer_fight.cpp).
    void checkFight();
    void sayInsult();
    // False when the turn went back to this customer and the update must end at once.
    bool handOverTurn();
    void writeInsult(const RIR::String& sText);
    void updateFightTip(float fDt);
    void showFightTip();
    void resetFightState();
    // State 9 after an unstopped fight: the second fighter gone plays sound group 10.
    void onFighterGone();
    // The balloon sequence of the insult: the highest one the balloons have when there are
    // more insults than sequences.
    RIR::String insultBalloonName(int nInsult, const char* pszSide) const;

    RIR::SmartPtr<Chair> m_pChair;
    bool m_bSeated;
    RIR::SmartPtr<CustomerSpot> m_pSpot;
    RIR::SmartPtr<Mug> m_pMug;
    int m_nAsks;
    int m_nDrinks;
    RIR::SmartPtr<AnimSprite> m_pBalloon;
    AnimSprite* m_pLegsSprite;     // first sprite of the legs (held by the body)
    AnimSprite* m_pLeftArmSprite;  // first sprite of the left arm
    AnimSprite* m_pDrinkArmSprite; // the arm next to the table
    AnimSprite* m_pOtherArmSprite; // the other arm
    RIR::Random m_random;
    bool m_bFighting;
    bool m_bFightStopped;
    int m_nInsults;
    bool m_bFightStarter;
    int m_nFightId;
    RIR::SmartPtr<Counter> m_pFighterExitCount;
    static int s_nNextFightId;
    RIR::SmartPtr<FlyThing> m_pThrowMug;
    RIR::List<RIR::SmartPtr<AnimSprite>> m_lFadingBottles;
    bool m_bThrowing;
    bool m_bSitSoundPlayed;
    int m_nLastSitFrame;
    bool m_bLeaveRequested;
    float m_fLeaveRetry;
    float m_fTimer;
    bool m_bEmptyOnThrow;
    int m_nLeaveTries;
    int m_nStandTries;
};

#endif
