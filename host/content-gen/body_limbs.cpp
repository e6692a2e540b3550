#include <cmath>

#include "body_tubes.h"

namespace cg {
namespace {

// The collarbone starts inside the chest, near the mid plane, below the base of the neck, and
// ends in the shoulder joint inside the top of the arm.
const Vec3 kCollarboneStart = {1.5, 0.5, -1.0};    // x, and y, z from the neck's base
constexpr double kShoulderJointIn = 3.5;           // inside the outer shoulder
const Vec3 kShoulderJointDrop = {0, -2.5, -1.5};   // y, z from the neck's base
// How far (cm) the arm's spine takes to turn at each joint: shoulder, elbow, wrist.
constexpr double kShoulderBlend = 5, kElbowBlend = 3, kWristBlend = 2;

// The leg's joints below the hip joint, as shares of the hip joint's height or of the foot's
// length: knee, the bend at the ankle, and the tip of the foot in front of it.
constexpr double kKneeHeight = 0.52, kKneeIn = 0.8, kKneeForward = 0.6;
constexpr double kAnkleBendHeight = 0.2, kAnkleIn = 1.1, kAnkleBack = -1.0;
constexpr double kToeOut = 0.4, kToeDrop = 0.12, kToeForward = 0.76;
constexpr double kAboveHipJoint = 5;
constexpr double kAnkleBlend = 4.5, kKneeBlend = 4, kHipBlend = 1;
// Foot widths are measured on a reference foot of this half width.
constexpr double kReferenceFootW = 4.5;

} // namespace

Vec3 turnedToward(Vec3 v, Vec3 towards, double degrees)
{
    const Vec3 dir = normalized(v);
    const Vec3 across = normalized(towards - dir * dot(towards, dir));
    const double a = degrees * kPi / 180;
    return dir * std::cos(a) + across * std::sin(a);
}

TubePlan armPlan(const Proportions& p)
{
    const Vec3 neckBase{0, neckBaseY(p), 0};
    const Vec3 root = neckBase + kCollarboneStart;
    const Vec3 shoulder = neckBase + Vec3{p.shoulderW - kShoulderJointIn, 0, 0} + kShoulderJointDrop;
    const double angle = p.armAngle * kPi / 180;
    const Vec3 upper{std::cos(angle), -std::sin(angle), 0};
    const Vec3 fore = turnedToward(upper, {0, 0, 1}, p.elbowBend);
    TubePlan plan;
    plan.start = root;
    plan.side = {0, 0, 1};
    plan.segments = {{shoulder - root, length(shoulder - root), kArmShoulderEndV, 0},
                     {upper, p.upperArmLen, kArmUpperEndV, kShoulderBlend},
                     {fore, p.forearmLen, kArmForearmEndV, kElbowBlend},
                     {fore, p.handLen, 1, kWristBlend}};
    // Across the arm: side is front-back, normal is the outer side (+) and the inner side (-).
    const double a = p.upperArmR, f = p.forearmR;
    plan.stations = {
        {0.00, {2.0, 2.0, 2.0, 0, 0}},
        {0.05, {3.0, 2.6, 3.0, 0, 0}},
        {0.11, {a * 1.05, a, a * 0.85, 0, 0}},
        {kArmShoulderEndV, {a * 1.15, a * 1.1, a * 0.95, 0, 0}},
        {0.22, {a * 1.05, a * 1.05, a * 0.95, 0, 0}},
        {0.34, {a, a * 0.95, a * 0.95, 0, 0}},
        {0.46, {a * 0.82, a * 0.8, a * 0.8, 0, 0}},
        {kArmUpperEndV, {f * 0.85, f * 0.85, f * 0.82, 0, 0}},
        {0.57, {f, f * 0.88, f * 0.88, 0, 0}},
        {0.70, {f * 0.82, f * 0.7, f * 0.7, 0, 0}},
        {kArmForearmEndV, {p.wristW, p.wristD, p.wristD, 0, 0}},
        {0.87, {p.palmW * 0.92, p.palmD * 1.05, p.palmD * 1.1, 0, 0}},
        {0.93, {p.palmW, p.palmD, p.palmD, 0, 0}},
        {0.98, {p.palmW * 0.98, p.palmD * 0.95, p.palmD * 0.95, 0, 0}},
    };
    plan.caps = capsOf(Part::LeftArm);
    return plan;
}

TubePlan legPlan(const Proportions& p)
{
    const double x = p.hipJointX;
    const Vec3 hip{x, p.hipJointY, 0};
    const Vec3 knee{x - kKneeIn, kKneeHeight * p.hipJointY, kKneeForward};
    const Vec3 ankle{x - kAnkleIn, kAnkleBendHeight * p.footLen, kAnkleBack};
    const Vec3 toe = ankle + Vec3{kToeOut, -kToeDrop * p.footLen, kToeForward * p.footLen};
    TubePlan plan;
    plan.start = toe;
    plan.side = {1, 0, 0};
    plan.segments = {{ankle - toe, length(ankle - toe), kLegFootEndV, 0},
                     {knee - ankle, length(knee - ankle), kLegShinEndV, kAnkleBlend},
                     {hip - knee, length(hip - knee), kLegHipJointV, kKneeBlend},
                     {{0, 1, 0}, kAboveHipJoint, 1, kHipBlend}};
    // Across the leg: side is outwards, normal is the front (shin, top of the foot) and the
    // back (calf, heel, sole).
    const double w = p.footW / kReferenceFootW, ak = p.ankleR, c = p.calfR, k = p.kneeR, t = p.thighR;
    plan.stations = {
        {0.00, {3.0 * w, 1.0, 1.0, 0, 0}},
        {0.03, {3.8 * w, 1.25, 1.35, 0, 0}},
        {0.08, {4.5 * w, 1.7, 1.9, 0, 0}},
        {0.14, {4.0 * w, 2.5, 2.8, 0, 0}},
        {0.19, {3.5 * w, 3.1, 4.3, 0, 0}},
        {0.22, {ak * 1.05, ak * 1.05, ak * 1.35, 0, 0}},
        {0.27, {ak, ak * 0.95, ak * 1.1, 0, 0}},
        {0.40, {c * 0.95, c * 0.82, c * 1.2, 0, 0}},
        {0.50, {k * 0.95, k, k, 0, 0}},
        {kLegShinEndV, {k, k * 1.08, k * 0.95, 0, 0}},
        {0.64, {t * 0.75, t * 0.78, t * 0.75, 0, 0}},
        {0.78, {t * 0.9, t * 0.9, t * 0.9, 0, 0}},
        {0.90, {t, t * 0.95, t * 0.95, 0, 0}},
        {1.00, {t * 0.8, t * 0.75, t * 0.75, 0, 0}},
    };
    plan.caps = capsOf(Part::LeftLeg);
    return plan;
}

} // namespace cg
