// Per-object lighting and back-face steps of the renderer: the camera and the light turned into
// model coordinates, the facing test that marks the vertices in use, their projection, and the
// flat and per-corner colours of a listed polygon.
#pragma once

#include <cstdint>

#include "core/state.h"
#include "geometry/matrix.h"
#include "polvex/polvex.h"

namespace pv {

// The viewer and the light of one object, in its model coordinates.
struct LightingFrame {
    Vector3 eye;      // camera position relative to the object's origin (not normalised)
    Vector3 lightDir; // the library's light direction
    Vector3 half;     // unit half vector between the directions to the light and the viewer
};

// World-space vectors that SetupLightingFrame rotates in one pass: toCamera is written for each
// object, worldLight is the frame's copy of the light.
struct LightingScratch {
    Vector3 pair[2];
    Vector3 &toCamera() { return pair[0]; }
    Vector3 &worldLight() { return pair[1]; }
};

// The 3x3 block of out becomes the inverse of in's (the adjugate when the determinant is 0);
// the other entries of out are not written.
void InvertRotation(Matrix4 &out, const Matrix4 &in);

// out[k] = in[k] as a row vector times m's 3x3 block; out may not alias in.
void RotateVectors(const Matrix4 &m, const Vector3 *in, Vector3 *out, int n);

// Fills frame for array[i] placed by objectMatrix (only its 3x3 block is used) and returns the
// length of the half vector before normalisation; 0 switches the highlight off.
float SetupLightingFrame(LightingFrame &frame, const ObjectStruct *array, int32_t i,
                         const Matrix4 &objectMatrix, LightingScratch &scratch);

// The facing value of polygon j: greater than 0 when the camera is behind its plane.
inline float FacingValue(const ObjectData &model, const PlaneData &polygon, const Vector3 &eye) {
    const Vector3 &p = model.pnt[polygon.corner[0]];
    return (p.x - eye.x) * polygon.normal.x + (p.y - eye.y) * polygon.normal.y +
           (p.z - eye.z) * polygon.normal.z;
}

// True when a stored facing value means the polygon faces away. Zero of either sign is seen
// edge-on and drawn; a value that is not a number is drawn too, as its vertices are marked.
inline bool FacesAway(float facing) { return facing > 0.0f; }

// Stores every polygon's facing value and marks the vertices of the polygons that are drawn.
void MarkFacingPolygons(uint8_t *vertexUsed, float *polygonFacing, const ObjectStruct *array,
                        int32_t i, const Vector3 &eye);

// Transforms every marked vertex by modelToCamera into the view arrays and, when it is at or
// beyond the near plane, projects it about (cx, cy) into screenPoints.
void ProjectMarkedVertices(ScreenPoint *screenPoints, const ObjectStruct *array, int32_t i,
                           const Matrix4 &modelToCamera, float cx, float cy);

// The colour of a flat polygon: lit when the record's lighting flag is set, else pre-lit.
uint32_t ShadePolygonFlat(const ObjectStruct &record, const PlaneData &polygon,
                          const LightingFrame &frame, float halfLength);

// One lit colour per corner, in corner order, from the vertex shading vectors.
void ShadeCorners(const ObjectStruct &record, const PlaneData &polygon, const LightingFrame &frame,
                  float halfLength, uint32_t *out);

}  // namespace pv
