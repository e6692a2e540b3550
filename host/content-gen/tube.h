#pragma once

#include <vector>

#include "anatomy.h"
#include "shaping.h"

// A closed tube around a spine: the shape of one part of a figure. The spine is a chain of
// straight segments whose joints are rounded; the cross-section at each spine point is an
// egg-shaped ellipse in the plane of the local frame, and both ends close in round caps.
//
// A point of the tube is (u, v) in [0,1]^2: v runs along the spine (each segment over its own
// fixed v range, so the same v is the same anatomical spot whatever the segment lengths), u runs
// once around, from the frame's `side` axis towards its `normal` axis. Faces cut with u
// increasing and v increasing face outwards.

namespace cg {

// The local frame of a spine point. `along` is the spine's direction at growing v, `side` is
// carried along the spine without twisting, and normal = side x along.
struct Frame {
    Vec3 origin, along, side, normal;
};

// One cross-section: half extents along `side` and along +/- `normal`, and the centre's offset
// from the spine in the frame.
struct Section {
    double halfSide = 1, halfNormalPos = 1, halfNormalNeg = 1;
    double offsetSide = 0, offsetNormal = 0;
    // Narrows the +normal half towards its middle: the side extent there is shrunk by this
    // share times sin^2 of the angle around (a jaw narrowing towards the chin).
    double normalTaper = 0;
};

struct TubeStation {
    double v;
    Section section;
};

struct TubeSegment {
    Vec3 direction;        // rest direction (need not be unit)
    double length = 1;     // cm
    double vEnd = 1;       // where this segment ends on the tube's v
    double jointBlend = 0; // half-length (cm) over which the spine turns into this segment
};

struct TubePlan {
    Vec3 start;                       // spine point at v = 0
    Vec3 side;                        // roughly the side axis at v = 0
    std::vector<TubeSegment> segments;
    std::vector<TubeStation> stations; // cross-sections at increasing v, interpolated between
    Caps caps = {0.05, 0.05}; // v-lengths of the rounded ends
};

class Tube {
public:
    Tube() = default;
    explicit Tube(const TubePlan& plan);

    Frame frameAt(double v) const;
    Section sectionAt(double v) const;
    // The point at (u, v), and the direction (radial) that offsets from it are taken along.
    void basePointAt(double u, double v, Vec3* point, Vec3* radial) const;
    // The spine point where segment `index` begins (the joint before it).
    Vec3 jointPoint(int index) const;
    double segmentStart(int index) const;

private:
    std::vector<Frame> _frames; // uniform in v
    Profile _halfSide, _halfNormalPos, _halfNormalNeg, _offsetSide, _offsetNormal, _normalTaper;
    struct Cap {
        double length = 0.05; // v
        double depth = 1, radius = 1; // cm
        void place(double vFromEnd, double* vAlong, double* radiusShare) const;
    };
    std::vector<double> _segmentStarts;
    Cap _capBottom, _capTop;
};

} // namespace cg
