#include "morphs_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMetaObject>
#include <QTemporaryDir>
#include <QVariantMap>
#include <algorithm>
#include <stdexcept>

#include "dz3dviewport.h"
#include "dzaction.h"
#include "dzactionmgr.h"
#include "dzapp.h"
#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmainwindow.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzviewport.h"
#include "dzviewportmgr.h"
#include "kvr_convert-figure-target.h"
#include "kvr_generations.h"
#include "mainjob_measure.h"
#include "mainjob_pictures.h"
#include "step_clock.h"
#include "surface_distance.h"

namespace {

const char* const pcszScene = "Scenes/Sample Conversion.duf";
const char* const pcszSourceLabel = "Genesis 8.1 Female";
const char* const pcszTargetLabel = "Genesis 9";
// The sample's source is a Genesis 8.1 Female: its clone and leg stance.
const KvrGeneration& sampleGeneration = Generation(KvrSourceGeneration::Genesis8Female);
const int cPictures = 3;

class MorphsJobError : public std::runtime_error {
public:
    explicit MorphsJobError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

DzFigure* figureLabelled(const char* pcszLabel)
{
    auto* pFigure = qobject_cast<DzFigure*>(dzScene->findNodeByLabel(QString::fromUtf8(pcszLabel)));
    if (!pFigure)
        throw MorphsJobError(QStringLiteral("the sample scene has no figure labelled %1").arg(pcszLabel));
    return pFigure;
}

DzFloatProperty* floatProperty(DzNode* pNode, const QString& name)
{
    auto* pProperty = qobject_cast<DzFloatProperty*>(pNode->findProperty(name));
    if (!pProperty)
        throw MorphsJobError(QStringLiteral("%1 has no float property %2").arg(pNode->getLabel(), name));
    return pProperty;
}

DzMorph* morphOf(DzNode* pNode, const QString& name)
{
    auto* pMorph = pNode->getObject() ? qobject_cast<DzMorph*>(pNode->getObject()->findModifier(name)) : nullptr;
    if (!pMorph)
        throw MorphsJobError(QStringLiteral("%1 has no morph %2").arg(pNode->getLabel(), name));
    return pMorph;
}

// Every morph of the figure at zero but the named ones at one.
void dialOnly(DzNode* pNode, const QStringList& names)
{
    DzObject* pObject = pNode->getObject();
    for (int i = 0; pObject && i < pObject->getNumModifiers(); ++i)
        if (auto* pMorph = qobject_cast<DzMorph*>(pObject->getModifier(i)))
            pMorph->getValueControl()->setValue(names.contains(pMorph->getName()) ? 1.0f : 0.0f);
}

// Stands the target where the source stands, in the source generation's leg stance.
void placeOnSource(DzFigure* pTarget, DzFigure* pSource)
{
    for (const char* pcszName : apcszAlignedTransforms) {
        const QString name = QString::fromLatin1(pcszName);
        floatProperty(pTarget, name)->setValue(floatProperty(pSource, name)->getValue());
    }
    floatProperty(pTarget, QString::fromLatin1(pcszFloorTransform))->setValue(0.0f);
    if (const KvrThighPose* pPose = sampleGeneration.pThighPose)
        for (const KvrBoneRotation& rotation : *pPose)
            floatProperty(pTarget->findBone(QString::fromLatin1(rotation.pcszBone)),
                          QString::fromLatin1(rotation.pcszProperty))
                ->setValue(rotation.fDegrees);
}

DzAction* morphsAction(DzMainWindow* pWindow)
{
    DzAction* pAction = pWindow->getActionMgr()
                            ? pWindow->getActionMgr()->findAction(QStringLiteral("KvrConvertMorphsAction"))
                            : nullptr;
    if (!pAction)
        throw MorphsJobError(QStringLiteral("the studio has no morphs action: the plug-in is not loaded"));
    return pAction;
}

QStringList catalogueNames(DzAction* pAction, DzFigure* pSource)
{
    QVariantList catalogue;
    QMetaObject::invokeMethod(pAction, "getSourceMorphs", Qt::DirectConnection, Q_RETURN_ARG(QVariantList, catalogue),
                              Q_ARG(DzNode*, pSource));
    QStringList names;
    for (const QVariant& morph : catalogue)
        names << morph.toMap().value(QStringLiteral("name")).toString();
    return names;
}

// The batch as a script runs it, timed step by step through the main window's progress; what
// each source morph became.
QVariantList convert(DzAction* pAction, DzFigure* pSource, DzFigure* pTarget, const QStringList& names,
             MorphsJobResult* pResult)
{
    StepClock clock(dzApp->getInterface());
    QVariantMap converted;
    QElapsedTimer whole;
    whole.start();
    QMetaObject::invokeMethod(pAction, "convertMorphs", Qt::DirectConnection, Q_RETURN_ARG(QVariantMap, converted),
                              Q_ARG(DzNode*, pSource), Q_ARG(DzNode*, pTarget), Q_ARG(QStringList, names));
    pResult->wholeMs = double(whole.nsecsElapsed()) / 1e6;
    const QString error = converted.value(QStringLiteral("error")).toString();
    if (!converted.contains(QStringLiteral("error")) || !error.isEmpty())
        throw MorphsJobError(error.isEmpty() ? QStringLiteral("the morphs action has no batch call") : error);
    pResult->made = converted.value(QStringLiteral("morphs")).toStringList();
    pResult->skipped = converted.value(QStringLiteral("skipped")).toStringList();
    const StepClock::Laps& laps = clock.laps();
    if (laps.size() != size_t(names.size()) + 1)
        throw MorphsJobError(QStringLiteral("the batch showed %1 steps for %2 morphs").arg(laps.size()).arg(names.size()));
    pResult->sharedMs = laps.front().second;
    for (size_t i = 1; i < laps.size(); ++i)
        pResult->perMorphMs.push_back(laps[i].second);
    return converted.value(QStringLiteral("converted")).toList();
}

DzFacetMesh worldMesh(DzNode* pNode, const QString& folder)
{
    DzFacetMesh mesh;
    QString error;
    if (!evaluatedWorldMesh(pNode, folder, &mesh, &error))
        throw MorphsJobError(error);
    return mesh;
}

// Each new morph with the clone on the target, posed and placed like the source, against the
// source with only the morph it came from.
void judge(DzFigure* pSource, DzFigure* pTarget, const QVariantList& converted, MorphsJobResult* pResult)
{
    QTemporaryDir scratch;
    placeOnSource(pTarget, pSource);
    for (const QVariant& entry : converted) {
        const QVariantMap morph = entry.toMap();
        const QString made = morph.value(QStringLiteral("morphs")).toStringList().value(0);
        dialOnly(pSource, {morph.value(QStringLiteral("source")).toString()});
        dialOnly(pTarget, {made, QString::fromLatin1(sampleGeneration.pcszCloneMorph)});
        const DzFacetMesh sourceMesh = worldMesh(pSource, scratch.path());
        const DzSurfaceDistance distance = dzMeasureSurfaceDistance(sourceMesh, worldMesh(pTarget, scratch.path()));
        pResult->fidelity.push_back({made, distance.rms, distance.max});
        pResult->heightCm = dzMeshHeight(sourceMesh);
        // The measured copies go at once, not when the job ends: a library's worth would pile up.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// How far the morph moves a vertex at most.
float reachOf(DzMorph* pMorph)
{
    float fReach = 0;
    const DzMorphDeltas* pDeltas = pMorph->getDeltas();
    for (int i = 0; i < pDeltas->getNumDeltas(); ++i)
        fReach = std::max(fReach, pDeltas->getDelta(i).length());
    return fReach;
}

// The plain Genesis 9 in its own stance with each of the three farthest-reaching new morphs.
void shootMorphs(MainJobPictures& pictures, DzFigure* pTarget, const QStringList& made)
{
    std::vector<std::pair<float, QString>> byReach;
    for (const QString& name : made)
        byReach.emplace_back(reachOf(morphOf(pTarget, name)), name);
    std::sort(byReach.rbegin(), byReach.rend());
    for (int i = 0; i < cPictures && i < int(byReach.size()); ++i) {
        dialOnly(pTarget, {byReach[size_t(i)].second});
        pictures.shoot({pTarget}, QStringLiteral("morph-%1.png").arg(i + 1),
                       QStringLiteral("The Genesis 9 in its own shape and stance with the converted morph \"%1\" at "
                                      "100 % (it moves a vertex %2 cm at most).")
                           .arg(byReach[size_t(i)].second)
                           .arg(double(byReach[size_t(i)].first), 0, 'f', 1));
    }
    dialOnly(pTarget, {});
}

Dz3DViewport* activeView(DzMainWindow* pWindow)
{
    DzViewportMgr* pViewports = pWindow->getViewportMgr();
    DzViewport* pViewport = pViewports ? pViewports->getActiveViewport() : nullptr;
    Dz3DViewport* pView = pViewport ? pViewport->get3DViewport() : nullptr;
    if (!pView)
        throw MorphsJobError(QStringLiteral("the studio has no 3D view"));
    return pView;
}

void run(const QString& pictureDir, MorphsJobResult* pResult)
{
    DzContentMgr* pContent = dzApp->getContentMgr();
    if (!pContent->openFile(pContent->getAbsolutePath(QString::fromUtf8(pcszScene)), false))
        throw MorphsJobError(QStringLiteral("cannot open the sample scene %1").arg(pcszScene));
    DzFigure* pSource = figureLabelled(pcszSourceLabel);
    DzFigure* pTarget = figureLabelled(pcszTargetLabel);
    DzMainWindow* pWindow = dzApp->getInterface();
    if (!pWindow)
        throw MorphsJobError(QStringLiteral("the studio has no main window"));
    DzAction* pAction = morphsAction(pWindow);
    pResult->sourceLabel = pSource->getLabel();

    const QStringList names = catalogueNames(pAction, pSource);
    pResult->cCatalogue = names.size();
    const QVariantList converted = convert(pAction, pSource, pTarget, names, pResult);

    MainJobPictures pictures(activeView(pWindow), pictureDir);
    shootMorphs(pictures, pTarget, pResult->made);
    pResult->pictures = pictures.written();
    pResult->captions = pictures.captions();
    judge(pSource, pTarget, converted, pResult);
}

} // namespace

bool runMorphsJob(const QString& pictureDir, MorphsJobResult* pResult, QString* error)
{
    try {
        run(pictureDir, pResult);
        return true;
    } catch (const MorphsJobError& e) {
        *error = QString::fromStdString(e.what());
        return false;
    }
}
