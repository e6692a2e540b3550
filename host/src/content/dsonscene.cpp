#include "dsonscene.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <memory>

#include "contentpaths.h"
#include "dsonerror.h"
#include "dsongeometry.h"
#include "dsonmorph.h"
#include "dsonnode.h"
#include "dzapp.h"
#include "dzbone.h"
#include "dzdformer.h"
#include "dzfigure.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"

namespace dson {
namespace {

class Planner {
public:
    Planner(const QStringList& dirs, const QString& filePath, const Document& doc)
        : _dirs(dirs), _filePath(filePath), _file(doc), _doc(doc.root())
    {
    }

    ScenePlan plan(const QStringList& knownFormulas, QStringList* newFormulas);

private:
    QString resolve(const QString& url, const QString& relativeFile) const;
    // The document an url points into: this file for "#id"; null when the file is missing.
    const Object* documentOf(const QString& url, const AssetRef& ref);
    QString absoluteUrl(const QString& url) const;
    void planNodes();
    void planNode(Object inst, const QString& where);
    void planBonePose(Object inst, DzFigure* figure, const QString& boneId, const QString& where);
    void planModifiers();
    void planModifier(Object inst, const QString& where);
    void planValue(DzNode* node, DzFloatProperty* prop, const QString& name, double value);
    void planDFormer();
    void checkFormulas(const QStringList& knownFormulas, QStringList* newFormulas);
    DzNode* selectedTarget(const QString& where) const;
    void hold(QObject* object, DzNode* node, const QString& what);

