#include "dzskeleton.h"

#include "dzbone.h"

namespace {
void collectBones(const DzNode* node, QList<DzBone*>& bones)
{
    for (int i = 0; i < node->getNumNodeChildren(); ++i) {
        auto* bone = qobject_cast<DzBone*>(node->getNodeChild(i));
        if (!bone)
            continue;
        bones.append(bone);
        collectBones(bone, bones);
    }
}
} // namespace

DzSkeleton::DzSkeleton(QObject* parent) : DzNode(parent) {}
DzSkeleton::~DzSkeleton() = default;

QList<DzBone*> DzSkeleton::getAllBones() const
{
    QList<DzBone*> bones;
    collectBones(this, bones);
    return bones;
}

DzSkeleton* DzSkeleton::getSkeleton() const { return const_cast<DzSkeleton*>(this); }

DzBone* DzSkeleton::findBone(const QString& name) const
{
    for (DzBone* bone : getAllBones())
        if (bone->getName() == name)
            return bone;
    return nullptr;
}

int DzSkeleton::getNumBones() const { return getAllBones().size(); }
DzBone* DzSkeleton::getBone(int index) const { return getAllBones().value(index); }
