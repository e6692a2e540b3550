#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "gui_test_helpers.h"
#include "test_app.h"
#include "tv_dlg_action-box.h"
#include "tv_dlg_timed-notice.h"

namespace {

// Visible push buttons of a dialog, left to right.
std::vector<QPushButton*> visibleButtons(QWidget& dialog)
{
    std::vector<QPushButton*> buttons;
    for (QPushButton* pButton : dialog.findChildren<QPushButton*>())
        if (pButton->isVisible())
            buttons.push_back(pButton);
    return buttons;
}

TEST(ActionBox, AskActionReturnsWhatTheUserPressed)
{
    TestApp app;
    std::vector<size_t> buttonCounts;
    ModalAnswerer<tav::ActionBoxDialog> pressAction([&](tav::ActionBoxDialog& box) {
        buttonCounts.push_back(visibleButtons(box).size());
        QTest::mouseClick(box.actionButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(tav::askAction(nullptr, "Next step", "Go on?", "Continue", tav::ActionIsDefault, 1));
    EXPECT_TRUE(tav::askAction(nullptr, "Next step", "Go on?", "Continue", tav::ActionOnly, 2));
    EXPECT_EQ(buttonCounts, (std::vector<size_t>{2, 1}));
}

TEST(ActionBox, CancelAndEnterFollowTheDefaultMode)
{
    TestApp app;
    ModalAnswerer<tav::ActionBoxDialog> pressEnter(
        [](tav::ActionBoxDialog& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_FALSE(tav::askAction(nullptr, "Next step", "Go on?", "Continue", tav::CancelIsDefault, 0));
    EXPECT_TRUE(tav::askAction(nullptr, "Next step", "Go on?", "Continue", tav::ActionIsDefault, 0));
}

TEST(ActionBox, ShowsMessageTitleAndIcon)
{
    tav::ActionBoxDialog box(nullptr, tav::ActionBoxWarning, "Careful", "A <b>bold</b> message",
                             "Delete", tav::CancelIsDefault);
    EXPECT_EQ(box.messageLabel()->text(), QStringLiteral("A <b>bold</b> message"));
    EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Careful \u2014 Tavrenik's Kelvaro V1.0.5 (2023-06-22)"));
    ASSERT_NE(box.iconLabel(), nullptr);
    EXPECT_FALSE(box.iconLabel()->pixmap(Qt::ReturnByValue).isNull());
    EXPECT_TRUE(box.cancelButton()->isDefault());
    EXPECT_FALSE(box.actionButton()->isDefault());

    tav::ActionBoxDialog untitled(nullptr, tav::ActionBoxNoIcon, "", "Plain", "OK", tav::ActionIsDefault);
    EXPECT_EQ(untitled.iconLabel(), nullptr);
    EXPECT_EQ(untitled.windowTitle(), QStringLiteral("Tavrenik's Kelvaro V1.0.5 (2023-06-22)"));
}

TEST(TimedNotice, DeletesItselfAfterItsDelay)
{
    QPointer<tav::TimedNoticeBox> pBox = new tav::TimedNoticeBox(nullptr, "Saved", "All done");
    pBox->showFor(30);
    EXPECT_TRUE(pBox->isVisible());
    EXPECT_EQ(pBox->messageLabel()->text(), QStringLiteral("All done"));
    ASSERT_EVENTUALLY(pBox.isNull());
}

} // namespace
