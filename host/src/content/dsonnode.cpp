#include "dsonnode.h"

#include <QHash>
#include <QJsonArray>
#include <QSet>

#include "dsonerror.h"
#include "dsonfile.h"
#include "dsongeometry.h"
#include "dsoninstalledmorphs.h"
#include "dsonmorph.h"
#include "dzbone.h"
#include "dzfigure.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzshape.h"
#include "dzskinbinding.h"

namespace dson {
namespace {

DzVec3 readCenter(const QJsonObject& node, const QString& where)
{
    float xyz[3] = {0, 0, 0};
    const QJsonArray channels = optArray(node, QStringLiteral("center_point"), where);
    const QString path = where + QStringLiteral(".center_point");
    for (int i = 0; i < channels.size(); ++i) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const QJsonObject c = objectAt(channels, i, path);
        const QString axis = string(c, QStringLiteral("id"), at);
        const int k = axis == QLatin1String("x") ? 0 : axis == QLatin1String("y") ? 1 : axis == QLatin1String("z") ? 2 : -1;
        if (k < 0)
            dsonFail(QStringLiteral("%1 has axis \"%2\"").arg(at, axis));
        xyz[k] = float(number(c, QStringLiteral("value"), at));
    }
    return DzVec3(xyz[0], xyz[1], xyz[2]);
}

// Bones listed in the node library below the figure, parents before children.
void addBones(const QJsonObject& doc, const QString& figureId, DzFigure* figure)
{
    const QJsonArray nodes = array(doc, QStringLiteral("node_library"), QString());
    QHash<QString, DzNode*> byId{{figureId, figure}};
    QList<int> pending;
    for (int i = 0; i < nodes.size(); ++i)
        if (objectAt(nodes, i, QStringLiteral("node_library")).value(QStringLiteral("type")).toString() == QLatin1String("bone"))
            pending.append(i);
    // Each pass attaches the bones whose parent exists; a pass without progress is a fault.
    while (!pending.isEmpty()) {
        QList<int> later;
        for (int i : pending) {
            const QString where = QStringLiteral("node_library[%1]").arg(i);
            const QJsonObject n = nodes.at(i).toObject();
            const QString parentId = parseUrl(string(n, QStringLiteral("parent"), where)).id;
            DzNode* parent = byId.value(parentId);
            if (!parent) {
                later.append(i);
                continue;
            }
            const QString id = string(n, QStringLiteral("id"), where);
            auto* bone = new DzBone;
            bone->setName(optString(n, QStringLiteral("name"), where, id));
            bone->setLabel(optString(n, QStringLiteral("label"), where, bone->getName()));
            parent->addNodeChild(bone); // owned from here on
            bone->setOrigin(readCenter(n, where));
            byId.insert(id, bone);
        }
        if (later.size() == pending.size())
            dsonFail(QStringLiteral("node_library[%1] is a bone whose parent is not in the figure").arg(later.first()));
        pending = later;
    }
}

void addSkin(const QJsonObject& doc, const QString& figureId, DzFigure* figure, int vertexCount)
{
    const QJsonArray mods = optArray(doc, QStringLiteral("modifier_library"), QString());
    for (int m = 0; m < mods.size(); ++m) {
        const QString where = QStringLiteral("modifier_library[%1]").arg(m);
        const QJsonObject mod = objectAt(mods, m, QStringLiteral("modifier_library"));
        if (!mod.contains(QStringLiteral("skin")) || parseUrl(mod.value(QStringLiteral("parent")).toString()).id != figureId)
            continue;
        const QString spath = where + QStringLiteral(".skin");
        const QJsonObject skin = object(mod, QStringLiteral("skin"), where);
        const int count = integer(skin, QStringLiteral("vertex_count"), spath);
        if (count != vertexCount)
            dsonFail(QStringLiteral("%1 is for %2 vertices, the figure has %3").arg(spath).arg(count).arg(vertexCount));
        auto* binding = new DzSkinBinding;
        figure->getObject()->addModifier(binding);
        binding->setName(optString(mod, QStringLiteral("name"), where, QStringLiteral("SkinBinding")));
        const QJsonArray joints = array(skin, QStringLiteral("joints"), spath);
        for (int j = 0; j < joints.size(); ++j) {
            const QString jpath = QStringLiteral("%1.joints[%2]").arg(spath).arg(j);
            const QJsonObject joint = objectAt(joints, j, spath + QStringLiteral(".joints"));
            const QString boneName = parseUrl(string(joint, QStringLiteral("node"), jpath)).id;
            if (!figure->findBone(boneName))
                dsonFail(QStringLiteral("%1 binds to bone \"%2\", which the figure lacks").arg(jpath, boneName));
            const QVector<float> weights =
                vertexWeights(joint, QStringLiteral("node_weights"), jpath, vertexCount);
            binding->setBoneWeights(boneName, weights);
        }
    }
}

// Inline morphs of the asset, then installed ones; the first morph of a name wins.
void addMorphs(const QStringList& contentDirs, const QJsonObject& doc, const QString& nodeId,
               const QString& figureUrl, DzNode* node, int vertexCount, QStringList* problems)
{
    QList<MorphData> morphs;
    const QJsonArray mods = optArray(doc, QStringLiteral("modifier_library"), QString());
    for (int m = 0; m < mods.size(); ++m) {
        const QJsonObject mod = objectAt(mods, m, QStringLiteral("modifier_library"));
        const QString parent = mod.value(QStringLiteral("parent")).toString();
        if (!isMorphModifier(mod) || (parseUrl(parent).id != nodeId))
            continue;
        MorphData data = readMorph(mod, vertexCount, QStringLiteral("modifier_library[%1]").arg(m));
        data.assetUri = figureUrl.section(QLatin1Char('#'), 0, 0) + QLatin1Char('#') + data.name;
        morphs.append(data);
    }
    morphs.append(findInstalledMorphs(contentDirs, figureUrl, vertexCount, problems));
    QSet<QString> names;
    for (const MorphData& data : morphs) {
        if (names.contains(data.name))
            continue;
        names.insert(data.name);
        node->getObject()->addModifier(createMorph(data));
    }
}

} // namespace

