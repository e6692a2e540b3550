#pragma once

#include <QHash>
#include <QVector>
#include <memory>

#include "dzaffine.h"
#include "dzbox3.h"
#include "dzfacetmesh.h"

class DzSubdivider;
class DzShape;

// What a node remembers of its evaluated geometry. Cleared by DzNode::invalidateGeometry (all
// but the topology), DzNode::invalidateWorldTransform (the world part) and by the scene when the
// node leaves it (everything).
struct DzNodeGeometryCache {
    // Rest positions with the current morphs, per subdivision level.
    QHash<int, QVector<DzVec3>> restPositions;
    // Per-vertex skinning transforms in the figure's space, per subdivision level.
    QHash<int, QVector<DzAffine>> skinning;

    bool worldMatrixValid = false;
    DzAffine worldMatrix;
    bool worldMeshValid = false;
    DzFacetMesh worldMesh;
    DzBox3 worldBox;

    // Refinement of the shape's mesh, shared with every figure of the same mesh; replaced only
    // when the mesh changes or a deeper level is asked for.
    std::shared_ptr<const DzSubdivider> subdivider;
    const DzShape* subdividerShape = nullptr;
    int subdividerMeshRevision = -1;

    void clearEvaluation()
    {
        restPositions.clear();
        skinning.clear();
        worldMeshValid = false;
    }
    void clearWorld()
    {
        worldMatrixValid = false;
        worldMeshValid = false;
    }
    // Gives back the memory of every result and the node's hold on the shared tables.
    void release() { *this = DzNodeGeometryCache(); }
};
