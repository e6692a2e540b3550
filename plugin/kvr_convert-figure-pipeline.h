#pragma once

#include "kvr_report.h"
#include "kvr_types.h"

class DzFigure;
class KvrConverter;

// Turns the source's current shape into the requested morphs on the target by driving the
// host's tools through the job's steps: the source's shape becomes a temporary morph on a stock
// copy of its own generation, the Transfer Utility carries it onto a Genesis 9 fit suit cloned
// to that generation, and Morph Loader Pro loads the fit suit's shape into the target once per
// requested morph. Fills `report` and `missing`. On success the source and the target's
// transforms are restored; a failure leaves the scene as far as the job got.
void runPipeline(KvrConverter& job, KvrMorphReports& report, KvrResolution eResolution, const KvrMorphTexts& paths,
                 const KvrMorphTexts& names, KvrJobFlags flags, KvrMissingMorphs& missing);

// Loads the temporary Genesis 9 of the fit suit: cloned to the source's generation, in the
// Genesis 8 stance for a Genesis 8 source, at the job's resolution.
DzFigure* loadFitSuitFigure(KvrConverter& job, KvrResolution eResolution);
