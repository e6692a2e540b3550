#pragma once

#include <QList>
#include <QObject>

class DzNode;

// The scene: nodes in insertion order, and the selection with its primary node.
// The scene owns its root nodes (children are owned by their parents).
class DzScene : public QObject {
    Q_OBJECT
public:
    explicit DzScene(QObject* parent = nullptr);
    ~DzScene() override;

    // Adds a node (and its children) to the scene; emits nodeAdded for each.
    bool addNode(DzNode* node);

    QList<DzNode*> nodeList() const;
    QList<DzNode*> selectedNodeList() const;

public slots:
    int getNumNodes() const;
    DzNode* getNode(int index) const;
    DzNode* findNode(const QString& name) const;
    DzNode* findNodeByLabel(const QString& label) const;
    int findNodeIndex(const DzNode* node) const;
    // Removes the node (and its children) from the scene and deletes it later.
    bool removeNode(DzNode* node);
    void clear();

    void selectAllNodes(bool onOff);
    void setPrimarySelection(DzNode* node);
    DzNode* getPrimarySelection() const;
    int getNumSelectedNodes() const;
    DzNode* getSelectedNode(int index) const;

signals:
    void nodeAdded(DzNode* node);
    void nodeRemoved(DzNode* node);
    void nodeSelectionListChanged();
    void primarySelectionChanged(DzNode* node);
};
