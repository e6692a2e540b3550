#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <stdexcept>

#include "kvr_actions.h"
#include "test_app.h"
#include "test_plugin_shell_boxes.h"
#include "tv_daz-helpers-manual.h"
#include "tv_exception.h"

namespace {

const char* const pcszCriticalCaption = "Error \xE2\x80\x94 Tavrenik's Kelvaro V1.0.5";

TEST(PluginActions, ConvertActionTextsPlaceItInTheConvertMenu)
{
    KvrConvertFigureAction action;
    EXPECT_EQ(action.text(), QStringLiteral("Convert selected Genesis 3 / 8 / 8.1 &figure..."));
    EXPECT_EQ(action.getDescription(),
              QStringLiteral("Converts the morphs in the selected Genesis 3/8/8.1 figure to the "
                             "selected G9 figure."));
    EXPECT_EQ(action.getDefaultMenuPath(), QStringLiteral("Co&nvert"));
    EXPECT_EQ(action.getActionGroup(), QStringLiteral("Tavrenik's Kelvaro"));
    EXPECT_EQ(action.getDefaultAccel(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    EXPECT_EQ(action.getDefaultAccel().toString(QKeySequence::PortableText), QStringLiteral("Ctrl+Alt+C"));
}

TEST(PluginActions, ManualActionTextsAndNoAccelerator)
{
    KvrOpenManualAction action;
    EXPECT_EQ(action.text(), QStringLiteral("Open Kelvaro PDF manual"));
    EXPECT_EQ(action.getDescription(), QStringLiteral("Opens the PDF user manual for Tavrenik's Kelvaro"));
    EXPECT_EQ(action.getDefaultMenuPath(), QStringLiteral("Co&nvert"));
    EXPECT_EQ(action.getActionGroup(), QStringLiteral("Tavrenik's Kelvaro"));
    EXPECT_TRUE(action.getDefaultAccel().isEmpty());
}

TEST(PluginActions, BothActionsAnswerToTheirBaseClassNames)
{
    KvrConvertFigureAction convert;
    KvrOpenManualAction manual;
    for (DzAction* pAction : {static_cast<DzAction*>(&convert), static_cast<DzAction*>(&manual)}) {
        EXPECT_EQ(pAction->qt_metacast("KvrActionBase"), static_cast<void*>(static_cast<KvrActionBase*>(pAction)));
        EXPECT_NE(pAction->qt_metacast("DzAction"), nullptr);
        EXPECT_TRUE(pAction->inherits("QAction"));
    }
    EXPECT_NE(convert.qt_metacast("KvrConvertFigureAction"), nullptr);
    EXPECT_EQ(convert.qt_metacast("KvrOpenManualAction"), nullptr);
    EXPECT_NE(manual.qt_metacast("KvrOpenManualAction"), nullptr);
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
    ShellBoxCloser _boxes;
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

TEST(PluginManual, PathLiesBelowTheDocumentationFolder)
{
    EXPECT_EQ(tav::daz::PdfManualPath(QStringLiteral("/opt/docs"), "Kelvaro for Genesis 9"),
              QStringLiteral("/opt/docs/Plugins/Kelvaro for Genesis 9/Kelvaro for Genesis 9 Manual.pdf"));
    // Titles are UTF-8.
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
    ShellBoxCloser _boxes;
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
    EXPECT_TRUE(_app->lastShownUrl().contains(QStringLiteral("Kelvaro for Genesis 9 Manual.pdf")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor is restored";
    EXPECT_TRUE(_app.logLinesContaining(QStringLiteral("TkKVR: ")).isEmpty());
}

} // namespace
