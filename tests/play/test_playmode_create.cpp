// Character creation on the game's packs: the clothes sub-steps and the pools they fill (normal
// and low-resource mode), the animations every class is dressed in, part by part, and the
// wanted man's face against the poster's.
#include "play/kit/playkit.h"

#include "level/diffmanager.h"
#include "world/cow.h"
#include "world/sheriff.h"
#include "world/thief.h"

#include "gfx/animation.h"
#include "gfx/image.h"
#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace
{

using Names = std::vector<std::string>;

Names toNames(const RIR::List<RIR::String>& lList)
{
    Names names;
    for (int n = 0; n < lList.getLength(); ++n)
        names.push_back(lList.get(n).c_str());
    return names;
}

// The names of the animations a body part is dressed in, in layer order.
Names partNames(Character* pCharacter, int nPart)
{
    Names names;
    const RIR::List<RIR::SmartPtr<AnimSprite>>& lSprites = pCharacter->getPartSprites(nPart);
    for (int n = 0; n < lSprites.getLength(); ++n)
        names.push_back(lSprites.get(n)->getAnimation()->getName().c_str());
    return names;
}

std::string joined(const Names& names)
{
    std::string s;
    for (const std::string& sName : names)
        s += (s.empty() ? "" : " ") + sName;
    return s;
}

// A whole body as one line per part: "arm0: ... | arm1: ... | torso: ... | legs: ... | head: ...".
std::string bodyText(Character* pCharacter)
{
    static const char* const PARTS[5] = {"arm0", "arm1", "torso", "legs", "head"};
    std::string s;
    for (int nPart = 0; nPart < 5; ++nPart)
        s += std::string(nPart ? " | " : "") + PARTS[nPart] + ": " +
             joined(partNames(pCharacter, nPart));
    return s;
}

// A new character of the class, let go of its chair when the test is done with it (the saloon
// has ten); a failure names the class and the game's message.
class Created
{
public:
    Created(PlayMode* pDay, int eClass)
    {
        try
        {
            m_pChar = pDay->createCharacter(eClass);
        }
        catch (const RIR::Exception& e)
        {
            ADD_FAILURE() << "class " << eClass << ": " << e.getClassName() << ": "
                          << e.getMessage();
            throw;
        }
    }
    ~Created() { m_pChar->detach(); }
    Character* get() const { return m_pChar.get(); }
    Character* operator->() const { return m_pChar.get(); }

private:
    RIR::SmartPtr<Character> m_pChar;
};

// The head key of a look without its hat: "hx_head_T_B_C_A_".
std::string headPrefix(const WantedLook& look)
{
    return RIR::String::format("hx_head_%d_%d_%d_%d_", look.nHeadType, look.nFeatureB,
                               look.bFeatureC ? 1 : 0, look.nFeatureA)
        .c_str();
}

class PlayCreateTest : public ::testing::Test
{
protected:
    PlayKit m_kit;
};

TEST_F(PlayCreateTest, ClothesSubStepsFillThePoolsOfEachMode)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    struct Case
    {
        bool bLowResources;
        Names torsos1, torsos2, pants, boots, shawls1, shawls2, special;
        bool bRichVariants; // the second arms, the coloured torsos, the shadow, the cow's parts
    };
    const Case aCases[] = {
        {false,
         {"1_1_", "2_1_", "1_1_rrr", "1_1_bbb"},
         {"1_2_", "1_2_rrr", "2_2_"},
         {"1_", "2_", "4_", "1_ggg", "2_rrr"},
         {"1_", "2_"},
         {"1_1_", "2_1_", "2_1_rbg"},
         {"2_2_", "1_2_"},
         {"1_1_", "1_1_rrr", "1_1_bbb", "1_2_"},
         true},
        {true,
         {"1_1_", "2_1_"},
         {},
         {"1_", "2_", "4_"},
         {"1_", "2_"},
         {"1_1_", "2_1_"},
         {},
         {"1_1_"},
         false},
    };
    for (const Case& c : aCases)
    {
        PlayKit kit;
        kit.setSetting("LowResourcesMode", c.bLowResources ? "TRUE" : "FALSE");
        // Level 40: every kind of guest may come.
        PlayMode* pDay = kit.pushDay(GT_TIMED, 180, 1, 40);
        int nTrue = 0;
        bool bLast = true;
        for (int n = 0; n < PlayMode::CLOTHES_SUBSTEPS && bLast; ++n)
        {
            bLast = pDay->makeNextClothesVariant();
            nTrue += bLast ? 1 : 0;
        }
        EXPECT_EQ(PlayMode::CLOTHES_SUBSTEPS - 1, nTrue);
        EXPECT_FALSE(bLast) << "the 40th call";
        EXPECT_FALSE(pDay->makeNextClothesVariant()) << "and every call after it";
        EXPECT_EQ(PlayMode::CLOTHES_SUBSTEPS - 1, pDay->getVariantStep());

        const std::string sMode = c.bLowResources ? "low resources" : "normal";
        EXPECT_EQ(c.torsos1, toNames(pDay->getTorsoPool(1))) << sMode;
        EXPECT_EQ(c.torsos2, toNames(pDay->getTorsoPool(2))) << sMode;
        EXPECT_EQ(c.pants, toNames(pDay->getPantsPool())) << sMode;
        EXPECT_EQ(c.boots, toNames(pDay->getBootsPool())) << sMode;
        EXPECT_EQ(c.shawls1, toNames(pDay->getShawlPool(1))) << sMode;
        EXPECT_EQ(c.shawls2, toNames(pDay->getShawlPool(2))) << sMode;
        EXPECT_EQ(c.special, toNames(pDay->getSpecialTorsoPool())) << sMode;

        // What was built into the animation cache.
        DBDApp* pApp = kit.app();
        const char* const ALWAYS[] = {"1_1__torso.anim", "1_1__cuello.anim", "1_1__mangas.anim",
                                      "4__pant.anim",    "2__botas.anim",    "2_1__chale.anim",
                                      "1_0_brazos.anim", "5_0_brazos.anim",  "pink_torso.anim",
                                      "pink_pant.anim",  "pink_botas.anim",  "undertaker_pant.anim",
                                      "undertaker_torso.anim", "undertaker_mangas.anim"};
        for (const char* pszName : ALWAYS)
            EXPECT_TRUE(pApp->containsAnimation(pszName)) << sMode << " " << pszName;
        const char* const RICH[] = {"1_1_brazos.anim", "5_1_brazos.anim", "1_1_rrr_torso.anim",
                                    "1_ggg_pant.anim", "2_2__chale.anim", "99_0_brazos.anim",
                                    "cow_pata_i",      "cow_tail",        "2_2__torso.anim"};
        for (const char* pszName : RICH)
            EXPECT_EQ(c.bRichVariants, pApp->containsAnimation(pszName)) << sMode << " " << pszName;
    }
}

