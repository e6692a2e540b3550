#include "kvr_convert-morphs-naming.h"

#include <QString>
#include <cstring>
#include <fmt/format.h>
#include <map>

#include "dzfigure.h"
#include "kvr_morph-catalogue.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_str.h"

KvrJobFlags MorphBatchFlags(bool bHeadAndBody)
{
    if (bHeadAndBody)
        return KvrJobFlags(KvrJobFlag::HeadMorph) | KvrJobFlags(KvrJobFlag::BodyMorph);
    return KvrJobFlags(KvrJobFlag::FullFigureMorph);
}

std::vector<KvrMorphOrder> NameMorphOrders(const std::vector<KvrSourceMorph>& chosen, const std::string& namePattern,
                                           const std::string& pathPattern, bool bHeadAndBody,
                                           const std::string& shortName)
{
    std::vector<KvrMorphOrder> orders;
    orders.reserve(chosen.size());
    for (const KvrSourceMorph& morph : chosen) {
        KvrMorphOrder order{morph.name, morph.label, {}, {}};
        const std::string name = ExpandMorphPattern(namePattern, morph, shortName);
        const std::string path = ExpandMorphPattern(pathPattern, morph, shortName);
        if (bHeadAndBody) {
            order.names.head = name + pcszHeadMorphSuffix;
            order.names.body = name + pcszBodyMorphSuffix;
            order.paths.head = order.paths.body = path;
        } else {
            order.names.full = name;
            order.paths.full = path;
        }
        orders.push_back(std::move(order));
    }
    return orders;
}

std::string MorphOrdersProblem(const std::vector<KvrMorphOrder>& orders, bool bHeadAndBody, DzFigure* pfigTarget)
{
    const tav::daz::NodeMorphs targetMorphs(pfigTarget);
    std::map<std::string, const KvrMorphOrder*> byName;
    for (const KvrMorphOrder& order : orders) {
        // The pattern's own part of the name, without the head or body suffix.
        const std::string stem =
            bHeadAndBody ? order.names.head.substr(0, order.names.head.size() - std::strlen(pcszHeadMorphSuffix))
                         : order.names.full;
        if (tav::ToQString(stem).trimmed().isEmpty())
            return fmt::format("The name pattern gives the morph {} an empty name.", tav::str::Quoted(order.sourceLabel));
        const std::vector<std::string> names = bHeadAndBody ? std::vector<std::string>{order.names.head, order.names.body}
                                                            : std::vector<std::string>{order.names.full};
        for (const std::string& name : names) {
            if (targetMorphs.byName().count(name))
                return fmt::format("The target figure already has a morph named {} (from the morph {}).",
                                   tav::str::Quoted(name), tav::str::Quoted(order.sourceLabel));
            const auto [it, bNew] = byName.emplace(name, &order);
            if (!bNew)
                return fmt::format("The morphs {} and {} would both be named {}.",
                                   tav::str::Quoted(it->second->sourceLabel), tav::str::Quoted(order.sourceLabel),
                                   tav::str::Quoted(name));
        }
    }
    return {};
}
