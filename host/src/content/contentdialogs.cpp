#include "contentdialogs.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dzapp.h"

namespace dzcontent {
namespace {

QWidget* dialogParent()
{
    return dzApp ? dzApp->getDialogParent() : nullptr;
}

void logLine(const QString& text)
{
    if (dzApp)
        dzApp->log(text);
}

} // namespace

void showMissingFiles(const QString& filePath, const QStringList& urls)
{
    QDialog dlg(dialogParent());
    dlg.setObjectName(QStringLiteral("MissingAssetsDialog"));
    dlg.setWindowTitle(QStringLiteral("Missing Files"));
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel(
        QStringLiteral("The following files could not be found while loading \"%1\":")
            .arg(QFileInfo(filePath).fileName()),
        &dlg));
    auto* list = new QListWidget(&dlg);
    list->addItems(urls);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    layout->addWidget(buttons);
    logLine(QStringLiteral("Missing Files: %1: %2").arg(filePath, urls.join(QStringLiteral(", "))));
    dlg.exec();
}

void showErrorOpeningFile(const QString& filePath, const QString& reason)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error opening file"),
                    QStringLiteral("The file \"%1\" could not be opened: %2").arg(filePath, reason),
                    QMessageBox::Ok, dialogParent());
    box.exec();
}

bool askPresetExceedsLimits(const QStringList& values)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Preset Exceeds Limits"),
                    QStringLiteral("This preset sets values outside the limits of their properties:\n%1\n\n"
                                   "Keep the values within the limits, or turn the limits off?")
                        .arg(values.join(QLatin1Char('\n'))),
                    QMessageBox::NoButton, dialogParent());
    QPushButton* keep = box.addButton(QStringLiteral("Keep Limits"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Ignore Limits"), QMessageBox::RejectRole);
    box.exec();
    return box.clickedButton() == keep;
}

void showDuplicateFormulas(const QStringList& outputs)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Duplicate Formulas Found"),
                    QStringLiteral("More than one formula drives these properties; the first "
                                   "one loaded is kept:\n%1")
                        .arg(outputs.join(QLatin1Char('\n'))),
                    QMessageBox::Ok, dialogParent());
    box.exec();
}

bool askDFormerLoadOptions(const QString& filePath)
{
    QDialog dlg(dialogParent());
    dlg.setObjectName(QStringLiteral("DzDFormPresetLoadOptionsDlg"));
    dlg.setWindowTitle(QStringLiteral("D-Former Load Options - %1").arg(QFileInfo(filePath).completeBaseName()));
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel(QStringLiteral("Apply the D-Former to the selected figure."), &dlg));
    auto* keepWeights = new QCheckBox(QStringLiteral("Load influence weights"), &dlg);
    keepWeights->setChecked(true);
    keepWeights->setEnabled(false);
    layout->addWidget(keepWeights);
    auto* buttons = new QDialogButtonBox(&dlg);
    QPushButton* accept = buttons->addButton(QStringLiteral("Accept"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    accept->setDefault(true);
    layout->addWidget(buttons);
    return dlg.exec() == QDialog::Accepted;
}

} // namespace dzcontent
