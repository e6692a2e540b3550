#pragma once

#include <QList>
#include <QStringList>
#include <QVector>

#include "dsondocument.h"
#include "dzvec3.h"

class DzMorph;

namespace dson {

// A morph modifier as read from a file, checked against the figure's vertex count.
struct MorphData {
    QString name, label, group, parentUrl, assetUri;
    float value = 0, min = 0, max = 1;
    bool clamped = true, visible = true;
    QVector<int> indices;
    QVector<DzVec3> deltas;
    int hdLevel = 0;
    QVector<int> hdIndices;
    QVector<DzVec3> hdDeltas;
};

bool isMorphModifier(Object modifier);
// The modifier at `where` as a morph for a figure of `vertexCount` vertices.
MorphData readMorph(Object modifier, int vertexCount, const QString& where);
DzMorph* createMorph(const MorphData& data);

// readMorph in steps, for a morph read before the figure it meets is known: the head (names
// and channel) gives the morph's own vertex count and its "morph" block; the count is checked
// against the figure's; the deltas are read for that count.
int readMorphHead(Object modifier, const QString& where, MorphData& m, Object& morph);
void checkMorphVertexCount(int count, int vertexCount, const QString& where);
void readMorphDeltas(Object morph, int vertexCount, const QString& where, MorphData& m);

// True when two asset urls name the same asset (percent-decoding and letter case aside).
bool sameAsset(const QString& a, const QString& b);

} // namespace dson
