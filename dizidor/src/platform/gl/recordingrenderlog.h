// RecordingRenderLog: the calls made on a recording display, its device and its textures, in
// order, and the failures they are told to answer.
//
// Every call is one RenderRecord with its arguments and its result; a draw also keeps a copy of
// its vertices and of every device state at that moment (RenderDeviceState), so that a test can
// check what a sprite was drawn with. toString gives one line per record, e.g.
//     setMode 800x600x32 window
//     setRenderState BLEND_SRC SRC_ALPHA
//     setTexture 3
//     drawPrimitive TRIANGLE_STRIP 4 texture 3
//     clear COLOR|STENCIL 0x00FF0000 depth 0 stencil 0
//     present -> SURFACE_LOST
// (a failed call ends in " -> " and its result's name).
//
// Failures: failCall makes the next calls of one kind answer a failure instead of doing
// anything (they are still recorded, with that result).
//
// Main thread only.
#ifndef DIZIDOR_PLATFORM_GL_RECORDINGRENDERLOG_H
#define DIZIDOR_PLATFORM_GL_RECORDINGRENDERLOG_H

#include "platform/gl/renderdevicebase.h"
#include "platform/gl/renderdisplay.h"

#include "rir2/rirstring.h"

#include <string>
#include <vector>

enum RenderCall
{
    // RenderDisplay
    CALL_SET_MODE,
    CALL_TEST_COOPERATIVE_LEVEL,
    CALL_PRESENT,
    CALL_RESTORE,
    CALL_RELEASE,
    // RenderDevice
    CALL_BEGIN_SCENE,
    CALL_END_SCENE,
    CALL_CLEAR,
    CALL_SET_RENDER_STATE,
    CALL_SET_STAGE_STATE,
    CALL_SET_TEXTURE,
    CALL_SET_TRANSFORM,
    CALL_SET_VIEWPORT,
    CALL_DRAW_PRIMITIVE,
    CALL_CREATE_TEXTURE,
    // RenderTexture
    CALL_LOCK_TEXTURE,
    CALL_UNLOCK_TEXTURE,
    CALL_DELETE_TEXTURE,
    RENDER_CALL_COUNT
};

// "setMode", "testCooperativeLevel", ..., "deleteTexture"; "?" out of range.
const char* renderCallName(RenderCall eCall);

// One call. Only the fields of its kind are meaningful; the others are zero.
struct RenderRecord
{
    RenderCall eCall;
    RenderResult eResult;
    // setMode: the mode asked for.
    DisplayMode mode;
    // setRenderState, setStageState: the state (RenderState or StageState) and the value.
    int32_t nState;
    uint32_t nValue;
    // setTransform.
    TransformKind eTransform;
    RenderMatrix matrix;
    // setViewport.
    RenderViewport viewport;
    // clear: flags as given, colour, depth, stencil.
    uint32_t nClearFlags;
    uint32_t nColor;
    float fDepth;
    uint32_t nStencil;
    // setTexture (0: none), createTexture (the new one, 0 on failure), lock, unlock and delete:
    // the texture's id. drawPrimitive: the texture set.
    int32_t nTexture;
    // createTexture.
    int32_t nWidth;
    int32_t nHeight;
    bool bAlpha;
    // drawPrimitive: kind, a copy of the vertices, and the device's states.
    PrimitiveKind ePrimitive;
    std::vector<RenderVertex> lVertices;
    RenderDeviceState state;

    RenderRecord();
    // One line (see the file comment).
    RIR::String toString() const;
};

class RecordingRenderLog
{
public:
    RecordingRenderLog();

    RecordingRenderLog(const RecordingRenderLog&) = delete;
    RecordingRenderLog& operator=(const RecordingRenderLog&) = delete;

    // ---- the records -------------------------------------------------------------------------

    const std::vector<RenderRecord>& getRecords() const { return m_lRecords; }
    int getCount() const { return (int)m_lRecords.size(); }
    // The records of one kind, in order.
    std::vector<const RenderRecord*> find(RenderCall eCall) const;
    int count(RenderCall eCall) const;
    // The last record of one kind; null when there is none.
    const RenderRecord* findLast(RenderCall eCall) const;
    // One line per record (RenderRecord::toString), from record nFirst on.
    std::vector<std::string> getLines(int nFirst = 0) const;
    // The lines joined with "\n", one "\n" after each.
    RIR::String toText(int nFirst = 0) const;
    // Forgets the records (not the failures).
    void clear();

    // ---- failures ----------------------------------------------------------------------------

    // After nSkip more calls of that kind that run normally, the next nTimes calls (every one
    // from then on for nTimes < 0) answer eResult, a failure code. Replaces what was set for
    // that kind before.
    void failCall(RenderCall eCall, RenderResult eResult, int nTimes = 1, int nSkip = 0);
    void clearFailures();

    // ---- for the recording objects -------------------------------------------------------------

    // RENDER_OK when the call may run, else the failure it must answer (counted as used).
    RenderResult takeFailure(RenderCall eCall);
    // A new record of that kind with result RENDER_OK, appended; the reference is valid until
    // the next append.
    RenderRecord& add(RenderCall eCall);

private:
    struct Failure
    {
        RenderResult eResult;
        int32_t nSkip;
        int32_t nTimes; // < 0: every call
    };

    std::vector<RenderRecord> m_lRecords;
    Failure m_aFailures[RENDER_CALL_COUNT];
};

#endif
