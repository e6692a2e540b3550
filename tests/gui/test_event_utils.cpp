#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>
#include <tuple>

#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_timer.h"

namespace {

TEST(ToolButtons, ToolTipFormsAndMenu)
{
    const std::tuple<const char*, const char*, QString> cases[] = {
        {"", "Just %{text}%", QString::fromUtf8("Just \u201Ctext\u201D")},
        {"", "", QString()},
        {"Last", "", QStringLiteral("<b>Last</b>")},
        {"Magic", "Does %PLUGINNAME% things", QStringLiteral("<b>Magic:</b> Does Tavrenik's Kelvaro things")},
    };
    for (const auto& [pcszTitle, pcszToolTip, expected] : cases) {
        QToolButton button;
        button.setText(QStringLiteral("x"));
        tav::setUpToolButton(&button, pcszTitle, pcszToolTip);
        EXPECT_EQ(button.toolTip(), expected) << pcszTitle << pcszToolTip;
        EXPECT_TRUE(button.text().isEmpty());
    }

    QMenu menu;
    QHBoxLayout row;
    std::unique_ptr<QToolButton> pButton(tav::makeToolButton(&row, QIcon(), "Magic", "", &menu));
    EXPECT_EQ(pButton->menu(), &menu);
    EXPECT_EQ(pButton->popupMode(), QToolButton::InstantPopup);
    EXPECT_EQ(row.count(), 1);
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
