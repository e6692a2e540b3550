#pragma once

#include "kvr_params.h"

// Checks the scene's selection (one Genesis 3, 8 or 8.1 source and one Genesis 9 target; a
// selected bone stands for its figure) and builds the job's parameters from it. Throws when
// the selection does not fit or the target lacks a dial the job needs.
KvrParamsPtr validateSelection();

// The parameters of a job on the given figures; throws when a needed property is missing.
KvrParamsPtr makeParams(DzFigure* pfigSource, KvrSourceGeneration eGeneration, DzFigure* pfigTarget);
