#include "kvr_convert-morphs-transfer.h"

#include <algorithm>

#include "dzfigure.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "kvr_convert-figure-fitsuit.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-stock.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_exception.h"
#include "tv_str.h"

namespace {

// A Genesis 8.1 figure has a morph library of its own, which its generation's stock figure (a
// Genesis 8) does not load: its own basic figure stands in.
struct OwnStock {
    tav::daz::FigureKind eKind;
    const char* pcszPath;
    const char* pcszLabel;
};

const OwnStock aOwnStock[] = {
    {tav::daz::FigureKind::Genesis81Female, "People/Genesis 8 Female/Genesis 8.1 Basic Female.duf",
     "Genesis 8.1 Female"},
    {tav::daz::FigureKind::Genesis81Male, "People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male"},
};

// The transfer reads base deltas at base resolution.
DzFigure* LoadStockOfSourceKind(KvrConverter& job)
{
    const KvrParams& params = *job.params();
    const tav::daz::FigureKind eKind = tav::daz::FigureKindOf(params.pfigSource);
    for (const OwnStock& stock : aOwnStock) {
        if (stock.eKind == eKind)
            return loadFigureFile(job.contentMgr(), resolveContentPath(job.contentMgr(), stock.pcszPath),
                                  stock.pcszLabel, KvrResolution::Base, 0);
    }
    return job.loadStockFigure(Generation(params.eSourceGeneration).eStockFigure, KvrResolution::Base, 0);
}

void CheckStockHasMorphs(DzFigure* pfigStock, const std::vector<std::string>& morphNames)
{
    const tav::daz::NodeMorphs morphs(pfigStock);
    for (const std::string& name : morphNames) {
        if (!morphs.byName().count(name)) {
            throw tav::Exception("cannot convert morph {}: the stock figure {} has no morph of that name; only "
                                 "morphs installed in a content library convert one by one",
                                 name, tav::ToUtf8(pfigStock->getLabel()));
        }
    }
}

} // namespace

KvrBatchFitSuit buildBatchFitSuit(KvrConverter& job, const std::vector<std::string>& morphNames,
                                  KvrResolution eResolution)
{
    KvrJobOptions options;
    options.eResolution = eResolution;
    options.iSubdLevel = eResolution == KvrResolution::Subd ? job.params()->iSubdLevelSource : 0;
    KvrConversion c(job, options);
    c.morphsToTransfer.clear();
    for (const std::string& name : morphNames)
        c.morphsToTransfer.push_back({name, 0.0f});

    DzFigure* pfigStock = LoadStockOfSourceKind(job);
    c.pStockMesh = pfigStock;
    CheckStockHasMorphs(pfigStock, morphNames);
    c.pfigTempG9 = loadFitSuitFigure(job, eResolution);
    exportTempG9(c);
    removeTempG9(c);
    importFitSuit(c);
    runTransferUtility(c);

    KvrBatchFitSuit fitSuit{c.pfigResult, {}};
    const tav::daz::NodeMorphs morphs(fitSuit.pFigure);
    for (const std::string& name : morphNames) {
        const auto it = morphs.byName().find(name);
        if (it == morphs.byName().end())
            throw tav::Exception("cannot convert morph {}: the Transfer Utility did not carry it over", name);
        it->second->pProperty->setValue(0.0f);
        fitSuit.dials.emplace(name, it->second->pProperty);
    }
    return fitSuit;
}

float largestMorphDelta(DzFigure* pFigure, const std::string& morphName)
{
    const DzMorphDeltas* pDeltas = tav::daz::FindMorph(pFigure, morphName)->getDeltas();
    float fLargest = 0.0f;
    if (!pDeltas)
        return fLargest;
    for (const DzVec3& delta : pDeltas->deltaValues())
        fLargest = std::max(fLargest, delta.length());
    for (const DzVec3& delta : pDeltas->hdDeltaValues())
        fLargest = std::max(fLargest, delta.length());
    return fLargest;
}
