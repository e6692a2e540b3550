#include "dzenumproperty.h"

#include <algorithm>

DzEnumProperty::DzEnumProperty(const QString& name, const QStringList& items, bool isPrivate,
                               int defaultValue)
    : DzIntProperty(name, isPrivate, defaultValue), _items(items)
{
    setMinMax(0, std::max(0, int(items.size()) - 1));
}

int DzEnumProperty::getNumItems() const { return _items.size(); }

QString DzEnumProperty::getItem(int index) const { return _items.value(index); }

void DzEnumProperty::addItem(const QString& item)
{
    _items.append(item);
    setMinMax(0, int(_items.size()) - 1);
}

QString DzEnumProperty::getStringValue() const { return _items.value(getValue()); }
