#include <cmath>

#include "body_tubes.h"

namespace cg {
namespace {

// v of a spot `fraction` of the way through the torso section that ends at `end`.
double torsoV(double start, double end, double fraction)
{
    return start + fraction * (end - start);
}
double hipV(double f) { return torsoV(0, kTorsoHipEndV, f); }
double abdomenV(double f) { return torsoV(kTorsoHipEndV, kTorsoAbdomenEndV, f); }
double chestV(double f) { return torsoV(kTorsoAbdomenEndV, kTorsoChestEndV, f); }
double neckV(double f) { return torsoV(kTorsoChestEndV, 1, f); }

// The torso's sections share its length from the crotch to the base of the neck.
constexpr double kHipShare = 0.25, kAbdomenShare = 0.25, kChestShare = 0.5;
// The neck's top, inside the head, in head heights above the chin.
constexpr double kNeckTopH = 0.25;

// Where the bulges sit: (fraction of their section, angle from the front, radii).
constexpr double kBustAt = 0.45, kBustAngle = 0.45, kBustRadiusAngle = 0.6, kBustRadiusY = 11;
constexpr double kBellyAt = 0.45, kBellyRadiusAngle = 1.2, kBellyRadiusY = 11;
constexpr double kGluteAt = 0.45, kGluteAngle = 0.5, kGluteRadiusAngle = 0.75, kGluteRadiusY = 10;

// Head cross-sections, by h: half width, front and back depth and forward offset, as shares of
// the head's half width and half depth.
struct HeadStation {
    double h, width, front, back, forward, taper;
};
const HeadStation kHeadStations[] = {
    {kHeadPoleH, 0.35, 0.20, 0.20, 0.10, 0.30}, {0.00, 0.62, 0.62, 0.36, 0.22, 0.45},
    {0.08, 0.76, 0.70, 0.52, 0.20, 0.45},       {0.17, 0.82, 0.73, 0.66, 0.16, 0.38},
    {0.26, 0.86, 0.76, 0.80, 0.12, 0.28},       {0.34, 0.90, 0.78, 0.90, 0.08, 0.18},
    {0.50, 0.97, 0.80, 0.98, 0.05, 0.08},       {0.62, 1.00, 0.84, 1.00, 0.03, 0.02},
    {0.78, 0.98, 0.83, 0.98, 0.00, 0.00},       {1.00, 0.90, 0.78, 0.90, 0.00, 0.00},
};
constexpr double kReferenceHeadForward = 1.5;

// A broad, round-topped bump (C1): (1 - r^2)^2 inside the ellipse of radii (rx, ry).
double softBump2(double dx, double rx, double dy, double ry)
{
    const double s = 1 - (dx / rx) * (dx / rx) - (dy / ry) * (dy / ry);
    return s > 0 ? s * s : 0;
}

} // namespace

double chinY(const Proportions& prop)
{
    return prop.height - prop.headH;
}

double neckBaseY(const Proportions& prop)
{
    return chinY(prop) - prop.neckLen;
}

TubePlan torsoPlan(const Proportions& p)
{
    const double length = neckBaseY(p) - p.crotchY;
    const double neckTop = chinY(p) + kNeckTopH * p.headH;
    const Vec3 up{0, 1, 0};
    TubePlan plan;
    plan.start = {0, p.crotchY, 0};
    plan.side = {1, 0, 0};
    plan.segments = {{up, kHipShare * length, kTorsoHipEndV, 0},
                     {up, kAbdomenShare * length, kTorsoAbdomenEndV, 0},
                     {up, kChestShare * length, kTorsoChestEndV, 0},
                     {up, neckTop - neckBaseY(p), 1, 0}};
    const double n = p.neckR;
    plan.stations = {
        {hipV(0), {p.pelvisW * 0.75, p.pelvisD * 0.7, p.pelvisD * 0.75, 0, 0}},
        {hipV(0.35), {p.pelvisW, p.pelvisD, p.pelvisD, 0, 0}},
        {hipV(1), {0.55 * p.pelvisW + 0.45 * p.waistW, 0.5 * (p.pelvisD + p.waistD),
                   0.5 * (p.pelvisD + p.waistD), 0, 0}},
        {abdomenV(0.5), {p.waistW, p.waistD, p.waistD, 0, 0}},
        {chestV(0), {0.5 * (p.waistW + p.chestW), 0.5 * (p.waistD + p.chestD),
                     0.5 * (p.waistD + p.chestD), 0, 0}},
        {chestV(0.45), {p.chestW, p.chestD, p.chestD * 0.95, 0, 0}},
        {chestV(0.8), {p.chestW * 0.98, p.chestD * 0.92, p.chestD * 0.95, 0, -0.3}},
        {chestV(0.93), {p.chestW * 0.85, p.chestD * 0.75, p.chestD * 0.85, 0, -0.8}},
        {chestV(1), {n * 1.9, n * 1.15, n * 1.45, 0, -1.0}},
        {neckV(0.2), {n * 1.4, n * 1.08, n * 1.3, 0, -0.9}},
        {neckV(0.65), {n, n, n * 1.05, 0, -0.4}},
        {neckV(1), {n * 0.95, n * 0.95, n, 0, 0}},
    };
    plan.caps = capsOf(Part::Torso);
    return plan;
}

double torsoBulge(const Proportions& p, const Tube& torso, double theta, double v)
{
    const double y = torso.frameAt(v).origin.y;
    auto yAt = [&](double torsoV) { return torso.frameAt(torsoV).origin.y; };
    const double front = kPi / 2, back = -kPi / 2;
    double out = 0;
    const double bustY = yAt(chestV(kBustAt));
    for (double side : {-1.0, 1.0})
        out += p.bust * softBump2(angleBetween(theta, front + side * kBustAngle), kBustRadiusAngle,
                                  y - bustY, kBustRadiusY);
    out += p.belly * bump2(angleBetween(theta, front), kBellyRadiusAngle, y - yAt(abdomenV(kBellyAt)),
                           kBellyRadiusY);
    const double gluteY = yAt(hipV(kGluteAt));
    for (double side : {-1.0, 1.0})
        out += p.glutes * bump2(angleBetween(theta, back + side * kGluteAngle), kGluteRadiusAngle,
                                y - gluteY, kGluteRadiusY);
    return out;
}

TubePlan headPlan(const Proportions& p)
{
    const double bottom = chinY(p) + kHeadPoleH * p.headH;
    const double forward = p.headForward / kReferenceHeadForward;
    TubePlan plan;
    plan.start = {0, bottom, 0};
    plan.side = {1, 0, 0};
    plan.segments = {{{0, 1, 0}, p.height - bottom, 1, 0}};
    for (const HeadStation& s : kHeadStations)
        plan.stations.push_back({headV(s.h),
                                 {s.width * p.headW, s.front * p.headD, s.back * p.headD, 0,
                                  s.forward * p.headD * forward, s.taper}});
    plan.caps = capsOf(Part::Head);
    return plan;
}

} // namespace cg
