#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QSignalSpy>

#include "../../host/src/app/dzqtmessagefilter.h"
#include "dzapp.h"
#include "dzcontentmgr.h"
#include "dzmainwindow.h"
#include "dzscene.h"
#include "dzstyle.h"
#include "test_app.h"
#include "test_files.h"

namespace {

QStringList readLines(const QString& path)
{
    return QString::fromUtf8(readFile(path)).split('\n', Qt::SkipEmptyParts);
}

} // namespace

// The globals live as long as the application; the dialog parent is the main window once
// there is one, which headless is never shown.
TEST(AppServices, GlobalsAndTheDialogParentFollowTheApplicationsLife)
{
    {
        TestApp app;
        EXPECT_EQ(dzApp, app.app());
        ASSERT_NE(dzScene, nullptr);
        EXPECT_EQ(dzScene, app->getScene());
        EXPECT_EQ(app->getDialogParent(), nullptr);
        EXPECT_EQ(app->getInterface(), nullptr);
        app->startup();
        ASSERT_NE(app->getInterface(), nullptr);
        EXPECT_EQ(app->getDialogParent(), app->getInterface());
        EXPECT_FALSE(app->getInterface()->isVisible());
    }
    EXPECT_EQ(dzApp, nullptr);
    EXPECT_EQ(dzScene, nullptr);
}

// Each line goes to memory and the file with an ISO stamp (logs of several sessions sort and
// read alike); a later session appends.
TEST(AppServices, LogWritesStampedLinesThatLaterSessionsAppendTo)
{
    QTemporaryDir home;
    DzAppOptions options = TestApp::defaultOptions();
    options.homeDir = home.path();
    DzApp(options).log("from the first session");
    DzApp app(options);
    QSignalSpy spy(&app, &DzApp::logged);
    app.log("TkKVR: second line with ünïcode");
    EXPECT_TRUE(app.flushLogBuffer());

    const QStringList inFile = readLines(app.logFilePath());
    ASSERT_EQ(inFile.size(), 2);
    EXPECT_EQ(logLineText(inFile[0]), "from the first session");
    EXPECT_EQ(inFile.mid(1), app.logLines());
    EXPECT_EQ(logLineText(inFile[1]), QString("TkKVR: second line with ünïcode"));
    const QString stamp = inFile[1].left(inFile[1].indexOf(' '));
    EXPECT_TRUE(QDateTime::fromString(stamp, Qt::ISODateWithMs).isValid()) << stamp.toStdString();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toString(), inFile[1]);
}

// Widgets draw with the application palette, so the style must hand out that one.
TEST(AppServices, TheDefaultStyleIsHighwayWithTheApplicationPaletteAndThereIsNoAuthor)
{
    TestApp app;
    EXPECT_EQ(app->getStyle()->getStyleDefinition(), "Highway");
    EXPECT_EQ(app->getStyle()->getColors(), QApplication::palette());
    EXPECT_FALSE(app->getCurrentAuthor().isValid());
}

// "My Library" in the home folder leads the content libraries when asked for, made when missing,
// and never listed twice; tests leave it out and keep the libraries they give.
TEST(AppServices, UserLibraryLeadsTheContentLibrariesWhenAskedFor)
{
    QTemporaryDir home;
    const QString library = home.filePath("My Library");
    struct Case {
        bool userLibrary;
        QStringList given;
        QStringList listed;
    };
    const Case cases[] = {
        {false, {"/c/one", "/c/two"}, {"/c/one", "/c/two"}},
        {true, {"/c/one", "/c/two"}, {library, "/c/one", "/c/two"}},
        {true, {"/c/one", library}, {library, "/c/one"}},
        {true, {}, {library}},
    };
    for (const Case& c : cases) {
        QDir(library).removeRecursively();
        DzAppOptions options = TestApp::defaultOptions();
        options.homeDir = home.path();
        options.userLibrary = c.userLibrary;
        options.contentDirs = c.given;
        DzApp app(options);
        EXPECT_EQ(app.getContentMgr()->contentDirectories(), c.listed) << c.given.join(", ").toStdString();
        EXPECT_EQ(QDir(library).exists(), c.userLibrary);
    }
}

// Qt's reports of a missing desktop session are dropped; other warnings pass, and so do the
// ones the host reports itself once it no longer does.
TEST(AppServices, QtNoiseIsDroppedAndRealWarningsPass)
{
    testing::internal::CaptureStderr();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-x'");
    qWarning("This plugin does not support propagateSizeHints()");
    qWarning("a real warning");
    {
        const DzQtWarningsReportedByHost reported;
        qWarning("Unable to detect a launcher for 'file:///x.pdf'");
    }
    qWarning("Unable to detect a launcher again");
    const QString printed = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(printed, "a real warning\nUnable to detect a launcher again\n");
}
