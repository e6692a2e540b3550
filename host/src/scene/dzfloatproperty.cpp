#include "dzfloatproperty.h"

#include <QVariant>
#include <algorithm>

DzFloatProperty::DzFloatProperty(const QString& name, bool isPrivate, float defaultValue)
    : DzNumericProperty(name, isPrivate), _value(defaultValue), _default(defaultValue)
{
}

float DzFloatProperty::getValue() const { return _value; }

void DzFloatProperty::setValue(float value)
{
    const float clamped = clampToRange(value);
    if (clamped == _value)
        return;
    _value = clamped;
    valueChanged();
}

float DzFloatProperty::getDefaultValue() const { return _default; }
void DzFloatProperty::setDefaultValue(float value) { _default = value; }
float DzFloatProperty::getMin() const { return _min; }
float DzFloatProperty::getMax() const { return _max; }
void DzFloatProperty::setMin(float min) { setMinMax(min, std::max(min, _max)); }
void DzFloatProperty::setMax(float max) { setMinMax(std::min(_min, max), max); }

void DzFloatProperty::setMinMax(float min, float max)
{
    _min = min;
    _max = max;
    setValue(_value);
}

QVariant DzFloatProperty::getValueVariant() const { return QVariant(_value); }
double DzFloatProperty::getDoubleValue() const { return _value; }
void DzFloatProperty::setDoubleValue(double value) { setValue(float(value)); }
double DzFloatProperty::getDoubleMin() const { return _min; }
double DzFloatProperty::getDoubleMax() const { return _max; }
double DzFloatProperty::getDoubleDefaultValue() const { return _default; }

float DzFloatProperty::clampToRange(float value) const
{
    if (!_clamped)
        return value;
    return std::clamp(value, _min, _max);
}
