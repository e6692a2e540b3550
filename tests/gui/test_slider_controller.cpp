#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include "dzfloatproperty.h"
#include "dzfloatslider.h"
#include "test_app.h"
#include "tv_ctl_slider.h"
#include "tv_gui.h"
#include "tv_gui_button.h"

namespace {

const QString kLeft = QString::fromUtf8("\u201C");
const QString kRight = QString::fromUtf8("\u201D");

// A row as the Convert dialog lays it out: label, dial, Min/Default/Max.
class SliderControllerTest : public ::testing::Test {
protected:
    SliderControllerTest() : _property(QStringLiteral("Height")), _handlers(&_colours)
    {
        _property.setMinMax(0.0f, 1.0f);
        _property.setDefaultValue(0.5f);
        _property.setValue(0.2f);
        _pSetting = std::make_shared<tav::FloatPropertySetting>(&_property);
        _phorz = new QHBoxLayout(&_window);
        _plbl = new QLabel(QStringLiteral("Height"), &_window);
        _phorz->addWidget(_plbl);
    }

    void makeController(unsigned options, QLabel* pLabel, const char* toolTip = "")
    {
        _pController = std::make_shared<tav::FloatSliderController>(
            _phorz, pLabel, _pSetting.get(), toolTip, options, [this](const float& v) {
                _reported.push_back(v);
                _property.setValue(v);  // the figure follows the dial
            });
        tav::addPresetButtons(_handlers, _phorz, "Height", _pSetting, _pController);
        _window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&_window));
    }

    QToolButton* preset(int index)
    {
        return qobject_cast<QToolButton*>(_phorz->itemAt(2 + index)->widget());
    }

    DzFloatProperty _property;
    tav::HostColours _colours = tav::readHostColours();
    tav::ButtonHandlerList _handlers;
    std::shared_ptr<tav::FloatPropertySetting> _pSetting;
    std::shared_ptr<tav::FloatSliderController> _pController;
    std::vector<float> _reported;
    QWidget _window;
    QHBoxLayout* _phorz;
    QLabel* _plbl;
};

TEST_F(SliderControllerTest, DialShowsTheSettingLabelPointsAtItAndTipsNameTheDial)
{
    makeController(tav::SliderDisplayAsPercent, _plbl, "Dials %% of the target.");
    DzFloatSlider* pDial = _pController->widget();
    EXPECT_FLOAT_EQ(pDial->getValue(), 0.2f);
    EXPECT_FALSE(pDial->isTextEditable());
    EXPECT_EQ(pDial->valueText(), QStringLiteral("20.0%"));
    EXPECT_EQ(_plbl->buddy(), pDial);
    EXPECT_EQ(pDial->toolTip(), QStringLiteral("Dials <b>") + kLeft + QStringLiteral("Height") + kRight +
                                    QStringLiteral("</b> of the target."));

    EXPECT_EQ(preset(0)->toolTip(), QStringLiteral("<b>Min:</b> Sets the ") + kLeft +
                                        QStringLiteral("Height") + kRight +
                                        QStringLiteral(" dial to the minimum value (0.0%)."));
    EXPECT_TRUE(preset(1)->toolTip().endsWith(QStringLiteral("default value (50.0%).")));
    EXPECT_TRUE(preset(2)->toolTip().startsWith(QStringLiteral("<b>Max:</b> ")));
    EXPECT_TRUE(preset(2)->toolTip().endsWith(QStringLiteral("maximum value (100.0%).")));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(preset(i)->text().isEmpty());
        for (const char* marker : {"%%", "``", "''", "%{", "}%", "%PLUGINNAME%"})
            EXPECT_FALSE(preset(i)->toolTip().contains(QLatin1String(marker))) << marker;
    }
}

TEST_F(SliderControllerTest, TypedValueBeyondTheRangeIsClampedAndReachesTheSettingOnlyOnCommit)
{
    makeController(tav::SliderTextEditable, _plbl);
    int listenerRuns = 0;
    _pSetting->addListener([&] { ++listenerRuns; });
    _pController->commit();  // untouched: nothing written, nobody told
    EXPECT_EQ(listenerRuns, 0);
    auto* pled = _pController->widget()->findChild<QLineEdit*>();
    ASSERT_NE(pled, nullptr);
    pled->setFocus();
    pled->selectAll();
    QTest::keyClicks(pled, QStringLiteral("4.5"));
    QTest::keyClick(pled, Qt::Key_Return);
    EXPECT_FLOAT_EQ(_pController->widget()->getValue(), 1.0f);
    EXPECT_EQ(_reported, std::vector<float>{1.0f});
    EXPECT_FLOAT_EQ(_pSetting->value(), 0.2f);
    _pController->commit();
    EXPECT_FLOAT_EQ(_pSetting->value(), 1.0f);
    EXPECT_FLOAT_EQ(_pSetting->original(), 0.2f);
    EXPECT_EQ(listenerRuns, 1);
}

TEST_F(SliderControllerTest, HiddenTextAndNoLabel)
{
    makeController(tav::SliderTextHidden, nullptr, "About %%");
    EXPECT_FALSE(_pController->widget()->isTextVisible());
    EXPECT_EQ(_pController->widget()->toolTip(),
              QStringLiteral("About <b>") + kLeft + kRight + QStringLiteral("</b>"));
}

TEST(IntSliderController, FollowsItsSettingAndReportsChanges)
{
    QWidget window;
    auto* phorz = new QHBoxLayout(&window);
    tav::NumericSetting<int> setting(3, 0, 10);
    setting.setValue(4);
    std::vector<int> reported;
    tav::IntSliderController controller(phorz, nullptr, &setting, "",
                                        [&](const int& v) { reported.push_back(v); });
    EXPECT_EQ(controller.widget()->value(), 4);
    controller.resetToDefault();
    EXPECT_EQ(reported, std::vector<int>{3});
    controller.commit();
    EXPECT_EQ(setting.value(), 3);
}

} // namespace
