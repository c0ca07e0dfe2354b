// Control and CallbackTrigger: firing, enabling, and the keyboard focus a control takes from and
// gives back to its mode.
#include "app/gamemode.h"
#include "ui/callbacktrigger.h"
#include "ui/control.h"

#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

static_assert(std::has_virtual_destructor_v<CallbackTrigger>, "controls carry it as a base");
static_assert(std::is_base_of_v<Sprite, Control> && std::is_base_of_v<CallbackTrigger, Control>,
              "a control is a sprite with a trigger");

namespace
{

class RecTarget : public ICallbackTarget
{
public:
    void onCallback(int nId, int nParam) override
    {
        m_calls.push_back(std::to_string(nId) + "/" + std::to_string(nParam));
    }
    std::vector<std::string> m_calls;
};

// Notes its focus hooks and refreshes, and may be told it is disabled whatever its flag says.
class TestControl : public Control
{
public:
    TestControl(std::vector<std::string>& journal, const char* pszName, bool bEnabled = true)
        : Control(10, 20, 3, bEnabled), m_journal(journal), m_sName(pszName)
    {
    }
    void onFocusGained() override { m_journal.push_back(m_sName + ".focus+"); }
    void onFocusLost() override { m_journal.push_back(m_sName + ".focus-"); }
    void refresh() override { m_journal.push_back(m_sName + ".refresh"); }
    bool isEnabled() override { return m_bForceDisabled ? false : Control::isEnabled(); }

    std::vector<std::string>& m_journal;
    std::string m_sName;
    bool m_bForceDisabled = false;
};

class ControlTest : public ::testing::Test
{
protected:
    RIR::SmartPtr<TestControl> add(const char* pszName, bool bFocusable = true)
    {
        RIR::SmartPtr<TestControl> pControl = new TestControl(m_journal, pszName);
        m_mode.addControl(pControl);
        pControl->setFocusable(bFocusable);
        return pControl;
    }
    std::string heard()
    {
        std::string sOut;
        for (const std::string& s : m_journal)
            sOut += (sOut.empty() ? "" : " ") + s;
        m_journal.clear();
        return sOut;
    }

    std::vector<std::string> m_journal;
    GameMode m_mode; // no application: a mode on its own
};

TEST(CallbackTriggerTest, FiresAtItsTargetOrReportsThatItHasNone)
{
    CallbackTrigger trigger;
    EXPECT_EQ(nullptr, trigger.getTarget());
    EXPECT_FALSE(trigger.fire()) << "no target: nothing to call";

    RecTarget target;
    trigger.set(&target, 7, -2);
    EXPECT_TRUE(trigger.fire());
    trigger.setId(8);
    trigger.setParam(5);
    EXPECT_TRUE(trigger.fire());
    EXPECT_EQ((std::vector<std::string>{"7/-2", "8/5"}), target.m_calls);

    ICallbackTarget* pTarget = nullptr;
    int nId = 0;
    int nParam = 0;
    trigger.get(&pTarget, &nId, &nParam);
    EXPECT_EQ(&target, pTarget);
    EXPECT_EQ(8, nId);
    EXPECT_EQ(5, nParam);
    trigger.get(nullptr, nullptr, &nParam);
    trigger.setTarget(nullptr);
    EXPECT_FALSE(trigger.fire());
    EXPECT_EQ(2u, target.m_calls.size());
}

TEST_F(ControlTest, StartsAsAnImagelessVisibleUnfocusableSprite)
{
    RIR::SmartPtr<TestControl> pControl = new TestControl(m_journal, "c", false);
    EXPECT_TRUE(pControl->isVisible());
    EXPECT_FALSE(pControl->getImage());
    EXPECT_EQ(10, pControl->getX());
    EXPECT_EQ(20, pControl->getY());
    EXPECT_EQ(3, pControl->getZOrder());
    EXPECT_FALSE(pControl->isEnabled());
    EXPECT_FALSE(pControl->isFocusable());
    EXPECT_EQ(nullptr, pControl->getTarget());
    EXPECT_FALSE(pControl->fire());

    // Outside a mode there is no focus to take or give.
    pControl->setFocusable(true);
    pControl->setFocus();
    pControl->dropFocus();
    EXPECT_FALSE(pControl->hasFocus());
    pControl->setEnabled(true);
    EXPECT_FALSE(pControl->onMouseDown(1) && pControl->hasFocus());
    EXPECT_EQ("", heard());
}

TEST_F(ControlTest, OnlyAPlainLeftOrRightPressOnAnEnabledFocusableControlTakesTheFocus)
{
    struct Case
    {
        const char* pszName;
        bool bEnabled;
        bool bFocusable;
        bool bForceDisabled;
        int nMask;
        bool bTaken;
    };
    const Case cases[] = {
        {"left", true, true, false, 1, true},
        {"right", true, true, false, 4, true},
        {"left and right", true, true, false, 5, false},
        {"middle", true, true, false, 2, false},
        {"wheel up", true, true, false, 8, false},
        {"wheel down", true, true, false, 16, false},
        {"disabled", false, true, false, 1, false},
        {"disabled by the subclass", true, true, true, 1, false},
        {"not focusable", true, false, false, 1, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        RIR::SmartPtr<TestControl> pOther = add("other");
        RIR::SmartPtr<TestControl> pControl = add("c", c.bFocusable);
        pControl->setEnabled(c.bEnabled);
        pControl->m_bForceDisabled = c.bForceDisabled;
        pOther->setFocus();
        heard();
        EXPECT_EQ(c.bTaken, pControl->onMouseDown(c.nMask));
        EXPECT_EQ(c.bTaken, pControl->hasFocus());
        EXPECT_EQ(c.bTaken ? "c.focus+ other.focus-" : "", heard());
        m_mode.clearContents();
    }
}

TEST_F(ControlTest, DisablingDropsOnlyItsOwnFocus)
{
    RIR::SmartPtr<TestControl> pA = add("a");
    RIR::SmartPtr<TestControl> pB = add("b");
    pA->setFocus();
    EXPECT_TRUE(pA->hasFocus());
    EXPECT_FALSE(pB->hasFocus());
    heard();

    pB->setEnabled(false);
    EXPECT_EQ(pA.get(), m_mode.getFocus().get()) << "another control's focus stays";
    pA->setEnabled(false);
    EXPECT_FALSE(m_mode.getFocus());
    EXPECT_EQ("a.focus-", heard());
    pA->setEnabled(true);
    EXPECT_FALSE(m_mode.getFocus()) << "enabling never takes the focus";
}

TEST_F(ControlTest, BecomingUnfocusableDropsTheModesFocusWhoeverHasIt)
{
    RIR::SmartPtr<TestControl> pA = add("a");
    RIR::SmartPtr<TestControl> pB = add("b");
    pA->setFocus();
    heard();
    pB->setFocusable(false);
    EXPECT_FALSE(m_mode.getFocus());
    EXPECT_EQ("a.focus-", heard());

    pA->setFocus();
    pB->dropFocus();
    EXPECT_FALSE(pA->hasFocus());
    EXPECT_EQ("a.focus+ a.focus-", heard());
}

TEST_F(ControlTest, ThemeChangesReachTheSubclassRefresh)
{
    RIR::SmartPtr<TestControl> pA = add("a");
    RIR::SmartPtr<Control> pAsControl = pA;
    pAsControl->onThemeChanged();
    EXPECT_EQ("a.refresh", heard());
}

} // namespace
