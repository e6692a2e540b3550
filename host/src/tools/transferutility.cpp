#include "dztransferutility.h"

#include <vector>

#include "dzfigure.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "geometry/dzgeometry.h"
#include "transfer_surface.h"

namespace {

// Offsets shorter than this are rounding noise of the interpolation, not shape.
constexpr float kMinDeltaLength = 1e-6f;

const DzFacetMesh* baseMeshOf(const DzNode* node)
{
    const DzShape* shape = node ? DzGeometry::currentShape(node) : nullptr;
    if (!shape || shape->getFacetMesh().isEmpty() || shape->getFacetMesh().getNumFacets() == 0)
        return nullptr;
    return &shape->getFacetMesh();
}

// The undialled base mesh where the node stands. Dials are left out so the correspondence
// does not depend on which morphs happen to be dialled during the transfer.
QVector<DzVec3> placedBasePositions(const DzNode* node, const DzFacetMesh& mesh)
{
    const DzAffine world = DzGeometry::worldMatrix(node);
    QVector<DzVec3> positions(mesh.getNumVertices());
    for (int i = 0; i < positions.size(); ++i)
        positions[i] = world.apply(mesh.getVertex(i));
    return positions;
}

QList<DzMorph*> morphsOf(const DzNode* node)
{
    QList<DzMorph*> morphs;
    if (DzObject* object = node->getObject())
        for (DzModifier* modifier : object->modifierList())
            if (auto* morph = qobject_cast<DzMorph*>(modifier))
                morphs.append(morph);
    return morphs;
}

QList<DzMorph*> chosenMorphs(const DzNode* source, int mode, const QStringList& list)
{
    const QList<DzMorph*> all = morphsOf(source);
    if (mode == DzTransferUtility::AllSourceMorphs)
        return all;
    if (mode != DzTransferUtility::ListedSourceMorphs)
        return {};
    QList<DzMorph*> chosen;
    for (const QString& name : list)
        for (DzMorph* morph : all)
            if (morph->getName() == name && !chosen.contains(morph)) {
                chosen.append(morph);
                break;
            }
    return chosen;
}

// The source morph's base deltas interpolated at the hits, turned from the source's rest space
// into the target's.
DzMorphDeltas* projectDeltas(const DzMorph* morph, int sourceVertexCount,
                             const std::vector<DzTransferSurface::Hit>& hits,
                             const DzAffine& sourceToTarget)
{
    std::vector<DzVec3> dense(sourceVertexCount);
    const DzMorphDeltas* deltas = morph->getDeltas();
    for (int i = 0; i < deltas->getNumDeltas(); ++i) {
        const int index = deltas->getDeltaIndex(i);
        if (index >= 0 && index < sourceVertexCount)
            dense[index] = deltas->getDelta(i);
    }
    QVector<int> indices;
    QVector<DzVec3> values;
    for (int v = 0; v < int(hits.size()); ++v) {
        const DzTransferSurface::Hit& hit = hits[v];
        DzVec3 d;
        for (int c = 0; c < 3; ++c)
            d += dense[hit.corners[c]] * hit.weights[c];
        d = sourceToTarget.applyLinear(d);
        if (d.length() > kMinDeltaLength) {
            indices.append(v);
            values.append(d);
        }
    }
    auto* result = new DzMorphDeltas;
    result->setDeltas(indices, values);
    return result;
}

// The target's mesh with each facet in the face group of the source facet nearest its centre.
DzFacetMesh withSourceFaceGroups(const DzFacetMesh& target, const QVector<DzVec3>& targetPositions,
                                 const DzFacetMesh& source, const DzTransferSurface& surface)
{
    QVector<DzVec3> centres;
    centres.reserve(target.getNumFacets());
    for (const DzFacet& facet : target.facets()) {
        DzVec3 centre;
        for (int c = 0; c < facet.numCorners(); ++c)
            centre += targetPositions[facet.m_vertIdx[c]];
        centres.append(centre * (1.0f / facet.numCorners()));
    }
    const std::vector<DzTransferSurface::Hit> hits = surface.closestPoints(centres);

    DzFacetMesh result;
    result.setVertices(target.vertices());
    for (const QPointF& uv : target.uvs())
        result.addUV(uv);
    for (const QString& material : target.materialNames())
        result.findOrAddMaterial(material);
    for (int f = 0; f < target.getNumFacets(); ++f) {
        const DzTransferSurface::Hit& hit = hits[f];
        DzFacet copy = target.getFacet(f);
        copy.m_faceGroupIdx =
            result.findOrAddFaceGroup(source.getFaceGroupName(source.getFacet(hit.facet).m_faceGroupIdx));
        result.addFacet(copy);
    }
    return result;
}

void copyValueControl(const DzFloatProperty* from, DzFloatProperty* to)
{
    to->setLabel(from->getLabel());
    to->setPath(from->getPath());
    to->setHidden(from->isHidden());
    to->setMinMax(from->getMin(), from->getMax());
    to->setIsClamped(from->isClamped());
    to->setDefaultValue(from->getDefaultValue());
}

DzMorph* copyMorph(const DzMorph* morph)
{
    auto* copy = new DzMorph(morph->getName());
    copyValueControl(morph->getValueControl(), copy->getValueControl());
    const DzMorphDeltas* deltas = morph->getDeltas();
    auto* copiedDeltas = new DzMorphDeltas;
    copiedDeltas->setDeltas(deltas->deltaIndices(), deltas->deltaValues());
    if (deltas->hasHDDeltas())
        copiedDeltas->setHDDeltas(deltas->getHDLevel(), deltas->hdDeltaIndices(),
                                  deltas->hdDeltaValues());
    copiedDeltas->setUri(deltas->getUri());
    copy->setDeltas(copiedDeltas);
    copy->getValueControl()->setValue(morph->getValueControl()->getValue());
    return copy;
}

void copyPlacement(const DzNode* from, DzNode* to)
{
    to->getXPosControl()->setValue(from->getXPosControl()->getValue());
    to->getYPosControl()->setValue(from->getYPosControl()->getValue());
    to->getZPosControl()->setValue(from->getZPosControl()->getValue());
    to->getXRotControl()->setValue(from->getXRotControl()->getValue());
    to->getYRotControl()->setValue(from->getYRotControl()->getValue());
    to->getZRotControl()->setValue(from->getZRotControl()->getValue());
    to->getScaleControl()->setValue(from->getScaleControl()->getValue());
}

// A figure standing in for `target`: same name, label, placement, visibility, mesh (with the
// given face groups) and resolution, and copies of its morphs.
DzFigure* figureFor(const DzNode* target, const DzFacetMesh& mesh)
{
    auto* figure = new DzFigure;
    figure->setName(target->getName());
    figure->setLabel(target->getLabel());
    figure->setAssetUri(target->getAssetUri());
    figure->setVisible(target->isVisible());
    copyPlacement(target, figure);

    const DzShape* oldShape = DzGeometry::currentShape(target);
    auto* object = new DzObject;
    auto* shape = new DzShape;
    shape->setName(oldShape->getName());
    shape->setFacetMesh(mesh);
    shape->getSubDIALevelControl()->setValue(oldShape->getSubDIALevelControl()->getValue());
    shape->getLODControl()->setValue(oldShape->getLODControl()->getValue());
    object->addShape(shape);
    figure->setObject(object);
    for (const DzMorph* morph : morphsOf(target))
        object->addModifier(copyMorph(morph));
    return figure;
}

// Adds the morph, or replaces the deltas of the node's morph of that name when allowed.
void addTransferredMorph(DzNode* node, const DzMorph* source, DzMorphDeltas* deltas, bool replace)
{
    DzObject* object = node->getObject();
    if (auto* existing = qobject_cast<DzMorph*>(object->findModifier(source->getName()))) {
        if (replace)
            existing->setDeltas(deltas);
        else
            delete deltas;
        return;
    }
    auto* morph = new DzMorph(source->getName());
    copyValueControl(source->getValueControl(), morph->getValueControl());
    morph->setDeltas(deltas);
    object->addModifier(morph);
}

// Puts the figure where the target was: the target leaves the scene first, then the figure
// enters with the target's children and selection.
void replaceInScene(DzNode* target, DzFigure* figure)
{
    DzScene* scene = target->getScene();
    DzNode* parent = target->getNodeParent();
    const bool wasSelected = target->isSelected();
    const bool wasPrimary = scene->getPrimarySelection() == target;
    QList<DzNode*> children;
    while (target->getNumNodeChildren() > 0) {
        DzNode* child = target->getNodeChild(0);
        target->removeNodeChild(child);
        children.append(child);
    }
    scene->removeNode(target);
    if (parent)
        parent->addNodeChild(figure);
    else
        scene->addNode(figure);
    for (DzNode* child : children)
        figure->addNodeChild(child);
    if (wasPrimary)
        scene->setPrimarySelection(figure);
    else if (wasSelected)
        figure->select(true);
}

} // namespace

