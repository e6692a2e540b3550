#include "dzproperty.h"

#include <QVariant>

#include "dzelement.h"

DzProperty::DzProperty(const QString& name, bool isPrivate) : _label(name), _private(isPrivate)
{
    setName(name);
}

DzProperty::~DzProperty() = default;

void DzProperty::setOwner(DzElement* owner) { _owner = owner; }

QString DzProperty::getLabel() const { return _label; }

void DzProperty::setLabel(const QString& label)
{
    if (label == _label)
        return;
    _label = label;
    emit labelChanged(label);
}

QString DzProperty::getPath() const { return _path; }

void DzProperty::setPath(const QString& path)
{
    QString trimmed = path;
    while (trimmed.startsWith('/'))
        trimmed.remove(0, 1);
    _path = trimmed;
}

bool DzProperty::isFavorite() const { return _favorite; }
void DzProperty::setFavorite(bool favorite) { _favorite = favorite; }
bool DzProperty::isPrivate() const { return _private; }
bool DzProperty::isHidden() const { return _hidden; }
void DzProperty::setHidden(bool hidden) { _hidden = hidden; }
DzElement* DzProperty::getOwner() const { return _owner; }
QVariant DzProperty::getValueVariant() const { return {}; }

void DzProperty::valueChanged() { emit currentValueChanged(); }

bool DzNumericProperty::isClamped() const { return _clamped; }
void DzNumericProperty::setIsClamped(bool clamped) { _clamped = clamped; }
