#include "bench_session.h"
#include "dz3dviewport.h"
#include "dzfloatproperty.h"
#include "dznode.h"
#include "geometry/dzgeometry.h"

namespace {

// About the 3D view's share of a 1280 x 800 main window.
constexpr int kViewWidth = 960;
constexpr int kViewHeight = 600;

// The Genesis 9 at a level in a view that has framed it once.
DzNode* genesis9InView(benchmark::State& state, Dz3DViewport& view, int level)
{
    DzNode* node = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis9File),
                                    QStringLiteral("Genesis 9"));
    if (!node)
        return nullptr;
    bench::setResolution(node, level);
    if (DzGeometry::evaluatedLevel(node) != level) {
        state.SkipWithError("the figure does not evaluate at the requested level");
        return nullptr;
    }
    view.renderImage(kViewWidth, kViewHeight);
    return node;
}

void countVertices(benchmark::State& state, const DzNode* node, int level)
{
    const int vertices = DzGeometry::vertexCount(node, level);
    state.SetItemsProcessed(state.iterations() * vertices);
    state.counters["vertices"] = vertices;
}

// One frame while the camera is dragged round: the mesh and its normals are kept, every
// vertex is projected and shaded again and every facet rasterized.
void BM_ViewportOrbitFrame(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    Dz3DViewport view;
    DzNode* node = genesis9InView(state, view, level);
    if (!node)
        return;
    for (auto _ : state) {
        view.orbitCamera(1.0f, 0.0f);
        benchmark::DoNotOptimize(view.renderImage(kViewWidth, kViewHeight).constBits());
    }
    countVertices(state, node, level);
}

// One frame while a dial is dragged: the world mesh is evaluated again, its normals computed
// again, then the frame drawn.
void BM_ViewportDialFrame(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    Dz3DViewport view;
    DzNode* node = genesis9InView(state, view, level);
    DzFloatProperty* dial =
        node ? bench::morphDial(node, QStringLiteral("body_bs_ProportionHeight")) : nullptr;
    if (!dial) {
        if (node)
            state.SkipWithError("Genesis 9 has no height dial");
        return;
    }
    float value = 0.5f;
    for (auto _ : state) {
        value = value == 0.5f ? 0.25f : 0.5f;
        dial->setValue(value);
        benchmark::DoNotOptimize(view.renderImage(kViewWidth, kViewHeight).constBits());
    }
    countVertices(state, node, level);
    dial->setValue(0.0f);
}

// A picture written by a script: 1600 x 1200, drawn at twice that and scaled down.
void BM_ViewportRenderToFile(benchmark::State& state)
{
    const int level = static_cast<int>(state.range(0));
    Dz3DViewport view;
    DzNode* node = genesis9InView(state, view, level);
    if (!node)
        return;
    const QString path = bench::scratchPath(QStringLiteral("view.png"));
    for (auto _ : state)
        if (!view.renderToFile(path, 1600, 1200))
            state.SkipWithError("the picture was not written");
    countVertices(state, node, level);
}

} // namespace

BENCHMARK(BM_ViewportOrbitFrame)->ArgName("level")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewportDialFrame)->ArgName("level")->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewportRenderToFile)->ArgName("level")->Arg(2)->Unit(benchmark::kMillisecond);
