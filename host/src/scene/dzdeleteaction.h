#pragma once

#include "dzaction.h"

// "Delete": removes the selected nodes, with their children, from the scene.
class DzDeleteAction : public DzAction {
    Q_OBJECT
public:
    DzDeleteAction();

    QString getActionGroup() const override;
    QString getDefaultMenuPath() const override;
    QKeySequence getDefaultAccel() const override;

protected slots:
    void executeAction() override;
};
