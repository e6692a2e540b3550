#pragma once

#include <cmath>

// Points and directions in cm. The figure faces +Z, Y is up, its left side is +X.

namespace cg {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3& operator+=(Vec3& a, Vec3 b) { return a = a + b; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(Vec3 a) { return std::sqrt(dot(a, a)); }
inline Vec3 normalized(Vec3 a) { return a * (1 / length(a)); }
inline Vec3 lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }
// The mirror image across the figure's mid plane (x = 0).
inline Vec3 mirrored(Vec3 a) { return {-a.x, a.y, a.z}; }

constexpr double kPi = 3.14159265358979323846;

} // namespace cg
