#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>

#include "bench_session.h"
#include "dzapp.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dznode.h"
#include "dzscene.h"
#include "geometry/dzgeometry.h"

namespace {

// The tool's defaults, without its options dialog.
template <class Tool>
void silentOptions(const Tool* tool, DzFileIOSettings& options)
{
    tool->getDefaultOptions(&options);
    options.setIntValue(QStringLiteral("RunSilent"), 1);
}

// Which of the OBJ round trip's halves an iteration times.
enum ObjStep { Export = 1, Import = 2, RoundTrip = Export | Import };

// Writes the Genesis 9 at a resolution (0 base, else that subdivision level) to an OBJ and/or
// reads that OBJ back as a new node; the imported node is removed outside the timing.
void BM_ObjGenesis9(benchmark::State& state, int steps, int level)
{
    DzExporter* exporter =
        dzApp->getExportMgr()->findExporterByClassName(QStringLiteral("DzObjExporter"));
    DzImporter* importer =
        dzApp->getImportMgr()->findImporterByClassName(QStringLiteral("DzObjImporter"));
    if (!exporter || !importer) {
        state.SkipWithError("the OBJ exporter or importer is not registered");
        return;
    }
    DzNode* figure = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis9File),
                                      QStringLiteral("Genesis 9"));
    if (!figure)
        return;
    bench::setResolution(figure, level);
    DzFileIOSettings exportOptions, importOptions;
    silentOptions(exporter, exportOptions);
    silentOptions(importer, importOptions);
    const QString path = bench::scratchPath(QStringLiteral("Genesis9.obj"));
    // The file the import-only runs read, and a check that the exporter works at all.
    if (const DzError error = exporter->writeFile(path, &exportOptions)) {
        state.SkipWithError(qPrintable(dzApp->getExportMgr()->getErrorMessage(error)));
        return;
    }
    for (auto _ : state) {
        DzError result = 0;
        if (steps & Export)
            result = exporter->writeFile(path, &exportOptions);
        if (result == 0 && (steps & Import))
            result = importer->readFile(path, &importOptions);
        state.PauseTiming();
        for (DzNode* node : dzScene->nodeList())
            if (node != figure && node->isRootNode())
                dzScene->removeNode(node);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
        if (result != 0) {
            state.SkipWithError("an OBJ step failed");
            break;
        }
    }
    const int vertices = DzGeometry::vertexCount(figure, level);
    state.SetItemsProcessed(state.iterations() * vertices);
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.counters["vertices"] = vertices;
    bench::clearScene();
}

} // namespace

BENCHMARK_CAPTURE(BM_ObjGenesis9, export, Export, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ObjGenesis9, import, Import, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ObjGenesis9, round_trip, RoundTrip, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ObjGenesis9, export_level2, Export, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ObjGenesis9, import_level2, Import, 2)->Unit(benchmark::kMillisecond);
