#include <algorithm>
#include <cmath>

#include "figure_shape.h"

namespace cg {
namespace {

// Face landmarks on the front of the head: x (cm on the reference head) and h.
struct FaceSpot {
    Landmark which;
    double x, h;
};
const FaceSpot kFaceSpots[] = {
    {Landmark::NoseTip, 0, kNoseTipH},         {Landmark::NoseBridge, 0, kEyeH},
    {Landmark::Nostril, 1.2, kNoseBaseH},      {Landmark::Mouth, 0, kMouthH},
    {Landmark::LipUpper, 0, kLipUpperH},       {Landmark::LipLower, 0, kLipLowerH},
    {Landmark::MouthCorner, 2.4, kMouthH},     {Landmark::Chin, 0, kChinH},
    {Landmark::Jaw, 5.0, 0.13},                {Landmark::Cheekbone, 4.5, kCheekboneH},
    {Landmark::Cheek, 3.6, 0.30},              {Landmark::Brow, 2.9, kBrowH},
    {Landmark::BrowInner, 1.3, kBrowH - 0.01}, {Landmark::BrowOuter, 4.6, kBrowH},
    {Landmark::Forehead, 0, kForeheadH},
};

// Torso landmarks: the surface point at an angle (0 is the left side, pi/2 the front) and v,
// or the spine point at v when `onSpine`.
struct TorsoSpot {
    Landmark which;
    double theta, v;
    bool onSpine;
};
const TorsoSpot kTorsoSpots[] = {
    {Landmark::NeckBase, 0, kTorsoChestEndV, true},
    {Landmark::NeckFront, kPi / 2, 0.84, false},
    {Landmark::Trapezius, 0.3, 0.78, false},
    {Landmark::Bust, kPi / 2 - 0.45, 0.58, false},
    {Landmark::Navel, kPi / 2, 0.29, false},
    {Landmark::Waist, 0, 0.30, true},
    {Landmark::HipSide, 0, 0.07, false},
    {Landmark::Pelvis, 0, 0.06, true},
    {Landmark::Glute, -kPi / 2 + 0.5, 0.05, false},
};

// Limb landmarks: a joint of the arm or the leg (the start of a tube segment), or a spot on
// the limb's surface at (theta, v).
struct LimbSpot {
    Landmark which;
    Part part;
    int joint; // -1: a surface spot
    double theta, v;
};
const LimbSpot kLimbSpots[] = {
    {Landmark::Shoulder, Part::LeftArm, kShoulderJoint, 0, 0},
    {Landmark::Wrist, Part::LeftArm, kWristJoint, 0, 0},
    {Landmark::Knee, Part::LeftLeg, kKneeJoint, 0, 0},
    {Landmark::Ankle, Part::LeftLeg, kAnkleJoint, 0, 0},
    {Landmark::Heel, Part::LeftLeg, -1, -kPi / 2, kLegFootEndV},
    {Landmark::Ball, Part::LeftLeg, -1, -kPi / 2, 0.08},
};

constexpr double kReferenceHeadW = 7.6;

Frame worldFrame(Vec3 origin)
{
    return {origin, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
}

double uOf(double theta)
{
    const double u = theta / (2 * kPi);
    return u - std::floor(u);
}

} // namespace

Part landmarkPart(Landmark which)
{
    for (const TorsoSpot& spot : kTorsoSpots)
        if (spot.which == which)
            return Part::Torso;
    for (const LimbSpot& spot : kLimbSpots)
        if (spot.which == which)
            return spot.part;
    return Part::Head; // the face, the ears, the crown and the eyes
}

Frame FigureShape::surfaceFrame(Part part, double u, double v) const
{
    Frame f = spineFrame(part, v);
    f.origin = restPoint({part, u, v});
    return f;
}

Frame FigureShape::landmark(Landmark which) const
{
    if (which == Landmark::EyeCentre)
        return worldFrame(_face.eyeCentre());
    if (which == Landmark::Crown)
        return worldFrame(_head.frameAt(1).origin);
    if (which == Landmark::Ear) {
        const double v = headV(kEarH);
        const Frame f = _head.frameAt(v);
        const Section sec = _head.sectionAt(v);
        const double depth = sec.halfNormalNeg;
        const double s = std::clamp((_face.earZ() - f.origin.z - sec.offsetNormal) / depth, -1.0, 1.0);
        return worldFrame(restPoint({Part::Head, uOf(std::asin(s)), v}));
    }
    for (const FaceSpot& spot : kFaceSpots)
        if (spot.which == which) {
            const double v = headV(spot.h);
            const double x = spot.x * _prop.headW / kReferenceHeadW;
            const double c = std::clamp(x / _head.sectionAt(v).halfSide, -1.0, 1.0);
            return worldFrame(restPoint({Part::Head, uOf(std::acos(c)), v}));
        }
    for (const TorsoSpot& spot : kTorsoSpots)
        if (spot.which == which) {
            if (spot.onSpine)
                return worldFrame(_torso.frameAt(spot.v).origin);
            return worldFrame(restPoint({Part::Torso, uOf(spot.theta), spot.v}));
        }
    for (const LimbSpot& spot : kLimbSpots)
        if (spot.which == which) {
            const Tube& tube = tubeOf(spot.part);
            if (spot.joint >= 0)
                return tube.frameAt(tube.segmentStart(spot.joint));
            return surfaceFrame(spot.part, uOf(spot.theta), spot.v);
        }
    return worldFrame({});
}

} // namespace cg
