#pragma once

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QVector>

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

bool isMorphModifier(const QJsonObject& modifier);
MorphData readMorph(const QJsonObject& modifier, int vertexCount, const QString& where);
DzMorph* createMorph(const MorphData& data);

// The morph assets installed for a figure: every .dsf below "data/<folder>/Morphs/" of each
// content directory whose morphs name the figure as parent. Files that cannot be used are
// skipped with a line in `problems`.
QList<MorphData> findInstalledMorphs(const QStringList& contentDirs, const QString& figureUrl,
                                     int vertexCount, QStringList* problems);

// True when two asset urls name the same asset (percent-decoding and letter case aside).
bool sameAsset(const QString& a, const QString& b);

} // namespace dson
