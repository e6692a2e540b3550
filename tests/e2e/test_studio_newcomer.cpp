#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "studio_run.h"

namespace {

// What a first try from a plain terminal gets: no display and no platform chosen.
struct BareRun {
    int exitCode = -1;
    QString stdOut;
    QString stdErr;
};

BareRun runWithoutDisplay(const QStringList& args)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(variable));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KVR_STUDIO), QStringList{"--home", home.path()} + args);
    BareRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.stdOut = QString::fromUtf8(process.readAllStandardOutput());
    run.stdErr = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

TEST(StudioNewcomer, HelpAndVersionNeedNoDisplay)
{
    const BareRun help = runWithoutDisplay({"--help"});
    EXPECT_EQ(help.exitCode, 0) << help.stdErr.toStdString();
    for (const char* option : {"Usage:", "--headless", "--scene", "--script", "--version"})
        EXPECT_TRUE(help.stdOut.contains(option)) << option;

    const BareRun version = runWithoutDisplay({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.stdErr.toStdString();
    EXPECT_TRUE(QRegularExpression("^studio \\d+\\.\\d+\\.\\d+\\.\\d+\\n$").match(version.stdOut).hasMatch())
        << version.stdOut.toStdString();
}

TEST(StudioNewcomer, AWindowWithoutADisplayIsRefusedInOneLine)
{
    const BareRun run = runWithoutDisplay({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.stdOut.isEmpty());
    EXPECT_EQ(run.stdErr.count('\n'), 1) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdErr.contains("DISPLAY")) << run.stdErr.toStdString();
    EXPECT_TRUE(run.stdErr.contains("--headless")) << run.stdErr.toStdString();

    // A usage error is reported as such, display or not.
    const BareRun wrong = runWithoutDisplay({"--no-such-option"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.stdErr.contains("no-such-option")) << wrong.stdErr.toStdString();
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
