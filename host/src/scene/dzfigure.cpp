#include "dzfigure.h"

#include "dzobject.h"
#include "dzskinbinding.h"

DzFigure::DzFigure(QObject* parent) : DzSkeleton(parent) {}
DzFigure::~DzFigure() = default;

DzSkinBinding* DzFigure::getSkinBinding() const
{
    const DzObject* object = getObject();
    return object ? object->findSkinBinding() : nullptr;
}
