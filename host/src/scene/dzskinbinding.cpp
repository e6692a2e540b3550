#include "dzskinbinding.h"

DzSkinBinding::DzSkinBinding(QObject* parent) : DzModifier(parent) { setName("SkinBinding"); }
DzSkinBinding::~DzSkinBinding() = default;

void DzSkinBinding::setBoneWeights(const QString& boneName, const QVector<float>& weights)
{
    const int index = _boneNames.indexOf(boneName);
    if (index >= 0) {
        _weights[index] = weights;
    } else {
        _boneNames.append(boneName);
        _weights.append(weights);
    }
    emit modifierChanged();
}

const QVector<float>* DzSkinBinding::findBoneWeights(const QString& boneName) const
{
    const int index = _boneNames.indexOf(boneName);
    return index >= 0 ? &_weights[index] : nullptr;
}

const QVector<float>& DzSkinBinding::getBoneWeights(int index) const { return _weights[index]; }
int DzSkinBinding::getNumBoneWeightMaps() const { return _boneNames.size(); }
QString DzSkinBinding::getBoneName(int index) const { return _boneNames.value(index); }
