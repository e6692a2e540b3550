#include "dzsubdivider.h"

#include <QMultiHash>
#include <algorithm>
#include <cstring>
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

Sdc::Options hostSubdivisionOptions()
{
    Sdc::Options options;
    options.SetVtxBoundaryInterpolation(Sdc::Options::VTX_BOUNDARY_EDGE_AND_CORNER);
    options.SetFVarLinearInterpolation(Sdc::Options::FVAR_LINEAR_CORNERS_ONLY);
    return options;
}

// The mesh without its positions: what the tables depend on.
DzFacetMesh topologyOnly(const DzFacetMesh& mesh)
{
    DzFacetMesh topology = mesh;
    topology.setVertices(QVector<DzVec3>(mesh.getNumVertices()));
    return topology;
}

template <class T>
bool sameBytes(const QVector<T>& a, const QVector<T>& b)
{
    return a.size() == b.size()
        && std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(T)) == 0;
}

uint topologyHash(const DzFacetMesh& mesh)
{
    const QVector<DzFacet>& facets = mesh.facets();
    const QVector<QPointF>& uvs = mesh.uvs();
    uint seed = qHash(mesh.getNumVertices());
    seed = qHashBits(facets.constData(), size_t(facets.size()) * sizeof(DzFacet), seed);
    seed = qHashBits(uvs.constData(), size_t(uvs.size()) * sizeof(QPointF), seed);
    return qHash(mesh.faceGroupNames(), seed) ^ qHash(mesh.materialNames(), seed);
}

// Every set of tables someone still holds, by topology hash.
QMultiHash<uint, std::weak_ptr<const DzSubdivider>>& sharedTables()
{
    static QMultiHash<uint, std::weak_ptr<const DzSubdivider>> tables;
    return tables;
}
} // namespace

DzSubdivider::DzSubdivider(const DzFacetMesh& base, int level)
    : _base(topologyOnly(base)), _hasUVs(base.hasUVs())
{
    buildRefiner(std::clamp(level, 1, kMaxLevel));
    _topology.resize(_level + 1);
    _topology[0] = _base;
    if (_level > 0)
        _topology[_level] = buildTopology(_level);
}

DzSubdivider::~DzSubdivider() = default;

std::shared_ptr<const DzSubdivider> DzSubdivider::shared(const DzFacetMesh& base, int level)
{
    level = std::clamp(level, 1, kMaxLevel);
    const uint key = topologyHash(base);
    auto& tables = sharedTables();
    for (auto it = tables.find(key); it != tables.end() && it.key() == key;) {
        std::shared_ptr<const DzSubdivider> held = it->lock();
        if (!held) {
            it = tables.erase(it);
            continue;
        }
        if (held->getLevel() >= level && held->hasTopologyOf(base))
            return held;
        ++it;
    }
    auto made = std::make_shared<const DzSubdivider>(base, level);
    if (made->getLevel() > 0)
        tables.insert(key, made);
    return made;
}

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
    if (!_refiner)
        return;
    Far::TopologyRefiner::UniformOptions uniform(level);
    // Values are only ever refined from the last level, never through it: its edges and
    // vertex neighbourhoods are not needed.
    uniform.fullTopologyInLastLevel = false;
    _refiner->RefineUniform(uniform);
    _level = level;
}

int DzSubdivider::getLevel() const { return _level; }

int DzSubdivider::getNumVertices(int level) const
{
    if (level < 0 || level > _level)
        return 0;
    return level == 0 ? _base.getNumVertices() : _refiner->GetLevel(level).GetNumVertices();
}

const DzFacetMesh& DzSubdivider::getTopology(int level) const
{
    static const DzFacetMesh kNone;
    if (level < 0 || level > _level)
        return kNone;
    // Figures evaluate at the tables' own level; a shallower topology is made when asked for.
    if (_topology[level].isEmpty())
        _topology[level] = buildTopology(level);
    return _topology[level];
}

bool DzSubdivider::hasTopologyOf(const DzFacetMesh& mesh) const
{
    return mesh.getNumVertices() == _base.getNumVertices()
        && sameBytes(mesh.facets(), _base.facets()) && sameBytes(mesh.uvs(), _base.uvs())
        && mesh.faceGroupNames() == _base.faceGroupNames()
        && mesh.materialNames() == _base.materialNames();
}

DzFacetMesh DzSubdivider::buildTopology(int level) const
{
    DzFacetMesh mesh;
    for (const QString& name : _base.faceGroupNames())
        mesh.findOrAddFaceGroup(name);
    for (const QString& name : _base.materialNames())
        mesh.findOrAddMaterial(name);
    mesh.setVertices(QVector<DzVec3>(getNumVertices(level)));

    if (_hasUVs) {
        QVector<UvVar> uvs(_base.getNumUVs());
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
        for (int c = 0; c < verts.size() && c < 4; ++c)
            facet.m_vertIdx[c] = verts[c];
        if (_hasUVs) {
            const Far::ConstIndexArray uvs = top.GetFaceFVarValues(f, 0);
            for (int c = 0; c < uvs.size() && c < 4; ++c)
                facet.m_uvwIdx[c] = uvs[c];
        }
        facet.m_faceGroupIdx = parent.m_faceGroupIdx;
        facet.m_materialIdx = parent.m_materialIdx;
        mesh.addFacet(facet);
    }
    return mesh;
}
