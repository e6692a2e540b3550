#include <QCoreApplication>
#include <QEvent>

#include "bench_session.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzscene.h"
#include "dzfloatproperty.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzshape.h"
#include "geometry/dzgeometry.h"
#include "geometry/dzsubdivider.h"

namespace {

// A dial on every Genesis 9 whose deltas reach most of the body.
const char* const kDial = "body_bs_ProportionHeight";

// The Genesis 9 at a resolution, with its world mesh evaluated once (subdivision tables built).
DzNode* genesis9At(benchmark::State& state, int level)
{
    DzNode* node = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis9File),
                                    QStringLiteral("Genesis 9"));
    if (!node)
        return nullptr;
    bench::setResolution(node, level);
    if (DzGeometry::evaluatedLevel(node) != level || !DzGeometry::worldMesh(node)) {
        state.SkipWithError("the figure does not evaluate at the requested level");
        return nullptr;
    }
    return node;
}

// World mesh after a dial change: morphs, subdivision (tables cached), skinning, placement.
// The dial alternates between two values so every iteration finds the cache invalidated.
void BM_WorldMeshAfterDial(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    DzNode* node = genesis9At(state, level);
    DzFloatProperty* dial = node ? bench::morphDial(node, QString::fromUtf8(kDial)) : nullptr;
    if (!dial) {
        if (node)
            state.SkipWithError("Genesis 9 has no height dial");
        return;
    }
    // Guard against timing the cache: the dial must move the evaluated top of the figure.
    dial->setValue(0.25f);
    const float lowTop = DzGeometry::worldBoundingBox(node).getMax().m_y;
    dial->setValue(0.5f);
    if (DzGeometry::worldBoundingBox(node).getMax().m_y <= lowTop) {
        state.SkipWithError("the dial does not reach the world mesh");
        return;
    }
    float value = 0.5f;
    for (auto _ : state) {
        value = value == 0.5f ? 0.25f : 0.5f;
        dial->setValue(value);
        const DzFacetMesh* mesh = DzGeometry::worldMesh(node);
        benchmark::DoNotOptimize(mesh->vertices().constData());
    }
    const int vertices = DzGeometry::vertexCount(node, level);
    state.SetItemsProcessed(state.iterations() * vertices);
    state.counters["vertices"] = vertices;
    dial->setValue(0.0f);
}

// World mesh asked again with nothing changed: what repeated exports and box queries pay.
void BM_WorldMeshCached(benchmark::State& state)
{
    DzNode* node = genesis9At(state, 1);
    if (!node)
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(DzGeometry::worldMesh(node));
    state.counters["vertices"] = DzGeometry::vertexCount(node, 1);
}

// Building the subdivision tables of the Genesis 9 mesh, paid once per figure and level.
void BM_SubdividerBuild(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    DzNode* node = genesis9At(state, 0);
    if (!node)
        return;
    const DzFacetMesh base = node->getObject()->getCurrentShape()->getFacetMesh();
    int vertices = 0;
    for (auto _ : state) {
        const DzSubdivider subdivider(base, level);
        vertices = subdivider.getNumVertices(level);
        benchmark::DoNotOptimize(subdivider.getTopology(level).facets().constData());
    }
    state.SetItemsProcessed(state.iterations() * vertices);
    state.counters["vertices"] = vertices;
}

// The first level-2 world mesh of a second Genesis 9 loaded beside one already evaluated at
// level 2, as the conversion loads a temporary Genesis 9 beside the target. Loading and removing
// the second figure are not timed.
void BM_SecondFigureLevel2(benchmark::State& state)
{
    constexpr int kLevel = 2;
    DzNode* first = genesis9At(state, kLevel);
    if (!first)
        return;
    const QString path =
        dzApp->getContentMgr()->getAbsolutePath(QString::fromUtf8(bench::kGenesis9File));
    for (auto _ : state) {
        state.PauseTiming();
        const QList<DzNode*> before = dzScene->nodeList();
        DzNode* second = nullptr;
        if (dzApp->getContentMgr()->openFile(path, true))
            for (DzNode* node : dzScene->nodeList())
                if (!before.contains(node) && node->isRootNode() && DzGeometry::currentShape(node))
                    second = node;
        if (!second) {
            state.SkipWithError("cannot load a second Genesis 9");
            break;
        }
        bench::setResolution(second, kLevel);
        state.ResumeTiming();

        benchmark::DoNotOptimize(DzGeometry::worldMesh(second));

        state.PauseTiming();
        dzScene->removeNode(second);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["vertices"] = DzGeometry::vertexCount(first, kLevel);
    bench::clearScene();
}

} // namespace

BENCHMARK(BM_SecondFigureLevel2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldMeshAfterDial)->ArgName("level")->Arg(0)->Arg(1)->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldMeshCached)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_SubdividerBuild)->ArgName("level")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
