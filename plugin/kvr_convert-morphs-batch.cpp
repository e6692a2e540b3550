#include "kvr_convert-morphs-batch.h"

#include <QFile>
#include <fmt/format.h>

#include "dzapp.h"
#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-morphs.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_convert-morphs-target.h"
#include "kvr_convert-morphs-transfer.h"
#include "kvr_converter.h"
#include "tv_assert.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-scene.h"
#include "tv_exception.h"
#include "tv_str.h"
#include "tv_wait-cursor.h"

// Host tool calls of a batch of N morphs, none skipped: once, the stock figure's and the
// temporary Genesis 9's loads, the Genesis 9's export and deletion, the fit suit's import, the
// Transfer Utility and the stock figure's deletion (7), and the head-split D-Former's load when
// head and body morphs are wanted (8); per morph, one OBJ export and one Morph Loader Pro run per
// morph made of it. So 7 + 2N for full figure morphs and 8 + 3N for head and body morphs; a
// skipped morph costs nothing.

namespace {

// Below this a fit suit offset is the transfer's rounding, not shape: Morph Loader Pro's own
// tolerance would make an empty morph of it.
const float fMovesNothing = 0.001f;

const KvrMorphKind aeKindsInOrder[] = {KvrMorphKind::FullFigure, KvrMorphKind::Head, KvrMorphKind::Body};

KvrJobFlag FlagOf(KvrMorphKind eKind)
{
    switch (eKind) {
    case KvrMorphKind::Head:
        return KvrJobFlag::HeadMorph;
    case KvrMorphKind::Body:
        return KvrJobFlag::BodyMorph;
    default:
        return KvrJobFlag::FullFigureMorph;
    }
}

std::vector<std::string> StepTexts(const KvrMorphBatchOptions& options)
{
    std::vector<std::string> texts{fmt::format("Transferring {} morphs onto a Genesis 9 fit suit", options.orders.size())};
    for (const KvrMorphOrder& order : options.orders)
        texts.push_back(fmt::format("Converting {}", order.sourceLabel));
    return texts;
}

std::vector<std::string> SourceNames(const KvrMorphBatchOptions& options)
{
    std::vector<std::string> names;
    for (const KvrMorphOrder& order : options.orders)
        names.push_back(order.sourceName);
    return names;
}

// The shared part of a batch and what one morph of it takes.
class MorphBatch {
public:
    MorphBatch(KvrConverter& job, const KvrMorphBatchOptions& options)
        : _job(job),
          _options(options),
          _target(job, options.eResolution, options.eResolution == KvrResolution::Subd ? options.iSubdLevel : 0),
          _fitSuit(buildBatchFitSuit(job, SourceNames(options), options.eResolution))
    {
    }

    KvrConvertedMorph convert(const KvrMorphOrder& order)
    {
        KvrConvertedMorph converted{order.sourceName, order.sourceLabel, {}, false};
        if (largestMorphDelta(_fitSuit.pFigure, order.sourceName) < fMovesNothing) {
            converted.bSkipped = true;
            return converted;
        }
        const std::string objPath = exportAlone(order.sourceName);
        const DzFloatProperty* pSourceDial =
            tav::daz::GetMorphValueProperty(tav::daz::FindMorph(_job.params()->pfigSource, order.sourceName));
        for (KvrMorphKind eKind : aeKindsInOrder) {
            if (!_options.flags.has(FlagOf(eKind)))
                continue;
            converted.reports.push_back(createTargetMorph(_job, objPath, eKind, order.names.of(eKind),
                                                          order.paths.of(eKind), _options.eResolution));
            // Dialled as far as the source's dial goes, negative values included.
            converted.reports.back().pProperty->setMinMax(pSourceDial->getMin(), pSourceDial->getMax());
        }
        // A library's worth of full-size shapes would fill the temporary folder.
        QFile::remove(tav::ToQString(objPath));
        return converted;
    }

    // Removes the fit suit and the D-Former and gives the target back its own state.
    void finish()
    {
        dzScene->removeNode(_fitSuit.pFigure);
        _fitSuit.pFigure = nullptr;
        _job.removeTempNodes();
        _target.restore();
    }

private:
    // The fit suit with only this morph dialled, written as the new morphs' shape.
    std::string exportAlone(const std::string& name)
    {
        for (const auto& [dialName, pDial] : _fitSuit.dials)
            pDial->setValue(dialName == name ? 1.0f : 0.0f);
        tav::daz::SelectOnly(_fitSuit.pFigure);
        return exportTempObj(_job, makeTempName("rigged-for-mlp-{}"));
    }

    KvrConverter& _job;
    const KvrMorphBatchOptions& _options;
    KvrMorphBatchTarget _target;
    KvrBatchFitSuit _fitSuit;
};

KvrConvertedMorph ConvertNaming(MorphBatch& batch, const KvrMorphOrder& order)
{
    try {
        return batch.convert(order);
    } catch (const tav::CanceledException&) {
        throw;
    } catch (const tav::Exception& e) {
        throw tav::Exception("converting morph {} ({}) failed: {}", order.sourceLabel, order.sourceName, e.what());
    }
}

} // namespace

KvrMorphBatchResult runMorphBatch(KvrConverter& job, const KvrMorphBatchOptions& options,
                                  const KvrMorphDoneHook& onMorphDone)
{
    TV_ASSERT(options.eResolution == KvrResolution::Base || options.iSubdLevel == job.params()->iSubdLevelSource);
    tav::WaitCursor busyCursor(true);
    tav::daz::StepProgress progress(StepTexts(options), true);
    MorphBatch batch(job, options);

    KvrMorphBatchResult result;
    for (const KvrMorphOrder& order : options.orders) {
        if (progress.isCancelled()) {
            result.bCancelled = true;
            break;
        }
        progress.nextStep(false);
        result.morphs.push_back(ConvertNaming(batch, order));
        if (onMorphDone)
            onMorphDone(result.morphs.back(), progress);
    }

    batch.finish();
    result.iDurationMs = job.elapsedMs();
    return result;
}
