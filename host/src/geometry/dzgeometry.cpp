#include "dzgeometry.h"

#include "dzbone.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzshape.h"
#include "dzskinbinding.h"
#include "dznodegeometrycache.h"
#include "dzsubdivider.h"

namespace {

// A position as a primvar of the subdivider.
struct PosVar {
    DzVec3 p;
    void Clear(void* = nullptr) { p = DzVec3(); }
    void AddWithWeight(const PosVar& src, float w) { p += src.p * w; }
};

QList<const DzMorph*> morphsOf(const DzNode* node)
{
    QList<const DzMorph*> morphs;
    if (const DzObject* object = node->getObject())
        for (const DzModifier* modifier : object->modifierList())
            if (auto* morph = qobject_cast<const DzMorph*>(modifier))
                if (morph->getDeltas() && morph->getValueControl())
                    morphs.append(morph);
    return morphs;
}

DzSkinBinding* skinBindingOf(const DzNode* node)
{
    const DzObject* object = node->getObject();
    return object ? object->findSkinBinding() : nullptr;
}

// The subdivision tables the node evaluates `level` (1 and up) with, shared by every figure of
// the same mesh and remembered until the mesh changes. Tables of level 0 when the mesh cannot be
// refined; those are not made again for a deeper level.
const DzSubdivider& subdividerOf(const DzNode* node, const DzShape* shape, int level)
{
    DzNodeGeometryCache& cache = node->geometryCache();
    const bool sameMesh = cache.subdivider && cache.subdividerShape == shape
                          && cache.subdividerMeshRevision == shape->meshRevision();
    const bool tooShallow =
        sameMesh && cache.subdivider->getLevel() > 0 && cache.subdivider->getLevel() < level;
    if (!sameMesh || tooShallow) {
        cache.subdivider = DzSubdivider::shared(shape->getFacetMesh(), level);
        cache.subdividerShape = shape;
        cache.subdividerMeshRevision = shape->meshRevision();
    }
    return *cache.subdivider;
}

// `level` clamped to the levels the node's mesh can be refined to; a mesh that cannot be
// refined is evaluated as it is.
int reachableLevel(const DzNode* node, const DzShape* shape, int level)
{
    level = std::clamp(level, 0, DzSubdivider::kMaxLevel);
    return level == 0 ? 0 : std::min(level, subdividerOf(node, shape, level).getLevel());
}

// Facets, groups, materials and UVs of the node's mesh at a reachable level.
const DzFacetMesh& topologyOf(const DzNode* node, const DzShape* shape, int level)
{
    return level == 0 ? shape->getFacetMesh() : subdividerOf(node, shape, level).getTopology(level);
}

// Adds value x delta of each (index, delta) pair in range.
void addDeltas(QVector<DzVec3>& positions, const QVector<int>& indices,
               const QVector<DzVec3>& deltas, float value)
{
    const int n = std::min(indices.size(), deltas.size());
    for (int i = 0; i < n; ++i) {
        const int v = indices[i];
        if (v >= 0 && v < positions.size())
            positions[v] += deltas[i] * value;
    }
}

QVector<DzVec3> morphedBasePositions(const DzNode* node, const DzShape* shape)
{
    QVector<DzVec3> positions = shape->getFacetMesh().vertices();
    for (const DzMorph* morph : morphsOf(node)) {
        const float value = morph->getValueControl()->getValue();
        if (value != 0.0f)
            addDeltas(positions, morph->getDeltas()->deltaIndices(),
                      morph->getDeltas()->deltaValues(), value);
    }
    return positions;
}

QVector<DzAffine> baseSkinning(const DzNode* node, int vertexCount)
{
    QVector<DzAffine> skin(vertexCount);
    const DzSkinBinding* binding = skinBindingOf(node);
    const DzSkeleton* skeleton = node->getSkeleton();
    if (!binding || !skeleton)
        return skin;
    QVector<float> boundWeight(vertexCount, 0.0f);
    QVector<DzAffine> blended(vertexCount);
    for (DzAffine& a : blended)
        a.Clear();
    for (int b = 0; b < binding->getNumBoneWeightMaps(); ++b) {
        const DzBone* bone = skeleton->findBone(binding->getBoneName(b));
        const QVector<float>& weights = binding->getBoneWeights(b);
        if (!bone || weights.size() != vertexCount)
            continue;
        const DzAffine m = DzGeometry::boneSkinningMatrix(bone);
        for (int v = 0; v < vertexCount; ++v)
            if (weights[v] != 0.0f) {
                blended[v].AddWithWeight(m, weights[v]);
                boundWeight[v] += weights[v];
            }
    }
    // Whatever weight is left keeps the vertex where it is.
    for (int v = 0; v < vertexCount; ++v) {
        blended[v].AddWithWeight(DzAffine::identity(), 1.0f - boundWeight[v]);
        skin[v] = blended[v];
    }
    return skin;
}

} // namespace

namespace DzGeometry {

DzShape* currentShape(const DzNode* node)
{
    const DzObject* object = node ? node->getObject() : nullptr;
    return object ? object->getCurrentShape() : nullptr;
}

int evaluatedLevel(const DzNode* node)
{
    const DzShape* shape = currentShape(node);
    return shape ? std::min(shape->getEvaluatedLevel(), DzSubdivider::kMaxLevel) : 0;
}

int vertexCount(const DzNode* node, int level)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return 0;
    level = reachableLevel(node, shape, level);
    return level == 0 ? shape->getNumVertices()
                      : subdividerOf(node, shape, level).getNumVertices(level);
}

