#pragma once

#include <string>
#include <utility>
#include <vector>

#include "conversion_fixture.h"
#include "kvr_morph-batch.h"

// What tests of the morph batch share: batches of a source's morphs, dials, and the judge of a
// converted morph.

using Dials = std::vector<std::pair<std::string, float>>;

// Every morph of the source: its character and regional libraries.
std::vector<std::string> everyMorph(DzFigure* pfigSource);

// "<source name> (G9)": a converted morph's name in these tests (head and body ones add " head",
// " body"), under "/Converted".
std::string convertedName(const std::string& sourceName);

KvrMorphBatchOptions batchOf(const std::vector<std::string>& names, KvrJobFlags flags = KvrJobFlag::FullFigureMorph);

// Every morph of the figure at zero but the given ones at their values.
void dialOnly(DzFigure* pFigure, const Dials& dials);

// What a conversion is judged by. The clone leaves a gap between the figures of its own; a morph
// converted well moves the Genesis 9 with the source, so each source vertex keeps its gap: the
// change error is the largest change of a gap. Unconverted, the gaps change by about the
// morph's reach, how far it moves the source (less where it slides along the surface).
struct Judgement {
    Fidelity fidelity;  // the figures with the morphs dialled, whole
    float fReach = 0;
    float fChangeError = 0;
    float fUnconvertedError = 0;
};

// The source with the dials against the target with the clone and the dials' conversions.
Judgement judgeDials(ConversionScene& scene, const SourceFigure& source, const Dials& dials);
