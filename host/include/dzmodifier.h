#pragma once

#include "dzelement.h"

class DzObject;

// Something that changes an object's geometry (morphs, skin binding).
class DzModifier : public DzElement {
    Q_OBJECT
public:
    explicit DzModifier(QObject* parent = nullptr);
    ~DzModifier() override;

    // Set by DzObject when the modifier is added or removed.
    void setObject(DzObject* object);

public slots:
    DzObject* getObject() const;

signals:
    // A property value or the modifier's data changed.
    void modifierChanged();

private:
    DzObject* _object = nullptr;
};
