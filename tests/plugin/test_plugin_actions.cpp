#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <stdexcept>

#include "kvr_actions.h"
#include "test_app.h"
#include "../gui/gui_test_helpers.h"
#include "tv_daz-helpers-manual.h"
#include "tv_exception.h"

namespace {

const char* const pcszCriticalCaption = "Error \xE2\x80\x94 Tavrenik's Kelvaro V1.0.5";

TEST(PluginActions, BothActionsSitInTheConvertMenuWithTheirTextsAndAccelerators)
{
    KvrConvertFigureAction convert;
    KvrOpenManualAction manual;
    struct Expected {
        DzAction* pAction;
        const char* pcszText;
        const char* pcszDescription;
        QKeySequence accel;
    };
    const Expected expected[] = {
        {&convert, "Convert selected Genesis 3 / 8 / 8.1 &figure...",
         "Converts the morphs in the selected Genesis 3/8/8.1 figure to the selected G9 figure.",
         QKeySequence(QStringLiteral("Ctrl+Alt+C"))},
        {&manual, "Open Kelvaro PDF manual", "Opens the PDF user manual for Tavrenik's Kelvaro", QKeySequence()},
    };
    for (const Expected& e : expected) {
        EXPECT_EQ(e.pAction->text(), QString::fromLatin1(e.pcszText));
        EXPECT_EQ(e.pAction->getDescription(), QString::fromLatin1(e.pcszDescription));
        EXPECT_EQ(e.pAction->getDefaultMenuPath(), QStringLiteral("Co&nvert"));
        EXPECT_EQ(e.pAction->getActionGroup(), QStringLiteral("Tavrenik's Kelvaro"));
        EXPECT_EQ(e.pAction->getDefaultAccel(), e.accel) << e.pcszText;
    }
}

class ConvertFailureTest : public ::testing::Test {
protected:
    QStringList logTexts() const
    {
        QStringList texts;
        for (const QString& line : _app->logLines())
            texts << logLineText(line);
        return texts;
    }

    TestApp _app;
    MessageBoxCloser _boxes;
};

TEST_F(ConvertFailureTest, CancellationEndsTheJobWithoutBoxOrLogLine)
{
    bool bRan = false;
    KvrConvertFigureAction::runJobReportingFailure(
        [&](QWidget*) {
            bRan = true;
            throw tav::CanceledException();
        },
        nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(bRan);
    EXPECT_TRUE(_boxes.seen.empty());
    EXPECT_TRUE(logTexts().isEmpty()) << logTexts().join('\n').toStdString();
}

TEST_F(ConvertFailureTest, FailureShowsOneCriticalBoxAndLogsIt)
{
    KvrConvertFigureAction::runJobReportingFailure(
        [](QWidget*) { throw tav::Exception("failed to find {}", "DzObjExporter"); }, nullptr);

    ASSERT_EQ(_boxes.seen.size(), 1u);
    EXPECT_EQ(_boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(_boxes.seen[0].caption, QString::fromUtf8(pcszCriticalCaption));
    EXPECT_TRUE(_boxes.seen[0].text.contains(QStringLiteral("Could not convert figure.")));
    EXPECT_TRUE(_boxes.seen[0].text.contains(QStringLiteral("Failed to find DzObjExporter.")));
    EXPECT_EQ(logTexts(),
              QStringList{QStringLiteral("TkKVR: Critical error message box in Tavrenik's Kelvaro "
                                         "V1.0.5: Could not convert figure: failed to find "
                                         "DzObjExporter")});
}

TEST_F(ConvertFailureTest, AnyStandardExceptionIsReportedButOthersPassThrough)
{
    KvrConvertFigureAction::runJobReportingFailure(
        [](QWidget*) { throw std::runtime_error("disk full"); }, nullptr);
    ASSERT_EQ(_boxes.seen.size(), 1u);
    EXPECT_TRUE(_boxes.seen[0].text.contains(QStringLiteral("Disk full.")));

    EXPECT_THROW(KvrConvertFigureAction::runJobReportingFailure([](QWidget*) { throw 42; }, nullptr),
                 int);
    EXPECT_EQ(_boxes.seen.size(), 1u);
}

TEST_F(ConvertFailureTest, TriggeringTheActionBracketsTheJobInScopeLines)
{
    KvrConvertFigureAction action;
    action.trigger();
    const QStringList texts = logTexts();
    const int iEntering = texts.indexOf(QStringLiteral("TkKVR: Entering KvrConverter::exec_X()"));
    const int iLeaving = texts.indexOf(QStringLiteral("TkKVR: Leaving KvrConverter::exec_X()"));
    ASSERT_GE(iEntering, 0) << texts.join('\n').toStdString();
    EXPECT_GT(iLeaving, iEntering);
    // The action may be triggered again at once.
    action.trigger();
    EXPECT_EQ(logTexts().count(QStringLiteral("TkKVR: Leaving KvrConverter::exec_X()")), 2);
}

TEST(PluginManual, PathTitlesAreUtf8)
{
    EXPECT_EQ(tav::daz::PdfManualPath(QStringLiteral("D:/Docs"), "K\xC3\xA9lvaro"),
              QString::fromUtf8("D:/Docs/Plugins/K\xC3\xA9lvaro/K\xC3\xA9lvaro Manual.pdf"));
}

class ManualActionTest : public ::testing::Test {
protected:
    ManualActionTest() : _app(optionsWithDocs()) {}

    DzAppOptions optionsWithDocs()
    {
        DzAppOptions options = TestApp::defaultOptions();
        options.docPath = _docs.path();
        return options;
    }

    QString manualPath() const
    {
        return _docs.path() + QStringLiteral("/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf");
    }

    void installManual() const
    {
        QDir().mkpath(QFileInfo(manualPath()).path());
        QFile file(manualPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }

    QTemporaryDir _docs;
    TestApp _app;
    MessageBoxCloser _boxes;
};

TEST_F(ManualActionTest, MissingManualShowsOneBoxNamingTheFullPath)
{
    KvrOpenManualAction action;
    action.trigger();

    const QString expectedMessage =
        QStringLiteral("The file %1 does not exist. Did you install the plugin correctly?").arg(manualPath());
    ASSERT_EQ(_boxes.seen.size(), 1u);
    EXPECT_EQ(_boxes.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(_boxes.seen[0].caption, QString::fromUtf8(pcszCriticalCaption));
    EXPECT_TRUE(_boxes.seen[0].text.contains(QStringLiteral("Could not open PDF file.")));
    EXPECT_TRUE(_boxes.seen[0].text.contains(expectedMessage)) << _boxes.seen[0].text.toStdString();
    EXPECT_EQ(_app.logLinesContaining(QStringLiteral("TkKVR: ")),
              QStringList{QStringLiteral("TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: "
                                         "Could not open PDF file: ")
                          + expectedMessage});
    EXPECT_TRUE(_app->lastShownUrl().isEmpty());
}

TEST_F(ManualActionTest, PresentManualIsOpenedAsAFileUrlWithoutEscaping)
{
    installManual();
    KvrOpenManualAction action;
    action.trigger();

    EXPECT_TRUE(_boxes.seen.empty());
    EXPECT_EQ(_app->lastShownUrl(), QStringLiteral("file:///") + manualPath());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
    EXPECT_TRUE(_app.logLinesContaining(QStringLiteral("TkKVR: ")).isEmpty());
}

} // namespace
