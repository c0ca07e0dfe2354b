// Scene: building the floor grid, the link slots of its squares, and blocking squares.
#include "world/scene.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

void Scene::buildGrid()
{
    RIR_TRACE("Scene::buildGrid");
    clearSquares();
    for (int j = 0; j < ROWS; ++j)
        for (int i = 0; i < COLUMNS; ++i)
            m_apSquares[i][j] = new SquareData;

    int nIndex = 0;
    for (int j = 0; j < ROWS; ++j)
    {
        for (int i = 0; i < COLUMNS; ++i)
        {
            SquareData* pSq = squareAt(i, j);
            pSq->bWalkable = true;
            pSq->pWalkObj.release();
            pSq->nI = i;
            pSq->nJ = j;
            pSq->nIndex = nIndex++;
            pSq->nSearchStamp = 0;
            int k = 0;
            for (int di = -1; di <= 1; ++di)
            {
                for (int dj = -1; dj <= 1; ++dj)
                {
                    if ((di == 0 && dj == 0) || !validSquare(i + di, j + dj))
                        continue;
                    pSq->apLinks[k++] = m_apSquares[i + di][j + dj];
                }
            }
            for (; k < SquareData::MAX_LINKS; ++k)
                pSq->apLinks[k].release();
        }
    }

    // The street row reaches the floor only through the door.
    for (int i = 0; i < COLUMNS; ++i)
    {
        for (int di = -1; di <= 1; ++di)
        {
            if (validSquare(i + di, 1))
                unlinkSquares(i, 0, i + di, 1);
        }
    }
    linkSquares(DOOR_COLUMN, 0, DOOR_COLUMN, 1);
}

void Scene::addLink(int nI1, int nJ1, int nI2, int nJ2)
{
    RIR_TRACE("Scene::addLink");
    RIR::SmartPtr<SquareData> pFrom = getSquare(nI1, nJ1);
    RIR::SmartPtr<SquareData> pTo = getSquare(nI2, nJ2);
    RIR_ASSERT(pFrom && pTo);
    int nFree = -1;
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
    {
        if (pFrom->apLinks[k] == pTo)
            return;
        if (nFree < 0 && !pFrom->apLinks[k])
            nFree = k;
    }
    // A square has eight neighbours at most; a ninth link is a broken grid.
    if (nFree < 0)
        RIR_ASSERT(false);
    pFrom->apLinks[nFree] = pTo;
}

void Scene::removeLink(int nI1, int nJ1, int nI2, int nJ2)
{
    RIR_TRACE("Scene::removeLink");
    RIR::SmartPtr<SquareData> pFrom = getSquare(nI1, nJ1);
    RIR::SmartPtr<SquareData> pTo = getSquare(nI2, nJ2);
    RIR_ASSERT(pFrom && pTo);
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
    {
        if (pFrom->apLinks[k] == pTo)
        {
            pFrom->apLinks[k].release();
            return;
        }
    }
}

bool Scene::hasLink(int nI1, int nJ1, int nI2, int nJ2) const
{
    RIR_TRACE("Scene::hasLink");
    RIR::SmartPtr<SquareData> pFrom = getSquare(nI1, nJ1);
    RIR::SmartPtr<SquareData> pTo = getSquare(nI2, nJ2);
    if (!pFrom || !pTo)
        return false;
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
    {
        if (pFrom->apLinks[k] == pTo)
            return true;
    }
    return false;
}

void Scene::linkSquares(int nI1, int nJ1, int nI2, int nJ2)
{
    addLink(nI1, nJ1, nI2, nJ2);
    addLink(nI2, nJ2, nI1, nJ1);
}

void Scene::unlinkSquares(int nI1, int nJ1, int nI2, int nJ2)
{
    removeLink(nI1, nJ1, nI2, nJ2);
    removeLink(nI2, nJ2, nI1, nJ1);
}

void Scene::blockSquare(int nI, int nJ)
{
    RIR_TRACE("Scene::blockSquare");
    RIR::SmartPtr<SquareData> pSq = getSquare(nI, nJ);
    RIR_ASSERT(pSq);
    pSq->bWalkable = false;
    for (int k = 0; k < SquareData::MAX_LINKS; ++k)
    {
        RIR::SmartPtr<SquareData> pLinked = pSq->apLinks[k];
        if (!pLinked)
            continue;
        removeLink(pLinked->nI, pLinked->nJ, nI, nJ);
        pSq->apLinks[k].release();
    }
    // No diagonal step may cut a corner of the blocked square.
    for (int dj = -1; dj <= 1; dj += 2)
    {
        for (int di = -1; di <= 1; di += 2)
        {
            if (validSquare(nI, nJ + dj) && validSquare(nI + di, nJ))
                unlinkSquares(nI, nJ + dj, nI + di, nJ);
        }
    }
}