DzTransferUtility::DzTransferUtility() = default;
DzTransferUtility::~DzTransferUtility() = default;

bool DzTransferUtility::setSource(DzNode* node)
{
    _source = node;
    return baseMeshOf(node) != nullptr;
}

bool DzTransferUtility::setTarget(DzNode* node)
{
    _target = node;
    return baseMeshOf(node) != nullptr;
}

DzNode* DzTransferUtility::getSource() const { return _source; }
DzNode* DzTransferUtility::getTarget() const { return _target; }

void DzTransferUtility::setTransferMorphs(bool onOff) { _transferMorphs = onOff; }
bool DzTransferUtility::getTransferMorphs() const { return _transferMorphs; }
void DzTransferUtility::setTransferSourceMorphs(int mode) { _sourceMorphs = mode; }
int DzTransferUtility::getTransferSourceMorphs() const { return _sourceMorphs; }
void DzTransferUtility::setMorphTransferList(const QStringList& morphNames) { _morphList = morphNames; }
QStringList DzTransferUtility::getMorphTransferList() const { return _morphList; }
void DzTransferUtility::setOverrideExistingMorphs(bool onOff) { _overrideExisting = onOff; }
bool DzTransferUtility::getOverrideExistingMorphs() const { return _overrideExisting; }
void DzTransferUtility::setTransferBinding(bool onOff) { _transferBinding = onOff; }
bool DzTransferUtility::getTransferBinding() const { return _transferBinding; }
void DzTransferUtility::setTransferSelectionMap(bool onOff) { _transferSelectionMap = onOff; }
bool DzTransferUtility::getTransferSelectionMap() const { return _transferSelectionMap; }
void DzTransferUtility::setTransferFaceGroups(bool onOff) { _transferFaceGroups = onOff; }
bool DzTransferUtility::getTransferFaceGroups() const { return _transferFaceGroups; }
void DzTransferUtility::setTransferRegionGroups(bool onOff) { _transferRegionGroups = onOff; }
bool DzTransferUtility::getTransferRegionGroups() const { return _transferRegionGroups; }
void DzTransferUtility::setTargetReplacesSource(bool onOff) { _targetReplacesSource = onOff; }
bool DzTransferUtility::getTargetReplacesSource() const { return _targetReplacesSource; }
void DzTransferUtility::setParentToFigure(bool onOff) { _parentToFigure = onOff; }
bool DzTransferUtility::getParentToFigure() const { return _parentToFigure; }
DzFigure* DzTransferUtility::getResultFigure() const { return _result; }

