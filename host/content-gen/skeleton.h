#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "figure_shape.h"

// The bones every member of the family shares, their joints, and how the surface follows them.

namespace cg {

struct BoneDef {
    QString name;
    int parent = -1; // index in bones(), -1 for the root
    std::function<Vec3(const FigureShape&)> centre;
};
// In hierarchy order: a bone's parent comes before it.
const std::vector<BoneDef>& bones();
int boneIndex(const QString& name);

// Linear blend skin weights of a surface point: (bone index, weight) pairs that sum to 1.
std::vector<std::pair<int, double>> skinWeights(const SurfaceParam& param);

// The head-split influence: 1 on the head and the eyes, 0 below the neck, a smooth ramp across
// the neck.
double headSplitWeight(const SurfaceParam& param);

// Rotations (degrees, applied Rz*Ry*Rx about the bone's centre, on top of its parent's) of some
// bones; a pose.
struct Pose {
    std::vector<std::pair<QString, Vec3>> rotations;
};

// Skins rest points of one figure in one pose, as the host does.
class Skinning {
public:
    Skinning(const FigureShape& shape, const Pose& pose);
    Vec3 apply(const SurfaceParam& param, const Vec3& rest) const;

private:
    struct Affine {
        double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        Vec3 t;
        Vec3 apply(const Vec3& p) const;
        Affine operator*(const Affine& o) const;
    };
    std::vector<Affine> _world; // per bone
};

} // namespace cg
