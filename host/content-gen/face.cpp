#include "face.h"

#include <algorithm>
#include <cmath>

#include "anatomy.h"

namespace cg {
namespace {

// The reference head (Genesis 9's): features are measured on it and scale with the head.
constexpr double kReferenceHeadH = 23, kReferenceHeadW = 7.6;

// The nose: how far it stands out along its length (a share of the nose's size) and how wide
// it is, from below its base up to the bridge between the eyes.
const Profile& noseProfile()
{
    static const Profile p({0.27, 0.30, 0.325, 0.345, 0.37, 0.43, 0.50, 0.55, 0.58},
                           {0.0, 0.30, 0.85, 1.0, 0.93, 0.60, 0.32, 0.12, 0.0});
    return p;
}
const Profile& noseHalfWidth()
{
    static const Profile p({0.27, 0.30, 0.345, 0.43, 0.52, 0.58}, {1.7, 1.65, 1.1, 0.85, 0.75, 0.8});
    return p;
}

// A raised or sunken spot of the face: centre (x cm, h), radii (cm, h), height in cm of the
// reference head. Paired spots stand on both sides.
struct Spot {
    double x, h, radiusX, radiusH, height;
    bool paired;
};
// The nose's wings, the cheekbones and the brow ridges (their heights scale with the head);
// the lips and the chin scale with their own fullness.
const Spot kNostrilWing = {1.3, kNoseBaseH + 0.01, 0.65, 0.035, 0.22, true}; // height: share of the nose
const Spot kCheekbone = {4.5, kCheekboneH, 2.2, 0.075, 0.45, true};
const Spot kBrowRidge = {2.9, kBrowH, 2.6, 0.05, 0.35, true};
const Spot kLipUpper = {0, kLipUpperH, 2.4, 0.030, 0.42, false};
const Spot kLipLower = {0, kLipLowerH, 2.15, 0.033, 0.50, false};
const Spot kMouthLine = {0, kMouthH, 2.55, 0.0115, -0.42, false};
const Spot kChinPad = {0, kChinH, 2.3, 0.08, 0.55, false};

// The ear: an oval plate standing out from the side of the head, hollowed in front.
constexpr double kEarRadiusZ = 1.9, kEarRadiusH = 0.13, kEarPlateau = 0.35, kEarHeight = 1.15;
constexpr double kConchaForward = 0.35, kConchaRadiusZ = 0.85, kConchaDropH = 0.015;
constexpr double kConchaRadiusH = 0.055, kConchaDepth = 0.5;
// Behind the head's mid line, in head depths.
constexpr double kEarBehind = 0.08;

// The eye: a lens, an ellipsoid kEyeOpening as high and kEyeDepthShare as deep as it is wide,
// so its socket stays shallow.
constexpr double kEyeOpening = 0.55, kEyeDepthShare = 0.3;
// The eye socket: behind the eye an ellipsoidal bowl kSocketWall (in eye widths) wider than the
// eye and its gap, sunk kSocketMargin deeper than needed. Around the opening the lids rise to
// kLidHeight (cm on the reference head) kLidCrest beyond it and settle into the face by
// kLidEnd (in eye widths). Only the face near the eye (along each ray) is carved.
constexpr double kSocketWall = 0.2, kSocketMargin = 0.1, kSocketReach = 3.0;
constexpr double kLidCrest = 1.0, kLidEnd = 2.0, kLidHeight = 0.15;
// The cornea: a dome kCorneaHeight cm (on the reference head) on the front of the eye.
constexpr double kCorneaHeight = 0.15, kCorneaAngle = 0.6;

double spotAt(const Spot& s, double x, double h, double scale, double widthScale, double height)
{
    const double rx = s.radiusX * scale;
    double value = bump2(x - s.x * widthScale, rx, h - s.h, s.radiusH);
    if (s.paired)
        value += bump2(x + s.x * widthScale, rx, h - s.h, s.radiusH);
    return height * value;
}

} // namespace

Face::Face(const Proportions& prop, const Tube& head)
    : _scale(prop.headH / kReferenceHeadH), _widthScale(prop.headW / kReferenceHeadW),
      _nose(prop.nose), _lips(prop.lips), _ears(prop.ears), _chin(prop.chin),
      _eyeDepth(prop.eyeDepth)
{
    // The eye sits eyeDepth behind the face's base surface, on the radial line through the
    // base point eyeSpacing from the mid plane.
    const double v = headV(kEyeH);
    const Section sec = head.sectionAt(v);
    const double cosTheta = std::clamp(prop.eyeSpacing * _widthScale / sec.halfSide, -1.0, 1.0);
    Vec3 base, radial;
    head.basePointAt(std::acos(cosTheta) / (2 * kPi), v, &base, &radial);
    _eyeCentre = base - radial * _eyeDepth;
    const double width = prop.eyeR * _scale;
    _eyeRadii = {width, width * kEyeOpening, width * kEyeDepthShare};

    const Frame side = head.frameAt(headV(kEarH));
    _earZ = side.origin.z + head.sectionAt(headV(kEarH)).offsetNormal - kEarBehind * prop.headD;
}

double Face::frontFeatures(double x, double h) const
{
    const double s = _scale, w = _widthScale;
    double out = 0;
    const double halfWidth = noseHalfWidth()(h) * s;
    if (std::abs(x) < halfWidth) {
        const double across = 1 - (x / halfWidth) * (x / halfWidth);
        out += _nose * noseProfile()(h) * across * across;
    }
    out += spotAt(kNostrilWing, x, h, s, s, kNostrilWing.height * _nose);
    out += spotAt(kCheekbone, x, h, s, w, kCheekbone.height * s);
    out += spotAt(kBrowRidge, x, h, s, w, kBrowRidge.height * s);
    out += spotAt(kLipUpper, x, h, s, s, kLipUpper.height * _lips * s);
    out += spotAt(kLipLower, x, h, s, s, kLipLower.height * _lips * s);
    out += spotAt(kMouthLine, x, h, s, s, kMouthLine.height * _lips * s);
    out += spotAt(kChinPad, x, h, s, s, kChinPad.height * _chin * s);
    return out;
}

double Face::ear(double z, double h) const
{
    const double s = _scale;
    const double dz = (z - _earZ) / (kEarRadiusZ * s), dh = (h - kEarH) / kEarRadiusH;
    const double plate = plateau(std::sqrt(dz * dz + dh * dh), kEarPlateau);
    const double concha = bump2(z - _earZ - kConchaForward * s, kConchaRadiusZ * s,
                                h - kEarH + kConchaDropH, kConchaRadiusH);
    return _ears * s * (kEarHeight * plate - kConchaDepth * concha);
}

double Face::socket(const Vec3& base, const Vec3& radial, const Vec3& eye) const
{
    // The ray base - s * radial, in the space where the eye and its gap are the unit ball.
    const Vec3 clear = _eyeRadii + Vec3{kEyeGap, kEyeGap, kEyeGap};
    auto unit = [&](const Vec3& q) { return Vec3{q.x / clear.x, q.y / clear.y, q.z / clear.z}; };
    const Vec3 q0 = unit(base - eye), w = unit(radial * -1);
    const double ww = dot(w, w);
    const double middle = -dot(q0, w) / ww; // depth where the ray passes the eye's centre
    const double reach = plateau((middle - _eyeDepth) / kSocketReach, 0.3);
    if (reach <= 0)
        return 0;
    const double lateral = std::sqrt(std::max(dot(q0, q0) - middle * middle * ww, 0.0));
    const double wall = 1 + kSocketWall, opening = 1 + 0.5 * kSocketWall;
    if (lateral <= opening)
        return -reach * (middle + std::sqrt((wall * wall - lateral * lateral) / ww) + kSocketMargin);
    if (lateral >= opening + kLidEnd)
        return 0;
    const double atOpening = middle + std::sqrt((wall * wall - opening * opening) / ww) + kSocketMargin;
    // Level at the end: the last two knots agree.
    const Profile lids({0, kLidCrest, kLidEnd, 2 * kLidEnd}, {-atOpening, kLidHeight * _scale, 0, 0});
    return reach * lids(lateral - opening);
}

double Face::bulge(const Vec3& base, const Vec3& radial, double theta, double v) const
{
    const double h = headH(v);
    const double c = std::cos(theta), sn = std::sin(theta);
    double out = frontFeatures(base.x, h) * smoothstep(0.25, 0.55, sn);
    const double earShape = ear(base.z, h);
    out += earShape * (smoothstep(0.25, 0.55, c) + smoothstep(0.25, 0.55, -c));
    out += socket(base, radial, _eyeCentre) + socket(base, radial, mirrored(_eyeCentre));
    return out;
}

Vec3 Face::eyePoint(double u, double v) const
{
    // Back pole at v = 0, front pole at v = 1; around from +x towards -y.
    const double theta = 2 * kPi * u, polar = kPi * v;
    const Vec3 normal = Vec3{0, 0, -1} * std::cos(polar) +
                        Vec3{std::cos(theta), -std::sin(theta), 0} * std::sin(polar);
    const double cornea = kCorneaHeight * _scale * bump((kPi - polar) / kCorneaAngle);
    return _eyeCentre + Vec3{normal.x * _eyeRadii.x, normal.y * _eyeRadii.y, normal.z * _eyeRadii.z + cornea};
}

} // namespace cg
