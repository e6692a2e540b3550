#include "kvr_morph-catalogue.h"

#include "dzfigure.h"
#include "dzfloatproperty.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_str.h"

std::vector<KvrSourceMorph> SourceMorphCatalogue(DzFigure* pfigSource)
{
    std::vector<KvrSourceMorph> catalogue;
    const tav::daz::NodeMorphs morphs(pfigSource);
    catalogue.reserve(morphs.all().size());
    for (const tav::MorphInfoPtr& pInfo : morphs.all())
        catalogue.push_back({pInfo->name, tav::ToUtf8(pInfo->pProperty->getLabel()), pInfo->path,
                             float(pInfo->pProperty->getValue())});
    return catalogue;
}

std::string SourceShortName(tav::daz::FigureKind eKind)
{
    using tav::daz::FigureKind;
    switch (eKind) {
    case FigureKind::Genesis3Female: return "G3F";
    case FigureKind::Genesis3Male: return "G3M";
    case FigureKind::Genesis8Female: return "G8F";
    case FigureKind::Genesis8Male: return "G8M";
    case FigureKind::Genesis81Female: return "G8.1F";
    case FigureKind::Genesis81Male: return "G8.1M";
    case FigureKind::None:
    case FigureKind::Genesis9: break;
    }
    return {};
}

std::string ExpandMorphPattern(const std::string& pattern, const KvrSourceMorph& morph, const std::string& shortName)
{
    // One pass from left to right, so a label that itself holds "{source}" stays as it is.
    static const std::string label = "{label}";
    static const std::string source = "{source}";
    std::string expanded;
    expanded.reserve(pattern.size() + morph.label.size());
    for (size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, label.size(), label) == 0) {
            expanded += morph.label;
            i += label.size();
        } else if (pattern.compare(i, source.size(), source) == 0) {
            expanded += shortName;
            i += source.size();
        } else {
            expanded += pattern[i++];
        }
    }
    return expanded;
}
