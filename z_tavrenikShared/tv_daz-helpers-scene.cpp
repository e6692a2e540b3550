#include "tv_daz-helpers-scene.h"

#include <QMetaObject>
#include <array>

#include "dzapp.h"
#include "dzbone.h"
#include "dzenumproperty.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmodifier.h"
#include "dzmorph.h"
#include "dznode.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "dzskeleton.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {

namespace {

using str::Quoted;

const char* const pcszResolutionProperty = "lodlevel";
const char* const pcszSubdivisionLevelProperty = "SubDIALevel";

QString ToQ(std::string_view text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

[[noreturn]] void ThrowNoProperty(DzNode* pNode, std::string_view name)
{
    throw Exception("node {} ({}) has no property named {}", Quoted(pNode->getName()),
                    Quoted(pNode->getLabel()), Quoted(name));
}

DzShape* GetShape(DzNode* pNode, bool required)
{
    DzObject* pObject = pNode->getObject();
    DzShape* pShape = pObject ? pObject->getCurrentShape() : nullptr;
    if (!pShape && required)
        throw Exception("node {} has no DzShape", Quoted(pNode->getLabel()));
    return pShape;
}

// A modifier named like the property that holds just that one property is the direct hit;
// otherwise the first modifier that has a property of that name.
DzProperty* FindModifierProperty(DzNode* pNode, const QString& name)
{
    DzObject* pObject = pNode->getObject();
    if (!pObject)
        return nullptr;
    if (DzModifier* pNamed = pObject->findModifier(name)) {
        if (pNamed->getNumProperties() == 1)
            return pNamed->getProperty(0);
    }
    for (int i = 0; i < pObject->getNumModifiers(); ++i) {
        if (DzProperty* pProperty = pObject->getModifier(i)->findProperty(name))
            return pProperty;
    }
    return nullptr;
}

DzProperty* FindInScope(DzNode* pNode, PropertyScope eScope, const QString& name)
{
    switch (eScope) {
    case PropertyScope::Node:
        return pNode->findProperty(name);
    case PropertyScope::Modifier:
        return FindModifierProperty(pNode, name);
    case PropertyScope::Shape: {
        DzShape* pShape = GetShape(pNode, false);
        return pShape ? pShape->findProperty(name) : nullptr;
    }
    case PropertyScope::Any:
        for (PropertyScope e : {PropertyScope::Node, PropertyScope::Modifier, PropertyScope::Shape}) {
            if (DzProperty* pProperty = FindInScope(pNode, e, name))
                return pProperty;
        }
        return nullptr;
    }
    return nullptr;
}

// Casts with the expected class's meta-object; a property of another class is an error when
// required.
template <typename T>
T* CastProperty(DzProperty* pProperty, DzNode* pNode, std::string_view name, bool required)
{
    if (!pProperty)
        return nullptr;
    if (QObject* pCast = T::staticMetaObject.cast(pProperty))
        return static_cast<T*>(pCast);
    if (required) {
        throw Exception("expected property {} in node {} ({}) to be a {} but it is {} instead",
                        Quoted(name), Quoted(pNode->getName()), Quoted(pNode->getLabel()),
                        T::staticMetaObject.className(), pProperty->metaObject()->className());
    }
    return nullptr;
}

struct FigureUri {
    FigureKind eKind;
    const char* pcszUri;
};

const std::array<FigureUri, 7> aFigureUris = {{
    {FigureKind::Genesis3Female, "/data/DAZ%203D/Genesis%203/Female/Genesis3Female.dsf#Genesis3Female"},
    {FigureKind::Genesis8Female, "/data/Daz%203D/Genesis%208/Female/Genesis8Female.dsf#Genesis8Female"},
    {FigureKind::Genesis81Female,
     "/data/Daz%203D/Genesis%208/Female%208_1/Genesis8_1Female.dsf#Genesis8_1Female"},
    {FigureKind::Genesis3Male, "/data/DAZ%203D/Genesis%203/Male/Genesis3Male.dsf#Genesis3Male"},
    {FigureKind::Genesis8Male, "/data/Daz%203D/Genesis%208/Male/Genesis8Male.dsf#Genesis8Male"},
    {FigureKind::Genesis81Male, "/data/Daz%203D/Genesis%208/Male%208_1/Genesis8_1Male.dsf#Genesis8_1Male"},
    {FigureKind::Genesis9, "/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9"},
}};

} // namespace

DzObject* GetObject(DzNode* pNode, bool required)
{
    DzObject* pObject = pNode->getObject();
    if (!pObject && required) {
        throw Exception("node {} ({}) has no DzObject", Quoted(pNode->getName()),
                        Quoted(pNode->getLabel()));
    }
    return pObject;
}

DzProperty* FindNodeProperty(DzNode* pNode, PropertyScope eScope, std::string_view name, bool required)
{
    if (eScope == PropertyScope::Shape && required)
        GetShape(pNode, true);
    DzProperty* pProperty = FindInScope(pNode, eScope, ToQ(name));
    if (!pProperty && required)
        ThrowNoProperty(pNode, name);
    return pProperty;
}

DzFloatProperty* GetFloatProperty(DzNode* pNode, PropertyScope eScope, std::string_view name,
                                  bool required)
{
    return CastProperty<DzFloatProperty>(FindNodeProperty(pNode, eScope, name, required), pNode, name,
                                         required);
}

DzIntProperty* GetIntProperty(DzNode* pNode, PropertyScope eScope, std::string_view name, bool required)
{
    return CastProperty<DzIntProperty>(FindNodeProperty(pNode, eScope, name, required), pNode, name,
                                       required);
}

DzFloatProperty* GetBoneFloatProperty(DzFigure* pFigure, std::string_view boneName,
                                      std::string_view propertyName, bool required)
{
    DzBone* pBone = pFigure->findBone(ToQ(boneName));
    if (!pBone) {
        if (required)
            throw Exception("cannot find bone {} in figure {}", Quoted(boneName), Quoted(pFigure->getLabel()));
        return nullptr;
    }
    return GetFloatProperty(pBone, PropertyScope::Node, propertyName, required);
}

void SetBoneFloatPropertyValue(DzFigure* pFigure, std::string_view boneName,
                               std::string_view propertyName, float value)
{
    GetBoneFloatProperty(pFigure, boneName, propertyName, true)->setValue(value);
}

DzEnumProperty* GetResolutionProperty(DzNode* pNode, bool required)
{
    DzShape* pShape = GetShape(pNode, required);
    DzProperty* pProperty = pShape ? pShape->findProperty(pcszResolutionProperty) : nullptr;
    if (!pProperty && required)
        ThrowNoProperty(pNode, pcszResolutionProperty);
    return CastProperty<DzEnumProperty>(pProperty, pNode, pcszResolutionProperty, required);
}

NodeResolution GetNodeResolution(DzNode* pNode)
{
    DzEnumProperty* pProperty = GetResolutionProperty(pNode, false);
    if (!pProperty)
        return NodeResolution::Undefined;
    switch (pProperty->getValue()) {
    case 0:
        return NodeResolution::BaseResolution;
    case 1:
        return NodeResolution::HighResolution;
    default:
        return NodeResolution::Undefined;
    }
}

bool SetNodeResolution(DzNode* pNode, NodeResolution eResolution, bool required)
{
    DzEnumProperty* pProperty = GetResolutionProperty(pNode, required);
    if (!pProperty)
        return false;
    switch (eResolution) {
    case NodeResolution::BaseResolution:
        pProperty->setValue(0);
        return true;
    case NodeResolution::HighResolution:
        pProperty->setValue(1);
        return true;
    default:
        if (required)
            throw Exception(std::string_view("invalid enum value"));
        return false;
    }
}

DzIntProperty* GetSubdivisionLevelProperty(DzNode* pNode, bool required)
{
    return GetIntProperty(pNode, PropertyScope::Shape, pcszSubdivisionLevelProperty, required);
}

bool GetSubdivisionLevel(DzNode* pNode, int* piLevel)
{
    DzIntProperty* pProperty = GetSubdivisionLevelProperty(pNode, false);
    if (!pProperty)
        return false;
    if (piLevel)
        *piLevel = pProperty->getValue();
    return true;
}

DzFigure* AsFigure(DzNode* pNode)
{
    if (auto* pFigure = qobject_cast<DzFigure*>(pNode))
        return pFigure;
    throw Exception("node {} is not a DzFigure", Quoted(pNode ? pNode->getLabel() : QString()));
}

DzNode* GetOwningFigure(DzNode* pNode)
{
    if (auto* pBone = qobject_cast<DzBone*>(pNode))
        return pBone->getSkeleton();
    return pNode;
}

std::vector<DzNode*> GetSelectedNodes()
{
    std::vector<DzNode*> nodes;
    for (DzNodeListIterator it = dzScene->selectedNodeListIterator(); it.hasNext();)
        nodes.push_back(it.next());
    return nodes;
}

bool SelectOnly(DzNode* pNode)
{
    if (dzScene->getNumSelectedNodes() == 1 && dzScene->getSelectedNode(0) == pNode)
        return false;
    dzScene->selectAllNodes(false);
    dzScene->setPrimarySelection(pNode);
    return true;
}

FigureKind FigureKindFromUri(std::string_view uri)
{
    for (const FigureUri& entry : aFigureUris) {
        if (str::EqualsIgnoreCase(uri, entry.pcszUri))
            return entry.eKind;
    }
    return FigureKind::None;
}

FigureKind FigureKindOf(DzNode* pNode)
{
    return FigureKindFromUri(ToUtf8(pNode->getAssetUri().toString()));
}

DzMorph* FindMorph(DzNode* pNode, std::string_view name)
{
    DzObject* pObject = pNode->getObject();
    DzModifier* pModifier = pObject ? pObject->findModifier(ToQ(name)) : nullptr;
    if (auto* pMorph = qobject_cast<DzMorph*>(pModifier))
        return pMorph;
    throw Exception("cannot find morph {} in node {}", Quoted(name), Quoted(pNode->getLabel()));
}

DzFloatProperty* GetMorphValueProperty(DzMorph* pMorph)
{
    const int cProperties = pMorph->getNumProperties();
    if (cProperties != 1) {
        throw Exception("internal error: expected morph {} to have exactly one property, but it has {}",
                        Quoted(pMorph->getName()), cProperties);
    }
    if (auto* pProperty = qobject_cast<DzFloatProperty*>(pMorph->getProperty(0)))
        return pProperty;
    throw Exception("property of morph {} is not a DzFloatProperty", Quoted(pMorph->getName()));
}

} // namespace tav::daz