TEST_F(PlayCreateTest, RarerClothesAreBuiltOnlyForTheGuestsOfTheLevel)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    // Story day 6: thieves come, no wanted man, undertaker, patient or special customer yet.
    PlayMode* pDay = m_kit.pushDay(GT_STORY, 180, 1, 6);
    while (pDay->makeNextClothesVariant())
    {
    }
    DBDApp* pApp = m_kit.app();
    EXPECT_TRUE(pApp->containsAnimation("hl_torso.anim"));
    EXPECT_FALSE(pApp->containsAnimation("undertaker_torso.anim"));
    EXPECT_FALSE(pApp->containsAnimation("pink_torso.anim"));
    EXPECT_FALSE(pApp->containsAnimation("hs_torso.anim"));
    EXPECT_FALSE(pApp->containsAnimation("99_0_brazos.anim"));
}

TEST_F(PlayCreateTest, EachClassIsDressedInItsOwnParts)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    ASSERT_NE(nullptr, pDay->getWantedLook());
    const std::string sPoster = headPrefix(*pDay->getWantedLook());
    // Per class, the body as a pattern: torso, trousers and boots come from the pools.
    const std::string T = "(1_1_|2_1_|1_1_rrr|1_1_bbb|1_2_|1_2_rrr|2_2_)";
    const std::string P = "(1_|2_|4_|1_ggg|2_rrr)";
    const std::string B = "(1_|2_)";
    const std::string S = "( [0-9_a-z]+_chale\\.anim)?";
    const std::string SKIN = "[1-5]_[01]_brazos\\.anim";
    const std::string HEAD = "hx_head_\\d+_\\d_\\d_\\d_(-1|[0-8]) h1_skin_\\d+\\.anim";
    struct Case
    {
        int eClass;
        std::string sBody;
    };
    const Case aCases[] = {
        {CC_CUSTOMER, "arm0: " + SKIN + " " + T + "_mangas\\.anim hx_bottle\\.anim \\| arm1: " +
                          SKIN + " " + T + "_mangas\\.anim hx_bottle\\.anim \\| torso: " + T +
                          "_torso\\.anim" + S + " hx_cint\\.anim " + T +
                          "_cuello\\.anim \\| legs: " + P + "_pant\\.anim " + B +
                          "_botas\\.anim hx_shadow\\.anim \\| head: " + HEAD},
        {CC_THIEF, "arm0: 1_0_brazos\\.anim hl_mangas\\.anim \\| arm1: 1_0_brazos\\.anim "
                   "hl_mangas\\.anim \\| torso: hl_torso\\.anim hl_cint\\.anim hl_cuello\\.anim \\| "
                   "legs: 4__pant\\.anim " +
                       B +
                       "_botas\\.anim hx_shadow\\.anim \\| head: hl_hat\\.anim hl_panu\\.anim "
                       "hx_head_1_0_0_0_-1 h1_skin_1\\.anim"},
        {CC_WANTED, "arm0: " + SKIN + " " + T + "_mangas\\.anim hx_bottle\\.anim \\| arm1: " +
                        SKIN + " " + T + "_mangas\\.anim hx_bottle\\.anim \\| torso: " + T +
                        "_torso\\.anim" + S + " hx_cint\\.anim " + T +
                        "_cuello\\.anim \\| legs: " + P + "_pant\\.anim " + B +
                        "_botas\\.anim hx_shadow\\.anim \\| head: " + sPoster +
                        "(-1|[0-8]) h1_skin_\\d+\\.anim"},
        {CC_UNDERTAKER, "arm0: 2_0_brazos\\.anim undertaker_mangas\\.anim hx_bottle\\.anim \\| "
                        "arm1: 2_0_brazos\\.anim undertaker_mangas\\.anim hx_bottle\\.anim \\| "
                        "torso: undertaker_torso\\.anim \\| legs: undertaker_pant\\.anim " +
                            B + "_botas\\.anim hx_shadow\\.anim \\| head: "},
        {CC_PATIENT, "arm0: 1_0_brazos\\.anim pink_mangas\\.anim hx_bottle\\.anim \\| arm1: "
                     "1_0_brazos\\.anim pink_mangas\\.anim hx_bottle\\.anim \\| torso: "
                     "pink_torso\\.anim hr_cint\\.anim pink_cuello\\.anim \\| legs: pink_pant\\.anim "
                     "pink_botas\\.anim hx_shadow\\.anim \\| head: hx_head_5_2_0_0_-1 "
                     "h1_skin_5\\.anim"},
        {CC_SHERIFF, "arm0: hs_mangas\\.anim \\| arm1: hs_mangas\\.anim \\| torso: hs_torso\\.anim "
                     "hs_cuello\\.anim \\| legs: " +
                         P + "_pant\\.anim " + B + "_botas\\.anim hx_shadow\\.anim \\| head: "},
        {CC_COW, "arm0:  \\| arm1:  \\| torso: cow_torso\\.anim cow_shadow\\.anim \\| legs: "
                 "cow_pata_i cow_pata_d cow_head cow_neck cow_tail \\| head: "},
        {CC_SPECIAL, "arm0: 99_0_brazos\\.anim (1_1_|1_1_rrr|1_1_bbb|1_2_)_mangas\\.anim "
                     "hx_bottle\\.anim \\| arm1: 99_0_brazos\\.anim "
                     "(1_1_|1_1_rrr|1_1_bbb|1_2_)_mangas\\.anim hx_bottle\\.anim \\| torso: "
                     "(1_1_|1_1_rrr|1_1_bbb|1_2_)_torso\\.anim" +
                         S + " hx_cint\\.anim (1_1_|1_1_rrr|1_1_bbb|1_2_)_cuello\\.anim \\| legs: " +
                         P + "_pant\\.anim " + B +
                         "_botas\\.anim hx_shadow\\.anim \\| head: hx_head_14_0_0_0_(-1|[0-8]) "
                         "h1_skin_14\\.anim"},
    };
    for (const Case& c : aCases)
    {
        const std::regex body(c.sBody);
        for (int n = 0; n < 12; ++n)
        {
            Created pChar(pDay, c.eClass);
            EXPECT_EQ(c.eClass, (int)pChar->getCharacterClass());
            const std::string sBody = bodyText(pChar.get());
            EXPECT_TRUE(std::regex_match(sBody, body)) << "class " << c.eClass << ": " << sBody;
        }
    }
    // The object behind each class.
    EXPECT_TRUE(dynamic_cast<Thief*>(Created(pDay, CC_THIEF).get()));
    EXPECT_TRUE(dynamic_cast<Sheriff*>(Created(pDay, CC_SHERIFF).get()));
    EXPECT_TRUE(dynamic_cast<Cow*>(Created(pDay, CC_COW).get()));
    for (int eClass : {CC_CUSTOMER, CC_WANTED, CC_UNDERTAKER, CC_PATIENT, CC_SPECIAL})
        EXPECT_TRUE(dynamic_cast<Customer*>(Created(pDay, eClass).get())) << eClass;
}

