#include "dsonmorph.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
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

QString assetUriOf(const QString& contentDir, const QString& filePath, const QString& id)
{
    return encodePath(QDir(contentDir).relativeFilePath(filePath)) + QLatin1Char('#') + id;
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

MorphData readMorph(const QJsonObject& modifier, int vertexCount, const QString& where)
{
    MorphData m;
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

    const QString mpath = where + QStringLiteral(".morph");
    const QJsonObject morph = object(modifier, QStringLiteral("morph"), where);
    const int count = integer(morph, QStringLiteral("vertex_count"), mpath);
    if (count != vertexCount)
        dsonFail(QStringLiteral("%1 is for %2 vertices, the figure has %3").arg(mpath).arg(count).arg(vertexCount));
    readDeltas(morph, mpath, vertexCount, m.indices, m.deltas);
    if (morph.contains(QStringLiteral("hd"))) {
        const QString hpath = mpath + QStringLiteral(".hd");
        const QJsonObject hd = object(morph, QStringLiteral("hd"), mpath);
        m.hdLevel = integer(hd, QStringLiteral("level"), hpath);
        if (m.hdLevel < 1 || m.hdLevel > 4)
            dsonFail(QStringLiteral("%1.level %2 is outside 1..4").arg(hpath).arg(m.hdLevel));
        readDeltas(hd, hpath, -1, m.hdIndices, m.hdDeltas);
    }
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

QList<MorphData> findInstalledMorphs(const QStringList& contentDirs, const QString& figureUrl,
                                     int vertexCount, QStringList* problems)
{
    QList<MorphData> found;
    const QString dataFolder = QFileInfo(parseUrl(figureUrl).file).path();
    for (const QString& dir : contentDirs) {
        const QString morphDir = QDir(dir).filePath(dataFolder + QStringLiteral("/Morphs"));
        if (!QFileInfo(morphDir).isDir())
            continue;
        QStringList files;
        QDirIterator it(morphDir, {QStringLiteral("*.dsf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        files.sort(); // the order morphs appear in does not depend on the file system
        for (const QString& file : files) {
            try {
                const QJsonObject doc = readDocument(file);
                const QJsonArray mods = optArray(doc, QStringLiteral("modifier_library"), QString());
                for (int i = 0; i < mods.size(); ++i) {
                    const QJsonObject mod = objectAt(mods, i, QStringLiteral("modifier_library"));
                    if (!isMorphModifier(mod) || !sameAsset(mod.value(QStringLiteral("parent")).toString(), figureUrl))
                        continue;
                    MorphData m = readMorph(mod, vertexCount, QStringLiteral("modifier_library[%1]").arg(i));
                    m.assetUri = assetUriOf(dir, file, string(mod, QStringLiteral("id"), QString()));
                    found.append(m);
                }
            } catch (const DsonError& e) {
                problems->append(QStringLiteral("morph file \"%1\" skipped: %2").arg(file, e.text));
            }
        }
    }
    return found;
}

} // namespace dson
