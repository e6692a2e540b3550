#include "tv_ctl_slider.h"

#include <QBoxLayout>
#include <QLabel>
#include <fmt/format.h>

#include "tv_gui.h"
#include "tv_gui_button.h"
#include "tv_str.h"
#include "tv_version.h"
#include "tv_msgbox.h"

namespace tav {

namespace {

std::string labelText(const QLabel* pLabel)
{
    return pLabel ? ToUtf8(pLabel->text()) : std::string();
}

// "%%" becomes the quoted dial name in bold.
QString dialToolTip(std::string_view toolTip, std::string_view name)
{
    const std::string named =
        str::ReplaceAll(toolTip, "%%", fmt::format("<b>{}</b>", str::Quoted(name)));
    return ToQString(ExpandPluginText(named));
}

void placeInLayout(QBoxLayout* pLayout, QLabel* pLabel, QWidget* pWidget)
{
    if (pLabel)
        pLabel->setBuddy(pWidget);
    pLayout->addWidget(pWidget, 1);
    if (pLabel)
        pLayout->setStretch(0, 0);
}

} // namespace

FloatSliderController::FloatSliderController(QBoxLayout* pLayout, QLabel* pLabel,
                                             NumericSetting<float>* pSetting,
                                             std::string_view toolTip, unsigned options,
                                             Callback onChanged)
    : SliderControllerBase<DzFloatSlider, float>(pSetting, std::move(onChanged))
{
    const std::string name = labelText(pLabel);

    _pWidget = new DzFloatSlider(pLayout->parentWidget());
    _pWidget->setTextVisible(true);
    _pWidget->setLabel(ToQString(name));
    _pWidget->setShowLabel(true);
    _pWidget->setClamped(true);

    // The name is shown by the separate label, not inside the dial.
    _pWidget->setMinimumSize(200, 30);
    _pWidget->setLabel(QString());
    placeInLayout(pLayout, pLabel, _pWidget);

    _pWidget->setMinMax(pSetting->minimum(), pSetting->maximum());
    _pWidget->setTextEditable((options & SliderTextEditable) != 0);
    _pWidget->setDisplayAsPercent((options & SliderDisplayAsPercent) != 0);
    _pWidget->setValue(pSetting->value());
    if (options & SliderTextHidden)
        _pWidget->setTextVisible(false);

    connectOrDisconnect(_pWidget, SIGNAL(valueChanged(float)), this,
                        SLOT(slotSliderValueChanged(float)), true);
    if (!toolTip.empty())
        _pWidget->setToolTip(dialToolTip(toolTip, name));
}

void FloatSliderController::slotSliderValueChanged(float value)
{
    if (_onChanged)
        ReportingErrors("dial handler", [&] { _onChanged(value); });
}

IntSliderController::IntSliderController(QBoxLayout* pLayout, QLabel* pLabel,
                                         NumericSetting<int>* pSetting, std::string_view toolTip,
                                         Callback onChanged)
    : SliderControllerBase<QSlider, int>(pSetting, std::move(onChanged))
{
    const std::string name = labelText(pLabel);

    _pWidget = new QSlider(Qt::Horizontal, pLayout->parentWidget());
    _pWidget->setMinimumSize(200, 30);
    placeInLayout(pLayout, pLabel, _pWidget);
    _pWidget->setRange(pSetting->minimum(), pSetting->maximum());
    _pWidget->setValue(pSetting->value());

    connectOrDisconnect(_pWidget, SIGNAL(valueChanged(int)), this, SLOT(slotSliderValueChanged(int)),
                        true);
    if (!toolTip.empty())
        _pWidget->setToolTip(dialToolTip(toolTip, name));
}

void IntSliderController::slotSliderValueChanged(int value)
{
    if (_onChanged)
        ReportingErrors("dial handler", [&] { _onChanged(value); });
}

void addPresetButtons(ButtonHandlerList& handlers, QBoxLayout* pLayout, std::string_view dialName,
                      std::shared_ptr<NumericSetting<float>> pSetting,
                      std::shared_ptr<FloatSliderController> pController)
{
    const std::string quotedName = str::Quoted(dialName);
    auto percent = [](float value) { return double(value) * 100.0; };

    // The tool tips show the values of now; a click reads them again.
    const float minimum = pSetting->minimum();
    const float defaultValue = pSetting->defaultValue();
    const float maximum = pSetting->maximum();

    handlers.addToolButton(
        pLayout, ":/bootstrap/24/chevron-bar-left.png",
        [pSetting, pController] { pController->setWidgetValue(pSetting->minimum()); }, "Min",
        fmt::format("Sets the {} dial to the minimum value ({:03.1f}%).", quotedName,
                    percent(minimum)));
    handlers.addToolButton(
        pLayout, ":/bootstrap/24/stop-circle.png",
        [pSetting, pController] { pController->setWidgetValue(pSetting->defaultValue()); },
        "Default",
        fmt::format("Sets the {} dial to the default value ({:03.1f}%).", quotedName,
                    percent(defaultValue)));
    handlers.addToolButton(
        pLayout, ":/bootstrap/24/chevron-bar-right.png",
        [pSetting, pController] { pController->setWidgetValue(pSetting->maximum()); }, "Max",
        fmt::format("Sets the {} dial to the maximum value ({:03.1f}%).", quotedName,
                    percent(maximum)));
}

} // namespace tav
