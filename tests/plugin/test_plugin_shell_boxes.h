#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <vector>

// Closes every message box that opens while alive, remembering its caption and text; a modal
// box runs its own event loop, so it is answered from a timer as a person would.
class ShellBoxCloser {
public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
    };

    ShellBoxCloser()
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] { closeVisibleBoxes(); });
        _timer.start(10);
    }

    std::vector<Seen> seen;

private:
    void closeVisibleBoxes()
    {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox || !pBox->isVisible())
                continue;
            seen.push_back({pBox->windowTitle(), pBox->text(), pBox->icon()});
            pBox->done(QMessageBox::Ok);
        }
    }

    QTimer _timer;
};
