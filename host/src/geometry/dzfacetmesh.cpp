#include "dzfacetmesh.h"

bool DzFacetMesh::addFacet(const DzFacet& facet)
{
    const int corners = facet.numCorners();
    for (int i = 0; i < 3; ++i)
        if (facet.m_vertIdx[i] < 0)
            return false;
    for (int i = 0; i < corners; ++i)
        if (facet.m_vertIdx[i] >= _vertices.size())
            return false;
    _facets.append(facet);
    return true;
}

bool DzFacetMesh::addFacet(const QVector<int>& vertexIndices, int faceGroup, int material,
                           const QVector<int>& uvIndices)
{
    const int n = vertexIndices.size();
    if (n < 3 || n > 4 || (!uvIndices.isEmpty() && uvIndices.size() != n))
        return false;
    DzFacet facet;
    for (int i = 0; i < n; ++i) {
        facet.m_vertIdx[i] = vertexIndices[i];
        facet.m_uvwIdx[i] = uvIndices.isEmpty() ? -1 : uvIndices[i];
    }
    facet.m_faceGroupIdx = faceGroup;
    facet.m_materialIdx = material;
    return addFacet(facet);
}

int DzFacetMesh::findOrAddFaceGroup(const QString& name)
{
    const int index = _faceGroups.indexOf(name);
    if (index >= 0)
        return index;
    _faceGroups.append(name);
    return _faceGroups.size() - 1;
}

int DzFacetMesh::findOrAddMaterial(const QString& name)
{
    const int index = _materials.indexOf(name);
    if (index >= 0)
        return index;
    _materials.append(name);
    return _materials.size() - 1;
}

bool DzFacetMesh::hasUVs() const
{
    if (_uvs.isEmpty() || _facets.isEmpty())
        return false;
    for (const DzFacet& f : _facets)
        for (int i = 0; i < f.numCorners(); ++i)
            if (f.m_uvwIdx[i] < 0 || f.m_uvwIdx[i] >= _uvs.size())
                return false;
    return true;
}
