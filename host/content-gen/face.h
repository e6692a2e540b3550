#pragma once

#include "proportions.h"
#include "tube.h"

// The face on the head's tube and the two eyes. Features are offsets along the head's radial
// directions: nose, lips with the mouth between them, chin, cheekbones, brows, ears, and the
// eye sockets with their lids. Each eye is a closed surface of its own, an ellipsoid as wide as
// the eye's opening, that sits in its socket without touching it: along every radial ray that
// meets the eye the socket lies at least kEyeGap behind it.
//
// Face positions are given as (x, h): x in cm from the mid plane, h the height above the chin
// in head heights (see headV in anatomy.h).

namespace cg {

// Clearance between an eyeball and its socket, cm.
constexpr double kEyeGap = 0.15;

class Face {
public:
    Face() = default;
    Face(const Proportions& prop, const Tube& head);

    // How far the features push the head's base point out along `radial` (negative: in).
    double bulge(const Vec3& base, const Vec3& radial, double theta, double v) const;

    // The left eye (the right one is its mirror image): centre, half width, height and depth.
    Vec3 eyeCentre() const { return _eyeCentre; }
    Vec3 eyeRadii() const { return _eyeRadii; }
    Vec3 eyePoint(double u, double v) const;

    // How far forward (z) the left ear's centre lies, for its landmark.
    double earZ() const { return _earZ; }

private:
    double frontFeatures(double x, double h) const;
    double ear(double z, double h) const;
    double socket(const Vec3& base, const Vec3& radial, const Vec3& eye) const;

    double _scale = 1, _widthScale = 1;
    double _nose = 0, _lips = 1, _ears = 1, _chin = 1;
    double _eyeDepth = 0.9;
    Vec3 _eyeCentre;
    Vec3 _eyeRadii{1.2, 0.66, 0.96};
    double _earZ = 0;
};

} // namespace cg
