#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "tv_daz-helpers-scene.h"
#include "tv_flagset.h"

// The source figure's generation; Genesis 8 and 8.1 are treated alike.
enum class KvrSourceGeneration : int32_t {
    Genesis3Female = 0,
    Genesis3Male = 1,
    Genesis8Female = 2,
    Genesis8Male = 3,
};

// The stock figures a job may load into the scene.
enum class KvrStockFigure : int {
    Invalid = 0,
    Genesis3Female = 1,
    Genesis3Male = 2,
    Genesis8FemaleDevLoad = 3,
    Genesis8MaleDevLoad = 4,
    Genesis9DevLoad = 5,
    Genesis9 = 6,
};

// The morphs a job creates; stored as a flag set.
enum class KvrJobFlag : uint64_t {
    FullFigureMorph = 1,
    HeadMorph = 2,
    BodyMorph = 4,
};
using KvrJobFlags = tav::FlagSet<KvrJobFlag>;

// The resolution at which the new morphs are built.
enum class KvrResolution : int {
    Base = 0,
    Subd = 1,
};

// One text per morph kind, in the order full figure, head, body (names, property paths).
using KvrMorphTexts = std::array<std::string, 3>;

// Source morphs the transfer could not carry over, by name, with their values in the source.
using KvrMissingMorphs = std::map<std::string, float>;

// Source generation of a figure kind; false for Genesis 9 and unknown figures.
bool SourceGenerationOf(tav::daz::FigureKind eKind, KvrSourceGeneration* peGeneration);

// The Genesis 9 clone morph that lays the target onto the generation's base surface.
const char* CloneProperty(KvrSourceGeneration eGeneration);

// The stock figure that stands for a source generation (generation g gives g + 1).
KvrStockFigure StockFigureOf(KvrSourceGeneration eGeneration);

// "full", "head" or "body".
const char* MorphKindText(KvrJobFlag eFlag);
