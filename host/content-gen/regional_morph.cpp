#include "regional_morph.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace cg {
namespace {

// Around an eye, a term that spares the eyes has no hold within the socket's reach and full
// hold kSpareWidth further out.
constexpr double kSpareBeyondEye = 0.6, kSpareWidth = 0.8;

// A term with its landmarks looked up on one figure.
struct Placed {
    const Term* term;
    unsigned parts = 0; // bit per part
    Frame anchor, centre;
    Vec3 eyes[2];
    double spareFrom = 0, spareTo = 0;
};

// Landmarks come from `landmark` (the figure at rest, or as it stands).
Placed place(const Term& term, const FigureShape& shape, const std::function<Frame(Landmark)>& landmark)
{
    Placed p;
    p.term = &term;
    for (Part part : term.region.parts) {
        p.parts |= 1u << int(part);
        if (term.region.kind == Region::Around)
            p.parts |= 1u << int(mirrorPart(part));
    }
    p.anchor = term.anchor.onDigit ? shape.digitJoint(term.anchor.digit, term.anchor.joint)
                                   : landmark(term.anchor.landmark);
    p.centre = landmark(term.region.centre);
    p.eyes[0] = shape.face().eyeCentre();
    p.eyes[1] = mirrored(p.eyes[0]);
    p.spareFrom = shape.face().eyeRadii().x + kEyeGap + kSpareBeyondEye;
    p.spareTo = p.spareFrom + kSpareWidth;
    return p;
}

// Components of q in the frame's axes (side, along, normal), and back.
Vec3 toFrame(const Frame& f, const Vec3& q) { return {dot(q, f.side), dot(q, f.along), dot(q, f.normal)}; }
Vec3 fromFrame(const Frame& f, const Vec3& l) { return f.side * l.x + f.along * l.y + f.normal * l.z; }

double weightOf(const Placed& placed, const SurfaceParam& param, const Vec3& p)
{
    if (!(placed.parts & (1u << int(param.part))))
        return 0;
    const Region& r = placed.term->region;
    double w = 1;
    if (r.kind == Region::Around) {
        const Vec3 local = toFrame(placed.centre, p - placed.centre.origin);
        const Vec3 n{local.x / r.radii.x, local.y / r.radii.y, local.z / r.radii.z};
        w = 1 - smoothstep(1, r.reach, length(n));
    } else if (r.falloff > 0) {
        w = smoothstep(r.v0 - r.falloff, r.v0, param.v) * (1 - smoothstep(r.v1, r.v1 + r.falloff, param.v));
    } else {
        w = param.v >= r.v0 && param.v <= r.v1 ? 1 : 0;
    }
    if (r.kind == Region::Along && r.halfAngle >= 0) {
        const double off = std::abs(angleBetween(2 * kPi * param.u, r.theta));
        w *= 1 - smoothstep(r.halfAngle, r.halfAngle + r.angleFalloff, off);
    }
    if (w > 0 && placed.term->spareEyes && kindOf(param.part) == PartKind::Head)
        for (const Vec3& eye : placed.eyes)
            w *= smoothstep(placed.spareFrom, placed.spareTo, length(p - eye));
    return w;
}

Vec3 termDelta(const Placed& placed, const FigureShape& shape, const SurfaceParam& param, const Vec3& p)
{
    const double w = weightOf(placed, param, p);
    if (w <= 0)
        return {};
    const Term& t = *placed.term;
    switch (t.action) {
    case Term::Move:
        return (t.worldAxes ? t.amount : fromFrame(placed.anchor, t.amount)) * w;
    case Term::Scale: {
        const Vec3 q = p - placed.anchor.origin;
        if (t.worldAxes)
            return Vec3{q.x * t.amount.x, q.y * t.amount.y, q.z * t.amount.z} * w;
        const Vec3 l = toFrame(placed.anchor, q);
        return fromFrame(placed.anchor, {l.x * t.amount.x, l.y * t.amount.y, l.z * t.amount.z}) * w;
    }
    case Term::Inflate: {
        const Frame spine = shape.spineFrame(param.part, param.v);
        const Vec3 q = p - spine.origin;
        return (q - spine.along * dot(q, spine.along)) * (t.amount.x * w);
    }
    }
    return {};
}

// The summed offset of some terms at a vertex, mirrored terms included.
Vec3 deltaAt(const std::vector<Placed>& terms, const FigureShape& shape, const SurfaceParam& param, const Vec3& p)
{
    Vec3 d;
    for (const Placed& t : terms) {
        d += termDelta(t, shape, param, p);
        if (t.term->bothSides)
            d += mirrored(termDelta(t, shape, mirrorParam(param), mirrored(p)));
    }
    return d;
}

} // namespace

std::vector<Vec3> regionalDeltas(const BuiltFigure& fig, const RegionalMorph& morph)
{
    // Terms along a part follow it into the figure's stance; fields of the world's space act
    // on the figure as it stands, so surfaces that meet there move alike.
    const FigureShape& shape = *fig.shape;
    std::vector<Placed> alongParts, inSpace;
    for (const Term& term : morph.terms) {
        if (term.region.kind == Region::Around)
            inSpace.push_back(place(term, shape, [&](Landmark l) { return standingLandmark(fig, l); }));
        else
            alongParts.push_back(place(term, shape, [&](Landmark l) { return shape.landmark(l); }));
    }
    std::vector<Vec3> moved = fig.rest;
    std::vector<Vec3> deltas(fig.rest.size());
    bool movedAlong = false;
    for (size_t i = 0; i < fig.rest.size(); ++i) {
        const SurfaceParam& param = fig.mesh.params[i];
        const Vec3 d = deltaAt(alongParts, shape, param, fig.rest[i]);
        moved[i] += d;
        movedAlong = movedAlong || d.x != 0 || d.y != 0 || d.z != 0;
        deltas[i] = deltaAt(inSpace, shape, param, fig.base[i]);
    }
    if (movedAlong) {
        const std::vector<Vec3> standingMoved = standing(fig, moved);
        for (size_t i = 0; i < deltas.size(); ++i)
            deltas[i] += standingMoved[i] - fig.base[i];
    }
    return deltas;
}

} // namespace cg
