#include "gui/dzscenelistbinder.h"

#include <QListWidget>
#include <QPointer>

#include "dzscene.h"

#if __has_include("dznode.h")
#include "dznode.h"
#define DZ_SCENE_LIST_HAS_NODES 1
#endif

namespace {

const int kNodeRole = Qt::UserRole + 1;

DzNode* nodeOf(const QListWidgetItem* item)
{
    return static_cast<DzNode*>(item->data(kNodeRole).value<void*>());
}

} // namespace

DzSceneListBinder::DzSceneListBinder(DzScene* scene, QListWidget* list)
    : QObject(list), _pScene(scene), _pList(list)
{
    connect(scene, &DzScene::nodeAdded, this, &DzSceneListBinder::slotNodeAdded);
    connect(scene, &DzScene::nodeRemoved, this, &DzSceneListBinder::slotNodeRemoved);
    connect(scene, &DzScene::nodeSelectionListChanged, this,
            &DzSceneListBinder::slotSceneSelectionChanged);
    connect(list, &QListWidget::itemSelectionChanged, this,
            &DzSceneListBinder::slotListSelectionChanged);
    rebuild();
}

void DzSceneListBinder::slotNodeAdded(DzNode*) { rebuild(); }

void DzSceneListBinder::slotNodeRelabelled() { rebuild(); }

// The scene may still list the node while it announces its removal.
void DzSceneListBinder::slotNodeRemoved(DzNode* node) { rebuild(node); }

void DzSceneListBinder::slotSceneSelectionChanged()
{
    if (_bSyncing)
        return;
    _bSyncing = true;
    const QList<DzNode*> selected = _pScene->selectedNodeList();
    for (int i = 0; i < _pList->count(); ++i) {
        QListWidgetItem* item = _pList->item(i);
        item->setSelected(selected.contains(nodeOf(item)));
    }
    _bSyncing = false;
}

void DzSceneListBinder::slotListSelectionChanged()
{
#ifdef DZ_SCENE_LIST_HAS_NODES
    if (_bSyncing)
        return;
    _bSyncing = true;
    for (int i = 0; i < _pList->count(); ++i) {
        QListWidgetItem* item = _pList->item(i);
        if (DzNode* node = nodeOf(item))
            node->select(item->isSelected());
    }
    _bSyncing = false;
    slotSceneSelectionChanged();
#endif
}

void DzSceneListBinder::rebuild(const DzNode* leaving)
{
    _bSyncing = true;
    _pList->clear();
#ifdef DZ_SCENE_LIST_HAS_NODES
    // Root nodes only: a figure stands for its bones and attachments.
    for (DzNode* node : _pScene->nodeList()) {
        if (node == leaving || !node->isRootNode())
            continue;
        auto* item = new QListWidgetItem(node->getLabel(), _pList);
        item->setData(kNodeRole, QVariant::fromValue(static_cast<void*>(node)));
        connect(node, &DzElement::labelChanged, this, &DzSceneListBinder::slotNodeRelabelled,
                Qt::UniqueConnection);
    }
#else
    Q_UNUSED(leaving);
#endif
    _bSyncing = false;
    slotSceneSelectionChanged();
}
