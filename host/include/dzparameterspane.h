#pragma once

#include <QHash>
#include <QPointer>

#include "dzpane.h"

class QLabel;
class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class DzNode;
class DzProperty;

// The Parameters pane: the properties of the primary selected node (its own, its modifiers'
// and its shape's) by group path, a group tree above the dials of the current group. The tree's
// first item, "All", shows every group's dials under its name; a node shows them at once unless
// the group chosen for the node before is one it has too.
class DzParametersPane : public DzPane {
    Q_OBJECT
public:
    explicit DzParametersPane(QWidget* parent = nullptr);
    ~DzParametersPane() override;

    // The widget showing the property in the current group, null when it is not shown.
    QWidget* dialFor(DzProperty* property) const;
    // The tree of group paths of the current node.
    QTreeWidget* groupTree() const;

public slots:
    // Selects the property's node, opens its group and highlights its dial.
    void jumpToProperty(DzProperty* property);
    DzNode* getNode() const;
    // The group whose dials are shown ("" for properties without a group, and for "All").
    QString getCurrentGroupPath() const;
    void setCurrentGroupPath(const QString& path);
    // The property whose dial was last highlighted, null when none is.
    DzProperty* getHighlightedProperty() const;

private slots:
    void slotPrimarySelectionChanged(DzNode* node);
    void slotGroupItemChanged();
    void showNodeName();
    void flushWhenIdle();

private:
    void showNode(DzNode* node);
    void scheduleRebuild();
    void flushRebuild() const;
    void rebuildTree();
    void rebuildDials();
    void highlight(DzProperty* property);
    QList<DzProperty*> nodeProperties() const;

    QPointer<DzNode> _node;
    QString _groupPath;
    bool _bAllGroups = true;
    bool _bRebuildPending = false;
    QStringList _groupOrder;  // the group paths in the tree's order
    QPointer<DzProperty> _highlighted;
    QLabel* _nodeName;  // whose dials these are
    QTreeWidget* _groups;
    QScrollArea* _scroll;
    QWidget* _dials;
    QVBoxLayout* _dialsLayout;
    QHash<DzProperty*, QWidget*> _dialOf;
    QHash<QString, QTreeWidgetItem*> _itemOf;
    QList<QMetaObject::Connection> _nodeConnections;
    QMetaObject::Connection _waitForIdle;
};
