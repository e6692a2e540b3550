#pragma once

#include <QElapsedTimer>
#include <QString>
#include <utility>
#include <vector>

class DzMainWindow;

// The time each step of a job took, as the main window's progress shows the steps: a step
// begins when the progress starts with it or moves on to it, and ends when the next begins or
// the progress finishes.
class StepClock {
public:
    using Laps = std::vector<std::pair<QString, double>>;  // step text, milliseconds

    explicit StepClock(DzMainWindow* pMainWindow);

    // The laps of the last progress, in order; empty before one has finished.
    const Laps& laps() const { return _laps; }

private:
    void begin(const QString& step);
    void end();

    QElapsedTimer _timer;
    QString _current;
    int _currentStep = -1;
    Laps _running;
    Laps _laps;
};
