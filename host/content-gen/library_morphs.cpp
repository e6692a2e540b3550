#include "library_morphs.h"

#include "morph_asset.h"
#include "morph_library.h"

namespace cg {
namespace {

// The vendor and products of the figures' own morphs.
const char* const kCoreVendor = "Core";
const char* const kBaseProduct = "Base";
const char* const kCharactersProduct = "Characters";

void writeMorph(const QString& root, const BuiltFigure& fig, const QString& vendor,
                const QString& product, const MorphSpec& morph, bool compressed)
{
    const QString file = morphFile(*fig.def, vendor, product, morph.name);
    writeDson(root, file, morphAssetJson(file, fig.def->url(), morph), compressed);
}

// The 8.1 figures keep their morphs compressed, as shipped content often does.
bool compressesMorphs(const FigureDef& def)
{
    return def.id.contains(QStringLiteral("8_1"));
}

bool isCharacterMorph(const QString& name)
{
    for (const CharacterMorph& cm : characterMorphs())
        if (cm.name == name)
            return true;
    return false;
}

} // namespace

QString morphFile(const FigureDef& fig, const QString& vendor, const QString& product, const QString& name)
{
    return QStringLiteral("data/%1/Morphs/%2/%3/%4.dsf").arg(fig.dataFolder(), vendor, product, name);
}

QString morphUrl(const FigureDef& fig, const QString& vendor, const QString& product, const QString& name)
{
    return assetPath(morphFile(fig, vendor, product, name)) + QLatin1Char('#') + name;
}

QString sourceMorphUrl(const FigureDef& fig, const QString& name)
{
    if (isCharacterMorph(name))
        return morphUrl(fig, QLatin1String(kCoreVendor), QLatin1String(kCharactersProduct), name);
    return morphUrl(fig, QLatin1String(kLibraryVendor), QLatin1String(kLibraryProduct), name);
}

QString genesis9MorphUrl(const QString& name)
{
    return morphUrl(genesis9(), QLatin1String(kCoreVendor), QLatin1String(kBaseProduct), name);
}

void writeGenesis9Morphs(const QString& root, const BuiltFigure& g9)
{
    const QString vendor = QLatin1String(kCoreVendor), product = QLatin1String(kBaseProduct);
    const std::pair<const char*, const FigureDef*> clones[] = {
        {"CloneGenesis3Female", &genesis3Female()},
        {"CloneGenesis3Male", &genesis3Male()},
        {"CloneGenesis8Female", &genesis8Female()},
        {"CloneGenesis8Male", &genesis8Male()},
    };
    for (const auto& [name, source] : clones) {
        MorphSpec m;
        m.name = QString::fromLatin1(name);
        m.label = m.name;
        m.group = QStringLiteral("/Hidden");
        m.visible = false;
        // The other generation's rest surface, arms in its own rest pose; a Genesis 8's legs
        // come from the thigh pose the conversion gives.
        m.deltas = difference(restPositions(FigureShape(source->proportions), g9.mesh), g9.base);
        writeMorph(root, g9, vendor, product, m, false);
    }

    MorphSpec feminine;
    feminine.name = QStringLiteral("BaseFeminine_figure_ctrl_Character");
    feminine.label = QStringLiteral("Base Feminine");
    feminine.group = QStringLiteral("/Actor/People");
    feminine.deltas = difference(restPositions(FigureShape(feminineProportions()), g9.mesh), g9.base);
    writeMorph(root, g9, vendor, product, feminine, false);

    MorphSpec masculine = feminine;
    masculine.name = QStringLiteral("BaseMasculine_figure_ctrl_Character");
    masculine.label = QStringLiteral("Base Masculine");
    masculine.deltas = difference(restPositions(FigureShape(masculineProportions()), g9.mesh), g9.base);
    writeMorph(root, g9, vendor, product, masculine, false);

    // Scales the figure about the floor: 10% taller per unit.
    MorphSpec height;
    height.name = QStringLiteral("body_bs_ProportionHeight");
    height.label = QStringLiteral("Proportion Height");
    height.group = QStringLiteral("/Actor/Proportions");
    height.min = -1;
    height.max = 1;
    for (const Vec3& p : g9.base)
        height.deltas.push_back({0, 0.1 * p.y, 0});
    writeMorph(root, g9, vendor, product, height, false);
}

void writeCharacterMorphs(const QString& root, const BuiltFigure& fig)
{
    for (const CharacterMorph& cm : characterMorphs()) {
        Proportions shaped = fig.def->proportions;
        cm.apply(shaped);
        MorphSpec m;
        m.name = cm.name;
        m.label = cm.label;
        m.group = cm.group;
        m.min = cm.min;
        m.max = cm.max;
        m.deltas = difference(standing(fig, restPositions(FigureShape(shaped), fig.mesh)), fig.base);
        writeMorph(root, fig, QLatin1String(kCoreVendor), QLatin1String(kCharactersProduct), m,
                   compressesMorphs(*fig.def));
    }
}

void writeRegionalMorphs(const QString& root, const BuiltFigure& fig, Size size)
{
    for (const RegionalMorph* rm : regionalMorphs()) {
        if (size == Size::Small && !rm->onSmallContent)
            continue;
        MorphSpec m;
        m.name = QString::fromLatin1(rm->name);
        m.label = QString::fromLatin1(rm->label);
        m.group = QString::fromLatin1(rm->group);
        m.min = -1;
        m.max = 1;
        m.deltas = regionalDeltas(fig, *rm);
        writeMorph(root, fig, QLatin1String(kLibraryVendor), QLatin1String(kLibraryProduct), m,
                   compressesMorphs(*fig.def));
    }
}

} // namespace cg
