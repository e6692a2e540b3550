#include "dzprogress.h"

#include <QCoreApplication>
#include <cstdio>

#include "dzapp.h"
#include "dzmainwindow.h"

namespace {

// How often a cancellable progress lets the window take its events (ms).
constexpr qint64 kEventsInterval = 200;

} // namespace

DzProgress::DzProgress(const QString& info, int totalSteps, bool isCancellable,
                       bool showTimeElapsed)
    : _info(info), _total(totalSteps), _cancellable(isCancellable)
{
    _sinceEvents.start();
    Q_UNUSED(showTimeElapsed);
    if (dzApp && dzApp->getInterface())
        dzApp->getInterface()->trackProgress(this);
    report();
}

DzProgress::~DzProgress() { finish(); }

void DzProgress::setInfo(const QString& info)
{
    if (info == _info)
        return;
    _info = info;
    emit progressChanged(_info, _current, _total);
}

void DzProgress::step(int numSteps)
{
    if (_finished || numSteps == 0)
        return;
    _current = qMin(_current + numSteps, qMax(_total, 0));
    report();
    if (_cancellable && dzApp && dzApp->getInterface() && _sinceEvents.hasExpired(kEventsInterval)) {
        QCoreApplication::processEvents();
        _sinceEvents.start();
    }
}

void DzProgress::finish()
{
    if (_finished)
        return;
    _finished = true;
    emit finished();
}

bool DzProgress::isCancelled() const { return _cancelled; }
bool DzProgress::isCancellable() const { return _cancellable; }

void DzProgress::cancel()
{
    if (_cancellable)
        _cancelled = true;
}

int DzProgress::getCurrentStep() const { return _current; }
int DzProgress::getTotalSteps() const { return _total; }
QString DzProgress::getInfo() const { return _info; }

void DzProgress::report()
{
    emit progressChanged(_info, _current, _total);
    // Without a window the steps are followed on standard error, numbered from 1: the line
    // names the step being worked on.
    if (!dzApp || dzApp->options().headless) {
        const int shown = _total > 0 ? qMin(_current + 1, _total) : _current + 1;
        std::fprintf(stderr, "[%d/%d] %s\n", shown, _total, _info.toUtf8().constData());
        std::fflush(stderr);
    }
}
