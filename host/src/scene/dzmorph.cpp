#include "dzmorph.h"

#include "dzfloatproperty.h"
#include "dzmorphdeltas.h"

DzMorph::DzMorph(const QString& name, QObject* parent) : DzModifier(parent)
{
    setName(name);
    setLabel(name);
    _value = new DzFloatProperty(name);
    _value->setMinMax(0.0f, 1.0f);
    addProperty(_value);
    setDeltas(new DzMorphDeltas);
}

DzMorph::~DzMorph() = default;

void DzMorph::setDeltas(DzMorphDeltas* deltas)
{
    if (deltas == _deltas)
        return;
    delete _deltas;
    _deltas = deltas;
    if (_deltas) {
        _deltas->setParent(this);
        connect(_deltas, &DzMorphDeltas::deltasChanged, this, &DzModifier::modifierChanged);
    }
    emit modifierChanged();
}

DzFloatProperty* DzMorph::getValueControl() const { return _value; }
DzMorphDeltas* DzMorph::getDeltas() const { return _deltas; }
