#pragma once

#include "dznode.h"

class DzBone;

// A node with bones: every DzBone below it in the node hierarchy, in depth-first order.
class DzSkeleton : public DzNode {
    Q_OBJECT
public:
    explicit DzSkeleton(QObject* parent = nullptr);
    ~DzSkeleton() override;

    QList<DzBone*> getAllBones() const;

public slots:
    DzSkeleton* getSkeleton() const override;
    DzBone* findBone(const QString& name) const;
    int getNumBones() const;
    DzBone* getBone(int index) const;
};
