#include "tools/asset_optionsdialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "dzfileiosettings.h"

bool dzAskMorphSupportAssetOptions(DzFileIOSettings* options, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("DzMorphSupportAssetOptionsDlg"));
    dialog.setWindowTitle(QStringLiteral("Save Morph Support Assets"));
    auto* form = new QFormLayout(&dialog);
    auto* baseDataPath = new QLineEdit(options->getStringValue("BaseDataPath"));
    auto* vendor = new QLineEdit(options->getStringValue("VendorName"));
    auto* product = new QLineEdit(options->getStringValue("ProductName"));
    auto* compress = new QCheckBox(QStringLiteral("Compress files"));
    compress->setChecked(options->getBoolValue("CompressOutput"));
    form->addRow(QStringLiteral("Content directory:"), baseDataPath);
    form->addRow(QStringLiteral("Vendor:"), vendor);
    form->addRow(QStringLiteral("Product:"), product);
    form->addRow(compress);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options->setStringValue("BaseDataPath", baseDataPath->text());
    options->setStringValue("VendorName", vendor->text());
    options->setStringValue("ProductName", product->text());
    options->setBoolValue("CompressOutput", compress->isChecked());
    return true;
}
