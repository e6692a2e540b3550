#pragma once

#include "kvr_job-options.h"

class KvrConverter;

// Turns the source's current shape into the requested morphs on the target by driving the
// host's tools through the job's steps: the source's shape becomes a temporary morph on a stock
// copy of its own generation, the Transfer Utility carries it onto a Genesis 9 fit suit cloned
// to that generation, and Morph Loader Pro loads the fit suit's shape into the target once per
// requested morph. On success the source and the target's transforms are restored; a failure
// leaves the scene as far as the job got.
KvrJobResult runPipeline(KvrConverter& job, const KvrJobOptions& options);
