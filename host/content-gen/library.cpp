#include "library.h"

#include <map>

#include "dson_writer.h"
#include "figure_asset.h"
#include "library_morphs.h"
#include "library_scenes.h"

namespace cg {

void writeLibrary(const QString& root, Size size)
{
    std::map<QString, BuiltFigure> built;
    for (const FigureDef* def : allFigures()) {
        BuiltFigure fig = buildFigure(*def, size);
        writeDson(root, def->assetFile, figureAssetJson(fig), def->compressed);
        if (def->source) {
            writeCharacterMorphs(root, fig);
            writeRegionalMorphs(root, fig, size);
        }
        built.emplace(def->id, std::move(fig));
    }
    const BuiltFigure& g9 = built.at(genesis9().id);
    writeGenesis9Morphs(root, g9);
    writeFigureDufs(root);
    writeSphere(root);
    writeSampleScene(root);
    writeSeveralSourcesScene(root);
    writeHeadSplitDFormer(root, g9);
    writeDialogTriggers(root);
}

} // namespace cg
