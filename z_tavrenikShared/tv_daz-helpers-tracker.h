#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include <QString>

class DzNode;

namespace tav::daz {

class NodeAdditionRelay;

// Records the nodes added to the scene (or under one node) while it lives. A node that
// leaves the scene again is forgotten, so the tracker never hands out a node that is gone.
class NodeAdditionTracker {
public:
    // Tracks the whole scene.
    NodeAdditionTracker();
    // Tracks the children added under pParent.
    explicit NodeAdditionTracker(DzNode* pParent);
    ~NodeAdditionTracker();
    NodeAdditionTracker(const NodeAdditionTracker&) = delete;
    NodeAdditionTracker& operator=(const NodeAdditionTracker&) = delete;

    // Stops recording; the nodes recorded so far stay available.
    void stop();

    // The recorded nodes still in the scene, in order of addition.
    std::vector<DzNode*> nodes() const;
    // The first recorded node with that label, or null.
    DzNode* findByLabel(const QString& label) const;

private:
    friend class NodeAdditionRelay;
    void onAdded(DzNode* pNode);
    void onRemoved(DzNode* pNode);

    std::unique_ptr<NodeAdditionRelay> _pRelay;  // owns the connections
    std::vector<QPointer<DzNode>> _nodes;
};

} // namespace tav::daz
