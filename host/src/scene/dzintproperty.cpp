#include "dzintproperty.h"

#include <QVariant>
#include <algorithm>

DzIntProperty::DzIntProperty(const QString& name, bool isPrivate, int defaultValue)
    : DzNumericProperty(name, isPrivate), _value(defaultValue), _default(defaultValue)
{
}

int DzIntProperty::getValue() const { return _value; }

void DzIntProperty::setValue(int value)
{
    const int clamped = clampToRange(value);
    if (clamped == _value)
        return;
    _value = clamped;
    valueChanged();
}

int DzIntProperty::getDefaultValue() const { return _default; }
void DzIntProperty::setDefaultValue(int value) { _default = value; }
int DzIntProperty::getMin() const { return _min; }
int DzIntProperty::getMax() const { return _max; }
void DzIntProperty::setMin(int min) { setMinMax(min, std::max(min, _max)); }
void DzIntProperty::setMax(int max) { setMinMax(std::min(_min, max), max); }

void DzIntProperty::setMinMax(int min, int max)
{
    _min = min;
    _max = max;
    setValue(_value);
}

QVariant DzIntProperty::getValueVariant() const { return QVariant(_value); }
double DzIntProperty::getDoubleValue() const { return _value; }
void DzIntProperty::setDoubleValue(double value) { setValue(int(value)); }
double DzIntProperty::getDoubleMin() const { return _min; }
double DzIntProperty::getDoubleMax() const { return _max; }
double DzIntProperty::getDoubleDefaultValue() const { return _default; }

int DzIntProperty::clampToRange(int value) const
{
    if (!_clamped)
        return value;
    return std::clamp(value, _min, _max);
}
