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
#include "mainjob_scene.h"
#include "step_clock.h"
#include "surface_distance.h"

namespace {

const int cPictures = 3;

// Every morph of the figure at zero but the named ones at one.
void dialOnly(DzNode* pNode, const QStringList& names)
{
    DzObject* pObject = pNode->getObject();
    for (int i = 0; pObject && i < pObject->getNumModifiers(); ++i)
        if (auto* pMorph = qobject_cast<DzMorph*>(pObject->getModifier(i)))
            pMorph->getValueControl()->setValue(names.contains(pMorph->getName()) ? 1.0f : 0.0f);
}

DzAction* morphsAction(DzMainWindow* pWindow)
{
    DzAction* pAction = pWindow->getActionMgr()
                            ? pWindow->getActionMgr()->findAction(QStringLiteral("KvrConvertMorphsAction"))
                            : nullptr;
    if (!pAction)
        throw MainJobError(QStringLiteral("the studio has no morphs action: the plug-in is not loaded"));
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
        throw MainJobError(error.isEmpty() ? QStringLiteral("the morphs action has no batch call") : error);
    pResult->made = converted.value(QStringLiteral("morphs")).toStringList();
    pResult->skipped = converted.value(QStringLiteral("skipped")).toStringList();
    const StepClock::Laps& laps = clock.laps();
    if (laps.size() != size_t(names.size()) + 1)
        throw MainJobError(QStringLiteral("the batch showed %1 steps for %2 morphs").arg(laps.size()).arg(names.size()));
    pResult->sharedMs = laps.front().second;
    for (size_t i = 1; i < laps.size(); ++i)
        pResult->perMorphMs.push_back(laps[i].second);
    return converted.value(QStringLiteral("converted")).toList();
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
        dialOnly(pTarget, {made, QString::fromLatin1(sampleGeneration().pcszCloneMorph)});
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

void run(const QString& pictureDir, MorphsJobResult* pResult)
{
    openSampleScene();
    DzFigure* pSource = figureLabelled(pcszSampleSourceLabel);
    DzFigure* pTarget = figureLabelled(pcszSampleTargetLabel);
    DzMainWindow* pWindow = mainWindow();
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
    return runReportingError([&] { run(pictureDir, pResult); }, error);
}
