#pragma once

#include <QObject>
#include <QPointer>

#include "studio_options.h"

class QDialog;

// Watches every dialog the studio opens: logs what it says, presses the button the command
// line's answers name, and in a run nobody watches says on stderr which modal dialog waits for
// an answer (title, text, buttons) and ends the run when it waits longer than the timeout.
class DialogWatcher : public QObject {
    Q_OBJECT
public:
    // Exit status of a run that a modal dialog blocked.
    static const int kBlockedExitCode = 3;

    DialogWatcher(const QList<StudioAnswer>& answers, int timeoutSeconds, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dialogShown(QDialog* dialog);
    bool answer(QDialog* dialog);
    void failIfStillOpen(QDialog* dialog);

    QList<StudioAnswer> _answers;
    int _iTimeoutSeconds;
};
