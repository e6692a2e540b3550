#include "dsonscenewriter.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QUrl>

#include "dsonfile.h"
#include "dzbone.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"

namespace dson {
namespace {

// "#<id>", the way a file refers to one of its own entries.
QString localUrl(const QString& id)
{
    return QLatin1Char('#') + QString::fromLatin1(QUrl::toPercentEncoding(id));
}

QJsonObject channel(const char* id, double currentValue)
{
    return QJsonObject{{QStringLiteral("id"), QLatin1String(id)},
                       {QStringLiteral("current_value"), currentValue}};
}

// The channels of three axis properties that differ from their defaults.
void addAxes(QJsonObject& inst, const char* key, DzFloatProperty* x, DzFloatProperty* y, DzFloatProperty* z)
{
    QJsonArray channels;
    const std::pair<const char*, DzFloatProperty*> axes[] = {{"x", x}, {"y", y}, {"z", z}};
    for (const auto& [axis, prop] : axes)
        if (prop->getValue() != prop->getDefaultValue())
            channels.append(channel(axis, prop->getValue()));
    if (!channels.isEmpty())
        inst.insert(QLatin1String(key), channels);
}

// True when the node's transform differs from the default.
bool addTransform(QJsonObject& inst, const DzNode* node)
{
    addAxes(inst, "translation", node->getXPosControl(), node->getYPosControl(), node->getZPosControl());
    addAxes(inst, "rotation", node->getXRotControl(), node->getYRotControl(), node->getZRotControl());
    const DzFloatProperty* scale = node->getScaleControl();
    if (scale->getValue() != scale->getDefaultValue())
        inst.insert(QStringLiteral("scale"), QJsonArray{channel("general", scale->getValue())});
    return inst.contains(QLatin1String("translation")) || inst.contains(QLatin1String("rotation")) ||
           inst.contains(QLatin1String("scale"));
}

QJsonArray resolution(const QString& id, const DzShape* shape)
{
    const QJsonArray channels{
        QJsonObject{{QStringLiteral("channel"), channel("lodlevel", shape->getLODControl()->getValue())}},
        QJsonObject{{QStringLiteral("channel"), channel("SubDIALevel", shape->getSubDIALevelControl()->getValue())}}};
    const QJsonObject extra{{QStringLiteral("type"), QStringLiteral("studio_geometry_channels")},
                            {QStringLiteral("channels"), channels}};
    return QJsonArray{QJsonObject{{QStringLiteral("id"), id + QStringLiteral("-geometry")},
                                  {QStringLiteral("extra"), QJsonArray{extra}}}};
}

class Writer {
public:
    explicit Writer(const QString& fileName) : _fileName(fileName) {}

    void addRoot(DzNode* node);
    SceneFile finish() const;

private:
    QString uniqueId(const QString& name);
    void addChildren(DzNode* node, const QString& figureId);
    void addMorphs(const DzNode* node, const QString& instanceId);

