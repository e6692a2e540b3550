#pragma once

#include "dzproperty.h"

// A float value with default, range and optional clamping.
class DzFloatProperty : public DzNumericProperty {
    Q_OBJECT
public:
    DzFloatProperty(const QString& name, bool isPrivate = false, float defaultValue = 0.0f);

    // For scripts: `property.getValue()` and `property.setValue(v)`.
public slots:
    float getValue() const;
    void setValue(float value);
    float getDefaultValue() const;
    void setDefaultValue(float value);
    float getMin() const;
    float getMax() const;
    void setMin(float min);
    void setMax(float max);
    void setMinMax(float min, float max);
    QVariant getValueVariant() const override;

    double getDoubleValue() const override;
    void setDoubleValue(double value) override;
    double getDoubleMin() const override;
    double getDoubleMax() const override;
    double getDoubleDefaultValue() const override;

private:
    float clampToRange(float value) const;

    float _value = 0.0f;
    float _default = 0.0f;
    float _min = -10000.0f;
    float _max = 10000.0f;
};
