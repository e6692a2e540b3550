#pragma once

#include <QSlider>
#include <memory>
#include <string_view>

#include "dzfloatslider.h"
#include "tv_ctl_checkbox.h"
#include "tv_settings.h"

class QBoxLayout;
class QLabel;

namespace tav {

class ButtonHandlerList;

// How a slider controller reads and writes its widget.
inline float sliderValue(DzFloatSlider& slider) { return slider.getValue(); }
inline void setSliderValue(DzFloatSlider& slider, float value) { slider.setValue(value); }
inline int sliderValue(QSlider& slider) { return slider.value(); }
inline void setSliderValue(QSlider& slider, int value) { slider.setValue(value); }

class SliderControllerRoot {
};

// A dial bound to a numeric setting; setting the widget value emits the dial's own signal.
template <typename W, typename T>
class SliderControllerBase : public ControllerWithWidget<W, T>, public SliderControllerRoot {
public:
    using ControllerWithWidget<W, T>::ControllerWithWidget;

    T widgetValue() override { return sliderValue(*this->_pWidget); }
    void setWidgetValue(const T& value) override { setSliderValue(*this->_pWidget, value); }

    NumericSetting<T>* numericSetting() const
    {
        return static_cast<NumericSetting<T>*>(this->_pSetting);
    }
};

// Options of the slider controllers.
enum SliderOption : unsigned {
    SliderTextEditable = 2,
    SliderDisplayAsPercent = 4,
    SliderTextHidden = 8,
};

// Makes a host dial in the layout, shows the setting's range and value, forwards every change
// to a callback and commits the dial's value on OK.
class FloatSliderController : public SliderControllerBase<DzFloatSlider, float> {
    Q_OBJECT
public:
    // pLabel may be null. A "%%" in the tool tip becomes the label's text, bold and quoted.
    FloatSliderController(QBoxLayout* pLayout, QLabel* pLabel, NumericSetting<float>* pSetting,
                          std::string_view toolTip, unsigned options, Callback onChanged);

public slots:
    void slotSliderValueChanged(float value);
};

// The integer twin, on a plain Qt slider.
class IntSliderController : public SliderControllerBase<QSlider, int> {
    Q_OBJECT
public:
    IntSliderController(QBoxLayout* pLayout, QLabel* pLabel, NumericSetting<int>* pSetting,
                        std::string_view toolTip, Callback onChanged);

public slots:
    void slotSliderValueChanged(int value);
};

// Appends "Min", "Default" and "Max" tool buttons that set the dial to those values. The
// handlers share ownership of the setting and the controller.
void addPresetButtons(ButtonHandlerList& handlers, QBoxLayout* pLayout, std::string_view dialName,
                      std::shared_ptr<NumericSetting<float>> pSetting,
                      std::shared_ptr<FloatSliderController> pController);

} // namespace tav
