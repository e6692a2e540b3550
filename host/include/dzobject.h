#pragma once

#include <QList>

#include "dzelement.h"

class DzModifier;
class DzNode;
class DzShape;

// The geometry carrier of a node: its shapes (one current) and its modifiers in order.
// Owns both.
class DzSkinBinding;

class DzObject : public DzElement {
    Q_OBJECT
public:
    explicit DzObject(QObject* parent = nullptr);
    ~DzObject() override;

    // Set by DzNode::setObject.
    void setNode(DzNode* node);
    QList<DzModifier*> modifierList() const;
    // The skin binding among the modifiers, or null.
    DzSkinBinding* findSkinBinding() const;

public slots:
    DzNode* getNode() const;

    // Takes ownership; false when it is null or already there.
    bool addModifier(DzModifier* modifier);
    // Detaches the modifier and deletes it later.
    bool removeModifier(DzModifier* modifier);
    int getNumModifiers() const;
    DzModifier* getModifier(int index) const;
    DzModifier* findModifier(const QString& name) const;

    // Takes ownership; the added shape becomes current.
    void addShape(DzShape* shape);
    int getNumShapes() const;
    DzShape* getShape(int index) const;
    DzShape* getCurrentShape() const;

signals:
    void modifierAdded(DzModifier* modifier);
    void modifierRemoved(DzModifier* modifier);
    // Anything that changes the evaluated geometry changed.
    void geometryChanged();

private:
    DzNode* _node = nullptr;
    QList<DzModifier*> _modifiers;
    QList<DzShape*> _shapes;
    DzShape* _currentShape = nullptr;
};
