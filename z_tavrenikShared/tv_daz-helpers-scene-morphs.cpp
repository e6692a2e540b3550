#include "tv_daz-helpers-scene-morphs.h"

#include <cmath>
#include <limits>

#include "dzfloatproperty.h"
#include "dzmodifier.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dznode.h"
#include "dzobject.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace tav::daz {

namespace {

const char* const pcszLibraryPrefix = "/data/";

std::string DeltasUri(DzMorph* pMorph)
{
    DzMorphDeltas* pDeltas = pMorph->getDeltas();
    return pDeltas ? ToUtf8(pDeltas->getUri().toString()) : std::string();
}

} // namespace

NodeMorphs::NodeMorphs(DzNode* pNode) : _pNode(pNode)
{
    DzObject* pObject = pNode ? pNode->getObject() : nullptr;
    if (!pObject)
        return;
    for (int i = 0; i < pObject->getNumModifiers(); ++i) {
        auto* pMorph = qobject_cast<DzMorph*>(pObject->getModifier(i));
        if (!pMorph)
            continue;
        if (pMorph->getNumProperties() != 1)
            throw Exception(std::string_view("expected modifier to have exactly one property"));
        if (auto* pProperty = qobject_cast<DzFloatProperty*>(pMorph->getProperty(0)))
            add(pMorph, pProperty);
    }
}

void NodeMorphs::add(DzMorph* pMorph, DzFloatProperty* pProperty)
{
    auto pInfo = std::make_shared<MorphInfo>();
    pInfo->pMorph = pMorph;
    pInfo->name = ToUtf8(pMorph->getName());
    pInfo->pProperty = pProperty;
    pInfo->isFavorite = pProperty->isFavorite();
    pInfo->uri = DeltasUri(pMorph);
    pInfo->isInLibrary = pInfo->uri.rfind(pcszLibraryPrefix, 0) == 0;
    pInfo->path = ToUtf8(pProperty->getPath());

    _all.push_back(pInfo);
    if (pInfo->isFavorite)
        _favorites.push_back(pInfo);
    _byName[pInfo->name] = pInfo;
    _byLabel[ToUtf8(pProperty->getLabel())] = pInfo;
}

DzFloatProperty* NodeMorphs::FindProperty(std::string_view name, int* piKind) const
{
    const QString qName = QString::fromUtf8(name.data(), int(name.size()));
    for (DzProperty* pFound : {_pNode->findProperty(qName), _pNode->findPrivateProperty(qName)}) {
        if (auto* pProperty = qobject_cast<DzFloatProperty*>(pFound)) {
            if (piKind)
                *piKind = 1;
            return pProperty;
        }
    }
    auto it = _byName.find(std::string(name));
    if (it != _byName.end()) {
        if (piKind)
            *piKind = 0;
        return it->second->pProperty;
    }
    throw Exception("failed to find property {} in node {}", str::Quoted(name), str::Quoted(_pNode->getLabel()));
}

std::vector<ActiveMorph> NodeMorphs::ActiveMorphs() const
{
    std::vector<ActiveMorph> active;
    for (const MorphInfoPtr& pInfo : _all) {
        const float value = float(pInfo->pProperty->getValue());
        if (std::fabs(value) > std::numeric_limits<float>::epsilon())
            active.push_back({pInfo->pMorph ? ToUtf8(pInfo->pMorph->getName()) : std::string(), value});
    }
    return active;
}

} // namespace tav::daz