TEST_F(PlayCreateTest, CustomersDrawTheirLooksFromTheWholePools)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    std::set<std::string> torsos, arms, boots;
    bool bShadow = true;
    for (int n = 0; n < 120; ++n)
    {
        Created pChar(pDay, CC_CUSTOMER);
        const Names legs = partNames(pChar.get(), Character::PART_LEGS);
        torsos.insert(partNames(pChar.get(), Character::PART_TORSO)[0]);
        arms.insert(partNames(pChar.get(), Character::PART_LEFT_ARM)[0]);
        boots.insert(legs[1]);
        bShadow = bShadow && legs.size() == 3 && legs[2] == "hx_shadow.anim";
        // Trousers of the first cut always come with the first boots.
        if (legs[0].compare(0, 2, "1_") == 0)
        {
            EXPECT_EQ("1__botas.anim", legs[1]) << legs[0];
        }
    }
    EXPECT_EQ(7u, torsos.size()) << "both looks of the torso";
    EXPECT_TRUE(arms.count("1_1_brazos.anim") || arms.count("2_1_brazos.anim"))
        << "the second arms come with the second look";
    EXPECT_EQ(2u, boots.size());
    EXPECT_TRUE(bShadow);
}

TEST_F(PlayCreateTest, LowResourcesCustomersWearTheFirstLookOnlyAndNoShadow)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    m_kit.setSetting("LowResourcesMode", "TRUE");
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    const std::regex firstArms("[1-5]_0_brazos\\.anim");
    for (int eClass : {CC_CUSTOMER, CC_WANTED, CC_COW})
    {
        for (int n = 0; n < 30; ++n)
        {
            Created pChar(pDay, eClass);
            const std::string sBody = bodyText(pChar.get());
            EXPECT_EQ(std::string::npos, sBody.find("shadow")) << sBody;
            if (eClass == CC_COW)
                continue;
            const std::string sTorso = partNames(pChar.get(), Character::PART_TORSO)[0];
            EXPECT_TRUE(sTorso == "1_1__torso.anim" || sTorso == "2_1__torso.anim") << sTorso;
            EXPECT_TRUE(std::regex_match(partNames(pChar.get(), Character::PART_LEFT_ARM)[0],
                                         firstArms))
                << sBody;
        }
    }
}

