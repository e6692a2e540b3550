#include <QCoreApplication>
#include <QEvent>

#include "bench_session.h"
#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "dztransferutility.h"
#include "geometry/dzgeometry.h"
#include "transfer_surface.h"

namespace {

// The morph that lays Genesis 9 onto the Genesis 8 Female rest surface.
const char* const kCloneMorph = "CloneGenesis8Female";

// What the conversion hands the Transfer Utility: the Genesis 8.1 Female as the source, and
// Genesis 9's mesh cloned onto her surface as the target (the fit suit, a plain node).
struct TransferInputs {
    DzNode* source = nullptr;
    DzFacetMesh fitSuit;
    QString morph;
};

TransferInputs loadInputs(benchmark::State& state)
{
    TransferInputs inputs;
    DzNode* g9 = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis9File),
                                  QStringLiteral("Genesis 9"));
    DzFloatProperty* clone = g9 ? bench::morphDial(g9, QString::fromUtf8(kCloneMorph)) : nullptr;
    if (!clone) {
        if (g9)
            state.SkipWithError("Genesis 9 has no clone morph");
        return inputs;
    }
    clone->setValue(1.0f);
    inputs.fitSuit = DzGeometry::restMesh(g9, 0);
    inputs.source = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis81FemaleFile),
                                     QStringLiteral("Genesis 8.1 Female"));
    if (!inputs.source)
        return inputs;
    for (const DzModifier* modifier : inputs.source->getObject()->modifierList())
        if (qobject_cast<const DzMorph*>(modifier)) {
            inputs.morph = modifier->getName();
            break;
        }
    if (inputs.morph.isEmpty()) {
        state.SkipWithError("the source has no morph to transfer");
        inputs.source = nullptr;
    }
    return inputs;
}

// Building the closest-point index of the source surface.
void BM_TransferSurfaceBuild(benchmark::State& state)
{
    const TransferInputs inputs = loadInputs(state);
    if (!inputs.source)
        return;
    // The freshly loaded source stands at the origin: its base mesh is where it is placed.
    const DzFacetMesh& mesh = DzGeometry::currentShape(inputs.source)->getFacetMesh();
    const QVector<DzVec3>& positions = mesh.vertices();
    for (auto _ : state) {
        const DzTransferSurface surface(mesh, positions);
        benchmark::DoNotOptimize(surface.isEmpty());
    }
    state.SetItemsProcessed(state.iterations() * positions.size());
    state.counters["vertices"] = positions.size();
    bench::clearScene();
}

// Every fit suit vertex's closest point on the source surface (the index is built once).
void BM_TransferSurfaceQuery(benchmark::State& state)
{
    const TransferInputs inputs = loadInputs(state);
    if (!inputs.source)
        return;
    const DzFacetMesh& mesh = DzGeometry::currentShape(inputs.source)->getFacetMesh();
    const DzTransferSurface surface(mesh, mesh.vertices());
    const QVector<DzVec3>& queries = inputs.fitSuit.vertices();
    for (auto _ : state)
        benchmark::DoNotOptimize(surface.closestPoints(queries).data());
    state.SetItemsProcessed(state.iterations() * queries.size());
    state.counters["vertices"] = queries.size();
    bench::clearScene();
}

// A whole doTransfer as the conversion runs it: one listed morph, face groups, the fit suit
// replaced by a figure. A fresh fit suit enters the scene and the result leaves it untimed.
void BM_TransferUtilityRun(benchmark::State& state)
{
    const TransferInputs inputs = loadInputs(state);
    if (!inputs.source)
        return;
    for (auto _ : state) {
        state.PauseTiming();
        auto* fitSuit = new DzNode;
        fitSuit->setName(QStringLiteral("fit suit"));
        fitSuit->setLabel(fitSuit->getName());
        auto* object = new DzObject;
        auto* shape = new DzShape;
        shape->setFacetMesh(inputs.fitSuit);
        object->addShape(shape);
        fitSuit->setObject(object);
        dzScene->addNode(fitSuit);
        DzTransferUtility tool;
        tool.setSource(inputs.source);
        tool.setTarget(fitSuit);
        tool.setTransferFaceGroups(true);
        tool.setTransferMorphs(true);
        tool.setTransferSourceMorphs(DzTransferUtility::ListedSourceMorphs);
        tool.setMorphTransferList({inputs.morph});
        tool.setOverrideExistingMorphs(true);
        state.ResumeTiming();

        const bool done = tool.doTransfer();

        state.PauseTiming();
        if (!done || !tool.getResultFigure()
            || !tool.getResultFigure()->getObject()->findModifier(inputs.morph)) {
            state.SkipWithError("the transfer made no morph");
            break;
        }
        dzScene->removeNode(tool.getResultFigure());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * inputs.fitSuit.getNumVertices());
    state.counters["vertices"] = inputs.fitSuit.getNumVertices();
    bench::clearScene();
}

} // namespace

BENCHMARK(BM_TransferSurfaceBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferSurfaceQuery)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransferUtilityRun)->Unit(benchmark::kMillisecond);
