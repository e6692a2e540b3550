#include "figure_asset.h"

#include <QJsonArray>

#include "dson_writer.h"

namespace cg {
namespace {

QJsonArray xyz(const Vec3& v, int decimals)
{
    return QJsonArray{rounded(v.x, decimals), rounded(v.y, decimals), rounded(v.z, decimals)};
}

QJsonObject counted(const QJsonArray& values)
{
    return QJsonObject{{QStringLiteral("count"), values.size()}, {QStringLiteral("values"), values}};
}

QJsonObject resolutionChannels()
{
    QJsonObject lod;
    lod[QStringLiteral("id")] = QStringLiteral("lodlevel");
    lod[QStringLiteral("type")] = QStringLiteral("enum");
    lod[QStringLiteral("label")] = QStringLiteral("Resolution Level");
    lod[QStringLiteral("value")] = 0;
    lod[QStringLiteral("enum_values")] =
        QJsonArray{QStringLiteral("Base"), QStringLiteral("High Resolution")};
    QJsonObject subd;
    subd[QStringLiteral("id")] = QStringLiteral("SubDIALevel");
    subd[QStringLiteral("type")] = QStringLiteral("int");
    subd[QStringLiteral("label")] = QStringLiteral("SubDivision Level");
    subd[QStringLiteral("value")] = 1;
    subd[QStringLiteral("min")] = 0;
    subd[QStringLiteral("max")] = 4;
    subd[QStringLiteral("clamped")] = true;
    return QJsonObject{
        {QStringLiteral("type"), QStringLiteral("studio_geometry_channels")},
        {QStringLiteral("channels"),
         QJsonArray{QJsonObject{{QStringLiteral("channel"), lod}},
                    QJsonObject{{QStringLiteral("channel"), subd}}}}};
}

QJsonObject boneJson(const BuiltFigure& fig, const BoneDef& bone)
{
    QJsonObject node;
    node[QStringLiteral("id")] = bone.name;
    node[QStringLiteral("name")] = bone.name;
    node[QStringLiteral("label")] = bone.name;
    node[QStringLiteral("type")] = QStringLiteral("bone");
    node[QStringLiteral("parent")] =
        QLatin1Char('#') + (bone.parent < 0 ? fig.def->id : bones()[size_t(bone.parent)].name);
    node[QStringLiteral("center_point")] =
        vec3Channels(QStringLiteral("center_point"), bone.centre(*fig.shape))
            .value(QStringLiteral("center_point"));
    return node;
}

QJsonObject skinJson(const BuiltFigure& fig)
{
    const std::vector<BoneDef>& all = bones();
    std::vector<QJsonArray> weights(all.size());
    for (int i = 0; i < fig.mesh.vertexCount(); ++i)
        for (const auto& [bone, w] : skinWeights(fig.mesh.params[size_t(i)]))
            if (rounded(w, 6) > 0)
                weights[size_t(bone)].append(QJsonArray{i, rounded(w, 6)});
    QJsonArray joints;
    for (size_t b = 0; b < all.size(); ++b) {
        const QString& name = all[b].name;
        joints.append(QJsonObject{{QStringLiteral("id"), name},
                                  {QStringLiteral("node"), QLatin1Char('#') + name},
                                  {QStringLiteral("node_weights"), counted(weights[b])}});
    }
    QJsonObject skin;
    skin[QStringLiteral("node")] = QLatin1Char('#') + fig.def->id;
    skin[QStringLiteral("geometry")] = QLatin1Char('#') + fig.def->id + QStringLiteral("-geometry");
    skin[QStringLiteral("vertex_count")] = fig.mesh.vertexCount();
    skin[QStringLiteral("joints")] = joints;
    QJsonObject modifier;
    modifier[QStringLiteral("id")] = QStringLiteral("SkinBinding");
    modifier[QStringLiteral("name")] = QStringLiteral("SkinBinding");
    modifier[QStringLiteral("parent")] = QLatin1Char('#') + fig.def->id;
    modifier[QStringLiteral("skin")] = skin;
    return modifier;
}

} // namespace

QJsonObject vec3Channels(const QString& key, const Vec3& v)
{
    QJsonArray channels;
    const double values[3] = {v.x, v.y, v.z};
    const char* axes[3] = {"x", "y", "z"};
    for (int i = 0; i < 3; ++i)
        channels.append(QJsonObject{{QStringLiteral("id"), QString::fromLatin1(axes[i])},
                                    {QStringLiteral("value"), rounded(values[i], 5)}});
    return QJsonObject{{key, channels}};
}

std::vector<Vec3> restPositions(const FigureShape& shape, const DomainMesh& mesh)
{
    std::vector<Vec3> out;
    out.reserve(mesh.params.size());
    for (const SurfaceParam& param : mesh.params)
        out.push_back(shape.restPoint(param));
    return out;
}

namespace {

Pose stance()
{
    Pose pose;
    pose.rotations = {{QStringLiteral("l_thigh"), {0, 0, kLegSpreadDegrees}},
                      {QStringLiteral("r_thigh"), {0, 0, -kLegSpreadDegrees}}};
    return pose;
}

} // namespace

std::vector<Vec3> standing(const BuiltFigure& fig, const std::vector<Vec3>& rest)
{
    if (!fig.def->spreadLegs)
        return rest;
    const Skinning skinning(*fig.shape, stance());
    std::vector<Vec3> out(rest.size());
    for (size_t i = 0; i < rest.size(); ++i)
        out[i] = skinning.apply(fig.mesh.params[i], rest[i]);
    return out;
}

Frame standingLandmark(const BuiltFigure& fig, Landmark which)
{
    Frame f = fig.shape->landmark(which);
    if (!fig.def->spreadLegs || kindOf(landmarkPart(which)) != PartKind::Leg)
        return f;
    // Anywhere below the thigh's top the leg turns whole with the thigh.
    const SurfaceParam onLeg{Part::LeftLeg, 0, kLegShinEndV};
    const Skinning skinning(*fig.shape, stance());
    auto turned = [&](Vec3 axis) { return skinning.apply(onLeg, f.origin + axis) - skinning.apply(onLeg, f.origin); };
    return {skinning.apply(onLeg, f.origin), turned(f.along), turned(f.side), turned(f.normal)};
}

BuiltFigure buildFigure(const FigureDef& def, Size size)
{
    BuiltFigure fig;
    fig.def = &def;
    fig.mesh = tessellateFigure(def.tessellation(size));
    fig.shape = std::make_unique<FigureShape>(def.proportions);
    fig.rest = restPositions(*fig.shape, fig.mesh);
    fig.base = standing(fig, fig.rest);
    return fig;
}

QJsonObject uvSetJson(const QString& id, const DomainMesh& mesh)
{
    QJsonArray uvs;
    for (const auto& uv : mesh.uvs)
        uvs.append(QJsonArray{rounded(uv.first, 6), rounded(uv.second, 6)});
    // Corners whose UV is not their vertex's own.
    QJsonArray overrides;
    for (size_t f = 0; f < mesh.polygons.size(); ++f) {
        const Polygon& p = mesh.polygons[f];
        for (size_t c = 0; c < p.vertices.size(); ++c)
            if (p.uvs[c] != p.vertices[c])
                overrides.append(QJsonArray{int(f), p.vertices[c], p.uvs[c]});
    }
    QJsonObject set;
    set[QStringLiteral("id")] = id;
    set[QStringLiteral("name")] = QStringLiteral("Base UVs");
    set[QStringLiteral("label")] = QStringLiteral("Base UVs");
    set[QStringLiteral("vertex_count")] = mesh.vertexCount();
    set[QStringLiteral("uvs")] = counted(uvs);
    set[QStringLiteral("polygon_vertex_indices")] = overrides;
    return set;
}

QJsonObject geometryJson(const QString& id, const DomainMesh& mesh, const std::vector<Vec3>& pos,
                         const QString& uvSetId, bool withResolutionChannels)
{
    QJsonArray vertices;
    for (const Vec3& v : pos)
        vertices.append(xyz(v, 4));
    QJsonArray polys;
    for (const Polygon& p : mesh.polygons) {
        QJsonArray entry{p.group, p.material};
        for (int v : p.vertices)
            entry.append(v);
        polys.append(entry);
    }
    QJsonObject geo;
    geo[QStringLiteral("id")] = id;
    geo[QStringLiteral("name")] = id;
    geo[QStringLiteral("type")] = QStringLiteral("polygon_mesh");
    geo[QStringLiteral("vertices")] = counted(vertices);
    geo[QStringLiteral("polygon_groups")] = counted(QJsonArray::fromStringList(mesh.groups));
    geo[QStringLiteral("polygon_material_groups")] = counted(QJsonArray::fromStringList(mesh.materials));
    geo[QStringLiteral("polylist")] = counted(polys);
    geo[QStringLiteral("default_uv_set")] = QLatin1Char('#') + uvSetId;
    if (withResolutionChannels)
        geo[QStringLiteral("extra")] = QJsonArray{resolutionChannels()};
    return geo;
}

QJsonObject figureAssetJson(const BuiltFigure& fig)
{
    const FigureDef& def = *fig.def;
    const QString geoId = def.id + QStringLiteral("-geometry");
    const QString uvId = def.id + QStringLiteral("-uvs");
    QJsonObject doc = dsonFile(assetPath(def.assetFile), QStringLiteral("figure"));
    doc[QStringLiteral("geometry_library")] =
        QJsonArray{geometryJson(geoId, fig.mesh, fig.base, uvId, true)};
    doc[QStringLiteral("uv_set_library")] = QJsonArray{uvSetJson(uvId, fig.mesh)};

    QJsonObject figure;
    figure[QStringLiteral("id")] = def.id;
    figure[QStringLiteral("name")] = def.id;
    figure[QStringLiteral("label")] = def.label;
    figure[QStringLiteral("type")] = QStringLiteral("figure");
    figure[QStringLiteral("geometry")] = QLatin1Char('#') + geoId;
    QJsonArray nodes{figure};
    for (const BoneDef& bone : bones())
        nodes.append(boneJson(fig, bone));
    doc[QStringLiteral("node_library")] = nodes;
    doc[QStringLiteral("modifier_library")] = QJsonArray{skinJson(fig)};
    return doc;
}

} // namespace cg
