#pragma once

#include <QMainWindow>

class DzActionMgr;
class DzPaneMgr;

// The studio's main window: menus built from the actions, the scene list, panes, log, progress.
class DzMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DzMainWindow(QWidget* parent = nullptr);
    ~DzMainWindow() override;

public slots:
    DzActionMgr* getActionMgr() const;
    DzPaneMgr* getPaneMgr() const;

private:
    struct Impl;
    Impl* _d;
};
