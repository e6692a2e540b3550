#include "kvr_convert-morphs-script.h"

#include <QFileInfo>
#include <fmt/format.h>
#include <map>
#include <set>

#include "dzfigure.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzuri.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-morphs-batch.h"
#include "kvr_convert-morphs-naming.h"
#include "kvr_converter.h"
#include "kvr_generations.h"
#include "kvr_morph-catalogue.h"
#include "kvr_resolution-offer.h"
#include "tv_daz-helpers-assets.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"
#include "tv_exception.h"
#include "tv_log.h"
#include "tv_str.h"

namespace {

// A script's options map, read key by key: a key it does not know, or a value of the wrong
// kind, is an error naming the key.
class ScriptOptions {
public:
    ScriptOptions(const QVariantMap& options, const QStringList& known) : _options(options)
    {
        for (auto it = options.begin(); it != options.end(); ++it)
            if (!known.contains(it.key()))
                throw tav::Exception("unknown option {}; the options are {}", tav::str::Quoted(it.key()),
                                     tav::ToUtf8(known.join(QString::fromLatin1(", "))));
    }

    bool flag(const char* pcszKey, bool bDefault) const
    {
        const QVariant value = _options.value(QString::fromLatin1(pcszKey));
        if (!value.isValid())
            return bDefault;
        if (value.type() != QVariant::Bool)
            throw tav::Exception("the option {} must be true or false", tav::str::Quoted(pcszKey));
        return value.toBool();
    }

    std::string text(const char* pcszKey, const char* pcszDefault) const
    {
        const QVariant value = _options.value(QString::fromLatin1(pcszKey));
        if (!value.isValid())
            return pcszDefault;
        if (value.type() != QVariant::String)
            throw tav::Exception("the option {} must be a text", tav::str::Quoted(pcszKey));
        return tav::ToUtf8(value.toString());
    }

private:
    const QVariantMap& _options;
};

QStringList Strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* pcszText : texts)
        list << QString::fromLatin1(pcszText);
    return list;
}

std::string LabelOf(DzNode* pNode)
{
    return tav::str::Quoted(pNode->getLabel());
}

const KvrGeneration& SourceGeneration(DzNode* pSource)
{
    if (!pSource)
        throw tav::Exception(std::string_view("no source figure given"));
    const KvrGeneration* pGeneration = GenerationOfKind(tav::daz::FigureKindOf(pSource));
    if (!pGeneration || !tav::daz::AsFigure(pSource))
        throw tav::Exception("the source {} is not a Genesis 3, 8 or 8.1 figure", LabelOf(pSource));
    return *pGeneration;
}

DzFigure* TargetFigure(DzNode* pTarget)
{
    if (!pTarget)
        throw tav::Exception(std::string_view("no target figure given"));
    if (tav::daz::FigureKindOf(pTarget) != tav::daz::FigureKind::Genesis9 || !tav::daz::AsFigure(pTarget))
        throw tav::Exception("the target {} is not a Genesis 9 figure", LabelOf(pTarget));
    return tav::daz::AsFigure(pTarget);
}

// The catalogue entries of the names, in the names' order.
std::vector<KvrSourceMorph> ChosenMorphs(DzFigure* pfigSource, const QStringList& morphNames)
{
    if (morphNames.isEmpty())
        throw tav::Exception(std::string_view("no morphs to convert given"));
    std::map<std::string, KvrSourceMorph> catalogue;
    for (KvrSourceMorph& morph : SourceMorphCatalogue(pfigSource))
        catalogue.emplace(morph.name, std::move(morph));
    std::vector<KvrSourceMorph> chosen;
    std::set<std::string> seen;
    for (const QString& qName : morphNames) {
        const std::string name = tav::ToUtf8(qName);
        const auto it = catalogue.find(name);
        if (it == catalogue.end())
            throw tav::Exception("the source {} has no morph named {}", LabelOf(pfigSource), tav::str::Quoted(name));
        if (!seen.insert(name).second)
            throw tav::Exception("the morph {} is listed twice", tav::str::Quoted(name));
        chosen.push_back(it->second);
    }
    return chosen;
}

KvrMorphBatchOptions BatchOptions(const KvrParams& params, const QStringList& morphNames, const QVariantMap& scriptOptions)
{
    const ScriptOptions read(scriptOptions, Strings({"headAndBody", "namePattern", "propertyPath", "highResolution"}));
    const bool bHeadAndBody = read.flag("headAndBody", false);
    const std::string namePattern = read.text("namePattern", pcszDefaultMorphNamePattern);
    const std::string pathPattern = read.text("propertyPath", pcszDefaultMorphPathPattern);
    const bool bHigh = read.flag("highResolution", false);

    KvrMorphBatchOptions options;
    const std::string shortName = SourceShortName(tav::daz::FigureKindOf(params.pfigSource));
    options.orders =
        NameMorphOrders(ChosenMorphs(params.pfigSource, morphNames), namePattern, pathPattern, bHeadAndBody, shortName);
    const std::string problem = MorphOrdersProblem(options.orders, bHeadAndBody, params.pfigTarget);
    if (!problem.empty())
        throw tav::Exception(std::string_view(problem));
    options.flags = MorphBatchFlags(bHeadAndBody);
    if (bHigh) {
        const KvrResolutionOffer offer = OfferedResolution(params.pfigSource);
        if (!offer.bOffered)
            throw tav::Exception("high resolution is not offered for the source {}: it needs the host's HD morph "
                                 "support and a source with a subdivision level",
                                 LabelOf(params.pfigSource));
        options.eResolution = KvrResolution::Subd;
        options.iSubdLevel = offer.iSubdLevel;
    }
    return options;
}

