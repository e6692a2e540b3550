#include "dzbone.h"

#include "dzskeleton.h"

DzBone::DzBone(QObject* parent) : DzNode(parent) {}
DzBone::~DzBone() = default;

DzVec3 DzBone::getOrigin() const { return _origin; }

void DzBone::setOrigin(const DzVec3& origin)
{
    if (origin == _origin)
        return;
    _origin = origin;
    transformChanged();
}

DzSkeleton* DzBone::getSkeleton() const
{
    for (DzNode* node = getNodeParent(); node; node = node->getNodeParent())
        if (auto* skeleton = qobject_cast<DzSkeleton*>(node))
            return skeleton;
    return nullptr;
}

void DzBone::transformChanged()
{
    // A bone moves the skin of its figure, not a mesh of its own.
    DzNode::transformChanged();
    if (DzSkeleton* skeleton = getSkeleton())
        skeleton->invalidateGeometry();
}
