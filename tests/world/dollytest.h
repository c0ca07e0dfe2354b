// The heroine's tests: a fixture with the synthetic floor, a play screen, the synthetic heroine
// standing at her start square (5, 11) and the bar's spots of a small saloon: the tap at (2, 3),
// the sink at (8, 3) and a table seat at (6, 6) whose mug stands at (472, 350).
#ifndef DBD_TESTS_WORLD_DOLLYTEST_H
#define DBD_TESTS_WORLD_DOLLYTEST_H

#include "world/dolly.h"
#include "world/mugsinkspot.h"
#include "world/mugsourcespot.h"
#include "world/mugspot.h"

#include "world/kit/syntheticdolly.h"
#include "worldtest.h"

#include "app/gamemode.h"

#include <string>

class DollyTest : public WorldTest
{
protected:
    static constexpr float DT = 1.0f / 30.0f;
    static constexpr int MUG_X = 472;
    static constexpr int MUG_Y = 350;

    explicit DollyTest(int nDoActionFrame = 3)
    {
        m_play.setPlayScreen(&m_screen);
        m_pDolly = new SyntheticDolly(nDoActionFrame);
        m_pDolly->startLevel(0);
        m_pDolly->setSpeed(260, 160);
        int nX = 0;
        int nY = 0;
        m_pScene->squareToPixel(5, 11, &nX, &nY, 0x24);
        m_pDolly->placeAt(nX, nY);
        m_pDolly->update(DT); // the start frame
        m_pTap = new MugSourceSpot(m_pScene->getSquareRect(2, 3), 2, 3);
        m_pSink = new MugSinkSpot(m_pScene->getSquareRect(8, 3), 8, 3);
        m_pSeat = new MugSpot(m_pScene->getSquareRect(6, 6), 6, 6, MUG_X, MUG_Y, 616);
        m_pScene->addSpot(m_pTap);
        m_pScene->addSpot(m_pSink);
        m_pScene->addSpot(m_pSeat);
    }
    ~DollyTest() override { m_pDolly->unmarkSquares(); }

    // Updates until she is no longer busy (at most nMax frames); true when she is idle.
    bool runUntilIdle(int nMax = 600)
    {
        for (int n = 0; n < nMax && m_pDolly->isDoingAction(); ++n)
            m_pDolly->update(DT);
        return !m_pDolly->isDoingAction();
    }
    void run(int nFrames)
    {
        for (int n = 0; n < nFrames; ++n)
            m_pDolly->update(DT);
    }
    // Starts the action as the play mode does and runs it to its end.
    void act(const RIR::SmartPtr<ActionSpot>& pSpot, int nHand)
    {
        ASSERT_TRUE(pSpot->canDoAction(m_pDolly.get(), nHand));
        m_pDolly->startAction(pSpot, nHand);
        ASSERT_TRUE(runUntilIdle());
        run(10); // the arm finishes its movement
    }
    std::string sequence(int nPart) const
    {
        return m_pDolly->getPartSprite(nPart)->getSequenceName().c_str();
    }
    bool logged(const char* pszEntry) const { return m_play.getLog()->indexOf(pszEntry) >= 0; }

    GameMode m_screen;
    RIR::SmartPtr<SyntheticDolly> m_pDolly;
    RIR::SmartPtr<MugSourceSpot> m_pTap;
    RIR::SmartPtr<MugSinkSpot> m_pSink;
    RIR::SmartPtr<MugSpot> m_pSeat;
};

#endif
