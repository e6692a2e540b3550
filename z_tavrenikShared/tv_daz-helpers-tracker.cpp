#include "tv_daz-helpers-tracker.h"

#include <QObject>
#include <algorithm>

#include "dzapp.h"
#include "dznode.h"
#include "dzscene.h"

namespace tav::daz {

NodeAdditionTracker::NodeAdditionTracker() : _pContext(std::make_unique<QObject>())
{
    // A node removed from the scene emits nodeRemoved before it is deleted, so the list never
    // holds a node the scene no longer has.
    QObject::connect(dzScene, &DzScene::nodeAdded, _pContext.get(), [this](DzNode* p) { onAdded(p); });
    QObject::connect(dzScene, &DzScene::nodeRemoved, _pContext.get(), [this](DzNode* p) { onRemoved(p); });
}

NodeAdditionTracker::NodeAdditionTracker(DzNode* pParent) : _pContext(std::make_unique<QObject>())
{
    QObject::connect(pParent, &DzNode::childAdded, _pContext.get(), [this](DzNode* p) { onAdded(p); });
    QObject::connect(pParent, &DzNode::childRemoved, _pContext.get(), [this](DzNode* p) { onRemoved(p); });
    if (dzScene)
        QObject::connect(dzScene, &DzScene::nodeRemoved, _pContext.get(), [this](DzNode* p) { onRemoved(p); });
}

NodeAdditionTracker::~NodeAdditionTracker() = default;

void NodeAdditionTracker::stop()
{
    _pContext.reset();
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
