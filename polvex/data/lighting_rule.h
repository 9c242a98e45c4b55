// The library's lighting rule, shared by the load-time pre-lit colours and the per-frame
// lighting: an intensity from ambient, diffuse and highlight terms, and the colour it gives.
#pragma once

#include <cstdint>

#include "polvex/polvex.h"

namespace pv {

// Intensity 0 to 2 for unit normal n, unit light direction light (the way the light travels)
// and unit half vector half; the highlight term is added only when takeHighlight is set.
float ShadeIntensity(const Vector3 &n, const Vector3 &light, const Vector3 &half,
                     bool takeHighlight, float highlight);

// The colour of a material colour under intensity, as 0x00BBGGRR: darkened toward black up to
// 1, brightened toward white above it.
uint32_t ShadeColor(float intensity, ColorBytes color);

}  // namespace pv
