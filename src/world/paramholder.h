// ParamHolder: a set of named float parameters, and the vocabulary of those names.
//
// Every rule that varies with the difficulty, the level or the kind of character travels as a
// named number. Each Character is a ParamHolder holding its "CP_" keys, written once when it is
// created (DifficultyManager's setups, level/) and read by its behaviour; the level's
// DifficultyManager is one holding the "LP_" rewards. Flags are stored as 1.0 and 0.0 and read
// true above 0.5; counts and amounts are stored as floats and read back truncated toward zero.
//
// There are no defaults: reading a key that was never set raises the foundation's
// FatalErrorException "Hash key not found : " followed by the key's text (RIR::Hash quotes it),
// and the holder stays as it was. Code for which a missing key is normal asks has() first; only
// "CP_ALWAYS_EXIT_RIGHT" is read that way.
//
// Usage:
//     ParamHolder params;
//     params.setFloat(CP_MAX_DRINKS, 5.625f);
//     int nDrinks = params.getInt(CP_MAX_DRINKS);    // 5
//     params.setBool(CP_PATIENT, true);
//     RIR::String sKey = RIR::String::format(CP_PAY_FMT, nAsks);
//     int nPay = params.getInt(sKey.c_str());
//
// Not copyable. Main thread only.
#ifndef DBD_WORLD_PARAMHOLDER_H
#define DBD_WORLD_PARAMHOLDER_H

#include "rir2/hash.h"
#include "rir2/rirstring.h"

// The kind of character to create; a character keeps the class it was made as. Classes 0, 2, 3,
// 4 and 7 are customers, 1 a thief, 5 the sheriff, 6 a cow.
enum CharacterClass
{
    CC_NONE = -1, // nothing; a spawn draw never yields it
    CC_CUSTOMER = 0,
    CC_THIEF = 1,
    CC_WANTED = 2,     // the customer on the wanted poster
    CC_UNDERTAKER = 3, // a customer who scares the others away
    CC_PATIENT = 4,    // a customer in pink who never loses patience and never fights
    CC_SHERIFF = 5,
    CC_COW = 6,
    CC_SPECIAL = 7, // a customer with the special look and the plain customer rules
    CC_COUNT = 8    // number of classes from CC_CUSTOMER on
};

// ---- character parameter keys ("CP_"); kind: flag (getBool), number (getFloat), count (getInt),
// presence (has) ------------------------------------------------------------------------------

