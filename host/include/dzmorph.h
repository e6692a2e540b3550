#pragma once

#include "dzmodifier.h"

class DzFloatProperty;
class DzMorphDeltas;

// A morph: exactly one float property, named like the morph, whose value scales the deltas.
// New morphs dial from 0 to 1, clamped.
class DzMorph : public DzModifier {
    Q_OBJECT
public:
    explicit DzMorph(const QString& name, QObject* parent = nullptr);
    ~DzMorph() override;

    // Takes ownership; the previous deltas are deleted.
    void setDeltas(DzMorphDeltas* deltas);

public slots:
    DzFloatProperty* getValueControl() const;
    DzMorphDeltas* getDeltas() const;

private:
    DzFloatProperty* _value = nullptr;
    DzMorphDeltas* _deltas = nullptr;
};
