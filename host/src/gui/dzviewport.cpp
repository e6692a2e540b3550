#include "dzviewport.h"

#include <QVBoxLayout>

#include "dz3dviewport.h"

DzViewport::DzViewport(QWidget* parent) : QWidget(parent), _view(new Dz3DViewport(this))
{
    setObjectName(QStringLiteral("Viewport"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(_view);
}

DzViewport::~DzViewport() = default;

Dz3DViewport* DzViewport::get3DViewport() const { return _view; }
