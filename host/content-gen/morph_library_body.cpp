#include "morph_library.h"

namespace cg {

using namespace terms;

namespace {

const char* const kNeck = "/Actor/Body/Neck";
const char* const kShoulders = "/Actor/Body/Shoulders";
const char* const kArms = "/Actor/Body/Arms";
const char* const kHands = "/Actor/Body/Hands";
const char* const kFingers = "/Actor/Body/Hands/Fingers";
const char* const kChest = "/Actor/Body/Chest";
const char* const kWaist = "/Actor/Body/Waist";
const char* const kAbdomen = "/Actor/Body/Abdomen";
const char* const kHips = "/Actor/Body/Hips";
const char* const kGlutes = "/Actor/Body/Glutes";
const char* const kLegs = "/Actor/Body/Legs";
const char* const kFeet = "/Actor/Body/Feet";

const std::vector<Part> kTorso = {Part::Torso};
const std::vector<Part> kArm = {Part::LeftArm};
const std::vector<Part> kLeg = {Part::LeftLeg};
// Where two surfaces meet a morph moves both alike: a region reaching a junction holds both
// parts and moves them by one field of the world's space.
const std::vector<Part> kShoulderJunction = {Part::LeftArm, Part::Torso};
const std::vector<Part> kHipJunction = {Part::Torso, Part::LeftLeg};

// Around a limb's spine: 0 is the spine frame's side, pi/2 its normal. On the arm the side is
// the front and the normal the outside; on the leg the side is the outside and the normal the
// front.
constexpr double kArmFront = 0, kArmBack = kPi;
constexpr double kLegOutside = 0, kLegFront = kPi / 2, kLegInside = kPi, kLegBack = -kPi / 2;

// The torso's regions along its v: the neck between the collarbones and the jaw, the ribs
// below the armpits, the waist above the thighs.
Region neck() { return along(kTorso, 0.86, 0.88, 0.02); }
Region ribs() { return along(kTorso, 0.46, 0.62, 0.05); }
Region waist() { return along(kTorso, 0.24, 0.36, 0.05); }
Region bust() { return around(Landmark::Bust, {5, 5, 5}, kTorso); }
Region belly() { return around(Landmark::Navel, {6, 5, 5}, kTorso); }
// The hips and glutes with the tops of the thighs.
Region hips() { return around(Landmark::Pelvis, {22, 9, 16}, kHipJunction); }
Region hipSide() { return around(Landmark::HipSide, {7, 7, 9}, kHipJunction); }
Region glute() { return around(Landmark::Glute, {6.5, 6.5, 5.5}, kHipJunction); }

// The shoulder with the top of the chest.
Region shoulder() { return reaching(around(Landmark::Shoulder, {6, 8, 8}, kShoulderJunction), 1.8); }

// A region on one digit, or on all of them (the thumb too when `withThumb`).
Region digit(Digit d, double v0, double v1, double falloff)
{
    return along({digitPart(Side::Left, d)}, v0, v1, falloff);
}

// A digit grows out from beyond the palm; where it leaves the palm it stays, so the two move
// alike where they meet.
constexpr double kGrowthStart = 0.2, kGrowthFalloff = 0.08;
double knuckleOf(Digit d) { return d == Digit::Thumb ? kThumbBaseV : kDigitKnuckleV; }
Term lengthen(Digit d, double growth)
{
    return bothSides(scale(digit(d, knuckleOf(d) + kGrowthStart, 1, kGrowthFalloff), atDigit(d, kKnuckleJoint),
                           {0, growth, 0}));
}
Term thicken(Digit d, double growth)
{
    return bothSides(inflate(digit(d, knuckleOf(d) + kGrowthStart, 0.95, kGrowthFalloff), growth));
}

const Digit kFingerDigits[] = {Digit::Index, Digit::Middle, Digit::Ring, Digit::Pinky};

std::vector<Term> allFingers(Term (*each)(Digit, double), double growth)
{
    std::vector<Term> out;
    for (Digit d : kFingerDigits)
        out.push_back(each(d, growth));
    return out;
}

// The hand from the wrist on, digits and all, scaled about the wrist.
std::vector<Term> wholeHand(Vec3 growth)
{
    std::vector<Term> out = {bothSides(scale(along(kArm, 0.86, 1, 0.04), at(Landmark::Wrist), growth))};
    for (int d = 0; d < kDigitCount; ++d)
        out.push_back(bothSides(scale(digit(Digit(d), 0, 1, 0), at(Landmark::Wrist), growth)));
    return out;
}

// A scale of the hips, the tops of both thighs with them, about the mid plane.
std::vector<Term> aboutMidPlane(Vec3 growth)
{
    return {scaleWorld(hips(), at(Landmark::Pelvis), growth)};
}

// One digit's length and thickness morphs.
RegionalMorph digitLength(Digit d, const char* name, const char* label, bool small)
{
    return {name, label, kFingers, small, {lengthen(d, 0.12)}};
}
RegionalMorph digitThickness(Digit d, const char* name, const char* label, bool small)
{
    return {name, label, kFingers, small, {thicken(d, 0.1)}};
}

std::vector<RegionalMorph> buildBodyMorphs()
{
    return {
        {"body_ctrl_NeckSize", "Neck Size", kNeck, true, {inflate(neck(), 0.12)}},
        {"body_ctrl_NeckWidth", "Neck Width", kNeck, false, {scale(neck(), at(Landmark::NeckBase), {0.12, 0, 0})}},
        {"body_ctrl_NeckDepth", "Neck Depth", kNeck, false, {scale(neck(), at(Landmark::NeckBase), {0, 0, 0.12})}},
        {"body_ctrl_NeckFront", "Neck Front", kNeck, false,
         {shift(around(Landmark::NeckFront, {1.6, 1.2, 2.0}, kTorso), {0, 0, 0.35})}},

        {"body_ctrl_ShouldersWidth", "Shoulders Width", kShoulders, true, {bothSides(shift(shoulder(), {1.2, 0, 0}))}},
        {"body_ctrl_ShouldersHeight", "Shoulders Height", kShoulders, false,
         {bothSides(shift(shoulder(), {0, 0.8, 0}))}},
        {"body_ctrl_ShouldersDepth", "Shoulders Depth", kShoulders, false,
         {bothSides(shift(shoulder(), {0, 0, 0.8}))}},
        {"body_ctrl_ShouldersSize", "Shoulders Size", kShoulders, false,
         {bothSides(scaleWorld(shoulder(), at(Landmark::Shoulder), {0.1, 0.1, 0.1}))}},
        {"body_ctrl_TrapeziusSize", "Trapezius Size", kShoulders, false,
         {bothSides(shift(around(Landmark::Trapezius, {4, 2.5, 4}, kShoulderJunction), {0, 0.6, 0}))}},

        {"body_ctrl_UpperArmsSize", "Upper Arms Size", kArms, true, {bothSides(inflate(along(kArm, 0.30, 0.44, 0.06), 0.12))}},
        {"body_ctrl_BicepsSize", "Biceps Size", kArms, false,
         {bothSides(inflate(facing(along(kArm, 0.30, 0.42, 0.06), kArmFront, 0.6, 0.6), 0.15))}},
        {"body_ctrl_TricepsSize", "Triceps Size", kArms, false,
         {bothSides(inflate(facing(along(kArm, 0.30, 0.42, 0.06), kArmBack, 0.6, 0.6), 0.15))}},
        {"body_ctrl_ForearmsSize", "Forearms Size", kArms, true, {bothSides(inflate(along(kArm, 0.55, 0.72, 0.05), 0.12))}},
        {"body_ctrl_ElbowsSize", "Elbows Size", kArms, false, {bothSides(inflate(along(kArm, 0.48, 0.52, 0.04), 0.12))}},
        {"body_ctrl_WristsSize", "Wrists Size", kArms, false, {bothSides(inflate(along(kArm, 0.78, 0.83, 0.03), 0.12))}},

        {"body_ctrl_HandsSize", "Hands Size", kHands, true, wholeHand({0.1, 0.1, 0.1})},
        {"body_ctrl_HandsWidth", "Hands Width", kHands, false, wholeHand({0.12, 0, 0})},
        {"body_ctrl_HandsThickness", "Hands Thickness", kHands, false, wholeHand({0, 0, 0.15})},
        {"body_ctrl_PalmsLength", "Palms Length", kHands, false, wholeHand({0, 0.1, 0})},

        digitLength(Digit::Thumb, "body_ctrl_ThumbLength", "Thumb Length", true),
        digitThickness(Digit::Thumb, "body_ctrl_ThumbThickness", "Thumb Thickness", false),
        digitLength(Digit::Index, "body_ctrl_IndexFingerLength", "Index Finger Length", true),
        digitThickness(Digit::Index, "body_ctrl_IndexFingerThickness", "Index Finger Thickness", false),
        digitLength(Digit::Middle, "body_ctrl_MiddleFingerLength", "Middle Finger Length", false),
        digitThickness(Digit::Middle, "body_ctrl_MiddleFingerThickness", "Middle Finger Thickness", true),
        digitLength(Digit::Ring, "body_ctrl_RingFingerLength", "Ring Finger Length", false),
        digitThickness(Digit::Ring, "body_ctrl_RingFingerThickness", "Ring Finger Thickness", false),
        digitLength(Digit::Pinky, "body_ctrl_PinkyFingerLength", "Pinky Finger Length", false),
        digitThickness(Digit::Pinky, "body_ctrl_PinkyFingerThickness", "Pinky Finger Thickness", false),
        {"body_ctrl_FingersLength", "Fingers Length", kFingers, true, allFingers(lengthen, 0.12)},
        {"body_ctrl_FingersThickness", "Fingers Thickness", kFingers, true, allFingers(thicken, 0.1)},
        {"body_ctrl_FingertipsWidth", "Fingertips Width", kFingers, false,
         [] {
             std::vector<Term> out;
             for (int d = 0; d < kDigitCount; ++d)
                 out.push_back(bothSides(inflate(digit(Digit(d), 0.85, 0.97, 0.06), 0.1)));
             return out;
         }()},

        {"body_ctrl_ChestWidth", "Chest Width", kChest, false, {scale(ribs(), at(Landmark::Waist), {0.08, 0, 0})}},
        {"body_ctrl_ChestDepth", "Chest Depth", kChest, false, {scale(ribs(), at(Landmark::Waist), {0, 0, 0.08})}},
        {"body_ctrl_RibcageSize", "Ribcage Size", kChest, false, {inflate(along(kTorso, 0.44, 0.6, 0.04), 0.06)}},
        {"body_ctrl_BreastsSize", "Breasts Size", kChest, true, {bothSides(shift(bust(), {0, 0, 1.2}))}},
        {"body_ctrl_BreastsHeight", "Breasts Height", kChest, false, {bothSides(shift(bust(), {0, 1.0, 0}))}},
        {"body_ctrl_BreastsSpacing", "Breasts Spacing", kChest, false, {bothSides(shift(bust(), {0.8, 0, 0}))}},
        {"body_ctrl_PectoralsSize", "Pectorals Size", kChest, false,
         {bothSides(shift(around(Landmark::Bust, {6, 4, 5}, kTorso), {0, 0.3, 0.8}))}},

        {"body_ctrl_WaistWidth", "Waist Width", kWaist, true, {scale(waist(), at(Landmark::Waist), {0.12, 0, 0})}},
        {"body_ctrl_WaistDepth", "Waist Depth", kWaist, false, {scale(waist(), at(Landmark::Waist), {0, 0, 0.1})}},
        {"body_ctrl_WaistSize", "Waist Size", kWaist, false, {inflate(waist(), 0.1)}},
        {"body_ctrl_LoveHandles", "Love Handles", kWaist, false,
         {bothSides(shift(facing(along(kTorso, 0.22, 0.30, 0.04), 0, 0.5, 0.5), {0.8, 0, 0}))}},

        {"body_ctrl_BellySize", "Belly Size", kAbdomen, true, {shift(belly(), {0, 0, 1.5})}},
        {"body_ctrl_BellyHeight", "Belly Height", kAbdomen, false, {shift(belly(), {0, 1.0, 0})}},
        {"body_ctrl_AbdomenDepth", "Abdomen Depth", kAbdomen, false,
         {shift(facing(along(kTorso, 0.26, 0.38, 0.04), kPi / 2, 0.8, 0.6), {0, 0, 0.8})}},

        {"body_ctrl_HipsWidth", "Hips Width", kHips, true, aboutMidPlane({0.1, 0, 0})},
        {"body_ctrl_HipsSize", "Hips Size", kHips, false, aboutMidPlane({0.06, 0, 0.06})},
        {"body_ctrl_HipsHeight", "Hips Height", kHips, false, {bothSides(shift(hipSide(), {0, 1.0, 0}))}},
        {"body_ctrl_PelvisDepth", "Pelvis Depth", kHips, false, aboutMidPlane({0, 0, 0.08})},

        {"body_ctrl_GlutesSize", "Glutes Size", kGlutes, true, {bothSides(shift(glute(), {0, 0, -0.8}))}},
        {"body_ctrl_GlutesHeight", "Glutes Height", kGlutes, false, {bothSides(shift(glute(), {0, 0.8, 0}))}},
        {"body_ctrl_GlutesWidth", "Glutes Width", kGlutes, false, {bothSides(shift(glute(), {0.8, 0, 0}))}},

        {"body_ctrl_ThighsSize", "Thighs Size", kLegs, true, {bothSides(inflate(along(kLeg, 0.62, 0.76, 0.05), 0.1))}},
        {"body_ctrl_ThighsFront", "Thighs Front", kLegs, false,
         {bothSides(inflate(facing(along(kLeg, 0.64, 0.76, 0.05), kLegFront, 0.7, 0.6), 0.12))}},
        {"body_ctrl_ThighsBack", "Thighs Back", kLegs, false,
         {bothSides(inflate(facing(along(kLeg, 0.64, 0.76, 0.05), kLegBack, 0.7, 0.6), 0.12))}},
        {"body_ctrl_ThighsInner", "Thighs Inner", kLegs, false,
         {bothSides(inflate(facing(along(kLeg, 0.64, 0.76, 0.05), kLegInside, 0.7, 0.6), 0.12))}},
        {"body_ctrl_ThighsOuter", "Thighs Outer", kLegs, false,
         {bothSides(inflate(facing(along(kLeg, 0.64, 0.76, 0.05), kLegOutside, 0.7, 0.6), 0.12))}},
        {"body_ctrl_KneesSize", "Knees Size", kLegs, false, {bothSides(inflate(along(kLeg, 0.53, 0.59, 0.03), 0.1))}},
        {"body_ctrl_CalvesSize", "Calves Size", kLegs, true,
         {bothSides(inflate(facing(along(kLeg, 0.34, 0.48, 0.05), kLegBack, 0.9, 0.6), 0.15))}},
        {"body_ctrl_CalvesHeight", "Calves Height", kLegs, false,
         {bothSides(move(facing(along(kLeg, 0.34, 0.48, 0.05), kLegBack, 0.9, 0.6), at(Landmark::Knee), {0, 1.2, 0}))}},
        {"body_ctrl_ShinsSize", "Shins Size", kLegs, false, {bothSides(inflate(along(kLeg, 0.28, 0.5, 0.04), 0.08))}},
        {"body_ctrl_AnklesSize", "Ankles Size", kLegs, false, {bothSides(inflate(along(kLeg, 0.23, 0.28, 0.03), 0.1))}},

        {"body_ctrl_FeetSize", "Feet Size", kFeet, false,
         {bothSides(scaleWorld(along(kLeg, 0, 0.17, 0.03), at(Landmark::Ankle), {0.08, 0.08, 0.08}))}},
        {"body_ctrl_FeetLength", "Feet Length", kFeet, true,
         {bothSides(scaleWorld(along(kLeg, 0, 0.17, 0.03), at(Landmark::Ankle), {0, 0, 0.1}))}},
        {"body_ctrl_FeetWidth", "Feet Width", kFeet, false,
         {bothSides(scaleWorld(along(kLeg, 0, 0.17, 0.03), at(Landmark::Ankle), {0.12, 0, 0}))}},
        {"body_ctrl_HeelsSize", "Heels Size", kFeet, false,
         {bothSides(shift(around(Landmark::Heel, {2.5, 2.5, 2.5}, kLeg), {0, 0, -0.5}))}},
        {"body_ctrl_ToesLength", "Toes Length", kFeet, false,
         {bothSides(scaleWorld(along(kLeg, 0, 0.05, 0.04), at(Landmark::Ball), {0, 0, 0.15}))}},
    };
}

} // namespace

const std::vector<RegionalMorph>& bodyMorphs()
{
    static const std::vector<RegionalMorph> morphs = buildBodyMorphs();
    return morphs;
}

} // namespace cg
