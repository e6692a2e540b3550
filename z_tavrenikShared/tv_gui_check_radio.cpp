#include "tv_gui_check_radio.h"

#include "tv_str.h"

namespace tav {

void CheckBox::init(QCheckBox* pCheckBox, bool checked, Callback onToggled, std::string_view toolTip)
{
    _pCheckBox = pCheckBox;
    _onToggled = std::move(onToggled);
    pCheckBox->setChecked(checked);
    connectOrDisconnect(pCheckBox, SIGNAL(toggled(bool)), this,
                        SLOT(slotCheckBoxOrRadioToggled(bool)), true);
    if (!toolTip.empty())
        SetToolTipWithButtonName(pCheckBox, toolTip);
}

void CheckBox::slotCheckBoxOrRadioToggled(bool checked)
{
    if (_onToggled)
        ReportingErrors("check box handler", [&] { _onToggled(checked); });
}

} // namespace tav
