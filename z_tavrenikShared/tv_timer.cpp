#include "tv_timer.h"

#include <QTimer>

#include "tv_gui.h"
#include "tv_msgbox.h"

namespace tav {

Timer::~Timer()
{
    delete _pRepeatTimer;
}

void Timer::startOneshot(int milliseconds, Callback callback)
{
    if (_pending)
        return;
    _callback = std::move(callback);
    QTimer::singleShot(milliseconds, this, SLOT(slotElapsedOneshot()));
    _pending = true;
}

void Timer::startRepeat(int milliseconds, Callback callback)
{
    _callback = std::move(callback);
    if (!_pRepeatTimer) {
        _pRepeatTimer = new QTimer();
        connectOrDisconnect(_pRepeatTimer, SIGNAL(timeout()), this, SLOT(slotElapsedRepeat()), true);
    }
    _pRepeatTimer->start(milliseconds);
}

void Timer::slotElapsedOneshot()
{
    // Idle before the callback, so the callback may start the next one-shot.
    _pending = false;
    if (_callback)
        ReportingErrors("timer handler", _callback);
}

void Timer::slotElapsedRepeat()
{
    if (_callback)
        ReportingErrors("timer handler", _callback);
}

} // namespace tav
