#include "dsonscene.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QSet>
#include <memory>

#include "dsonerror.h"
#include "dsonfile.h"
#include "dsongeometry.h"
#include "dsonmorph.h"
#include "dsonnode.h"
#include "dzapp.h"
#include "dzbone.h"
#include "dzdformer.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"

namespace dson {
namespace {

class Planner {
public:
    Planner(const QStringList& dirs, const QString& filePath, const QJsonObject& doc)
        : _dirs(dirs), _filePath(filePath), _doc(doc)
    {
    }

    ScenePlan plan(const QStringList& knownFormulas, QStringList* newFormulas);

private:
    QString resolve(const QString& relativeFile) const;
    // The document an url points into: this file for "#id"; null when the file is missing.
    const QJsonObject* documentOf(const AssetRef& ref);
    QString absoluteUrl(const QString& url) const;
    void planNodes();
    void planNode(const QJsonObject& inst, const QString& where);
    void planBonePose(const QJsonObject& inst, DzFigure* figure, const QString& boneId, const QString& where);
    void planModifiers();
    void planModifier(const QJsonObject& inst, const QString& where);
    void planValue(DzNode* node, DzFloatProperty* prop, const QString& name, double value);
    void planDFormer();
    void checkFormulas(const QStringList& knownFormulas, QStringList* newFormulas);
    DzNode* selectedTarget(const QString& where) const;
    void hold(QObject* object, DzNode* node, const QString& what);

