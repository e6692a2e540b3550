#pragma once

#include <string_view>

#include "tv_dlg_base.h"

class QLabel;

namespace tav {

// A notice that shows itself without waiting and deletes itself after a delay.
class TimedNoticeBox : public DialogBase {
    Q_OBJECT
public:
    TimedNoticeBox(QWidget* parent, std::string_view title, std::string_view message);

    // Shows the box; it deletes itself after the given delay.
    void showFor(int milliseconds);

    QLabel* messageLabel() const { return _plblMessage; }

public slots:
    void slotDelayedDelete();

private:
    QLabel* _plblMessage;
};

} // namespace tav
