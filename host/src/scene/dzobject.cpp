#include "dzobject.h"

#include "dzmodifier.h"
#include "dzshape.h"
#include "dzskinbinding.h"

DzObject::DzObject(QObject* parent) : DzElement(parent) {}

DzObject::~DzObject()
{
    // Modifiers before shapes; nobody listens any more.
    blockSignals(true);
    qDeleteAll(_modifiers);
    _modifiers.clear();
    qDeleteAll(_shapes);
    _shapes.clear();
}

void DzObject::setNode(DzNode* node) { _node = node; }
DzNode* DzObject::getNode() const { return _node; }
QList<DzModifier*> DzObject::modifierList() const { return _modifiers; }

bool DzObject::addModifier(DzModifier* modifier)
{
    if (!modifier || _modifiers.contains(modifier))
        return false;
    _modifiers.append(modifier);
    modifier->setParent(this);
    modifier->setObject(this);
    connect(modifier, &DzModifier::modifierChanged, this, &DzObject::geometryChanged);
    emit modifierAdded(modifier);
    emit geometryChanged();
    return true;
}

bool DzObject::removeModifier(DzModifier* modifier)
{
    if (!modifier || !_modifiers.removeOne(modifier))
        return false;
    disconnect(modifier, nullptr, this, nullptr);
    modifier->setObject(nullptr);
    modifier->setParent(nullptr);
    emit modifierRemoved(modifier);
    emit geometryChanged();
    modifier->deleteLater();
    return true;
}

int DzObject::getNumModifiers() const { return _modifiers.size(); }
DzModifier* DzObject::getModifier(int index) const { return _modifiers.value(index); }

DzModifier* DzObject::findModifier(const QString& name) const
{
    for (DzModifier* modifier : _modifiers)
        if (modifier->getName() == name)
            return modifier;
    return nullptr;
}

void DzObject::addShape(DzShape* shape)
{
    if (!shape || _shapes.contains(shape))
        return;
    _shapes.append(shape);
    shape->setParent(this);
    if (_currentShape)
        disconnect(_currentShape, nullptr, this, nullptr);
    _currentShape = shape;
    connect(shape, &DzShape::shapeChanged, this, &DzObject::geometryChanged);
    emit geometryChanged();
}

int DzObject::getNumShapes() const { return _shapes.size(); }
DzShape* DzObject::getShape(int index) const { return _shapes.value(index); }
DzShape* DzObject::getCurrentShape() const { return _currentShape; }

DzSkinBinding* DzObject::findSkinBinding() const
{
    for (DzModifier* modifier : modifierList())
        if (auto* binding = qobject_cast<DzSkinBinding*>(modifier))
            return binding;
    return nullptr;
}
