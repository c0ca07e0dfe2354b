// COleContainerWnd: the container of a Flash control, rendering it off-screen for a sprite.
//
// Our stand-in for the OLE container: it has no window of its own, only the window's size (the
// movie's size times a scale) and a 32-bit top-down pixel buffer of that size. create makes the
// control (CFlashWnd::makeControl), sets it up (onControlCreated), loads the movie (loadMovie)
// and sizes the window from the movie's own header; renderToImage has the control paint the
// buffer and hands it to a sprite as its image.
//
// Movies are files: a movie name resolves through the application's resources to a file of a
// folder provider ("3rdparty"); a movie inside a pack cannot be opened.
//
// Failure contract: create answers false when any step fails (then the container holds no
// control); "Resource %s not found" (FatalErrorException) when the movie name does not
// resolve; renderToImage without a created window raises AssertFailException "Assertion
// failed : m_hWnd". Nothing else raises but RIR::Exceptions.
#ifndef DIZIDOR_PLATFORM_FLASH_OLECONTAINERWND_H
#define DIZIDOR_PLATFORM_FLASH_OLECONTAINERWND_H

#include "platform/flash/flashcontrol.h"

#include "rir2/rirstring.h"

#include <cstdint>
#include <vector>

class Sprite;

class COleContainerWnd
{
public:
    COleContainerWnd();
    // Releases the control and the buffers.
    virtual ~COleContainerWnd();
    COleContainerWnd(const COleContainerWnd&) = delete;
    COleContainerWnd& operator=(const COleContainerWnd&) = delete;

    // Makes, sets up and loads the control for the movie; the window gets the movie's size.
    virtual bool create(const char* pszMovieName, bool bTransparent);
    // Paints the control into the buffer; with a target, the buffer becomes its image (32 bits,
    // masks R 0xFF0000, G 0xFF00, B 0xFF, alpha 0xFF000000 only in transparent mode).
    virtual void renderToImage(Sprite* pTarget);
    // The movie's size from its file header; raises "Resource %s not found".
    virtual void getMovieSize(int* pnWidth, int* pnHeight);
    // The window takes the movie's size times fScale (truncated, at least 1 pixel).
    void resize(float fScale);

    FlashControl* getControl() const { return m_pControl; }
    int getWindowWidth() const { return m_nWindowWidth; }
    int getWindowHeight() const { return m_nWindowHeight; }
    bool isTransparent() const { return m_bTransparent; }
    bool isTwoPass() const { return m_bTwoPass; }

    // The file path of a movie name (absolute); raises "Resource %s not found".
    static RIR::String resolveMoviePath(const char* pszMovieName);
    // The alpha of a pixel drawn once over black (b) and once over white (w):
    // 255 - ((w0 - b0) + (w1 - b1) + (w2 - b2)) / 3, byte-wise differences.
    static uint8_t twoPassAlpha(uint32_t nBlack, uint32_t nWhite);

protected:
    // The control for a new container; null when none can be made.
    virtual FlashControl* makeControl() = 0;
    virtual bool onControlCreated() { return true; }
    virtual bool loadMovie() { return true; }

    FlashControl* m_pControl; // owned
    int32_t m_hWnd;           // the window: 1 once created
    bool m_bTransparent;
    bool m_bTwoPass;
    RIR::String m_sMovieName;
    int32_t m_nWindowWidth;
    int32_t m_nWindowHeight;
    std::vector<uint32_t> m_anPixels;      // the render target
    std::vector<uint32_t> m_anWhitePixels; // the white-background pass
};

#endif
