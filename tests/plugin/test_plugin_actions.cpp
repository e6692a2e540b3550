#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <stdexcept>

#include "kvr_actions.h"
#include "test_app.h"
#include "../gui/gui_test_helpers.h"
#include "tv_daz-helpers-manual.h"
#include "tv_exception.h"

namespace {

const char* const pcszCriticalCaption = "Error \xE2\x80\x94 Tavrenik's Kelvaro V1.0.5";

// What a job's failure becomes: one critical box and its log line, nothing for a cancel.
TEST(PluginActions, AJobsFailureIsOneCriticalBoxAndOneLogLineAndACancelIsNeither)
{
    struct Case {
        const char* pcszWhat;
        std::function<void()> fail;
        const char* pcszBoxHas;  // null: no box
        const char* pcszLogged;  // null: no log line
    };
    const Case cases[] = {
        {"cancel", [] { throw tav::CanceledException(); }, nullptr, nullptr},
        {"product error", [] { throw tav::Exception("failed to find {}", "DzObjExporter"); },
         "<p><b>Could not convert figure.</b></p>\n<p>Failed to find DzObjExporter.</p>",
         "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: failed to "
         "find DzObjExporter"},
        {"standard error", [] { throw std::runtime_error("disk full"); }, "<p>Disk full.</p>",
         "TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not convert figure: disk full"},
    };
    for (const Case& c : cases) {
        TestApp app;
        MessageBoxCloser boxes;
        bool bRan = false;
        KvrConvertFigureAction::runJobReportingFailure(
            [&](QWidget*) {
                bRan = true;
                c.fail();
            },
            nullptr);
        QApplication::processEvents();
        EXPECT_TRUE(bRan);
        ASSERT_EQ(boxes.seen.size(), c.pcszBoxHas ? 1u : 0u) << c.pcszWhat;
        if (c.pcszBoxHas) {
            EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
            EXPECT_EQ(boxes.seen[0].caption, QString::fromUtf8(pcszCriticalCaption));
            EXPECT_TRUE(boxes.seen[0].text.contains(QString::fromLatin1(c.pcszBoxHas))) << boxes.seen[0].text.toStdString();
        }
        EXPECT_EQ(app.logLinesContaining(QString()),
                  c.pcszLogged ? QStringList{QString::fromLatin1(c.pcszLogged)} : QStringList())
            << c.pcszWhat;
    }
    // What is not an exception passes through.
    EXPECT_THROW(KvrConvertFigureAction::runJobReportingFailure([](QWidget*) { throw 42; }, nullptr), int);
}

// With nothing selected, the morphs command says so in one box and brackets its job in scope
// lines, and may run again at once.
TEST(PluginActions, ACommandOnNothingSelectedIsOneBoxBetweenItsScopeLines)
{
    TestApp app;
    MessageBoxCloser boxes;
    KvrConvertMorphsAction action;
    action.trigger();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Could not convert morphs."))) << boxes.seen[0].text.toStdString();
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("You must select two figures"))) << boxes.seen[0].text.toStdString();
    const QStringList texts = app.logLinesContaining(QString());
    const int iEntering = texts.indexOf(QStringLiteral("TkKVR: Entering execConvertMorphs_X()"));
    ASSERT_GE(iEntering, 0) << texts.join(QLatin1Char(10)).toStdString();
    EXPECT_GT(texts.indexOf(QStringLiteral("TkKVR: Leaving execConvertMorphs_X()")), iEntering);
    action.trigger();
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("TkKVR: Leaving ")).size(), 2);
}

TEST(PluginManual, PathTitlesAreUtf8)
{
    EXPECT_EQ(tav::daz::PdfManualPath(QStringLiteral("D:/Docs"), "K\xC3\xA9lvaro"),
              QString::fromUtf8("D:/Docs/Plugins/K\xC3\xA9lvaro/K\xC3\xA9lvaro Manual.pdf"));
}

// A missing manual is one box naming its full path, and its log line.
TEST(PluginManual, TheActionNamesWhereTheManualIsMissing)
{
    QTemporaryDir docs;
    DzAppOptions options = TestApp::defaultOptions();
    options.docPath = docs.path();
    TestApp app(options);
    MessageBoxCloser boxes;
    KvrOpenManualAction().trigger();

    const QString missing = QStringLiteral("The file %1 does not exist. Did you install the plugin correctly?")
                                .arg(docs.path() + "/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");
    EXPECT_EQ(app->lastShownUrl(), QString());
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("TkKVR: ")),
              QStringList{"TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: Could not open PDF file: "
                          + missing});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.seen[0].caption, QString::fromUtf8(pcszCriticalCaption));
    EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Could not open PDF file.")));
    EXPECT_TRUE(boxes.seen[0].text.contains(missing)) << boxes.seen[0].text.toStdString();
}

} // namespace
