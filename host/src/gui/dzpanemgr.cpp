#include "dzpanemgr.h"

#include <QDockWidget>

#include "dzpane.h"

DzPaneMgr::DzPaneMgr(QObject* parent) : QObject(parent) {}

DzPaneMgr::~DzPaneMgr() = default;

void DzPaneMgr::addPane(DzPane* pane)
{
    if (!pane || _panes.contains(pane))
        return;
    _panes.append(pane);
    connect(pane, &QObject::destroyed, this, [this, pane]() { _panes.removeAll(pane); });
}

int DzPaneMgr::getNumPanes() const { return _panes.size(); }

DzPane* DzPaneMgr::getPane(int index) const
{
    return index >= 0 && index < _panes.size() ? _panes.at(index) : nullptr;
}

DzPane* DzPaneMgr::findPane(const QString& className) const
{
    for (DzPane* pane : _panes)
        if (QString::fromLatin1(pane->metaObject()->className()) == className)
            return pane;
    return nullptr;
}

void DzPaneMgr::showPane(DzPane* pane)
{
    if (!pane || !_panes.contains(pane))
        return;
    // Panes live in dock widgets; showing the dock shows the pane.
    if (auto* dock = qobject_cast<QDockWidget*>(pane->parentWidget())) {
        dock->show();
        dock->raise();
    }
    pane->show();
    emit paneShown(pane);
}
