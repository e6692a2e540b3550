#pragma once

#include <QWidget>

class Dz3DViewport;

// One viewport of the main window: the frame around a 3D view.
class DzViewport : public QWidget {
    Q_OBJECT
public:
    explicit DzViewport(QWidget* parent = nullptr);
    ~DzViewport() override;

public slots:
    Dz3DViewport* get3DViewport() const;

private:
    Dz3DViewport* _view;
};
