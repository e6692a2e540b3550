#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "qt_wait.h"
#include <memory>

#include "tv_clickaway.h"

namespace {

// How long a watcher that stopped is given to show it really stopped: a few of its 300 ms
// ticks. Everything a running watcher does is waited for by its outcome instead.
constexpr int kStoppedWatcherMs = 900;
// A click is animated for 100 ms before it lands.
constexpr int kClickAnimationMs = 200;

// A shown, non-modal stand-in for a host dialog; the buttons sit in a nested frame, as in a
// designer form.
struct FakeDialog {
    std::unique_ptr<QDialog> dialog;
    std::vector<QPushButton*> buttons;
    std::vector<std::unique_ptr<QSignalSpy>> clicks;

    FakeDialog(const QString& objectName, const QString& title, const QStringList& buttonTexts = {})
        : dialog(new QDialog)
    {
        dialog->setObjectName(objectName);
        dialog->setWindowTitle(title);
        auto* frame = new QWidget(dialog.get());
        auto* layout = new QHBoxLayout(frame);
        for (const QString& text : buttonTexts) {
            auto* button = new QPushButton(text, frame);
            layout->addWidget(button);
            buttons.push_back(button);
            clicks.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
        }
        dialog->show();
    }

    bool isOpen() const { return dialog->isVisible(); }
    // Indices of the buttons that were clicked.
    std::vector<int> clicked() const
    {
        std::vector<int> result;
        for (size_t i = 0; i < clicks.size(); ++i)
            if (clicks[i]->count() > 0)
                result.push_back(int(i));
        return result;
    }
};

const QStringList kPresetButtons = {"Keep Limits", "Ignore Limits"};

} // namespace

TEST(Clickaway, ClosesOrAnswersEachKnownDialogOpenedAfterIt)
{
    for (bool bFirstButton : {false, true}) {
        tav::Clickaway clickaway(bFirstButton);
        FakeDialog missing("MissingAssetsDialog", "Missing Files", {"OK"});
        FakeDialog error("", "Error opening file");
        FakeDialog duplicate("", "Duplicate Formulas Found");
        FakeDialog limits("", "Preset Exceeds Limits", kPresetButtons);
        FakeDialog dformer("DzDFormPresetLoadOptionsDlg",
                           "D-Former Load Options - G9 HeadSplit DFormer.duf", {"Cancel", "Accept"});
        ASSERT_EVENTUALLY(!missing.isOpen() && !error.isOpen() && !duplicate.isOpen() && !limits.clicked().empty()
                    && !dformer.clicked().empty());

        EXPECT_FALSE(missing.isOpen());
        EXPECT_TRUE(missing.clicked().empty());
        EXPECT_FALSE(error.isOpen());
        EXPECT_FALSE(duplicate.isOpen());
        EXPECT_EQ(limits.clicked(), std::vector<int>({bFirstButton ? 0 : 1}));
        EXPECT_EQ(dformer.clicked(), std::vector<int>({1}));
    }
}

// Windows open before it, and their twins, are left; so are windows that only look like the
// known ones.
TEST(Clickaway, LeavesWindowsThatWereOpenBeforeAndLookAlikesAlone)
{
    FakeDialog before("MissingAssetsDialog", "Missing Files");
    FakeDialog limitsBefore("", "Preset Exceeds Limits", kPresetButtons);
    tav::Clickaway clickaway(false);
    FakeDialog twin("MissingAssetsDialog", "Missing Files");
    FakeDialog threeButtons("", "Preset Exceeds Limits", {"Keep Limits", "Ignore Limits", "Help"});
    FakeDialog untitled("MissingAssetsDialog", "");
    FakeDialog wrongName("SomeOtherDialog", "Missing Files");
    FakeDialog namedError("ErrorDlg", "Error opening file");
    FakeDialog wrongDFormerName("DFormOptions", "D-Former Load Options - x.duf", {"Accept"});
    FakeDialog wrongDFormerTitle("DzDFormPresetLoadOptionsDlg", "d-former load options", {"Accept"});
    FakeDialog noAccept("DzDFormPresetLoadOptionsDlg", "D-Former Load Options", {"OK", "Cancel"});
    FakeDialog marker("", "Error opening file");
    ASSERT_EVENTUALLY(!marker.isOpen());  // a tick has passed every window
    QTest::qWait(kClickAnimationMs);  // a wrong click would land this long after its tick

    EXPECT_TRUE(before.isOpen());
    EXPECT_TRUE(twin.isOpen());
    EXPECT_TRUE(limitsBefore.clicked().empty());
    EXPECT_TRUE(threeButtons.clicked().empty());
    EXPECT_TRUE(untitled.isOpen());
    EXPECT_TRUE(wrongName.isOpen());
    EXPECT_TRUE(namedError.isOpen());
    EXPECT_TRUE(wrongDFormerName.clicked().empty());
    EXPECT_TRUE(wrongDFormerTitle.clicked().empty());
    EXPECT_TRUE(noAccept.clicked().empty());
    EXPECT_TRUE(noAccept.isOpen());
}

TEST(Clickaway, StopsWhenDestroyed)
{
    auto clickaway = std::make_unique<tav::Clickaway>(false);
    clickaway.reset();
    FakeDialog error("", "Error opening file");
    QTest::qWait(kStoppedWatcherMs);
    EXPECT_TRUE(error.isOpen());
}
