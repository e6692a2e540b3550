#include "kvr_convert-figure-select.h"

#include <vector>

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "kvr_generations.h"
#include "tv_daz-helpers-scene.h"
#include "tv_exception.h"
#include "tv_str.h"
#include "tv_version.h"

namespace {

using tav::daz::PropertyScope;

const char* const pcszBaseFeminine = "BaseFeminine_figure_ctrl_Character";
const char* const pcszBaseMasculine = "BaseMasculine_figure_ctrl_Character";
const char* const pcszProportionHeight = "body_bs_ProportionHeight";

std::shared_ptr<tav::FloatPropertySetting> TargetSetting(DzFigure* pfigTarget, const char* pcszName)
{
    return std::make_shared<tav::FloatPropertySetting>(
        tav::daz::GetFloatProperty(pfigTarget, PropertyScope::Any, pcszName, true));
}

} // namespace

KvrParamsPtr validateSelection()
{
    std::vector<DzNode*> sources;
    std::vector<DzNode*> targets;
    KvrSourceGeneration eGeneration = KvrSourceGeneration::Genesis3Female;

    for (DzNode* pSelected : tav::daz::GetSelectedNodes()) {
        DzNode* pNode = tav::daz::GetOwningFigure(pSelected);
        if (!pNode)
            pNode = pSelected;  // a bone outside any skeleton
        const tav::daz::FigureKind eKind = tav::daz::FigureKindOf(pNode);
        const KvrGeneration* pGeneration = GenerationOfKind(eKind);
        if (eKind == tav::daz::FigureKind::Genesis9) {
            targets.push_back(pNode);
        } else if (pGeneration) {
            sources.push_back(pNode);
            eGeneration = pGeneration->eGeneration;
        } else {
            throw tav::Exception("selected figure {} is not a Genesis 3, 8, 8.1, or 9 figure",
                                 tav::ToUtf8(pNode->getLabel()));
        }
    }

    if (sources.size() != 1 || targets.size() != 1) {
        throw tav::Exception(tav::ExpandPluginText(std::string_view(
            "you must select two figures (a ``source'' Genesis 8 or 8.1 and a ``target'' Genesis 9) in the scene")));
    }
    return makeParams(tav::daz::AsFigure(sources.front()), eGeneration, tav::daz::AsFigure(targets.front()));
}

KvrParamsPtr makeParams(DzFigure* pfigSource, KvrSourceGeneration eGeneration, DzFigure* pfigTarget)
{
    auto pParams = std::make_shared<KvrParams>();
    pParams->pfigSource = pfigSource;
    pParams->iSubdLevelSource =
        tav::daz::GetIntProperty(pfigSource, PropertyScope::Shape, "SubDIALevel", true)->getValue();
    pParams->eSourceGeneration = eGeneration;
    pParams->pfigTarget = pfigTarget;
    pParams->pprpProportionHeight =
        tav::daz::GetMorphValueProperty(tav::daz::FindMorph(pfigTarget, pcszProportionHeight));
    pParams->psetClone = TargetSetting(pfigTarget, Generation(eGeneration).pcszCloneMorph);
    pParams->psetBaseFeminine = TargetSetting(pfigTarget, pcszBaseFeminine);
    pParams->psetBaseMasculine = TargetSetting(pfigTarget, pcszBaseMasculine);
    pParams->psetProportionHeight = TargetSetting(pfigTarget, pcszProportionHeight);
    return pParams;
}
