#pragma once

#include <QList>
#include <QListIterator>
#include <QObject>

class DzNode;

typedef QListIterator<DzNode*> DzNodeListIterator;

// The scene: nodes in insertion order, and the selection with its primary node.
// The scene owns its root nodes (children are owned by their parents).
class DzScene : public QObject {
    Q_OBJECT
public:
    explicit DzScene(QObject* parent = nullptr);
    ~DzScene() override;

    QList<DzNode*> nodeList() const;
    QList<DzNode*> selectedNodeList() const;
    DzNodeListIterator nodeListIterator() const;
    DzNodeListIterator selectedNodeListIterator() const;

public slots:
    // Adds a node (and its children) to the scene; emits nodeAdded for each.
    bool addNode(DzNode* node);
    int getNumNodes() const;
    DzNode* getNode(int index) const;
    DzNode* findNode(const QString& name) const;
    DzNode* findNodeByLabel(const QString& label) const;
    int findNodeIndex(const DzNode* node) const;
    // Removes the node (and its children) from the scene, emitting nodeRemoved for each, and
    // deletes it later.
    bool removeNode(DzNode* node);
    // Removes every node.
    void clear();

    void selectAllNodes(bool onOff);
    // Selects the node (when it is not) and makes it first in the selection.
    void setPrimarySelection(DzNode* node);
    DzNode* getPrimarySelection() const;
    int getNumSelectedNodes() const;
    DzNode* getSelectedNode(int index) const;

signals:
    void nodeAdded(DzNode* node);
    void nodeRemoved(DzNode* node);
    void nodeSelectionListChanged();
    void primarySelectionChanged(DzNode* node);

private:
    friend class DzNode;
    // DzNode::select goes through here so the list keeps the selection order.
    void setNodeSelected(DzNode* node, bool onOff);
    void addNodeTree(DzNode* node);
    void removeNodeTree(DzNode* node);

    QList<DzNode*> _nodes;
    QList<DzNode*> _selection;
};
