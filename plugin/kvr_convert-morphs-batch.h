#pragma once

#include <functional>

#include "kvr_morph-batch.h"

class KvrConverter;

namespace tav::daz {
class StepProgress;
}

// Told after each morph of a batch with what it became and the batch's progress, which the
// caller may cancel as the user's Cancel does.
using KvrMorphDoneHook = std::function<void(const KvrConvertedMorph& morph, tav::daz::StepProgress& progress)>;

// Converts each ordered source morph into morphs of its own on the target, under one cancellable
// host progress: a first step builds what every morph shares (the target made ready, one fit
// suit carrying every morph of the batch, the head-split D-Former when head and body morphs are
// wanted), then one step per morph, named after it, dials that morph alone on the fit suit,
// exports it and has Morph Loader Pro make the requested morphs of it. A morph that moves nothing
// is skipped. Cancel stops between morphs and keeps those made. On success and on cancel no
// temporary node is left and the target is as before but for its new morphs; the source is
// never changed. A failure throws one tav::Exception naming the morph and leaves the scene as far
// as the batch got.
KvrMorphBatchResult runMorphBatch(KvrConverter& job, const KvrMorphBatchOptions& options,
                                  const KvrMorphDoneHook& onMorphDone = {});
