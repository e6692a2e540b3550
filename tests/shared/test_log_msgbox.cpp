#include <gtest/gtest.h>

#include <QFile>

#include "../gui/gui_test_helpers.h"
#include "test_app.h"
#include "tv_assert.h"
#include "tv_log.h"
#include "tv_msgbox.h"

using namespace tav;

namespace {

TEST(Log, EachLineIsPrefixedAndInTheFileAtOnce)
{
    TestApp app;
    Log("Converting \xc3\xa9t\xc3\xa9");
    EXPECT_EQ(app.logLinesContaining(QString()).last(), QString::fromUtf8("TkKVR: Converting \xc3\xa9t\xc3\xa9"));
    QFile file(app->logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("TkKVR: Converting \xc3\xa9t\xc3\xa9\n"));
}

// A box without a parent of its own: a critical one takes the host's dialog parent, an
// information one none. Only a critical box asked to log does.
TEST(MessageBoxes, ParentTitleAndLogFollowTheKindOfBox)
{
    TestApp app;
    app->startup();  // gives the host a main window to parent dialogs to
    MessageBoxCloser boxes;
    CriticalErrorMessageBox("t", "m", nullptr, false);
    InformationMessageBox("morphs saved", "3 files written <i>ok</i>", nullptr);
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].pParent, app->getDialogParent());
    EXPECT_EQ(boxes.seen[1].pParent, nullptr);
    EXPECT_EQ(boxes.seen[1].caption, QStringLiteral("Tavrenik's Kelvaro V1.0.5"));
    EXPECT_EQ(boxes.seen[1].text, QStringLiteral("<p><b>Morphs saved.</b></p>\n<p>3 files written <i>ok</i></p>"));
    EXPECT_EQ(boxes.seen[1].icon, QMessageBox::Information);
    EXPECT_TRUE(app.logLinesContaining(QStringLiteral("TkKVR:")).isEmpty());
}

TEST(Assertions, AHoldingAssertionIsQuietAndAFailedOneThrowsItsPlace)
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

} // namespace
