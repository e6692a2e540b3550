// Creating a morph from a target mesh: checks first (nothing is changed when one fails), then
// the deltas from the node's current rest shape, attenuated and filtered, stored as base or
// HD deltas.
#include <QFileInfo>
#include <QMessageBox>
#include <cmath>

#include "dzapp.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "geometry/dzgeometry.h"
#include "geometry/dznodegeometrycache.h"
#include "geometry/dzsubdivider.h"
#include "io/dzfileioerrortext.h"
#include "io/objmeshreader.h"
#include "tools/morphloader_options.h"
#include "tools/morphloader_weightmaps.h"

namespace {

// A weight refined with the mesh (OpenSubdiv primvar).
struct WeightVar {
    float w = 0.0f;
    void Clear(void* = nullptr) { w = 0.0f; }
    void AddWithWeight(const WeightVar& src, float weight) { w += weight * src.w; }
};

struct MorphPlan {
    QString name;
    int level = 0;
    QVector<DzVec3> target;      // file positions, scene coordinates
    QVector<float> attenuation;  // per base vertex, empty without a map
    DzMorph* existing = nullptr; // replaced in place
};

QString quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

QString uniqueName(const DzObject* object, const QString& name)
{
    QString candidate = name;
    for (int i = 1; object->findModifier(candidate); ++i)
        candidate = QStringLiteral("%1_%2").arg(name).arg(i);
    return candidate;
}

QVector<float> refineWeights(const DzNode* node, const QVector<float>& base, int level)
{
    const auto subdivider = level > 0 ? DzGeometry::subdivisionTables(node, level) : nullptr;
    if (!subdivider)
        return base;
    QVector<WeightVar> values(base.size());
    for (int i = 0; i < base.size(); ++i)
        values[i].w = base[i];
    for (int l = 1; l <= level; ++l)
        values = subdivider->refineOneLevel(l, values);
    QVector<float> refined(values.size());
    for (int i = 0; i < values.size(); ++i)
        refined[i] = values[i].w;
    return refined;
}

// Takes posed world positions back to the rest space of the figure: the inverse of the
// node's world transform after each vertex's blended skinning transform.
void reverseDeformations(const DzNode* node, int level, QVector<DzVec3>& positions)
{
    const DzAffine world = DzGeometry::worldMatrix(node);
    const QVector<DzAffine> skinning = DzGeometry::skinningMatrices(node, level);
    for (int i = 0; i < positions.size(); ++i) {
        const DzAffine full = i < skinning.size() ? world * skinning[i] : world;
        positions[i] = full.inverted().apply(positions[i]);
    }
}

// Scale of a vertex's delta for an attenuation weight: s*w for s >= 0, |s|*(1-w) below 0.
float attenuationFactor(float strength, float weight)
{
    return strength >= 0.0f ? strength * weight : -strength * (1.0f - weight);
}

} // namespace

QString DzMorphLoader::createMorph(DzFileIOSettings* settings, DzNode* node, bool showReport,
                                   bool logReport)
{
    return create(settings, node, showReport, logReport);
}

QString DzMorphLoader::createMorphFromMesh(DzVertexMeshPtr mesh, DzNode* node, bool showReport,
                                           bool logReport)
{
    _mesh = mesh;
    return create(nullptr, node, showReport, logReport);
}