    QStringList _dirs;
    QString _filePath;
    Document _file;
    Object _doc;
    // Other files the urls point into, with their roots.
    QHash<QString, std::pair<Document, Object>> _docs;
    QHash<QString, DzNode*> _instances;
    // Morphs created for modifier instances, per target node and name, until the plan runs.
    QHash<QPair<DzNode*, QString>, DzMorph*> _newMorphs;
    ScenePlan _plan;
};

// The file an url names; empty when no content directory has it. An url that leads outside
// them is a fault of the file that holds it.
QString Planner::resolve(const QString& url, const QString& relativeFile) const
{
    const dzcontent::ContentFile file = dzcontent::findContentFile(_dirs, relativeFile);
    if (!file.refusal.isEmpty())
        dsonFail(QStringLiteral("asset url \"%1\" in \"%2\" %3").arg(url, _filePath, file.refusal));
    return file.path;
}

const Object* Planner::documentOf(const QString& url, const AssetRef& ref)
{
    if (ref.file.isEmpty())
        return &_doc;
    auto it = _docs.find(ref.file);
    if (it == _docs.end()) {
        const QString path = resolve(url, ref.file);
        if (path.isEmpty())
            return nullptr;
        try {
            const Document doc = readAssetDocument(path);
            it = _docs.insert(ref.file, {doc, doc.root()});
        } catch (const DsonError& e) {
            dsonFail(QStringLiteral("asset \"%1\" %2").arg(path, e.text));
        }
    }
    return &it.value().second;
}

// "#id" means this file; its url is its path within a content directory.
QString Planner::absoluteUrl(const QString& url) const
{
    if (!url.startsWith(QLatin1Char('#')))
        return url;
    for (const QString& dir : _dirs) {
        const QString rel = QDir(dir).relativeFilePath(QFileInfo(_filePath).absoluteFilePath());
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
    const Array nodes = optArray(optObject(_doc, "scene", QString()), "nodes", QStringLiteral("scene"));
    _plan.hadSceneNodes = size(nodes) > 0;
    const QString path = QStringLiteral("scene.nodes");
    int i = 0;
    for (Value value : nodes) {
        const QString where = QStringLiteral("scene.nodes[%1]").arg(i);
        planNode(objectAt(value, path, i++), where);
    }
}

void applyChannels(Object inst, std::string_view key, const QString& where,
                   DzFloatProperty* x, DzFloatProperty* y, DzFloatProperty* z,
                   std::vector<std::pair<DzFloatProperty*, float>>& out)
{
    const QString path = where + QLatin1Char('.') + QLatin1String(key.data(), int(key.size()));
    int i = 0;
    for (Value value : optArray(inst, key, where)) {
        const QString at = QStringLiteral("%1[%2]").arg(path).arg(i);
        const Object c = objectAt(value, path, i++);
        const QString axis = string(c, "id", at);
        const float v = float(number(c, "current_value", at));
        DzFloatProperty* prop = axis == QLatin1String("x") ? x
                                : axis == QLatin1String("y") ? y
                                : axis == QLatin1String("z") ? z
                                : axis == QLatin1String("general") ? x
                                                                    : nullptr;
        if (!prop)
            dsonFail(QStringLiteral("%1 has unknown channel \"%2\"").arg(at, axis));
        out.emplace_back(prop, v);
    }
}

std::vector<std::pair<DzFloatProperty*, float>> transformValues(Object inst, DzNode* node,
                                                                 const QString& where)
{
    std::vector<std::pair<DzFloatProperty*, float>> values;
    applyChannels(inst, "translation", where, node->getXPosControl(), node->getYPosControl(),
                  node->getZPosControl(), values);
    applyChannels(inst, "rotation", where, node->getXRotControl(), node->getYRotControl(),
                  node->getZRotControl(), values);
    applyChannels(inst, "scale", where, node->getScaleControl(), nullptr, nullptr, values);
    return values;
}

// The resolution a scene gives a node: "lodlevel" and "SubDIALevel" channels with their
// current values, in the studio_geometry_channels of the instance's geometries.
void applyResolution(Object inst, DzNode* node, const QString& where)
{
    const QString gpath = where + QStringLiteral(".geometries");
    int g = 0;
    for (Value geometryValue : optArray(inst, "geometries", where)) {
        const QString gat = QStringLiteral("%1[%2]").arg(gpath).arg(g);
        const Object geometry = objectAt(geometryValue, gpath, g++);
        DzShape* shape = node->getObject() ? node->getObject()->getCurrentShape() : nullptr;
        if (!shape)
            dsonFail(QStringLiteral("%1 sets the resolution of \"%2\", which has no geometry")
                         .arg(gat, node->getLabel()));
        forEachGeometryChannel(geometry, gat, [shape](Object channel, const QString& at) {
            const QString id = string(channel, "id", at);
            DzIntProperty* prop = id == QLatin1String("lodlevel")      ? shape->getLODControl()
                                  : id == QLatin1String("SubDIALevel") ? shape->getSubDIALevelControl()
                                                                       : nullptr;
            if (!prop)
                return;
            const int value = integer(channel, "current_value", at);
            if (value < prop->getMin() || value > prop->getMax())
                dsonFail(QStringLiteral("%1: %2 %3 is outside %4..%5")
                             .arg(at, id).arg(value).arg(prop->getMin()).arg(prop->getMax()));
            prop->setValue(value);
        });
    }
}

void Planner::planNode(Object inst, const QString& where)
{
    const QString id = string(inst, "id", where);
    const QString url = string(inst, "url", where);
    const AssetRef ref = parseUrl(url);
    const QString parentRef = optString(inst, "parent", where);
    if (!parentRef.isEmpty()) {
        auto* figure = qobject_cast<DzFigure*>(_instances.value(parseUrl(parentRef).id));
        if (!figure)
            dsonFail(QStringLiteral("%1 has parent \"%2\", which is no figure of this file").arg(where, parentRef));
        planBonePose(inst, figure, ref.id, where);
        return;
    }
    const Object* asset = documentOf(url, ref);
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
    if (contains(inst, "label"))
        node->setLabel(string(inst, "label", where));
    for (const auto& [prop, value] : transformValues(inst, node.get(), where))
        prop->setValue(value);
    applyResolution(inst, node.get(), where);
    _instances.insert(id, node.get());
    _plan.newNodes.push_back(std::move(node));
}

void Planner::planBonePose(Object inst, DzFigure* figure, const QString& boneId,
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
    const Array mods = optArray(optObject(_doc, "scene", QString()), "modifiers", QStringLiteral("scene"));
    const QString path = QStringLiteral("scene.modifiers");
    int i = 0;
    for (Value value : mods) {
        const QString where = QStringLiteral("scene.modifiers[%1]").arg(i);
        planModifier(objectAt(value, path, i++), where);
    }
}

// The morph of the object a modifier instance dials: the one loaded from the url's asset (its
// id may differ from the morph's name), else the one of that name.
DzMorph* findMorph(const DzObject* object, const QString& url, const QString& name)
{
    for (DzModifier* modifier : object->modifierList()) {
        auto* morph = qobject_cast<DzMorph*>(modifier);
        if (morph && morph->getDeltas() && !morph->getDeltas()->getUri().isEmpty() &&
            sameAsset(morph->getDeltas()->getUri().toString(), url))
            return morph;
    }
    return qobject_cast<DzMorph*>(object->findModifier(name));
}

void Planner::planModifier(Object inst, const QString& where)
{
    const QString url = string(inst, "url", where);
    const AssetRef ref = parseUrl(url);
    if (_plan.isDFormerPreset)
        return; // the D-Former modifier is placed with its nodes
    const QString parentRef = optString(inst, "parent", where);
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

    DzMorph* morph = findMorph(object, url, ref.id);
    const auto key = qMakePair(node, ref.id);
    if (!morph && _newMorphs.contains(key))
        morph = _newMorphs.value(key);
    if (!morph) {
        const Object* asset = documentOf(url, ref);
        if (!asset) {
            _plan.missingUrls.append(url);
            return;
        }
        const Object def = findById(*asset, "modifier_library", ref.id);
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
    Object channel;
    if (inst.at_key("channel").get(channel) == simdjson::SUCCESS && contains(channel, "current_value"))
        planValue(node, morph->getValueControl(), morph->getName(),
                  number(channel, "current_value", where + QStringLiteral(".channel")));
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
    const QString library = QStringLiteral("modifier_library");
    int m = 0;
    for (Value value : optArray(_doc, "modifier_library", QString())) {
        const int index = m++;
        const Object mod = objectAt(value, library, index);
        if (!contains(mod, "dformer"))
            continue;
        const QString dpath = QStringLiteral("modifier_library[%1].dformer").arg(index);
        const Object dformer = object(mod, "dformer", QStringLiteral("modifier_library[%1]").arg(index));
        const int count = integer(dformer, "vertex_count", dpath);
        if (count != shape->getNumVertices())
            dsonFail(QStringLiteral("%1 is for %2 vertices; \"%3\" has %4").arg(dpath).arg(count).arg(figure->getLabel()).arg(shape->getNumVertices()));
        weights = vertexWeights(dformer, "influence_weights", dpath, count);
    }
    if (weights.isEmpty())
        dsonFail(QStringLiteral("%1 has no influence weights").arg(where));

    // The weight map goes on the first node of the preset, the others sit beside it.
    auto created = std::make_shared<std::vector<std::unique_ptr<DzDFormer>>>();
    const QString nodesPath = QStringLiteral("scene.nodes");
    int i = 0;
    for (Value value : optArray(optObject(_doc, "scene", QString()), "nodes", QStringLiteral("scene"))) {
        const QString w = QStringLiteral("scene.nodes[%1]").arg(i);
        const Object inst = objectAt(value, nodesPath, i++);
        const QString url = string(inst, "url", w);
        const AssetRef ref = parseUrl(url);
        const Object* asset = documentOf(url, ref);
        if (!asset)
            dsonFail(QStringLiteral("%1: %2 is \"%3\", which no content directory has").arg(where, w, url));
        const Object def = findById(*asset, "node_library", ref.id);
        auto node = std::make_unique<DzDFormer>();
        node->setName(optString(def, "name", w, ref.id));
        node->setLabel(optString(inst, "label", w, node->getName()));
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
    const QString library = QStringLiteral("modifier_library");
    int m = 0;
    for (Value value : optArray(_doc, "modifier_library", QString())) {
        const QString where = QStringLiteral("modifier_library[%1]").arg(m);
        const Object mod = objectAt(value, library, m++);
        const QString path = QStringLiteral("%1.formulas").arg(where);
        int f = 0;
        for (Value formula : optArray(mod, "formulas", where)) {
            const QString output = string(objectAt(formula, path, f++), "output", path);
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
    const Object info = object(_doc, "asset_info", QString());
    const QString type = string(info, "type", QStringLiteral("asset_info"));
    _plan.isPreset = type.startsWith(QLatin1String("preset_"));
    _plan.isDFormerPreset = type == QLatin1String("preset_dformer");
    if (contains(_doc, "scene"))
        object(_doc, "scene", QString());
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

ScenePlan planLoad(const QStringList& contentDirs, const QString& filePath, const Document& doc,
                   const QStringList& knownFormulas, QStringList* newFormulas)
{
    Planner planner(contentDirs, filePath, doc);
    return planner.plan(knownFormulas, newFormulas);
}

} // namespace dson
