#include "io/objoptionsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "dzapp.h"
#include "dzsettings.h"

namespace {

struct AxisRow {
    const char* axisKey;
    const char* invertKey;
    const char* label;
    const char* defaultAxis;
    QComboBox* pcboAxis = nullptr;
    QCheckBox* pchkInvert = nullptr;
};

} // namespace

bool dzExecObjOptionsDialog(const QString& title, DzSettings& options, const char* invertKeySuffix)
{
    QDialog dlg(dzApp ? dzApp->getDialogParent() : nullptr);
    dlg.setWindowTitle(title);
    dlg.setObjectName(QStringLiteral("DzObjOptionsDlg"));
    auto* pvert = new QVBoxLayout(&dlg);
    auto* pform = new QFormLayout();
    pvert->addLayout(pform);

    auto* pspnScale = new QDoubleSpinBox(&dlg);
    pspnScale->setRange(0.0001, 100000.0);
    pspnScale->setDecimals(4);
    pspnScale->setSuffix(QStringLiteral(" %"));
    pspnScale->setValue(options.getFloatValue(QStringLiteral("Scale"), 1.0) * 100.0);
    pform->addRow(QStringLiteral("Scale:"), pspnScale);

    AxisRow rows[3] = {{"LatAxis", "InvertLat", "Lateral axis:", "X"},
                       {"VertAxis", "InvertVert", "Vertical axis:", "Y"},
                       {"DepthAxis", "InvertDepth", "Depth axis:", "Z"}};
    for (AxisRow& row : rows) {
        row.pcboAxis = new QComboBox(&dlg);
        row.pcboAxis->addItems({QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")});
        row.pcboAxis->setCurrentText(
            options.getStringValue(QLatin1String(row.axisKey), QLatin1String(row.defaultAxis)));
        row.pchkInvert = new QCheckBox(QStringLiteral("Invert"), &dlg);
        row.pchkInvert->setChecked(
            options.getBoolValue(QLatin1String(row.invertKey) + QLatin1String(invertKeySuffix)));
        auto* phorz = new QHBoxLayout();
        phorz->addWidget(row.pcboAxis);
        phorz->addWidget(row.pchkInvert);
        pform->addRow(QLatin1String(row.label), phorz);
    }

    auto* pbox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(pbox, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(pbox, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    pvert->addWidget(pbox);

    if (dlg.exec() != QDialog::Accepted)
        return false;
    options.setFloatValue(QStringLiteral("Scale"), pspnScale->value() / 100.0);
    for (const AxisRow& row : rows) {
        options.setStringValue(QLatin1String(row.axisKey), row.pcboAxis->currentText());
        options.setBoolValue(QLatin1String(row.invertKey) + QLatin1String(invertKeySuffix),
                             row.pchkInvert->isChecked());
    }
    return true;
}
