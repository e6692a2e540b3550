#include "tv_dlg_action-box.h"

#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <string>

#include "tv_str.h"
#include "ui_tv_dlg_action-box.h"

namespace tav {

namespace {

constexpr int kIconSize = 32;

QStyle::StandardPixmap standardPixmapFor(int iconKind)
{
    switch (iconKind) {
    case ActionBoxInformation: return QStyle::SP_MessageBoxInformation;
    case ActionBoxQuestion: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_MessageBoxWarning;
    }
}

} // namespace

ActionBoxDialog::ActionBoxDialog(QWidget* parent, int iconKind, std::string_view title,
                                 std::string_view message, std::string_view actionText,
                                 int defaultButtonMode)
    : DialogBase(parent), _pUi(std::make_unique<Ui::ActionBox>())
{
    _pUi->setupUi(this);
    _pUi->plblMessage->setText(ToQString(message));
    _buttons = addButtonRow(_pUi->pvertMain, actionText, "Cancel");

    QPushButton* pDefault = _buttons.pOk;
    if (defaultButtonMode == CancelIsDefault) {
        _buttons.pOk->setDefault(false);
        pDefault = _buttons.pCancel;
    } else if (defaultButtonMode == ActionOnly) {
        _buttons.pCancel->hide();
    }
    pDefault->setDefault(true);
    pDefault->setFocus();

    const std::string titleText(title);
    setWindowTitleAndClosable(titleText.empty() ? nullptr : titleText.c_str(), true);
    applyStandardSpacing();
    if (iconKind >= ActionBoxInformation && iconKind <= ActionBoxWarning)
        addIcon(iconKind);
    // The form's height fits one line; a wrapped message needs the room its width leaves it.
    resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
}

ActionBoxDialog::~ActionBoxDialog() = default;

QLabel* ActionBoxDialog::messageLabel() const
{
    return _pUi->plblMessage;
}

void ActionBoxDialog::addIcon(int iconKind)
{
    _plblIcon = new QLabel(this);
    _plblIcon->setObjectName(QString::fromLatin1("plblIcon"));
    _plblIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    _plblIcon->setPixmap(style()->standardIcon(standardPixmapFor(iconKind), nullptr, this).pixmap(kIconSize));
    _pUi->phorzLabel->insertWidget(0, _plblIcon);
    _pUi->phorzLabel->setStretch(1, 1);
}

bool askAction(QWidget* parent, std::string_view title, std::string_view message,
               std::string_view actionText, int defaultButtonMode, int severity)
{
    int iconKind = ActionBoxNoIcon;
    if (severity == 1)
        iconKind = ActionBoxQuestion;
    else if (severity == 2)
        iconKind = ActionBoxWarning;
    ActionBoxDialog box(parent, iconKind, title, message, actionText, defaultButtonMode);
    return box.exec() == QDialog::Accepted;
}

} // namespace tav
