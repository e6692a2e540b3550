#include "tv_dlg_morph-path.h"

#include <QPushButton>

#include "tv_identity.h"
#include "tv_str.h"
#include "ui_tv_dlg_morph-path.h"

namespace tav {

MorphPathDialog::MorphPathDialog(QWidget* parent, DzNode* pNode, std::string_view currentPath,
                                 const char* pcszPlacementKey)
    : MorphPathDialogBase(parent), _pUi(std::make_unique<Ui::MorphPathDialog>())
{
    _pUi->setupUi(this);
    setUpWindow("Morph property path", QString::fromUtf8(pcszPluginName),
                QString::fromUtf8(pcszPlacementKey));
    connectButtonBox(_pUi->pButtonBox);
    initPathWidgets(_pUi->pTreeWidgetPropertyPaths, _pUi->pledMorphPropertyPath);
    fillTree(pNode, str::Split(currentPath, "/", false, true));
    // Without a matching item the entry stays as it is; OK must follow it from the start.
    morphPropertyPathChanged(path());
}

MorphPathDialog::~MorphPathDialog() = default;

QString MorphPathDialog::path() const
{
    return _pUi->pledMorphPropertyPath->text();
}

void MorphPathDialog::setPath(const QString& path)
{
    _pUi->pledMorphPropertyPath->setText(path);
}

bool MorphPathDialog::isValidPath(const QString& text)
{
    return text.size() >= 6 && text.startsWith(QLatin1Char('/'));
}

void MorphPathDialog::morphPropertyPathChanged(const QString& text)
{
    _pUi->pButtonBox->button(QDialogButtonBox::Ok)->setEnabled(isValidPath(text));
}

} // namespace tav
