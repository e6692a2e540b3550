#include "dzdeleteaction.h"

#include <QPointer>

#include "../app/dzappservices.h"
#include "dzapp.h"
#include "dzclassfactory.h"
#include "dznode.h"
#include "dzscene.h"

DzDeleteAction::DzDeleteAction() : DzAction("&Delete", "Deletes the selected nodes")
{
    setObjectName("DzDeleteAction");
}

QString DzDeleteAction::getActionGroup() const { return "Edit"; }
QString DzDeleteAction::getDefaultMenuPath() const { return "&Edit"; }
QKeySequence DzDeleteAction::getDefaultAccel() const { return QKeySequence(Qt::Key_Delete); }

void DzDeleteAction::executeAction()
{
    if (!dzScene)
        return;
    // Removing a node takes its children along, so a selected child of a selected node may be
    // gone already when its turn comes.
    QList<QPointer<DzNode>> selected;
    for (DzNode* node : dzScene->selectedNodeList())
        selected.append(node);
    for (const QPointer<DzNode>& node : selected)
        if (node && node->getScene() == dzScene)
            dzScene->removeNode(node);
}

namespace {

// The host's own action goes through a class factory like a plug-in's, so the main window
// places it in its menu and scripts find it by class name.
const bool factoryRegistered = dzRegisterServiceCreator([](DzApp* app, DzAppServices&) {
    static DzTClassFactory<DzDeleteAction> factory(
        DzGuid::fromString(QStringLiteral("{6d1f3c2a-8b4e-4f7a-9c10-2e5b7d9a4c31}")));
    app->registerClassFactory(&factory);
});

} // namespace