// count: drinks before the customer stands up and leaves
inline constexpr char CP_MAX_DRINKS[] = "CP_MAX_DRINKS";
// number: seconds between two drinks
inline constexpr char CP_TIME_BETWEEN_DRINK[] = "CP_TIME_BETWEEN_DRINK";
// number: chance of starting a fight after a drink; negative never starts one
inline constexpr char CP_START_FIGHT_PROB[] = "CP_START_FIGHT_PROB";
// number: seconds of waiting before ask n + 1 (n 0..3); the format and the spelled-out keys
inline constexpr char CP_TIME_ASK_FMT[] = "CP_TIME_ASK_%d";
inline constexpr char CP_TIME_ASK_0[] = "CP_TIME_ASK_0";
inline constexpr char CP_TIME_ASK_1[] = "CP_TIME_ASK_1";
inline constexpr char CP_TIME_ASK_2[] = "CP_TIME_ASK_2";
inline constexpr char CP_TIME_ASK_3[] = "CP_TIME_ASK_3";
// count: cash paid for a drink served after n asks (n 0..3)
inline constexpr char CP_PAY_FMT[] = "CP_PAY_%d";
inline constexpr char CP_PAY_0[] = "CP_PAY_0";
inline constexpr char CP_PAY_1[] = "CP_PAY_1";
inline constexpr char CP_PAY_2[] = "CP_PAY_2";
inline constexpr char CP_PAY_3[] = "CP_PAY_3";
// number: chance that a drink is a fast one
inline constexpr char CP_FAST_DRINK_PROB[] = "CP_FAST_DRINK_PROB";
// flag: the next drink is a fast one
inline constexpr char CP_FAST_DRINK_NEXT[] = "CP_FAST_DRINK_NEXT";
// flag: a customer whose mug is taken while waiting between drinks leaves
inline constexpr char CP_LEAVE_ON_REMOVE[] = "CP_LEAVE_ON_REMOVE";
// flag: a customer who asked more than twice leaves unhappy
inline constexpr char CP_LEAVE_ON_ABANDON[] = "CP_LEAVE_ON_ABANDON";
// flag: takes up a fight started by the customer opposite
inline constexpr char CP_ACCEPT_FIGHTS[] = "CP_ACCEPT_FIGHTS";
// flag: the chair opposite may be taken by a newcomer
inline constexpr char CP_ACCEPT_PARTNERS[] = "CP_ACCEPT_PARTNERS";
// flag: this character's arrival scares the customers away
inline constexpr char CP_SCARES_PEOPLE[] = "CP_SCARES_PEOPLE";
// flag: written (always false), read by nothing
inline constexpr char CP_SCARES_THIEVES[] = "CP_SCARES_THIEVES";
// flag: leaves when a scaring character arrives
inline constexpr char CP_CAN_BE_SCARED[] = "CP_CAN_BE_SCARED";
// flag: clicks on the character count towards expelling it
inline constexpr char CP_CAN_BE_STOPPED[] = "CP_CAN_BE_STOPPED";
// count: clicks still needed to expel the character
inline constexpr char CP_EXPELL_COUNT[] = "CP_EXPELL_COUNT";
// flag: the character is dealt with by clicking it
inline constexpr char CP_WANT_CLICKS[] = "CP_WANT_CLICKS";
// number: seconds before a character whose way out is blocked tries again
inline constexpr char CP_TIME_RETRY_LEAVE[] = "CP_TIME_RETRY_LEAVE";
// flag: reserves the entrance corridor for itself
inline constexpr char CP_EXCLUSIVE_ENTER[] = "CP_EXCLUSIVE_ENTER";
// flag: the customer is the wanted man of the poster
inline constexpr char CP_IS_WANTED[] = "CP_IS_WANTED";
// flag: takes the first free chair instead of a random one
inline constexpr char CP_PICK_FIRST_CHAIR[] = "CP_PICK_FIRST_CHAIR";
// flag: the last drink waits until the tutorial releases it
inline constexpr char CP_LAST_DRINK_LOCKED[] = "CP_LAST_DRINK_LOCKED";
// flag: the customer's mood never drops
inline constexpr char CP_PATIENT[] = "CP_PATIENT";
// number: seconds the cow stays seated
inline constexpr char CP_COW_SIT_TIME[] = "CP_COW_SIT_TIME";
// flag: the cow sits down in the doorway
inline constexpr char CP_DO_SIT[] = "CP_DO_SIT";
// presence: the character leaves by the right exit whenever the key exists (cows only)
inline constexpr char CP_ALWAYS_EXIT_RIGHT[] = "CP_ALWAYS_EXIT_RIGHT";
// count: cash the thief takes per theft
inline constexpr char CP_THIEF_STEAL_AMOUNT[] = "CP_THIEF_STEAL_AMOUNT";
// count: cash an expelled thief gives back
inline constexpr char CP_THIEF_RETURN_AMOUNT[] = "CP_THIEF_RETURN_AMOUNT";

// ---- level parameter keys ("LP_"), counts held by the DifficultyManager ------------------------

// reward for stopping a fight, by min(insults so far - 1, 2)
inline constexpr char LP_STOPFIGHT_REWARD_FMT[] = "LP_STOPFIGHT_REWARD_%d";
inline constexpr char LP_STOPFIGHT_REWARD_0[] = "LP_STOPFIGHT_REWARD_0";
inline constexpr char LP_STOPFIGHT_REWARD_1[] = "LP_STOPFIGHT_REWARD_1";
inline constexpr char LP_STOPFIGHT_REWARD_2[] = "LP_STOPFIGHT_REWARD_2";
// reward for expelling the wanted man
inline constexpr char LP_WANTED_REWARD[] = "LP_WANTED_REWARD";
// reward for expelling a thief
inline constexpr char LP_STOPTHIEF_REWARD[] = "LP_STOPTHIEF_REWARD";
// reward for clicking a cow out
inline constexpr char LP_COW_REWARD[] = "LP_COW_REWARD";

class ParamHolder
{
public:
    // An empty set (a hash of 97 buckets).
    ParamHolder();
    virtual ~ParamHolder();

    ParamHolder(const ParamHolder&) = delete;
    ParamHolder& operator=(const ParamHolder&) = delete;

    // Sets or replaces the value of the key.
    void setFloat(const char* pszKey, float fValue);
    // The stored value; a missing key raises FatalErrorException "Hash key not found : " with
    // the key.
    float getFloat(const char* pszKey) const;
    // getFloat truncated toward zero (5.625 reads 5, -1.5 reads -1); same failure.
    int getInt(const char* pszKey) const;
    // setFloat with 1.0 for true, 0.0 for false.
    void setBool(const char* pszKey, bool bValue);
    // getFloat(key) > 0.5 (0.5 itself reads false); same failure.
    bool getBool(const char* pszKey) const;
    // Whether the key was ever set.
    bool has(const char* pszKey) const;

private:
    RIR::Hash<RIR::String, float> m_hParams;
};

#endif
