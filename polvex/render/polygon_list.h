// The per-frame polygon list: filling and completing entries, the depth order, and the output
// pass that draws the list in the current rendering mode.
#pragma once

#include <cstdint>

#include "polvex/polvex.h"
#include "render/lighting_frame.h"
#include "render/polygon_entry.h"

namespace pv {

// Messages of the polygon list.
inline constexpr const char kListFullMessage[] = "１画面に表示できる最大ポリゴン数\n%dを越えました。";
inline constexpr const char kBadModelModeMessage[] = "ModelModeが不正です。";
inline constexpr const char kDumpOpenMessage[] = "'POLVEX.3DQ'がオープンできません。";

// Fills entry n with polygon j of object i from its projected corners: points, the largest
// corner depth, the corner count; the corner colours are left to AddPolygon.
void ListPolygon(const ObjectStruct *array, int32_t i, int32_t j, int32_t n);

// Completes entry n with the colours the current mode needs. 1: the entry counts; 0: it has
// fewer than 3 corners and the next polygon overwrites it.
int AddPolygon(const ObjectStruct *array, int32_t i, int32_t j, int32_t n, float halfLength,
               const LightingFrame &frame);

// b.depth - a.depth truncated toward zero: negative when a is at least 1 farther than b.
// Not a strict weak ordering, so it is never handed to a sorting routine; SortByDepth orders
// the list in a way that meets it.
int DepthOrder(const PolygonEntry &a, const PolygonEntry &b);

// Writes into order the indices 0 to count - 1 of the list, farthest depth first and ties in
// list order. A depth that is not a number sorts as the farthest. Allocates nothing.
void SortByDepth(const PolygonEntry *list, int32_t count, uint16_t *order);

// Draws the first count entries in the current modelMode; runs for empty frames too.
void OutputPolygons(int32_t count);

}  // namespace pv
