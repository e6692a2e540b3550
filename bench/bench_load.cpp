#include <QCoreApplication>

#include "bench_session.h"
#include "content/dsoninstalledmorphs.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dznode.h"
#include "dzscene.h"
#include "geometry/dzgeometry.h"

namespace {

// One figure file opened into an empty scene per iteration: parsing, building the figure and
// attaching the installed morphs. Clearing the scene is not timed. The installed morph files
// are read once per session; `uncached` reads them on every load, as the first load does.
void loadFigure(benchmark::State& state, const char* relativePath, const char* label,
                bool uncached = false)
{
    DzNode* node = bench::loadFresh(state, QString::fromUtf8(relativePath), QString::fromUtf8(label));
    if (!node)
        return;
    const int vertices = DzGeometry::vertexCount(node, 0);
    const QString path = dzApp->getContentMgr()->getAbsolutePath(QString::fromUtf8(relativePath));
    for (auto _ : state) {
        state.PauseTiming();
        bench::clearScene();
        if (uncached)
            dson::forgetInstalledMorphFiles();
        state.ResumeTiming();
        if (!dzApp->getContentMgr()->openFile(path, true)) {
            state.SkipWithError("the figure stopped loading");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * vertices);
    state.counters["vertices"] = vertices;
    bench::clearScene();
}

void BM_LoadGenesis9(benchmark::State& state)
{
    loadFigure(state, bench::kGenesis9File, "Genesis 9");
}

void BM_LoadGenesis81Female(benchmark::State& state)
{
    loadFigure(state, bench::kGenesis81FemaleFile, "Genesis 8.1 Female");
}

void BM_LoadGenesis9Uncached(benchmark::State& state)
{
    loadFigure(state, bench::kGenesis9File, "Genesis 9", true);
}

void BM_LoadGenesis81FemaleUncached(benchmark::State& state)
{
    loadFigure(state, bench::kGenesis81FemaleFile, "Genesis 8.1 Female", true);
}

} // namespace

BENCHMARK(BM_LoadGenesis9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGenesis81Female)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGenesis9Uncached)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGenesis81FemaleUncached)->Unit(benchmark::kMillisecond);
