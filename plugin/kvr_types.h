#pragma once

#include <cstdint>
#include <map>
#include <string>

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

// What kind of morph a job made, in the order of the job flags' bits.
enum class KvrMorphKind : int32_t {
    FullFigure = 0,
    Head = 1,
    Body = 2,
};

// The word that names each kind of morph in settings keys.
struct KvrMorphKindInfo {
    KvrMorphKind eKind;
    const char* pcszKey;
};

inline constexpr KvrMorphKindInfo aMorphKinds[] = {
    {KvrMorphKind::FullFigure, "full"},
    {KvrMorphKind::Head, "head"},
    {KvrMorphKind::Body, "body"},
};

// One text per morph kind (names, property paths).
struct KvrMorphTexts {
    std::string full;
    std::string head;
    std::string body;

    const std::string& of(KvrMorphKind eKind) const;
    std::string& of(KvrMorphKind eKind);
    bool operator==(const KvrMorphTexts& other) const
    {
        return full == other.full && head == other.head && body == other.body;
    }
};

// Source morphs the transfer could not carry over, by name, with their values in the source.
using KvrMissingMorphs = std::map<std::string, float>;

// "full", "head" or "body".
const char* MorphKindKey(KvrMorphKind eKind);
