#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "studio_run.h"

// Headless studio runs: the command line, the scene, the script and the dialogs' answers.
namespace {

const char* const kQuestionScript =
    "var i = MessageBox.question('Values go past <b>their</b> limits &amp; more.',"
    " 'Preset Exceeds Limits', '&Accept', '&Cancel');\n"
    "print('pressed', i);\n";

const char* const kSample = "Scenes/Sample Conversion.duf";

struct RunCase {
    const char* name;
    QStringList args;
    QString script;  // null: none
    int exitCode;
    QString stdOut;     // exactly
    QString stdErrHas;  // a part of standard error ("" for anything)
    QString logHas;     // a part of a log line ("" for anything)
};
// Readable names in test listings.
void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }


const RunCase kRunCases[] = {
    {"ScriptPrintsAndExitsZero", {}, "print('hello', Scene.getNumNodes());\nprint('bye');\n", 0,
     "hello 0\nbye\n", "", ""},
    {"ThrowingScriptExitsOneWithItsLine", {},
     "print('start');\nvar x = 1;\nthrow new Error('broken here');\nprint('never');\n", 1, "start\n",
     ":3: Error: broken here", ""},
    {"NoScriptLoadsAndExits", {}, QString(), 0, "", "", ""},
    // Wildcards on both sides; mnemonics ignored in the button text; the box's text is logged.
    {"AnswerPressesTheNamedButton", {"--answer", "*Exceeds*=Cancel"}, kQuestionScript, 0, "pressed 1\n", "",
     "Message box \"Preset Exceeds Limits\": Values go past <b>their</b> limits &amp; more."},
    // An answer whose button the dialog lacks gives way to the next matching one; a title that
    // does not match is never answered.
    {"FirstAnswerWithTheButtonWins",
     {"--answer", "Preset=Cancel", "--answer", "Preset*=Retry", "--answer", "Preset*Limits=&Accept",
      "--answer", "*=Cancel"},
     kQuestionScript, 0, "pressed 0\n", "", "Answered dialog \"Preset Exceeds Limits\" with Accept"},
    {"CommandLineReachesTheApplication",
     {"--style", "Nightfall", "--doc-path", "/opt/docs", "--no-hd-morphs"},
     "print(App.getStyle().getStyleDefinition(), App.getDocumentationPath(),\n"
     "      App.getPluginMgr().findPlugin('Morph Loader Pro SubDivision Resolution'));\n"
     "App.showURL('file:///opt/docs/x.pdf');\n",
     0, "Nightfall /opt/docs null\n", "", "Opening URL: file:///opt/docs/x.pdf"},
    {"HdMorphSupportIsThereByDefault", {},
     "var p = App.getPluginMgr().findPlugin('Morph Loader Pro SubDivision Resolution');\n"
     "print(p.activated, p.status);\n",
     0, "true 0\n", "", ""},
    {"SceneOpensBeforeTheScript", {"--content-dir", KVR_CONTENT_DIR, "--scene", KVR_CONTENT_DIR "/Scenes/Sample Conversion.duf"},
     "print(Scene.findNodeByLabel('Genesis 9') !== null);\n", 0, "true\n", "", ""},
    // --select picks the figures a user would, the first as the primary selection; the scene's
    // path may be relative to the content libraries.
    {"SelectPicksTheNamedNodes",
     {"--content-dir", KVR_CONTENT_DIR, "--scene", kSample, "--select", "Genesis 9", "--select", "Genesis 8.1 Female"},
     "print(Scene.getNumSelectedNodes(), Scene.getPrimarySelection().getLabel());\n", 0, "2 Genesis 9\n", "",
     ""},
    {"SelectingAMissingNodeFails", {"--content-dir", KVR_CONTENT_DIR, "--scene", kSample, "--select", "Nobody"},
     "print('must not run');\n", 1, "", "Could not select Nobody", ""},
    {"AMissingSceneFails", {"--scene", "/nowhere/missing.duf", "--answer", "*=OK"}, "print('must not run');\n", 1,
     "", "Could not open scene /nowhere/missing.duf", ""},
};

class StudioRuns : public testing::TestWithParam<RunCase> {};

TEST_P(StudioRuns, Outcome)
{
    const RunCase& c = GetParam();
    QTemporaryDir noPlugins;
    const StudioRun run = runStudio(QStringList(c.args) << "--plugin-dir" << noPlugins.path(), c.script);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.describe();
    EXPECT_EQ(run.stdOut, c.stdOut) << run.describe();
    EXPECT_TRUE(run.stdErr.contains(c.stdErrHas)) << run.describe();
    EXPECT_TRUE(c.logHas.isEmpty() || run.logContains(c.logHas)) << run.describe();
}

INSTANTIATE_TEST_SUITE_P(Cases, StudioRuns, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<RunCase>& info) { return info.param.name; });

// What the terminal says of a dialog nobody answers: at once, and again when the run ends.
const QString kWaitingDialog = "Dialog \"Preset Exceeds Limits\":\n  Values go past their limits & more.\n"
                               "Buttons: Accept, Cancel. Press one with --answer \"Preset Exceeds Limits=Accept\".\n";

TEST(StudioDialogs, AWaitingDialogIsNamedAtOnceWithItsButtons)
{
    QTemporaryDir noPlugins;
    // Killed long before its 60 s timeout: the notice came without waiting for it.
    const StudioRun run = runStudio({"--plugin-dir", noPlugins.path(), "--dialog-timeout", "60",
                                     "--answer", "Other*=Accept"},
                                    kQuestionScript, 5);
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.stdErr, "studio: waiting for an answer; the run ends in 60 s without one.\n" + kWaitingDialog);
}

TEST(StudioDialogs, AnUnansweredModalDialogEndsTheRunWithStatusThree)
{
    QTemporaryDir noPlugins;
    const StudioRun run =
        runStudio({"--plugin-dir", noPlugins.path(), "--dialog-timeout", "1"}, kQuestionScript, 60);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.stdOut.isEmpty());
    EXPECT_TRUE(run.logContains("Dialog \"Preset Exceeds Limits\" left unanswered for 1 s: Values go past"))
        << run.describe();
    EXPECT_TRUE(run.stdErr.endsWith("studio: no answer came in 1 s; the run ends with status 3.\n" + kWaitingDialog))
        << run.describe();
}

} // namespace

namespace {

// A conversion as the README runs it: the terminal shows its steps and nothing else (no Qt
// noise, no notice of the dialogs the plug-in answers itself).
TEST(StudioDialogs, AnAnsweredConversionPrintsOnlyItsSteps)
{
    const StudioRun run = runStudio(
        {"--content-dir", KVR_CONTENT_DIR, "--scene", kSample, "--select", "Genesis 8.1 Female", "--select",
         "Genesis 9", "--answer", "Convert figure*=Convert", "--answer", "Conversion complete*=Close"},
        "MainWindow.getActionMgr().findAction('KvrConvertFigureAction').trigger();\nprocessEvents();\n");
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    const QStringList lines = run.stdErr.split('\n', Qt::SkipEmptyParts);
    EXPECT_GT(lines.size(), 10) << run.describe();
    for (const QString& line : lines)
        EXPECT_TRUE(line.startsWith('[')) << line.toStdString();
}

} // namespace
