#include "dialog_watcher.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "dzapp.h"

namespace {

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

bool titleMatches(const QString& pattern, const QString& title)
{
    // Only * is special; everything else is literal.
    QStringList parts = pattern.split(QLatin1Char('*'));
    for (QString& part : parts)
        part = QRegularExpression::escape(part);
    const QRegularExpression rx(QRegularExpression::anchoredPattern(parts.join(QStringLiteral(".*"))));
    return rx.match(title).hasMatch();
}

const char* const kShowCountProperty = "_studioShowCount";

// The visible text of a dialog: a message box's texts, or the labels of any other dialog.
QString dialogText(QDialog* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        QString text = box->text();
        if (!box->informativeText().isEmpty())
            text += QLatin1Char('\n') + box->informativeText();
        return text;
    }
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts.join(QLatin1Char('\n'));
}

void logLine(const QString& line)
{
    if (dzApp) {
        dzApp->log(line);
        dzApp->flushLogBuffer();
    }
}

} // namespace

DialogWatcher::DialogWatcher(const QList<StudioAnswer>& answers, int timeoutSeconds,
                             QObject* parent)
    : QObject(parent), _answers(answers), _iTimeoutSeconds(timeoutSeconds)
{
}

bool DialogWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow())
            dialogShown(dialog);
    }
    return QObject::eventFilter(watched, event);
}

void DialogWatcher::dialogShown(QDialog* dialog)
{
    // A headless run shows nothing: what each dialog said goes to the log.
    if (qobject_cast<QMessageBox*>(dialog))
        logLine(QStringLiteral("Message box \"%1\": %2")
                    .arg(dialog->windowTitle(), dialogText(dialog)));
    else
        logLine(QStringLiteral("Dialog \"%1\": %2").arg(dialog->windowTitle(), dialogText(dialog)));
    // A dialog shown again must not be failed by the timer of its earlier showing.
    const int iShow = dialog->property(kShowCountProperty).toInt() + 1;
    dialog->setProperty(kShowCountProperty, iShow);
    QPointer<QDialog> guarded(dialog);
    // Pressed once the dialog's own event loop runs, as a person would.
    QTimer::singleShot(0, this, [this, guarded]() {
        if (guarded && guarded->isVisible())
            answer(guarded);
    });
    if (_iTimeoutSeconds > 0 && dialog->isModal())
        QTimer::singleShot(_iTimeoutSeconds * 1000, this,
                           [this, guarded, iShow]() {
                               if (guarded && guarded->property(kShowCountProperty).toInt() == iShow)
                                   failIfStillOpen(guarded);
                           });
}

bool DialogWatcher::answer(QDialog* dialog)
{
    const QString title = dialog->windowTitle();
    const QList<QAbstractButton*> buttons = dialog->findChildren<QAbstractButton*>();
    for (const StudioAnswer& option : _answers) {
        if (!titleMatches(option.titlePattern, title))
            continue;
        const QString wanted = withoutMnemonic(option.buttonText);
        for (QAbstractButton* button : buttons) {
            if (withoutMnemonic(button->text()) != wanted || !button->isVisible())
                continue;
            logLine(QStringLiteral("Answered dialog \"%1\" with %2").arg(title, wanted));
            button->click();
            return true;
        }
    }
    return false;
}

void DialogWatcher::failIfStillOpen(QPointer<QDialog> dialog)
{
    if (!dialog || !dialog->isVisible())
        return;
    const QString message = QStringLiteral("Dialog \"%1\" left unanswered for %2 s: %3")
                                .arg(dialog->windowTitle())
                                .arg(_iTimeoutSeconds)
                                .arg(dialogText(dialog));
    logLine(message);
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    std::fflush(stdout);
    std::fflush(stderr);
    // The dialog's event loop would otherwise keep the run going; leave without unwinding it.
    ::_exit(kBlockedExitCode);
}
