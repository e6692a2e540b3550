#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "dzfileiosettings.h"
#include "dzimporter.h"
#include "dzimportmgr.h"
#include "dzscene.h"
#include "fidelity.h"
#include "library_copy.h"
#include "studio_run.h"
#include "test_app.h"

// The product as a user runs it in the studio: the sample scene, both figures selected, the
// convert action from the menu, the dialogs answered with --answer.
namespace {

const QString qsSample = "Scenes/Sample Conversion.duf";
const QString qsErrorBoxLog = "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: ";

StudioRun convertSample(const QTemporaryDir& work, const QString& contentDir = KVR_CONTENT_DIR,
                        const QStringList& answers = {"--answer", "Convert figure*=Convert"})
{
    QStringList args{"--content-dir", contentDir, "--scene", qsSample, "--answer", "Conversion complete*=Close",
                     "--answer", "Error*=OK"};
    return runStudio(args + answers, "var WORK = " + scriptString(work.path()) + ";\n" + readTestScript("convert_sample.js"));
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
    ASSERT_EQ(run.exitCode, 0) << run.describe();

    // The first use makes the head and body morphs, named after the source.
    EXPECT_TRUE(run.stdOut.contains("created: Genesis 8.1 Female converted to G9 Head | Genesis 8.1 Female "
                                    "converted to G9 Body\n"))
        << run.describe();
    EXPECT_TRUE(run.stdOut.contains("target label: rigged-for-mlp-")) << run.describe();

    // The Success dialog reported both, with the time taken, and was closed.
    const QStringList success = run.logLinesStartingWith(QString::fromUtf8("Dialog \"Conversion complete \u2014"));
    ASSERT_EQ(success.size(), 1) << run.describe();
    EXPECT_TRUE(success[0].contains("now contains 2 new morphs")) << success[0].toStdString();
    // Whole seconds as the duration text gives them; a loaded or sanitized run takes longer.
    EXPECT_TRUE(success[0].contains(QRegularExpression("Time taken: (1 second|\\d+ seconds)<")))
        << success[0].toStdString();
    EXPECT_TRUE(run.logLinesStartingWith("Message box ").isEmpty()) << run.describe();

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
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_EQ(run.stdOut, "unchanged\n") << run.describe();
    EXPECT_TRUE(run.logLinesStartingWith("Message box ").isEmpty()) << run.describe();
    EXPECT_TRUE(run.logLinesStartingWith(QString::fromUtf8("Dialog \"Conversion complete")).isEmpty());
}

TEST(ConvertStudio, AFailingJobShowsOneBoxWithItsReasonAndLogsIt)
{
    // A content library without the head-split D-Former: the job fails at the head morph.
    const QString missing = "People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf";
    const LibraryCopyWithout content(missing);
    QTemporaryDir work;
    const StudioRun run = convertSample(work, content.path());
    const QString reason = "cannot find " + missing + " in any content library; please make sure Genesis 9 is installed correctly";
    EXPECT_EQ(run.logLinesStartingWith("Message box ").size(), 1) << run.describe();
    EXPECT_EQ(run.logLinesStartingWith(qsErrorBoxLog).size(), 1) << run.describe();
    EXPECT_EQ(run.logLines.indexOf(qsErrorBoxLog + reason) >= 0, true) << run.describe();
    EXPECT_TRUE(run.logLinesStartingWith(QString::fromUtf8("Dialog \"Conversion complete")).isEmpty());
}
