#pragma once

#include <QHash>
#include <QVector>
#include <memory>
#include <opensubdiv/far/primvarRefiner.h>
#include <opensubdiv/far/topologyRefiner.h>

#include "dzfacetmesh.h"

// Catmull-Clark subdivision of a facet mesh with the host's boundary rules (edges and corners
// kept sharp). Uniform refinement; values are refined one level at a time so callers can add
// offsets that belong to a level before the next one is made.
class DzSubdivider {
public:
    explicit DzSubdivider(const DzFacetMesh& base);
    ~DzSubdivider();

    // Makes levels 1..level available (levels are capped at kMaxLevel).
    void ensureLevel(int level);
    int getRefinedLevel() const;
    // `level`, or 0 when OpenSubdiv refuses the mesh (one without facets, a vertex of too many
    // facets): such a mesh is used as it is.
    int reachableLevel(int level);
    int getNumVertices(int level);
    // Facets, face groups, materials and UVs at a level; vertices are the refined base
    // positions (no morphs).
    const DzFacetMesh& getTopology(int level);

    // Values at `level` from values at `level - 1`, empty when the mesh cannot be refined.
    // T has Clear() and AddWithWeight(T, float).
    template <class T>
    QVector<T> refineOneLevel(int level, const QVector<T>& parentValues)
    {
        if (reachableLevel(level) != level || level < 1)
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
    DzFacetMesh buildTopology(int level);

    DzFacetMesh _base;
    bool _hasUVs = false;
    int _refinedLevel = 0;
    bool _refused = false;
    std::unique_ptr<OpenSubdiv::Far::TopologyRefiner> _refiner;
    QHash<int, DzFacetMesh> _topology;
};
