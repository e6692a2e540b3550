#pragma once

#include <array>

// One family of smooth humanoid surfaces on a common parameter domain. A point of the domain is
// a part (body tube from crotch to crown, or one leg from sole to hip) and (u, v) in [0,1]^2:
// u runs once around the part, v along it. The same (part, u, v) is the same anatomical spot on
// every member of the family, so the difference of two members at a parameter is a morph delta.

namespace cg {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }

enum class Part { Body = 0, LeftLeg = 1, RightLeg = 2 };

struct SurfaceParam {
    Part part = Part::Body;
    double u = 0;
    double v = 0;
};

// Parameter ranges along the body tube that every member shares: below the neck is torso,
// between the two is neck, above is head.
constexpr double kNeckBaseV = 0.66;
constexpr double kHeadBaseV = 0.78;

// The shape of one family member, in cm. The figure faces +Z, its left side is +X.
struct Proportions {
    double height = 171;      // crown
    double hipJointY = 88;    // thigh joint centre height
    double hipJointX = 9.2;   // thigh joint centre distance from the mid plane
    double crotchY = 80;      // bottom of the body tube
    double pelvisW = 17, pelvisD = 11;
    double waistW = 13.5, waistD = 9.5;
    double chestW = 16, chestD = 11;
    double shoulderW = 19, shoulderD = 9;
    double neckR = 5.5, neckLen = 8;
    double headW = 7.6, headD = 9.5, headH = 23;
    double headForward = 1.5;
    double bust = 1.0, belly = 0.5, glutes = 2.0, nose = 0.8;
    double thighR = 8, kneeR = 5.2, calfR = 5.5, ankleR = 3.5, footLen = 12;
};

// The rest surface point of a member at a parameter.
Vec3 evaluateSurface(const Proportions& prop, const SurfaceParam& param);

// Bones of every member, in hierarchy order (hip first, its children after).
enum Bone { Hip = 0, LeftThigh, RightThigh, Head, BoneCount };
const char* boneName(int bone);
// Index of the parent bone, -1 for the root.
int boneParent(int bone);
Vec3 boneCenter(const Proportions& prop, int bone);

// Linear blend skin weights on the domain (they sum to 1).
std::array<double, BoneCount> skinWeights(const SurfaceParam& param);

// The head-split influence: 1 on the head, 0 below the neck, a smooth ramp across the neck.
double headSplitWeight(const SurfaceParam& param);

// Rotations (degrees, applied Rz*Ry*Rx) of the bones; a pose.
struct Pose {
    std::array<Vec3, BoneCount> rotation{};
};

// Skins a rest point with the weights of its parameter: each bone turns about its centre, on
// top of the bones above it.
Vec3 skinPoint(const Proportions& prop, const Pose& pose, const SurfaceParam& param,
               const Vec3& restPoint);

} // namespace cg
