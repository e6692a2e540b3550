#include "vec3.h"

namespace cg {

Vec3 rotated(Vec3 v, Vec3 axis, double degrees)
{
    // Rodrigues' formula.
    const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1 - c));
}

} // namespace cg
