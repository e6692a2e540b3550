#pragma once

#include <QList>
#include <memory>

#include "dzbase.h"
#include "dzpropertygrouptree.h"

class DzProperty;

// A named, labelled scene element with properties (own and private) and property groups.
// The element owns its properties.
class DzElement : public DzBase {
    Q_OBJECT
public:
    explicit DzElement(QObject* parent = nullptr);
    ~DzElement() override;

    // Takes ownership. Returns false when a property of that name is already there.
    bool addProperty(DzProperty* property);
    bool addPrivateProperty(DzProperty* property);
    // Removes and deletes the property, emitting its removed() signal first.
    bool removeProperty(DzProperty* property);

    // Property groups built from the group paths of the properties the element shows.
    virtual const DzPropertyGroupTree* getPropertyGroups() const;

public slots:
    QString getLabel() const;
    virtual void setLabel(const QString& label);
    int getNumProperties() const;
    DzProperty* getProperty(int index) const;
    DzProperty* findProperty(const QString& name) const;
    int getNumPrivateProperties() const;
    DzProperty* getPrivateProperty(int index) const;
    DzProperty* findPrivateProperty(const QString& name) const;

signals:
    void labelChanged(const QString& label);
    void propertyAdded(DzProperty* property);
    void propertyRemoved(DzProperty* property);
    // Any property's current value changed (forwarded for caches and views).
    void propertyValueChanged(DzProperty* property);

protected:
    // Group paths offered by getPropertyGroups(); nodes add those of their modifiers.
    virtual QStringList propertyGroupPaths() const;
    // Call when the paths offered by propertyGroupPaths() may have changed.
    void invalidatePropertyGroups();

private:
    void onPropertyValueChanged();
    bool insertProperty(QList<DzProperty*>& list, DzProperty* property);

    QString _label;
    QList<DzProperty*> _properties;
    QList<DzProperty*> _privateProperties;
    mutable std::unique_ptr<DzPropertyGroupTree> _groups;
};
