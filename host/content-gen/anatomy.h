#pragma once

#include <QString>
#include <vector>

// The parameter domain every figure of the family shares. A figure is a set of closed tubes
// (its parts); a point of it is a part and (u, v) in [0,1]^2 on that part's tube. The same
// (part, u, v) is the same anatomical spot on every member of the family, so the difference of
// two members at a parameter is a morph delta.
//
// Each part is cut along v into sections; a section belongs to one bone and gives its faces
// that bone's name as face group. The right-hand parts are the mirror images of the left ones:
// (right part, u, v) is the mirror of (left part, 0.5 - u, v).

namespace cg {

enum class Part {
    Torso, Head, LeftEye, RightEye,
    LeftArm, RightArm, LeftLeg, RightLeg,
    LeftThumb, LeftIndex, LeftMiddle, LeftRing, LeftPinky,
    RightThumb, RightIndex, RightMiddle, RightRing, RightPinky,
};
constexpr int kPartCount = int(Part::RightPinky) + 1;

enum class PartKind { Torso, Head, Eye, Arm, Leg, Digit };
enum class Side { Middle, Left, Right };
enum class Digit { Thumb, Index, Middle, Ring, Pinky };
constexpr int kDigitCount = int(Digit::Pinky) + 1;

PartKind kindOf(Part part);
Side sideOf(Part part);
Digit digitOf(Part part); // digits only
Part digitPart(Side side, Digit digit);
// The part on the other side (a middle part is its own mirror).
Part mirrorPart(Part part);
// The u of the mirror point on the mirror part.
double mirrorU(double u);

struct SurfaceParam {
    Part part = Part::Torso;
    double u = 0;
    double v = 0;
};
// The same spot on the other side of the figure.
SurfaceParam mirrorParam(const SurfaceParam& param);

// One stretch of a part along v: the part of the body (and face group) it belongs to, named
// without side prefix ("upperarm"; a digit's own stretches add the digit's name, "index" + "2",
// unless `ofHand`), where it ends, and its share of the part's rings.
struct SectionDef {
    const char* bone;
    double vEnd;
    double ringShare;
    bool ofHand = false; // a digit's root inside the palm belongs to the hand
};
const std::vector<SectionDef>& sectionsOf(Part part);

// The head's v is linear in height: h is the height above the chin in head heights, and the
// head's tube starts below the chin, inside the neck.
constexpr double kHeadPoleH = -0.11;
constexpr double headV(double h) { return (h - kHeadPoleH) / (1 - kHeadPoleH); }
constexpr double headH(double v) { return kHeadPoleH + v * (1 - kHeadPoleH); }
// The lines of the face's features, in h; the head's tessellations all put rings on them.
constexpr double kChinH = 0.075, kLipLowerH = 0.19, kMouthH = 0.215, kLipUpperH = 0.24;
constexpr double kNoseBaseH = 0.30, kNoseTipH = 0.345, kCheekboneH = 0.43, kEarH = 0.47;
constexpr double kEyeH = 0.50, kBrowH = 0.595, kForeheadH = 0.72;

// Where the digits' sections end (base inside the palm, then segments 1 to 3).
constexpr double kDigitKnuckleV = 0.16;
constexpr double kDigitMiddleV = 0.52;
constexpr double kDigitDistalV = 0.76;
// The thumb's base is shorter: it starts near the wrist.
constexpr double kThumbBaseV = 0.12;
constexpr double kThumbMiddleV = 0.50;
constexpr double kThumbDistalV = 0.75;
// Section ends of the torso, the arms and the legs.
constexpr double kTorsoHipEndV = 0.18, kTorsoAbdomenEndV = 0.42, kTorsoChestEndV = 0.80;
constexpr double kArmShoulderEndV = 0.15, kArmUpperEndV = 0.50, kArmForearmEndV = 0.82;
constexpr double kLegFootEndV = 0.20, kLegShinEndV = 0.56, kLegHipJointV = 0.92;

// How far (in v) a part's ends are rounded off, at v = 0 and at v = 1.
struct Caps {
    double bottom, top;
};
Caps capsOf(Part part);

// The joints of the parts' tubes: where each segment of a tube's spine begins (segment 0 begins
// at the tube's start).
enum TorsoJoint { kHipToAbdomen = 1, kAbdomenToChest, kChestToNeck };
enum ArmJoint { kShoulderJoint = 1, kElbowJoint, kWristJoint };
enum LegJoint { kAnkleJoint = 1, kKneeJoint, kThighTopJoint }; // a leg runs from the toes up
enum DigitJoint { kDigitRoot = 0, kKnuckleJoint, kMiddleJoint, kDistalJoint };

// The face group of a part's section at v, with its side prefix ("l_index2").
QString groupOf(Part part, double v);
QString sidePrefix(Side side);
QString digitName(Digit digit);

} // namespace cg
