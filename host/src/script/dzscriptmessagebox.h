#pragma once

#include <QMessageBox>
#include <QObject>

// The scripts' MessageBox global: modal message boxes with up to three buttons; each call
// returns the index of the button pressed (0 to 2), or -1 when the box was closed otherwise.
class DzScriptMessageBox : public QObject {
    Q_OBJECT
public:
    explicit DzScriptMessageBox(QObject* parent = nullptr);

    Q_INVOKABLE int information(const QString& text, const QString& title,
                                const QString& button0 = QStringLiteral("&OK"),
                                const QString& button1 = QString(),
                                const QString& button2 = QString());
    Q_INVOKABLE int warning(const QString& text, const QString& title,
                            const QString& button0 = QStringLiteral("&OK"),
                            const QString& button1 = QString(),
                            const QString& button2 = QString());
    Q_INVOKABLE int critical(const QString& text, const QString& title,
                             const QString& button0 = QStringLiteral("&OK"),
                             const QString& button1 = QString(),
                             const QString& button2 = QString());
    Q_INVOKABLE int question(const QString& text, const QString& title,
                             const QString& button0 = QStringLiteral("&Yes"),
                             const QString& button1 = QStringLiteral("&No"),
                             const QString& button2 = QString());

private:
    int show(QMessageBox::Icon icon, const QString& text, const QString& title,
             const QStringList& buttons);
};
