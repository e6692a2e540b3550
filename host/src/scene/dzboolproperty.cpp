#include "dzboolproperty.h"

DzBoolProperty::DzBoolProperty(const QString& name, bool isPrivate, bool defaultValue)
    : DzIntProperty(name, isPrivate, defaultValue ? 1 : 0)
{
    setMinMax(0, 1);
}

bool DzBoolProperty::getBoolValue() const { return getValue() != 0; }
void DzBoolProperty::setBoolValue(bool value) { setValue(value ? 1 : 0); }
