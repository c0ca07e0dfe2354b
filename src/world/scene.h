// Scene: the one saloon floor of the running level.
//
// The play screen's floor is a grid of 11 columns (i 0..10) by 13 rows (j 0..12) of squares, 72
// pixels wide and (floor end - floor start) / 12 high, from pixel x 4. Row 0 is the street strip
// in front of the wall; rows 1..12 are the saloon floor; column 5 is the door column, and the link
// between (5, 0) and (5, 1) is the only passage between street and floor. Every square keeps the
// squares a walker may step to next (link slots), its walkable flag and the walker standing on it.
//
// The scene also holds the registry of action spots (getSpotAt answers the deepest spot under a
// click), the path search over the links (findPath), the entrance corridor reservations that keep
// walkers coming in and walkers going out apart, and the door, whose open state bars the sideways
// passage through (5, 1).
//
// There is exactly one scene at a time, reached through getScene. The level loader constructs it
// and reads a scene file into it (load): the floor lines set the geometry, the grid is built, the
// file's lines block squares, put up bar pieces, taps, sinks, the till and decorations, and the
// backdrop (floor, wall with its door hole and windows, the view outside, the door) is composed
// and shown on the play screen. The level then places the tables (placeTables), whose chairs are
// offered to customers. Tests may also build a floor by hand (setFloor, buildGrid, setDoor). The
// teardown breaks the reference cycles of squares, walkers, chairs and spots.
//
// Failures: an invalid square is the fatal error "Invalid square : %d, %d"; broken invariants
// fail with AssertFailException ("Assertion failed : ..."). Main thread only.
//
// Usage:
//     RIR::SmartPtr<Scene> pScene = new Scene;
//     pScene->setFloor(190, 550);
//     pScene->buildGrid();
//     RIR::List<RIR::SmartPtr<SquareData>> lPath = pScene->findPath(n1, n2, false);
#ifndef DBD_WORLD_SCENE_H
#define DBD_WORLD_SCENE_H

#include "world/actionspot.h"
#include "world/squaredata.h"
#include "world/walkingobj.h"

#include "gfx/animsprite.h"
#include "gfx/image.h"
#include "gfx/rect.h"

#include "rir2/list.h"
#include "rir2/refcount.h"

#include <cstdint>

// 0 <= i <= 10 and 0 <= j <= 12.
bool validSquare(int nI, int nJ);

class Chair;
struct SceneBackdrop;

class Scene : public RIR::RefCountedObject
{
public:
    static constexpr int COLUMNS = 11;
    static constexpr int ROWS = 13;
    static constexpr int SQUARE_COUNT = COLUMNS * ROWS;
    static constexpr int DOOR_COLUMN = 5;

    // Door states (getDoorState).
    static constexpr int DOOR_CLOSED = 0; // also: no door
    static constexpr int DOOR_OPEN = 1;
    static constexpr int DOOR_OPENING = 2;
    static constexpr int DOOR_CLOSING = 4;

    // Corridor modes the characters use.
    static constexpr int CORRIDOR_IN = 1;
    static constexpr int CORRIDOR_OUT = 2;

    // Fails "Assertion failed : s_pScene == NULL" while another scene exists. No squares yet,
    // search counter 0, corridor empty in mode 0 with the exclusive flag set.
    Scene();
    // Clears every square (row by row), clears the spots, checks
    // "Assertion failed : s_pScene == this" and unregisters.
    ~Scene() override;

    // The scene; "Assertion failed : s_pScene != NULL" without one.
    static Scene* getScene();

    // Per-frame hook of the play mode; nothing to do.
    void update(float fDt);

    // --- Geometry -------------------------------------------------------------------------------
    // Sets the floor's first and last pixel rows and recomputes the geometry: square height
    // (end - start) / 12 truncated, top = start - height, bottom = end.
    void setFloor(int nFloorStart, int nFloorEnd);
    // The same for one value at a time (the scene file gives them on separate lines).
    void setFloorStart(int nFloorStart);
    void setFloorEnd(int nFloorEnd);
    int getFloorStart() const { return m_nFloorStart; }
    int getFloorEnd() const { return m_nBottom; }
    int getTop() const { return m_nTop; }

