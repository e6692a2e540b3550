// A source kind's morph library converted without anyone at the screen: the example script in
// parts, its saves in a new session, the scripts' batch call refusing what does not fit.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "fidelity.h"
#include "library_copy.h"
#include "studio_run.h"

namespace {

// The new morphs a part saved, from its "  <morph> -> <asset>" lines.
QStringList savedMorphs(const QString& stdOut)
{
    QStringList names;
    static const QRegularExpression saved(QStringLiteral("^  (.+) -> /data/.+$"), QRegularExpression::MultilineOption);
    for (auto it = saved.globalMatch(stdOut); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

// A new session: a fresh Genesis 9 with the library's morphs, beside a second one that gets the
// same source morphs converted now. Per morph it prints the saved one's name, how far its
// vertices move and how far they differ from the fresh conversion's.
const char* const pcszReloadScript = R"(
var cm = App.getContentMgr();
function load(path) { cm.openFile(cm.getAbsolutePath(path), true); return Scene.getPrimarySelection(); }
var reloaded = load('People/Genesis 9/Genesis 9.duf');
var source = load('People/Genesis 8 Female/Genesis 8.1 Basic Female.duf');
var fresh = load('People/Genesis 9/Genesis 9.duf');
var action = MainWindow.getActionMgr().findAction('KvrConvertMorphsAction');
var names = action.getSourceMorphs(source).map(function (m) { return m.name; });
var made = action.convertMorphs(source, fresh, names, {namePattern: '{label} fresh'});
if (made.error) throw new Error(made.error);
function deltas(figure, name) {
  var modifier = figure.getObject().findModifier(name);
  var byVertex = {};
  if (!modifier) return null;
  var d = modifier.getDeltas();
  for (var i = 0; i < d.getNumDeltas(); ++i) byVertex[d.getDeltaIndex(i)] = d.getDelta(i);
  return byVertex;
}
function length(v) { return Math.sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
var zero = {x: 0, y: 0, z: 0};
for (var i = 0; i < made.converted.length; ++i) {
  var label = made.converted[i].label;
  var saved = deltas(reloaded, label + ' (G8.1F)');
  var now = deltas(fresh, made.converted[i].morphs[0]);
  if (!saved) { print(label + ' (G8.1F)\tmissing'); continue; }
  var reach = 0, differ = 0;
  for (var v in saved) reach = Math.max(reach, length(saved[v]));
  for (var v in now) {
    var s = saved[v] || zero;
    differ = Math.max(differ, length({x: s.x - now[v].x, y: s.y - now[v].y, z: s.z - now[v].z}));
  }
  for (var v in saved) if (!(v in now)) differ = Math.max(differ, length(saved[v]));
  print(label + ' (G8.1F)\t' + reach + '\t' + differ);
}
)";

} // namespace

// Two studios, each a part of the Genesis 8.1 Female's morphs, save every morph of the kind
// exactly once; a new session finds each saved morph on a fresh Genesis 9, where it moves the
// figure as the conversion does.
TEST(MorphLibrary, PartsSaveEveryMorphOnceAndANewSessionDialsEach)
{
    QTemporaryDir library;
    QSet<QString> all;
    int cCatalogue = -1;
    int cSavedLines = 0;
    for (const char* pcszPart : {"part=1/2", "part=2/2"}) {
        const StudioRun run = runExample("convert-morph-library.js", {library.path(), "G8.1F", pcszPart});
        ASSERT_EQ(run.exitCode, 0) << pcszPart << run.describe();
        const QRegularExpressionMatch head =
            QRegularExpression(QStringLiteral("^Part \\d of 2: (\\d+) of (\\d+) morphs of Genesis 8\\.1 Female; saving to "))
                .match(run.stdOut);
        ASSERT_TRUE(head.hasMatch()) << run.describe();
        cCatalogue = head.captured(2).toInt();
        const QStringList saved = savedMorphs(run.stdOut);
        EXPECT_EQ(saved.size(), head.captured(1).toInt()) << pcszPart << run.describe();
        EXPECT_FALSE(all.intersects(QSet<QString>(saved.begin(), saved.end()))) << pcszPart;
        all.unite(QSet<QString>(saved.begin(), saved.end()));
        cSavedLines += saved.size();
    }
    EXPECT_GE(cCatalogue, 20);
    EXPECT_EQ(all.size(), cCatalogue);
    EXPECT_EQ(cSavedLines, cCatalogue);
    EXPECT_EQ(filesBelow(library.path()).size(), cCatalogue) << filesBelow(library.path()).join('\n').toStdString();

    const StudioRun reload =
        runStudio({"--content-dir", KVR_CONTENT_DIR, "--content-dir", library.path()}, pcszReloadScript, 300);
    ASSERT_EQ(reload.exitCode, 0) << reload.describe();
    QSet<QString> judged;
    for (const QString& line : reload.stdOut.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        ASSERT_EQ(fields.size(), 3) << line.toStdString();
        judged << fields[0];
        // Moves the figure by more than a rounding, exactly where and as far as converting it does.
        EXPECT_GT(fields[1].toDouble(), 0.05) << line.toStdString();
        EXPECT_LT(fields[2].toDouble(), 1e-3) << line.toStdString();
    }
    EXPECT_EQ(judged, all);
}

// A part beyond the morphs converts nothing; without a library or a kind the script says how to
// call it, and changes nothing.
TEST(MorphLibrary, ExampleRefusesArgumentsThatDoNotFit)
{
    QTemporaryDir library;
    struct Case {
        QStringList args;
        const char* pcszError;  // empty: runs and saves nothing
    };
    const Case aCases[] = {
        {{}, "no library to save into given; usage: studio --headless --script convert-morph-library.js"},
        {{library.path()}, "no source kind given; usage:"},
        {{library.path(), "G2F"}, "unknown source kind \"G2F\"; usage:"},
        {{library.path(), "G3M", "part=3/2"}, "the part \"3/2\" is not K/N with 1 <= K <= N; usage:"},
        {{library.path(), "G3M", "colour=red"}, "unknown argument \"colour=red\"; usage:"},
        {{library.path(), "G3M", "group=/No Such Group"}, ""},
    };
    for (const Case& c : aCases) {
        const StudioRun run = runExample("convert-morph-library.js", c.args);
        const std::string what = c.args.join(' ').toStdString();
        if (*c.pcszError) {
            EXPECT_EQ(run.exitCode, 1) << what << run.describe();
            EXPECT_TRUE(run.stdErr.contains(c.pcszError)) << what << run.describe();
        } else {
            EXPECT_EQ(run.exitCode, 0) << what << run.describe();
            EXPECT_TRUE(run.stdOut.contains("Nothing to convert.")) << what << run.describe();
        }
        EXPECT_FALSE(run.logContains("Entering ScriptConvertMorphs")) << what;
    }
    EXPECT_TRUE(filesBelow(library.path()).isEmpty());
}

// The scripts' batch call refuses input that does not fit with an error naming the thing at
// fault, before it changes anything.
TEST(MorphLibrary, ScriptBatchCallNamesWhatDoesNotFit)
{
    QTemporaryDir library;
    struct Case {
        const char* pcszCall;  // src, g9, act and LIB are the script's
        const char* pcszError;
    };
    const Case aCases[] = {
        {"act.convertMorphs(null, g9, ['head_ctrl_NoseWidth'])", "No source figure given."},
        {"act.convertMorphs(g9, g9, ['head_ctrl_NoseWidth'])", "The source “Genesis 9” is not a Genesis 3, 8 or 8.1 figure."},
        {"act.convertMorphs(src, null, ['head_ctrl_NoseWidth'])", "No target figure given."},
        {"act.convertMorphs(src, src, ['head_ctrl_NoseWidth'])", "The target “Genesis 8.1 Female” is not a Genesis 9 figure."},
        {"act.convertMorphs(src, g9, [])", "No morphs to convert given."},
        {"act.convertMorphs(src, g9, ['NoSuchMorph'])", "The source “Genesis 8.1 Female” has no morph named “NoSuchMorph”."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth', 'head_ctrl_NoseWidth'])",
         "The morph “head_ctrl_NoseWidth” is listed twice."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {colour: 'red'})",
         "Unknown option “colour”; the options are headAndBody, namePattern, propertyPath, highResolution."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {headAndBody: 'yes'})",
         "The option “headAndBody” must be true or false."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {namePattern: 7})", "The option “namePattern” must be a text."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {namePattern: ' '})",
         "The name pattern gives the morph “Nose Width” an empty name."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth', 'head_ctrl_EarsSize'], {namePattern: 'Same'})",
         "The morphs “Nose Width” and “Ears Size” would both be named “Same”."},
        {"act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {namePattern: 'CloneGenesis8Female', headAndBody: false})",
         "The target figure already has a morph named “CloneGenesis8Female” (from the morph “Nose Width”)."},
        {"act.saveMorphAssets(null, ['CloneGenesis8Female'], {library: LIB})", "No figure to save the morphs of given."},
        {"act.saveMorphAssets(g9, ['CloneGenesis8Female'], {})", "No library to save into given (the option \"library\")."},
        {"act.saveMorphAssets(g9, ['CloneGenesis8Female'], {library: LIB + '/none'})", "The library “%1/none” is not a folder."},
        {"act.saveMorphAssets(g9, [], {library: LIB})", "No morphs to save given."},
        {"act.saveMorphAssets(g9, ['NoSuchMorph'], {library: LIB})", "The figure “Genesis 9” has no morph named “NoSuchMorph”."},
        {"act.saveMorphAssets(g9, ['CloneGenesis8Female'], {library: LIB, vendor: true})", "The option “vendor” must be a text."},
    };
    QString script = QStringLiteral(
                         "var src = Scene.findNodeByLabel('Genesis 8.1 Female'), g9 = Scene.findNodeByLabel('Genesis 9');\n"
                         "var act = MainWindow.getActionMgr().findAction('KvrConvertMorphsAction'), LIB = %1;\n"
                         "function state() { return Scene.getNumNodes() + ' ' + g9.getObject().getNumModifiers(); }\n"
                         "var before = state();\n")
                         .arg(scriptString(library.path()));
    for (const Case& c : aCases)
        script += QStringLiteral("print(%1.error);\n").arg(c.pcszCall);
    script += QStringLiteral("print(state() == before ? 'unchanged' : 'changed: ' + before + ' -> ' + state());\n");
    // What fits is made: a head and a body morph under the path asked for.
    script += QStringLiteral("var r = act.convertMorphs(src, g9, ['head_ctrl_NoseWidth'], {headAndBody: true, "
                             "propertyPath: '/Test/{source}'});\n"
                             "print(r.error + r.morphs.map(function (m) {\n"
                             "  return m + ' in ' + g9.getObject().findModifier(m).getValueControl().getPath(); }));\n");

    const StudioRun run = runStudio({"--scene", "Scenes/Sample Conversion.duf"}, script);
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    const QStringList lines = run.stdOut.split('\n');
    ASSERT_EQ(lines.size(), int(std::size(aCases)) + 3) << run.describe();
    for (size_t i = 0; i < std::size(aCases); ++i)
        EXPECT_EQ(lines[int(i)], QString::fromUtf8(aCases[i].pcszError).replace("%1", library.path())) << aCases[i].pcszCall;
    EXPECT_EQ(lines[int(std::size(aCases))], "unchanged");
    EXPECT_EQ(lines[int(std::size(aCases)) + 1],
              "Nose Width (G8.1F) Head in Test/G8.1F,Nose Width (G8.1F) Body in Test/G8.1F");
    EXPECT_TRUE(filesBelow(library.path()).isEmpty());
    // Each refused batch is one log line, as a failed batch from the menu is.
    EXPECT_EQ(run.logLinesStartingWith("TkKVR: Could not convert morphs: ").size(), 13) << run.describe();
}

