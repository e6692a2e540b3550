#pragma once

#include <QLabel>
#include <memory>
#include <string_view>

#include "tv_dlg_base.h"

namespace Ui {
class ActionBox;
}

namespace tav {

// What the box shows beside its message.
enum ActionBoxIcon { ActionBoxNoIcon = 0, ActionBoxInformation = 1, ActionBoxQuestion = 2, ActionBoxWarning = 3 };

// Which button Enter presses: the action (0), Cancel (1), or the action with Cancel hidden (2).
enum ActionBoxDefault { ActionIsDefault = 0, CancelIsDefault = 1, ActionOnly = 2 };

// A modal question with an icon, a message, an action button and Cancel.
class ActionBoxDialog : public DialogBase {
    Q_OBJECT
public:
    ActionBoxDialog(QWidget* parent, int iconKind, std::string_view title, std::string_view message,
                    std::string_view actionText, int defaultButtonMode);
    ~ActionBoxDialog() override;

    QPushButton* actionButton() const { return _buttons.pOk; }
    QPushButton* cancelButton() const { return _buttons.pCancel; }
    QLabel* messageLabel() const;
    // Null without icon.
    QLabel* iconLabel() const { return _plblIcon; }

private:
    void addIcon(int iconKind);

    std::unique_ptr<Ui::ActionBox> _pUi;
    ButtonRow _buttons;
    QLabel* _plblIcon = nullptr;
};

// Asks modally; true when the user chose the action. Severity 1 shows a question icon,
// 2 a warning, anything else none.
bool askAction(QWidget* parent, std::string_view title, std::string_view message,
               std::string_view actionText, int defaultButtonMode, int severity);

} // namespace tav