    // Creates the 143 squares, all walkable, links every square to its valid neighbours in slot
    // order (i-1, j-1), (i-1, j), (i-1, j+1), (i, j-1), (i, j+1), (i+1, j-1), (i+1, j),
    // (i+1, j+1), cuts row 0 off row 1 and links the door squares (5, 0) and (5, 1). Squares of
    // an earlier build are cleared and replaced.
    void buildGrid();
    bool hasGrid() const { return !m_apSquares[0][0].isNull(); }

    // The square; an invalid one raises FatalErrorException "Invalid square : %d, %d". Null
    // before buildGrid.
    RIR::SmartPtr<SquareData> getSquare(int nI, int nJ) const;
    // getSquare (n mod 11, n div 11).
    RIR::SmartPtr<SquareData> getSquareByIndex(int nIndex) const;
    // The same square, guarded by "Assertion failed : validSquare(nI, nJ)".
    RIR::SmartPtr<SquareData> getSquareChecked(int nI, int nJ) const;

    // The square's top-left pixel, moved by nFlags: 2 to the right edge, else 4 to the centre
    // column; 0x10 to the bottom edge, else 0x20 to the centre row. Other bits have no effect;
    // the square is not validated.
    void squareToPixel(int nI, int nJ, int* pX, int* pY, int nFlags) const;
    // The square under a pixel. Both outputs are always written: i is -1 left of the grid, 11
    // right of pixel 796; j is -1 above the top, 13 below the floor end. True only when both lie
    // inside and the square is valid. A scene whose square height is not positive fails
    // "Assertion failed : m_nSquareH > 0".
    bool pixelToSquare(int nX, int nY, int* pI, int* pJ) const;
    // The square's pixels, corners inclusive.
    Rect getSquareRect(int nI, int nJ) const;
    int getSquareWidth() const { return m_nSquareW; }
    int getSquareHeight() const { return m_nSquareH; }

    // j * 100 + 6, whatever i is.
    int getRowDepth(int nI, int nJ) const;
    // The floor layer: 1.
    int getShadowDepth() const;

    // --- Links ----------------------------------------------------------------------------------
    // From square 1 to square 2 only: add into the first free slot (nothing when present; a
    // ninth link fails "Assertion failed : false"), remove from the first slot holding it (none:
    // nothing), test.
    void addLink(int nI1, int nJ1, int nI2, int nJ2);
    void removeLink(int nI1, int nJ1, int nI2, int nJ2);
    bool hasLink(int nI1, int nJ1, int nI2, int nJ2) const;
    // Both directions.
    void linkSquares(int nI1, int nJ1, int nI2, int nJ2);
    void unlinkSquares(int nI1, int nJ1, int nI2, int nJ2);
    // Makes the square unwalkable, removes every link into and out of it, and unlinks the
    // diagonals that would cut its corners. Blocking twice does no harm; nothing unblocks.
    void blockSquare(int nI, int nJ);

    // --- Path search ----------------------------------------------------------------------------
    // The squares from the start to the goal (both included, start first), found over the links;
    // empty when there is none. Occupied squares are entered only with bAllowOccupied or when in
    // lAllowed (compared by square); a blocked goal is never reached.
    RIR::List<RIR::SmartPtr<SquareData>> findPath(int nStartIndex, int nGoalIndex,
                                                  bool bAllowOccupied,
                                                  const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed);
    RIR::List<RIR::SmartPtr<SquareData>> findPath(int nStartIndex, int nGoalIndex,
                                                  bool bAllowOccupied);
    RIR::List<RIR::SmartPtr<SquareData>> findPath(int nStartIndex, int nGoalIndex,
                                                  const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed);
    // Appends the squares a search may enter next from (i, j), in link-slot order: not closed in
    // the current search, and free unless allowed.
    void getNeighbours(int nI, int nJ, bool bAllowOccupied,
                       const RIR::List<RIR::SmartPtr<SquareData>>& lAllowed,
                       RIR::List<RIR::SmartPtr<SquareData>>& lOut) const;

    // --- Action spots ---------------------------------------------------------------------------
    // Appends (the same spot may be added twice).
    void addSpot(const RIR::SmartPtr<ActionSpot>& pSpot);
    // Removes the spot at its first position; "Assertion failed : nIdx >= 0" when absent.
    void removeSpot(const RIR::SmartPtr<ActionSpot>& pSpot);
    // The containing spot of the greatest depth (equal depths: the one registered first), or
    // null.
    RIR::SmartPtr<ActionSpot> getSpotAt(int nX, int nY) const;
    const RIR::List<RIR::SmartPtr<ActionSpot>>& getSpots() const { return m_lSpots; }

