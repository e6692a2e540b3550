#pragma once

#include <QList>
#include <QWidget>

class DzViewport;

// The main window's viewport area: it lays out the viewports and knows the active one.
class DzViewportMgr : public QWidget {
    Q_OBJECT
public:
    // Starts with one viewport, which is active.
    explicit DzViewportMgr(QWidget* parent = nullptr);
    ~DzViewportMgr() override;

public slots:
    int getNumViewports() const;
    DzViewport* getViewport(int index) const;
    DzViewport* getActiveViewport() const;

private:
    QList<DzViewport*> _viewports;
    DzViewport* _active = nullptr;
};
