#pragma once

#include <QObject>
#include <functional>

#include "tv_prohibit_copy.h"

class QTimer;

namespace tav {

// A delayed callback. A one-shot started while another is pending is dropped, so a burst of
// starts within the delay runs the first callback once.
class Timer : public QObject, public ProhibitCopy {
    Q_OBJECT
public:
    using Callback = std::function<void()>;

    Timer() = default;
    ~Timer() override;

    void startOneshot(int milliseconds, Callback callback);
    // Runs the callback every interval until the timer is destroyed.
    void startRepeat(int milliseconds, Callback callback);

    bool isPending() const { return _pending; }

public slots:
    void slotElapsedOneshot();
    void slotElapsedRepeat();

private:
    bool _pending = false;
    Callback _callback;
    QTimer* _pRepeatTimer = nullptr;
};

} // namespace tav
