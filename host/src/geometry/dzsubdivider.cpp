#include "dzsubdivider.h"

#include <algorithm>
#include <opensubdiv/far/topologyDescriptor.h>

using namespace OpenSubdiv;

namespace {
// A UV as a face-varying primvar.
struct UvVar {
    float u = 0.0f;
    float v = 0.0f;
    void Clear(void* = nullptr) { u = v = 0.0f; }
    void AddWithWeight(const UvVar& src, float w)
    {
        u += w * src.u;
        v += w * src.v;
    }
};

// A position as a vertex primvar.
struct PosVar {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    void Clear(void* = nullptr) { x = y = z = 0.0f; }
    void AddWithWeight(const PosVar& src, float w)
    {
        x += w * src.x;
        y += w * src.y;
        z += w * src.z;
    }
};

Sdc::Options hostSubdivisionOptions()
{
    Sdc::Options options;
    options.SetVtxBoundaryInterpolation(Sdc::Options::VTX_BOUNDARY_EDGE_AND_CORNER);
    options.SetFVarLinearInterpolation(Sdc::Options::FVAR_LINEAR_CORNERS_ONLY);
    return options;
}
} // namespace

DzSubdivider::DzSubdivider(const DzFacetMesh& base) : _base(base), _hasUVs(base.hasUVs()) {}

DzSubdivider::~DzSubdivider() = default;

void DzSubdivider::buildRefiner(int level)
{
    std::vector<int> vertsPerFace;
    std::vector<int> vertIndices;
    std::vector<int> uvIndices;
    vertsPerFace.reserve(_base.getNumFacets());
    for (const DzFacet& f : _base.facets()) {
        vertsPerFace.push_back(f.numCorners());
        for (int c = 0; c < f.numCorners(); ++c) {
            vertIndices.push_back(f.m_vertIdx[c]);
            uvIndices.push_back(f.m_uvwIdx[c]);
        }
    }
    Far::TopologyDescriptor desc;
    desc.numVertices = _base.getNumVertices();
    desc.numFaces = int(vertsPerFace.size());
    desc.numVertsPerFace = vertsPerFace.data();
    desc.vertIndicesPerFace = vertIndices.data();
    Far::TopologyDescriptor::FVarChannel uvChannel;
    if (_hasUVs) {
        uvChannel.numValues = _base.getNumUVs();
        uvChannel.valueIndices = uvIndices.data();
        desc.numFVarChannels = 1;
        desc.fvarChannels = &uvChannel;
    }
    using Factory = Far::TopologyRefinerFactory<Far::TopologyDescriptor>;
    _refiner.reset(Factory::Create(
        desc, Factory::Options(Sdc::SCHEME_CATMARK, hostSubdivisionOptions())));
    if (!_refiner) {
        _refused = true;
        return;
    }
    Far::TopologyRefiner::UniformOptions uniform(level);
    uniform.fullTopologyInLastLevel = true;
    _refiner->RefineUniform(uniform);
    _refinedLevel = level;
    _topology.clear();
}

void DzSubdivider::ensureLevel(int level)
{
    level = std::clamp(level, 0, kMaxLevel);
    if (_refused || (_refiner && level <= _refinedLevel))
        return;
    buildRefiner(std::max(level, 1));
}

int DzSubdivider::getRefinedLevel() const { return _refinedLevel; }

int DzSubdivider::reachableLevel(int level)
{
    ensureLevel(level);
    return _refused ? 0 : std::clamp(level, 0, kMaxLevel);
}

int DzSubdivider::getNumVertices(int level)
{
    if (level <= 0)
        return _base.getNumVertices();
    ensureLevel(level);
    return _refiner ? _refiner->GetLevel(level).GetNumVertices() : 0;
}

const DzFacetMesh& DzSubdivider::getTopology(int level)
{
    if (level <= 0)
        return _base;
    ensureLevel(level);
    auto it = _topology.find(level);
    if (it == _topology.end())
        it = _topology.insert(level, buildTopology(level));
    return *it;
}

DzFacetMesh DzSubdivider::buildTopology(int level)
{
    DzFacetMesh mesh;
    if (!_refiner)
        return mesh;
    for (const QString& name : _base.faceGroupNames())
        mesh.findOrAddFaceGroup(name);
    for (const QString& name : _base.materialNames())
        mesh.findOrAddMaterial(name);

    // Positions of the plain base mesh, so the topology is a usable mesh on its own.
    QVector<PosVar> positions(_base.getNumVertices());
    for (int i = 0; i < positions.size(); ++i) {
        const DzVec3 p = _base.getVertex(i);
        positions[i] = {p.m_x, p.m_y, p.m_z};
    }
    for (int l = 1; l <= level; ++l)
        positions = refineOneLevel(l, positions);
    QVector<DzVec3> vertices(positions.size());
    for (int i = 0; i < positions.size(); ++i)
        vertices[i] = {positions[i].x, positions[i].y, positions[i].z};
    mesh.setVertices(vertices);

    QVector<UvVar> uvs;
    if (_hasUVs) {
        uvs.resize(_base.getNumUVs());
        for (int i = 0; i < uvs.size(); ++i)
            uvs[i] = {float(_base.getUV(i).x()), float(_base.getUV(i).y())};
        Far::PrimvarRefiner primvar(*_refiner);
        for (int l = 1; l <= level; ++l) {
            QVector<UvVar> child(_refiner->GetLevel(l).GetNumFVarValues(0));
            const UvVar* src = uvs.constData();
            UvVar* dst = child.data();
            primvar.InterpolateFaceVarying(l, src, dst, 0);
            uvs = child;
        }
        for (const UvVar& uv : uvs)
            mesh.addUV(QPointF(uv.u, uv.v));
    }

    // Each refined face keeps the groups of the base face it came from.
    const Far::TopologyLevel& top = _refiner->GetLevel(level);
    for (int f = 0; f < top.GetNumFaces(); ++f) {
        int baseFace = f;
        for (int l = level; l >= 1; --l)
            baseFace = _refiner->GetLevel(l).GetFaceParentFace(baseFace);
        const DzFacet& parent = _base.getFacet(baseFace);
        DzFacet facet;
        const Far::ConstIndexArray verts = top.GetFaceVertices(f);
        for (int c = 0; c < verts.size() && c < 4; ++c) {
            facet.m_vertIdx[c] = verts[c];
            if (_hasUVs)
                facet.m_uvwIdx[c] = top.GetFaceFVarValues(f, 0)[c];
        }
        facet.m_faceGroupIdx = parent.m_faceGroupIdx;
        facet.m_materialIdx = parent.m_materialIdx;
        mesh.addFacet(facet);
    }
    return mesh;
}
