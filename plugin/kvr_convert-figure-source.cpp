#include "kvr_convert-figure-source.h"

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "kvr_convert-figure-morphs.h"
#include "kvr_convert-figure-stage.h"
#include "kvr_convert-figure-tempobj.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
#include "tv_daz-helpers-scene.h"

namespace {

const char* const pcszTempMorphGroup = "test morphs";

} // namespace

void exportSource(KvrConversion& c)
{
    DzFigure* pfigSource = c.job.params()->pfigSource;
    tav::daz::SelectOnly(pfigSource);
    exportTempObj(c.job, makeTempName("tempg8-src1-{}"));
    tav::daz::SelectOnly(pfigSource);
    c.sourceObjPath = exportTempObj(c.job, makeTempName("tempg8-src2-{}"));
}

void loadStockFigureStep(KvrConversion& c)
{
    const KvrParams& params = *c.job.params();
    c.pfigStock = c.job.loadStockFigure(Generation(params.eSourceGeneration).eStockFigure, c.options.eResolution,
                                        params.iSubdLevelSource);
}

void exportStockFigure(KvrConversion& c)
{
    c.stockObjPath = exportTempObj(c.job, makeTempName("tempg8-tgt-{}"));
}

void removeStockFigure(KvrConversion& c)
{
    deleteTempNode(c.pfigStock);
    c.pfigStock = nullptr;
}

void importStockMesh(KvrConversion& c)
{
    c.pStockMesh = importTempObj(c.stockObjPath);
}

void createConvertedMorph(KvrConversion& c)
{
    loadMorphFromObj(c.pStockMesh, c.sourceObjPath, {pcszTempMorph, pcszTempMorphGroup, false, 0, {}, 0.0f});
}

void dialConvertedMorph(KvrConversion& c)
{
    tav::daz::GetMorphValueProperty(tav::daz::FindMorph(c.pStockMesh, pcszTempMorph))->setValue(1.0f);
}
