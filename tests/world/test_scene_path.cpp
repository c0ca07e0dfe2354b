// Path search: order and tie-breaks, occupied squares and the allowed list, the door column, and
// the detours a closed or opened door makes.
#include "world/scene.h"

#include "worldtest.h"

TEST_F(WorldTest, PathsOnAnEmptyFloor)
{
    struct Case
    {
        int nI1, nJ1, nI2, nJ2;
        const char* pszPath;
    } const cases[] = {
        {2, 3, 2, 3, "(2,3)"},                   // start equal to goal
        {2, 3, 4, 3, "(2,3) (3,3) (4,3)"},       // worked example
        {2, 3, 3, 4, "(2,3) (3,4)"},             // one diagonal beats two straight steps
        {2, 3, 4, 4, "(2,3) (3,4) (4,4)"},       // fewer diagonals: one diagonal, one straight
        {5, 3, 5, 0, "(5,3) (5,2) (5,1) (5,0)"}, // the street through the door
        {5, 3, 2, 0, "(5,3) (5,2) (5,1) (5,0) (4,0) (3,0) (2,0)"},
        // The rank adds the parent's cost to a distance in squares: from (5,1) the straight
        // (4,1) is expanded before (4,2)'s children, and (3,1) reaches the goal first.
        {2, 0, 2, 2, "(2,0) (3,0) (4,0) (5,0) (5,1) (4,1) (3,1) (2,2)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszPath, pathText(m_pScene->findPath(index(c.nI1, c.nJ1),
                                                         index(c.nI2, c.nJ2), false)))
            << c.nI1 << "," << c.nJ1 << " -> " << c.nI2 << "," << c.nJ2;
}

TEST_F(WorldTest, TiesGoToTheSquareOpenedFirst)
{
    // From (5,1) to (5,3) round a blocked (5,2): (4,1) and (6,1) rank alike, and (4,1) comes
    // first in the slot order of the freshly built grid.
    m_pScene->blockSquare(5, 2);
    EXPECT_EQ("(5,1) (4,1) (4,2) (4,3) (5,3)",
              pathText(m_pScene->findPath(index(5, 1), index(5, 3), false)));
    // The reverse search ties the same way on its own slot order.
    EXPECT_EQ("(5,3) (4,3) (4,2) (4,1) (5,1)",
              pathText(m_pScene->findPath(index(5, 3), index(5, 1), false)));
}

TEST_F(WorldTest, DoorOpenAndClosedShapeTheRoutes)
{
    addSyntheticDoor(m_pScene.get());
    EXPECT_EQ("(4,1) (5,1) (6,1)", pathText(m_pScene->findPath(index(4, 1), index(6, 1), false)));

    m_pScene->setDoorOpen(true);
    // The open door bars the sideways passage through (5, 1): the walker goes round by row 2.
    EXPECT_EQ("(4,1) (5,2) (6,1)", pathText(m_pScene->findPath(index(4, 1), index(6, 1), false)));
    // The doorway itself stays passable.
    EXPECT_EQ("(5,3) (5,2) (5,1) (5,0)",
              pathText(m_pScene->findPath(index(5, 3), index(5, 0), false)));

    m_pScene->setDoorOpen(false);
    EXPECT_EQ("(4,1) (5,1) (6,1)", pathText(m_pScene->findPath(index(4, 1), index(6, 1), false)));

    // Closing re-added the links into the first free slots: (6,1) now comes before (4,1) in
    // (5,1)'s slots, so the tie round a blocked (5,2) goes the other way than on a fresh grid.
    EXPECT_EQ("(5,0) (6,1) (4,2) (4,1) (5,2) - - (6,2)", linkText(m_pScene.get(), 5, 1));
    m_pScene->blockSquare(5, 2);
    EXPECT_EQ("(5,1) (6,1) (6,2) (6,3) (5,3)",
              pathText(m_pScene->findPath(index(5, 1), index(5, 3), false)));

    // With the door open again and (5,2) blocked, (5,1) leads only back to the street.
    m_pScene->setDoorOpen(true);
    EXPECT_EQ("", pathText(m_pScene->findPath(index(5, 1), index(5, 3), false)));
}

TEST_F(WorldTest, OccupiedSquaresAndTheAllowedList)
{
    RIR::SmartPtr<WalkingObject> pGoalHolder = placeWalker(m_pScene.get(), 4, 3);
    RIR::SmartPtr<WalkingObject> pBlocker = placeWalker(m_pScene.get(), 3, 3);

    // An occupied goal is out of reach unless allowed.
    EXPECT_EQ("", pathText(m_pScene->findPath(index(2, 3), index(4, 3), false)));
    EXPECT_EQ("(2,3) (3,3) (4,3)", pathText(m_pScene->findPath(index(2, 3), index(4, 3), true)));

    RIR::List<RIR::SmartPtr<SquareData>> lAllowed;
    lAllowed.append(m_pScene->getSquare(4, 3));
    // The allowed goal is entered; the other occupied square is still avoided.
    EXPECT_EQ("(2,3) (3,2) (4,3)", pathText(m_pScene->findPath(index(2, 3), index(4, 3), lAllowed)));
    lAllowed.append(m_pScene->getSquare(3, 3));
    EXPECT_EQ("(2,3) (3,3) (4,3)", pathText(m_pScene->findPath(index(2, 3), index(4, 3), lAllowed)));

    // The start itself may be occupied; a blocked goal is never reached.
    EXPECT_EQ("(3,3) (3,4) (3,5)", pathText(m_pScene->findPath(index(3, 3), index(3, 5), false)));
    m_pScene->blockSquare(3, 5);
    EXPECT_EQ("", pathText(m_pScene->findPath(index(3, 3), index(3, 5), true)));

    // Searches do not disturb each other: the same search gives the same path again.
    EXPECT_EQ("(2,3) (3,3) (4,3)", pathText(m_pScene->findPath(index(2, 3), index(4, 3), true)));
}

TEST_F(WorldTest, NeighboursFollowTheSlotsAndSkipOccupiedSquares)
{
    RIR::SmartPtr<WalkingObject> pWalker = placeWalker(m_pScene.get(), 4, 4);
    RIR::List<RIR::SmartPtr<SquareData>> lOut;
    // Squares carry the stamp of the search that closed them; a fresh grid's stamps equal the
    // fresh counter, so neighbours are asked inside a search (here one that closes nothing).
    m_pScene->getNeighbours(3, 3, true, RIR::List<RIR::SmartPtr<SquareData>>(), lOut);
    EXPECT_EQ("", pathText(lOut));
    EXPECT_EQ("(3,3)", pathText(m_pScene->findPath(index(3, 3), index(3, 3), false)));
    m_pScene->getNeighbours(3, 3, false, RIR::List<RIR::SmartPtr<SquareData>>(), lOut);
    EXPECT_EQ("(2,2) (2,3) (2,4) (3,2) (3,4) (4,2) (4,3)", pathText(lOut));
    lOut.clear();
    m_pScene->getNeighbours(3, 3, true, RIR::List<RIR::SmartPtr<SquareData>>(), lOut);
    EXPECT_EQ("(2,2) (2,3) (2,4) (3,2) (3,4) (4,2) (4,3) (4,4)", pathText(lOut));
}
