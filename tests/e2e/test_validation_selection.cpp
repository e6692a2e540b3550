#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "library_copy.h"
#include "studio_run.h"

// The convert action triggered in the studio on selections the job must refuse: one critical
// box carrying the reason, its log line, and the job's scope lines around the failure.
namespace {

const QString qsEntering = "TkKVR: Entering KvrConverter::exec_X()";
const QString qsLeaving = "TkKVR: Leaving KvrConverter::exec_X()";
const QString qsBoxLog = "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: ";
const QString qsBoxTitle = QString::fromUtf8("Message box \"Error \u2014 Tavrenik's Kelvaro V1.0.5\"");

// Opens each content file, then runs the selection script, then triggers the action.
QString convertScript(const QStringList& files, const QString& select)
{
    QString script = "var cm = App.getContentMgr();\n";
    for (const QString& file : files)
        script += QString("if (!cm.openFile(cm.getAbsolutePath(\"%1\"), true)) throw \"cannot open %1\";\n").arg(file);
    script += "Scene.selectAllNodes(false);\n" + select + "\n";
    script += "MainWindow.getActionMgr().findAction(\"KvrConvertFigureAction\").trigger();\n";
    return script;
}

StudioRun runConvert(const QStringList& files, const QString& select,
                     const QString& contentDir = QStringLiteral(KVR_CONTENT_DIR))
{
    // The Convert dialog, once a valid job reaches it, is cancelled.
    return runStudio({"--content-dir", contentDir, "--answer", "Error*=OK", "--answer", "Convert figure*=Cancel"},
                     convertScript(files, select));
}

int indexOf(const StudioRun& run, const QString& text)
{
    for (int i = 0; i < run.logLines.size(); ++i)
        if (run.logLines[i].contains(text))
            return i;
    return -1;
}

int countOf(const StudioRun& run, const QString& text)
{
    int c = 0;
    for (const QString& line : run.logLines)
        c += line.contains(text) ? 1 : 0;
    return c;
}

void expectRefused(const StudioRun& run, const QString& message, const QString& sentence)
{
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(countOf(run, qsBoxTitle), 1) << run.logLines.join("\n").toStdString();
    EXPECT_EQ(countOf(run, qsBoxLog), 1);
    const int iBox = run.logLines.indexOf(qsBoxLog + message);
    EXPECT_GE(iBox, 0) << run.logLines.join("\n").toStdString();
    // The box's body spans lines; read it from the raw log.
    QFile log(QDir(run.home).filePath("log.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains("<p>" + sentence + "</p>")) << sentence.toStdString();
    const int iEntering = indexOf(run, qsEntering);
    const int iLeaving = indexOf(run, qsLeaving);
    EXPECT_GE(iEntering, 0);
    EXPECT_GT(iLeaving, iEntering);
    EXPECT_GT(iBox, iLeaving);
}

const QString qsSample = "Scenes/Sample Conversion.duf";
const QString qsGenesis9 = "People/Genesis 9/Genesis 9.duf";

TEST(ValidationE2E, NothingSelectedOrTwoSourcesAskForTwoFigures)
{
    const QString message = QString::fromUtf8(
        "you must select two figures (a \u201csource\u201d Genesis 8 or 8.1 and a \u201ctarget\u201d Genesis 9) in the scene");
    const QString sentence = "Y" + message.mid(1) + ".";
    expectRefused(runConvert({qsSample}, ""), message, sentence);
    expectRefused(runConvert({qsSample, "People/Genesis 8 Female/Genesis 8 Basic Female.duf"},
                             "Scene.findNodeByLabel(\"Genesis 8.1 Female\").select(true);"
                             "Scene.findNodeByLabel(\"Genesis 8 Female\").select(true);"
                             "Scene.findNodeByLabel(\"Genesis 9\").select(true);"),
                  message, sentence);
}

TEST(ValidationE2E, APropOrAnOlderFigureIsNamedByItsLabel)
{
    expectRefused(runConvert({"Props/Primitive Sphere.duf", qsGenesis9},
                             "Scene.findNodeByLabel(\"Genesis 9\").select(true);"
                             "Scene.findNodeByLabel(\"Sphere\").select(true);"),
                  "selected figure Sphere is not a Genesis 3, 8, 8.1, or 9 figure",
                  "Selected figure Sphere is not a Genesis 3, 8, 8.1, or 9 figure.");
    expectRefused(runConvert({"People/Genesis 2 Female/Genesis 2 Female.duf", qsGenesis9},
                             "Scene.findNodeByLabel(\"Genesis 2 Female\").select(true);"
                             "Scene.findNodeByLabel(\"Genesis 9\").select(true);"),
                  "selected figure Genesis 2 Female is not a Genesis 3, 8, 8.1, or 9 figure",
                  "Selected figure Genesis 2 Female is not a Genesis 3, 8, 8.1, or 9 figure.");
}

TEST(ValidationE2E, ASourceWithNothingDialledIsRefused)
{
    const QString select =
        "var src = Scene.findNodeByLabel(\"Genesis 8.1 Female\");"
        "var obj = src.getObject();"
        "for (var i = 0; i < obj.getNumModifiers(); ++i) {"
        "  var m = obj.getModifier(i);"
        "  if (m.getNumProperties() == 1) m.getProperty(0).setValue(0);"
        "}"
        "src.select(true); Scene.findNodeByLabel(\"Genesis 9\").select(true);";
    expectRefused(runConvert({qsSample}, select),
                  "source figure Genesis 8.1 Female has no morphs dialed in; nothing to do",
                  "Source figure Genesis 8.1 Female has no morphs dialed in; nothing to do.");
}

TEST(ValidationE2E, AMissingStockFigureIsNamed)
{
    const QString missing = "People/Genesis 3 Male/Genesis 3 Male.duf";
    const LibraryCopyWithout content(missing);

    expectRefused(runConvert({qsSample},
                             "Scene.findNodeByLabel(\"Genesis 8.1 Female\").select(true);"
                             "Scene.findNodeByLabel(\"Genesis 9\").select(true);",
                             content.path()),
                  "cannot find " + missing + " in any content library; please make sure Genesis 9 is installed correctly",
                  "Cannot find " + missing + " in any content library; please make sure Genesis 9 is installed correctly.");
}

TEST(ValidationE2E, ABoneOfTheSourceCountsAsItsFigure)
{
    const StudioRun run = runConvert({qsSample},
                                     "Scene.findNodeByLabel(\"Genesis 9\").select(true);"
                                     "Scene.findNodeByLabel(\"Genesis 8.1 Female\").findBone(\"l_thigh\").select(true);");
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_GE(indexOf(run, qsEntering), 0);
    EXPECT_GT(indexOf(run, qsLeaving), indexOf(run, qsEntering));
    EXPECT_EQ(countOf(run, qsBoxTitle), 0) << run.logLines.join("\n").toStdString();
    EXPECT_EQ(countOf(run, "Critical error message box"), 0);
}

} // namespace
