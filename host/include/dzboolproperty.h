#pragma once

#include "dzintproperty.h"

// An on/off property, stored as 0 or 1.
class DzBoolProperty : public DzIntProperty {
    Q_OBJECT
public:
    DzBoolProperty(const QString& name, bool isPrivate = false, bool defaultValue = false);

public slots:
    bool getBoolValue() const;
    void setBoolValue(bool value);
};
