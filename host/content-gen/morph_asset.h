#pragma once

#include <QJsonObject>
#include <vector>

#include "dson_writer.h"
#include "vec3.h"

namespace cg {

// One morph asset: its channel, group and the offsets of every base vertex (written sparse).
struct MorphSpec {
    QString name, label, group;
    double min = 0, max = 1;
    bool visible = true;
    std::vector<Vec3> deltas;
};

// Offsets below this (cm) are left out of the file.
constexpr double kDeltaEpsilon = 1e-4;

// The .dsf document of a morph for the figure at `figureUrl`, stored at `assetFile`.
QJsonObject morphAssetJson(const QString& assetFile, const QString& figureUrl, const MorphSpec& m);

// `to - from`, element by element.
std::vector<Vec3> difference(const std::vector<Vec3>& to, const std::vector<Vec3>& from);

} // namespace cg
