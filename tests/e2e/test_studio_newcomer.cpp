#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "studio_run.h"

// What a first try from a plain terminal meets: no display, no platform chosen, no desktop
// session (no XDG_RUNTIME_DIR, no application to open files with).
namespace {

const QString kSample = QStringLiteral("Scenes/Sample Conversion.duf");

StudioRun runWithoutDisplay(const QStringList& args, const QString& script = QString())
{
    return runStudio(args, script, 60, StudioTerminal::Bare);
}

} // namespace

TEST(StudioNewcomer, HelpVersionAndUsageErrorsNeedNoDisplay)
{
    const StudioRun help = runWithoutDisplay({"--help"});
    EXPECT_EQ(help.exitCode, 0) << help.stdErr.toStdString();
    for (const char* option : {"Usage:", "--headless", "--scene", "--script", "--screenshot", "--version"})
        EXPECT_TRUE(help.stdOut.contains(option)) << option;

    const StudioRun version = runWithoutDisplay({"--version"});
    EXPECT_TRUE(QRegularExpression("^studio \\d+\\.\\d+\\.\\d+\\.\\d+\\n$").match(version.stdOut).hasMatch())
        << version.stdOut.toStdString();

    // Usage errors are reported as such, display or not: the option at fault and what it wants.
    const std::pair<QStringList, const char*> wrongs[] = {
        {{"--no-such-option"}, "no-such-option"},
        {{"--answer", "no-equals-sign"}, "TITLE=BUTTON"},
        {{"--dialog-timeout", "soon"}, "number of seconds"},
    };
    for (const auto& [args, said] : wrongs) {
        const StudioRun wrong = runWithoutDisplay(args);
        EXPECT_EQ(wrong.exitCode, 2) << said;
        EXPECT_TRUE(wrong.stdErr.contains(said)) << wrong.stdErr.toStdString();
    }
}

TEST(StudioNewcomer, AWindowWithoutADisplayIsRefusedInOneLineThatNamesTheWaysOut)
{
    const StudioRun run = runWithoutDisplay({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.stdOut.isEmpty());
    EXPECT_EQ(run.stdErr.count('\n'), 1) << run.stdErr.toStdString();
    for (const char* text : {"DISPLAY", "--headless", "--screenshot"})
        EXPECT_TRUE(run.stdErr.contains(text)) << run.stdErr.toStdString();
}

// The window a user would see, drawn without a display: the scene loaded, the panes laid out,
// and nothing from Qt on the terminal.
TEST(StudioNewcomer, AScreenshotDrawsTheLaidOutWindowWithoutADisplay)
{
    QTemporaryDir out;
    const QString picture = out.filePath("deeper/studio.png");
    // The script's selection rebuilds the dials just before the picture is taken.
    const StudioRun run = runWithoutDisplay({"--scene", kSample, "--select", "Genesis 9", "--screenshot", picture},
                                          "Scene.setPrimarySelection(Scene.findNodeByLabel('Genesis 8.1 Female'));\n");
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdErr, "");
    const QImage image(picture);
    ASSERT_EQ(image.size(), QSize(1280, 800));
    // The view draws the figures lit against its dark background, not an empty window.
    const QColor background = image.pixelColor(640, 60);
    int cLitPixels = 0;
    for (int y = 100; y < 600; y += 4)
        for (int x = 300; x < 900; x += 4)
            cLitPixels += image.pixelColor(x, y).lightness() > background.lightness() + 60;
    EXPECT_GT(cLitPixels, 500);
    // The Parameters pane, right of the view, shows dials: dark text in its lower part.
    int cTextPixels = 0;
    for (int y = 300; y < 740; y += 2)
        for (int x = 930; x < 1250; x += 2)
            cTextPixels += image.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(cTextPixels, 200);
    // Their value fields have room for a line of text: white boxes as tall as one.
    int iLongestWhite = 0;
    for (int y = 300, iRun = 0; y < 740; ++y) {
        iRun = image.pixelColor(1184, y).lightness() > 250 ? iRun + 1 : 0;
        iLongestWhite = std::max(iLongestWhite, iRun);
    }
    EXPECT_GE(iLongestWhite, 18);

    const StudioRun unwritable = runWithoutDisplay({"--screenshot", "/proc/studio.png"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.stdErr.contains("/proc/studio.png")) << unwritable.stdErr.toStdString();
}

// Without an application for PDF files, the manual's place is told in a box, and the plug-in's
// "file:///" + path reaches the desktop as a proper file URL.
TEST(StudioNewcomer, AManualNoApplicationCanOpenIsShownInABox)
{
    const QString manual = QStringLiteral(KVR_BUILD_DIR "/docs/Plugins/Kelvaro for Genesis 9/"
                                          "Kelvaro for Genesis 9 Manual.pdf");
    ASSERT_TRUE(QFile::exists(manual)) << "the manual is not built";
    QTemporaryDir out;
    const StudioRun run = runWithoutDisplay(
        {"--doc-path", KVR_BUILD_DIR "/docs", "--answer", "Could not open=OK", "--screenshot",
         out.filePath("studio.png")},
        "MainWindow.getActionMgr().findAction('KvrOpenManualAction').trigger();\n");
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_TRUE(run.logContains("Message box \"Could not open\": ")) << run.describe();
    EXPECT_TRUE(run.logContains("<b>" + manual + "</b>")) << run.describe();
    EXPECT_EQ(run.stdErr, "");
}

TEST(StudioNewcomer, MyLibraryLeadsTheContentLibrariesUnlessLeftOut)
{
    const QString script = "print(App.getContentMgr().getContentDirectoryPath(0));\n";
    const StudioRun run = runWithoutDisplay({"--headless"}, script);
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdOut.endsWith("/My Library\n")) << run.stdOut.toStdString();
    const StudioRun without = runWithoutDisplay({"--headless", "--no-user-library"}, script);
    EXPECT_EQ(without.stdOut, KVR_CONTENT_DIR "\n");
}
TEST(StudioNewcomer, AScriptRendersTheViewToAPictureOfTheAskedSize)
{
    QTemporaryDir out;
    const QString framed = out.filePath("genesis9.png");
    const QString whole = out.filePath("scene.png");
    const QString script = QStringLiteral(
        "var view = MainWindow.getViewportMgr().getActiveViewport().get3DViewport();\n"
        "print(view.renderToFile('%1', 320, 200));\n"
        "var g9 = Scene.findNodeByLabel('Genesis 9');\n"
        "print(view.setViewDirection('three-quarter'), view.frameNodes([g9]));\n"
        "print(view.renderToFile('%2', 200, 300));\n"
        "print(view.setScalarOverlay(g9, [0.5, 1.0], 1.0, 'cm', 'Too few values'));\n"
        "print(view.renderToFile('%3', 0, 10));\n")
                               .arg(whole, framed, out.filePath("empty.png"));
    const StudioRun run =
        runStudio({"--scene", "Scenes/Sample Conversion.duf"}, script);
    ASSERT_EQ(run.exitCode, 0) << run.stdErr.toStdString();
    EXPECT_EQ(run.stdOut, "true\ntrue true\ntrue\nfalse\nfalse\n");

    const QImage scene(whole);
    EXPECT_EQ(scene.size(), QSize(320, 200));
    const QImage figure(framed);
    ASSERT_EQ(figure.size(), QSize(200, 300));
    // The framed figure stands in the middle; the corners are background.
    EXPECT_NE(figure.pixel(100, 150), figure.pixel(100, 2));
    EXPECT_EQ(figure.pixel(2, 2), figure.pixel(197, 2));
    EXPECT_FALSE(QFile::exists(out.filePath("empty.png")));
}
