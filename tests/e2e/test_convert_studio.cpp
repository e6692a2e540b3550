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
#include "studio_run.h"
#include "test_app.h"

// The product as a user runs it in the studio: the sample scene, both figures selected, the
// convert action from the menu, the dialogs answered with --answer.
namespace {

const QString qsSample = "Scenes/Sample Conversion.duf";

StudioRun convertSample(const QTemporaryDir& work)
{
    QStringList args{"--content-dir", KVR_CONTENT_DIR, "--scene", qsSample, "--answer", "Conversion complete*=Close",
                     "--answer", "Error*=OK", "--answer", "Convert figure*=Convert"};
    return runStudio(args, "var WORK = " + scriptString(work.path()) + ";\n" + readTestScript("convert_sample.js"));
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
