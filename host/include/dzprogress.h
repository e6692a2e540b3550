#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

// Shows the progress of a long operation: in the main window's progress bar, and in headless
// runs one line per step on standard error ("[3/19] Loading stock figure ..."). A new info text
// shows at once in the window and on the next step's line, so setInfo followed by step(1)
// prints the new step once. A cancellable progress, shown in a window, lets the window take its
// events at a step when a fifth of a second has passed since it last did, so that the user can
// press Cancel and the window keeps up, at a cost that does not grow with the number of steps.
class DzProgress : public QObject {
    Q_OBJECT
public:
    DzProgress(const QString& info, int totalSteps, bool isCancellable = false,
               bool showTimeElapsed = false);
    ~DzProgress() override;

public slots:
    void setInfo(const QString& info);
    void step(int numSteps = 1);
    void finish();
    bool isCancelled() const;
    bool isCancellable() const;
    void cancel();
    int getCurrentStep() const;
    int getTotalSteps() const;
    QString getInfo() const;

signals:
    void progressChanged(const QString& info, int current, int total);
    void finished();

private:
    void report();

    QString _info;
    int _total;
    int _current = 0;
    bool _cancellable;
    bool _cancelled = false;
    bool _finished = false;
    QElapsedTimer _sinceEvents;
};
