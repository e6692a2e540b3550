#include "tv_daz-helpers-tracker.h"

#include <QObject>
#include <algorithm>

#include "dzapp.h"
#include "dznode.h"
#include "dzscene.h"
#include "tv_gui.h"

namespace tav::daz {

// Hands the scene's and the parent node's signals to the tracker; its connections end with it.
class NodeAdditionRelay : public QObject {
    Q_OBJECT
public:
    explicit NodeAdditionRelay(NodeAdditionTracker* pTracker) : _pTracker(pTracker) {}

public slots:
    void slotAdded(DzNode* pNode) { _pTracker->onAdded(pNode); }
    void slotRemoved(DzNode* pNode) { _pTracker->onRemoved(pNode); }

private:
    NodeAdditionTracker* _pTracker;
};

NodeAdditionTracker::NodeAdditionTracker() : _pRelay(std::make_unique<NodeAdditionRelay>(this))
{
    // A node removed from the scene emits nodeRemoved before it is deleted, so the list never
    // holds a node the scene no longer has.
    connectOrDisconnect(dzScene, SIGNAL(nodeAdded(DzNode*)), _pRelay.get(), SLOT(slotAdded(DzNode*)), true);
    connectOrDisconnect(dzScene, SIGNAL(nodeRemoved(DzNode*)), _pRelay.get(), SLOT(slotRemoved(DzNode*)), true);
}

NodeAdditionTracker::NodeAdditionTracker(DzNode* pParent) : _pRelay(std::make_unique<NodeAdditionRelay>(this))
{
    connectOrDisconnect(pParent, SIGNAL(childAdded(DzNode*)), _pRelay.get(), SLOT(slotAdded(DzNode*)), true);
    connectOrDisconnect(pParent, SIGNAL(childRemoved(DzNode*)), _pRelay.get(), SLOT(slotRemoved(DzNode*)), true);
    if (dzScene)
        connectOrDisconnect(dzScene, SIGNAL(nodeRemoved(DzNode*)), _pRelay.get(), SLOT(slotRemoved(DzNode*)), true);
}

NodeAdditionTracker::~NodeAdditionTracker() = default;

void NodeAdditionTracker::stop()
{
    _pRelay.reset();
}

void NodeAdditionTracker::onAdded(DzNode* pNode)
{
    if (pNode)
        _nodes.emplace_back(pNode);
}

void NodeAdditionTracker::onRemoved(DzNode* pNode)
{
    _nodes.erase(std::remove_if(_nodes.begin(), _nodes.end(),
                                [pNode](const QPointer<DzNode>& p) { return p.isNull() || p == pNode; }),
                 _nodes.end());
}

std::vector<DzNode*> NodeAdditionTracker::nodes() const
{
    std::vector<DzNode*> result;
    for (const QPointer<DzNode>& p : _nodes) {
        if (!p.isNull())
            result.push_back(p.data());
    }
    return result;
}

DzNode* NodeAdditionTracker::findByLabel(const QString& label) const
{
    for (DzNode* pNode : nodes()) {
        if (pNode->getLabel() == label)
            return pNode;
    }
    return nullptr;
}

} // namespace tav::daz

#include "tv_daz-helpers-tracker.moc"
