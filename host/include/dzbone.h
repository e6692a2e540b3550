#pragma once

#include "dznode.h"

// A bone of a skeleton. It turns the vertices bound to it about its centre point by its
// XRotate/YRotate/ZRotate, on top of the rotation of the bones above it.
class DzBone : public DzNode {
    Q_OBJECT
public:
    explicit DzBone(QObject* parent = nullptr);
    ~DzBone() override;

public slots:
    DzVec3 getOrigin() const;
    void setOrigin(const DzVec3& origin);
    DzSkeleton* getSkeleton() const override;

protected:
    void transformChanged() override;

private:
    DzVec3 _origin;
};
