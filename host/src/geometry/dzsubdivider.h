#pragma once

#include <QVector>
#include <memory>
#include <opensubdiv/far/primvarRefiner.h>
#include <opensubdiv/far/topologyRefiner.h>

#include "dzfacetmesh.h"

// Catmull-Clark subdivision tables of a facet mesh with the host's boundary rules (edges and
// corners kept sharp), refined uniformly to a fixed level when made. They hold topology only
// (facets, groups, materials, UVs), never positions, so every figure of one mesh can share
// them: see shared(). Values are refined one level at a time so callers can add offsets that
// belong to a level before the next one is made.
class DzSubdivider {
public:
    // Refines the mesh to `level` (clamped to 1..kMaxLevel). A mesh OpenSubdiv refuses (one
    // without facets, a vertex of too many facets) gives tables of level 0.
    DzSubdivider(const DzFacetMesh& base, int level);
    ~DzSubdivider();
    DzSubdivider(const DzSubdivider&) = delete;
    DzSubdivider& operator=(const DzSubdivider&) = delete;

    // Tables of the mesh's topology refined at least to `level`: made once and shared while
    // anyone holds them. Meshes with the same facets, groups, materials and UVs share, whatever
    // their positions.
    static std::shared_ptr<const DzSubdivider> shared(const DzFacetMesh& base, int level);

    // The deepest level refined: the level asked for, or 0 when the mesh was refused.
    int getLevel() const;
    // Vertex count at a level; 0 above getLevel().
    int getNumVertices(int level) const;
    // Facets, face groups, materials and UVs at a level (empty above getLevel()). Its vertices
    // are placeholders at the origin: set the level's positions before using it as a shape.
    const DzFacetMesh& getTopology(int level) const;
    // True when `mesh` has exactly the topology these tables were made from.
    bool hasTopologyOf(const DzFacetMesh& mesh) const;

    // Values at `level` from values at `level - 1`; empty when `level` is not in 1..getLevel()
    // or the parent count is not that of `level - 1`. T has Clear() and AddWithWeight(T, float).
    template <class T>
    QVector<T> refineOneLevel(int level, const QVector<T>& parentValues) const
    {
        if (level < 1 || level > _level || parentValues.size() != getNumVertices(level - 1))
            return {};
        QVector<T> child(getNumVertices(level));
        const T* src = parentValues.constData();
        T* dst = child.data();
        OpenSubdiv::Far::PrimvarRefiner(*_refiner).Interpolate(level, src, dst);
        return child;
    }

    static constexpr int kMaxLevel = 4;

private:
    void buildRefiner(int level);
    DzFacetMesh buildTopology(int level) const;

    DzFacetMesh _base;
    bool _hasUVs = false;
    int _level = 0;
    std::unique_ptr<OpenSubdiv::Far::TopologyRefiner> _refiner;
    mutable QVector<DzFacetMesh> _topology; // per level, 0.._level
};
