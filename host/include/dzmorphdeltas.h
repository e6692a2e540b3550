#pragma once

#include <QVector>

#include "dzbase.h"
#include "dzuri.h"
#include "dzvec3.h"

// The data of a morph: sparse offsets of base vertices in rest space and, for a high
// resolution morph, sparse offsets of the vertices refined to one subdivision level.
// Carries the asset URI once it is saved as or loaded from an asset.
class DzMorphDeltas : public DzBase {
    Q_OBJECT
public:
    explicit DzMorphDeltas(QObject* parent = nullptr);
    ~DzMorphDeltas() override;

    // Base deltas: indices and offsets of equal length.
    void setDeltas(const QVector<int>& indices, const QVector<DzVec3>& deltas);
    void addDelta(int vertexIndex, const DzVec3& delta);
    const QVector<int>& deltaIndices() const;
    const QVector<DzVec3>& deltaValues() const;

    // Deltas of the vertices refined to `level` (>= 1); replaces any earlier set.
    void setHDDeltas(int level, const QVector<int>& indices, const QVector<DzVec3>& deltas);
    void clearHDDeltas();
    const QVector<int>& hdDeltaIndices() const;
    const QVector<DzVec3>& hdDeltaValues() const;

public slots:
    int getNumDeltas() const;
    int getDeltaIndex(int i) const;
    DzVec3 getDelta(int i) const;
    bool hasHDDeltas() const;
    // The level the HD deltas belong to, 0 without HD deltas.
    int getHDLevel() const;
    int getNumHDDeltas() const;
    DzUri getUri() const;
    void setUri(const DzUri& uri);

signals:
    void deltasChanged();

private:
    QVector<int> _indices;
    QVector<DzVec3> _deltas;
    int _hdLevel = 0;
    QVector<int> _hdIndices;
    QVector<DzVec3> _hdDeltas;
    DzUri _uri;
};
