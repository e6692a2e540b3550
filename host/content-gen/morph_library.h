#pragma once

#include <vector>

#include "regional_morph.h"

// The library of regional morphs every source figure kind carries, installed as a product of
// its own: the face's and the body's. Names, labels and groups are a product's; the terms
// are measured on the figures and act on the left side and, mirrored, the right.

namespace cg {

const std::vector<RegionalMorph>& headMorphs();
const std::vector<RegionalMorph>& bodyMorphs();
// Both, face first.
std::vector<const RegionalMorph*> regionalMorphs();

// Where the library installs: below the figure's Morphs folder.
extern const char* const kLibraryVendor;
extern const char* const kLibraryProduct;

// Shorthands for the tables.
namespace terms {

inline Region around(Landmark centre, Vec3 radii, std::vector<Part> parts)
{
    Region r;
    r.kind = Region::Around;
    r.centre = centre;
    r.radii = radii;
    r.parts = std::move(parts);
    return r;
}

inline Region reaching(Region r, double reach)
{
    r.reach = reach;
    return r;
}

inline Region along(std::vector<Part> parts, double v0, double v1, double falloff)
{
    Region r;
    r.kind = Region::Along;
    r.parts = std::move(parts);
    r.v0 = v0, r.v1 = v1, r.falloff = falloff;
    return r;
}

inline Region facing(Region r, double theta, double halfAngle, double angleFalloff)
{
    r.theta = theta, r.halfAngle = halfAngle, r.angleFalloff = angleFalloff;
    return r;
}

inline Anchor at(Landmark landmark)
{
    Anchor a;
    a.landmark = landmark;
    return a;
}

inline Anchor atDigit(Digit digit, int joint)
{
    Anchor a;
    a.onDigit = true;
    a.digit = digit;
    a.joint = joint;
    return a;
}

inline Term make(Term::Action action, Region region, Anchor anchor, Vec3 amount)
{
    Term t;
    t.action = action;
    t.region = std::move(region);
    t.anchor = anchor;
    t.amount = amount;
    return t;
}

// Moves along the anchor's frame.
inline Term move(Region region, Anchor anchor, Vec3 cm) { return make(Term::Move, std::move(region), anchor, cm); }
// Moves along the world's axes.
inline Term shift(Region region, Vec3 cm)
{
    Term t = make(Term::Move, std::move(region), {}, cm);
    t.worldAxes = true;
    return t;
}
inline Term scale(Region region, Anchor anchor, Vec3 growth)
{
    return make(Term::Scale, std::move(region), anchor, growth);
}
// Scales along the world's axes about the anchor.
inline Term scaleWorld(Region region, Anchor anchor, Vec3 growth)
{
    Term t = make(Term::Scale, std::move(region), anchor, growth);
    t.worldAxes = true;
    return t;
}
inline Term inflate(Region region, double growth)
{
    return make(Term::Inflate, std::move(region), {}, {growth, 0, 0});
}
inline Term bothSides(Term t)
{
    t.bothSides = true;
    return t;
}
inline Term sparingEyes(Term t)
{
    t.spareEyes = true;
    return t;
}

} // namespace terms
} // namespace cg
