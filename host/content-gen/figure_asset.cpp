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

QJsonObject boneJson(const BuiltFigure& fig, int bone)
{
    const QString name = QString::fromLatin1(boneName(bone));
    QJsonObject node;
    node[QStringLiteral("id")] = name;
    node[QStringLiteral("name")] = name;
    node[QStringLiteral("label")] = name;
    node[QStringLiteral("type")] = QStringLiteral("bone");
    const int parent = boneParent(bone);
    node[QStringLiteral("parent")] =
        QLatin1Char('#') + (parent < 0 ? fig.def->id : QString::fromLatin1(boneName(parent)));
    node[QStringLiteral("center_point")] =
        vec3Channels(QStringLiteral("center_point"), boneCenter(fig.def->proportions, bone))
            .value(QStringLiteral("center_point"));
    return node;
}

QJsonObject skinJson(const BuiltFigure& fig)
{
    std::vector<QJsonArray> weights(BoneCount);
    for (int i = 0; i < fig.mesh.vertexCount(); ++i) {
        const auto w = skinWeights(fig.mesh.params[size_t(i)]);
        for (int b = 0; b < BoneCount; ++b)
            if (w[b] > 0)
                weights[b].append(QJsonArray{i, rounded(w[b], 6)});
    }
    QJsonArray joints;
    for (int b = 0; b < BoneCount; ++b) {
        const QString name = QString::fromLatin1(boneName(b));
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

std::vector<Vec3> figurePositions(const FigureDef& def, const Proportions& prop,
                                  const DomainMesh& mesh)
{
    Pose pose;
    if (def.spreadLegs) {
        pose.rotation[LeftThigh].z = kLegSpreadDegrees;
        pose.rotation[RightThigh].z = -kLegSpreadDegrees;
    }
    std::vector<Vec3> out;
    out.reserve(mesh.params.size());
    for (const SurfaceParam& param : mesh.params) {
        const Vec3 rest = evaluateSurface(prop, param);
        // Skinned with the figure's own bones, as the host would pose it.
        out.push_back(def.spreadLegs ? skinPoint(def.proportions, pose, param, rest) : rest);
    }
    return out;
}

BuiltFigure buildFigure(const FigureDef& def, Size size)
{
    BuiltFigure fig;
    fig.def = &def;
    fig.mesh = tessellateHumanoid(def.tessellation(size));
    fig.base = figurePositions(def, def.proportions, fig.mesh);
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
        QJsonArray entry{p.group, 0};
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
    geo[QStringLiteral("polygon_material_groups")] =
        counted(QJsonArray{QStringLiteral("Skin")});
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
    for (int b = 0; b < BoneCount; ++b)
        nodes.append(boneJson(fig, b));
    doc[QStringLiteral("node_library")] = nodes;
    doc[QStringLiteral("modifier_library")] = QJsonArray{skinJson(fig)};
    return doc;
}

} // namespace cg
