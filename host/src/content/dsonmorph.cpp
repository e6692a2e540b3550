#include "dsonmorph.h"


#include "dsonerror.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"

namespace dson {
namespace {

// [[index, dx, dy, dz], ...] with indices below `limit` (no limit when negative).
void readDeltas(Object block, const QString& where, int limit, QVector<int>& indices,
                QVector<DzVec3>& deltas)
{
    const Array values = countedValues(block, "deltas", where);
    const QString path = where + QStringLiteral(".deltas.values");
    const int count = size(values);
    indices.reserve(count);
    deltas.reserve(count);
    int i = 0;
    for (Value value : values) {
        const Row d(value, path, i++);
        if (d.size() != 4)
            dsonFail(QStringLiteral("%1 is not [index, dx, dy, dz]").arg(d.path()));
        const int index = d.integer(0);
        if (index < 0)
            dsonFail(QStringLiteral("%1 moves vertex %2").arg(d.path()).arg(index));
        if (limit >= 0 && index >= limit)
            dsonFail(QStringLiteral("%1 moves vertex %2 of %3").arg(d.path()).arg(index).arg(limit));
        indices.append(index);
        deltas.append(DzVec3(float(d.number(1)), float(d.number(2)), float(d.number(3))));
    }
}

} // namespace

bool sameAsset(const QString& a, const QString& b)
{
    const AssetRef ra = parseUrl(a), rb = parseUrl(b);
    return ra.file.compare(rb.file, Qt::CaseInsensitive) == 0 &&
           ra.id.compare(rb.id, Qt::CaseInsensitive) == 0;
}

bool isMorphModifier(Object modifier)
{
    return contains(modifier, "morph");
}

int readMorphHead(Object modifier, const QString& where, MorphData& m, Object& morph)
{
    m.name = string(modifier, "id", where);
    m.name = optString(modifier, "name", where, m.name);
    m.parentUrl = optString(modifier, "parent", where);
    m.group = optString(modifier, "group", where);
    while (m.group.startsWith(QLatin1Char('/')))
        m.group.remove(0, 1);
    const QString cpath = where + QStringLiteral(".channel");
    const Object channel = object(modifier, "channel", where);
    m.label = optString(channel, "label", cpath, m.name);
    m.value = float(optNumber(channel, "value", cpath, 0));
    m.min = float(optNumber(channel, "min", cpath, 0));
    m.max = float(optNumber(channel, "max", cpath, 1));
    m.clamped = optBoolean(channel, "clamped", cpath, true);
    m.visible = optBoolean(channel, "visible", cpath, true);
    if (m.min > m.max)
        dsonFail(QStringLiteral("%1 has min %2 above max %3").arg(cpath).arg(m.min).arg(m.max));
    morph = object(modifier, "morph", where);
    return integer(morph, "vertex_count", where + QStringLiteral(".morph"));
}

void checkMorphVertexCount(int count, int vertexCount, const QString& where)
{
    if (count != vertexCount)
        dsonFail(QStringLiteral("%1.morph is for %2 vertices, the figure has %3").arg(where).arg(count).arg(vertexCount));
}

void readMorphDeltas(Object morph, int vertexCount, const QString& where, MorphData& m)
{
    const QString mpath = where + QStringLiteral(".morph");
    readDeltas(morph, mpath, vertexCount, m.indices, m.deltas);
    if (contains(morph, "hd")) {
        const QString hpath = mpath + QStringLiteral(".hd");
        const Object hd = object(morph, "hd", mpath);
        m.hdLevel = integer(hd, "level", hpath);
        if (m.hdLevel < 1 || m.hdLevel > 4)
            dsonFail(QStringLiteral("%1.level %2 is outside 1..4").arg(hpath).arg(m.hdLevel));
        readDeltas(hd, hpath, -1, m.hdIndices, m.hdDeltas);
    }
}

MorphData readMorph(Object modifier, int vertexCount, const QString& where)
{
    MorphData m;
    Object morph;
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
