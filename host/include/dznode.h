#pragma once

#include <QList>
#include <memory>
#include <vector>

#include "dzbox3.h"
#include "dzelement.h"
#include "dzuri.h"

class DzFloatProperty;
class DzObject;
class DzScene;
class DzSkeleton;
struct DzNodeGeometryCache;

// A scene node: transform properties, visibility, selection, a node hierarchy, and optionally an
// object carrying geometry. Children are owned by their parent node.
class DzNode : public DzElement {
    Q_OBJECT
public:
    explicit DzNode(QObject* parent = nullptr);
    ~DzNode() override;

    // The scene the node is in, null when it is in none.
    DzScene* getScene() const;

    // Host-internal: evaluation caches of the node's geometry (see host/src/geometry).
    DzNodeGeometryCache& geometryCache() const;
    // Drops every cached evaluation of this node (shape, morphs, bones changed).
    void invalidateGeometry();
    // Drops the cached world placement of this node and of its descendants.
    void invalidateWorldTransform();

    // Rebuilt on each call: the groups of the object's modifiers change behind the node's back.
    const DzPropertyGroupTree* getPropertyGroups() const override;

public slots:
    bool isVisible() const;
    void setVisible(bool onOff);
    void select(bool onOff = true);
    bool isSelected() const;

    // Takes ownership of the child; a child of a node in a scene joins that scene.
    bool addNodeChild(DzNode* child);
    // Releases the child (it stays in the scene as a root node).
    bool removeNodeChild(DzNode* child);
    int getNumNodeChildren() const;
    DzNode* getNodeChild(int index) const;
    DzNode* getNodeParent() const;
    bool isRootNode() const;

    DzObject* getObject() const;
    // Takes ownership; the previous object is deleted.
    void setObject(DzObject* object);
    // The skeleton the node belongs to: itself for a skeleton, its figure for a bone.
    virtual DzSkeleton* getSkeleton() const;

    DzUri getAssetUri() const;
    void setAssetUri(const DzUri& uri);

    // Box of the evaluated world mesh; empty without geometry.
    DzBox3 getWorldBoundingBox() const;

    DzFloatProperty* getXPosControl() const;
    DzFloatProperty* getYPosControl() const;
    DzFloatProperty* getZPosControl() const;
    DzFloatProperty* getXRotControl() const;
    DzFloatProperty* getYRotControl() const;
    DzFloatProperty* getZRotControl() const;
    DzFloatProperty* getScaleControl() const;

signals:
    void childAdded(DzNode* child);
    void childRemoved(DzNode* child);
    void visibilityChanged();
    void selectionStateChanged(DzNode* node, bool onOff);
    void objectChanged();
    // The evaluated mesh or placement changed.
    void drawnDataChanged();

protected:
    // Adds the group paths of the object's modifiers' properties.
    QStringList propertyGroupPaths() const override;
    // Called when a transform property changes; bones redirect it to their skeleton.
    virtual void transformChanged();

private:
    friend class DzScene;
    void slotPropertyValueChanged(DzProperty* property);
    void skeletonChanged();
    DzFloatProperty* addTransformProperty(const QString& name, float defaultValue);

    DzScene* _scene = nullptr;
    DzNode* _parentNode = nullptr;
    QList<DzNode*> _children;
    DzObject* _object = nullptr;
    DzUri _assetUri;
    bool _visible = true;
    bool _selected = false;
    DzFloatProperty* _transform[7] = {};
    std::unique_ptr<DzNodeGeometryCache> _geometryCache;
    // Every tree handed out stays valid for the node's life; the last is reused while its
    // paths hold.
    mutable std::vector<std::unique_ptr<DzPropertyGroupTree>> _groupsWithModifiers;
};
