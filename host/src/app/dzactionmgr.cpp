#include "dzactionmgr.h"

#include "dzaction.h"

#include <utility>

DzActionMgr::DzActionMgr(QObject* parent) : QObject(parent) {}

DzActionMgr::~DzActionMgr()
{
    const QList<DzAction*> actions = std::exchange(_actions, {});
    qDeleteAll(actions);
}

void DzActionMgr::addAction(DzAction* action)
{
    if (!action || _actions.contains(action))
        return;
    _actions.append(action);
    // An action deleted elsewhere must not linger in the list.
    connect(action, &QObject::destroyed, this,
            [this, action]() { _actions.removeAll(action); });
    emit actionAdded(action);
}

int DzActionMgr::getNumActions() const { return _actions.size(); }

DzAction* DzActionMgr::getAction(int index) const
{
    return index >= 0 && index < _actions.size() ? _actions.at(index) : nullptr;
}

DzAction* DzActionMgr::findAction(const QString& className) const
{
    for (DzAction* action : _actions)
        if (QString::fromLatin1(action->metaObject()->className()) == className)
            return action;
    return nullptr;
}
