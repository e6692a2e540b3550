#pragma once

#include <QList>
#include <QListIterator>
#include <QObject>

#include "dzfileioerror.h"

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

    // Writes the scene to a scene file that opening (DzContentMgr::openFile) gives back: the
    // nodes by their asset urls with labels, transforms, bone poses and resolutions, and the
    // values of their morphs. The file is replaced whole or not at all, never through a link.
    // DZ_NO_ERROR when written, DZ_WRITE_FILE_ERROR or DZ_INVALID_ARGUMENT when not; either
    // way the log and getSaveMessage() say why, or what the file could not hold (nodes and
    // morphs without an asset file are left out and named).
    DzError saveScene(const QString& filename);
    // What the last saveScene said; empty when it wrote everything.
    QString getSaveMessage() const;

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
    QString _saveMessage;
};
