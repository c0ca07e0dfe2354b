// Scene: lifecycle, the square lookup and the pixel geometry of the floor grid. Links and
// blocking are in scene_grid.cpp, the path search in scene_path.cpp, spots in scene_spots.cpp,
// the corridor and door in scene_corridor.cpp and scene_door.cpp, the dump in scene_dump.cpp;
// the scene file reader in scene_file.cpp, the backdrop in scene_backdrop.cpp, the placed
// objects in scene_objects.cpp and the tables in scene_tables.cpp.
#include "world/scene.h"

#include "world/chair.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

namespace
{

Scene* s_pScene = nullptr;

const int GRID_LEFT = 4;
const int GRID_RIGHT = 796;
const int SQUARE_WIDTH = 72;
const int FLOOR_ROWS = 12;

} // namespace

bool validSquare(int nI, int nJ)
{
    return (unsigned)nI < (unsigned)Scene::COLUMNS && (unsigned)nJ < (unsigned)Scene::ROWS;
}

Scene::Scene()
    : m_nTop(0), m_nLeft(GRID_LEFT), m_nRight(GRID_RIGHT), m_nBottom(0),
      m_nSquareW(SQUARE_WIDTH), m_nSquareH(0), m_nSearchCounter(0), m_nTableSpotDY(0),
      m_nTableSpotWidth(0), m_nTableSpotHeight(0), m_nTableSpotMugDX(0), m_nTableSpotMugDY(0),
      m_nBarFloorHeight(0), m_nRegisterStandI(0), m_nRegisterStandJ(0), m_nRegisterHeading(0),
      m_nPosterX(0), m_nPosterY(0), m_nPosterDepth(0), m_nFloorStart(0),
      m_nCorridorMode(0), m_bCorridorExclusive(true)
{
    RIR_TRACE("Scene::Scene");
    RIR_ASSERT(s_pScene == NULL);
    s_pScene = this;
}

Scene::~Scene()
{
    RIR_TRACE("Scene::~Scene");
    clearSquares();
    for (int n = 0; n < m_lChairs.getLength(); ++n)
        m_lChairs.get(n)->detach();
    m_lChairs.clear();
    for (int n = 0; n < m_lSceneryChairs.getLength(); ++n)
        m_lSceneryChairs.get(n)->detach();
    m_lSceneryChairs.clear();
    // A spot with a mug on it and the proxy over the mug hold each other.
    for (int n = 0; n < m_lSpots.getLength(); ++n)
        m_lSpots.get(n)->detach();
    m_lSpots.clear();
    if (s_pScene == this)
        s_pScene = nullptr;
    // A destructor must not throw; a scene that is not the registered one is a broken invariant
    // that the next getScene reports.
}

void Scene::clearSquares()
{
    RIR_TRACE("Scene::clearSquares");
    for (int j = 0; j < ROWS; ++j)
    {
        for (int i = 0; i < COLUMNS; ++i)
        {
            if (m_apSquares[i][j])
                m_apSquares[i][j]->clear();
            m_apSquares[i][j].release();
        }
    }
}

Scene* Scene::getScene()
{
    RIR_TRACE("Scene::getScene");
    RIR_ASSERT(s_pScene != NULL);
    return s_pScene;
}

void Scene::update(float /*fDt*/)
{
}

void Scene::setFloor(int nFloorStart, int nFloorEnd)
{
    m_nFloorStart = nFloorStart;
    m_nBottom = nFloorEnd;
    recomputeGeometry();
}

void Scene::setFloorStart(int nFloorStart)
{
    m_nFloorStart = nFloorStart;
    recomputeGeometry();
}

void Scene::setFloorEnd(int nFloorEnd)
{
    m_nBottom = nFloorEnd;
    recomputeGeometry();
}

void Scene::recomputeGeometry()
{
    m_nSquareH = (m_nBottom - m_nFloorStart) / FLOOR_ROWS;
    m_nTop = m_nFloorStart - m_nSquareH;
}

RIR::SmartPtr<SquareData> Scene::getSquare(int nI, int nJ) const
{
    RIR_TRACE("Scene::getSquare");
    if (!validSquare(nI, nJ))
        RIR_THROW(FatalErrorException, RIR::String::format("Invalid square : %d, %d", nI, nJ).c_str());
    return m_apSquares[nI][nJ];
}

RIR::SmartPtr<SquareData> Scene::getSquareByIndex(int nIndex) const
{
    return getSquare(nIndex % COLUMNS, nIndex / COLUMNS);
}

RIR::SmartPtr<SquareData> Scene::getSquareChecked(int nI, int nJ) const
{
    RIR_TRACE("Scene::getSquareChecked");
    RIR_ASSERT(validSquare(nI, nJ));
    return m_apSquares[nI][nJ];
}

void Scene::squareToPixel(int nI, int nJ, int* pX, int* pY, int nFlags) const
{
    int nX = nI * m_nSquareW + m_nLeft;
    int nY = nJ * m_nSquareH + m_nTop;
    if (nFlags & 2)
        nX += m_nSquareW - 1;
    else if (nFlags & 4)
        nX += m_nSquareW / 2;
    if (nFlags & 0x10)
        nY += m_nSquareH - 1;
    else if (nFlags & 0x20)
        nY += m_nSquareH / 2;
    *pX = nX;
    *pY = nY;
}

bool Scene::pixelToSquare(int nX, int nY, int* pI, int* pJ) const
{
    RIR_TRACE("Scene::pixelToSquare");
    // A floor less than a row high would make every square 0 pixels high.
    RIR_ASSERT(m_nSquareH > 0);
    bool bInside = true;
    if (nX < m_nLeft)
    {
        *pI = -1;
        bInside = false;
    }
    else if (nX > m_nRight)
    {
        *pI = COLUMNS;
        bInside = false;
    }
    else
        *pI = (nX - m_nLeft) / m_nSquareW;
    if (nY < m_nTop)
    {
        *pJ = -1;
        bInside = false;
    }
    else if (nY > m_nBottom)
    {
        *pJ = ROWS;
        bInside = false;
    }
    else
        *pJ = (nY - m_nTop) / m_nSquareH;
    return bInside && validSquare(*pI, *pJ);
}

Rect Scene::getSquareRect(int nI, int nJ) const
{
    return Rect(nI * m_nSquareW + m_nLeft, nJ * m_nSquareH + m_nTop,
                (nI + 1) * m_nSquareW + m_nLeft - 1, (nJ + 1) * m_nSquareH + m_nTop - 1, true);
}

int Scene::getRowDepth(int /*nI*/, int nJ) const
{
    return nJ * 100 + 6;
}

int Scene::getShadowDepth() const
{
    return 1;
}
