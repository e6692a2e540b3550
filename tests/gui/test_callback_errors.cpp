#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QTest>
#include <stdexcept>

#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "gui_test_helpers.h"
#include "test_app.h"
#include "tv_ctl_checkbox.h"
#include "tv_ctl_slider.h"
#include "tv_gui_check_radio.h"
#include "tv_timer.h"

// A callback that throws inside a Qt slot must not reach Qt's event loop (which would end the
// host): the user sees one critical box naming the kind of handler, and the widget keeps working.
namespace {

void failing() { throw std::runtime_error("the figure is gone"); }

bool sawOneBoxFor(const MessageBoxCloser& closer, const char* pcszWhere)
{
    return closer.seen.size() == 1 && closer.seen[0].text.contains(QString("Unhandled exception in ") + pcszWhere)
           && closer.seen[0].text.contains("The figure is gone.");
}

} // namespace

TEST(CallbackErrors, ADialWhoseHandlerThrowsKeepsWorking)
{
    TestApp app;
    DzFloatProperty property("Height");
    property.setMinMax(0.0f, 1.0f);
    tav::FloatPropertySetting setting(&property);
    QWidget window;
    auto* pLayout = new QHBoxLayout(&window);
    int cCalls = 0;
    tav::FloatSliderController controller(pLayout, nullptr, &setting, "", 0, [&](const float&) {
        ++cCalls;
        failing();
    });

    MessageBoxCloser closer;
    EXPECT_NO_THROW(controller.setWidgetValue(0.5f));
    EXPECT_TRUE(sawOneBoxFor(closer, "dial handler"));
    EXPECT_EQ(app.logLinesContaining("Unhandled exception in dial handler").size(), 1);
    controller.setWidgetValue(0.7f);
    EXPECT_EQ(cCalls, 2);
}

TEST(CallbackErrors, CheckBoxHandlersThatThrowAreReported)
{
    TestApp app;
    QCheckBox plain("Plain"), bound("Bound");
    tav::CheckBox checkBox;
    checkBox.init(&plain, false, [](bool) { failing(); });
    tav::SettingBase<bool> setting(false);
    tav::CheckBoxController controller(&bound, &setting, "", [](const bool&) { failing(); });

    MessageBoxCloser closer;
    EXPECT_NO_THROW(plain.setChecked(true));
    EXPECT_TRUE(sawOneBoxFor(closer, "check box handler"));
    closer.seen.clear();
    EXPECT_NO_THROW(bound.setChecked(true));
    EXPECT_TRUE(sawOneBoxFor(closer, "check box handler"));
}

TEST(CallbackErrors, ATimerCallbackThatThrowsIsReportedFromTheEventLoop)
{
    TestApp app;
    MessageBoxCloser closer;
    tav::Timer timer;
    timer.startOneshot(1, failing);
    ASSERT_EVENTUALLY(!closer.seen.empty());
    EXPECT_TRUE(sawOneBoxFor(closer, "timer handler"));
}
