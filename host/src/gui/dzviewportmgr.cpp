#include "dzviewportmgr.h"

#include <QScriptEngine>
#include <QVBoxLayout>

#include "dz3dviewport.h"
#include "dznode.h"
#include "dzviewport.h"
#include "script/dzscriptsetup.h"

namespace {

// Scripts reach the views through the manager, and pass node lists and per-vertex values.
const bool scriptTypesRegistered = dzRegisterScriptTypes([](QScriptEngine* engine) {
    dzScriptRegisterQObjectPointer<DzViewportMgr>(engine);
    dzScriptRegisterQObjectPointer<DzViewport>(engine);
    dzScriptRegisterQObjectPointer<Dz3DViewport>(engine);
    qScriptRegisterSequenceMetaType<QList<DzNode*>>(engine);
    qScriptRegisterSequenceMetaType<QVector<float>>(engine);
});

} // namespace

DzViewportMgr::DzViewportMgr(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ViewportMgr"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    _active = new DzViewport(this);
    _viewports.append(_active);
    layout->addWidget(_active);
}

DzViewportMgr::~DzViewportMgr() = default;

int DzViewportMgr::getNumViewports() const { return _viewports.size(); }

DzViewport* DzViewportMgr::getViewport(int index) const { return _viewports.value(index); }

DzViewport* DzViewportMgr::getActiveViewport() const { return _active; }
