#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <optional>

#include "library_copy.h"
#include "studio_run.h"

// The convert action triggered in the studio on selections the job must refuse: one critical
// box carrying the reason, its log line, and the job's scope lines around the failure.
namespace {

const QString qsEntering = "TkKVR: Entering KvrConverter::exec_X()";
const QString qsLeaving = "TkKVR: Leaving KvrConverter::exec_X()";
const QString qsBoxLog = "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: ";
const QString qsBoxTitle = QString::fromUtf8("Message box \"Error \u2014 Tavrenik's Kelvaro V1.0.5\"");
const QString qsSample = "Scenes/Sample Conversion.duf";
const QString qsGenesis9 = "People/Genesis 9/Genesis 9.duf";

QString selecting(const QStringList& labels)
{
    QString script;
    for (const QString& label : labels)
        script += QString("Scene.findNodeByLabel(\"%1\").select(true);\n").arg(label);
    return script;
}

// Opens each content file, runs the selection script, triggers the action and then the script
// after it; the Convert dialog, once a valid job reaches it, is cancelled.
StudioRun runConvert(const QStringList& files, const QString& select, const QString& contentDir = KVR_CONTENT_DIR,
                     const QString& after = QString())
{
    QString script = "var cm = App.getContentMgr();\n";
    for (const QString& file : files)
        script += QString("if (!cm.openFile(cm.getAbsolutePath(\"%1\"), true)) throw \"cannot open %1\";\n").arg(file);
    script += "Scene.selectAllNodes(false);\n" + select +
              "MainWindow.getActionMgr().findAction(\"KvrConvertFigureAction\").trigger();\n" + after;
    return runStudio({"--content-dir", contentDir, "--answer", "Error*=OK", "--answer", "Convert figure*=Cancel"}, script);
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
    return int(std::count_if(run.logLines.begin(), run.logLines.end(), [&](const QString& line) { return line.contains(text); }));
}

} // namespace

TEST(ValidationE2E, RefusedSelectionsShowOneBoxWithTheReasonAfterTheJobEnds)
{
    const QString twoFigures = QString::fromUtf8(
        "you must select two figures (a \u201csource\u201d Genesis 8 or 8.1 and a \u201ctarget\u201d Genesis 9) in the scene");
    const QString missingStock = "People/Genesis 3 Male/Genesis 3 Male.duf";
    struct Case {
        QStringList files;
        QString select;
        QString message;
        QString withoutFile;  // left out of the content library
    };
    const Case cases[] = {
        {{qsSample}, "", twoFigures, ""},
        {{qsSample, "People/Genesis 8 Female/Genesis 8 Basic Female.duf"},
         selecting({"Genesis 8.1 Female", "Genesis 8 Female", "Genesis 9"}), twoFigures, ""},
        {{"Props/Primitive Sphere.duf", qsGenesis9}, selecting({"Genesis 9", "Sphere"}),
         "selected figure Sphere is not a Genesis 3, 8, 8.1, or 9 figure", ""},
        {{"People/Genesis 2 Female/Genesis 2 Female.duf", qsGenesis9}, selecting({"Genesis 2 Female", "Genesis 9"}),
         "selected figure Genesis 2 Female is not a Genesis 3, 8, 8.1, or 9 figure", ""},
        {{qsSample},
         "var obj = Scene.findNodeByLabel(\"Genesis 8.1 Female\").getObject();\n"
         "for (var i = 0; i < obj.getNumModifiers(); ++i)\n"
         "  if (obj.getModifier(i).getNumProperties() == 1) obj.getModifier(i).getProperty(0).setValue(0);\n" +
             selecting({"Genesis 8.1 Female", "Genesis 9"}),
         "source figure Genesis 8.1 Female has no morphs dialed in; nothing to do", ""},
        {{qsSample}, selecting({"Genesis 8.1 Female", "Genesis 9"}),
         "cannot find " + missingStock + " in any content library; please make sure Genesis 9 is installed correctly",
         missingStock},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        std::optional<LibraryCopyWithout> content;
        if (!c.withoutFile.isEmpty())
            content.emplace(c.withoutFile);
        const StudioRun run = runConvert(c.files, c.select, content ? content->path() : QString(KVR_CONTENT_DIR));
        ASSERT_EQ(run.exitCode, 0) << run.describe();
        EXPECT_EQ(countOf(run, qsBoxTitle), 1) << run.describe();
        EXPECT_EQ(countOf(run, qsBoxLog), 1);
        const int iBox = run.logLines.indexOf(qsBoxLog + c.message);
        EXPECT_GE(iBox, 0) << run.describe();
        // The box's body is the message as a sentence; it spans lines, so it is read from the raw log.
        QFile log(QDir(run.home).filePath("log.txt"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString sentence = c.message.left(1).toUpper() + c.message.mid(1) + ".";
        EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains("<p>" + sentence + "</p>")) << sentence.toStdString();
        EXPECT_GE(indexOf(run, qsEntering), 0);
        EXPECT_GT(indexOf(run, qsLeaving), indexOf(run, qsEntering));
        EXPECT_GT(iBox, indexOf(run, qsLeaving));
    }
}

// A bone of the source stands for its figure; Cancel on the Convert dialog then changes nothing
// and shows nothing more.
TEST(ValidationE2E, ABoneOfTheSourceCountsAsItsFigureAndCancelChangesNothing)
{
    const QString state = "function state() {\n"
                          "  var t = Scene.findNodeByLabel('Genesis 9'), o = t.getObject();\n"
                          "  var s = [Scene.getNumNodes(), t.getLabel()];\n"
                          "  for (var i = 0; i < o.getNumModifiers(); ++i) {\n"
                          "    var m = o.getModifier(i);\n"
                          "    if (m.getValueControl) s.push(m.getName() + '=' + m.getValueControl().getValue());\n"
                          "  }\n"
                          "  return s.join(',');\n"
                          "}\n"
                          "var before = state();\n";
    const StudioRun run = runConvert({qsSample},
                                     state + "Scene.findNodeByLabel(\"Genesis 9\").select(true);"
                                             "Scene.findNodeByLabel(\"Genesis 8.1 Female\").findBone(\"l_thigh\").select(true);\n",
                                     KVR_CONTENT_DIR,
                                     "processEvents();\n"
                                     "print(before == state() ? 'unchanged' : 'changed: ' + before + ' -> ' + state());\n");
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_EQ(run.stdOut, "unchanged\n") << run.describe();
    EXPECT_GE(indexOf(run, "Answered dialog \"Convert figure"), 0) << run.describe();
    EXPECT_GE(indexOf(run, qsEntering), 0);
    EXPECT_GT(indexOf(run, qsLeaving), indexOf(run, qsEntering));
    EXPECT_EQ(countOf(run, "Message box "), 0) << run.describe();
    EXPECT_EQ(countOf(run, "Dialog \"Conversion complete"), 0) << run.describe();
}
