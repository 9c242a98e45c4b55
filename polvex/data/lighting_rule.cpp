// The lighting rule: ambient, diffuse and highlight terms give an intensity from 0 to 2, and
// an intensity turns a material colour darker (up to 1) or brighter towards white (above 1).
#include "data/lighting_rule.h"

#include <cmath>

#include "core/state.h"

namespace pv {

float ShadeIntensity(const Vector3 &n, const Vector3 &light, const Vector3 &half,
                     bool takeHighlight, float highlight) {
    const float ambient = g_state.ambient;
    const float d = light.x * n.x + light.y * n.y + light.z * n.z;
    // The light travels along light, so a surface whose normal agrees with it is turned away.
    if (d > 0.0f) return ambient;
    float intensity = ambient + (1.0f - ambient) * std::fabs(d);
    if (takeHighlight) {
        const float hn = half.x * n.x + half.y * n.y + half.z * n.z;
        intensity += highlight * std::pow(hn, g_state.highlightPower);
    }
    if (intensity > 2.0f) intensity = 2.0f;
    // Written so that a NaN (from a non-unit or corrupt normal) also ends up as 0.
    if (!(intensity >= 0.0f)) intensity = 0.0f;
    return intensity;
}

namespace {

uint32_t ShadeChannel(float intensity, uint8_t c) {
    const float value = intensity <= 1.0f
                            ? static_cast<float>(c) * intensity
                            : (2.0f - intensity) * (static_cast<float>(c) - 255.0f) + 255.0f;
    return static_cast<uint32_t>(static_cast<int32_t>(value)) & 0xFFu;
}

}  // namespace

uint32_t ShadeColor(float intensity, ColorBytes color) {
    return ShadeChannel(intensity, color.red) | ShadeChannel(intensity, color.green) << 8 |
           ShadeChannel(intensity, color.blue) << 16;
}

}  // namespace pv
