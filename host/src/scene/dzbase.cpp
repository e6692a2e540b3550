#include "dzbase.h"

#include <QMetaObject>

DzBase::DzBase(QObject* parent) : QObject(parent) {}

DzBase::~DzBase() = default;

QString DzBase::getName() const { return objectName(); }

void DzBase::setName(const QString& name)
{
    if (name == objectName())
        return;
    setObjectName(name);
    emit nameChanged(name);
}

bool DzBase::inherits(const QString& className) const
{
    return QObject::inherits(className.toUtf8().constData());
}
