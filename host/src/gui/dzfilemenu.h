#pragma once

#include <QMenu>
#include <functional>

// The studio's File menu: "Open Scene..." (replaces the scene), "Merge..." (adds a file to
// it), "Save Scene As..." and "Open Recent" (the recent files, most recent first), all done
// through dzscenefiles. The main window installs it first in its menu bar:
//     menuBar()->insertMenu(menuBar()->actions().value(0), new DzFileMenu(this));
class DzFileMenu : public QMenu {
    Q_OBJECT
public:
    enum class Request { Open, Merge, SaveAs };
    // Asks the user for a file for the request; empty when the user cancels.
    using FileChooser = std::function<QString(Request)>;

    explicit DzFileMenu(QWidget* parent = nullptr);
    ~DzFileMenu() override;

    // Replaces the host's file dialogs (tests answer without a person).
    void setFileChooser(FileChooser chooser);

    QAction* openAction() const;
    QAction* mergeAction() const;
    QAction* saveAsAction() const;
    // Rebuilt from the recent files each time the File menu is about to show.
    QMenu* recentMenu() const;

public slots:
    void rebuildRecentMenu();

private:
    QString chooseFile(Request request) const;

    FileChooser _chooser;
    QAction* _open = nullptr;
    QAction* _merge = nullptr;
    QAction* _saveAs = nullptr;
    QMenu* _recent = nullptr;
};
