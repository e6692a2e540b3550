#pragma once

#include "kvr_types.h"

class DzFigure;

// Whether the dialogs of a conversion offer high resolution for a source, at which level, and
// which resolution they start at: offered with the host's HD morph support and a source that
// has a subdivision level; High first when the source is shown at high resolution.
struct KvrResolutionOffer {
    bool bOffered = false;
    int iSubdLevel = 0;  // the source's level when offered, else 0
    KvrResolution eInitial = KvrResolution::Base;
};

KvrResolutionOffer OfferedResolution(DzFigure* pfigSource);