// The main job of converting morphs one by one, on the small content: its report has its lines,
// the worst morph within the conversion's bounds, and three pictures of different morphs.
TEST(MorphLibrary, MainJobOfMorphsReportsTimesWorstFidelityAndThreePictures)
{
    QTemporaryDir pictures;
    const MainJobRun job = runSmallMainJob({"--morphs"}, pictures.path());
    const QString& out = job.stdOut;
    ASSERT_EQ(job.exitCode, 0) << out.toStdString() << job.stdErr.toStdString();

    const char* const apcszLines[] = {
        "(\\d+) morphs of the Genesis 8\\.1 Female converted onto the Genesis 9: \\1 new morphs, 0 skipped .*",
        "  per morph: median \\d+\\.\\d, min \\d+\\.\\d, max \\d+\\.\\d",
        "  shared first step \\(fit suit with every morph\\): \\d+\\.\\d",
        "  in all, the batch call from start to end: \\d+",
        "  morph-3\\.png",
    };
    for (const char* pcszLine : apcszLines)
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1$").arg(pcszLine), QRegularExpression::MultilineOption)
                        .match(out)
                        .hasMatch())
            << pcszLine << "\n" << out.toStdString();
    const QRegularExpression worst(QStringLiteral("^  worst by (largest distance|root mean square): .+ \\(G8\\.1F\\), "
                                                  "largest [0-9.]+ cm \\(([0-9.]+) %\\), root mean square [0-9.]+ cm "
                                                  "\\(([0-9.]+) %\\)$"),
                                   QRegularExpression::MultilineOption);
    int cWorst = 0;
    for (auto it = worst.globalMatch(out); it.hasNext(); ++cWorst) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_LT(match.captured(2).toDouble(), 100 * fMaxRelativeBound) << match.captured(0).toStdString();
        EXPECT_LT(match.captured(3).toDouble(), 100 * fRmsRelativeBound) << match.captured(0).toStdString();
        EXPECT_GT(match.captured(2).toDouble(), 0.0) << match.captured(0).toStdString();
    }
    EXPECT_EQ(cWorst, 2) << out.toStdString();

    QList<QImage> shots;
    for (const char* pcszPicture : {"morph-1.png", "morph-2.png", "morph-3.png"}) {
        shots << QImage(pictures.filePath(pcszPicture));
        EXPECT_EQ(shots.back().size(), QSize(800, 900)) << pcszPicture;
    }
    EXPECT_NE(shots[0], shots[1]);
    EXPECT_NE(shots[1], shots[2]);
}
