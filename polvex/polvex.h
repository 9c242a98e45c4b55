/* Polvex: a software 3D library drawing into an 8-bit palette frame buffer. The one public
 * header: shared records first, then the exported functions by family. Plain C.
 *
 * Conventions: functions that can fail return 1 for success and 0 for failure; colours are
 * 0x00BBGGRR; angles are int32 with 4096 units to a full turn; pixels count x to the right
 * and y downward from the top-left pixel. */
#ifndef POLVEX_POLVEX_H
#define POLVEX_POLVEX_H

#include <stdint.h>

#include "platform/win32.h"

#if defined(POLVEX_BUILDING)
#define POLVEX_API __attribute__((visibility("default")))
#else
#define POLVEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Model records (shared with the host byte for byte) ------------------------------- */

typedef struct Vector3 {
    float x; /* model or world units */
    float y;
    float z;
} Vector3;

typedef struct ColorBytes {
    uint8_t reserved; /* never written or read */
    uint8_t red;      /* 0 to 255 */
    uint8_t green;
    uint8_t blue;
} ColorBytes;

typedef struct MaterialData {
    ColorBytes color; /* material colour */
    float highlight;  /* highlight strength, 0 to 1 */
} MaterialData;

typedef struct PlaneData {
    int32_t materialNo; /* 0-based index into the model's materials */
    ColorBytes color;   /* pre-lit colour, written by SetObjectDataColor */
    int32_t cornerNum;  /* 3 to 8 */
    int32_t *corner;    /* cornerNum vertex numbers in drawing order (anticlockwise = front) */
    Vector3 normal;     /* unit plane normal, written by SetObjectDataColor */
} PlaneData;

typedef struct ObjectData {
    int32_t pntNum;         /* number of vertices, at most 5000 */
    Vector3 *pnt;           /* pntNum vertices in model coordinates */
    int32_t plnNum;         /* number of polygons, at most 5000 */
    PlaneData *pln;         /* plnNum polygons */
    float radius;           /* largest vertex distance from the model origin */
    int32_t materialNum;    /* number of materials, at most 500 */
    MaterialData *material; /* materialNum materials */
    Vector3 *shadingVector; /* pntNum unit vertex normals, from SetObjectDataShadingVector */
} ObjectData;

/* ---- Placement record of the camera (entry 0 of every array) and of each object ------- */

typedef struct ObjectStruct {
    int32_t visible;        /* 0: skipped by the renderer */
    int32_t lighting;       /* non-zero: flat modes light each polygon; 0: pre-lit colours */
    int32_t dirMode;        /* orientation mode 0 to 8, tested as unsigned */
    float x;                /* world position */
    float y;
    float z;
    int32_t yaw;            /* turn about Z, 4096 units per turn */
    int32_t pitch;          /* turn about Y */
    int32_t roll;           /* turn about X */
    Vector3 dir;            /* direction of dirMode 7 and 8 */
    Vector3 up;             /* up vector of dirMode 8 */
    int32_t twist;          /* turn about dir in dirMode 7 */
    ObjectData *objectData; /* model drawn for this record; null: skipped */
} ObjectStruct;

/* Receives, during Polvex, each drawn object's index, its vertexUsed bytes and its projected
 * vertices as (x, y) int32 pairs; both arrays belong to the library and last for the call. */
typedef void (*PvObjectPointProc)(int32_t index, uint8_t *used, int32_t *points);

/* ---- Lifecycle ------------------------------------------------------------------------ */

POLVEX_API int32_t OpenPolvex(int32_t messageFlag); /* 1 open, 0 failed */
POLVEX_API void ClosePolvex(void);                  /* frees everything, reports leaks */

/* ---- Tracked memory ------------------------------------------------------------------- */

POLVEX_API void *PvAlloc(int32_t size);                 /* new tracked block, or null */
POLVEX_API void *PvReAlloc(void *block, int32_t size);  /* resized tracked block, or null */
POLVEX_API void *PvFree(void *block);                   /* releases a tracked block */
POLVEX_API void PvAllFree(void);                        /* releases all, writes pvdebug.txt */

/* ---- Scene settings ------------------------------------------------------------------- */