QVariantMap BatchResultMap(const KvrMorphBatchResult& result)
{
    QStringList made;
    QStringList skipped;
    QVariantList converted;
    for (const KvrConvertedMorph& morph : result.morphs) {
        if (morph.bSkipped) {
            skipped << tav::ToQString(morph.sourceName);
            continue;
        }
        QStringList names;
        for (const KvrMorphReport& report : morph.reports)
            names << tav::ToQString(report.name);
        made << names;
        QVariantMap entry;
        entry[QString::fromLatin1("source")] = tav::ToQString(morph.sourceName);
        entry[QString::fromLatin1("label")] = tav::ToQString(morph.sourceLabel);
        entry[QString::fromLatin1("morphs")] = names;
        converted << entry;
    }
    QVariantMap map;
    map[QString::fromLatin1("error")] = QString();
    map[QString::fromLatin1("morphs")] = made;
    map[QString::fromLatin1("converted")] = converted;
    map[QString::fromLatin1("skipped")] = skipped;
    map[QString::fromLatin1("cancelled")] = result.bCancelled;
    map[QString::fromLatin1("timeMs")] = double(result.iDurationMs);
    return map;
}

// The map of a call that failed, logged as the menu command's failure would be.
QVariantMap FailureMap(const char* pcszWhat, const std::exception& e, QVariantMap map)
{
    tav::Log(fmt::format("{}: {}", pcszWhat, e.what()));
    map[QString::fromLatin1("error")] = tav::ToQString(tav::str::MakeSentence(e.what()));
    return map;
}

} // namespace

QVariantList ScriptSourceMorphs(DzNode* pSource)
{
    QVariantList morphs;
    if (!pSource || !GenerationOfKind(tav::daz::FigureKindOf(pSource)) || !tav::daz::AsFigure(pSource))
        return morphs;
    for (const KvrSourceMorph& morph : SourceMorphCatalogue(tav::daz::AsFigure(pSource))) {
        QVariantMap entry;
        entry[QString::fromLatin1("name")] = tav::ToQString(morph.name);
        entry[QString::fromLatin1("label")] = tav::ToQString(morph.label);
        entry[QString::fromLatin1("group")] = tav::ToQString(morph.group);
        entry[QString::fromLatin1("value")] = double(morph.fValue);
        morphs << entry;
    }
    return morphs;
}

QVariantMap ScriptConvertMorphs(DzNode* pSource, DzNode* pTarget, const QStringList& morphNames,
                                const QVariantMap& options)
{
    // The Leaving line is written also when the batch unwinds with an exception.
    tav::ScopeLog scopeLog("ScriptConvertMorphs()");
    KvrMorphBatchResult empty;
    try {
        const KvrGeneration& generation = SourceGeneration(pSource);
        DzFigure* pfigTarget = TargetFigure(pTarget);
        KvrConverter job(makeParams(tav::daz::AsFigure(pSource), generation.eGeneration, pfigTarget),
                         KvrSourceCheck::AnyShape);
        const KvrMorphBatchOptions batchOptions = BatchOptions(*job.params(), morphNames, options);
        job.startClock();
        return BatchResultMap(runMorphBatch(job, batchOptions));
    } catch (const tav::CanceledException&) {
        empty.bCancelled = true;
        return BatchResultMap(empty);
    } catch (const std::exception& e) {
        return FailureMap("Could not convert morphs", e, BatchResultMap(empty));
    }
}

QVariantMap ScriptSaveMorphAssets(DzNode* pFigure, const QStringList& morphNames, const QVariantMap& options)
{
    QVariantMap result;
    result[QString::fromLatin1("error")] = QString();
    result[QString::fromLatin1("cancelled")] = false;
    result[QString::fromLatin1("assets")] = QStringList();
    try {
        if (!pFigure)
            throw tav::Exception(std::string_view("no figure to save the morphs of given"));
        const ScriptOptions read(options, Strings({"library", "vendor", "product", "compress"}));
        const std::string library = read.text("library", "");
        if (library.empty())
            throw tav::Exception(std::string_view("no library to save into given (the option \"library\")"));
        if (!QFileInfo(tav::ToQString(library)).isDir())
            throw tav::Exception("the library {} is not a folder", tav::str::Quoted(library));
        if (morphNames.isEmpty())
            throw tav::Exception(std::string_view("no morphs to save given"));
        const tav::daz::NodeMorphs onFigure(pFigure);
        std::vector<std::string> names;
        for (const QString& name : morphNames) {
            names.push_back(tav::ToUtf8(name));
            if (!onFigure.byName().count(names.back()))
                throw tav::Exception("the figure {} has no morph named {}", LabelOf(pFigure), tav::str::Quoted(name));
        }
        if (!tav::daz::SaveMorphSupportAssets(pFigure, library, read.text("vendor", "Kelvaro"),
                                              read.text("product", "Converted"), names, read.flag("compress", true))) {
            result[QString::fromLatin1("cancelled")] = true;
            return result;
        }
        QStringList assets;
        for (const std::string& name : names)
            assets << tav::daz::FindMorph(pFigure, name)->getDeltas()->getUri().toString();
        result[QString::fromLatin1("assets")] = assets;
        return result;
    } catch (const std::exception& e) {
        return FailureMap("Could not save morphs", e, result);
    }
}