QVector<DzVec3> restPositions(const DzNode* node, int level)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return {};
    level = reachableLevel(node, shape, level);
    DzNodeGeometryCache& cache = node->geometryCache();
    const auto cached = cache.restPositions.constFind(level);
    if (cached != cache.restPositions.constEnd())
        return *cached;

    QVector<DzVec3> positions = level == 0 ? morphedBasePositions(node, shape)
                                           : restPositions(node, level - 1);
    if (level > 0) {
        QVector<PosVar> parent(positions.size());
        for (int i = 0; i < positions.size(); ++i)
            parent[i].p = positions[i];
        const QVector<PosVar> child =
            subdividerOf(node, shape, level).refineOneLevel(level, parent);
        positions.resize(child.size());
        for (int i = 0; i < child.size(); ++i)
            positions[i] = child[i].p;
        // HD detail belongs to its level and is refined further with the mesh.
        for (const DzMorph* morph : morphsOf(node)) {
            const DzMorphDeltas* deltas = morph->getDeltas();
            const float value = morph->getValueControl()->getValue();
            if (deltas->getHDLevel() == level && value != 0.0f)
                addDeltas(positions, deltas->hdDeltaIndices(), deltas->hdDeltaValues(), value);
        }
    }
    cache.restPositions.insert(level, positions);
    return positions;
}

QVector<DzAffine> skinningMatrices(const DzNode* node, int level)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return {};
    level = reachableLevel(node, shape, level);
    DzNodeGeometryCache& cache = node->geometryCache();
    const auto cached = cache.skinning.constFind(level);
    if (cached != cache.skinning.constEnd())
        return *cached;
    // Skinning is linear in the weights, so refining the blended transforms equals
    // blending with refined weights.
    const QVector<DzAffine> skin =
        level == 0 ? baseSkinning(node, shape->getNumVertices())
                   : subdividerOf(node, shape, level)
                                 .refineOneLevel(level, skinningMatrices(node, level - 1));
    cache.skinning.insert(level, skin);
    return skin;
}

DzFacetMesh restMesh(const DzNode* node, int level)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return {};
    level = reachableLevel(node, shape, level);
    DzFacetMesh mesh = topologyOf(node, shape, level);
    mesh.setVertices(restPositions(node, level));
    return mesh;
}

std::shared_ptr<const DzSubdivider> subdivisionTables(const DzNode* node, int level)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return nullptr;
    subdividerOf(node, shape, level);
    return node->geometryCache().subdivider;
}

DzAffine boneSkinningMatrix(const DzBone* bone)
{
    const DzAffine local = DzAffine::rotationAbout(bone->getOrigin(),
                                                   bone->getXRotControl()->getValue(),
                                                   bone->getYRotControl()->getValue(),
                                                   bone->getZRotControl()->getValue());
    if (auto* parent = qobject_cast<const DzBone*>(bone->getNodeParent()))
        return boneSkinningMatrix(parent) * local;
    return local;
}

DzAffine worldMatrix(const DzNode* node)
{
    DzNodeGeometryCache& cache = node->geometryCache();
    if (cache.worldMatrixValid)
        return cache.worldMatrix;
    const DzVec3 translate(node->getXPosControl()->getValue(), node->getYPosControl()->getValue(),
                           node->getZPosControl()->getValue());
    const DzAffine local = DzAffine::translation(translate)
                           * DzAffine::rotationXYZ(node->getXRotControl()->getValue(),
                                                   node->getYRotControl()->getValue(),
                                                   node->getZRotControl()->getValue())
                           * DzAffine::scaling(node->getScaleControl()->getValue());
    DzAffine parentWorld;
    if (const DzNode* parent = node->getNodeParent()) {
        parentWorld = worldMatrix(parent);
        if (auto* bone = qobject_cast<const DzBone*>(parent))
            if (const DzSkeleton* skeleton = bone->getSkeleton())
                parentWorld = worldMatrix(skeleton) * boneSkinningMatrix(bone);
    }
    // A bone is placed by its skeleton; its own transform is a rotation of the skin.
    if (auto* bone = qobject_cast<const DzBone*>(node))
        if (const DzSkeleton* skeleton = bone->getSkeleton())
            cache.worldMatrix = worldMatrix(skeleton) * boneSkinningMatrix(bone);
        else
            cache.worldMatrix = parentWorld * local;
    else
        cache.worldMatrix = parentWorld * local;
    cache.worldMatrixValid = true;
    return cache.worldMatrix;
}

const DzFacetMesh* worldMesh(const DzNode* node)
{
    const DzShape* shape = currentShape(node);
    if (!shape || shape->getFacetMesh().isEmpty())
        return nullptr;
    DzNodeGeometryCache& cache = node->geometryCache();
    if (cache.worldMeshValid)
        return &cache.worldMesh;
    const int level = reachableLevel(node, shape, evaluatedLevel(node));
    const QVector<DzVec3> rest = restPositions(node, level);
    const QVector<DzAffine> skin = skinningMatrices(node, level);
    const DzAffine world = worldMatrix(node);
    QVector<DzVec3> positions(rest.size());
    DzBox3 box;
    for (int i = 0; i < rest.size(); ++i) {
        positions[i] = world.apply(skin[i].apply(rest[i]));
        box.include(positions[i]);
    }
    cache.worldMesh = topologyOf(node, shape, level);
    cache.worldMesh.setVertices(positions);
    cache.worldBox = box;
    cache.worldMeshValid = true;
    return &cache.worldMesh;
}

DzBox3 worldBoundingBox(const DzNode* node)
{
    if (!worldMesh(node))
        return {};
    return node->geometryCache().worldBox;
}

} // namespace DzGeometry
