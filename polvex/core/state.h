// The library's single global record: settings, display flags, frame buffer, allocator table
// and the fixed per-frame work buffers. Every subsystem reads it; nothing else is global.
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform/win32.h"
#include "polvex/polvex.h"

namespace pv {

struct PolygonEntry;  // render/polygon_entry.h

// Hard limits fixed by the sizes of the work buffers.
constexpr int kMaxFramePolygons = 5000;  // entries of polygonList
constexpr int kMaxObjectVertices = 5000; // entries of the per-vertex work arrays
constexpr int kMaxObjectPolygons = 5000; // entries of polygonFacing
constexpr int kAngleSteps = 4096;        // entries of the sine and cosine tables
constexpr int kInitialAllocCapacity = 1024;
constexpr int kPolygonEntryBytes = 160;      // one entry of polygonList
constexpr int kPolygonEntryClearedBytes = 108; // depth, color, cornerNum and points

// The platform's bitmap description with a full colour table.
struct BitmapInfo256 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};
static_assert(sizeof(BitmapInfo256) == 1064, "bitmap description is 40 + 256 * 4 bytes");

struct ScreenPoint {
    int32_t x;
    int32_t y;
};

struct LibraryState {
    char makerTag[20];       // first 20 bytes of the frame dump file
    std::FILE *dumpFile;     // open "POLVEX.3DQ" of ModelMode 4, or null
    float screenDistance;    // projection distance in pixels
    float clipDistance;      // depth of the near clipping plane
    float centerX, centerY;  // projection centre offset from the middle of the frame
    int32_t opened;          // 1 while open
    int32_t modelMode;       // rendering mode
    float light[3];          // unit direction in which the light travels
    float ambient;           // ambient share, 0 to 1
    float highlightPower;    // exponent of the highlight term
    int32_t messageFlag;     // non-zero: failures are shown in message boxes
    int32_t paletteDevice;   // 1 on an 8-bit palette display
    int32_t halftoneVariant; // layout of the system halftone palette, 0 or 1
    HDC memoryDC;            // memory DC holding the frame buffer
    HBITMAP frameBitmap;     // DIB section selected into memoryDC
    uint8_t *frameBits;      // first byte of the frame buffer's pixels
    HPALETTE palette;        // halftone palette on palette displays
    void **allocTable;       // tracked blocks, null = empty slot
    int32_t allocCount;      // non-empty slots
    int32_t allocCapacity;   // slots in allocTable
    PolygonEntry *polygonList;   // kMaxFramePolygons entries
    ScreenPoint *screenPoints;   // per vertex of the object being drawn
    uint8_t *vertexUsed;         // per vertex: 1 when it belongs to a front-facing polygon
    float *polygonFacing;        // per polygon: facing value, > 0 faces away
    PvObjectPointProc pointProc; // host callback, or null
    BitmapInfo256 bitmapInfo;    // description of the frame buffer
    float *viewDepth;            // per vertex: camera-space depth
    float *viewHorz;             // per vertex: camera-space horizontal (left positive)
    float *viewVert;             // per vertex: camera-space vertical (up positive)
    int32_t frameStride;         // bytes per row
    int32_t frameWidth;          // pixels
    int32_t frameHeight;         // pixels; positive bottom-up, negative top-down
    float *sinTable;             // kAngleSteps entries
    float *cosTable;             // kAngleSteps entries
};

extern LibraryState g_state;

// A state record holding the load-time defaults (closed, nothing allocated).
LibraryState MakeDefaultState();

// Number of frame buffer lines, whatever the row order.
inline int32_t FrameLines() { return g_state.frameHeight < 0 ? -g_state.frameHeight : g_state.frameHeight; }

}  // namespace pv
