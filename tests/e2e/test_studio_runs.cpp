#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

#include "studio_run.h"

namespace {

const QString kNoPlugins = "--plugin-dir";

// A folder without plug-ins, so these runs test the studio alone.
QStringList withoutPlugins(QStringList args, const QTemporaryDir& empty)
{
    args << kNoPlugins << empty.path();
    return args;
}

const char* const kQuestionScript =
    "var i = MessageBox.question('Values go past their limits.', 'Preset Exceeds Limits',"
    " '&Accept', '&Cancel');\n"
    "print('pressed', i);\n";

} // namespace

TEST(StudioRuns, ScriptPrintsAndExitsZero)
{
    QTemporaryDir empty;
    const StudioRun run = runStudio(withoutPlugins({}, empty),
                                    "print('hello', Scene.getNumNodes());\nprint('bye');\n");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "hello 0\nbye\n");
}

TEST(StudioRuns, ThrowingScriptExitsOneWithItsLine)
{
    QTemporaryDir empty;
    const StudioRun run = runStudio(withoutPlugins({}, empty),
                                    "print('start');\nvar x = 1;\nthrow new Error('broken here');\n"
                                    "print('never');\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.stdOut, "start\n");
    EXPECT_TRUE(run.stdErr.contains(":3: ")) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdErr.contains("broken here")) << run.stdErr.toStdString();
}

TEST(StudioRuns, HeadlessWithoutScriptLoadsAndExits)
{
    QTemporaryDir empty;
    const StudioRun run = runStudio(withoutPlugins({}, empty));
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_TRUE(QFile::exists(run.home + "/log.txt"));
}

TEST(StudioRuns, AnswersPressTheButtonOfTheFirstMatchingTitle)
{
    QTemporaryDir empty;
    // Wildcards on both sides; mnemonics ignored in the button text.
    StudioRun run = runStudio(withoutPlugins({"--answer", "*Exceeds*=Cancel"}, empty),
                              kQuestionScript);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "pressed 1\n");
    EXPECT_TRUE(run.logContains("Message box \"Preset Exceeds Limits\": Values go past their limits."));

    // An answer whose button the dialog lacks gives way to the next matching one; a title that
    // does not match is never answered.
    run = runStudio(withoutPlugins({"--answer", "Preset=Cancel", "--answer", "Preset*=Retry",
                                    "--answer", "Preset*Limits=&Accept", "--answer", "*=Cancel"},
                                   empty),
                    kQuestionScript);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "pressed 0\n");
}

TEST(StudioRuns, UnansweredModalDialogEndsTheRunWithStatusThree)
{
    QTemporaryDir empty;
    const StudioRun run = runStudio(
        withoutPlugins({"--dialog-timeout", "1", "--answer", "Other*=Accept"}, empty),
        kQuestionScript, 60);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.stdOut.isEmpty());
    EXPECT_TRUE(run.logContains("Preset Exceeds Limits")) << run.logLines.join('\n').toStdString();
    EXPECT_TRUE(run.logContains("unanswered")) << run.logLines.join('\n').toStdString();
    EXPECT_TRUE(run.stdErr.contains("Values go past their limits.")) << run.stdErr.toStdString();
}

TEST(StudioRuns, LibraryWithoutEntryPointsIsRefusedAndTheRunGoesOn)
{
    QTemporaryDir plugins;
    const QString source = QLibraryInfo::location(QLibraryInfo::LibrariesPath) + "/libz.so.1";
    ASSERT_TRUE(QFile::copy(source, plugins.path() + "/libbogus.so"));
    const StudioRun run = runStudio({kNoPlugins, plugins.path()}, "print('still running');\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "still running\n");
    EXPECT_TRUE(run.logContains("Refused plug-in " + plugins.path() + "/libbogus.so"))
        << run.logLines.join('\n').toStdString();
}

TEST(StudioRuns, HdMorphSupportPluginFollowsTheCommandLine)
{
    QTemporaryDir empty;
    const QString script =
        "var p = App.getPluginMgr().findPlugin('Morph Loader Pro SubDivision Resolution');\n"
        "print(p === null ? 'absent' : [p.activated, p.status].join(' '));\n";
    StudioRun run = runStudio(withoutPlugins({}, empty), script);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "true 0\n");
    run = runStudio(withoutPlugins({"--no-hd-morphs"}, empty), script);
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "absent\n");
}

