#pragma once

#include <QJsonObject>
#include <vector>

#include "generations.h"

namespace cg {

// A figure at one size: its mesh on the domain and its base vertex positions.
struct BuiltFigure {
    const FigureDef* def = nullptr;
    DomainMesh mesh;
    std::vector<Vec3> base;
};

// The base positions of a figure with the given proportions at the mesh's parameters, legs
// spread the way the figure stands.
std::vector<Vec3> figurePositions(const FigureDef& def, const Proportions& prop,
                                  const DomainMesh& mesh);

BuiltFigure buildFigure(const FigureDef& def, Size size);

// The figure's .dsf document: geometry with UVs and resolution channels, the figure node and
// its bones, the skin binding.
QJsonObject figureAssetJson(const BuiltFigure& fig);

// Geometry, UV set and mesh data of any mesh (props use it too).
QJsonObject geometryJson(const QString& id, const DomainMesh& mesh, const std::vector<Vec3>& pos,
                         const QString& uvSetId, bool withResolutionChannels);
QJsonObject uvSetJson(const QString& id, const DomainMesh& mesh);

QJsonObject vec3Channels(const QString& key, const Vec3& v);

} // namespace cg
