#include "body_tubes.h"

namespace cg {
namespace {

// The hand's frame is the arm's near the end of the palm: along the hand, `side` towards the
// thumb, `normal` out of the back of the hand.
constexpr double kHandFrameV = 0.95;
// The knuckles lie across the palm here; the thumb's root is near the wrist.
constexpr double kKnuckleLineV = 0.97, kThumbRootV = 0.87;
// Palm sizes that the layout below is measured on (Genesis 9's).
constexpr double kReferencePalmW = 4.3, kReferencePalmD = 1.4;

// One digit at rest: where it leaves the palm (across the palm towards the thumb, cm), how far it
// turns towards the thumb (degrees) and towards the palm at each joint, its radius at the
// knuckle and the lengths of its base inside the palm and of its three segments.
struct DigitLayout {
    Digit digit;
    double across, spread;
    double curl[3];
    double radius;
    double baseLength;
    double length[3];
};
// The thumb's root and direction are placed apart (below); its `across` and `spread` are unused.
const DigitLayout kDigits[] = {
    {Digit::Thumb, 0, 0, {6, 10, 12}, 1.05, 2.5, {4.2, 3.0, 2.6}},
    {Digit::Index, 3.0, 5, {8, 12, 8}, 0.82, 2.0, {4.2, 2.5, 2.1}},
    {Digit::Middle, 1.0, 1.5, {8, 12, 8}, 0.86, 2.0, {4.6, 2.8, 2.3}},
    {Digit::Ring, -1.0, -2.5, {9, 13, 9}, 0.80, 2.0, {4.3, 2.7, 2.2}},
    {Digit::Pinky, -2.9, -7, {10, 14, 9}, 0.70, 2.0, {3.4, 2.0, 1.9}},
};

const DigitLayout& layoutOf(Digit digit)
{
    for (const DigitLayout& layout : kDigits)
        if (layout.digit == digit)
            return layout;
    return kDigits[0];
}
// The knuckles stand a little towards the back of the hand.
constexpr double kKnuckleBack = 0.2;
// The thumb's root, across the palm (in palm widths) and towards the palm (in palm depths); it
// points towards the thumb side and the palm.
constexpr double kThumbAcross = 0.55, kThumbDown = 0.25;
constexpr double kThumbSpread = 26, kThumbTilt = 18;
constexpr double kDigitBlend = 0.5;

// Cross-sections along a finger as shares of its radius: side, back, palm side.
struct DigitStation {
    double v, side, back, front;
};
const DigitStation kFingerStations[] = {
    {0.00, 0.60, 0.55, 0.55}, {0.08, 0.95, 0.85, 0.90}, {kDigitKnuckleV, 1.0, 0.88, 0.95},
    {0.34, 0.96, 0.85, 0.90}, {kDigitMiddleV, 0.90, 0.80, 0.85}, {0.64, 0.86, 0.78, 0.84},
    {kDigitDistalV, 0.83, 0.76, 0.80}, {0.88, 0.82, 0.72, 0.80}, {1.00, 0.78, 0.70, 0.75},
};
const DigitStation kThumbStations[] = {
    {0.00, 0.70, 0.65, 0.65}, {kThumbBaseV, 1.15, 1.05, 1.15}, {0.30, 1.10, 0.98, 1.05},
    {kThumbMiddleV, 0.98, 0.88, 0.95}, {0.62, 0.95, 0.85, 0.92}, {kThumbDistalV, 0.93, 0.82, 0.9},
    {0.88, 0.90, 0.78, 0.88}, {1.00, 0.85, 0.74, 0.82},
};

} // namespace

TubePlan digitPlan(const Proportions& p, const Tube& arm, Digit digit)
{
    const Frame hand = arm.frameAt(kHandFrameV);
    const double widthScale = p.palmW / kReferencePalmW, depthScale = p.palmD / kReferencePalmD;
    const bool thumb = digit == Digit::Thumb;
    const DigitLayout& layout = layoutOf(digit);
    Vec3 root, direction;
    if (thumb) {
        root = arm.frameAt(kThumbRootV).origin + hand.side * (kThumbAcross * p.palmW) -
               hand.normal * (kThumbDown * p.palmD);
        direction = turnedToward(turnedToward(hand.along, hand.side, kThumbSpread),
                                 hand.normal * -1, kThumbTilt);
    } else {
        const Vec3 knuckle = arm.frameAt(kKnuckleLineV).origin +
                             hand.side * (layout.across * widthScale) +
                             hand.normal * (kKnuckleBack * depthScale);
        direction = turnedToward(hand.along, hand.side, layout.spread);
        root = knuckle - direction * (layout.baseLength * p.fingerLen);
    }
    const double vEnds[4] = {thumb ? kThumbBaseV : kDigitKnuckleV,
                             thumb ? kThumbMiddleV : kDigitMiddleV,
                             thumb ? kThumbDistalV : kDigitDistalV, 1.0};
    TubePlan plan;
    plan.start = root;
    plan.side = hand.side;
    plan.segments.push_back({direction, layout.baseLength * p.fingerLen, vEnds[0], 0});
    Vec3 d = direction;
    for (int j = 0; j < 3; ++j) {
        d = turnedToward(d, hand.normal * -1, layout.curl[j]);
        plan.segments.push_back({d, layout.length[j] * p.fingerLen, vEnds[j + 1], kDigitBlend});
    }
    const double r = layout.radius * p.fingerR;
    auto addStations = [&](const auto& stations) {
        for (const DigitStation& s : stations)
            plan.stations.push_back({s.v, {s.side * r, s.back * r, s.front * r, 0, 0}});
    };
    if (thumb)
        addStations(kThumbStations);
    else
        addStations(kFingerStations);
    plan.caps = capsOf(digitPart(Side::Left, digit));
    return plan;
}

} // namespace cg
