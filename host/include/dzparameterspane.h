#pragma once

#include <QHash>
#include <QPointer>

#include "dzpane.h"

class QScrollArea;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class DzNode;
class DzProperty;

// The Parameters pane: the properties of the primary selected node (its own, its modifiers'
// and its shape's) by group path, a group tree on one side and the dials of the current group
// on the other.
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
    // The group whose dials are shown ("" for properties without a group).
    QString getCurrentGroupPath() const;
    void setCurrentGroupPath(const QString& path);
    // The property whose dial was last highlighted, null when none is.
    DzProperty* getHighlightedProperty() const;

private slots:
    void slotPrimarySelectionChanged(DzNode* node);
    void slotGroupItemChanged();

private:
    void showNode(DzNode* node);
    void rebuildTree();
    void rebuildDials();
    void highlight(DzProperty* property);
    QList<DzProperty*> nodeProperties() const;

    QPointer<DzNode> _node;
    QString _groupPath;
    QPointer<DzProperty> _highlighted;
    QTreeWidget* _groups;
    QScrollArea* _scroll;
    QWidget* _dials;
    QVBoxLayout* _dialsLayout;
    QHash<DzProperty*, QWidget*> _dialOf;
    QHash<QString, QTreeWidgetItem*> _itemOf;
    QList<QMetaObject::Connection> _nodeConnections;
};