std::unique_ptr<DzNode> buildAssetNode(const QStringList& contentDirs, const QJsonObject& assetDoc,
                                       const QString& nodeId, const QString& instanceUrl,
                                       QStringList* problems)
{
    const QJsonObject def = findById(assetDoc, QStringLiteral("node_library"), nodeId);
    const QString where = QStringLiteral("node \"%1\"").arg(nodeId);
    const QString type = string(def, QStringLiteral("type"), where);
    if (type != QLatin1String("figure") && type != QLatin1String("node"))
        dsonFail(QStringLiteral("%1 is a %2, not a figure or node").arg(where, type));

    // Read everything fallible about the geometry before any host object exists.
    DzFacetMesh mesh;
    QJsonObject geometry;
    const QString geometryRef = optString(def, QStringLiteral("geometry"), where);
    if (!geometryRef.isEmpty()) {
        geometry = findById(assetDoc, QStringLiteral("geometry_library"), parseUrl(geometryRef).id);
        mesh = readMesh(assetDoc, geometry, QStringLiteral("geometry \"%1\"").arg(parseUrl(geometryRef).id));
    }

    std::unique_ptr<DzNode> node;
    DzFigure* figure = nullptr;
    if (type == QLatin1String("figure")) {
        figure = new DzFigure;
        node.reset(figure);
    } else {
        node.reset(new DzNode);
    }
    node->setName(optString(def, QStringLiteral("name"), where, nodeId));
    node->setLabel(optString(def, QStringLiteral("label"), where, node->getName()));
    node->setAssetUri(DzUri(instanceUrl));
    if (!geometryRef.isEmpty()) {
        auto* object = new DzObject;
        node->setObject(object);
        object->addShape(createShape(geometry, mesh, QStringLiteral("geometry \"%1\"").arg(geometry.value(QStringLiteral("id")).toString())));
    }
    if (figure) {
        addBones(assetDoc, nodeId, figure);
        if (figure->getObject()) {
            addSkin(assetDoc, nodeId, figure, mesh.getNumVertices());
            addMorphs(contentDirs, assetDoc, nodeId, instanceUrl, figure, mesh.getNumVertices(), problems);
        }
    }
    return node;
}

} // namespace dson
