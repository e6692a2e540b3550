#include "dialog_watcher.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

#include "../src/app/dzlogtext.h"
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
// How long a dialog of an unattended run may wait before the terminal is told about it.
constexpr int kWaitingNoticeMs = 1000;

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

// The push buttons a person could press, as their texts read.
QStringList buttonTexts(QDialog* dialog)
{
    QStringList texts;
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isVisible() && !withoutMnemonic(button->text()).isEmpty())
            texts << withoutMnemonic(button->text());
    return texts;
}

// A title pattern for --answer: the title up to the product's " — " part, which carries a
// version, as a prefix.
QString suggestedPattern(const QString& title)
{
    const int iDash = title.indexOf(QStringLiteral(" \u2014 "));
    return iDash > 0 ? title.left(iDash) + QLatin1Char('*') : title;
}

// What a person at the terminal needs to answer a waiting dialog: its title, its text, and its
// buttons with the --answer that would press the first.
QString describeWaitingDialog(QDialog* dialog)
{
    const QString title = dialog->windowTitle();
    const QStringList buttons = buttonTexts(dialog);
    QString text = QStringLiteral("Dialog \"%1\"").arg(title);
    const QString plain = dzPlainText(dialogText(dialog));
    if (!plain.isEmpty())
        text += QStringLiteral(":\n  ") + QString(plain).replace(QLatin1Char('\n'), QStringLiteral("\n  "));
    if (buttons.isEmpty())
        return text + QStringLiteral("\nIt has no buttons to press.");
    return text + QStringLiteral("\nButtons: %1. Press one with --answer \"%2=%3\".")
                      .arg(buttons.join(QStringLiteral(", ")), suggestedPattern(title), buttons.first());
}

void printToTerminal(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
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
    logLine(dzDialogLogText(dialog->windowTitle(), dialogText(dialog),
                            qobject_cast<QMessageBox*>(dialog) != nullptr));
    // A dialog shown again must not be failed by the timer of its earlier showing.
    const int iShow = dialog->property(kShowCountProperty).toInt() + 1;
    dialog->setProperty(kShowCountProperty, iShow);
    QPointer<QDialog> guarded(dialog);
    // Pressed once the dialog's own event loop runs, as a person would.
    QTimer::singleShot(0, this, [this, guarded]() {
        if (guarded && guarded->isVisible())
            answer(guarded);
    });
    // Only a run that nobody watches waits in vain; a person at the window answers it.
    if (_iTimeoutSeconds <= 0 || !dialog->isModal())
        return;
    auto stillShown = [guarded, iShow]() {
        return guarded && guarded->isVisible()
               && guarded->property(kShowCountProperty).toInt() == iShow;
    };
    // Plug-ins dismiss some dialogs themselves, within a few timer ticks: those wait for no one.
    QTimer::singleShot(kWaitingNoticeMs, this, [this, guarded, stillShown]() {
        if (stillShown())
            printToTerminal(QStringLiteral("studio: waiting for an answer; the run ends in %1 s "
                                           "without one.\n%2")
                                .arg(_iTimeoutSeconds)
                                .arg(describeWaitingDialog(guarded)));
    });
    QTimer::singleShot(_iTimeoutSeconds * 1000, this, [this, guarded, stillShown]() {
        if (stillShown())
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

void DialogWatcher::failIfStillOpen(QDialog* dialog)
{
    logLine(QStringLiteral("Dialog \"%1\" left unanswered for %2 s: %3")
                .arg(dialog->windowTitle())
                .arg(_iTimeoutSeconds)
                .arg(dialogText(dialog)));
    std::fflush(stdout);
    printToTerminal(QStringLiteral("studio: no answer came in %1 s; the run ends with status %2.\n%3")
                        .arg(_iTimeoutSeconds)
                        .arg(kBlockedExitCode)
                        .arg(describeWaitingDialog(dialog)));
    // The dialog's event loop would otherwise keep the run going; leave without unwinding it.
    ::_exit(kBlockedExitCode);
}
