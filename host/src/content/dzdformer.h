#pragma once

#include <QVector>

#include "dznode.h"

// A D-Former node placed under a figure; the "D-Former_1" node carries the influence weight map
// over the figure's base vertices.
class DzDFormer : public DzNode {
    Q_OBJECT
public:
    explicit DzDFormer(QObject* parent = nullptr);
    ~DzDFormer() override;

    bool hasWeightMap() const { return !_weights.isEmpty(); }
    const QVector<float>& influenceWeights() const { return _weights; }
    void setInfluenceWeights(const QVector<float>& weights) { _weights = weights; }

private:
    QVector<float> _weights;
};

// The weight map named "<D-Former label>::weightmap::<figure label>/Influence Weights" (for
// example "D-Former_1::weightmap::Genesis 9/Influence Weights"), found among the scene's
// nodes: one weight per base vertex of the figure. Null when the path names no such map.
const QVector<float>* dzFindInfluenceWeights(const QString& path);