TEST(StudioRuns, CommandLineReachesTheApplication)
{
    QTemporaryDir empty;
    const StudioRun run = runStudio(
        withoutPlugins({"--style", "Nightfall", "--author", "Ada", "--doc-path", "/opt/docs"},
                       empty),
        "print(App.getStyle().getStyleDefinition(), App.getDocumentationPath());\n"
        "App.showURL('file:///opt/docs/x.pdf');\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "Nightfall /opt/docs\n");
    EXPECT_TRUE(run.logContains("Opening URL: file:///opt/docs/x.pdf"));
}

TEST(StudioRuns, BadCommandLineIsAUsageError)
{
    const StudioRun run = runStudio({"--answer", "no-equals-sign"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.stdErr.contains("TITLE=BUTTON"));
}

TEST(StudioRuns, SceneFileOpensBeforeTheScript)
{
    const QString sample = QStringLiteral(KVR_CONTENT_DIR "/Scenes/Sample Conversion.duf");
    ASSERT_TRUE(QFile::exists(sample)) << "the bundled content is not built";
    QTemporaryDir empty;
    StudioRun run = runStudio(
        withoutPlugins({"--content-dir", KVR_CONTENT_DIR, "--scene", sample}, empty),
                              "print(Scene.findNodeByLabel('Genesis 9') !== null);\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "true\n");

    // A path relative to the content libraries works too.
    run = runStudio(withoutPlugins({"--content-dir", KVR_CONTENT_DIR, "--scene",
                                    "Scenes/Sample Conversion.duf"}, empty),
                    "print(Scene.findNodeByLabel('Genesis 8.1 Female') !== null);\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "true\n");

    // --select picks the figures a user would, the first as the primary selection.
    run = runStudio(withoutPlugins({"--content-dir", KVR_CONTENT_DIR, "--scene", "Scenes/Sample Conversion.duf",
                                    "--select", "Genesis 9", "--select", "Genesis 8.1 Female"},
                                   empty),
                    "print(Scene.getNumSelectedNodes(), Scene.getPrimarySelection().getLabel());\n");
    EXPECT_EQ(run.stdOut, "2 Genesis 9\n") << run.stdErr.toStdString();
    run = runStudio(withoutPlugins({"--content-dir", KVR_CONTENT_DIR, "--scene", "Scenes/Sample Conversion.duf",
                                    "--select", "Nobody"},
                                   empty),
                    "print('must not run');\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.stdErr.contains("Could not select Nobody")) << run.stdErr.toStdString();

    run = runStudio(withoutPlugins({"--scene", empty.path() + "/missing.duf", "--answer", "*=OK"},
                                   empty),
                    "print('must not run');\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.stdOut.isEmpty());
    EXPECT_TRUE(run.stdErr.contains("missing.duf")) << run.stdErr.toStdString();
}

TEST(StudioRuns, ProductPluginActionsStandInTheirMenu)
{
    ASSERT_TRUE(QFile::exists(QStringLiteral(KVR_PLUGIN_DIR "/TK_kelvaro.so"))) << "the plug-in is not built";
    const StudioRun run = runStudio(
        {}, "var m = MainWindow.getActionMgr();\n"
            "var c = m.findAction('KvrConvertFigureAction');\n"
            "print(c.text, '|', c.shortcut, '|', m.findAction('KvrOpenManualAction').text);\n");
    EXPECT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut,
              "Convert selected Genesis 3 / 8 / 8.1 &figure... | Ctrl+Alt+C | Open Kelvaro PDF "
              "manual\n");
    EXPECT_TRUE(run.logContains("Loaded plug-in Tavrenik's Kelvaro"));
}