QString DzMorphLoader::create(DzFileIOSettings* settings, DzNode* node, bool showReport,
                              bool logReport)
{
    MorphPlan plan;
    auto fail = [&](const QString& reason) {
        const QString text = QStringLiteral("Error: %1").arg(reason);
        if (logReport && dzApp)
            dzApp->log(QStringLiteral("Morph Loader Pro: ") + text);
        if (showReport && dzApp && !dzApp->options().headless)
            QMessageBox::warning(dzApp->getDialogParent(), QStringLiteral("Morph Loader Pro"), text);
        return text;
    };

    if (!node)
        return fail(QStringLiteral("there is no node to load the morph onto"));
    DzObject* object = node->getObject();
    if (!object || DzGeometry::vertexCount(node, 0) == 0)
        return fail(QStringLiteral("node %1 has no geometry").arg(quoted(node->getLabel())));
    const LoadMode expected = node->inherits("DzFigure") ? FigureMode : NodeGeometryMode;
    if (_o->loadMode != expected)
        return fail(QStringLiteral("load mode %1 does not apply to node %2")
                        .arg(int(_o->loadMode))
                        .arg(quoted(node->getLabel())));
    if (_o->mirroring != NoMirroring)
        return fail(QStringLiteral("morph mirroring is not supported"));

    plan.name = _o->morphName.isEmpty() ? QFileInfo(_o->filename).completeBaseName() : _o->morphName;
    if (plan.name.trimmed().isEmpty())
        return fail(QStringLiteral("the morph has no name"));

    if (_o->subdivision) {
        plan.level = _o->builtResolution;
        if (!allowMultiResolutionMorphs())
            return fail(QStringLiteral("subdivision morphs need the HD morph support plug-in"));
        if (plan.level < 1 || plan.level > DzSubdivider::kMaxLevel
            || plan.level < _o->minResolution || plan.level > _o->maxResolution)
            return fail(QStringLiteral("subdivision level %1 is out of range").arg(plan.level));
    }

    if (_mesh) {
        plan.target = _mesh->getFacetMesh().vertices();
    } else {
        DzFileIOSettings options;
        if (settings)
            options.copyFrom(*settings);
        const DzError error = dzReadObjPositions(_o->filename, options, plan.target);
        if (error != DZ_NO_ERROR)
            return fail(dzFileIOErrorMessage(error));
    }

    const int expectedCount = DzGeometry::vertexCount(node, plan.level);
    if (plan.target.size() != expectedCount)
        return fail(QStringLiteral("%1 has %2 vertices but node %3 needs %4 at subdivision level %5")
                        .arg(_mesh ? QStringLiteral("the target mesh")
                                   : QStringLiteral("the OBJ file %1").arg(quoted(_o->filename)))
                        .arg(plan.target.size())
                        .arg(quoted(node->getLabel()))
                        .arg(expectedCount)
                        .arg(plan.level));

    if (DzModifier* modifier = object->findModifier(plan.name)) {
        auto* morph = qobject_cast<DzMorph*>(modifier);
        if (_o->overwrite == MakeUnique)
            plan.name = uniqueName(object, plan.name);
        else if (_o->overwrite == ReplaceExisting && morph)
            plan.existing = morph;
        else
            return fail(QStringLiteral("node %1 already has a modifier named %2")
                            .arg(quoted(node->getLabel()), quoted(plan.name)));
    }

    if (!_o->attenuateMapPath.isEmpty()) {
        plan.attenuation = dzFindAttenuationMap(node, _o->attenuateMapPath);
        if (plan.attenuation.isEmpty())
            return fail(QStringLiteral("cannot find the weight map %1").arg(quoted(_o->attenuateMapPath)));
        plan.attenuation = refineWeights(node, plan.attenuation, plan.level);
    }

    // From here on nothing can fail. A replaced morph must not count in the current shape.
    DzFloatProperty* replacedValue = plan.existing ? plan.existing->getValueControl() : nullptr;
    const float keptValue = replacedValue ? replacedValue->getValue() : 0.0f;
    if (replacedValue)
        replacedValue->setValue(0.0f);

    if (_o->reverseDeformations)
        reverseDeformations(node, plan.level, plan.target);
    const QVector<DzVec3> current = DzGeometry::restPositions(node, plan.level);

    QVector<int> indices;
    QVector<DzVec3> deltas;
    for (int i = 0; i < plan.target.size(); ++i) {
        DzVec3 d = plan.target[i] - current[i];
        if (!plan.attenuation.isEmpty())
            d = d * attenuationFactor(_o->attenuateStrength, plan.attenuation[i]);
        if (d.length() < _o->deltaTolerance)
            continue;
        indices.append(i);
        deltas.append(d);
    }

    auto* morphDeltas = new DzMorphDeltas();
    if (plan.level == 0)
        morphDeltas->setDeltas(indices, deltas);
    else
        morphDeltas->setHDDeltas(plan.level, indices, deltas);

    DzMorph* morph = plan.existing;
    if (!morph) {
        morph = new DzMorph(plan.name);
        DzFloatProperty* value = morph->getValueControl();
        value->setLabel(_o->displayName.isEmpty() ? plan.name : _o->displayName);
        value->setPath(_o->propertyGroupPath);
        morph->setDeltas(morphDeltas);
        object->addModifier(morph);
    } else {
        morph->setDeltas(morphDeltas);
        replacedValue->setValue(keptValue);
    }

    const QString report = QStringLiteral("Created morph %1 on node %2: %3 of %4 vertices moved")
                               .arg(quoted(plan.name), quoted(node->getLabel()))
                               .arg(indices.size())
                               .arg(plan.target.size());
    if (logReport && dzApp)
        dzApp->log(QStringLiteral("Morph Loader Pro: ") + report);
    if (showReport && dzApp && !dzApp->options().headless)
        QMessageBox::information(dzApp->getDialogParent(), QStringLiteral("Morph Loader Pro"), report);
    return report;
}