    // --- Entrance corridor ----------------------------------------------------------------------
    // True when nobody holds the corridor, or the holders use this mode without exclusive use.
    bool isCorridorFree(int nMode) const;
    // Joins the holders (once) and answers true, or answers false and changes nothing when the
    // corridor is held in another mode or exclusively. The exclusive flag starts set with a new
    // scene and is cleared only when a release empties the corridor, so the first reservation
    // keeps everybody else out until it is released.
    bool reserveCorridor(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode, bool bExclusive);
    bool hasCorridorReservation(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode) const;
    // Leaves the holders (a walker that holds nothing: nothing). In the wrong mode it writes
    // "W: Wrong unreserve! ..." and the scene dump to the log, then raises FatalErrorException
    // "Wrong corridor unreserve".
    void unreserveCorridor(const RIR::SmartPtr<WalkingObject>& pWalker, int nMode);
    const RIR::List<RIR::SmartPtr<WalkingObject>>& getCorridor() const { return m_lCorridor; }
    int getCorridorMode() const { return m_nCorridorMode; }
    bool isCorridorExclusive() const { return m_bCorridorExclusive; }

    // --- Door -----------------------------------------------------------------------------------
    // Takes the door animation (sequences "open" and "close") and shows it closed: "close" on its
    // last frame, stopped. Null: no door.
    void setDoor(const RIR::SmartPtr<AnimSprite>& pDoor);
    RIR::SmartPtr<AnimSprite> getDoor() const { return m_pDoor; }
    // squareToPixel of the door square (5, 0) when bAtDoor, else of (5, 1).
    void getDoorPixel(int* pX, int* pY, bool bAtDoor, int nFlags) const;
    int getDoorState() const;
    // Opens or closes the door; nothing without a door or when it already goes that way. A door
    // caught half-way turns back from the position it reached. Opening unlinks (5, 1) from (6, 1)
    // and (4, 1) and plays sound group 16 at x 400; closing relinks them and plays group 17.
    void setDoorOpen(bool bOpen);

    // --- Scene file (scene_file.cpp) -----------------------------------------------------------
    // Builds the grid and reads the scene file of that resource name into this scene: floor,
    // backdrop, blocked squares, bars, sinks, sources, register, poster place, decorations and
    // the table pictures; then composes the backdrop. Failures: the resource error of a missing
    // file; FatalErrorException "Needed %d tokens on %s" for a short sprite, wallimage, floorimage
    // or window line; "Scene file %s: ..." for a missing value or a floor that does not lie on
    // the screen or is less than 12 pixels high; the errors of the backdrop and placed objects.
    // Nothing is rolled back.
    void load(const RIR::String& sName);
    // The drawing depth of a layer word: "wall" 3, "row<n>" n * 100 + 6, "floor" 1, else 0
    // (case-sensitive).
    static int parseDepth(const RIR::String& sWord);
    // A number of a scene file: the C library's atoi rule (optional sign, leading digits; none
    // give 0), limited to +-1000000 so that no position arithmetic overflows.
    static int readFileNumber(const RIR::String& sToken);

    // --- Placed objects (scene_objects.cpp, scene_tables.cpp) ----------------------------------
    // One table centred on square (i + 1, j + 1) with chairs on (i, j) and (i + 2, j), their seat
    // spots, sprites and shadows; blocks the table's six squares. Registered chairs join
    // getChairs (right chair first).
    void placeTables(int nI, int nJ, bool bRegisterChairs);
    // The square in front of the register and the facing towards the register.
    void getRegisterPlace(int* pStandI, int* pStandJ, int* pHeading) const;
    void getWantedPosterPlace(int* pX, int* pY, int* pDepth) const;
    RIR::SmartPtr<Image> getWantedPoster() const { return m_pPosterImage; }
    // (poster x, centre pixel row of row 1): where the sheriff pins the poster.
    void getPosterStandPixel(int* pX, int* pY) const;
    const RIR::String& getBackground() const { return m_sBackground; }
    RIR::SmartPtr<Image> getFloorImage() const { return m_pFloorImage; }
    int getBarFloorHeight() const { return m_nBarFloorHeight; }
    void getTableSpotGeometry(int* pDY, int* pWidth, int* pHeight, int* pMugDX, int* pMugDY) const;
    // The table pictures, 0..7: front, back, shadow, chair front right, chair back right, chair
    // front left, chair back left, chair shadow.
    RIR::SmartPtr<Image> getTableImage(int nIndex) const;

