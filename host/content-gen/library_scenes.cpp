#include "library_scenes.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <cmath>

#include "dson_writer.h"
#include "library_morphs.h"
#include "scene_files.h"

namespace cg {
namespace {

// Figures of a scene stand this far (cm) from its middle, or twice as far, so their spread arms
// stay clear of each other.
constexpr double kSampleSpacing = 72;

void writeFigureDuf(const QString& root, const QString& file, const FigureDef& fig,
                    const QString& label)
{
    writeDson(root, file,
              sceneFile(file, QStringLiteral("figure"),
                        QJsonArray{nodeInstance(fig.id, fig.url(), label)}));
}

QString sphereUrl()
{
    return assetPath(QStringLiteral("data/DAZ 3D/Props/Primitive Sphere.dsf")) +
           QStringLiteral("#Sphere");
}

// One figure of the scene with its dialled morphs.
struct SceneFigure {
    const FigureDef& def;
    const char* label;
    Vec3 place;
    std::vector<std::pair<const char*, double>> dials;
};

void writeScene(const QString& root, const QString& file, const std::vector<SceneFigure>& figures)
{
    QJsonArray nodes, modifiers;
    for (const SceneFigure& fig : figures) {
        nodes.append(nodeInstance(fig.def.id, fig.def.url(), QString::fromLatin1(fig.label), fig.place));
        for (const auto& [name, value] : fig.dials) {
            const QString n = QString::fromLatin1(name);
            modifiers.append(modifierInstance(n + QStringLiteral("-") + fig.def.id,
                                              sourceMorphUrl(fig.def, n), fig.def.id, value));
        }
    }
    writeDson(root, file, sceneFile(file, QStringLiteral("scene"), nodes, modifiers));
}

} // namespace

void writeFigureDufs(const QString& root)
{
    const struct {
        const char* file;
        const FigureDef& fig;
        const char* label;
    } dufs[] = {
        {"People/Genesis 9/Genesis 9.duf", genesis9(), "Genesis 9"},
        {"People/Genesis 9/Developer Kit/Genesis 9 Dev Load.duf", genesis9(), "Genesis 9"},
        {"People/Genesis 3 Female/Genesis 3 Female.duf", genesis3Female(), "Genesis 3 Female"},
        {"People/Genesis 3 Male/Genesis 3 Male.duf", genesis3Male(), "Genesis 3 Male"},
        {"People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf", genesis8Female(),
         "Genesis 8 Female"},
        {"People/Genesis 8 Male/Developer Kit/Genesis 8 Male Dev Load.duf", genesis8Male(),
         "Genesis 8 Male"},
        {"People/Genesis 8 Female/Genesis 8 Basic Female.duf", genesis8Female(), "Genesis 8 Female"},
        {"People/Genesis 8 Male/Genesis 8 Basic Male.duf", genesis8Male(), "Genesis 8 Male"},
        {"People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", genesis81Female(),
         "Genesis 8.1 Female"},
        {"People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", genesis81Male(), "Genesis 8.1 Male"},
        {"People/Genesis 2 Female/Genesis 2 Female.duf", genesis2Female(), "Genesis 2 Female"},
    };
    for (const auto& d : dufs)
        writeFigureDuf(root, QString::fromLatin1(d.file), d.fig, QString::fromLatin1(d.label));
}

void writeSphere(const QString& root)
{
    const QString asset = QStringLiteral("data/DAZ 3D/Props/Primitive Sphere.dsf");
    const DomainMesh mesh = tessellateSphere(24, 16);
    const double radius = 25;
    std::vector<Vec3> pos;
    for (const SurfaceParam& p : mesh.params) {
        const double theta = 2 * M_PI * p.u, phi = M_PI * p.v;
        pos.push_back({radius * std::sin(phi) * std::cos(theta), radius * (1 - std::cos(phi)),
                       radius * std::sin(phi) * std::sin(theta)});
    }
    QJsonObject doc = dsonFile(assetPath(asset), QStringLiteral("prop"));
    doc[QStringLiteral("geometry_library")] = QJsonArray{
        geometryJson(QStringLiteral("Sphere-geometry"), mesh, pos, QStringLiteral("Sphere-uvs"), false)};
    doc[QStringLiteral("uv_set_library")] = QJsonArray{uvSetJson(QStringLiteral("Sphere-uvs"), mesh)};
    QJsonObject node;
    node[QStringLiteral("id")] = QStringLiteral("Sphere");
    node[QStringLiteral("name")] = QStringLiteral("Sphere");
    node[QStringLiteral("label")] = QStringLiteral("Sphere");
    node[QStringLiteral("type")] = QStringLiteral("node");
    node[QStringLiteral("geometry")] = QStringLiteral("#Sphere-geometry");
    doc[QStringLiteral("node_library")] = QJsonArray{node};
    writeDson(root, asset, doc);

    const QString duf = QStringLiteral("Props/Primitive Sphere.duf");
    writeDson(root, duf,
              sceneFile(duf, QStringLiteral("prop"),
                        QJsonArray{nodeInstance(QStringLiteral("Sphere"), sphereUrl(),
                                                QStringLiteral("Sphere"))}));
}

// Three older figures, each shaped by its own dials, to convert one after the other.
void writeSeveralSourcesScene(const QString& root)
{
    writeScene(root, QStringLiteral("Scenes/Several Sources.duf"),
               {{genesis3Male(), "Genesis 3 Male", {-2 * kSampleSpacing, 0, 0}, {{"body_ctrl_Athletic", 0.8}, {"head_ctrl_HeadSize", 0.3}}},
                {genesis8Female(), "Genesis 8 Female", {0, 0, 0}, {{"body_ctrl_Heavy", 0.5}, {"head_ctrl_NoseSize", 0.7}}},
                {genesis81Male(), "Genesis 8.1 Male", {2 * kSampleSpacing, 0, 0}, {{"body_ctrl_TorsoLength", 0.6}, {"body_ctrl_Heavy", 0.3}}}});
}

// A character with a face and a body of her own: character morphs and regional ones.
void writeSampleScene(const QString& root)
{
    writeScene(root, QStringLiteral("Scenes/Sample Conversion.duf"),
               {{genesis81Female(), "Genesis 8.1 Female", {-kSampleSpacing, 0, 0},
                 {{"body_ctrl_Heavy", 0.6}, {"body_ctrl_Athletic", 0.4}, {"head_ctrl_HeadSize", 0.5},
                  {"head_ctrl_NoseSize", 1.0}, {"head_ctrl_EyesSize", 0.5}, {"head_ctrl_LipsFullness", 0.7},
                  {"head_ctrl_CheekbonesHeight", 0.6}, {"body_ctrl_WaistWidth", -0.6},
                  {"body_ctrl_HipsWidth", 0.5}, {"body_ctrl_FingersLength", 0.6}}},
                {genesis9(), "Genesis 9", {kSampleSpacing, 0, 0}, {}}});
}

// The head split: nodes to put under the selected Genesis 9 and its influence weights.
void writeHeadSplitDFormer(const QString& root, const BuiltFigure& g9)
{
    const QString file = QStringLiteral("People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf");
    QJsonArray weights;
    for (int i = 0; i < g9.mesh.vertexCount(); ++i) {
        const double w = headSplitWeight(g9.mesh.params[size_t(i)]);
        if (w > 0)
            weights.append(QJsonArray{i, rounded(w, 6)});
    }
    QJsonObject dformer;
    dformer[QStringLiteral("figure")] = genesis9().url();
    dformer[QStringLiteral("vertex_count")] = g9.mesh.vertexCount();
    dformer[QStringLiteral("influence_weights")] =
        QJsonObject{{QStringLiteral("count"), weights.size()}, {QStringLiteral("values"), weights}};
    QJsonObject modifier;
    modifier[QStringLiteral("id")] = QStringLiteral("D-Former_1");
    modifier[QStringLiteral("name")] = QStringLiteral("D-Former_1");
    modifier[QStringLiteral("dformer")] = dformer;

    const char* const nodeTypes[][2] = {{"D-Former_1", "dformer"},
                                        {"D-Former_1 Base", "dformer_base"},
                                        {"D-Former_1 Field", "dformer_field"}};
    QJsonArray library, instances;
    for (const auto& t : nodeTypes) {
        const QString id = QString::fromLatin1(t[0]);
        QJsonObject node;
        node[QStringLiteral("id")] = id;
        node[QStringLiteral("name")] = id;
        node[QStringLiteral("label")] = id;
        node[QStringLiteral("type")] = QString::fromLatin1(t[1]);
        library.append(node);
        instances.append(nodeInstance(id, QLatin1Char('#') + id, id));
    }
    QJsonObject doc = sceneFile(file, QStringLiteral("preset_dformer"), instances,
                                QJsonArray{QJsonObject{{QStringLiteral("id"), QStringLiteral("D-Former_1-1")},
                                                       {QStringLiteral("url"), QStringLiteral("#D-Former_1")}}});
    doc[QStringLiteral("node_library")] = library;
    doc[QStringLiteral("modifier_library")] = QJsonArray{modifier};
    writeDson(root, file, doc);
}

// Files that make the host stop and ask.
void writeDialogTriggers(const QString& root)
{
    const QString missing = QStringLiteral("Tests/Missing Assets.duf");
    writeDson(root, missing,
              sceneFile(missing, QStringLiteral("scene"),
                        QJsonArray{nodeInstance(QStringLiteral("Ghost"),
                                                assetPath(QStringLiteral("data/DAZ 3D/Missing/Ghost.dsf")) +
                                                    QStringLiteral("#Ghost"),
                                                QStringLiteral("Ghost")),
                                   nodeInstance(QStringLiteral("Sphere"), sphereUrl(),
                                                QStringLiteral("Sphere"))}));

    QFile unreadable(QDir(root).filePath(QStringLiteral("Tests/Unreadable File.duf")));
    if (unreadable.open(QIODevice::WriteOnly | QIODevice::Truncate))
        unreadable.write("\x1f\x8b this is neither JSON nor a whole gzip stream\n");

    const QString limits = QStringLiteral("Tests/Preset Exceeds Limits.duf");
    writeDson(root, limits,
              sceneFile(limits, QStringLiteral("preset_shape"), {},
                        QJsonArray{modifierInstance(
                            QStringLiteral("body_bs_ProportionHeight-1"),
                            genesis9MorphUrl(QStringLiteral("body_bs_ProportionHeight")),
                            QString(), 3.0)}));

    const QString formulas = QStringLiteral("Tests/Duplicate Formulas.duf");
    QJsonObject doc = sceneFile(formulas, QStringLiteral("preset_shape"), {});
    QJsonArray library;
    for (const char* id : {"FormulaA", "FormulaB"}) {
        QJsonObject formula{{QStringLiteral("output"), QStringLiteral("#body_bs_ProportionHeight?value")},
                            {QStringLiteral("operations"),
                             QJsonArray{QJsonObject{{QStringLiteral("op"), QStringLiteral("push")},
                                                    {QStringLiteral("val"), 0.5}}}}};
        library.append(QJsonObject{{QStringLiteral("id"), QString::fromLatin1(id)},
                                   {QStringLiteral("name"), QString::fromLatin1(id)},
                                   {QStringLiteral("formulas"), QJsonArray{formula}}});
    }
    doc[QStringLiteral("modifier_library")] = library;
    writeDson(root, formulas, doc);
}

} // namespace cg
