#include "surfaces.h"

#include <cmath>

#include "shaping.h"

namespace cg {
namespace {

enum Surface { Skin, Lips, Eyes, Fingernails };

// The lips: an oval on the front of the head around the mouth line, kLipsHalfAngle wide
// (radians around the head) and from the lower lip's underside to the upper lip's top.
constexpr double kLipsHalfAngle = 0.36, kLipsBottomH = 0.165, kLipsTopH = 0.265;
// A nail covers the back of the last segment, short of the tip.
constexpr double kNailHalfAngle = 0.8, kNailStartV = 0.80, kNailEndV = 0.965;

bool onLips(double u, double v)
{
    const double across = angleBetween(2 * kPi * u, kPi / 2) / kLipsHalfAngle;
    const double mid = 0.5 * (kLipsBottomH + kLipsTopH), half = 0.5 * (kLipsTopH - kLipsBottomH);
    const double up = (headH(v) - mid) / half;
    return across * across + up * up <= 1;
}

bool onNail(double u, double v)
{
    // The back of a digit is its normal side, at u = 1/4 on either hand.
    return v > kNailStartV && v < kNailEndV &&
           std::abs(angleBetween(2 * kPi * u, kPi / 2)) < kNailHalfAngle;
}

} // namespace

const QStringList& surfaceNames()
{
    static const QStringList names = {QStringLiteral("Skin"), QStringLiteral("Lips"),
                                      QStringLiteral("Eyes"), QStringLiteral("Fingernails")};
    return names;
}

int surfaceOf(Part part, double u, double v)
{
    switch (kindOf(part)) {
    case PartKind::Eye:
        return Eyes;
    case PartKind::Head:
        return onLips(u, v) ? Lips : Skin;
    case PartKind::Digit:
        return onNail(u, v) ? Fingernails : Skin;
    default:
        return Skin;
    }
}

} // namespace cg
