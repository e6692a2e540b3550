#include "bench_session.h"
#include "content/dzdformer.h"
#include "dzapp.h"
#include "dzexporter.h"
#include "dzexportmgr.h"
#include "dzfileiosettings.h"
#include "dzfloatproperty.h"
#include "dzmorphloader.h"
#include "dzmorphloaderbatch.h"
#include "dznode.h"
#include "dzscene.h"
#include "geometry/dzgeometry.h"

namespace {

const QString kDial = QStringLiteral("body_bs_ProportionHeight");
const QString kWeightMap = QStringLiteral("D-Former_1::weightmap::Genesis 9/Influence Weights");

// A D-Former on the figure whose weights grow with height, as a head split's do.
void addDFormer(DzNode* figure)
{
    const QVector<DzVec3> rest = DzGeometry::restPositions(figure, 0);
    QVector<float> weights(rest.size());
    for (int i = 0; i < rest.size(); ++i)
        weights[i] = qBound(0.0f, (rest[i].m_y - 140.0f) / 10.0f, 1.0f);
    auto* dformer = new DzDFormer;
    dformer->setLabel(QStringLiteral("D-Former_1"));
    dformer->setInfluenceWeights(weights);
    figure->addNodeChild(dformer);
}

// Morph Loader Pro as the conversion runs it: a Genesis 9 target exported with a dial turned,
// loaded back with reverse deformations as a (subdivision) morph that replaces the previous
// one, optionally attenuated by a D-Former weight map. Exporting the target is not timed.
void BM_MorphLoaderGenesis9(benchmark::State& state, int level, bool attenuated)
{
    dzApp->startup();  // lists the HD morph support plug-in subdivision morphs need
    DzNode* figure = bench::loadFresh(state, QString::fromUtf8(bench::kGenesis9File),
                                      QStringLiteral("Genesis 9"));
    DzFloatProperty* dial = figure ? bench::morphDial(figure, kDial) : nullptr;
    if (!dial) {
        state.SkipWithError("Genesis 9 or its height dial is missing");
        return;
    }
    if (attenuated)
        addDFormer(figure);
    bench::setResolution(figure, level);
    DzExporter* exporter =
        dzApp->getExportMgr()->findExporterByClassName(QStringLiteral("DzObjExporter"));
    DzFileIOSettings exportOptions;
    exporter->getDefaultOptions(&exportOptions);
    exportOptions.setIntValue(QStringLiteral("RunSilent"), 1);
    const QString path = bench::scratchPath(QStringLiteral("Genesis9 target.obj"));
    dial->setValue(1.0f);
    const DzError exported = exporter->writeFile(path, &exportOptions);
    dial->setValue(0.0f);
    if (exported) {
        state.SkipWithError("exporting the target failed");
        return;
    }
    DzFileIOSettings importOptions;
    importOptions.setIntValue(QStringLiteral("RunSilent"), 1);
    for (auto _ : state) {
        DzMorphLoader loader;
        loader.setLoadMode(DzMorphLoader::FigureMode, figure);
        loader.setFilename(path);
        loader.setMorphName(QStringLiteral("BenchMorph"));
        loader.setMorphSubdivision(level > 0);
        loader.setSubdivisionBuiltResolution(qMax(level, 1));
        loader.setSubdivisionMaxResolution(9);
        loader.setReverseDeformations(true);
        loader.setOverwriteExisting(DzMorphLoader::ReplaceExisting);
        if (attenuated) {
            loader.setAttenuateMapPath(kWeightMap);
            loader.setAttenuateStrength(1.0f);
        }
        DzMorphLoaderBatch batch;
        batch.addMorph(&loader);
        const QString report = batch.createMorphs(&importOptions, figure, false, false);
        if (report.startsWith(QLatin1String("Error"))) {
            state.SkipWithError(qPrintable(report));
            break;
        }
    }
    const int vertices = DzGeometry::vertexCount(figure, level);
    state.SetItemsProcessed(state.iterations() * vertices);
    state.counters["vertices"] = vertices;
    bench::clearScene();
}

} // namespace

BENCHMARK_CAPTURE(BM_MorphLoaderGenesis9, base, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MorphLoaderGenesis9, level2, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MorphLoaderGenesis9, level2_attenuated, 2, true)->Unit(benchmark::kMillisecond);
