#include "morph_library.h"

namespace cg {

using namespace terms;

namespace {

const char* const kNose = "/Actor/Head/Nose";
const char* const kEyes = "/Actor/Head/Eyes";
const char* const kBrows = "/Actor/Head/Brows";
const char* const kMouth = "/Actor/Head/Mouth";
const char* const kJaw = "/Actor/Head/Jaw";
const char* const kChin = "/Actor/Head/Chin";
const char* const kCheeks = "/Actor/Head/Cheeks";
const char* const kEars = "/Actor/Head/Ears";
const char* const kCranium = "/Actor/Head/Cranium";

const std::vector<Part> kHead = {Part::Head};
// The jaw's region reaches down to where the neck meets the head: the neck moves along.
const std::vector<Part> kHeadAndNeck = {Part::Head, Part::Torso};
// An eye moves with its socket.
const std::vector<Part> kEyeAndHead = {Part::Head, Part::LeftEye};

// Regions (radii in cm along x, y, z) of the features.
Region nose() { return around(Landmark::NoseTip, {2.0, 2.6, 2.5}, kHead); }
Region noseTip() { return around(Landmark::NoseTip, {1.3, 1.0, 1.5}, kHead); }
Region bridge() { return around(Landmark::NoseBridge, {1.1, 1.6, 1.5}, kHead); }
Region nostril() { return around(Landmark::Nostril, {0.9, 0.8, 1.2}, kHead); }
// Where the eye comes near its socket the two move alike; the region ends before the other
// eye's socket.
Region eye() { return reaching(around(Landmark::EyeCentre, {2.3, 2.3, 2.3}, kEyeAndHead), 1.3); }
Region brow() { return around(Landmark::Brow, {2.6, 1.0, 2.0}, kHead); }
Region browInner() { return around(Landmark::BrowInner, {1.2, 0.9, 2.0}, kHead); }
Region browOuter() { return around(Landmark::BrowOuter, {1.3, 0.9, 2.0}, kHead); }
Region mouth() { return around(Landmark::Mouth, {2.8, 1.3, 2.0}, kHead); }
Region lips() { return around(Landmark::Mouth, {2.5, 1.1, 1.5}, kHead); }
Region lipUpper() { return around(Landmark::LipUpper, {2.3, 0.6, 1.5}, kHead); }
Region lipLower() { return around(Landmark::LipLower, {2.1, 0.65, 1.5}, kHead); }
Region mouthCorner() { return around(Landmark::MouthCorner, {0.9, 0.8, 1.5}, kHead); }
Region jaw() { return around(Landmark::Jaw, {2.2, 2.0, 3.0}, kHeadAndNeck); }
Region chin() { return around(Landmark::Chin, {2.3, 1.6, 2.2}, kHead); }
Region cheekbone() { return around(Landmark::Cheekbone, {1.8, 1.4, 2.0}, kHead); }
Region cheek() { return around(Landmark::Cheek, {1.8, 1.6, 2.2}, kHead); }
Region ear() { return around(Landmark::Ear, {2.2, 3.6, 2.4}, kHead); }
Region forehead() { return around(Landmark::Forehead, {4.0, 2.0, 3.0}, kHead); }
Region cranium() { return around(Landmark::Crown, {6.0, 5.0, 7.0}, kHead); }

std::vector<RegionalMorph> buildHeadMorphs()
{
    return {
        {"head_ctrl_NoseWidth", "Nose Width", kNose, true, {scale(nose(), at(Landmark::NoseTip), {0.25, 0, 0})}},
        {"head_ctrl_NoseHeight", "Nose Height", kNose, true, {shift(nose(), {0, 0.5, 0})}},
        {"head_ctrl_NoseDepth", "Nose Depth", kNose, false, {shift(nose(), {0, 0, 0.5})}},
        {"head_ctrl_NoseTipProjection", "Nose Tip Projection", kNose, false, {shift(noseTip(), {0, 0, 0.4})}},
        {"head_ctrl_NoseTipWidth", "Nose Tip Width", kNose, false,
         {scale(noseTip(), at(Landmark::NoseTip), {0.3, 0, 0})}},
        {"head_ctrl_NoseTipHeight", "Nose Tip Height", kNose, false, {shift(noseTip(), {0, 0.35, 0})}},
        {"head_ctrl_NoseBridgeHeight", "Nose Bridge Height", kNose, false,
         {sparingEyes(shift(bridge(), {0, 0, 0.35}))}},
        {"head_ctrl_NoseBridgeWidth", "Nose Bridge Width", kNose, false,
         {sparingEyes(scale(bridge(), at(Landmark::NoseBridge), {0.35, 0, 0}))}},
        {"head_ctrl_NostrilsWidth", "Nostrils Width", kNose, false,
         {bothSides(scale(nostril(), at(Landmark::NoseTip), {0.2, 0, 0}))}},
        {"head_ctrl_NostrilsHeight", "Nostrils Height", kNose, false, {bothSides(shift(nostril(), {0, 0.3, 0}))}},

        {"head_ctrl_EyesSize", "Eyes Size", kEyes, true,
         {bothSides(scale(eye(), at(Landmark::EyeCentre), {0.12, 0.12, 0.12}))}},
        {"head_ctrl_EyesHeight", "Eyes Height", kEyes, true, {bothSides(shift(eye(), {0, 0.4, 0}))}},
        {"head_ctrl_EyesSpacing", "Eyes Spacing", kEyes, true, {bothSides(shift(eye(), {0.3, 0, 0}))}},
        {"head_ctrl_EyesDepth", "Eyes Depth", kEyes, false, {bothSides(shift(eye(), {0, 0, -0.3}))}},
        {"head_ctrl_EyesWidth", "Eyes Width", kEyes, false,
         {bothSides(scale(eye(), at(Landmark::EyeCentre), {0.12, 0, 0}))}},

        {"head_ctrl_BrowHeight", "Brow Height", kBrows, true, {bothSides(sparingEyes(shift(brow(), {0, 0.4, 0})))}},
        {"head_ctrl_BrowDepth", "Brow Depth", kBrows, false, {bothSides(sparingEyes(shift(brow(), {0, 0, 0.35})))}},
        {"head_ctrl_BrowInnerHeight", "Brow Inner Height", kBrows, false,
         {bothSides(sparingEyes(shift(browInner(), {0, 0.35, 0})))}},
        {"head_ctrl_BrowOuterHeight", "Brow Outer Height", kBrows, false,
         {bothSides(sparingEyes(shift(browOuter(), {0, 0.35, 0})))}},
        {"head_ctrl_BrowWidth", "Brow Width", kBrows, false,
         {bothSides(sparingEyes(scale(brow(), at(Landmark::NoseBridge), {0.08, 0, 0})))}},

        {"head_ctrl_MouthWidth", "Mouth Width", kMouth, true, {scale(mouth(), at(Landmark::Mouth), {0.18, 0, 0})}},
        {"head_ctrl_MouthHeight", "Mouth Height", kMouth, false, {shift(mouth(), {0, 0.35, 0})}},
        {"head_ctrl_MouthDepth", "Mouth Depth", kMouth, false, {shift(mouth(), {0, 0, 0.35})}},
        {"head_ctrl_LipsFullness", "Lips Fullness", kMouth, true, {shift(lips(), {0, 0, 0.3})}},
        {"head_ctrl_LipsThickness", "Lips Thickness", kMouth, false,
         {scale(lips(), at(Landmark::Mouth), {0, 0.25, 0})}},
        {"head_ctrl_LipUpperFullness", "Lip Upper Fullness", kMouth, false, {shift(lipUpper(), {0, 0.1, 0.25})}},
        {"head_ctrl_LipLowerFullness", "Lip Lower Fullness", kMouth, false, {shift(lipLower(), {0, -0.1, 0.28})}},
        {"head_ctrl_MouthCornersHeight", "Mouth Corners Height", kMouth, false,
         {bothSides(shift(mouthCorner(), {0, 0.3, 0}))}},

        {"head_ctrl_JawWidth", "Jaw Width", kJaw, true, {bothSides(shift(jaw(), {0.5, 0, 0}))}},
        {"head_ctrl_JawHeight", "Jaw Height", kJaw, false, {bothSides(shift(jaw(), {0, 0.5, 0}))}},
        {"head_ctrl_JawDepth", "Jaw Depth", kJaw, false, {bothSides(shift(jaw(), {0, 0, 0.5}))}},

        {"head_ctrl_ChinWidth", "Chin Width", kChin, false, {scale(chin(), at(Landmark::Chin), {0.25, 0, 0})}},
        {"head_ctrl_ChinHeight", "Chin Height", kChin, false, {shift(chin(), {0, -0.45, 0})}},
        {"head_ctrl_ChinDepth", "Chin Depth", kChin, true, {shift(chin(), {0, 0, 0.5})}},
        {"head_ctrl_ChinSize", "Chin Size", kChin, false,
         {scale(chin(), at(Landmark::Chin), {0.15, 0.15, 0.15})}},

        {"head_ctrl_CheekbonesHeight", "Cheekbones Height", kCheeks, true,
         {bothSides(sparingEyes(shift(cheekbone(), {0, 0.35, 0})))}},
        {"head_ctrl_CheekbonesWidth", "Cheekbones Width", kCheeks, false,
         {bothSides(sparingEyes(shift(cheekbone(), {0.35, 0, 0})))}},
        {"head_ctrl_CheekbonesDepth", "Cheekbones Depth", kCheeks, false,
         {bothSides(sparingEyes(shift(cheekbone(), {0, 0, 0.3})))}},
        {"head_ctrl_CheeksFullness", "Cheeks Fullness", kCheeks, false,
         {bothSides(sparingEyes(shift(cheek(), {0.25, 0, 0.25})))}},

        {"head_ctrl_EarsSize", "Ears Size", kEars, true,
         {bothSides(scale(ear(), at(Landmark::Ear), {0.15, 0.15, 0.15}))}},
        {"head_ctrl_EarsHeight", "Ears Height", kEars, false, {bothSides(shift(ear(), {0, 0.5, 0}))}},
        {"head_ctrl_EarsAngle", "Ears Angle", kEars, false, {bothSides(shift(ear(), {0.45, 0, 0}))}},
        {"head_ctrl_EarsDepth", "Ears Depth", kEars, false, {bothSides(shift(ear(), {0, 0, -0.45}))}},
        {"head_ctrl_EarsWidth", "Ears Width", kEars, false,
         {bothSides(scale(ear(), at(Landmark::Ear), {0, 0, 0.2}))}},

        {"head_ctrl_ForeheadHeight", "Forehead Height", kCranium, false,
         {sparingEyes(shift(forehead(), {0, 0.4, 0}))}},
        {"head_ctrl_ForeheadDepth", "Forehead Depth", kCranium, false,
         {sparingEyes(shift(forehead(), {0, 0, 0.4}))}},
        {"head_ctrl_CraniumWidth", "Cranium Width", kCranium, false,
         {scale(cranium(), at(Landmark::Crown), {0.06, 0, 0})}},
        {"head_ctrl_CraniumDepth", "Cranium Depth", kCranium, false,
         {scale(cranium(), at(Landmark::Crown), {0, 0, 0.06})}},
    };
}

} // namespace

const std::vector<RegionalMorph>& headMorphs()
{
    static const std::vector<RegionalMorph> morphs = buildHeadMorphs();
    return morphs;
}

} // namespace cg