    // --- Chairs (scene_tables.cpp) --------------------------------------------------------------
    const RIR::List<RIR::SmartPtr<Chair>>& getChairs() const { return m_lChairs; }
    bool hasFreeChair() const;
    RIR::List<RIR::SmartPtr<Chair>> getFreeChairs() const;
    RIR::List<RIR::SmartPtr<Chair>> getTakenChairs() const;

    // --- Diagnostics ----------------------------------------------------------------------------
    // Writes every occupied square and the corridor holders to the log.
    void dump() const;

private:
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The square's handle without the validity check (callers have checked).
    SquareData* squareAt(int nI, int nJ) const { return m_apSquares[nI][nJ].get(); }
    void clearSquares();
    void recomputeGeometry();

    // Line handlers of the scene file (scene_objects.cpp); tokens as read, keyword first.
    void readSpriteLine(const RIR::List<RIR::String>& lTokens);
    void readSpotLine(const RIR::List<RIR::String>& lTokens);
    void readRegisterLine(const RIR::List<RIR::String>& lTokens);
    void readPosterLine(const RIR::List<RIR::String>& lTokens);
    void readTableImagesLine(const RIR::List<RIR::String>& lTokens);
    void readTableSpotValue(const RIR::String& sKeyword, int nValue);
    // Puts a sprite on the play screen, when there is one.
    void showSprite(const RIR::SmartPtr<Image>& pImage, int nX, int nY, int nDepth);
    // Composes and shows the floor, the wall with its openings, the door frame and the door
    // (scene_backdrop.cpp).
    void composeBackdrop(const SceneBackdrop& backdrop, const RIR::String& sFile);
    void composeFloor(const SceneBackdrop& backdrop);
    void composeWall(const SceneBackdrop& backdrop, const RIR::String& sFile);

    RIR::SmartPtr<AnimSprite> m_pDoor;
    int32_t m_nTop;
    int32_t m_nLeft;
    int32_t m_nRight;
    int32_t m_nBottom;
    int32_t m_nSquareW;
    int32_t m_nSquareH;
    RIR::SmartPtr<SquareData> m_apSquares[COLUMNS][ROWS];
    int32_t m_nSearchCounter;
    RIR::List<RIR::SmartPtr<ActionSpot>> m_lSpots;
    int32_t m_nTableSpotDY;
    int32_t m_nTableSpotWidth;
    int32_t m_nTableSpotHeight;
    int32_t m_nTableSpotMugDX;
    int32_t m_nTableSpotMugDY;
    int32_t m_nBarFloorHeight;
    RIR::String m_sBackground;
    RIR::SmartPtr<Image> m_pTableFront;
    RIR::SmartPtr<Image> m_pTableBack;
    RIR::SmartPtr<Image> m_pTableShadow;
    RIR::SmartPtr<Image> m_pChairFrontRight;
    RIR::SmartPtr<Image> m_pChairBackRight;
    RIR::SmartPtr<Image> m_pChairFrontLeft;
    RIR::SmartPtr<Image> m_pChairBackLeft;
    RIR::SmartPtr<Image> m_pChairShadow;
    RIR::List<RIR::SmartPtr<Chair>> m_lChairs;
    // The chairs of tables placed without registering them (scenery): kept only so that the
    // teardown breaks their partner links as well.
    RIR::List<RIR::SmartPtr<Chair>> m_lSceneryChairs;
    int32_t m_nRegisterStandI;
    int32_t m_nRegisterStandJ;
    int32_t m_nRegisterHeading;
    int32_t m_nPosterX;
    int32_t m_nPosterY;
    int32_t m_nPosterDepth;
    RIR::SmartPtr<Image> m_pPosterImage;
    RIR::SmartPtr<Image> m_pFloorImage;
    int32_t m_nFloorStart;
    RIR::List<RIR::SmartPtr<WalkingObject>> m_lCorridor;
    int32_t m_nCorridorMode;
    bool m_bCorridorExclusive;
};

#endif