    QString _fileName;
    QSet<QString> _ids;
    QJsonArray _nodes, _modifiers;
    QStringList _leftOut;
};

QString Writer::uniqueId(const QString& name)
{
    QString id = name.isEmpty() ? QStringLiteral("node") : name;
    for (int n = 2; _ids.contains(id); ++n)
        id = QStringLiteral("%1-%2").arg(name).arg(n);
    _ids.insert(id);
    return id;
}

// An asset url names a file in a content directory; "#id" names an entry of the file the node
// came from, which a scene file elsewhere cannot reach.
bool isAssetUrl(const DzUri& uri)
{
    return !uri.isEmpty() && !uri.toString().startsWith(QLatin1Char('#'));
}

void Writer::addRoot(DzNode* node)
{
    if (!isAssetUrl(node->getAssetUri())) {
        _leftOut << QStringLiteral("node \"%1\" (it has no asset file)").arg(node->getLabel());
        return;
    }
    const QString id = uniqueId(node->getName());
    QJsonObject inst{{QStringLiteral("id"), id},
                     {QStringLiteral("url"), node->getAssetUri().toString()},
                     {QStringLiteral("label"), node->getLabel()}};
    addTransform(inst, node);
    if (const DzShape* shape = node->getObject() ? node->getObject()->getCurrentShape() : nullptr)
        inst.insert(QStringLiteral("geometries"), resolution(id, shape));
    _nodes.append(inst);
    addChildren(node, id);
    addMorphs(node, id);
}

// Bones, depth first, as pose instances of the figure; other children cannot be referred to.
void Writer::addChildren(DzNode* node, const QString& figureId)
{
    for (int i = 0; i < node->getNumNodeChildren(); ++i) {
        DzNode* child = node->getNodeChild(i);
        if (!qobject_cast<DzBone*>(child)) {
            _leftOut << QStringLiteral("node \"%1\" (a child of \"%2\" that is not a bone)")
                            .arg(child->getLabel(), node->getLabel());
            continue;
        }
        QJsonObject inst{{QStringLiteral("id"), uniqueId(figureId + QLatin1Char('-') + child->getName())},
                         {QStringLiteral("url"), localUrl(child->getName())},
                         {QStringLiteral("parent"), localUrl(figureId)}};
        if (addTransform(inst, child))
            _nodes.append(inst);
        addChildren(child, figureId);
    }
}

void Writer::addMorphs(const DzNode* node, const QString& instanceId)
{
    if (!node->getObject())
        return;
    for (DzModifier* modifier : node->getObject()->modifierList()) {
        const auto* morph = qobject_cast<DzMorph*>(modifier);
        if (!morph)
            continue;
        const DzUri uri = morph->getDeltas() ? morph->getDeltas()->getUri() : DzUri();
        if (!isAssetUrl(uri)) {
            _leftOut << QStringLiteral("morph \"%1\" of \"%2\" (it was never saved as an asset)")
                            .arg(morph->getName(), node->getLabel());
            continue;
        }
        _modifiers.append(QJsonObject{
            {QStringLiteral("id"), uniqueId(instanceId + QLatin1Char('-') + morph->getName())},
            {QStringLiteral("url"), uri.toString()},
            {QStringLiteral("parent"), localUrl(instanceId)},
            {QStringLiteral("channel"), channel("value", morph->getValueControl()->getValue())}});
    }
}

SceneFile Writer::finish() const
{
    const QJsonObject info{{QStringLiteral("id"), encodePath(_fileName)},
                           {QStringLiteral("type"), QStringLiteral("scene")},
                           {QStringLiteral("revision"), QStringLiteral("1.0")}};
    const QJsonObject document{{QStringLiteral("file_version"), QStringLiteral("0.6.0.0")},
                               {QStringLiteral("asset_info"), info},
                               {QStringLiteral("scene"), QJsonObject{{QStringLiteral("nodes"), _nodes},
                                                                     {QStringLiteral("modifiers"), _modifiers}}}};
    return {QJsonDocument(document).toJson(QJsonDocument::Indented), _leftOut};
}

} // namespace

QString writeFileWhole(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("it is a symbolic link (to \"%1\"), and files are never written through one")
            .arg(info.symLinkTarget());
    if (info.isDir())
        return QStringLiteral("it is a folder");
    const QFileInfo folder(info.path());
    if (!folder.exists())
        return QStringLiteral("the folder \"%1\" does not exist").arg(folder.filePath());
    if (!folder.isDir())
        return QStringLiteral("\"%1\" is not a folder").arg(folder.filePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

SceneFile sceneFileOf(const DzScene& scene, const QString& fileName)
{
    Writer writer(fileName);
    for (DzNode* node : scene.nodeList())
        if (node->isRootNode())
            writer.addRoot(node);
    return writer.finish();
}

} // namespace dson
