#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

// Watches for top-level widgets of type W while alive and hands each visible one to a closer
// (a modal dialog runs its own event loop, so the test answers it from a timer).
template <typename W>
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(W&)> answer) : _answer(std::move(answer))
    {
        QObject::connect(&_timer, &QTimer::timeout, [this] { poll(); });
        _timer.start(20);
    }

    int count() const { return _count; }

private:
    void poll()
    {
        for (QWidget* pWidget : QApplication::topLevelWidgets()) {
            auto* pFound = qobject_cast<W*>(pWidget);
            if (pFound && pFound->isVisible()) {
                ++_count;
                _answer(*pFound);
            }
        }
    }

    std::function<void(W&)> _answer;
    QTimer _timer;
    int _count = 0;
};

// Closes every message box that opens, remembering its caption, text, icon and parent.
class MessageBoxCloser : public ModalAnswerer<QMessageBox> {
public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QWidget* pParent;
    };

    MessageBoxCloser()
        : ModalAnswerer<QMessageBox>([this](QMessageBox& box) {
              seen.push_back({box.windowTitle(), box.text(), box.icon(), box.parentWidget()});
              box.done(QMessageBox::Ok);
          })
    {
    }

    std::vector<Seen> seen;
};
