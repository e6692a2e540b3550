#include "tv_dlg_base.h"

#include <QByteArray>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>

#include "dzappsettings.h"
#include "tv_gui.h"
#include "tv_msgbox.h"
#include "tv_str.h"
#include "tv_version.h"

namespace tav {

namespace {

constexpr int kStandardSpacing = 10;

void connectOkAndCancel(QDialog* pDialog, QPushButton* pOk, QPushButton* pCancel)
{
    if (pOk) {
        connectOrDisconnect(pOk, SIGNAL(clicked()), pDialog, SLOT(accept()), true);
        pOk->setDefault(true);
    }
    if (pCancel)
        connectOrDisconnect(pCancel, SIGNAL(clicked()), pDialog, SLOT(reject()), true);
}

} // namespace

DialogBase::DialogBase(QWidget* parent) : QDialog(parent) {}

DialogBase::~DialogBase() = default;

void DialogBase::setUpWindow(const char* title, const QString& settingsPath,
                             const QString& placementKey)
{
    setProductTitle(title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    applyStandardSpacing();
    if (settingsPath.isEmpty())
        return;
    _settingsPath = settingsPath;
    _placementKey = placementKey;
    if (!_placementKey.isEmpty())
        restorePlacement();
}

void DialogBase::setWindowTitleAndClosable(const char* title, bool closable)
{
    setProductTitle(title);
    if (closable) {
        setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    } else {
        _closable = false;
        setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    }
}

void DialogBase::applyStandardSpacing()
{
    if (QLayout* pLayout = layout()) {
        pLayout->setContentsMargins(kStandardSpacing, kStandardSpacing, kStandardSpacing,
                                    kStandardSpacing);
        pLayout->setSpacing(kStandardSpacing);
    }
}

void DialogBase::connectButtonBox(QDialogButtonBox* pBox)
{
    connectOkAndCancel(this, pBox->button(QDialogButtonBox::Ok),
                       pBox->button(QDialogButtonBox::Cancel));
}

void DialogBase::connectButtons(QPushButton* pOk, QPushButton* pCancel)
{
    connectOkAndCancel(this, pOk, pCancel);
}

ButtonRow DialogBase::addButtonRow(QBoxLayout* pParentLayout, std::string_view okText,
                                   std::string_view cancelText)
{
    ButtonRow row;
    row.pRow = new QHBoxLayout();
    row.pOk = new QPushButton(ToQString(okText));
    if (!cancelText.empty())
        row.pCancel = new QPushButton(ToQString(cancelText));
    row.pRow->addStretch(1);
    row.pRow->addWidget(row.pOk);
    if (row.pCancel)
        row.pRow->addWidget(row.pCancel);
    pParentLayout->addLayout(row.pRow);
    connectOkAndCancel(this, row.pOk, row.pCancel);
    return row;
}

void DialogBase::showCriticalError(std::string_view caption, std::string_view text)
{
    CriticalErrorMessageBox(caption, text, this, true);
}

void DialogBase::savePlacement(DzAppSettings* pAppSettings)
{
    if (_placementKey.isEmpty())
        return;
    const QString text = QString::fromLatin1(saveGeometry().toBase64());
    if (pAppSettings) {
        pAppSettings->setStringValue(_placementKey, text);
        return;
    }
    DzAppSettings settings(_settingsPath);
    settings.setStringValue(_placementKey, text);
}

void DialogBase::accept()
{
    savePlacement();
    QDialog::accept();
}

void DialogBase::reject()
{
    if (!_closable)
        return;
    savePlacement();
    QDialog::reject();
}

void DialogBase::setProductTitle(const char* title)
{
    setWindowTitle(ProductTitleQ(title));
}

void DialogBase::restorePlacement()
{
    const DzAppSettings settings(_settingsPath);
    const QString text = settings.getStringValue(_placementKey, QString());
    if (!text.isEmpty())
        restoreGeometry(QByteArray::fromBase64(text.toLatin1()));
}

} // namespace tav
