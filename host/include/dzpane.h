#pragma once

#include <QWidget>

// A dockable pane of the main window.
class DzPane : public QWidget {
    Q_OBJECT
public:
    explicit DzPane(const QString& label, QWidget* parent = nullptr);
    ~DzPane() override;

public slots:
    QString getLabel() const;

private:
    QString _label;
};
