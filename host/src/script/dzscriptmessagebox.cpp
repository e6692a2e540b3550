#include "script/dzscriptmessagebox.h"

#include <QPushButton>

#include "dzapp.h"

DzScriptMessageBox::DzScriptMessageBox(QObject* parent) : QObject(parent) {}

int DzScriptMessageBox::information(const QString& text, const QString& title,
                                    const QString& button0, const QString& button1,
                                    const QString& button2)
{
    return show(QMessageBox::Information, text, title, {button0, button1, button2});
}

int DzScriptMessageBox::warning(const QString& text, const QString& title, const QString& button0,
                                const QString& button1, const QString& button2)
{
    return show(QMessageBox::Warning, text, title, {button0, button1, button2});
}

int DzScriptMessageBox::critical(const QString& text, const QString& title,
                                 const QString& button0, const QString& button1,
                                 const QString& button2)
{
    return show(QMessageBox::Critical, text, title, {button0, button1, button2});
}

int DzScriptMessageBox::question(const QString& text, const QString& title,
                                 const QString& button0, const QString& button1,
                                 const QString& button2)
{
    return show(QMessageBox::Question, text, title, {button0, button1, button2});
}

int DzScriptMessageBox::show(QMessageBox::Icon icon, const QString& text, const QString& title,
                             const QStringList& buttons)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton,
                    dzApp ? dzApp->getDialogParent() : nullptr);
    QList<QPushButton*> pushButtons;
    for (const QString& label : buttons)
        if (!label.isEmpty())
            pushButtons << box.addButton(label, QMessageBox::AcceptRole);
    box.exec();
    return pushButtons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
}
