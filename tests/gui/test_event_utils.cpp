#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "gui_test_helpers.h"
#include "test_app.h"
#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_timer.h"

namespace {

TEST(ButtonHandler, AThrowingOrEmptyHandlerShowsOneBoxAndTheButtonKeepsWorking)
{
    TestApp app;
    QPushButton button(QStringLiteral("Go"));
    button.show();
    int runs = 0;
    tav::ButtonHandler handler;
    handler.init(&button, [&] {
        ++runs;
        throw std::runtime_error("x");
    });

    MessageBoxCloser closer;
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(closer.seen.size(), 1u);
    EXPECT_EQ(closer.seen[0].caption, QString::fromUtf8("Error \u2014 Tavrenik's Kelvaro V1.0.5"));
    EXPECT_TRUE(closer.seen[0].text.contains(QStringLiteral("Unhandled exception in button handler")));
    EXPECT_TRUE(closer.seen[0].text.contains(QStringLiteral("X.")));
    EXPECT_EQ(app.logLinesContaining(QStringLiteral("Unhandled exception in button handler")).size(), 1);

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(closer.seen.size(), 2u);

    // A button without a handler is reported too, not fatal.
    QPushButton empty(QStringLiteral("Go"));
    tav::ButtonHandler emptyHandler;
    emptyHandler.init(&empty, nullptr, "Runs %%");
    EXPECT_EQ(empty.toolTip(), QString::fromUtf8("Runs <b>\u201CGo\u201D</b>"));
    empty.click();
    EXPECT_EQ(closer.seen.size(), 3u);
}

TEST(ButtonHandlerList, InsertsIconButtonsAtTheGivenPlace)
{
    QWidget window;
    auto* phorz = new QHBoxLayout(&window);
    phorz->addWidget(new QLabel(QStringLiteral("Name")));
    tav::HostColours colours = tav::readHostColours();
    tav::ButtonHandlerList handlers(&colours);
    int clicks = 0;
    QToolButton* pHelp = handlers.addToolButton(
        phorz, ":/bootstrap/24/question-square.png", [&] { ++clicks; }, "Help",
        "Opens the tool's PDF manual in your system's default PDF viewer.", 0);
    QToolButton* pLast = handlers.addToolButton(phorz, ":/none.png", [&] { clicks += 10; }, "Last", "", -1);
    EXPECT_EQ(phorz->itemAt(0)->widget(), pHelp);
    EXPECT_EQ(phorz->itemAt(2)->widget(), pLast);
    EXPECT_EQ(pHelp->toolTip(),
              QStringLiteral("<b>Help:</b> Opens the tool's PDF manual in your system's default PDF viewer."));
    EXPECT_EQ(pLast->toolTip(), QStringLiteral("<b>Last</b>"));
    EXPECT_TRUE(pHelp->text().isEmpty());
    window.show();
    QTest::mouseClick(pHelp, Qt::LeftButton);
    QTest::mouseClick(pLast, Qt::LeftButton);
    EXPECT_EQ(clicks, 11);
}

TEST(ToolButtons, ToolTipFormsAndMenu)
{
    QToolButton plain;
    tav::setUpToolButton(&plain, "", "Just %{text}%");
    EXPECT_EQ(plain.toolTip(), QString::fromUtf8("Just \u201Ctext\u201D"));

    QToolButton none;
    tav::setUpToolButton(&none, "", "");
    EXPECT_TRUE(none.toolTip().isEmpty());

    QMenu menu;
    QHBoxLayout row;
    QToolButton* pButton = tav::makeToolButton(&row, QIcon(), "Magic", "Does %PLUGINNAME% things", &menu);
    EXPECT_EQ(pButton->toolTip(), QStringLiteral("<b>Magic:</b> Does Tavrenik's Kelvaro things"));
    EXPECT_EQ(pButton->menu(), &menu);
    EXPECT_EQ(pButton->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(row.count(), 1);
    delete pButton;
}

TEST(Timer, OneShotDropsCallsWhilePending)
{
    tav::Timer timer;
    std::vector<int> runs;
    timer.startOneshot(50, [&] { runs.push_back(1); });
    timer.startOneshot(10, [&] { runs.push_back(2); });
    EXPECT_TRUE(timer.isPending());
    EXPECT_TRUE(runs.empty());
    // Had the second call not been dropped, 2 would come first and runs never be just {1}.
    ASSERT_EVENTUALLY(runs == std::vector<int>{1});
    EXPECT_FALSE(timer.isPending());

    // Idle again before the callback runs, so a callback may chain the next shot.
    timer.startOneshot(5, [&] {
        runs.push_back(3);
        timer.startOneshot(5, [&] { runs.push_back(4); });
    });
    ASSERT_EVENTUALLY(runs == (std::vector<int>{1, 3, 4}));
}

TEST(Timer, RepeatRunsUntilDestroyed)
{
    int runs = 0;
    {
        tav::Timer timer;
        timer.startRepeat(10, [&] { ++runs; });
        ASSERT_EVENTUALLY(runs >= 2);
    }
    const int seen = runs;
    // Five periods with nothing: the destroyed timer does not run again.
    QTest::qWait(50);
    EXPECT_EQ(runs, seen);
}

TEST(GuiSleep, KeepsEventsFlowingWhileWaiting)
{
    tav::GuiSleep sleeper;
    bool fired = false;
    QTimer::singleShot(5, [&] { fired = true; });
    sleeper.sleep(40);
    EXPECT_TRUE(fired);
}

TEST(WidgetTree, FindPushButtonsStopsAtAButton)
{
    QWidget root;
    auto* pOuter = new QPushButton(QStringLiteral("outer"), &root);
    new QPushButton(QStringLiteral("inner"), pOuter);
    auto* pPanel = new QWidget(&root);
    auto* pDeep = new QPushButton(QStringLiteral("deep"), pPanel);
    std::vector<QPushButton*> found;
    tav::findPushButtons(&root, found);
    EXPECT_EQ(found, (std::vector<QPushButton*>{pOuter, pDeep}));
}

TEST(WidgetTree, ClickButtonAnimatesThenClicks)
{
    QPushButton button;
    QSignalSpy spy(&button, SIGNAL(clicked()));
    tav::clickButton(&button);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(spy.wait(1000));
}

TEST(WidgetTree, LayoutWalkAndVisibility)
{
    QWidget panel;
    auto* pvert = new QVBoxLayout(&panel);
    auto* pA = new QLabel(QStringLiteral("a"));
    pvert->addWidget(pA);
    pvert->addStretch();
    auto* phorz = new QHBoxLayout();
    pvert->addLayout(phorz);
    auto* pB = new QLabel(QStringLiteral("b"));
    phorz->addWidget(pB);
    auto* pGroup = new QGroupBox();
    auto* pInner = new QLabel(QStringLiteral("inner"), pGroup);
    new QVBoxLayout(pGroup);
    pGroup->layout()->addWidget(pInner);
    phorz->addWidget(pGroup);

    std::vector<QWidget*> visited;
    tav::forEachWidgetInLayout(pvert, [&](QWidget& w) { visited.push_back(&w); });
    EXPECT_EQ(visited, (std::vector<QWidget*>{pA, pB, pGroup}));

    panel.show();
    tav::setVisibleWithLayout(&panel, false);
    EXPECT_TRUE(pA->isHidden());
    EXPECT_TRUE(pGroup->isHidden());
    EXPECT_FALSE(pInner->isHidden());  // inside a child widget: left alone
    tav::setVisibleWithLayout(&panel, true);
    EXPECT_TRUE(pA->isVisible());
    EXPECT_TRUE(pB->isVisible());
}

TEST(Connections, ConnectClickedWithoutSlotOnlySetsToolTip)
{
    QPushButton button(QStringLiteral("Save"));
    QObject receiver;
    tav::connectClicked(&button, &receiver, nullptr, "Press %%");
    EXPECT_EQ(button.toolTip(), QString::fromUtf8("Press <b>\u201CSave\u201D</b>"));
    EXPECT_FALSE(tav::connectOrDisconnect(&button, SIGNAL(clicked()), &receiver, SLOT(deleteLater()), false));

    tav::CheckableGroupBox binder;
    QGroupBox group;
    std::vector<bool> toggles;
    binder.init(&group, false, [&](bool b) { toggles.push_back(b); });
    EXPECT_TRUE(group.isCheckable());
    group.setChecked(true);
    EXPECT_EQ(toggles, std::vector<bool>{true});
}

} // namespace
