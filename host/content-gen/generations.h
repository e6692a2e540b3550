#pragma once

#include <QString>
#include <vector>

#include "proportions.h"
#include "tessellation.h"

namespace cg {

enum class Size { Small, Full };

// One figure asset of the library: where it lives, how it is shaped and cut, and how it stands.
struct FigureDef {
    QString id;          // node and asset fragment id, e.g. "Genesis9"
    QString label;       // the figure's label
    QString assetFile;   // relative path of the .dsf under the content directory
    Proportions proportions;
    Tessellation small, full;
    // Legs 6.5 degrees further apart than the rest shape, made by turning the thighs.
    bool spreadLegs = false;
    bool compressed = false;
    // A source of conversions: carries the character morphs and a library of regional morphs.
    bool source = false;

    const Tessellation& tessellation(Size size) const { return size == Size::Small ? small : full; }
    // "/data/...dsf#id"
    QString url() const;
    // The asset's folder below data/, where its morphs live under Morphs/.
    QString dataFolder() const;
};

// The thigh turn that sets Genesis 8 legs apart.
constexpr double kLegSpreadDegrees = 6.5;

const FigureDef& genesis9();
const FigureDef& genesis3Female();
const FigureDef& genesis3Male();
const FigureDef& genesis8Female();
const FigureDef& genesis8Male();
const FigureDef& genesis81Female();
const FigureDef& genesis81Male();
const FigureDef& genesis2Female();
std::vector<const FigureDef*> allFigures();

// Shapes that Genesis 9's own morphs reach.
Proportions feminineProportions();
Proportions masculineProportions();

// A character morph of the older generations: a change of proportions.
struct CharacterMorph {
    QString name, label, group;
    double min = 0, max = 1;
    void (*apply)(Proportions&);
};
const std::vector<CharacterMorph>& characterMorphs();

} // namespace cg
