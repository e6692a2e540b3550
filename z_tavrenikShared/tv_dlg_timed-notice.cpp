#include "tv_dlg_timed-notice.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <string>

#include "tv_str.h"

namespace tav {

TimedNoticeBox::TimedNoticeBox(QWidget* parent, std::string_view title, std::string_view message)
    : DialogBase(parent), _plblMessage(new QLabel(ToQString(message), this))
{
    _plblMessage->setObjectName(QString::fromLatin1("plblMessage"));
    _plblMessage->setWordWrap(true);
    auto* pvert = new QVBoxLayout(this);
    pvert->addWidget(_plblMessage);
    const std::string titleText(title);
    setWindowTitleAndClosable(titleText.empty() ? nullptr : titleText.c_str(), true);
    applyStandardSpacing();
}

void TimedNoticeBox::showFor(int milliseconds)
{
    show();
    QTimer::singleShot(milliseconds, this, SLOT(slotDelayedDelete()));
}

void TimedNoticeBox::slotDelayedDelete()
{
    // Deferred, so a delete arriving from a signal of this box is safe.
    deleteLater();
}

} // namespace tav
