// DemoCast: dresses saloon-demo's characters from the game's built packs, as the level does.
//
// Customers get clothes drawn from the level's pools of body-template variants (torso, trousers,
// boots, shawl, belt, collar, sleeves), a random head with hair, features and perhaps a hat, and
// arms of the head's skin colour; the cow is put together from the parts of its template; the
// thief and the sheriff wear their fixed outfits. Without the packs (headless runs, or a build
// without content) nothing is opened and the demo keeps its plain test bodies.
//
// Usage:
//     if (DemoCast::openPacks(DemoCast::gameDir())) { DemoCast cast(random); cast.dress(pChar, kind); }
//
// Main thread only; needs the running GameApp.
#ifndef DBD_TOOLS_SALOONDEMO_DEMOCAST_H
#define DBD_TOOLS_SALOONDEMO_DEMOCAST_H

#include "world/character.h"

#include "rir2/random.h"

class DemoCast
{
public:
    enum Kind
    {
        KIND_CUSTOMER,
        KIND_COW,
        KIND_THIEF,
        KIND_SHERIFF,
    };

    // The folder of the built packs: $SALOON_DEMO_CONTENT, else the build's game folder.
    static const char* gameDir();
    // Opens the game's packs of the folder in the game's order, once per run; true when they are
    // open (now or before). False, with a log line, when the application is not running or the
    // characters pack is missing.
    static bool openPacks(const char* pszGameDir);
    static bool isOpen();

    explicit DemoCast(RIR::Random& random) : m_random(random) {}

    // The kind of the n-th newcomer: mostly customers, now and then a cow, a thief or the sheriff.
    Kind kindFor(int nCameIn);
    // Adds the body layers of the kind to a character without a body.
    void dress(Character* pChar, Kind eKind);

private:
    void dressCustomer(Character* pChar);
    void dressCow(Character* pChar);
    void dressThief(Character* pChar);
    void dressSheriff(Character* pChar);
    // The head and skin layers of a look; the skin colour number.
    int addHead(Character* pChar, int nType, int nA, int nB, bool bC, bool bHat);
    void addArms(Character* pChar, int nSkin, int nAlt, const RIR::String& sSleeves,
                 const RIR::List<RIR::String>& lSleeveParts, bool bBottle);

    RIR::Random& m_random;
};

#endif
