#pragma once

#include <QMetaType>
#include <QPointF>
#include <QStringList>
#include <QVector>

#include "dzvec3.h"

// One polygon of a facet mesh: a triangle (m_vertIdx[3] == -1) or a quad.
struct DzFacet {
    DzFacet() {}

    int m_vertIdx[4] = {-1, -1, -1, -1};
    // Indices into the mesh's UV list per corner, -1 without UVs.
    int m_uvwIdx[4] = {-1, -1, -1, -1};
    int m_faceGroupIdx = 0;
    int m_materialIdx = 0;

    bool isQuad() const { return m_vertIdx[3] >= 0; }
    int numCorners() const { return isQuad() ? 4 : 3; }
};

// A polygon mesh of triangles and quads with face groups, material groups and optional UVs.
// A plain value: copy it freely.
class DzFacetMesh {
public:
    int getNumVertices() const { return _vertices.size(); }
    DzVec3 getVertex(int index) const { return _vertices.value(index); }
    void setVertex(int index, const DzVec3& p) { _vertices[index] = p; }
    int addVertex(const DzVec3& p)
    {
        _vertices.append(p);
        return _vertices.size() - 1;
    }
    const QVector<DzVec3>& vertices() const { return _vertices; }
    void setVertices(const QVector<DzVec3>& vertices) { _vertices = vertices; }

    int getNumFacets() const { return _facets.size(); }
    const DzFacet& getFacet(int index) const { return _facets[index]; }
    const QVector<DzFacet>& facets() const { return _facets; }
    // Appends a facet; false (nothing added) when a vertex index is out of range or the
    // corner count is not 3 or 4.
    bool addFacet(const DzFacet& facet);
    // Convenience: a triangle or quad of vertex indices in the given groups.
    bool addFacet(const QVector<int>& vertexIndices, int faceGroup = 0, int material = 0,
                  const QVector<int>& uvIndices = {});

    int getNumFaceGroups() const { return _faceGroups.size(); }
    QString getFaceGroupName(int index) const { return _faceGroups.value(index); }
    // Index of the group with that name, added when missing.
    int findOrAddFaceGroup(const QString& name);
    const QStringList& faceGroupNames() const { return _faceGroups; }

    int getNumMaterials() const { return _materials.size(); }
    QString getMaterialName(int index) const { return _materials.value(index); }
    int findOrAddMaterial(const QString& name);
    const QStringList& materialNames() const { return _materials; }

    int getNumUVs() const { return _uvs.size(); }
    QPointF getUV(int index) const { return _uvs.value(index); }
    int addUV(const QPointF& uv)
    {
        _uvs.append(uv);
        return _uvs.size() - 1;
    }
    const QVector<QPointF>& uvs() const { return _uvs; }
    // True when every facet corner has a valid UV index.
    bool hasUVs() const;

    bool isEmpty() const { return _vertices.isEmpty(); }
    void clear() { *this = DzFacetMesh(); }

private:
    QVector<DzVec3> _vertices;
    QVector<DzFacet> _facets;
    QStringList _faceGroups;
    QStringList _materials;
    QVector<QPointF> _uvs;
};

Q_DECLARE_METATYPE(DzFacetMesh*)
