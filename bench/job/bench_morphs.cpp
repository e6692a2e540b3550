// Times one batch of single-morph conversions on the real-scale content at base resolution.
//
//   bench_morphs [--morphs N]
//
// Loads the sample scene and converts N morphs of its Genesis 8.1 Female source onto the
// Genesis 9, full figure morphs. The source's library is taken in catalogue order and again from
// the start when N is larger, each order with a name of its own. Prints the shared first step,
// the time per morph (median, minimum, maximum), the whole batch and the process's peak resident
// memory. Run one N per process so the peak belongs to it.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_session.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzscene.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-morphs-batch.h"
#include "kvr_converter.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-scene-morphs.h"

namespace {

KvrMorphBatchOptions batchOf(DzFigure* pfigSource, int cMorphs)
{
    std::vector<std::string> library;
    const tav::daz::NodeMorphs morphs(pfigSource);
    for (const auto& pInfo : morphs.all())
        library.push_back(pInfo->name);
    KvrMorphBatchOptions options;
    options.flags = KvrJobFlag::FullFigureMorph;
    for (int i = 0; i < cMorphs; ++i) {
        const std::string& name = library[size_t(i) % library.size()];
        const std::string converted = name + " " + std::to_string(i);
        options.orders.push_back({name, name, {converted, {}, {}}, {"/Bench", {}, {}}});
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreen();
    QApplication qapp(argc, argv);
    const QStringList args = QApplication::arguments();
    int cMorphs = 100;
    bool bOk = args.size() == 1;
    if (args.size() == 3 && args[1] == "--morphs")
        cMorphs = args[2].toInt(&bOk);
    if (!bOk || cMorphs < 1) {
        std::fprintf(stderr, "usage: bench_morphs [--morphs N]\n");
        return 2;
    }
    QTemporaryDir home, temp;
    const std::unique_ptr<DzApp> pApp = startRealScaleHost(home.path());

    DzContentMgr* pContent = dzApp->getContentMgr();
    if (!pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false)) {
        std::fprintf(stderr, "bench_morphs: cannot load the sample scene\n");
        return 1;
    }
    DzFigure* pfigSource = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 8.1 Female"));
    DzFigure* pfigTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
    KvrConverter job(makeParams(pfigSource, KvrSourceGeneration::Genesis8Female, pfigTarget), KvrSourceCheck::AnyShape);
    job.setTempDir(temp.path().toStdString());

    QElapsedTimer clock;
    std::vector<double> perMorph;
    double fShared = 0;
    double fLast = 0;
    clock.start();
    job.startClock();
    const KvrMorphBatchResult result =
        runMorphBatch(job, batchOf(pfigSource, cMorphs), [&](const KvrConvertedMorph&, tav::daz::StepProgress&) {
            const double fNow = clock.nsecsElapsed() / 1e6;
            if (perMorph.empty() && fShared == 0)
                fShared = fLast;
            perMorph.push_back(fNow - fLast);
            fLast = fNow;
        });
    const double fWhole = clock.nsecsElapsed() / 1e6;

    std::printf("%d morphs, real scale, base resolution, full figure morphs (ms)\n", int(result.morphs.size()));
    std::printf("per morph: median %.1f, min %.1f, max %.1f (the first includes the shared step)\n", median(perMorph),
                *std::min_element(perMorph.begin(), perMorph.end()), *std::max_element(perMorph.begin(), perMorph.end()));
    // Flat cost per morph: the batch's last ten morphs cost what its first ten (after the first) did.
    if (perMorph.size() >= 21) {
        const std::vector<double> first(perMorph.begin() + 1, perMorph.begin() + 11);
        const std::vector<double> last(perMorph.end() - 10, perMorph.end());
        std::printf("per morph, morphs 2 to 11: median %.1f; last ten: median %.1f\n", median(first), median(last));
    }
    std::printf("whole batch: %.0f ms\n", fWhole);
    std::printf("peak resident memory: %ld MB\n", peakResidentMegabytes());
    dzScene->clear();
    return 0;
}
