#pragma once

#include <QAction>
#include <QKeySequence>

// A host action. Plug-ins derive from it and override executeAction(); the host places it in
// the menu of its default menu path with its default accelerator.
class DzAction : public QAction {
    Q_OBJECT
public:
    DzAction(const QString& text = QString(), const QString& description = QString());
    ~DzAction() override;

    virtual QString getActionGroup() const;
    virtual QString getDefaultMenuPath() const;
    virtual QString getDefaultToolBar() const;
    virtual QKeySequence getDefaultAccel() const;
    virtual void init();
    virtual void styleChange();
    virtual void updateInlineHelp();

public slots:
    QString getDescription() const;

protected slots:
    virtual void toggleAction(bool on);
    virtual void executeAction();

private:
    QString _description;
};
