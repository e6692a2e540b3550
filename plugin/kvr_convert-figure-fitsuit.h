#pragma once

#include "kvr_types.h"

class DzFigure;
class KvrConverter;
struct KvrConversion;

// Steps 9 to 16: the converted morph carried onto a Genesis 9 fit suit and exported as the new
// morphs' shape. A temporary Genesis 9, cloned to the source's generation and in its leg
// stance, is exported, removed and imported again as a plain mesh; the Transfer Utility carries
// the stock mesh's morph onto it; dialled, it is exported as the shape the new morphs are made
// of, and the target is set up to take them.
void loadTempG9(KvrConversion& c);
void exportTempG9(KvrConversion& c);
void removeTempG9(KvrConversion& c);
void importFitSuit(KvrConversion& c);
void runTransferUtility(KvrConversion& c);
void dialFitSuitMorphs(KvrConversion& c);
void exportFitSuit(KvrConversion& c);
void adjustTarget(KvrConversion& c);

// Loads the temporary Genesis 9 of the fit suit: cloned to the source's generation, in its leg
// stance, at the job's resolution.
DzFigure* loadFitSuitFigure(KvrConverter& job, KvrResolution eResolution);
