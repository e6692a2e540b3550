#include "dzdeleteaction.h"

#include <QPointer>

#include "dzapp.h"
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
