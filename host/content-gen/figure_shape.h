#pragma once

#include <array>

#include "anatomy.h"
#include "face.h"
#include "proportions.h"
#include "tube.h"

namespace cg {

// Named spots of a figure's left side (or its middle), where morphs take hold. Their frame is
// the world's (x left, y up, z forward) unless the spot lies on a limb, where it is the limb's
// own (side, along, normal).
enum class Landmark {
    EyeCentre, NoseTip, NoseBridge, Nostril, Mouth, LipUpper, LipLower, MouthCorner, Chin,
    Jaw, Cheekbone, Cheek, Brow, BrowInner, BrowOuter, Ear, Forehead, Crown,
    NeckBase, NeckFront, Trapezius, Shoulder, Wrist,
    Bust, Navel, Waist, HipSide, Pelvis, Glute, Knee, Ankle, Heel, Ball,
};

// The part a landmark lies on (the left one, for a limb's).
Part landmarkPart(Landmark which);

// One figure of the family built from its proportions: every part's tube, its face and eyes.
// Answers where any surface parameter lies at rest, and where its landmarks and joints are.
class FigureShape {
public:
    explicit FigureShape(const Proportions& prop);

    const Proportions& proportions() const { return _prop; }
    // The rest surface point at a parameter.
    Vec3 restPoint(const SurfaceParam& param) const;
    // The frame of a part's spine at v (right parts: the mirror of the left's).
    Frame spineFrame(Part part, double v) const;
    // A landmark of the left side or the middle.
    Frame landmark(Landmark which) const;
    // Joint `joint` (0 base in the palm, 1 knuckle, 2, 3) of a left digit, in the digit's frame.
    Frame digitJoint(Digit digit, int joint) const;
    // Joint `index` (the start of segment `index`) of a left limb's or the torso's tube.
    Vec3 jointPoint(Part part, int index) const;
    const Face& face() const { return _face; }

private:
    const Tube& tubeOf(Part leftOrMiddle) const;
    Vec3 leftPoint(const SurfaceParam& param) const;
    Frame surfaceFrame(Part part, double u, double v) const;

    Proportions _prop;
    Tube _torso, _head, _arm, _leg;
    std::array<Tube, kDigitCount> _digits;
    Face _face;
};

} // namespace cg
