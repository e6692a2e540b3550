#include "dzscene.h"

#include <QPointer>

#include "dzbone.h"
#include "dzfigure.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzproperty.h"
#include "dzshape.h"
#include "dzskinbinding.h"
#include "geometry/dznodegeometrycache.h"

namespace {
void registerSceneMetaTypes()
{
    qRegisterMetaType<DzNode*>("DzNode*");
    qRegisterMetaType<DzSkeleton*>("DzSkeleton*");
    qRegisterMetaType<DzFigure*>("DzFigure*");
    qRegisterMetaType<DzBone*>("DzBone*");
    qRegisterMetaType<DzObject*>("DzObject*");
    qRegisterMetaType<DzShape*>("DzShape*");
    qRegisterMetaType<DzModifier*>("DzModifier*");
    qRegisterMetaType<DzMorph*>("DzMorph*");
    qRegisterMetaType<DzMorphDeltas*>("DzMorphDeltas*");
    qRegisterMetaType<DzSkinBinding*>("DzSkinBinding*");
    qRegisterMetaType<DzProperty*>("DzProperty*");
    qRegisterMetaType<DzElement*>("DzElement*");
    qRegisterMetaType<DzVec3>("DzVec3");
    qRegisterMetaType<DzBox3>("DzBox3");
    qRegisterMetaType<DzUri>("DzUri");
}
} // namespace

DzScene::DzScene(QObject* parent) : QObject(parent) { registerSceneMetaTypes(); }

DzScene::~DzScene()
{
    // Nodes are deleted now, not later: the scene is going away.
    QList<DzNode*> roots;
    for (DzNode* node : _nodes) {
        node->_scene = nullptr;
        if (!node->getNodeParent())
            roots.append(node);
    }
    _nodes.clear();
    _selection.clear();
    qDeleteAll(roots);
}

QList<DzNode*> DzScene::nodeList() const { return _nodes; }
QList<DzNode*> DzScene::selectedNodeList() const { return _selection; }
DzNodeListIterator DzScene::nodeListIterator() const { return DzNodeListIterator(_nodes); }

DzNodeListIterator DzScene::selectedNodeListIterator() const
{
    return DzNodeListIterator(_selection);
}

void DzScene::addNodeTree(DzNode* node)
{
    if (node->_scene == this)
        return;
    node->_scene = this;
    if (!node->getNodeParent())
        node->setParent(this);
    _nodes.append(node);
    emit nodeAdded(node);
    // A listener may already have removed it again.
    if (node->_scene != this)
        return;
    for (int i = 0; i < node->getNumNodeChildren(); ++i)
        addNodeTree(node->getNodeChild(i));
    if (node->_selected) {
        node->_selected = false;
        setNodeSelected(node, true);
    }
}

bool DzScene::addNode(DzNode* node)
{
    if (!node || node->_scene == this)
        return false;
    if (node->_scene)
        node->_scene->removeNodeTree(node);
    addNodeTree(node);
    return true;
}

void DzScene::removeNodeTree(DzNode* node)
{
    if (node->_scene != this)
        return;
    for (int i = 0; i < node->getNumNodeChildren(); ++i)
        removeNodeTree(node->getNodeChild(i));
    const bool wasSelected = _selection.removeOne(node);
    _nodes.removeOne(node);
    node->_scene = nullptr;
    if (wasSelected) {
        node->_selected = false;
        emit node->selectionStateChanged(node, false);
        emit nodeSelectionListChanged();
    }
    emit nodeRemoved(node);
    // The node itself may be deleted only later (it can be on the call stack), but its
    // evaluated geometry, at high resolution hundreds of megabytes, is given back now.
    node->geometryCache().release();
}

bool DzScene::removeNode(DzNode* node)
{
    if (!node || node->_scene != this)
        return false;
    const DzNode* oldPrimary = getPrimarySelection();
    if (DzNode* parent = node->getNodeParent())
        parent->removeNodeChild(node);
    removeNodeTree(node);
    if (oldPrimary != getPrimarySelection())
        emit primarySelectionChanged(getPrimarySelection());
    node->setParent(nullptr);
    node->deleteLater();
    return true;
}

void DzScene::clear()
{
    const QList<DzNode*> nodes = _nodes;
    for (DzNode* node : nodes)
        if (node->_scene == this && !node->getNodeParent())
            removeNode(node);
}

int DzScene::getNumNodes() const { return _nodes.size(); }
DzNode* DzScene::getNode(int index) const { return _nodes.value(index); }

DzNode* DzScene::findNode(const QString& name) const
{
    for (DzNode* node : _nodes)
        if (node->getName() == name)
            return node;
    return nullptr;
}

DzNode* DzScene::findNodeByLabel(const QString& label) const
{
    for (DzNode* node : _nodes)
        if (node->getLabel() == label)
            return node;
    return nullptr;
}

int DzScene::findNodeIndex(const DzNode* node) const
{
    return _nodes.indexOf(const_cast<DzNode*>(node));
}

void DzScene::setNodeSelected(DzNode* node, bool onOff)
{
    if (onOff == node->_selected)
        return;
    const DzNode* oldPrimary = getPrimarySelection();
    node->_selected = onOff;
    if (onOff)
        _selection.append(node);
    else
        _selection.removeOne(node);
    emit node->selectionStateChanged(node, onOff);
    emit nodeSelectionListChanged();
    if (oldPrimary != getPrimarySelection())
        emit primarySelectionChanged(getPrimarySelection());
}

void DzScene::selectAllNodes(bool onOff)
{
    const QList<DzNode*> nodes = onOff ? _nodes : _selection;
    for (DzNode* node : nodes)
        setNodeSelected(node, onOff);
}

void DzScene::setPrimarySelection(DzNode* node)
{
    if (!node || node->_scene != this)
        return;
    if (getPrimarySelection() == node)
        return;
    _selection.removeOne(node);
    _selection.prepend(node);
    const bool wasSelected = node->_selected;
    node->_selected = true;
    if (!wasSelected)
        emit node->selectionStateChanged(node, true);
    emit nodeSelectionListChanged();
    emit primarySelectionChanged(node);
}

DzNode* DzScene::getPrimarySelection() const { return _selection.value(0); }
int DzScene::getNumSelectedNodes() const { return _selection.size(); }
DzNode* DzScene::getSelectedNode(int index) const { return _selection.value(index); }
