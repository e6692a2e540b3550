// Times whole conversions of the sample scene on the real-scale content, step by step.
//
//   bench_job [--level N] [--repetitions R] [--flags MASK]
//
// Level 0 converts at base resolution, level N > 0 at high resolution with the source at that
// subdivision level. Each repetition loads the scene afresh and runs the pipeline with the full,
// head and body morphs (mask 7); the report gives each step's median, minimum and maximum, the
// whole job's, and the process's peak resident memory. Run one level per process so the peak
// belongs to it.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "bench_session.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzfigure.h"
#include "dzintproperty.h"
#include "dzmainwindow.h"
#include "dzscene.h"
#include "kvr_convert-figure-pipeline.h"
#include "kvr_convert-figure-select.h"
#include "kvr_converter.h"
#include "step_clock.h"
#include "tv_daz-helpers-scene.h"

namespace {

struct Options {
    int level = 0;
    int repetitions = 5;
    uint64_t flags = 7;
};

bool parseOptions(const QStringList& args, Options* options)
{
    for (int i = 1; i + 1 < args.size(); i += 2) {
        bool ok = false;
        const int value = args[i + 1].toInt(&ok);
        if (!ok || value < 0)
            return false;
        if (args[i] == "--level")
            options->level = value;
        else if (args[i] == "--repetitions")
            options->repetitions = std::max(1, value);
        else if (args[i] == "--flags")
            options->flags = uint64_t(value);
        else
            return false;
    }
    return args.size() % 2 == 1;
}

// One conversion of the freshly loaded sample scene; the laps of its steps and the whole.
StepClock::Laps convertOnce(const Options& options, StepClock& clock, const QString& tempDir)
{
    dzScene->clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DzContentMgr* pContent = dzApp->getContentMgr();
    if (!pContent->openFile(pContent->getAbsolutePath("Scenes/Sample Conversion.duf"), false))
        throw std::runtime_error("cannot load the sample scene");
    DzFigure* pfigSource = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 8.1 Female"));
    DzFigure* pfigTarget = qobject_cast<DzFigure*>(dzScene->findNodeByLabel("Genesis 9"));
    if (options.level > 0) {
        tav::daz::SetNodeResolution(pfigSource, tav::daz::NodeResolution::HighResolution, true);
        tav::daz::GetSubdivisionLevelProperty(pfigSource, true)->setValue(options.level);
    }
    KvrConverter job(makeParams(pfigSource, KvrSourceGeneration::Genesis8Female, pfigTarget));
    job.setTempDir(tempDir.toStdString());

    KvrJobOptions jobOptions;
    jobOptions.names = {"Full", "Head", "Body"};
    jobOptions.paths = {"/Kelvaro", "/Kelvaro", "/Kelvaro"};
    jobOptions.flags = KvrJobFlags(options.flags);
    jobOptions.eResolution = options.level > 0 ? KvrResolution::Subd : KvrResolution::Base;
    jobOptions.iSubdLevel = options.level;
    QElapsedTimer whole;
    whole.start();
    runPipeline(job, jobOptions);
    const double fWhole = whole.nsecsElapsed() / 1e6;
    StepClock::Laps laps = clock.laps();
    laps.emplace_back("Whole job", fWhole);
    return laps;
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreen();
    QApplication qapp(argc, argv);
    Options options;
    if (!parseOptions(QApplication::arguments(), &options)) {
        std::fprintf(stderr, "usage: bench_job [--level N] [--repetitions R] [--flags MASK]\n");
        return 2;
    }
    QTemporaryDir home, temp;
    const std::unique_ptr<DzApp> pApp = startRealScaleHost(home.path());
    StepClock clock(pApp->getInterface());

    std::map<QString, std::vector<double>> timesByStep;
    std::vector<QString> order;
    for (int r = 0; r < options.repetitions; ++r) {
        for (const auto& [step, ms] : convertOnce(options, clock, temp.path())) {
            if (!timesByStep.count(step))
                order.push_back(step);
            timesByStep[step].push_back(ms);
        }
    }

    std::printf("Sample scene, real scale, %s, flags %llu, %d repetitions (ms)\n",
                options.level > 0 ? qPrintable(QString("level %1").arg(options.level)) : "base resolution",
                static_cast<unsigned long long>(options.flags), options.repetitions);
    std::printf("%-60s %9s %9s %9s\n", "step", "median", "min", "max");
    for (const QString& step : order) {
        const std::vector<double>& t = timesByStep[step];
        std::printf("%-60s %9.1f %9.1f %9.1f\n", qPrintable(step), median(t), *std::min_element(t.begin(), t.end()),
                    *std::max_element(t.begin(), t.end()));
    }
    std::printf("peak resident memory: %ld MB\n", peakResidentMegabytes());
    dzScene->clear();
    return 0;
}
