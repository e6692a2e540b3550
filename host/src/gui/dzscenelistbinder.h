#pragma once

#include <QObject>

class QListWidget;
class DzNode;
class DzScene;

// Keeps a list widget showing the scene's node labels, with the widget's selection and the
// scene's selection following each other both ways.
class DzSceneListBinder : public QObject {
    Q_OBJECT
public:
    // Parented to the list widget, so it lives as long as the widget.
    DzSceneListBinder(DzScene* scene, QListWidget* list);

private slots:
    void slotNodeAdded(DzNode* node);
    void slotNodeRemoved(DzNode* node);
    void slotNodeRelabelled();
    void slotSceneSelectionChanged();
    void slotListSelectionChanged();

private:
    void rebuild(const DzNode* leaving = nullptr);

    DzScene* _pScene;
    QListWidget* _pList;
    bool _bSyncing = false;
};
