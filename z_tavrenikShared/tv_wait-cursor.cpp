#include "tv_wait-cursor.h"

#include <QApplication>

namespace tav {

WaitCursor::WaitCursor(bool bBusy)
{
    QApplication::setOverrideCursor(bBusy ? Qt::BusyCursor : Qt::WaitCursor);
    _bSet = true;
}

WaitCursor::~WaitCursor()
{
    if (_bSet)
        QApplication::restoreOverrideCursor();
}

} // namespace tav
