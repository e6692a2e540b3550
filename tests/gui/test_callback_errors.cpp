#include <gtest/gtest.h>

#include "qt_wait.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "gui_test_helpers.h"
#include "test_app.h"
#include "tv_ctl_checkbox.h"
#include "tv_ctl_slider.h"
#include "tv_gui_button.h"
#include "tv_gui_check_radio.h"
#include "tv_timer.h"

// A callback that throws inside a Qt slot must not reach Qt's event loop (which would end the
// host): each time, the user sees one critical box naming the kind of handler, the log says so
// once, and the widget keeps working.
namespace {

// Every kind of handler the plug-in binds, all throwing on every call.
struct ThrowingWidgets {
    ThrowingWidgets()
    {
        plainCheck.init(&plain, false, [this](bool) { fail(); });
        button.init(&pushButton, [this] { fail(); });
        emptyButton.init(&emptyPushButton, nullptr);  // an empty handler is reported, not fatal
    }

    void fail()
    {
        ++cCalls;
        throw std::runtime_error("the figure is gone");
    }

    int cCalls = 0;
    DzFloatProperty property{QStringLiteral("Height")};
    tav::FloatPropertySetting dialSetting{&property};
    QWidget window;
    tav::FloatSliderController dial{new QHBoxLayout(&window), nullptr, &dialSetting, "", 0,
                                    [this](const float&) { fail(); }};
    QCheckBox plain{QStringLiteral("Plain")}, bound{QStringLiteral("Bound")};
    tav::CheckBox plainCheck;
    tav::SettingBase<bool> boundSetting{false};
    tav::CheckBoxController boundCheck{&bound, &boundSetting, "", [this](const bool&) { fail(); }};
    QPushButton pushButton{QStringLiteral("Go")}, emptyPushButton{QStringLiteral("Go")};
    tav::ButtonHandler button, emptyButton;
    tav::Timer timer;
};

TEST(CallbackErrors, EachKindOfHandlerThatThrowsShowsOneBoxPerCallAndKeepsWorking)
{
    TestApp app;
    ThrowingWidgets widgets;
    struct Case {
        const char* pcszWhere;
        bool bCallsHandler;
        std::function<void(int iTime)> trigger;
    };
    const Case cases[] = {
        {"dial handler", true, [&](int iTime) { widgets.dial.setWidgetValue(0.5f + 0.2f * iTime); }},
        {"check box handler", true, [&](int iTime) { widgets.plain.setChecked(iTime == 0); }},
        {"check box handler", true, [&](int iTime) { widgets.bound.setChecked(iTime == 0); }},
        {"button handler", true, [&](int) { QTest::mouseClick(&widgets.pushButton, Qt::LeftButton); }},
        {"button handler", false, [&](int) { widgets.emptyPushButton.click(); }},
        {"timer handler", true, [&](int) { widgets.timer.startOneshot(1, [&] { widgets.fail(); }); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pcszWhere);
        const QString where = QStringLiteral("Unhandled exception in ") + c.pcszWhere;
        const int cLogged = app.logLinesContaining(where).size();
        const int cCalls = widgets.cCalls;
        MessageBoxCloser closer;
        for (int iTime = 0; iTime < 2; ++iTime) {
            EXPECT_NO_THROW(c.trigger(iTime));
            EXPECT_EVENTUALLY(closer.seen.size() == size_t(iTime + 1));
        }
        ASSERT_EQ(closer.seen.size(), 2u);
        EXPECT_EQ(closer.seen[0].caption, QString::fromUtf8("Error \u2014 Tavrenik's Kelvaro V1.0.5"));
        EXPECT_TRUE(closer.seen[1].text.contains(where)) << closer.seen[1].text.toStdString();
        EXPECT_EQ(closer.seen[1].text.contains(QStringLiteral("The figure is gone.")), c.bCallsHandler);
        EXPECT_EQ(widgets.cCalls - cCalls, c.bCallsHandler ? 2 : 0);
        EXPECT_EQ(app.logLinesContaining(where).size() - cLogged, 2);
    }
}

} // namespace
