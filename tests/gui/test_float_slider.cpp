#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "dzfloatslider.h"

namespace {

class FloatSliderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        _slider.resize(400, 30);
        _slider.setMinMax(0.0f, 1.0f);
        _slider.setClamped(true);
        _slider.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&_slider));
    }

    QLineEdit* text() { return _slider.findChild<QLineEdit*>(QStringLiteral("pledValue")); }
    QSlider* bar() { return _slider.findChild<QSlider*>(QStringLiteral("pBar")); }

    void typeValue(const QString& typed)
    {
        text()->setFocus();
        text()->selectAll();
        QTest::keyClicks(text(), typed);
        QTest::keyClick(text(), Qt::Key_Return);
    }

    DzFloatSlider _slider;
};

TEST_F(FloatSliderTest, ReportsEveryRealChangeOnceClampedToItsRangeUnlessUnclamped)
{
    QSignalSpy spy(&_slider, SIGNAL(valueChanged(float)));
    _slider.setValue(0.25f);
    _slider.setValue(0.25f);
    _slider.setValue(5.0f);   // clamped to 1
    _slider.setValue(7.0f);   // still 1: no change
    ASSERT_EQ(spy.count(), 2);
    EXPECT_FLOAT_EQ(spy.at(0).at(0).toFloat(), 0.25f);
    EXPECT_FLOAT_EQ(spy.at(1).at(0).toFloat(), 1.0f);
    EXPECT_FLOAT_EQ(_slider.getValue(), 1.0f);

    // Narrowing the range pulls the value in.
    _slider.setMinMax(0.0f, 0.5f);
    EXPECT_FLOAT_EQ(_slider.getValue(), 0.5f);
    EXPECT_EQ(spy.count(), 3);

    _slider.setClamped(false);
    _slider.setValue(3.0f);
    EXPECT_FLOAT_EQ(_slider.getValue(), 3.0f);
    EXPECT_EQ(bar()->value(), bar()->maximum());
}

TEST_F(FloatSliderTest, TypedValuesAreParsedOnlyWhenTheTextIsEditable)
{
    _slider.setTextEditable(false);
    typeValue(QStringLiteral("0.7"));
    EXPECT_FLOAT_EQ(_slider.getValue(), 0.0f);
    EXPECT_EQ(text()->text(), QStringLiteral("0.00"));

    _slider.setTextEditable(true);
    QSignalSpy spy(&_slider, SIGNAL(valueChanged(float)));
    typeValue(QStringLiteral("0.3"));
    EXPECT_FLOAT_EQ(_slider.getValue(), 0.3f);

    _slider.setDisplayAsPercent(true);
    typeValue(QStringLiteral("25"));
    EXPECT_FLOAT_EQ(_slider.getValue(), 0.25f);
    EXPECT_EQ(spy.count(), 2);

    typeValue(QStringLiteral("abc"));
    EXPECT_FLOAT_EQ(_slider.getValue(), 0.25f);
    EXPECT_EQ(text()->text(), QStringLiteral("25.0%"));
}

TEST_F(FloatSliderTest, DraggingTheHandleChangesTheValue)
{
    QSignalSpy spy(&_slider, SIGNAL(valueChanged(float)));
    QSlider* pBar = bar();
    QStyleOptionSlider option;
    option.initFrom(pBar);
    option.orientation = Qt::Horizontal;
    option.minimum = pBar->minimum();
    option.maximum = pBar->maximum();
    option.sliderPosition = option.sliderValue = pBar->value();
    const QPoint handle =
        pBar->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, pBar).center();
    const QPoint end(pBar->width() * 3 / 4, handle.y());

    QTest::mousePress(pBar, Qt::LeftButton, Qt::NoModifier, handle);
    QMouseEvent move(QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pBar, &move);
    QTest::mouseRelease(pBar, Qt::LeftButton, Qt::NoModifier, end);

    EXPECT_GT(spy.count(), 0);
    EXPECT_GT(_slider.getValue(), 0.5f);
    EXPECT_LT(_slider.getValue(), 0.95f);
    EXPECT_FLOAT_EQ(spy.last().at(0).toFloat(), _slider.getValue());
}

} // namespace

// Closing a dial while its text holds unconfirmed typing takes focus from the text; by then
// the dial is half destroyed, and its listeners must not hear of a new value.
TEST(FloatSliderLifetime, ClosingWithUnconfirmedTypingAnnouncesNothing)
{
    auto* slider = new DzFloatSlider;
    slider->setMinMax(0.0f, 1.0f);
    slider->setTextEditable(true);
    slider->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(slider));
    QApplication::setActiveWindow(slider);
    auto* text = slider->findChild<QLineEdit*>(QStringLiteral("pledValue"));
    text->setFocus();
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("0.6"));
    QSignalSpy spy(slider, SIGNAL(valueChanged(float)));
    delete slider;
    EXPECT_EQ(spy.count(), 0);
}
