#pragma once

#include <QMainWindow>
#include <functional>

class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class DzAction;
class DzLogView;
class DzActionMgr;
class DzClassFactory;
class DzPane;
class DzPaneMgr;
class DzProgress;
class DzViewportMgr;

// The studio's main window: menus built from the actions, the 3D view in the centre, the scene
// list docked on the left (panes asked for there stand under it), other panes on the right, the
// log below, progress in the status bar. Menus keep the host's order whenever they are made:
// File, Edit, Create, Tools, then the plug-ins' menus, Window, Help.
class DzMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DzMainWindow(QWidget* parent = nullptr);
    ~DzMainWindow() override;

    // Creates one action through every factory whose class is an action, adds it to the action
    // manager and places it in its menu with its accelerator.
    void createActionsFromFactories(const QList<DzClassFactory*>& factories);
    // Places an action in the menu of its default menu path ("File/Export" nests), creating the
    // menus on demand, and gives it its default accelerator. The action manager owns it.
    void addAction(DzAction* action);
    // Docks a pane in the area (left: under the scene list) and registers it with the pane
    // manager (the window owns it).
    void addPane(DzPane* pane, Qt::DockWidgetArea area = Qt::RightDockWidgetArea);
    // Registers a pane every main window creates and docks when it is built; host panes call it
    // from a static object in their source:
    //   static const bool r = DzMainWindow::registerPaneCreator([] { return new DzParametersPane; });
    static bool registerPaneCreator(std::function<DzPane*()> creator,
                                    Qt::DockWidgetArea area = Qt::RightDockWidgetArea);
    // Shows a progress object's steps in the progress bar until it finishes; a cancellable one
    // also gets the Cancel button beside the bar, and the rest of the window waits for it.
    void trackProgress(DzProgress* progress);
    // True from a tracked progress's start to its end.
    bool isWorking() const;

    // The menu of a path ("Co&nvert"; mnemonics are ignored when matching), or null.
    QMenu* findMenu(const QString& menuPath) const;
    // The menu of a path ("&File", "File/Export" nests), made where it belongs when missing.
    QMenu* menuFor(const QString& menuPath);
    QListWidget* sceneList() const;
    // The Log pane and its text.
    DzLogView* logPane() const;
    QPlainTextEdit* logView() const;
    QProgressBar* progressBar() const;
    QPushButton* cancelButton() const;

public slots:
    DzActionMgr* getActionMgr() const;
    DzPaneMgr* getPaneMgr() const;
    DzViewportMgr* getViewportMgr() const;

signals:
    // Each tracked progress as it goes: its first info line and step count, every change of its
    // info or step (steps counted from 0), and its end.
    void progressStarted(const QString& info, int totalSteps);
    void progressChanged(const QString& info, int currentStep, int totalSteps);
    void progressFinished();

private:
    void offerCancel(DzProgress* progress);
    void withdrawCancel(DzProgress* progress);
    void cancelLatest();
    void holdWindow();

    struct Impl;
    Impl* _d;
};