bool DzTransferUtility::doTransfer()
{
    DzNode* source = _source;
    DzNode* target = _target;
    const DzFacetMesh* sourceMesh = baseMeshOf(source);
    const DzFacetMesh* targetMesh = baseMeshOf(target);
    if (!sourceMesh || !targetMesh || source == target || !target->getScene())
        return false;

    const QVector<DzVec3> sourcePositions = placedBasePositions(source, *sourceMesh);
    const QVector<DzVec3> targetPositions = placedBasePositions(target, *targetMesh);
    const DzTransferSurface surface(*sourceMesh, sourcePositions);
    const std::vector<DzTransferSurface::Hit> hits = surface.closestPoints(targetPositions);
    const DzAffine sourceToTarget =
        DzGeometry::worldMatrix(target).inverted() * DzGeometry::worldMatrix(source);

    const DzFacetMesh mesh = _transferFaceGroups
        ? withSourceFaceGroups(*targetMesh, targetPositions, *sourceMesh, surface)
        : *targetMesh;
    const bool replaceTarget = !qobject_cast<DzFigure*>(target);
    DzFigure* figure = replaceTarget ? figureFor(target, mesh) : qobject_cast<DzFigure*>(target);
    if (!replaceTarget && _transferFaceGroups)
        DzGeometry::currentShape(figure)->setFacetMesh(mesh);

    if (_transferMorphs)
        for (const DzMorph* morph : chosenMorphs(source, _sourceMorphs, _morphList))
            addTransferredMorph(figure,
                                morph,
                                projectDeltas(morph, sourceMesh->getNumVertices(), hits,
                                              sourceToTarget),
                                _overrideExisting);

    if (replaceTarget)
        replaceInScene(target, figure);
    _result = figure;
    return true;
}
