#include "dzstyle.h"

DzStyle::DzStyle(const QString& definitionName, const QPalette& palette, QObject* parent)
    : QObject(parent), _definition(definitionName), _palette(palette)
{
}

QString DzStyle::getStyleDefinition() const { return _definition; }

QPalette DzStyle::getColors() const { return _palette; }
