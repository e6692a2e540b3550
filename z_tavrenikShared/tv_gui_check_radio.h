#pragma once

#include <QCheckBox>
#include <QObject>
#include <QRadioButton>
#include <functional>
#include <map>
#include <string_view>

#include "tv_gui.h"
#include "tv_version.h"
#include "tv_msgbox.h"

// The one slot through which check boxes and radio buttons report their toggles.
class TvCheckOrRadioBase : public QObject {
    Q_OBJECT
public slots:
    virtual void slotCheckBoxOrRadioToggled(bool checked) = 0;
};

namespace tav {

// Sets a check box's first state and forwards every toggle to a callback.
class CheckBox : private TvCheckOrRadioBase {
public:
    using Callback = std::function<void(bool)>;

    // A "%%" in the tool tip becomes the box's own text, bold and quoted.
    void init(QCheckBox* pCheckBox, bool checked, Callback onToggled, std::string_view toolTip = {});
    QCheckBox* checkBox() const { return _pCheckBox; }

private:
    void slotCheckBoxOrRadioToggled(bool checked) override;

    QCheckBox* _pCheckBox = nullptr;
    Callback _onToggled;
};

class RadioGroupBase : public TvCheckOrRadioBase {
};

// Radio buttons keyed by an enumeration. The callback runs once per change of the checked
// button, although Qt reports a switch as two toggles.
template <typename E>
class RadioGroup : public RadioGroupBase {
public:
    using Callback = std::function<void(E)>;

    // Filled by the owner, one entry per enumerator shown, before bind().
    std::map<E, QRadioButton*> _buttons;

    void addButton(E e, QRadioButton* pButton) { _buttons[e] = pButton; }

    void bind(E initial, Callback onChanged, std::string_view toolTip = {})
    {
        auto it = _buttons.find(initial);
        if (it != _buttons.end() && it->second)
            it->second->setChecked(true);
        _current = initial;
        _onChanged = std::move(onChanged);
        const QString expandedToolTip =
            toolTip.empty() ? QString() : QString::fromUtf8(ExpandPluginText(toolTip).c_str());
        for (auto& [e, pButton] : _buttons) {
            if (!pButton)
                continue;
            connectOrDisconnect(pButton, SIGNAL(toggled(bool)), this,
                                SLOT(slotCheckBoxOrRadioToggled(bool)), true);
            if (!expandedToolTip.isEmpty())
                pButton->setToolTip(expandedToolTip);
        }
    }

    E current() const { return _current; }

    void slotCheckBoxOrRadioToggled(bool) override
    {
        for (auto& [e, pButton] : _buttons) {
            if (!pButton || !pButton->isChecked())
                continue;
            if (e == _current)
                return;
            _current = e;
            if (_onChanged)
                ReportingErrors("radio button handler", [this] { _onChanged(_current); });
            return;
        }
    }

private:
    Callback _onChanged;
    E _current{};
};

} // namespace tav
