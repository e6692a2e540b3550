#pragma once

#include <vector>

#include "vec3.h"

// Scalar building blocks of the figures' surfaces and of the morphs' regions. Every bump here
// is zero outside a bounded support, so whatever they shape stays where it is put.

namespace cg {

// 0 below e0, 1 above e1, a C1 cubic between.
double smoothstep(double e0, double e1, double x);

// 1 for |t| <= plateau, 0 for |t| >= 1, falling smoothly (C1) between.
double plateau(double t, double plateau);

// (1 - t^2)^3 for |t| < 1, else 0: a C2 bump of height 1 at 0.
double bump(double t);

// bump of the distance from the origin in a plane, each axis scaled by its own radius.
double bump2(double dx, double rx, double dy, double ry);

// The signed difference a - b of two angles, in (-pi, pi].
double angleBetween(double a, double b);

// Shape-preserving cubic through (knots[i], values[i]): smooth, and monotone where the data is,
// so rings along a part never fold over each other. Constant beyond the ends.
class Profile {
public:
    Profile() = default;
    Profile(std::vector<double> knots, std::vector<double> values);
    double operator()(double x) const;

private:
    std::vector<double> _knots, _values, _slopes;
};

} // namespace cg
