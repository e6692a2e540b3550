#include "view/viewshading.h"

#include <algorithm>

namespace {

struct Light {
    DzVec3 direction;  // toward the light, unit length
    float intensity;
};

DzVec3 unit(float x, float y, float z)
{
    const DzVec3 v(x, y, z);
    return v * (1.0f / v.length());
}

const Light kKey{unit(-0.45f, 0.55f, 0.70f), 0.72f};
// Blinn's half vector between the key and the way to the eye (+z).
const DzVec3 kKeyHalf = unit(kKey.direction.m_x, kKey.direction.m_y, kKey.direction.m_z + 1.0f);
const Light kFill{unit(0.65f, -0.05f, 0.45f), 0.28f};
constexpr float kAmbient = 0.22f;
constexpr float kHighlight = 0.12f;
// The highlight falls off as cos^32, taken by squaring five times.
constexpr int kHighlightSquarings = 5;

} // namespace

namespace ViewShading {

ViewColor shade(const DzVec3& normal, const ViewColor& albedo)
{
    const float diffuse = kAmbient + kKey.intensity * std::max(0.0f, normal.dot(kKey.direction))
                          + kFill.intensity * std::max(0.0f, normal.dot(kFill.direction));
    float falloff = std::max(0.0f, normal.dot(kKeyHalf));
    for (int i = 0; i < kHighlightSquarings; ++i)
        falloff *= falloff;
    const float highlight = kHighlight * falloff;
    return albedo * diffuse + ViewColor{highlight, highlight, highlight};
}

} // namespace ViewShading
