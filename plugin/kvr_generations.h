#pragma once

#include <array>
#include <cstddef>

#include "kvr_types.h"
#include "tv_daz-helpers-scene.h"

// What each source generation means to a job: the figure kinds that belong to it, the clone
// morph that lays a Genesis 9 onto its base surface, the stock figure loaded for it and the leg
// stance a Genesis 9 needs to stand like it.

// One bone rotation of a pose, in degrees.
struct KvrBoneRotation {
    const char* pcszBone;
    const char* pcszProperty;
    float fDegrees;
};

// A pose of both thighs.
using KvrThighPose = std::array<KvrBoneRotation, 2>;

// Genesis 8 and 8.1 legs stand 6.5 degrees further apart than Genesis 9's.
inline constexpr KvrThighPose genesis8ThighPose = {{
    {"l_thigh", "ZRotate", 6.5f},
    {"r_thigh", "ZRotate", -6.5f},
}};

struct KvrGeneration {
    KvrSourceGeneration eGeneration;
    std::array<tav::daz::FigureKind, 2> aeKinds;  // None fills a place left free
    const char* pcszCloneMorph;                   // on Genesis 9
    KvrStockFigure eStockFigure;
    const KvrThighPose* pThighPose;               // null: the legs stand like Genesis 9's
};

inline constexpr KvrGeneration aGenerations[] = {
    {KvrSourceGeneration::Genesis3Female,
     {tav::daz::FigureKind::Genesis3Female, tav::daz::FigureKind::None},
     "CloneGenesis3Female",
     KvrStockFigure::Genesis3Female,
     nullptr},
    {KvrSourceGeneration::Genesis3Male,
     {tav::daz::FigureKind::Genesis3Male, tav::daz::FigureKind::None},
     "CloneGenesis3Male",
     KvrStockFigure::Genesis3Male,
     nullptr},
    {KvrSourceGeneration::Genesis8Female,
     {tav::daz::FigureKind::Genesis8Female, tav::daz::FigureKind::Genesis81Female},
     "CloneGenesis8Female",
     KvrStockFigure::Genesis8FemaleDevLoad,
     &genesis8ThighPose},
    {KvrSourceGeneration::Genesis8Male,
     {tav::daz::FigureKind::Genesis8Male, tav::daz::FigureKind::Genesis81Male},
     "CloneGenesis8Male",
     KvrStockFigure::Genesis8MaleDevLoad,
     &genesis8ThighPose},
};

// The generation a figure kind belongs to; null for Genesis 9 and unknown figures.
inline const KvrGeneration* GenerationOfKind(tav::daz::FigureKind eKind)
{
    if (eKind == tav::daz::FigureKind::None)
        return nullptr;
    for (const KvrGeneration& generation : aGenerations) {
        for (tav::daz::FigureKind eMember : generation.aeKinds) {
            if (eMember == eKind)
                return &generation;
        }
    }
    return nullptr;
}

// What a source generation means.
inline const KvrGeneration& Generation(KvrSourceGeneration eGeneration)
{
    for (const KvrGeneration& generation : aGenerations) {
        if (generation.eGeneration == eGeneration)
            return generation;
    }
    return aGenerations[0];  // every enumerator has its row
}
