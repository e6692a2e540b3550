#pragma once

#include "dzbase.h"

class DzElement;

// A value of an element. Subclasses hold the value; this class holds label, group path,
// favourite flag and the owning element, and emits the change signals.
class DzProperty : public DzBase {
    Q_OBJECT
public:
    DzProperty(const QString& name, bool isPrivate = false);
    ~DzProperty() override;

    // Called by the owning element when the property is added to or removed from it.
    void setOwner(DzElement* owner);

public slots:
    QString getLabel() const;
    void setLabel(const QString& label);
    // Group path, "/"-separated without a leading slash ("Actor/People/Feminine").
    QString getPath() const;
    void setPath(const QString& path);
    bool isFavorite() const;
    void setFavorite(bool favorite);
    bool isPrivate() const;
    bool isHidden() const;
    void setHidden(bool hidden);
    DzElement* getOwner() const;
    // Generic value access for scripts; numeric subclasses override.
    virtual QVariant getValueVariant() const;

signals:
    void currentValueChanged();
    void removed();
    void labelChanged(const QString& label);

protected:
    // Subclasses call this after a change of their current value.
    void valueChanged();

private:
    QString _label;
    QString _path;
    bool _favorite = false;
    bool _private = false;
    bool _hidden = false;
    DzElement* _owner = nullptr;
};

// A property with a numeric range and clamping.
class DzNumericProperty : public DzProperty {
    Q_OBJECT
public:
    using DzProperty::DzProperty;

public slots:
    bool isClamped() const;
    void setIsClamped(bool clamped);
    virtual double getDoubleValue() const = 0;
    virtual void setDoubleValue(double value) = 0;
    virtual double getDoubleMin() const = 0;
    virtual double getDoubleMax() const = 0;
    virtual double getDoubleDefaultValue() const = 0;

protected:
    bool _clamped = true;
};
