#pragma once

#include <map>
#include <string>
#include <vector>

#include "kvr_types.h"

class DzFigure;
class DzFloatProperty;
class KvrConverter;

// The fit suit of a batch: a Genesis 9 in the source's clone shape and leg stance that carries
// every morph of the batch, each as its source morph's change, all dialled to zero.
struct KvrBatchFitSuit {
    DzFigure* pFigure = nullptr;
    std::map<std::string, DzFloatProperty*> dials;  // by source morph name
};

// Builds the fit suit with one Transfer Utility run: a stock copy of the source's own kind (it
// has the installed morph library the source's morphs come from) is the transfer's source, a
// Genesis 9 cloned to the source's generation, exported and imported again as a plain mesh at
// the resolution, its target. Every temporary node but the fit suit is gone afterwards. Throws
// naming the morph when the stock figure lacks one or the transfer did not carry it over.
KvrBatchFitSuit buildBatchFitSuit(KvrConverter& job, const std::vector<std::string>& morphNames,
                                  KvrResolution eResolution);

// The morph's largest vertex offset at value 1, base and subdivision deltas alike.
float largestMorphDelta(DzFigure* pFigure, const std::string& morphName);
