#include "tube.h"

#include <algorithm>
#include <cmath>

namespace cg {
namespace {

// Spine samples, uniform in v; the frame between two is interpolated.
constexpr int kSpineSamples = 512;
// Integration step along the spine, cm.
constexpr double kSpineStep = 0.02;

struct SegmentRange {
    double vStart, vEnd, sStart, length;
};

std::vector<SegmentRange> segmentRanges(const TubePlan& plan)
{
    std::vector<SegmentRange> out;
    double v = 0, s = 0;
    for (const TubeSegment& seg : plan.segments) {
        out.push_back({v, seg.vEnd, s, seg.length});
        v = seg.vEnd;
        s += seg.length;
    }
    return out;
}

double arcLengthAt(const std::vector<SegmentRange>& ranges, double v)
{
    for (const SegmentRange& r : ranges)
        if (v <= r.vEnd || &r == &ranges.back())
            return r.sStart + std::clamp((v - r.vStart) / (r.vEnd - r.vStart), 0.0, 1.0) * r.length;
    return 0;
}

// The spine's direction at arc length s: each segment's own, turning smoothly across a joint.
Vec3 directionAt(const TubePlan& plan, const std::vector<SegmentRange>& ranges, double s)
{
    size_t k = 0;
    while (k + 1 < ranges.size() && s >= ranges[k + 1].sStart)
        ++k;
    Vec3 d = normalized(plan.segments[k].direction);
    // The joint at the start of segment k and the one at its end.
    for (size_t j : {k, k + 1}) {
        if (j == 0 || j >= ranges.size())
            continue;
        const double w = std::min({plan.segments[j].jointBlend, 0.5 * ranges[j - 1].length,
                                   0.5 * ranges[j].length});
        if (w <= 0)
            continue;
        const double joint = ranges[j].sStart;
        if (s > joint - w && s < joint + w) {
            const double t = smoothstep(joint - w, joint + w, s);
            d = normalized(lerp(normalized(plan.segments[j - 1].direction),
                                normalized(plan.segments[j].direction), t));
        }
    }
    return d;
}

Profile profileOf(const TubePlan& plan, double Section::*field)
{
    std::vector<double> knots, values;
    for (const TubeStation& st : plan.stations) {
        knots.push_back(st.v);
        values.push_back(st.section.*field);
    }
    return Profile(std::move(knots), std::move(values));
}

// Removes from `side` its component along `along` and makes it unit length.
Vec3 perpendicular(Vec3 side, Vec3 along)
{
    return normalized(side - along * dot(side, along));
}

} // namespace

// A cap's outline is a quarter ellipse, `depth` cm along the spine and `radius` across. Within
// the cap v turns the outline's normal evenly, so rings gather where the end curves most: a
// few rings round a fingertip as well as the flat bottom of the torso.
void Tube::Cap::place(double vFromEnd, double* vAlong, double* radiusShare) const
{
    const double normalAngle = 0.5 * kPi * vFromEnd / length;
    const double t = std::atan2(radius * std::sin(normalAngle), depth * std::cos(normalAngle));
    *vAlong = length * (1 - std::cos(t));
    *radiusShare = std::sin(t);
}

Tube::Tube(const TubePlan& plan)
    : _halfSide(profileOf(plan, &Section::halfSide)),
      _halfNormalPos(profileOf(plan, &Section::halfNormalPos)),
      _halfNormalNeg(profileOf(plan, &Section::halfNormalNeg)),
      _offsetSide(profileOf(plan, &Section::offsetSide)),
      _offsetNormal(profileOf(plan, &Section::offsetNormal)),
      _normalTaper(profileOf(plan, &Section::normalTaper))
{
    const std::vector<SegmentRange> ranges = segmentRanges(plan);
    const SegmentRange& first = ranges.front();
    const SegmentRange& last = ranges.back();
    auto radiusAt = [&](double v) {
        const Section s = sectionAt(v);
        return 0.5 * s.halfSide + 0.25 * (s.halfNormalPos + s.halfNormalNeg);
    };
    const Caps& caps = plan.caps;
    _capBottom = {caps.bottom, caps.bottom * first.length / (first.vEnd - first.vStart), radiusAt(caps.bottom)};
    _capTop = {caps.top, caps.top * last.length / (last.vEnd - last.vStart), radiusAt(1 - caps.top)};
    for (const SegmentRange& r : ranges)
        _segmentStarts.push_back(r.vStart);
    _frames.resize(kSpineSamples + 1);
    Vec3 position = plan.start;
    double s = 0;
    Vec3 side = plan.side;
    for (int i = 0; i <= kSpineSamples; ++i) {
        const double target = arcLengthAt(ranges, double(i) / kSpineSamples);
        const int steps = int(std::ceil((target - s) / kSpineStep));
        for (int k = 0; k < steps; ++k) {
            const double h = (target - s) / (steps - k);
            position += directionAt(plan, ranges, s + 0.5 * h) * h;
            s += h;
        }
        Frame& f = _frames[size_t(i)];
        f.origin = position;
        f.along = directionAt(plan, ranges, target);
        f.side = side = perpendicular(side, f.along);
        f.normal = cross(f.side, f.along);
    }
}

Frame Tube::frameAt(double v) const
{
    const double x = std::clamp(v, 0.0, 1.0) * kSpineSamples;
    const int i = std::min(int(x), kSpineSamples - 1);
    const double t = x - i;
    const Frame& a = _frames[size_t(i)];
    const Frame& b = _frames[size_t(i) + 1];
    Frame f;
    f.origin = lerp(a.origin, b.origin, t);
    f.along = normalized(lerp(a.along, b.along, t));
    f.side = perpendicular(lerp(a.side, b.side, t), f.along);
    f.normal = cross(f.side, f.along);
    return f;
}

Section Tube::sectionAt(double v) const
{
    return {_halfSide(v), _halfNormalPos(v), _halfNormalNeg(v), _offsetSide(v), _offsetNormal(v), _normalTaper(v)};
}

void Tube::basePointAt(double u, double v, Vec3* point, Vec3* radial) const
{
    double along = v, cap = 1;
    if (v < _capBottom.length)
        _capBottom.place(v, &along, &cap);
    else if (v > 1 - _capTop.length) {
        _capTop.place(1 - v, &along, &cap);
        along = 1 - along;
    }
    const Frame f = frameAt(along);
    const Section sec = sectionAt(along);
    const double theta = 2 * kPi * u;
    const double c = std::cos(theta), s = std::sin(theta);
    // Different depths on either side, joined without a kink.
    const double halfNormal = 0.5 * (sec.halfNormalPos + sec.halfNormalNeg) +
                              0.5 * (sec.halfNormalPos - sec.halfNormalNeg) * s;
    const double front = std::max(s, 0.0);
    const double halfSide = sec.halfSide * (1 - sec.normalTaper * front * front);
    const Vec3 centre = f.origin + f.side * sec.offsetSide + f.normal * sec.offsetNormal;
    *point = centre + f.side * (halfSide * cap * c) + f.normal * (halfNormal * cap * s);
    *radial = f.side * c + f.normal * s;
}

Vec3 Tube::jointPoint(int index) const
{
    return frameAt(_segmentStarts[size_t(index)]).origin;
}

double Tube::segmentStart(int index) const
{
    return _segmentStarts[size_t(index)];
}

} // namespace cg