TEST_F(PlayCreateTest, NoFaceButTheWantedMansIsThePostersFace)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    for (int nPoster = 0; nPoster < 3; ++nPoster)
    {
        const WantedLook poster = *pDay->getWantedLook();
        const std::string sPoster = headPrefix(poster);
        for (int n = 0; n < 60; ++n)
        {
            Created pChar(pDay, CC_CUSTOMER);
            const std::string sHead = partNames(pChar.get(), Character::PART_HEAD)[0];
            EXPECT_NE(0u, sHead.find(sPoster)) << sHead << " wears the poster's face";
        }
        Created pWanted(pDay, CC_WANTED);
        EXPECT_EQ(0u, partNames(pWanted.get(), Character::PART_HEAD)[0].find(sPoster));
        // The sheriff pins up the next poster: another face.
        pDay->newWantedPoster();
        EXPECT_FALSE(sameWantedLook(poster, *pDay->getWantedLook()));
    }
}

TEST_F(PlayCreateTest, HeadTenWithTheSecondFeatureBNeverWearsAHat)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    struct Case
    {
        WantedLook look;
        bool bHatPossible;
    };
    const Case aCases[] = {{{10, 1, 2, true}, false}, {{10, 1, 1, true}, true}, {{3, 0, 2, false}, true}};
    for (const Case& c : aCases)
    {
        std::set<std::string> hats;
        for (int n = 0; n < 40; ++n)
        {
            RIR::SmartPtr<Character> pModel = new Customer;
            pDay->applyHeadLook(pModel.get(), c.look, true);
            const Names head = partNames(pModel.get(), Character::PART_HEAD);
            ASSERT_EQ(2u, head.size());
            hats.insert(head[0].substr(head[0].rfind('_') + 1));
            EXPECT_EQ(RIR::String::format("h1_skin_%d.anim", c.look.nHeadType).c_str(), head[1]);
        }
        EXPECT_EQ(c.bHatPossible, hats.size() > 1) << c.look.nHeadType << " " << c.look.nFeatureB;
        if (!c.bHatPossible)
        {
            EXPECT_EQ(std::set<std::string>{"-1"}, hats);
        }
    }
}

