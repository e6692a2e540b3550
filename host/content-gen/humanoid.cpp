#include "humanoid.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cg {
namespace {

constexpr double kPi = 3.14159265358979323846;

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Shape-preserving cubic through (knots[i], values[i]): smooth, and monotone where the data is,
// so rings along a part never fold over each other.
double pchip(const std::vector<double>& knots, const std::vector<double>& values, double x)
{
    const size_t n = knots.size();
    if (x <= knots.front())
        return values.front();
    if (x >= knots.back())
        return values.back();
    size_t k = 0;
    while (knots[k + 1] < x)
        ++k;
    auto secant = [&](size_t i) { return (values[i + 1] - values[i]) / (knots[i + 1] - knots[i]); };
    auto slope = [&](size_t i) {
        if (i == 0)
            return secant(0);
        if (i == n - 1)
            return secant(n - 2);
        const double a = secant(i - 1), b = secant(i);
        if (a * b <= 0)
            return 0.0;
        const double wa = 2 * (knots[i + 1] - knots[i]) + (knots[i] - knots[i - 1]);
        const double wb = (knots[i + 1] - knots[i]) + 2 * (knots[i] - knots[i - 1]);
        return (wa + wb) / (wa / a + wb / b);
    };
    const double h = knots[k + 1] - knots[k];
    const double t = (x - knots[k]) / h;
    const double h00 = (1 + 2 * t) * (1 - t) * (1 - t), h10 = t * (1 - t) * (1 - t);
    const double h01 = t * t * (3 - 2 * t), h11 = t * t * (t - 1);
    return h00 * values[k] + h10 * h * slope(k) + h01 * values[k + 1] + h11 * h * slope(k + 1);
}

// Rounds the ends of a tube: 0 at the end, 1 with zero slope once `length` in from it.
double capFactor(double v, double bottomLength, double topLength)
{
    auto quarterCircle = [](double s) {
        s = std::clamp(s, 0.0, 1.0);
        return std::sqrt(1 - (1 - s) * (1 - s));
    };
    return quarterCircle(v / bottomLength) * quarterCircle((1 - v) / topLength);
}

// A periodic bump around the tube centred at angle `centre`, sharper with larger `power`.
double angularBump(double theta, double centre, double power)
{
    return std::pow((1 + std::cos(theta - centre)) / 2, power);
}

double gaussian(double x, double centre, double width)
{
    const double d = (x - centre) / width;
    return std::exp(-d * d);
}

struct Section {
    double y, halfWidth, halfDepth, centreZ;
};

struct Stations {
    std::vector<double> v, y, w, d, z;
    void add(double vv, Section s)
    {
        v.push_back(vv);
        y.push_back(s.y);
        w.push_back(s.halfWidth);
        d.push_back(s.halfDepth);
        z.push_back(s.centreZ);
    }
    Section at(double vv) const
    {
        return {pchip(v, y, vv), pchip(v, w, vv), pchip(v, d, vv), pchip(v, z, vv)};
    }
};

Stations bodyStations(const Proportions& p)
{
    const double headBaseY = p.height - p.headH;
    const double neckBaseY = headBaseY - p.neckLen;
    const double shoulderY = neckBaseY - 2;
    const double torso = shoulderY - p.crotchY;
    Stations s;
    s.add(0.00, {p.crotchY, p.pelvisW * 0.75, p.pelvisD * 0.75, 0});
    s.add(0.10, {p.crotchY + 0.15 * torso, p.pelvisW, p.pelvisD, 0});
    s.add(0.28, {p.crotchY + 0.42 * torso, p.waistW, p.waistD, 0});
    s.add(0.45, {p.crotchY + 0.72 * torso, p.chestW, p.chestD, 0});
    s.add(0.58, {shoulderY, p.shoulderW, p.shoulderD, -0.5});
    s.add(kNeckBaseV, {neckBaseY, p.neckR * 1.3, p.neckR * 1.2, -0.5});
    s.add(0.72, {neckBaseY + 0.6 * p.neckLen, p.neckR, p.neckR, 0});
    s.add(kHeadBaseV, {headBaseY, p.neckR * 1.15, p.neckR * 1.2, p.headForward * 0.5});
    s.add(0.88, {headBaseY + 0.45 * p.headH, p.headW, p.headD, p.headForward});
    s.add(1.00, {p.height, p.headW * 0.6, p.headD * 0.6, p.headForward * 0.8});
    return s;
}

Stations legStations(const Proportions& p)
{
    const double j = p.hipJointY;
    Stations s;
    s.add(0.00, {0.0, p.ankleR * 1.2, p.ankleR * 1.5, p.footLen * 0.5});
    s.add(0.06, {8.0, p.ankleR, p.ankleR, 0});
    s.add(0.30, {0.36 * j, p.calfR, p.calfR * 1.05, -1.0});
    s.add(0.50, {0.52 * j, p.kneeR, p.kneeR, 0.5});
    s.add(0.75, {0.76 * j, p.thighR * 0.85, p.thighR * 0.85, 0.3});
    s.add(0.92, {j, p.thighR, p.thighR * 0.95, 0});
    s.add(1.00, {j + 5, p.thighR * 0.8, p.thighR * 0.75, 0});
    return s;
}

Vec3 bodyPoint(const Proportions& p, double u, double v)
{
    const Section sec = bodyStations(p).at(v);
    const double theta = 2 * kPi * u;
    const double cap = capFactor(v, 0.06, 0.14);
    // Bulges push out along the section's radial direction.
    double bulge = 0;
    bulge += p.bust * gaussian(v, 0.47, 0.05) *
             (angularBump(theta, kPi / 2 - 0.45, 8) + angularBump(theta, kPi / 2 + 0.45, 8));
    bulge += p.belly * gaussian(v, 0.25, 0.08) * angularBump(theta, kPi / 2, 3);
    bulge += p.glutes * gaussian(v, 0.08, 0.06) *
             (angularBump(theta, 1.5 * kPi - 0.5, 6) + angularBump(theta, 1.5 * kPi + 0.5, 6));
    bulge += p.nose * gaussian(v, 0.86, 0.02) * angularBump(theta, kPi / 2, 40);
    const double c = std::cos(theta), s = std::sin(theta);
    return {(sec.halfWidth * cap + bulge) * c, sec.y, (sec.halfDepth * cap + bulge) * s + sec.centreZ};
}

Vec3 legPoint(const Proportions& p, double u, double v, double side)
{
    const Section sec = legStations(p).at(v);
    const double theta = 2 * kPi * u;
    const double cap = capFactor(v, 0.05, 0.10);
    return {side * p.hipJointX + sec.halfWidth * cap * std::cos(theta), sec.y,
            sec.halfDepth * cap * std::sin(theta) + sec.centreZ};
}

// Affine map: 3x3 linear part m and translation t.
struct Affine {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 t;

