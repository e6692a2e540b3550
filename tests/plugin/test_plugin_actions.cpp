#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

TEST(PluginActions, EachActionSitsInTheConvertMenuWithItsTextsAndAccelerator)
{
    struct Expected {
        std::shared_ptr<DzAction> pAction;
        const char* pcszText;
        const char* pcszDescription;  // null: not checked
        const char* pcszAccel;
    };
    const Expected expected[] = {
        {std::make_shared<KvrConvertFigureAction>(), "Convert selected Genesis 3 / 8 / 8.1 &figure...",
         "Converts the morphs in the selected Genesis 3/8/8.1 figure to the selected G9 figure.", "Ctrl+Alt+C"},
        {std::make_shared<KvrConvertMorphsAction>(), "Convert selected Genesis 3 / 8 / 8.1 &morphs one by one...",
         nullptr, "Ctrl+Alt+M"},
        {std::make_shared<KvrOpenManualAction>(), "Open Kelvaro PDF manual",
         "Opens the PDF user manual for Tavrenik's Kelvaro", ""},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(e.pAction->text(), QString::fromLatin1(e.pcszText));
        if (e.pcszDescription)
            EXPECT_EQ(e.pAction->getDescription(), QString::fromLatin1(e.pcszDescription));
        EXPECT_EQ(e.pAction->getDefaultMenuPath(), QStringLiteral("Co&nvert"));
        EXPECT_EQ(e.pAction->getActionGroup(), QStringLiteral("Tavrenik's Kelvaro"));
        EXPECT_EQ(e.pAction->getDefaultAccel(), QKeySequence(QString::fromLatin1(e.pcszAccel))) << e.pcszText;
    }
}

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

// With nothing selected, each command says so in one box and brackets its job in scope lines,
// and may run again at once.
TEST(PluginActions, ACommandOnNothingSelectedIsOneBoxBetweenItsScopeLines)
{
    struct Case {
        std::shared_ptr<DzAction> pAction;
        const char* pcszBoxHas;
        const char* pcszScope;
    };
    const Case cases[] = {
        {std::make_shared<KvrConvertFigureAction>(), "Could not convert figure.", "KvrConverter::exec_X()"},
        {std::make_shared<KvrConvertMorphsAction>(), "Could not convert morphs.", "execConvertMorphs_X()"},
    };
    for (const Case& c : cases) {
        TestApp app;
        MessageBoxCloser boxes;
        c.pAction->trigger();
        ASSERT_EQ(boxes.seen.size(), 1u) << c.pcszScope;
        EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(boxes.seen[0].text.contains(QString::fromLatin1(c.pcszBoxHas))) << boxes.seen[0].text.toStdString();
        EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("You must select two figures"))) << boxes.seen[0].text.toStdString();
        const QStringList texts = app.logLinesContaining(QString());
        const int iEntering = texts.indexOf(QStringLiteral("TkKVR: Entering %1").arg(c.pcszScope));
        ASSERT_GE(iEntering, 0) << texts.join(QLatin1Char(10)).toStdString();
        EXPECT_GT(texts.indexOf(QStringLiteral("TkKVR: Leaving %1").arg(c.pcszScope)), iEntering);
        c.pAction->trigger();
        EXPECT_EQ(app.logLinesContaining(QStringLiteral("TkKVR: Leaving ")).size(), 2);
    }
}

TEST(PluginManual, PathTitlesAreUtf8)
{
    EXPECT_EQ(tav::daz::PdfManualPath(QStringLiteral("D:/Docs"), "K\xC3\xA9lvaro"),
              QString::fromUtf8("D:/Docs/Plugins/K\xC3\xA9lvaro/K\xC3\xA9lvaro Manual.pdf"));
}

// A missing manual is one box naming its full path; a present one reaches the host as
// "file:///" and the path, unescaped.
TEST(PluginManual, TheActionOpensTheInstalledManualOrNamesWhereItIsMissing)
{
    for (const bool bInstalled : {false, true}) {
        QTemporaryDir docs;
        DzAppOptions options = TestApp::defaultOptions();
        options.docPath = docs.path();
        TestApp app(options);
        const QString path =
            docs.path() + QStringLiteral("/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");
        if (bInstalled) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("%PDF-1.4\n");
        }
        MessageBoxCloser boxes;
        KvrOpenManualAction().trigger();

        const QString missing =
            QStringLiteral("The file %1 does not exist. Did you install the plugin correctly?").arg(path);
        EXPECT_EQ(app->lastShownUrl(), bInstalled ? QStringLiteral("file:///") + path : QString());
        EXPECT_EQ(app.logLinesContaining(QStringLiteral("TkKVR: ")),
                  bInstalled ? QStringList()
                             : QStringList{QStringLiteral("TkKVR: Critical error message box in Tavrenik's Kelvaro "
                                                          "V1.0.5: Could not open PDF file: ")
                                           + missing});
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
        ASSERT_EQ(boxes.seen.size(), bInstalled ? 0u : 1u);
        if (!bInstalled) {
            EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Critical);
            EXPECT_EQ(boxes.seen[0].caption, QString::fromUtf8(pcszCriticalCaption));
            EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("Could not open PDF file.")));
            EXPECT_TRUE(boxes.seen[0].text.contains(missing)) << boxes.seen[0].text.toStdString();
        }
    }
}

} // namespace
