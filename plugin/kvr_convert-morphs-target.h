#pragma once

#include "kvr_types.h"
#include "tv_daz-helpers-scene.h"

class KvrConverter;

// The target as a batch's Morph Loader Pro runs need it, and as it was before. Made ready, the
// target stands at the scene's origin like the fit suit it takes its shapes from, every one of its
// dials is at zero but the source's clone at one, its thighs stand like the source's and it is at
// the batch's resolution: so a shape of the fit suit with one source morph dialled differs from
// the target by that morph's change alone, and the new morph holds nothing else.
class KvrMorphBatchTarget {
public:
    KvrMorphBatchTarget(KvrConverter& job, KvrResolution eResolution, int iSubdLevel);

    // Puts back every value, the resolution and the subdivision level the target had.
    void restore();

private:
    KvrConverter& _job;
    tav::daz::NodeResolution _eResolution;
    int _iSubdLevel = 0;
    bool _bHasSubdLevel = false;
};
