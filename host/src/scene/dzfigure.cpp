#include "dzfigure.h"

#include "dzobject.h"
#include "dzskinbinding.h"

DzFigure::DzFigure(QObject* parent) : DzSkeleton(parent) {}
DzFigure::~DzFigure() = default;

DzSkinBinding* DzFigure::getSkinBinding() const
{
    const DzObject* object = getObject();
    if (!object)
        return nullptr;
    for (DzModifier* modifier : object->modifierList())
        if (auto* binding = qobject_cast<DzSkinBinding*>(modifier))
            return binding;
    return nullptr;
}
