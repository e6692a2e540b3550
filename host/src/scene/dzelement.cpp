#include "dzelement.h"

#include "dzproperty.h"

DzElement::DzElement(QObject* parent) : DzBase(parent) {}

DzElement::~DzElement()
{
    // Properties die with their element; listeners hear removed() first.
    for (DzProperty* p : _properties + _privateProperties) {
        emit p->removed();
        delete p;
    }
}

bool DzElement::insertProperty(QList<DzProperty*>& list, DzProperty* property)
{
    if (!property || findProperty(property->getName()) || findPrivateProperty(property->getName()))
        return false;
    list.append(property);
    property->setParent(this);
    property->setOwner(this);
    connect(property, &DzProperty::currentValueChanged, this, &DzElement::onPropertyValueChanged);
    _groups.reset();
    emit propertyAdded(property);
    return true;
}

bool DzElement::addProperty(DzProperty* property) { return insertProperty(_properties, property); }

bool DzElement::addPrivateProperty(DzProperty* property)
{
    return insertProperty(_privateProperties, property);
}

bool DzElement::removeProperty(DzProperty* property)
{
    if (!_properties.removeOne(property) && !_privateProperties.removeOne(property))
        return false;
    _groups.reset();
    emit property->removed();
    emit propertyRemoved(property);
    delete property;
    return true;
}

void DzElement::onPropertyValueChanged()
{
    if (auto* property = qobject_cast<DzProperty*>(sender()))
        emit propertyValueChanged(property);
}

QStringList DzElement::propertyGroupPaths() const
{
    QStringList paths;
    for (const DzProperty* p : _properties)
        if (!p->getPath().isEmpty())
            paths.append(p->getPath());
    return paths;
}

void DzElement::invalidatePropertyGroups() { _groups.reset(); }

const DzPropertyGroupTree* DzElement::getPropertyGroups() const
{
    if (!_groups)
        _groups = std::make_unique<DzPropertyGroupTree>(propertyGroupPaths());
    return _groups.get();
}

QString DzElement::getLabel() const { return _label; }

void DzElement::setLabel(const QString& label)
{
    if (label == _label)
        return;
    _label = label;
    emit labelChanged(label);
}

int DzElement::getNumProperties() const { return _properties.size(); }
DzProperty* DzElement::getProperty(int index) const { return _properties.value(index); }

DzProperty* DzElement::findProperty(const QString& name) const
{
    for (DzProperty* p : _properties)
        if (p->getName() == name)
            return p;
    return nullptr;
}

int DzElement::getNumPrivateProperties() const { return _privateProperties.size(); }
DzProperty* DzElement::getPrivateProperty(int index) const { return _privateProperties.value(index); }

DzProperty* DzElement::findPrivateProperty(const QString& name) const
{
    for (DzProperty* p : _privateProperties)
        if (p->getName() == name)
            return p;
    return nullptr;
}

DzPropertyGroupTree::DzPropertyGroupTree(const QStringList& propertyPaths)
{
    for (const QString& path : propertyPaths) {
        const QStringList parts = path.split('/', Qt::SkipEmptyParts);
        QString prefix;
        for (const QString& part : parts) {
            prefix = prefix.isEmpty() ? part : prefix + '/' + part;
            if (!_paths.contains(prefix))
                _paths.append(prefix);
        }
    }
}

QStringList DzPropertyGroupTree::collectAllPaths() const { return _paths; }
bool DzPropertyGroupTree::isEmpty() const { return _paths.isEmpty(); }
