#include "dzmodifier.h"

#include "dzproperty.h"

DzModifier::DzModifier(QObject* parent) : DzElement(parent)
{
    connect(this, &DzElement::propertyValueChanged, this, &DzModifier::modifierChanged);
}

DzModifier::~DzModifier() = default;

void DzModifier::setObject(DzObject* object) { _object = object; }
DzObject* DzModifier::getObject() const { return _object; }
