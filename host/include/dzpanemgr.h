#pragma once

#include <QObject>

class DzPane;

// The panes of the main window, found by class name.
class DzPaneMgr : public QObject {
    Q_OBJECT
public:
    explicit DzPaneMgr(QObject* parent = nullptr);
    ~DzPaneMgr() override;

    // The manager does not own panes; the main window does.
    void addPane(DzPane* pane);

public slots:
    int getNumPanes() const;
    DzPane* getPane(int index) const;
    DzPane* findPane(const QString& className) const;
    void showPane(DzPane* pane);

signals:
    void paneShown(DzPane* pane);

private:
    QList<DzPane*> _panes;
};
