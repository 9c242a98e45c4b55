// Near-plane clipping of the polygons of an object whose bounding sphere reaches the plane:
// the part at or beyond clipDistance is kept, new corners are projected at the clip depth.
#pragma once

#include <cstdint>

#include "polvex/polvex.h"
#include "render/lighting_frame.h"

namespace pv {

// Fills entry n with polygon j of object i, whole or cut. 1: entry n holds it (AddPolygon
// completes it); 0: the polygon lies wholly behind the plane and nothing was written.
int ClipPolygonFlat(const ObjectStruct *array, int32_t i, int32_t j, float cx, float cy, int32_t n);

// The Gouraud form. 1: the polygon is wholly in front and entry *polygonCount was filled as
// ListPolygon fills it; 0: it is wholly behind (nothing written), or it was cut and listed
// completely with its corner colours and *polygonCount was advanced.
int ClipPolygonGouraud(const ObjectStruct *array, int32_t i, int32_t j, float cx, float cy,
                       int32_t *polygonCount, const LightingFrame &frame, float halfLength);

// The colour of a crossing, measured from the corner in front toward the corner behind it at
// the fraction t of that edge: per channel inFront + (behind - inFront) x t, truncated.
uint32_t CrossingColor(uint32_t inFront, uint32_t behind, float t);

}  // namespace pv
