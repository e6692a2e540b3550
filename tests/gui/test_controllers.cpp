#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <vector>

#include "dzappsettings.h"
#include "test_app.h"
#include "tv_app_settings.h"
#include "tv_ctl_checkbox.h"
#include "tv_gui_check_radio.h"

namespace {

enum class Kind : uint64_t { Full = 1, Head = 2, Body = 4 };

const QString kSettingsPath = QStringLiteral("Tavrenik's Kelvaro");
const QString kLeft = QString::fromUtf8("\u201C");
const QString kRight = QString::fromUtf8("\u201D");

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() : _store(kSettingsPath)
    {
        _pvert = new QVBoxLayout(&_window);
    }

    template <typename W>
    W* add(const QString& text)
    {
        auto* pWidget = new W(text, &_window);
        _pvert->addWidget(pWidget);
        return pWidget;
    }

    void show()
    {
        _window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&_window));
    }

    TestApp _app;
    DzAppSettings _store;
    QWidget _window;
    QVBoxLayout* _pvert;
};

TEST_F(ControllerTest, CheckBoxControllerWritesOnlyChangedValuesOnCommit)
{
    tav::BoolAppSetting setting(&_store, "keep_source", true);
    std::vector<bool> toggles;
    auto* pchk = add<QCheckBox>(QStringLiteral("Keep source"));
    tav::CheckBoxController controller(pchk, &setting, "Tick %% to keep it.",
                                       [&](const bool& b) { toggles.push_back(b); });
    show();
    EXPECT_TRUE(pchk->isChecked());
    EXPECT_EQ(pchk->toolTip(), QStringLiteral("Tick <b>") + kLeft + QStringLiteral("Keep source") +
                                   kRight + QStringLiteral("</b> to keep it."));

    // resetToDefault on a box already showing the default: no toggle, no callback.
    controller.resetToDefault();
    EXPECT_TRUE(toggles.empty());

    QTest::mouseClick(pchk, Qt::LeftButton);
    EXPECT_EQ(toggles, std::vector<bool>{false});

    int listenerRuns = 0;
    setting.addListener([&] { ++listenerRuns; });
    controller.commit();
    EXPECT_EQ(listenerRuns, 1);
    EXPECT_FALSE(_store.getBoolValue(QStringLiteral("keep_source"), true));

    controller.resetToDefault();
    EXPECT_TRUE(pchk->isChecked());
    EXPECT_EQ(toggles, (std::vector<bool>{false, true}));
}

TEST_F(ControllerTest, RadioGroupReportsEachSwitchOnce)
{
    tav::RadioGroup<Kind> group;
    auto* pFull = add<QRadioButton>(QStringLiteral("Full"));
    auto* pHead = add<QRadioButton>(QStringLiteral("Head"));
    auto* pBody = add<QRadioButton>(QStringLiteral("Body"));
    group.addButton(Kind::Full, pFull);
    group.addButton(Kind::Head, pHead);
    group.addButton(Kind::Body, pBody);
    std::vector<Kind> reported;
    group.bind(Kind::Head, [&](Kind k) { reported.push_back(k); }, "Pick ``one''");
    show();

    EXPECT_TRUE(pHead->isChecked());
    EXPECT_EQ(pBody->toolTip(), QStringLiteral("Pick ") + kLeft + QStringLiteral("one") + kRight);

    QTest::mouseClick(pHead, Qt::LeftButton);  // already current
    EXPECT_TRUE(reported.empty());
    QTest::mouseClick(pBody, Qt::LeftButton);
    QTest::mouseClick(pFull, Qt::LeftButton);
    EXPECT_EQ(reported, (std::vector<Kind>{Kind::Body, Kind::Full}));
    EXPECT_EQ(group.current(), Kind::Full);
}

TEST_F(ControllerTest, FlagSetControllerCommitsTheCheckedBoxes)
{
    using Flags = tav::FlagSet<Kind>;
    tav::FlagAppSetting<Kind> setting(&_store, "morph_kinds", Flags(6));
    tav::FlagSetController<Kind> controller(&setting);
    auto* pFull = add<QCheckBox>(QStringLiteral("Full"));
    auto* pHead = add<QCheckBox>(QStringLiteral("Head"));
    auto* pBody = add<QCheckBox>(QStringLiteral("Body"));
    controller.addCheckBox(Kind::Full, pFull);
    controller.addCheckBox(Kind::Head, pHead);
    controller.addCheckBox(Kind::Body, pBody);
    int toggles = 0;
    controller.bind([&](bool) { ++toggles; });
    show();

    QTest::mouseClick(pHead, Qt::LeftButton);
    QTest::mouseClick(pBody, Qt::LeftButton);
    EXPECT_EQ(toggles, 2);
    controller.commit();
    // All unchecked: the empty set is stored, not the default.
    EXPECT_TRUE(_store.hasKey(QStringLiteral("morph_kinds")));
    EXPECT_EQ(_store.getIntValue(QStringLiteral("morph_kinds"), -1), 0);

    controller.resetToDefault();
    EXPECT_TRUE(pHead->isChecked());
    EXPECT_TRUE(pBody->isChecked());
    EXPECT_EQ(controller.checkedFlags(), Flags(6));
}

} // namespace
