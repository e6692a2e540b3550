// Creating a morph from a target mesh in three parts: the checks of the options against the
// node, the plan (the target read, every size checked, nothing changed), and its application,
// which cannot fail. A problem comes back as the report's one "Error:" line and creates nothing.
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

// Everything the morph needs, read and checked before anything changes.
struct DzMorphLoader::Plan {
    QString name;
    int level = 0;
    QVector<DzVec3> target;      // file positions, scene coordinates
    QVector<float> attenuation;  // per vertex at the level, empty without a map
    DzMorph* existing = nullptr; // replaced in place
};

namespace {

// A weight refined with the mesh (OpenSubdiv primvar).
struct WeightVar {
    float w = 0.0f;
    void Clear(void* = nullptr) { w = 0.0f; }
    void AddWithWeight(const WeightVar& src, float weight) { w += weight * src.w; }
};

QString quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

QString uniqueName(const DzObject* object, const QString& name)
{
    QString candidate = name;
    for (int i = 1; object->findModifier(candidate); ++i)
        candidate = QStringLiteral("%1_%2").arg(name).arg(i);
    return candidate;
}

// Whether the node's mesh can be refined to the level (a mesh OpenSubdiv refuses cannot).
bool canSubdivide(const DzNode* node, int level)
{
    const auto subdivider = DzGeometry::subdivisionTables(node, level);
    return subdivider && subdivider->getLevel() >= level;
}

// Base weights refined to `level`; the node's mesh must refine that far.
QVector<float> refineWeights(const DzNode* node, const QVector<float>& base, int level)
{
    if (level == 0)
        return base;
    const auto subdivider = DzGeometry::subdivisionTables(node, level);
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
    Plan morphPlan;
    QString problem = check(node);
    if (problem.isEmpty())
        problem = plan(settings, node, morphPlan);
    const QString report = problem.isEmpty() ? apply(node, morphPlan) : QStringLiteral("Error: %1").arg(problem);
    if (logReport && dzApp)
        dzApp->log(QStringLiteral("Morph Loader Pro: ") + report);
    if (showReport && dzApp && !dzApp->options().headless) {
        if (problem.isEmpty())
            QMessageBox::information(dzApp->getDialogParent(), QStringLiteral("Morph Loader Pro"), report);
        else
            QMessageBox::warning(dzApp->getDialogParent(), QStringLiteral("Morph Loader Pro"), report);
    }
    return report;
}

QString DzMorphLoader::check(DzNode* node) const
{
    if (!node)
        return QStringLiteral("there is no node to load the morph onto");
    if (!node->getObject() || DzGeometry::vertexCount(node, 0) == 0)
        return QStringLiteral("node %1 has no geometry").arg(quoted(node->getLabel()));
    const LoadMode expected = node->inherits("DzFigure") ? FigureMode : NodeGeometryMode;
    if (_o->loadMode != expected)
        return QStringLiteral("load mode %1 does not apply to node %2").arg(int(_o->loadMode)).arg(quoted(node->getLabel()));
    if (_o->mirroring != NoMirroring)
        return QStringLiteral("morph mirroring is not supported");
    const QString name = _o->morphName.isEmpty() ? QFileInfo(_o->filename).completeBaseName() : _o->morphName;
    if (name.trimmed().isEmpty())
        return QStringLiteral("the morph has no name");
    if (!_o->subdivision)
        return {};
    const int level = _o->builtResolution;
    if (!allowMultiResolutionMorphs())
        return QStringLiteral("subdivision morphs need the HD morph support plug-in");
    if (level < 1 || level > DzSubdivider::kMaxLevel || level < _o->minResolution || level > _o->maxResolution)
        return QStringLiteral("subdivision level %1 is out of range").arg(level);
    if (!canSubdivide(node, level))
        return QStringLiteral("node %1 cannot be subdivided to level %2").arg(quoted(node->getLabel())).arg(level);
    return {};
}

QString DzMorphLoader::plan(DzFileIOSettings* settings, DzNode* node, Plan& out) const
{
    out.name = _o->morphName.isEmpty() ? QFileInfo(_o->filename).completeBaseName() : _o->morphName;
    out.level = _o->subdivision ? _o->builtResolution : 0;

    if (_mesh) {
        out.target = _mesh->getFacetMesh().vertices();
    } else {
        DzFileIOSettings options;
        if (settings)
            options.copyFrom(*settings);
        const DzError error = dzReadObjPositions(_o->filename, options, out.target);
        if (error != DZ_NO_ERROR)
            return dzFileIOErrorMessage(error);
    }
    const int expectedCount = DzGeometry::vertexCount(node, out.level);
    if (out.target.size() != expectedCount)
        return QStringLiteral("%1 has %2 vertices but node %3 needs %4 at subdivision level %5")
            .arg(_mesh ? QStringLiteral("the target mesh") : QStringLiteral("the OBJ file %1").arg(quoted(_o->filename)))
            .arg(out.target.size())
            .arg(quoted(node->getLabel()))
            .arg(expectedCount)
            .arg(out.level);

    DzObject* object = node->getObject();
    if (DzModifier* modifier = object->findModifier(out.name)) {
        auto* morph = qobject_cast<DzMorph*>(modifier);
        if (_o->overwrite == MakeUnique)
            out.name = uniqueName(object, out.name);
        else if (_o->overwrite == ReplaceExisting && morph)
            out.existing = morph;
        else
            return QStringLiteral("node %1 already has a modifier named %2").arg(quoted(node->getLabel()), quoted(out.name));
    }

    if (!_o->attenuateMapPath.isEmpty()) {
        const QVector<float> baseWeights = dzFindAttenuationMap(node, _o->attenuateMapPath);
        if (baseWeights.isEmpty())
            return QStringLiteral("cannot find the weight map %1").arg(quoted(_o->attenuateMapPath));
        out.attenuation = refineWeights(node, baseWeights, out.level);
        if (out.attenuation.size() != out.target.size())
            return QStringLiteral("the weight map %1 has %2 weights at subdivision level %3 for %4 vertices")
                .arg(quoted(_o->attenuateMapPath))
                .arg(out.attenuation.size())
                .arg(out.level)
                .arg(out.target.size());
    }
    return {};
}

QString DzMorphLoader::apply(DzNode* node, Plan& planned) const
{
    // A replaced morph must not count in the current shape.
    DzFloatProperty* replacedValue = planned.existing ? planned.existing->getValueControl() : nullptr;
    const float keptValue = replacedValue ? replacedValue->getValue() : 0.0f;
    if (replacedValue)
        replacedValue->setValue(0.0f);

    if (_o->reverseDeformations)
        reverseDeformations(node, planned.level, planned.target);
    const QVector<DzVec3> current = DzGeometry::restPositions(node, planned.level);

    QVector<int> indices;
    QVector<DzVec3> deltas;
    for (int i = 0; i < planned.target.size(); ++i) {
        DzVec3 d = planned.target[i] - current[i];
        if (!planned.attenuation.isEmpty())
            d = d * attenuationFactor(_o->attenuateStrength, planned.attenuation[i]);
        if (d.length() < _o->deltaTolerance)
            continue;
        indices.append(i);
        deltas.append(d);
    }

    auto* morphDeltas = new DzMorphDeltas();
    if (planned.level == 0)
        morphDeltas->setDeltas(indices, deltas);
    else
        morphDeltas->setHDDeltas(planned.level, indices, deltas);

    DzMorph* morph = planned.existing;
    if (!morph) {
        morph = new DzMorph(planned.name);
        DzFloatProperty* value = morph->getValueControl();
        value->setLabel(_o->displayName.isEmpty() ? planned.name : _o->displayName);
        value->setPath(_o->propertyGroupPath);
        morph->setDeltas(morphDeltas);
        node->getObject()->addModifier(morph);
    } else {
        morph->setDeltas(morphDeltas);
        replacedValue->setValue(keptValue);
    }

    return QStringLiteral("Created morph %1 on node %2: %3 of %4 vertices moved")
        .arg(quoted(planned.name), quoted(node->getLabel()))
        .arg(indices.size())
        .arg(planned.target.size());
}
