#pragma once

#include <QVector>
#include <memory>

#include "dzaffine.h"
#include "dzbox3.h"
#include "dzfacetmesh.h"

class DzBone;
class DzNode;
class DzShape;
class DzSubdivider;

// Evaluation of a node's geometry, in this order: base positions plus morph value x delta;
// Catmull-Clark subdivision to the shape's level at high resolution, plus the HD deltas of each
// level on the way; linear blend skinning by the bones (weights refined with the mesh); the
// node's world transform. Results are cached on the node until something they depend on changes.
// Level 0 is the base mesh; a mesh that cannot be subdivided is evaluated at level 0 whatever the
// level asked for.
namespace DzGeometry {

// The current shape of the node's object, null without one.
DzShape* currentShape(const DzNode* node);
// The level the node evaluates at now (0 at base resolution or without a shape).
int evaluatedLevel(const DzNode* node);
// Vertex count at a level, 0 without geometry.
int vertexCount(const DzNode* node, int level);

// Facets, face groups, materials and UVs at a level; positions are the rest positions.
DzFacetMesh restMesh(const DzNode* node, int level);
// Rest positions with the current morph values (HD deltas of levels up to `level` included).
QVector<DzVec3> restPositions(const DzNode* node, int level);
// Per-vertex skinning transforms (the figure's space) at a level; identity when unbound.
QVector<DzAffine> skinningMatrices(const DzNode* node, int level);

// The subdivision tables of the node's mesh refined at least to `level` (1 and up), shared with
// every figure of the same mesh; null without geometry.
std::shared_ptr<const DzSubdivider> subdivisionTables(const DzNode* node, int level);

// The bone's transform of its skin in the figure's space: parent bone's * T(c) R T(-c).
DzAffine boneSkinningMatrix(const DzBone* bone);
// T(translate) * Rz*Ry*Rx * S(scale), after the parent's world transform.
DzAffine worldMatrix(const DzNode* node);

// The evaluated mesh in world space at the evaluated level; null without geometry.
const DzFacetMesh* worldMesh(const DzNode* node);
DzBox3 worldBoundingBox(const DzNode* node);

} // namespace DzGeometry
