#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dzscene.h"
#include "fidelity.h"
#include "studio_run.h"
#include "test_app.h"

// The product as a user runs it in the studio: the sample scene, both figures selected, the
// convert action from the menu, the dialogs answered with --answer.
namespace {

const QString qsSample = "Scenes/Sample Conversion.duf";
const QString qsErrorBoxLog = "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: ";

QString readScript(const char* pcszName)
{
    QFile file(QStringLiteral(KVR_SOURCE_DIR "/tests/e2e/scripts/") + pcszName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << pcszName;
    return QString::fromUtf8(file.readAll());
}

QString jsText(const QString& text)
{
    return "'" + QString(text).replace('\\', "\\\\").replace('\'', "\\'") + "'";
}

QStringList linesStartingWith(const StudioRun& run, const QString& prefix)
{
    QStringList found;
    for (const QString& line : run.logLines)
        if (line.startsWith(prefix))
            found << line;
    return found;
}

std::string describe(const StudioRun& run)
{
    return QString("exit %1\n--- stdout\n%2\n--- stderr\n%3\n--- log\n%4")
        .arg(run.exitCode)
        .arg(run.stdOut, run.stdErr, run.logLines.join('\n'))
        .toStdString();
}

StudioRun convertSample(const QTemporaryDir& work, const QString& contentDir = KVR_CONTENT_DIR,
                        const QStringList& answers = {"--answer", "Convert figure*=Convert"})
{
    QStringList args{"--content-dir", contentDir, "--scene", qsSample, "--answer", "Conversion complete*=Close",
                     "--answer", "Error*=OK"};
    return runStudio(args + answers, "var WORK = " + jsText(work.path()) + ";\n" + readScript("convert_sample.js"));
}

// Imports an OBJ the studio wrote into this test's own host.
DzNode* importObj(const QString& path)
{
    DzImporter* pImporter = dzApp->getImportMgr()->findImporterByClassName("DzObjImporter");
    DzFileIOSettings options;
    options.setIntValue("RunSilent", 1);
    options.setFloatValue("Scale", 1.0);
    EXPECT_EQ(pImporter->readFile(path, &options), 0) << path.toStdString();
    return dzScene->findNodeByLabel(QFileInfo(path).completeBaseName());
}

} // namespace

TEST(ConvertStudio, TheSampleSceneConvertsFromTheMenuOntoTheSourcesSurface)
{
    QTemporaryDir work;
    const StudioRun run = convertSample(work);
    ASSERT_EQ(run.exitCode, 0) << describe(run);

    // The first use makes the head and body morphs, named after the source.
    EXPECT_TRUE(run.stdOut.contains("created: Genesis 8.1 Female converted to G9 Head | Genesis 8.1 Female "
                                    "converted to G9 Body\n"))
        << describe(run);
    EXPECT_TRUE(run.stdOut.contains("target label: rigged-for-mlp-")) << describe(run);

    // The Success dialog reported both, with the time taken, and was closed.
    const QStringList success = linesStartingWith(run, QString::fromUtf8("Dialog \"Conversion complete \u2014"));
    ASSERT_EQ(success.size(), 1) << describe(run);
    EXPECT_TRUE(success[0].contains("now contains 2 new morphs")) << success[0].toStdString();
    EXPECT_TRUE(success[0].contains("Time taken: 0 seconds") || success[0].contains("Time taken: 1 second"))
        << success[0].toStdString();
    EXPECT_TRUE(linesStartingWith(run, "Message box ").isEmpty()) << describe(run);

    TestApp app;
    DzNode* pSource = importObj(work.filePath("source.obj"));
    DzNode* pConverted = importObj(work.filePath("converted.obj"));
    ASSERT_TRUE(pSource && pConverted);
    const Fidelity fidelity = measureFidelity(pSource, pConverted);
    EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);
    EXPECT_LT(fidelity.rmsRelative, fRmsRelativeBound);
}

TEST(ConvertStudio, CancelOnTheConvertDialogChangesNothingAndShowsNothing)
{
    QTemporaryDir work;
    const QString script = "var target = Scene.findNodeByLabel('Genesis 9');\n"
                           "function state() {\n"
                           "  var o = target.getObject(), s = [Scene.getNumNodes(), target.getLabel()];\n"
                           "  for (var i = 0; i < o.getNumModifiers(); ++i) {\n"
                           "    var m = o.getModifier(i);\n"
                           "    if (m.getValueControl) s.push(m.getName() + '=' + m.getValueControl().getValue());\n"
                           "  }\n"
                           "  return s.join(',');\n"
                           "}\n"
                           "var before = state();\n"
                           "Scene.findNodeByLabel('Genesis 8.1 Female').select(true);\n"
                           "target.select(true);\n"
                           "MainWindow.getActionMgr().findAction('KvrConvertFigureAction').trigger();\n"
                           "processEvents();\n"
                           "print(before == state() ? 'unchanged' : 'changed: ' + before + ' -> ' + state());\n";
    const StudioRun run = runStudio({"--content-dir", KVR_CONTENT_DIR, "--scene", qsSample, "--answer",
                                     "Convert figure*=Cancel"},
                                    script);
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_EQ(run.stdOut, "unchanged\n") << describe(run);
    EXPECT_TRUE(linesStartingWith(run, "Message box ").isEmpty()) << describe(run);
    EXPECT_TRUE(linesStartingWith(run, QString::fromUtf8("Dialog \"Conversion complete")).isEmpty());
}

TEST(ConvertStudio, AFailingJobShowsOneBoxWithItsReasonAndLogsIt)
{
    // A content library without the head-split D-Former: the job fails at the head morph.
    QTemporaryDir content, work;
    const QString missing = "People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf";
    const QDir from(KVR_CONTENT_DIR);
    for (QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = from.relativeFilePath(it.next());
        if (relative == missing)
            continue;
        QDir(content.path()).mkpath(QFileInfo(relative).path());
        ASSERT_TRUE(QFile::copy(it.filePath(), QDir(content.path()).filePath(relative)));
    }

    const StudioRun run = convertSample(work, content.path());
    const QString reason = "cannot find " + missing + " in any content library; please make sure Genesis 9 is installed correctly";
    EXPECT_EQ(linesStartingWith(run, "Message box ").size(), 1) << describe(run);
    EXPECT_EQ(linesStartingWith(run, qsErrorBoxLog).size(), 1) << describe(run);
    EXPECT_EQ(run.logLines.indexOf(qsErrorBoxLog + reason) >= 0, true) << describe(run);
    EXPECT_TRUE(linesStartingWith(run, QString::fromUtf8("Dialog \"Conversion complete")).isEmpty());
}
