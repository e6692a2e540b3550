#pragma once

#include <QStringList>
#include <QVector>

#include "dzmodifier.h"

// Binds the base vertices of a figure's mesh to its bones: per bone, one weight per vertex.
// A vertex whose weights sum below 1 keeps the rest in place (unmoved by the bones).
class DzSkinBinding : public DzModifier {
    Q_OBJECT
public:
    explicit DzSkinBinding(QObject* parent = nullptr);
    ~DzSkinBinding() override;

    // Sets (or replaces) the weights of one bone, one per base vertex.
    void setBoneWeights(const QString& boneName, const QVector<float>& weights);
    const QVector<float>* findBoneWeights(const QString& boneName) const;
    const QVector<float>& getBoneWeights(int index) const;

public slots:
    int getNumBoneWeightMaps() const;
    QString getBoneName(int index) const;

private:
    QStringList _boneNames;
    QVector<QVector<float>> _weights;
};
