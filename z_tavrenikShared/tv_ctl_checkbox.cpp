#include "tv_ctl_checkbox.h"

namespace tav {

CheckBoxController::CheckBoxController(QCheckBox* pCheckBox, SettingBase<bool>* pSetting,
                                       std::string_view toolTip, Callback onToggled)
    : ControllerWithWidget<QCheckBox, bool>(pSetting, std::move(onToggled))
{
    _pWidget = pCheckBox;
    pCheckBox->setChecked(pSetting->value());
    connectOrDisconnect(pCheckBox, SIGNAL(toggled(bool)), static_cast<TvCheckOrRadioBase*>(this),
                        SLOT(slotCheckBoxOrRadioToggled(bool)), true);
    if (!toolTip.empty())
        SetToolTipWithButtonName(pCheckBox, toolTip);
}

void CheckBoxController::slotCheckBoxOrRadioToggled(bool checked)
{
    if (_onChanged)
        ReportingErrors("check box handler", [&] { _onChanged(checked); });
}

} // namespace tav
