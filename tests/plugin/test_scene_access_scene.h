#pragma once

#include <functional>
#include <string>

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzscene.h"
#include "dzshape.h"
#include "test_app.h"
#include "tv_exception.h"

// Small scenes built directly in the host, for the lookups' tests.
namespace scene_access {

inline std::string q(const std::string& text)
{
    return "\u201c" + text + "\u201d";
}

// The text of the product exception the call throws.
inline std::string messageOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const tav::Exception& e) {
        return e.what();
    }
    return "(nothing thrown)";
}

// A figure named "Genesis9", labelled "Genesis 9", with an object and a shape, in the scene.
inline DzFigure* addFigure(const QString& name = "Genesis9", const QString& label = "Genesis 9")
{
    auto* pFigure = new DzFigure;
    pFigure->setName(name);
    pFigure->setLabel(label);
    auto* pObject = new DzObject;
    pObject->addShape(new DzShape);
    pFigure->setObject(pObject);
    dzScene->addNode(pFigure);
    return pFigure;
}

// A morph dialled to the value, with room for negative values.
inline DzMorph* addMorph(DzNode* pNode, const QString& name, float value = 0.0f)
{
    auto* pMorph = new DzMorph(name);
    pMorph->getValueControl()->setMinMax(-1.0f, 1.0f);
    pMorph->getValueControl()->setValue(value);
    pNode->getObject()->addModifier(pMorph);
    return pMorph;
}

} // namespace scene_access
