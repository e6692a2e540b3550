#pragma once

#include "dzproperty.h"

// An integer value with default, range and optional clamping.
class DzIntProperty : public DzNumericProperty {
    Q_OBJECT
public:
    DzIntProperty(const QString& name, bool isPrivate = false, int defaultValue = 0);

public slots:
    int getValue() const;
    void setValue(int value);
    int getDefaultValue() const;
    void setDefaultValue(int value);
    int getMin() const;
    int getMax() const;
    void setMin(int min);
    void setMax(int max);
    void setMinMax(int min, int max);
    QVariant getValueVariant() const override;

    double getDoubleValue() const override;
    void setDoubleValue(double value) override;
    double getDoubleMin() const override;
    double getDoubleMax() const override;
    double getDoubleDefaultValue() const override;

protected:
    int clampToRange(int value) const;

    int _value = 0;
    int _default = 0;
    int _min = -1000000;
    int _max = 1000000;
};
