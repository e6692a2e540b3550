#include "dznode.h"

#include "dzfloatproperty.h"
#include "dzmodifier.h"
#include "dzobject.h"
#include "dzproperty.h"
#include "dzscene.h"
#include "dzskeleton.h"
#include "geometry/dzgeometry.h"
#include "geometry/dznodegeometrycache.h"

namespace {
enum TransformIndex { XTrans, YTrans, ZTrans, XRot, YRot, ZRot, Scale, TransformCount };
const char* const kTransformNames[TransformCount] = {"XTranslate", "YTranslate", "ZTranslate",
                                                      "XRotate",    "YRotate",    "ZRotate",
                                                      "Scale"};
} // namespace

DzNode::DzNode(QObject* parent)
    : DzElement(parent), _geometryCache(std::make_unique<DzNodeGeometryCache>())
{
    for (int i = 0; i < TransformCount; ++i)
        _transform[i] = addTransformProperty(kTransformNames[i], i == Scale ? 1.0f : 0.0f);
    connect(this, &DzElement::propertyValueChanged, this, &DzNode::slotPropertyValueChanged);
}

DzNode::~DzNode()
{
    // Children die with their parent; the scene must forget them (and us) first.
    if (_scene)
        _scene->removeNodeTree(this);
    if (_parentNode)
        _parentNode->_children.removeOne(this);
    const QList<DzNode*> children = _children;
    for (DzNode* child : children) {
        child->_parentNode = nullptr;
        delete child;
    }
    delete _object;
}

DzFloatProperty* DzNode::addTransformProperty(const QString& name, float defaultValue)
{
    auto* p = new DzFloatProperty(name, false, defaultValue);
    p->setIsClamped(false);
    p->setPath(name.endsWith("Rotate") ? "Transforms/Rotation"
                                       : name == "Scale" ? "Transforms/Scale"
                                                         : "Transforms/Translation");
    addProperty(p);
    return p;
}

void DzNode::slotPropertyValueChanged(DzProperty* property)
{
    for (DzFloatProperty* p : _transform)
        if (p == property) {
            transformChanged();
            return;
        }
}

void DzNode::transformChanged() { invalidateWorldTransform(); }

DzScene* DzNode::getScene() const { return _scene; }

DzNodeGeometryCache& DzNode::geometryCache() const { return *_geometryCache; }

void DzNode::invalidateGeometry()
{
    _geometryCache->clearEvaluation();
    emit drawnDataChanged();
}

void DzNode::invalidateWorldTransform()
{
    _geometryCache->clearWorld();
    emit drawnDataChanged();
    for (DzNode* child : _children)
        child->invalidateWorldTransform();
}

void DzNode::skeletonChanged()
{
    // Bones joining or leaving change how the skeleton's skin is posed.
    if (DzSkeleton* skeleton = getSkeleton())
        skeleton->invalidateGeometry();
}

bool DzNode::isVisible() const { return _visible; }

void DzNode::setVisible(bool onOff)
{
    if (onOff == _visible)
        return;
    _visible = onOff;
    emit visibilityChanged();
}

void DzNode::select(bool onOff)
{
    if (_scene) {
        _scene->setNodeSelected(this, onOff);
        return;
    }
    if (onOff == _selected)
        return;
    _selected = onOff;
    emit selectionStateChanged(this, onOff);
}

bool DzNode::isSelected() const { return _selected; }

bool DzNode::addNodeChild(DzNode* child)
{
    if (!child || child == this || child->_parentNode == this)
        return false;
    for (const DzNode* n = this; n; n = n->_parentNode)
        if (n == child)
            return false;
    if (child->_parentNode)
        child->_parentNode->removeNodeChild(child);
    child->_parentNode = this;
    child->setParent(this);
    _children.append(child);
    child->invalidateWorldTransform();
    skeletonChanged();
    emit childAdded(child);
    if (_scene && !child->_scene)
        _scene->addNode(child);
    return true;
}

bool DzNode::removeNodeChild(DzNode* child)
{
    if (!child || !_children.removeOne(child))
        return false;
    child->_parentNode = nullptr;
    child->setParent(_scene ? static_cast<QObject*>(_scene) : nullptr);
    child->invalidateWorldTransform();
    skeletonChanged();
    emit childRemoved(child);
    return true;
}

int DzNode::getNumNodeChildren() const { return _children.size(); }
DzNode* DzNode::getNodeChild(int index) const { return _children.value(index); }
DzNode* DzNode::getNodeParent() const { return _parentNode; }
bool DzNode::isRootNode() const { return !_parentNode; }

DzObject* DzNode::getObject() const { return _object; }

void DzNode::setObject(DzObject* object)
{
    if (object == _object)
        return;
    delete _object;
    _object = object;
    if (_object) {
        _object->setParent(this);
        _object->setNode(this);
        connect(_object, &DzObject::geometryChanged, this, &DzNode::invalidateGeometry);
    }
    invalidateGeometry();
    emit objectChanged();
}

DzSkeleton* DzNode::getSkeleton() const { return nullptr; }

DzUri DzNode::getAssetUri() const { return _assetUri; }
void DzNode::setAssetUri(const DzUri& uri) { _assetUri = uri; }

DzBox3 DzNode::getWorldBoundingBox() const { return DzGeometry::worldBoundingBox(this); }

DzFloatProperty* DzNode::getXPosControl() const { return _transform[XTrans]; }
DzFloatProperty* DzNode::getYPosControl() const { return _transform[YTrans]; }
DzFloatProperty* DzNode::getZPosControl() const { return _transform[ZTrans]; }
DzFloatProperty* DzNode::getXRotControl() const { return _transform[XRot]; }
DzFloatProperty* DzNode::getYRotControl() const { return _transform[YRot]; }
DzFloatProperty* DzNode::getZRotControl() const { return _transform[ZRot]; }
DzFloatProperty* DzNode::getScaleControl() const { return _transform[Scale]; }

// The paths change with the modifiers, which do not tell the node; so they are collected on
// every call. A caller may still hold an earlier tree, so none is freed before the node.
const DzPropertyGroupTree* DzNode::getPropertyGroups() const
{
    auto tree = std::make_unique<DzPropertyGroupTree>(propertyGroupPaths());
    if (_groupsWithModifiers.empty() ||
        _groupsWithModifiers.back()->collectAllPaths() != tree->collectAllPaths())
        _groupsWithModifiers.push_back(std::move(tree));
    return _groupsWithModifiers.back().get();
}

QStringList DzNode::propertyGroupPaths() const
{
    QStringList paths = DzElement::propertyGroupPaths();
    if (!_object)
        return paths;
    for (const DzModifier* modifier : _object->modifierList())
        for (int i = 0; i < modifier->getNumProperties(); ++i) {
            const QString path = modifier->getProperty(i)->getPath();
            if (!path.isEmpty())
                paths.append(path);
        }
    return paths;
}
