#include "dzpane.h"

DzPane::DzPane(const QString& label, QWidget* parent) : QWidget(parent), _label(label)
{
    setWindowTitle(label);
}

DzPane::~DzPane() = default;

QString DzPane::getLabel() const { return _label; }
