#pragma once

#include <QCheckBox>
#include <QObject>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "tv_flagset.h"
#include "tv_gui.h"
#include "tv_gui_check_radio.h"
#include "tv_settings.h"
#include "tv_str.h"
#include "tv_msgbox.h"

namespace tav {

// Binds widgets to a setting; the setting is written only on commit (the dialog's OK).
class ControllerBase : public QObject {
    Q_OBJECT
public:
    // Writes the widget state into the setting when it differs.
    virtual void commit() = 0;
    // Shows the setting's default in the widget; the widget's signal reports it as a click would.
    virtual void resetToDefault() = 0;
};

// One widget of type W showing a SettingBase<T>. Neither is owned.
template <typename W, typename T>
class ControllerWithWidget : public ControllerBase {
public:
    using Callback = std::function<void(const T&)>;

    ControllerWithWidget(SettingBase<T>* pSetting, Callback onChanged)
        : _onChanged(std::move(onChanged)), _pSetting(pSetting)
    {
    }

    void commit() override { _pSetting->assign(widgetValue()); }
    void resetToDefault() override { setWidgetValue(_pSetting->defaultValue()); }

    virtual W* widget() { return _pWidget; }
    virtual void setEnabled(bool enabled) { _pWidget->setEnabled(enabled); }
    virtual T widgetValue() = 0;
    virtual void setWidgetValue(const T& value) = 0;

    SettingBase<T>* setting() const { return _pSetting; }

protected:
    Callback _onChanged;
    SettingBase<T>* _pSetting;
    W* _pWidget = nullptr;
};

// A check box bound to a bool setting. Toggles arrive through the TvCheckOrRadioBase part.
class CheckBoxController : public ControllerWithWidget<QCheckBox, bool>, public TvCheckOrRadioBase {
public:
    CheckBoxController(QCheckBox* pCheckBox, SettingBase<bool>* pSetting, std::string_view toolTip,
                       Callback onToggled);

    bool widgetValue() override { return _pWidget->isChecked(); }
    void setWidgetValue(const bool& value) override { _pWidget->setChecked(value); }

    void slotCheckBoxOrRadioToggled(bool checked) override;
};

class FlagSetControllerBase : public ControllerBase {
    Q_OBJECT
public slots:
    virtual void slotCheckBoxOrRadioToggled(bool checked) = 0;
};

// Several check boxes, one flag each, bound to one flag-set setting.
template <typename E>
class FlagSetController : public FlagSetControllerBase {
public:
    using Callback = std::function<void(bool)>;

    explicit FlagSetController(SettingBase<FlagSet<E>>* pSetting) : _pSetting(pSetting) {}

    // A "%%" in the tool tip becomes the box's own text, bold and quoted.
    void addCheckBox(E flag, QCheckBox* pCheckBox, std::string_view toolTip = {})
    {
        _entries.emplace_back(uint64_t(flag), pCheckBox);
        if (!toolTip.empty())
            SetToolTipWithButtonName(pCheckBox, toolTip);
    }

    // After all boxes are added: shows the setting, then forwards every toggle to onToggled.
    void bind(Callback onToggled)
    {
        showFlags(_pSetting->value());
        _onToggled = std::move(onToggled);
        for (auto& entry : _entries)
            connectOrDisconnect(entry.second, SIGNAL(toggled(bool)), this,
                                SLOT(slotCheckBoxOrRadioToggled(bool)), true);
    }

    // The flags of the checked boxes; the empty set when none is checked.
    FlagSet<E> checkedFlags() const
    {
        uint64_t mask = 0;
        for (const auto& entry : _entries)
            if (entry.second->isChecked())
                mask |= entry.first;
        return FlagSet<E>(mask);
    }

    void commit() override { _pSetting->assign(checkedFlags()); }
    void resetToDefault() override { showFlags(_pSetting->defaultValue()); }

    void slotCheckBoxOrRadioToggled(bool checked) override
    {
        if (_onToggled)
            ReportingErrors("check box handler", [&] { _onToggled(checked); });
    }

private:
    void showFlags(const FlagSet<E>& flags)
    {
        for (auto& entry : _entries)
            entry.second->setChecked((flags.mask() & entry.first) != 0);
    }

    std::vector<std::pair<uint64_t, QCheckBox*>> _entries;
    SettingBase<FlagSet<E>>* _pSetting;
    Callback _onToggled;
};

} // namespace tav
