#pragma once

#include "dzpane.h"

class QTreeWidget;
class QTreeWidgetItem;

// "Content Library": a tree of each content directory, in the content manager's order, with its
// People, Scenes and Props folders, and below them the folders that hold .duf files (at any
// depth) and the .duf files themselves, folders first, each sorted by name. Double-clicking
// (or activating) a file loads it through dzscenefiles: a scene file (asset type "scene") is
// opened in place of the scene, any other file (a figure, a prop, a preset) is merged into it.
// The tree is read again each time the pane is shown. The main window docks it:
//     addPane(new DzContentLibraryPane);
class DzContentLibraryPane : public DzPane {
    Q_OBJECT
public:
    explicit DzContentLibraryPane(QWidget* parent = nullptr);
    ~DzContentLibraryPane() override;

    QTreeWidget* tree() const;
    // The item of a file or folder below a content directory ("People/Genesis 9/Genesis 9.duf"
    // in directory 0), or null.
    QTreeWidgetItem* findItem(int contentDirIndex, const QString& relativePath) const;

public slots:
    void refresh();
    // What a double-click on the file does; false when it did not load.
    bool loadFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void itemActivated(QTreeWidgetItem* item);

    QTreeWidget* _tree = nullptr;
};
