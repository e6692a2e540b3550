#include "figure_shape.h"

#include "body_tubes.h"

namespace cg {
namespace {

Frame mirroredFrame(const Frame& f)
{
    return {mirrored(f.origin), mirrored(f.along), mirrored(f.side) * -1, mirrored(f.normal)};
}

} // namespace

FigureShape::FigureShape(const Proportions& prop)
    : _prop(prop), _torso(torsoPlan(prop)), _head(headPlan(prop)), _arm(armPlan(prop)),
      _leg(legPlan(prop)), _face(prop, _head)
{
    for (int d = 0; d < kDigitCount; ++d)
        _digits[size_t(d)] = Tube(digitPlan(prop, _arm, Digit(d)));
}

const Tube& FigureShape::tubeOf(Part part) const
{
    switch (kindOf(part)) {
    case PartKind::Torso:
        return _torso;
    case PartKind::Head:
    case PartKind::Eye:
        return _head;
    case PartKind::Arm:
        return _arm;
    case PartKind::Leg:
        return _leg;
    case PartKind::Digit:
        return _digits[size_t(digitOf(part))];
    }
    return _torso;
}

Vec3 FigureShape::leftPoint(const SurfaceParam& param) const
{
    const Part part = param.part;
    if (kindOf(part) == PartKind::Eye)
        return _face.eyePoint(param.u, param.v);
    Vec3 base, radial;
    tubeOf(part).basePointAt(param.u, param.v, &base, &radial);
    const double theta = 2 * kPi * param.u;
    switch (kindOf(part)) {
    case PartKind::Torso:
        return base + radial * torsoBulge(_prop, _torso, theta, param.v);
    case PartKind::Head:
        return base + radial * _face.bulge(base, radial, theta, param.v);
    default:
        return base;
    }
}

Vec3 FigureShape::restPoint(const SurfaceParam& param) const
{
    if (sideOf(param.part) == Side::Right)
        return mirrored(leftPoint(mirrorParam(param)));
    return leftPoint(param);
}

Frame FigureShape::spineFrame(Part part, double v) const
{
    if (kindOf(part) == PartKind::Eye) {
        const Vec3 c = sideOf(part) == Side::Right ? mirrored(_face.eyeCentre()) : _face.eyeCentre();
        return {c, {0, 0, 1}, {1, 0, 0}, {0, -1, 0}};
    }
    const Frame f = tubeOf(part).frameAt(v);
    return sideOf(part) == Side::Right ? mirroredFrame(f) : f;
}

Frame FigureShape::digitJoint(Digit digit, int joint) const
{
    const Tube& tube = _digits[size_t(digit)];
    return tube.frameAt(tube.segmentStart(joint));
}

Vec3 FigureShape::jointPoint(Part part, int index) const
{
    return tubeOf(part).jointPoint(index);
}

} // namespace cg