    QStringList _dirs;
    QString _filePath;
    QJsonObject _doc;
    QHash<QString, QJsonObject> _docs;
    QHash<QString, DzNode*> _instances;
    // Morphs created for modifier instances, per target node and name, until the plan runs.
    QHash<QPair<DzNode*, QString>, DzMorph*> _newMorphs;
    ScenePlan _plan;
};

QString Planner::resolve(const QString& relativeFile) const
{
    for (const QString& dir : _dirs) {
        const QString path = QDir(dir).filePath(relativeFile);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

const QJsonObject* Planner::documentOf(const AssetRef& ref)
{
    if (ref.file.isEmpty())
        return &_doc;
    auto it = _docs.find(ref.file);
    if (it == _docs.end()) {
        const QString path = resolve(ref.file);
        if (path.isEmpty())
            return nullptr;
        try {
            it = _docs.insert(ref.file, readDocument(path));
        } catch (const DsonError& e) {
            dsonFail(QStringLiteral("asset \"%1\" %2").arg(path, e.text));
        }
    }
    return &it.value();
}

// "#id" means this file; its url is its path within a content directory.
QString Planner::absoluteUrl(const QString& url) const
{
    if (!url.startsWith(QLatin1Char('#')))
        return url;
    for (const QString& dir : _dirs) {
        const QString rel = QDir(dir).relativeFilePath(_filePath);
        if (!rel.startsWith(QLatin1String("..")))
            return encodePath(rel) + url;
    }
    return url;
}

DzNode* Planner::selectedTarget(const QString& where) const
{
    DzNode* node = dzScene ? dzScene->getPrimarySelection() : nullptr;
    if (!node)
        dsonFail(QStringLiteral("%1 applies to the selected node, and none is selected").arg(where));
    return node;
}

// Objects of the plan's own new nodes need no watch: the plan owns them until it runs.
void Planner::hold(QObject* object, DzNode* node, const QString& what)
{
    if (node->getScene())
        _plan.held.push_back({object, node, what});
}

void Planner::planNodes()
{
    const QJsonObject scene = _doc.value(QStringLiteral("scene")).toObject();
    const QJsonArray nodes = optArray(scene, QStringLiteral("nodes"), QStringLiteral("scene"));
    _plan.hadSceneNodes = !nodes.isEmpty();
    for (int i = 0; i < nodes.size(); ++i)
        planNode(objectAt(nodes, i, QStringLiteral("scene.nodes")), QStringLiteral("scene.nodes[%1]").arg(i));
}

void applyChannels(const QJsonObject& inst, const QString& key, const QString& where,
                   DzFloatProperty* x, DzFloatProperty* y, DzFloatProperty* z,
                   std::vector<std::pair<DzFloatProperty*, float>>& out)
{
    const QJsonArray channels = optArray(inst, key, where);
    const QString path = where + QLatin1Char('.') + key;
    for (int i = 0; i < channels.size(); ++i) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const QJsonObject c = objectAt(channels, i, path);
        const QString axis = string(c, QStringLiteral("id"), at);
        const float value = float(number(c, QStringLiteral("current_value"), at));
        DzFloatProperty* prop = axis == QLatin1String("x") ? x
                                : axis == QLatin1String("y") ? y
                                : axis == QLatin1String("z") ? z
                                : axis == QLatin1String("general") ? x
                                                                    : nullptr;
        if (!prop)
            dsonFail(QStringLiteral("%1 has unknown channel \"%2\"").arg(at, axis));
        out.emplace_back(prop, value);
    }
}

std::vector<std::pair<DzFloatProperty*, float>> transformValues(const QJsonObject& inst, DzNode* node,
                                                                 const QString& where)
{
    std::vector<std::pair<DzFloatProperty*, float>> values;
    applyChannels(inst, QStringLiteral("translation"), where, node->getXPosControl(),
                  node->getYPosControl(), node->getZPosControl(), values);
    applyChannels(inst, QStringLiteral("rotation"), where, node->getXRotControl(),
                  node->getYRotControl(), node->getZRotControl(), values);
    applyChannels(inst, QStringLiteral("scale"), where, node->getScaleControl(), nullptr, nullptr, values);
    return values;
}

void Planner::planNode(const QJsonObject& inst, const QString& where)
{
    const QString id = string(inst, QStringLiteral("id"), where);
    const QString url = string(inst, QStringLiteral("url"), where);
    const AssetRef ref = parseUrl(url);
    const QString parentRef = optString(inst, QStringLiteral("parent"), where);
    if (!parentRef.isEmpty()) {
        auto* figure = qobject_cast<DzFigure*>(_instances.value(parseUrl(parentRef).id));
        if (!figure)
            dsonFail(QStringLiteral("%1 has parent \"%2\", which is no figure of this file").arg(where, parentRef));
        planBonePose(inst, figure, ref.id, where);
        return;
    }
    const QJsonObject* asset = documentOf(ref);
    if (!asset) {
        _plan.missingUrls.append(url);
        return;
    }
    if (_plan.isDFormerPreset)
        return; // placed by planDFormer
    std::unique_ptr<DzNode> node;
    try {
        node = buildAssetNode(_dirs, *asset, ref.id, absoluteUrl(url), &_plan.problems);
    } catch (const DsonError& e) {
        dsonFail(ref.file.isEmpty() ? e.text : QStringLiteral("asset \"%1\": %2").arg(ref.file, e.text));
    }
    if (inst.contains(QStringLiteral("label")))
        node->setLabel(string(inst, QStringLiteral("label"), where));
    for (const auto& [prop, value] : transformValues(inst, node.get(), where))
        prop->setValue(value);
    _instances.insert(id, node.get());
    _plan.newNodes.push_back(std::move(node));
}

void Planner::planBonePose(const QJsonObject& inst, DzFigure* figure, const QString& boneId,
                           const QString& where)
{
    DzBone* bone = figure->findBone(boneId);
    if (!bone)
        dsonFail(QStringLiteral("%1 poses bone \"%2\", which the figure lacks").arg(where, boneId));
    for (const auto& [prop, value] : transformValues(inst, bone, where))
        prop->setValue(value);
}

void Planner::planModifiers()
{
    const QJsonObject scene = _doc.value(QStringLiteral("scene")).toObject();
    const QJsonArray mods = optArray(scene, QStringLiteral("modifiers"), QStringLiteral("scene"));
    for (int i = 0; i < mods.size(); ++i)
        planModifier(objectAt(mods, i, QStringLiteral("scene.modifiers")), QStringLiteral("scene.modifiers[%1]").arg(i));
}

void Planner::planModifier(const QJsonObject& inst, const QString& where)
{
    const QString url = string(inst, QStringLiteral("url"), where);
    const AssetRef ref = parseUrl(url);
    if (_plan.isDFormerPreset)
        return; // the D-Former modifier is placed with its nodes
    const QString parentRef = optString(inst, QStringLiteral("parent"), where);
    DzNode* node = nullptr;
    if (parentRef.isEmpty()) {
        node = selectedTarget(where);
    } else {
        node = _instances.value(parseUrl(parentRef).id);
        if (!node)
            dsonFail(QStringLiteral("%1 refers to node \"%2\", which this file does not load").arg(where, parentRef));
    }
    DzObject* object = node->getObject();
    if (!object)
        dsonFail(QStringLiteral("%1 targets \"%2\", which has no geometry").arg(where, node->getLabel()));
    hold(object, node, QStringLiteral("node \"%1\"").arg(node->getLabel()));

    auto* morph = qobject_cast<DzMorph*>(object->findModifier(ref.id));
    const auto key = qMakePair(node, ref.id);
    if (!morph && _newMorphs.contains(key))
        morph = _newMorphs.value(key);
    if (!morph) {
        const QJsonObject* asset = documentOf(ref);
        if (!asset) {
            _plan.missingUrls.append(url);
            return;
        }
        const QJsonObject def = findById(*asset, QStringLiteral("modifier_library"), ref.id);
        const int vertexCount = object->getCurrentShape() ? object->getCurrentShape()->getNumVertices() : 0;
        MorphData data;
        try {
            data = readMorph(def, vertexCount, QStringLiteral("modifier \"%1\"").arg(ref.id));
        } catch (const DsonError& e) {
            dsonFail(QStringLiteral("%1 (%2): %3").arg(where, url, e.text));
        }
        data.assetUri = absoluteUrl(url);
        // Held by the plan until it runs; a plan dropped unrun deletes it.
        auto pending = std::make_shared<std::unique_ptr<DzMorph>>(createMorph(data));
        morph = pending->get();
        _newMorphs.insert(key, morph);
        _plan.changes.push_back([object, pending] { object->addModifier(pending->release()); });
    }
    const QJsonObject channel = inst.value(QStringLiteral("channel")).toObject();
    if (channel.contains(QStringLiteral("current_value")))
        planValue(node, morph->getValueControl(), morph->getName(),
                  number(channel, QStringLiteral("current_value"), where + QStringLiteral(".channel")));
}

void Planner::planValue(DzNode* node, DzFloatProperty* prop, const QString& name, double value)
{
    const float v = float(value);
    hold(prop, node, QStringLiteral("property \"%1\" of \"%2\"").arg(name, node->getLabel()));
    if (prop->isClamped() && (v < prop->getMin() || v > prop->getMax())) {
        _plan.valuesOutOfRange.append(QStringLiteral("%1: %2 = %3 (%4 to %5)")
                                          .arg(node->getLabel(), name)
                                          .arg(value)
                                          .arg(prop->getMin())
                                          .arg(prop->getMax()));
        _plan.ignoreLimits.push_back([prop] { prop->setIsClamped(false); });
    }
    // The value is set after any limits are lifted, so "ignore" keeps it whole.
    _plan.changes.push_back([prop, v] { prop->setValue(v); });
}

void Planner::planDFormer()
{
    const QString where = QStringLiteral("D-Former preset");
    DzNode* target = selectedTarget(where);
    auto* figure = qobject_cast<DzFigure*>(target);
    DzShape* shape = figure && figure->getObject() ? figure->getObject()->getCurrentShape() : nullptr;
    if (!shape)
        dsonFail(QStringLiteral("%1 needs a selected figure, and \"%2\" is none").arg(where, target->getLabel()));
    hold(figure, figure, QStringLiteral("figure \"%1\"").arg(figure->getLabel()));

    QVector<float> weights;
    const QJsonArray mods = optArray(_doc, QStringLiteral("modifier_library"), QString());
    for (int m = 0; m < mods.size(); ++m) {
        const QJsonObject mod = objectAt(mods, m, QStringLiteral("modifier_library"));
        if (!mod.contains(QStringLiteral("dformer")))
            continue;
        const QString dpath = QStringLiteral("modifier_library[%1].dformer").arg(m);
        const QJsonObject dformer = object(mod, QStringLiteral("dformer"), QStringLiteral("modifier_library[%1]").arg(m));
        const int count = integer(dformer, QStringLiteral("vertex_count"), dpath);
        if (count != shape->getNumVertices())
            dsonFail(QStringLiteral("%1 is for %2 vertices; \"%3\" has %4").arg(dpath).arg(count).arg(figure->getLabel()).arg(shape->getNumVertices()));
        weights = vertexWeights(dformer, QStringLiteral("influence_weights"), dpath, count);
    }
    if (weights.isEmpty())
        dsonFail(QStringLiteral("%1 has no influence weights").arg(where));

    // The weight map goes on the first node of the preset, the others sit beside it.
    const QJsonArray nodes = optArray(_doc.value(QStringLiteral("scene")).toObject(), QStringLiteral("nodes"), QStringLiteral("scene"));
    auto created = std::make_shared<std::vector<std::unique_ptr<DzDFormer>>>();
    for (int i = 0; i < nodes.size(); ++i) {
        const QString w = QStringLiteral("scene.nodes[%1]").arg(i);
        const QJsonObject inst = objectAt(nodes, i, QStringLiteral("scene.nodes"));
        const QString url = string(inst, QStringLiteral("url"), w);
        const AssetRef ref = parseUrl(url);
        const QJsonObject* asset = documentOf(ref);
        if (!asset)
            dsonFail(QStringLiteral("%1: %2 is \"%3\", which no content directory has").arg(where, w, url));
        const QJsonObject def = findById(*asset, QStringLiteral("node_library"), ref.id);
        auto node = std::make_unique<DzDFormer>();
        node->setName(optString(def, QStringLiteral("name"), w, ref.id));
        node->setLabel(optString(inst, QStringLiteral("label"), w, node->getName()));
        if (created->empty())
            node->setInfluenceWeights(weights);
        created->push_back(std::move(node));
    }
    if (created->empty())
        dsonFail(QStringLiteral("%1 has no nodes").arg(where));
    _plan.changes.push_back([figure, created] {
        for (auto& node : *created)
            figure->addNodeChild(node.release());
    });
}

void Planner::checkFormulas(const QStringList& knownFormulas, QStringList* newFormulas)
{
    QSet<QString> seen(knownFormulas.begin(), knownFormulas.end());
    const QJsonArray mods = optArray(_doc, QStringLiteral("modifier_library"), QString());
    for (int m = 0; m < mods.size(); ++m) {
        const QString where = QStringLiteral("modifier_library[%1]").arg(m);
        const QJsonObject mod = objectAt(mods, m, QStringLiteral("modifier_library"));
        const QJsonArray formulas = optArray(mod, QStringLiteral("formulas"), where);
        for (int f = 0; f < formulas.size(); ++f) {
            const QString path = QStringLiteral("%1.formulas").arg(where);
            const QString output = string(objectAt(formulas, f, path), QStringLiteral("output"), path);
            if (seen.contains(output))
                _plan.duplicateFormulas.append(output);
            else
                newFormulas->append(output);
            seen.insert(output);
        }
    }
}

ScenePlan Planner::plan(const QStringList& knownFormulas, QStringList* newFormulas)
{
    const QJsonObject info = object(_doc, QStringLiteral("asset_info"), QString());
    const QString type = string(info, QStringLiteral("type"), QStringLiteral("asset_info"));
    _plan.isPreset = type.startsWith(QLatin1String("preset_"));
    _plan.isDFormerPreset = type == QLatin1String("preset_dformer");
    if (_doc.contains(QStringLiteral("scene")))
        object(_doc, QStringLiteral("scene"), QString());
    checkFormulas(knownFormulas, newFormulas);
    planNodes();
    if (_plan.isDFormerPreset)
        planDFormer();
    planModifiers();
    return std::move(_plan);
}

} // namespace

QString ScenePlan::lostTarget() const
{
    for (const Held& h : held)
        if (!h.object || !h.node || !h.node->getScene())
            return h.what;
    return {};
}

ScenePlan planLoad(const QStringList& contentDirs, const QString& filePath, const QJsonObject& doc,
                   const QStringList& knownFormulas, QStringList* newFormulas)
{
    Planner planner(contentDirs, filePath, doc);
    return planner.plan(knownFormulas, newFormulas);
}

} // namespace dson
