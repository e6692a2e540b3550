#pragma once

#include "dzskeleton.h"

class DzSkinBinding;

// A rigged figure: a skeleton whose object's mesh is bound to its bones.
class DzFigure : public DzSkeleton {
    Q_OBJECT
public:
    explicit DzFigure(QObject* parent = nullptr);
    ~DzFigure() override;

public slots:
    // The skin binding modifier of the figure's object, null when it has none.
    DzSkinBinding* getSkinBinding() const;
};
