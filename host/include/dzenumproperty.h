#pragma once

#include <QStringList>

#include "dzintproperty.h"

// An integer property whose values name the items of a list.
class DzEnumProperty : public DzIntProperty {
    Q_OBJECT
public:
    DzEnumProperty(const QString& name, const QStringList& items, bool isPrivate = false,
                   int defaultValue = 0);

public slots:
    int getNumItems() const;
    QString getItem(int index) const;
    void addItem(const QString& item);
    QString getStringValue() const;

private:
    QStringList _items;
};
