#include "dsonnode.h"

#include <QHash>
#include <QVector>
#include <QSet>

#include "dsonerror.h"
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

DzVec3 readCenter(Object node, const QString& where)
{
    float xyz[3] = {0, 0, 0};
    const QString path = where + QStringLiteral(".center_point");
    int i = 0;
    for (Value value : optArray(node, "center_point", where)) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const Object c = objectAt(value, path, i++);
        const QString axis = string(c, "id", at);
        const int k = axis == QLatin1String("x") ? 0 : axis == QLatin1String("y") ? 1 : axis == QLatin1String("z") ? 2 : -1;
        if (k < 0)
            dsonFail(QStringLiteral("%1 has axis \"%2\"").arg(at, axis));
        xyz[k] = float(number(c, "value", at));
    }
    return DzVec3(xyz[0], xyz[1], xyz[2]);
}

// Bones listed in the node library below the figure, parents before children.
void addBones(Object doc, const QString& figureId, DzFigure* figure)
{
    const QString library = QStringLiteral("node_library");
    QVector<Object> nodes;
    for (Value value : array(doc, "node_library", QString()))
        nodes.append(objectAt(value, library, nodes.size()));
    QHash<QString, DzNode*> byId{{figureId, figure}};
    QList<int> pending;
    for (int i = 0; i < nodes.size(); ++i)
        if (looseString(nodes[i], "type") == QLatin1String("bone"))
            pending.append(i);
    // Each pass attaches the bones whose parent exists; a pass without progress is a fault.
    while (!pending.isEmpty()) {
        QList<int> later;
        for (int i : pending) {
            const QString where = QStringLiteral("node_library[%1]").arg(i);
            const Object n = nodes[i];
            const QString parentId = parseUrl(string(n, "parent", where)).id;
            DzNode* parent = byId.value(parentId);
            if (!parent) {
                later.append(i);
                continue;
            }
            const QString id = string(n, "id", where);
            auto* bone = new DzBone;
            bone->setName(optString(n, "name", where, id));
            bone->setLabel(optString(n, "label", where, bone->getName()));
            parent->addNodeChild(bone); // owned from here on
            bone->setOrigin(readCenter(n, where));
            byId.insert(id, bone);
        }
        if (later.size() == pending.size())
            dsonFail(QStringLiteral("node_library[%1] is a bone whose parent is not in the figure").arg(later.first()));
        pending = later;
    }
}

void addSkin(Object doc, const QString& figureId, DzFigure* figure, int vertexCount)
{
    const QString library = QStringLiteral("modifier_library");
    int m = 0;
    for (Value value : optArray(doc, "modifier_library", QString())) {
        const QString where = QStringLiteral("modifier_library[%1]").arg(m);
        const Object mod = objectAt(value, library, m++);
        if (!contains(mod, "skin") || parseUrl(looseString(mod, "parent")).id != figureId)
            continue;
        const QString spath = where + QStringLiteral(".skin");
        const Object skin = object(mod, "skin", where);
        const int count = integer(skin, "vertex_count", spath);
        if (count != vertexCount)
            dsonFail(QStringLiteral("%1 is for %2 vertices, the figure has %3").arg(spath).arg(count).arg(vertexCount));
        auto* binding = new DzSkinBinding;
        figure->getObject()->addModifier(binding);
        binding->setName(optString(mod, "name", where, QStringLiteral("SkinBinding")));
        const QString jointsPath = spath + QStringLiteral(".joints");
        int j = 0;
        for (Value jointValue : array(skin, "joints", spath)) {
            const QString jpath = QStringLiteral("%1.joints[%2]").arg(spath).arg(j);
            const Object joint = objectAt(jointValue, jointsPath, j++);
            const QString boneName = parseUrl(string(joint, "node", jpath)).id;
            if (!figure->findBone(boneName))
                dsonFail(QStringLiteral("%1 binds to bone \"%2\", which the figure lacks").arg(jpath, boneName));
            binding->setBoneWeights(boneName, vertexWeights(joint, "node_weights", jpath, vertexCount));
        }
    }
}

// Inline morphs of the asset, then installed ones; the first morph of a name wins.
void addMorphs(const QStringList& contentDirs, Object doc, const QString& nodeId,
               const QString& figureUrl, DzNode* node, int vertexCount, QStringList* problems)
{
    QList<MorphData> morphs;
    const QString library = QStringLiteral("modifier_library");
    int m = 0;
    for (Value value : optArray(doc, "modifier_library", QString())) {
        const int index = m++;
        const Object mod = objectAt(value, library, index);
        if (!isMorphModifier(mod) || (parseUrl(looseString(mod, "parent")).id != nodeId))
            continue;
        MorphData data = readMorph(mod, vertexCount, QStringLiteral("modifier_library[%1]").arg(index));
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

std::unique_ptr<DzNode> buildAssetNode(const QStringList& contentDirs, Object assetDoc,
                                       const QString& nodeId, const QString& instanceUrl,
                                       QStringList* problems)
{
    const Object def = findById(assetDoc, "node_library", nodeId);
    const QString where = QStringLiteral("node \"%1\"").arg(nodeId);
    const QString type = string(def, "type", where);
    if (type != QLatin1String("figure") && type != QLatin1String("node"))
        dsonFail(QStringLiteral("%1 is a %2, not a figure or node").arg(where, type));

    // Read everything fallible about the geometry before any host object exists.
    DzFacetMesh mesh;
    Object geometry;
    QString geometryWhere;
    const QString geometryRef = optString(def, "geometry", where);
    if (!geometryRef.isEmpty()) {
        geometry = findById(assetDoc, "geometry_library", parseUrl(geometryRef).id);
        mesh = readMesh(assetDoc, geometry, QStringLiteral("geometry \"%1\"").arg(parseUrl(geometryRef).id));
        geometryWhere = QStringLiteral("geometry \"%1\"").arg(looseString(geometry, "id"));
    }

    std::unique_ptr<DzNode> node;
    DzFigure* figure = nullptr;
    if (type == QLatin1String("figure")) {
        figure = new DzFigure;
        node.reset(figure);
    } else {
        node.reset(new DzNode);
    }
    node->setName(optString(def, "name", where, nodeId));
    node->setLabel(optString(def, "label", where, node->getName()));
    node->setAssetUri(DzUri(instanceUrl));
    if (!geometryRef.isEmpty()) {
        auto* object = new DzObject;
        node->setObject(object);
        object->addShape(createShape(geometry, mesh, geometryWhere));
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
