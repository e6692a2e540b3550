#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

#include "test_app_home.h"
#include "tv_assert.h"
#include "tv_log.h"
#include "tv_msgbox.h"
#include "tv_str.h"

using namespace tav;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
};

// Watches for message boxes while `show` runs, records each and presses its OK button.
std::vector<SeenBox> AnswerBoxesDuring(const std::function<void()>& show)
{
    std::vector<SeenBox> seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox || !pBox->isVisible())
                continue;
            seen.push_back({pBox->windowTitle(), pBox->text(), pBox->icon(), pBox->parentWidget()});
            pBox->button(QMessageBox::Ok)->click();
        }
    });
    poll.start();
    show();
    return seen;
}

} // namespace

using LogTest = AppHomeTest;
using MessageBoxTest = AppHomeTest;

TEST_F(LogTest, EachLineIsPrefixedAndInTheFileAtOnce)
{
    Log("Converting \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(loggedTexts().last(), QString::fromUtf8("TkKVR: Converting \xc3\xa9t\xc3\xa9"));
    QFile file(_app->logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("TkKVR: Converting \xc3\xa9t\xc3\xa9\n"));
}

TEST_F(LogTest, ScopeIsClosedAlsoWhenUnwinding)
{
    EXPECT_THROW(
        {
            ScopeLog scope("KvrConverter::exec_X()");
            Log("working");
            throw std::runtime_error("failed");
        },
        std::runtime_error);
    EXPECT_EQ(loggedTexts().mid(loggedTexts().size() - 3),
              (QStringList{"TkKVR: Entering KvrConverter::exec_X()", "TkKVR: working",
                           "TkKVR: Leaving KvrConverter::exec_X()"}));
}

TEST_F(MessageBoxTest, CriticalBoxLogsTheEventAndShowsOneBox)
{
    const auto seen = AnswerBoxesDuring([] {
        CriticalErrorMessageBox("Could not convert figure", "failed to find DzObjExporter", nullptr,
                                true);
    });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, QString::fromUtf8("Error \xe2\x80\x94 Tavrenik's Kelvaro V1.0.5"));
    EXPECT_EQ(seen[0].text, QStringLiteral("<p><b>Could not convert figure.</b></p>\n"
                                           "<p>Failed to find DzObjExporter.</p>"));
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(loggedTexts().filter(QStringLiteral("Critical error")),
              QStringList{"TkKVR: Critical error message box in Tavrenik's Kelvaro V1.0.5: "
                          "Could not convert figure: failed to find DzObjExporter"});
}

TEST_F(MessageBoxTest, CriticalBoxWithoutLoggingOrParentUsesTheDialogParent)
{
    _app->startup();  // gives the host a main window to parent dialogs to
    const int cLinesBefore = loggedTexts().filter(QStringLiteral("TkKVR:")).size();
    const auto seen = AnswerBoxesDuring([] { CriticalErrorMessageBox("t", "m", nullptr, false); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].parent, _app->getDialogParent());
    EXPECT_EQ(loggedTexts().filter(QStringLiteral("TkKVR:")).size(), cLinesBefore);
}

TEST_F(MessageBoxTest, InformationBoxKeepsItsParentAndNeverLogs)
{
    _app->startup();
    const auto seen = AnswerBoxesDuring(
        [] { InformationMessageBox("morphs saved", "3 files written <i>ok</i>", nullptr); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Tavrenik's Kelvaro V1.0.5"));
    EXPECT_EQ(seen[0].text,
              QStringLiteral("<p><b>Morphs saved.</b></p>\n<p>3 files written <i>ok</i></p>"));
    EXPECT_EQ(seen[0].icon, QMessageBox::Information);
    EXPECT_EQ(seen[0].parent, nullptr);
    EXPECT_TRUE(loggedTexts().filter(QStringLiteral("TkKVR:")).isEmpty());
}

TEST_F(LogTest, AHoldingAssertionIsQuietAndAFailedOneThrowsItsPlace)
{
    int cEvaluations = 0;
    TV_ASSERT(++cEvaluations == 1);
    EXPECT_EQ(cEvaluations, 1);
    // The product's own handling, not the tests' (where an assertion fails the test).
    const tav::AssertionHandler testHandler = tav::SetAssertionHandler(nullptr);
    try {
        TV_ASSERT_AT(false, "it != mapSteps.end()", "kvr_convert-figure", 266);
        ADD_FAILURE() << "nothing thrown";
    } catch (const tav::AssertionFailure& failure) {
        EXPECT_STREQ(failure.what(), "assertion failed: it != mapSteps.end(), file kvr_convert-figure, line 266");
    }
    tav::SetAssertionHandler(testHandler);
}
