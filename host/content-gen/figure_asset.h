#pragma once

#include <QJsonObject>
#include <memory>
#include <vector>

#include "figure_shape.h"
#include "generations.h"
#include "skeleton.h"

namespace cg {

// A figure at one size: its mesh on the domain, its shape at rest and its base vertex positions
// (the rest shape as the figure stands).
struct BuiltFigure {
    const FigureDef* def = nullptr;
    DomainMesh mesh;
    std::unique_ptr<FigureShape> shape;
    std::vector<Vec3> rest;
    std::vector<Vec3> base;
};

BuiltFigure buildFigure(const FigureDef& def, Size size);

// The rest surface of a shape at the mesh's parameters.
std::vector<Vec3> restPositions(const FigureShape& shape, const DomainMesh& mesh);
// Rest positions of the figure as it stands: legs spread the way the figure's own bones turn
// them (the host would pose it so).
std::vector<Vec3> standing(const BuiltFigure& fig, const std::vector<Vec3>& rest);
// A landmark as the figure stands: a leg's turns with its thigh.
Frame standingLandmark(const BuiltFigure& fig, Landmark which);

// The figure's .dsf document: geometry with UVs, surfaces and resolution channels, the figure
// node and its bones, the skin binding.
QJsonObject figureAssetJson(const BuiltFigure& fig);

// Geometry and UV set of any mesh (props use them too).
QJsonObject geometryJson(const QString& id, const DomainMesh& mesh, const std::vector<Vec3>& pos,
                         const QString& uvSetId, bool withResolutionChannels);
QJsonObject uvSetJson(const QString& id, const DomainMesh& mesh);

QJsonObject vec3Channels(const QString& key, const Vec3& v);

} // namespace cg