    Vec3 apply(const Vec3& p) const
    {
        return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t.x,
                m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t.y,
                m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t.z};
    }
    Affine operator*(const Affine& o) const
    {
        Affine r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
        const Vec3 ot = apply(o.t);
        r.t = ot;
        return r;
    }
};

// Rz * Ry * Rx of angles in degrees.
Affine rotationXYZ(const Vec3& degrees)
{
    const double rx = degrees.x * kPi / 180, ry = degrees.y * kPi / 180, rz = degrees.z * kPi / 180;
    Affine x, y, z;
    x.m[1][1] = std::cos(rx); x.m[1][2] = -std::sin(rx);
    x.m[2][1] = std::sin(rx); x.m[2][2] = std::cos(rx);
    y.m[0][0] = std::cos(ry); y.m[0][2] = std::sin(ry);
    y.m[2][0] = -std::sin(ry); y.m[2][2] = std::cos(ry);
    z.m[0][0] = std::cos(rz); z.m[0][1] = -std::sin(rz);
    z.m[1][0] = std::sin(rz); z.m[1][1] = std::cos(rz);
    return z * y * x;
}

Affine translation(const Vec3& t)
{
    Affine a;
    a.t = t;
    return a;
}

} // namespace

Vec3 evaluateSurface(const Proportions& prop, const SurfaceParam& param)
{
    switch (param.part) {
    case Part::Body:
        return bodyPoint(prop, param.u, param.v);
    case Part::LeftLeg:
        return legPoint(prop, param.u, param.v, +1);
    case Part::RightLeg:
        return legPoint(prop, param.u, param.v, -1);
    }
    return {};
}

const char* boneName(int bone)
{
    static const char* const names[BoneCount] = {"hip", "l_thigh", "r_thigh", "head"};
    return names[bone];
}

int boneParent(int bone)
{
    return bone == Hip ? -1 : Hip;
}

Vec3 boneCenter(const Proportions& prop, int bone)
{
    switch (bone) {
    case Hip:
        return {0, prop.hipJointY + 4, 0};
    case LeftThigh:
        return {prop.hipJointX, prop.hipJointY, 0};
    case RightThigh:
        return {-prop.hipJointX, prop.hipJointY, 0};
    case Head:
        return {0, prop.height - prop.headH - 0.4 * prop.neckLen, 0};
    }
    return {};
}

std::array<double, BoneCount> skinWeights(const SurfaceParam& param)
{
    std::array<double, BoneCount> w{};
    if (param.part == Part::Body) {
        w[Head] = smoothstep(0.70, kHeadBaseV, param.v);
        w[Hip] = 1 - w[Head];
    } else {
        const int thigh = param.part == Part::LeftLeg ? LeftThigh : RightThigh;
        w[thigh] = 1 - 0.5 * smoothstep(0.85, 1.0, param.v);
        w[Hip] = 1 - w[thigh];
    }
    return w;
}

double headSplitWeight(const SurfaceParam& param)
{
    if (param.part != Part::Body)
        return 0;
    // Kept a ring's width inside the neck, so every vertex of a torso face is 0 and every
    // vertex of a head face is 1 at the coarsest tessellation.
    return smoothstep(kNeckBaseV + 0.025, kHeadBaseV - 0.025, param.v);
}

Vec3 skinPoint(const Proportions& prop, const Pose& pose, const SurfaceParam& param,
               const Vec3& restPoint)
{
    std::array<Affine, BoneCount> world;
    for (int b = 0; b < BoneCount; ++b) {
        const Vec3 c = boneCenter(prop, b);
        const Affine local = translation(c) * rotationXYZ(pose.rotation[b]) * translation(c * -1);
        world[b] = boneParent(b) < 0 ? local : world[boneParent(b)] * local;
    }
    const auto weights = skinWeights(param);
    Vec3 out;
    for (int b = 0; b < BoneCount; ++b)
        if (weights[b] > 0)
            out = out + world[b].apply(restPoint) * weights[b];
    return out;
}

} // namespace cg
