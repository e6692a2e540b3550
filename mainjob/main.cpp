// The main job: converts the bundled sample scene as a user would, headless, and reports what
// it made, how long each step took and how close the result lies to the source. With --morphs,
// it converts the sample source's morphs one by one instead, as a script does.
//
//   mainjob [--small] [--morphs] [--pictures DIR]
//
// --small uses the small test content instead of the real-scale one; pictures go to DIR
// (default: build/mainjob-pictures, or build/mainjob-morph-pictures with --morphs).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "mainjob_run.h"
#include "morphs_report.h"
#include "morphs_run.h"

namespace {

struct Options {
    bool bSmall = false;
    bool bMorphs = false;
    QString pictureDir;
};

bool parseOptions(const QStringList& args, const QString& buildDir, Options* pOptions)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--small"))
            pOptions->bSmall = true;
        else if (args[i] == QStringLiteral("--morphs"))
            pOptions->bMorphs = true;
        else if (args[i] == QStringLiteral("--pictures") && i + 1 < args.size())
            pOptions->pictureDir = QDir(args[++i]).absolutePath();
        else
            return false;
    }
    if (pOptions->pictureDir.isEmpty())
        pOptions->pictureDir = QDir(buildDir).filePath(pOptions->bMorphs ? QStringLiteral("mainjob-morph-pictures")
                                                                         : QStringLiteral("mainjob-pictures"));
    return true;
}

void print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

QString morphGroup(const QString& targetLabel, const QString& morph)
{
    DzNode* pTarget = dzScene->findNodeByLabel(targetLabel);
    auto* pMorph = pTarget ? qobject_cast<DzMorph*>(pTarget->getObject()->findModifier(morph)) : nullptr;
    const QString path = pMorph ? pMorph->getValueControl()->getPath() : QString();
    return QStringLiteral("Parameters group \"%1\"").arg(path);
}

void printReport(const MainJobResult& result, const Options& options)
{
    print(QStringLiteral("Kelvaro for Genesis 9: the sample scene converted (%1 content)")
              .arg(options.bSmall ? "small" : "real-scale"));
    print(QString());
    print(QStringLiteral("What the Success dialog said:"));
    for (const QString& line : result.reportText.split(QLatin1Char('\n')))
        print(QStringLiteral("  ") + line);
    print(QString());
    print(QStringLiteral("New morphs on the Genesis 9 (labelled %1 by the conversion), left in the scene, "
                         "not saved as assets:")
              .arg(result.targetLabel));
    for (const QString& morph : result.morphs)
        print(QStringLiteral("  %1  %2").arg(morph, morphGroup(result.targetLabel, morph)));
    print(QString());
    print(QStringLiteral("Time per step (ms):"));
    for (size_t i = 0; i < result.steps.size(); ++i)
        print(QStringLiteral("  %1  %2  %3")
                  .arg(i + 1, 2)
                  .arg(result.steps[i].second, 8, 'f', 1)
                  .arg(result.steps[i].first));
    print(QStringLiteral("  Whole job, Convert pressed to Success dialog: %1 ms").arg(result.wholeMs, 0, 'f', 0));
    print(QString());
    print(QStringLiteral("Fidelity: the converted Genesis 9 (new morphs dialled, posed and placed like the source) "
                         "against the source's surface, every vertex of each to the other, both ways:"));
    print(QStringLiteral("  root mean square %1 cm (%2 % of the source's %3 cm height)")
              .arg(result.rmsCm, 0, 'f', 3)
              .arg(100.0 * result.rmsCm / result.heightCm, 0, 'f', 3)
              .arg(result.heightCm, 0, 'f', 1));
    print(QStringLiteral("  largest          %1 cm (%2 %)")
              .arg(result.maxCm, 0, 'f', 3)
              .arg(100.0 * result.maxCm / result.heightCm, 0, 'f', 3));
    print(QString());
    print(QStringLiteral("Pictures in %1:").arg(options.pictureDir));
    for (int i = 0; i < result.pictures.size(); ++i) {
        print(QStringLiteral("  ") + QFileInfo(result.pictures[i]).fileName());
        print(QStringLiteral("    ") + result.captions.value(i));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The build's layout: bin/mainjob beside plugins/, content/, content-full/ and docs/.
    const QString buildDir = QDir::cleanPath(QApplication::applicationDirPath() + QStringLiteral("/.."));
    Options options;
    if (!parseOptions(QApplication::arguments(), buildDir, &options)) {
        std::fprintf(stderr, "usage: mainjob [--small] [--morphs] [--pictures DIR]\n");
        return 2;
    }

    QTemporaryDir home;
    DzAppOptions appOptions;
    appOptions.homeDir = home.path();
    appOptions.contentDirs = QStringList{
        QDir(buildDir).filePath(options.bSmall ? QStringLiteral("content") : QStringLiteral("content-full"))};
    appOptions.pluginDir = QDir(buildDir).filePath(QStringLiteral("plugins"));
    appOptions.docPath = QDir(buildDir).filePath(QStringLiteral("docs"));
    appOptions.authorName = QStringLiteral("Main Job");
    appOptions.headless = false;  // the steps show in the window's progress, not on standard error
    DzApp app(appOptions);
    app.startup();

    QString error;
    if (options.bMorphs) {
        MorphsJobResult result;
        if (!runMorphsJob(options.pictureDir, &result, &error)) {
            std::fprintf(stderr, "mainjob: %s\n", error.toUtf8().constData());
            return 1;
        }
        printMorphsReport(result, options.bSmall, options.pictureDir);
        return 0;
    }
    MainJobResult result;
    if (!runMainJob(options.pictureDir, &result, &error)) {
        std::fprintf(stderr, "mainjob: %s\n", error.toUtf8().constData());
        return 1;
    }
    printReport(result, options);
    return 0;
}
