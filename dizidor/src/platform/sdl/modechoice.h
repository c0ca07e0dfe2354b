// ModeChoice: which physical display modes to try for a logical screen, and in what order.
//
// The application draws into a logical screen (800 x 600 in the game); the display runs at a
// physical mode. SDLVideoDriverBase::setVideoMode asks this class what to try and tries it:
//
//     ModeChoice choice(800, 600, nFlags, getScale());
//     choice.setDesktop(getDesktopSize());      // (0, 0): unknown, counts as twice the screen
//     choice.setListedModes(lModes);            // the display's full-screen modes, in its order
//     choice.logDesktop();
//     for (int nPass = 0; nPass < choice.getPassCount(); ++nPass)
//         for each size of choice.getPassCandidates(nPass)
//             for each depth of getDepthOrder(choice.getDepth())
//                 trySetMode(...)
//
// Rules:
// - the physical size asked for is the logical size times the window scale, truncated;
// - depths are tried in a fixed order from the one asked for (16: 16, 24, 32, 0; 24: 24, 32,
//   16, 0; 32 or any: 32, 24, 16, 0; 0 lets the display choose);
// - the desktop counts as wide when its aspect ratio is above 4:3;
// - full-screen candidates are the listed modes at least as high as the physical height, in
//   the display's order, plus the asked size itself, sorted by how close their aspect ratio
//   comes to the desktop's (cut to three decimals), the lower one first among equals;
// - a full screen request tries full screen first and then a window, a window request the other
//   way round; a window is tried only when it fits strictly inside the desktop; a full-screen
//   pass tries the sorted candidates on a wide desktop and only the asked size otherwise.
//
// The letterbox: a physical mode wider than the logical aspect shows the logical picture scaled
// to the physical height and centred, with black borders left and right (getLetterbox).
//
// A plain calculator: no SDL, no state beyond its inputs. Main thread only (the log).
#ifndef DIZIDOR_PLATFORM_SDL_MODECHOICE_H
#define DIZIDOR_PLATFORM_SDL_MODECHOICE_H

#include "gfx/point.h"

#include "rir2/list.h"

#include <cstdint>

class ModeChoice
{
public:
    enum
    {
        // Depths tried per candidate size.
        DEPTH_COUNT = 4
    };

    // nWidth x nHeight: the logical screen; nFlags: the VF_* word asked for; fScale: the window
    // scale (physical = logical x scale). The desktop starts unknown, no mode is listed.
    ModeChoice(int nWidth, int nHeight, int nFlags, float fScale);

    int getPhysicalWidth() const { return m_nPhysWidth; }
    int getPhysicalHeight() const { return m_nPhysHeight; }
    // The depth asked for by the flags (16, 24, 32, or 0 for any).
    int getDepth() const { return m_nDepth; }
    bool isFullscreenRequest() const;

    // The desktop size; a zero coordinate means unknown, and the desktop then counts as twice
    // the logical screen in both directions.
    void setDesktop(const Point& ptDesktop);
    const Point& getDesktop() const { return m_ptDesktop; }
    float getAspect() const { return m_fAspect; }
    // Aspect above 4:3.
    bool isWide() const { return m_bWide; }
    // "V: Desktop res %d x %d, aspect %.3lf, wide = %d\n".
    void logDesktop() const;

    // The full-screen modes the display lists, in its order (copied). None by default, which is
    // also what a display that accepts every size gives.
    void setListedModes(const RIR::List<Point>& lModes);
    // The listed modes at least getPhysicalHeight() high, then the asked size, sorted by
    // compareModes against the desktop's aspect.
    RIR::List<Point> getFullscreenCandidates() const;

    // One or two passes, in the order they are tried.
    int getPassCount() const { return m_nPassCount; }
    bool isFullscreenPass(int nPass) const;
    // The sizes a pass tries, in order.
    RIR::List<Point> getPassCandidates(int nPass) const;

    // The order of depths to try for a requested depth; panDepths gets DEPTH_COUNT entries.
    static void getDepthOrder(int nDepth, int* panDepths);
    // a goes before b: its aspect ratio is closer to the target (a float, pointed to by
    // pContext), or equally close and a is lower. Single-precision throughout.
    static bool compareModes(Point a, Point b, void* pContext);
    // The letterbox of the logical screen nWidth x nHeight on the physical mode nPhysWidth x
    // nPhysHeight: the vertical scale logical / physical, the physical width in logical pixels
    // (truncated) and the logical pixels between the physical left edge and logical x = 0
    // (0 when the mode is not wider than the logical aspect; negative when it is narrower).
    static void getLetterbox(int nWidth, int nHeight, int nPhysWidth, int nPhysHeight,
                             float* pfScaleY, int* pnScaledWidth, int* pnOffsetX);

private:
    void choosePasses();

    int32_t m_nWidth;
    int32_t m_nHeight;
    int32_t m_nFlags;
    int32_t m_nPhysWidth;
    int32_t m_nPhysHeight;
    int32_t m_nDepth;
    Point m_ptDesktop;
    float m_fAspect;
    bool m_bWide;
    RIR::List<Point> m_lListed;
    int32_t m_nPassCount;
    bool m_abPassFullscreen[2];
};

#endif