TEST_F(PlayCreateTest, PosterShowsTheWantedMansFace)
{
    PLAYKIT_REQUIRE_PACKS(m_kit);
    PlayMode* pDay = m_kit.startDay(GT_TIMED, 180, 1, 40);
    RIR::SmartPtr<Image> pBlank = pDay->getScene()->getWantedPoster();
    ASSERT_TRUE(pBlank);
    // The face, as the poster draws it.
    RIR::SmartPtr<Customer> pModel = new Customer;
    pDay->applyHeadLook(pModel.get(), *pDay->getWantedLook(), false);
    RIR::SmartPtr<Image> pFace = pDay->renderStandingImage(pModel.get());
    ASSERT_TRUE(pFace);
    EXPECT_GT(pFace->getWidth(), 10);
    EXPECT_GT(pFace->getHeight(), 10);
    // Trimmed: the stored pixels are the whole picture.
    const Rect stored = pFace->getPhysicalRect();
    EXPECT_EQ(pFace->getWidth(), stored.right - stored.left);
    EXPECT_EQ(pFace->getHeight(), stored.bottom - stored.top);
    // Its middle shows the face's skin, not the hair above it only.
    EXPECT_FALSE(pFace->isTransparentAt(pFace->getWidth() / 2, pFace->getHeight() / 2, 128));
}

} // namespace
