#include "dsonmorph.h"

#include <QJsonArray>

#include "dsonerror.h"
#include "dsonfile.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"

namespace dson {
namespace {

// [[index, dx, dy, dz], ...] with indices below `limit` (no limit when negative).
void readDeltas(const QJsonObject& block, const QString& where, int limit, QVector<int>& indices,
                QVector<DzVec3>& deltas)
{
    const QJsonArray values = countedValues(block, QStringLiteral("deltas"), where);
    const QString path = where + QStringLiteral(".deltas.values");
    indices.reserve(values.size());
    deltas.reserve(values.size());
    for (int i = 0; i < values.size(); ++i) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const QJsonArray d = arrayAt(values, i, path);
        if (d.size() != 4)
            dsonFail(QStringLiteral("%1 is not [index, dx, dy, dz]").arg(at));
        const int index = integerAt(d, 0, at);
        if (index < 0)
            dsonFail(QStringLiteral("%1 moves vertex %2").arg(at).arg(index));
        if (limit >= 0 && index >= limit)
            dsonFail(QStringLiteral("%1 moves vertex %2 of %3").arg(at).arg(index).arg(limit));
        indices.append(index);
        deltas.append(DzVec3(float(numberAt(d, 1, at)), float(numberAt(d, 2, at)), float(numberAt(d, 3, at))));
    }
}

} // namespace

bool sameAsset(const QString& a, const QString& b)
{
    const AssetRef ra = parseUrl(a), rb = parseUrl(b);
    return ra.file.compare(rb.file, Qt::CaseInsensitive) == 0 &&
           ra.id.compare(rb.id, Qt::CaseInsensitive) == 0;
}

bool isMorphModifier(const QJsonObject& modifier)
{
    return modifier.contains(QStringLiteral("morph"));
}

int readMorphHead(const QJsonObject& modifier, const QString& where, MorphData& m, QJsonObject& morph)
{
    m.name = string(modifier, QStringLiteral("id"), where);
    m.name = optString(modifier, QStringLiteral("name"), where, m.name);
    m.parentUrl = optString(modifier, QStringLiteral("parent"), where);
    m.group = optString(modifier, QStringLiteral("group"), where);
    while (m.group.startsWith(QLatin1Char('/')))
        m.group.remove(0, 1);
    const QString cpath = where + QStringLiteral(".channel");
    const QJsonObject channel = object(modifier, QStringLiteral("channel"), where);
    m.label = optString(channel, QStringLiteral("label"), cpath, m.name);
    m.value = float(optNumber(channel, QStringLiteral("value"), cpath, 0));
    m.min = float(optNumber(channel, QStringLiteral("min"), cpath, 0));
    m.max = float(optNumber(channel, QStringLiteral("max"), cpath, 1));
    m.clamped = optBoolean(channel, QStringLiteral("clamped"), cpath, true);
    m.visible = optBoolean(channel, QStringLiteral("visible"), cpath, true);
    if (m.min > m.max)
        dsonFail(QStringLiteral("%1 has min %2 above max %3").arg(cpath).arg(m.min).arg(m.max));
    morph = object(modifier, QStringLiteral("morph"), where);
    return integer(morph, QStringLiteral("vertex_count"), where + QStringLiteral(".morph"));
}

void checkMorphVertexCount(int count, int vertexCount, const QString& where)
{
    if (count != vertexCount)
        dsonFail(QStringLiteral("%1.morph is for %2 vertices, the figure has %3").arg(where).arg(count).arg(vertexCount));
}

void readMorphDeltas(const QJsonObject& morph, int vertexCount, const QString& where, MorphData& m)
{
    const QString mpath = where + QStringLiteral(".morph");
    readDeltas(morph, mpath, vertexCount, m.indices, m.deltas);
    if (morph.contains(QStringLiteral("hd"))) {
        const QString hpath = mpath + QStringLiteral(".hd");
        const QJsonObject hd = object(morph, QStringLiteral("hd"), mpath);
        m.hdLevel = integer(hd, QStringLiteral("level"), hpath);
        if (m.hdLevel < 1 || m.hdLevel > 4)
            dsonFail(QStringLiteral("%1.level %2 is outside 1..4").arg(hpath).arg(m.hdLevel));
        readDeltas(hd, hpath, -1, m.hdIndices, m.hdDeltas);
    }
}

MorphData readMorph(const QJsonObject& modifier, int vertexCount, const QString& where)
{
    MorphData m;
    QJsonObject morph;
    checkMorphVertexCount(readMorphHead(modifier, where, m, morph), vertexCount, where);
    readMorphDeltas(morph, vertexCount, where, m);
    return m;
}

DzMorph* createMorph(const MorphData& data)
{
    auto* morph = new DzMorph(data.name);
    morph->setLabel(data.label);
    DzFloatProperty* value = morph->getValueControl();
    value->setLabel(data.label);
    value->setPath(data.group);
    value->setHidden(!data.visible);
    value->setIsClamped(data.clamped);
    value->setMinMax(data.min, data.max);
    value->setDefaultValue(data.value);
    value->setValue(data.value);
    auto* deltas = new DzMorphDeltas;
    deltas->setDeltas(data.indices, data.deltas);
    if (data.hdLevel > 0)
        deltas->setHDDeltas(data.hdLevel, data.hdIndices, data.hdDeltas);
    deltas->setUri(DzUri(data.assetUri));
    morph->setDeltas(deltas);
    return morph;
}

} // namespace dson
