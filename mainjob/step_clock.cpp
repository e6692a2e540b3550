#include "step_clock.h"

#include "dzmainwindow.h"

StepClock::StepClock(DzMainWindow* pMainWindow)
{
    QObject::connect(pMainWindow, &DzMainWindow::progressStarted, [this](const QString& info, int) {
        _running.clear();
        _currentStep = 0;
        begin(info);
    });
    // A new info line alone does not begin a step; the step count moving does.
    QObject::connect(pMainWindow, &DzMainWindow::progressChanged, [this](const QString& info, int current, int) {
        if (_currentStep < 0 || current == _currentStep)
            return;
        _currentStep = current;
        end();
        begin(info);
    });
    QObject::connect(pMainWindow, &DzMainWindow::progressFinished, [this] {
        if (_currentStep < 0)
            return;
        end();
        _currentStep = -1;
        _laps = _running;
    });
}

void StepClock::begin(const QString& step)
{
    _current = step;
    _timer.start();
}

void StepClock::end()
{
    _running.emplace_back(_current, double(_timer.nsecsElapsed()) / 1e6);
}
