#pragma once

#include <QObject>

class DzAction;

// The actions of the session, found by class name.
class DzActionMgr : public QObject {
    Q_OBJECT
public:
    explicit DzActionMgr(QObject* parent = nullptr);
    ~DzActionMgr() override;

    // Takes ownership.
    void addAction(DzAction* action);

public slots:
    int getNumActions() const;
    DzAction* getAction(int index) const;
    DzAction* findAction(const QString& className) const;

signals:
    void actionAdded(DzAction* action);

private:
    QList<DzAction*> _actions;
};