POLVEX_API void SetScreenDistance(float distance);      /* projection distance, > 0 */
POLVEX_API float GetScreenDistance(void);
POLVEX_API void SetCenter(float x, float y);            /* projection centre offset, pixels */
POLVEX_API void GetCenter(float *x, float *y);
POLVEX_API void SetClipDistance(float distance);        /* near-plane depth, > 0 */
POLVEX_API float GetClipDistance(void);
POLVEX_API void SetModelMode(int32_t mode);             /* 0 wire, 1 solid, 2 halftone, ... */
POLVEX_API int32_t GetModelMode(void);
POLVEX_API void SetLight(const float *direction, float ambient); /* direction of travel */
POLVEX_API void GetLight(float *direction, float *ambient);
POLVEX_API float FSin(int32_t angle);                   /* 4096 units per turn */
POLVEX_API float FCos(int32_t angle);
POLVEX_API void SetVirtualScreen(HDC dc, void *bits, HBITMAP bitmap, void *unused,
                                 int32_t width, int32_t height, int32_t stride);
POLVEX_API void GetVirtualScreen(HDC *dc, void **bits, HBITMAP *bitmap, HPALETTE *palette);

/* ---- Frame buffer and palette --------------------------------------------------------- */

POLVEX_API HDC ResizePolvex(HWND window, int32_t width, int32_t height); /* memory DC */
POLVEX_API void PvPatBlt(uint32_t color);               /* clears the frame buffer */
POLVEX_API int32_t PvRealizePalette(HDC dc);            /* entries realised, or 0 */

/* ---- Text ----------------------------------------------------------------------------- */

/* Draws text anchored at (x, y) by a placement code; returns width | (uint64_t)height << 32.
 * textColor -1 measures only; backColor -1 is transparent. */
POLVEX_API uint64_t Font(HDC dc, int32_t x, int32_t y, const char *placement,
                         const char *text, int32_t textColor, int32_t backColor,
                         const char *faceName, int32_t height);

/* ---- Data files and models ------------------------------------------------------------ */

POLVEX_API int32_t ReadDataInt(int32_t **data, const char *fileName, const char *tagName);
POLVEX_API int32_t ReadDataFloat(float **data, const char *fileName, const char *tagName);
POLVEX_API void FreeObjectData(ObjectData *object);
POLVEX_API int32_t SetObjectDataColor(ObjectData *object);         /* normals, pre-lit colours */
POLVEX_API int32_t SetObjectDataShadingVector(ObjectData *object); /* vertex normals */
POLVEX_API int32_t ReadObjectData(ObjectData *object, const char *fileName,
                                  const char *objectName);

/* ---- Placement ------------------------------------------------------------------------ */

POLVEX_API void SetObjectStruct(ObjectStruct *record, int32_t visible, int32_t lighting,
                                float x, float y, float z, int32_t yaw, int32_t pitch,
                                int32_t roll, ObjectData *objectData);
POLVEX_API void LookAt(ObjectStruct *record, const float *point); /* aims yaw and pitch */

/* ---- Point queries -------------------------------------------------------------------- */

POLVEX_API void Set2DObjectPointProc(PvObjectPointProc proc);
POLVEX_API void GetRotatedObjectPoints(const ObjectStruct *record, const int32_t *indices,
                                       Vector3 *out);
POLVEX_API void GetRotatedObjectPoint(const ObjectStruct *record, int32_t index, Vector3 *out);
POLVEX_API int32_t Get2DObjectPoint(const ObjectStruct *array, int32_t i, int32_t vertex,
                                    int32_t *out);
POLVEX_API int32_t IsObversePolygon(const ObjectStruct *array, int32_t i, float *out);
POLVEX_API int32_t Get2DPoint(const ObjectStruct *camera, const float *point, int32_t *out);
POLVEX_API void Get2DPoints(const ObjectStruct *camera, const float *points, int32_t count,
                            int32_t *out);

/* ---- Rendering ------------------------------------------------------------------------ */

POLVEX_API int32_t Polvex(int32_t count, const ObjectStruct *array); /* polygons drawn */

/* ---- Polygon fillers ------------------------------------------------------------------ */

POLVEX_API void PvFillPolygon(const POINT *points, int32_t count, uint32_t color);
POLVEX_API void PvFillPolygonHalftone(const POINT *points, int32_t count, uint32_t color);
POLVEX_API void PvFillPolygonGouraudShading(const POINT *points, int32_t count,
                                            const uint32_t *colors);

#ifdef __cplusplus
}
#endif

#endif /* POLVEX_POLVEX_H */
