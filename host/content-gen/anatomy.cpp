#include "anatomy.h"

#include <cmath>

namespace cg {
namespace {

struct PartInfo {
    Part part;
    PartKind kind;
    Side side;
    Digit digit;
};

const PartInfo kParts[kPartCount] = {
    {Part::Torso, PartKind::Torso, Side::Middle, Digit::Thumb},
    {Part::Head, PartKind::Head, Side::Middle, Digit::Thumb},
    {Part::LeftEye, PartKind::Eye, Side::Left, Digit::Thumb},
    {Part::RightEye, PartKind::Eye, Side::Right, Digit::Thumb},
    {Part::LeftArm, PartKind::Arm, Side::Left, Digit::Thumb},
    {Part::RightArm, PartKind::Arm, Side::Right, Digit::Thumb},
    {Part::LeftLeg, PartKind::Leg, Side::Left, Digit::Thumb},
    {Part::RightLeg, PartKind::Leg, Side::Right, Digit::Thumb},
    {Part::LeftThumb, PartKind::Digit, Side::Left, Digit::Thumb},
    {Part::LeftIndex, PartKind::Digit, Side::Left, Digit::Index},
    {Part::LeftMiddle, PartKind::Digit, Side::Left, Digit::Middle},
    {Part::LeftRing, PartKind::Digit, Side::Left, Digit::Ring},
    {Part::LeftPinky, PartKind::Digit, Side::Left, Digit::Pinky},
    {Part::RightThumb, PartKind::Digit, Side::Right, Digit::Thumb},
    {Part::RightIndex, PartKind::Digit, Side::Right, Digit::Index},
    {Part::RightMiddle, PartKind::Digit, Side::Right, Digit::Middle},
    {Part::RightRing, PartKind::Digit, Side::Right, Digit::Ring},
    {Part::RightPinky, PartKind::Digit, Side::Right, Digit::Pinky},
};

const PartInfo& infoOf(Part part)
{
    return kParts[int(part)];
}

// The head is one bone; its sections only put rings on the lines of the face's features
// (chin, lips and the mouth between them, nose base and tip, eyes, brows), denser on the face.
const std::vector<SectionDef> kHeadSections = {
    {"head", headV(0.0), 0.05},          {"head", headV(0.08), 0.05},
    {"head", headV(0.165), 0.06},        {"head", headV(kLipLowerH), 0.025},
    {"head", headV(kMouthH), 0.03},      {"head", headV(kLipUpperH), 0.03},
    {"head", headV(0.265), 0.025},       {"head", headV(kNoseBaseH), 0.04},
    {"head", headV(kNoseTipH), 0.05},    {"head", headV(kCheekboneH), 0.07},
    {"head", headV(kEyeH), 0.11},        {"head", headV(kBrowH), 0.11},
    {"head", headV(kForeheadH), 0.09},   {"head", headV(0.84), 0.08},
    {"head", 1.0, 0.10},
};
const std::vector<SectionDef> kTorsoSections = {
    {"hip", kTorsoHipEndV, 0.20},
    {"abdomen", kTorsoAbdomenEndV, 0.22},
    {"chest", kTorsoChestEndV, 0.36},
    {"neck", 1.0, 0.22},
};
const std::vector<SectionDef> kEyeSections = {{"eye", 1.0, 1.0}};
const std::vector<SectionDef> kArmSections = {
    {"shoulder", kArmShoulderEndV, 0.16},
    {"upperarm", kArmUpperEndV, 0.30},
    {"forearm", kArmForearmEndV, 0.28},
    {"hand", 1.0, 0.26},
};
const std::vector<SectionDef> kLegSections = {
    {"foot", kLegFootEndV, 0.22},
    {"shin", kLegShinEndV, 0.34},
    {"thigh", 1.0, 0.44},
};
// A digit's root lies inside the palm: part of the hand, though it moves with the digit.
const std::vector<SectionDef> kFingerSections = {
    {"hand", kDigitKnuckleV, 0.12, true},
    {"1", kDigitMiddleV, 0.34},
    {"2", kDigitDistalV, 0.24},
    {"3", 1.0, 0.30},
};
const std::vector<SectionDef> kThumbSections = {
    {"hand", kThumbBaseV, 0.10, true},
    {"1", kThumbMiddleV, 0.36},
    {"2", kThumbDistalV, 0.24},
    {"3", 1.0, 0.30},
};

} // namespace

PartKind kindOf(Part part) { return infoOf(part).kind; }
Side sideOf(Part part) { return infoOf(part).side; }
Digit digitOf(Part part) { return infoOf(part).digit; }

Part digitPart(Side side, Digit digit)
{
    const Part first = side == Side::Right ? Part::RightThumb : Part::LeftThumb;
    return Part(int(first) + int(digit));
}

Part mirrorPart(Part part)
{
    const PartInfo& info = infoOf(part);
    if (info.side == Side::Middle)
        return part;
    const Side other = info.side == Side::Left ? Side::Right : Side::Left;
    for (const PartInfo& candidate : kParts)
        if (candidate.kind == info.kind && candidate.side == other && candidate.digit == info.digit)
            return candidate.part;
    return part;
}

double mirrorU(double u)
{
    const double m = 0.5 - u;
    return m - std::floor(m);
}

SurfaceParam mirrorParam(const SurfaceParam& param)
{
    return {mirrorPart(param.part), mirrorU(param.u), param.v};
}

const std::vector<SectionDef>& sectionsOf(Part part)
{
    switch (kindOf(part)) {
    case PartKind::Torso:
        return kTorsoSections;
    case PartKind::Head:
        return kHeadSections;
    case PartKind::Eye:
        return kEyeSections;
    case PartKind::Arm:
        return kArmSections;
    case PartKind::Leg:
        return kLegSections;
    case PartKind::Digit:
        return digitOf(part) == Digit::Thumb ? kThumbSections : kFingerSections;
    }
    return kTorsoSections;
}

Caps capsOf(Part part)
{
    switch (kindOf(part)) {
    // Ends hidden inside another part are round, so that a few rings shape them well.
    case PartKind::Torso:
        return {0.12, 0.10};
    case PartKind::Head:
        return {0.10, 0.28}; // the crown is a dome
    case PartKind::Eye:
        return {0, 0};       // a sphere of its own
    case PartKind::Arm:
        return {0.05, 0.05};
    case PartKind::Leg:
        return {0.03, 0.10};
    case PartKind::Digit:
        return {0.06, 0.07};
    }
    return {0.05, 0.05};
}

QString sidePrefix(Side side)
{
    switch (side) {
    case Side::Left:
        return QStringLiteral("l_");
    case Side::Right:
        return QStringLiteral("r_");
    case Side::Middle:
        break;
    }
    return QString();
}

QString digitName(Digit digit)
{
    static const char* const names[kDigitCount] = {"thumb", "index", "mid", "ring", "pinky"};
    return QString::fromLatin1(names[int(digit)]);
}

QString groupOf(Part part, double v)
{
    const std::vector<SectionDef>& sections = sectionsOf(part);
    const SectionDef* section = &sections.back();
    for (const SectionDef& s : sections)
        if (v < s.vEnd) {
            section = &s;
            break;
        }
    QString name = sidePrefix(sideOf(part));
    if (kindOf(part) == PartKind::Digit && !section->ofHand)
        name += digitName(digitOf(part));
    return name + QString::fromLatin1(section->bone);
}

} // namespace cg
