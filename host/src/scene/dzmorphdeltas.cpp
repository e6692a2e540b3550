#include "dzmorphdeltas.h"

DzMorphDeltas::DzMorphDeltas(QObject* parent) : DzBase(parent) {}
DzMorphDeltas::~DzMorphDeltas() = default;

void DzMorphDeltas::setDeltas(const QVector<int>& indices, const QVector<DzVec3>& deltas)
{
    Q_ASSERT(indices.size() == deltas.size());
    _indices = indices;
    _deltas = deltas;
    _deltas.resize(_indices.size());
    emit deltasChanged();
}

void DzMorphDeltas::addDelta(int vertexIndex, const DzVec3& delta)
{
    _indices.append(vertexIndex);
    _deltas.append(delta);
    emit deltasChanged();
}

const QVector<int>& DzMorphDeltas::deltaIndices() const { return _indices; }
const QVector<DzVec3>& DzMorphDeltas::deltaValues() const { return _deltas; }

void DzMorphDeltas::setHDDeltas(int level, const QVector<int>& indices,
                                const QVector<DzVec3>& deltas)
{
    Q_ASSERT(indices.size() == deltas.size());
    _hdLevel = level;
    _hdIndices = indices;
    _hdDeltas = deltas;
    _hdDeltas.resize(_hdIndices.size());
    emit deltasChanged();
}

void DzMorphDeltas::clearHDDeltas()
{
    _hdLevel = 0;
    _hdIndices.clear();
    _hdDeltas.clear();
    emit deltasChanged();
}

const QVector<int>& DzMorphDeltas::hdDeltaIndices() const { return _hdIndices; }
const QVector<DzVec3>& DzMorphDeltas::hdDeltaValues() const { return _hdDeltas; }

int DzMorphDeltas::getNumDeltas() const { return _indices.size(); }
int DzMorphDeltas::getDeltaIndex(int i) const { return _indices.value(i, -1); }
DzVec3 DzMorphDeltas::getDelta(int i) const { return _deltas.value(i); }
bool DzMorphDeltas::hasHDDeltas() const { return _hdLevel > 0; }
int DzMorphDeltas::getHDLevel() const { return _hdLevel; }
int DzMorphDeltas::getNumHDDeltas() const { return _hdIndices.size(); }
DzUri DzMorphDeltas::getUri() const { return _uri; }
void DzMorphDeltas::setUri(const DzUri& uri) { _uri = uri; }
