#include "tessellation.h"

namespace cg {
namespace {

// UV tiles of the parts, side by side in U.
struct UvTile {
    double u0, width;
};
UvTile tileOf(Part part)
{
    switch (part) {
    case Part::Body:
        return {0.02, 0.46};
    case Part::LeftLeg:
        return {0.52, 0.22};
    case Part::RightLeg:
        return {0.76, 0.22};
    }
    return {0, 1};
}

QString groupOf(Part part, double v)
{
    switch (part) {
    case Part::LeftLeg:
        return QStringLiteral("LeftLeg");
    case Part::RightLeg:
        return QStringLiteral("RightLeg");
    case Part::Body:
        break;
    }
    if (v < kNeckBaseV)
        return QStringLiteral("Torso");
    if (v < kHeadBaseV)
        return QStringLiteral("Neck");
    return QStringLiteral("Head");
}

int groupIndex(DomainMesh& mesh, const QString& name)
{
    int i = mesh.groups.indexOf(name);
    if (i < 0) {
        mesh.groups.append(name);
        i = mesh.groups.size() - 1;
    }
    return i;
}

// Appends one closed tube: bottom pole, rings bottom to top, top pole.
using UvList = std::vector<std::pair<double, double>>;

void addTube(DomainMesh& mesh, UvList& seamUvs, Part part, int around, int along, double phase)
{
    const UvTile tile = tileOf(part);
    const int first = mesh.vertexCount();
    auto columnU = [&](int i) { return (i + phase) / around; };
    auto uvOf = [&](double u, double v) { return std::make_pair(tile.u0 + tile.width * u, v); };

    mesh.params.push_back({part, columnU(0) + 0.5 / around, 0.0});
    mesh.uvs.push_back(uvOf(0.5, 0.0));
    for (int j = 1; j < along; ++j) {
        const double v = double(j) / along;
        for (int i = 0; i < around; ++i) {
            mesh.params.push_back({part, columnU(i), v});
            mesh.uvs.push_back(uvOf(columnU(i), v));
        }
    }
    mesh.params.push_back({part, columnU(0) + 0.5 / around, 1.0});
    mesh.uvs.push_back(uvOf(0.5, 1.0));
    const int bottom = first;
    const int top = mesh.vertexCount() - 1;
    auto ring = [&](int j, int i) { return first + 1 + (j - 1) * around + (i % around); };

    // The last column closes onto the first: its corners there take seam UVs at u + 1.
    // They are numbered from -1 down until finishUvs moves them behind the vertex UVs.
    std::vector<int> seamUv(along + 1, 0);
    for (int j = 1; j < along; ++j) {
        seamUvs.push_back(uvOf(columnU(0) + 1.0, double(j) / along));
        seamUv[j] = -int(seamUvs.size());
    }
    auto uvAt = [&](int j, int i) {
        if (i == around)
            return seamUv[j];
        return ring(j, i);
    };

    for (int i = 0; i < around; ++i) {
        Polygon tri;
        tri.group = groupIndex(mesh, groupOf(part, 0.5 / along));
        tri.vertices = {bottom, ring(1, i), ring(1, i + 1)};
        tri.uvs = {bottom, uvAt(1, i), uvAt(1, i + 1)};
        mesh.polygons.push_back(tri);
    }
    for (int j = 1; j + 1 < along; ++j) {
        const int group = groupIndex(mesh, groupOf(part, (j + 0.5) / along));
        for (int i = 0; i < around; ++i) {
            Polygon quad;
            quad.group = group;
            quad.vertices = {ring(j, i), ring(j + 1, i), ring(j + 1, i + 1), ring(j, i + 1)};
            quad.uvs = {uvAt(j, i), uvAt(j + 1, i), uvAt(j + 1, i + 1), uvAt(j, i + 1)};
            mesh.polygons.push_back(quad);
        }
    }
    const int last = along - 1;
    for (int i = 0; i < around; ++i) {
        Polygon tri;
        tri.group = groupIndex(mesh, groupOf(part, (last + 0.5) / along));
        tri.vertices = {ring(last, i), top, ring(last, i + 1)};
        tri.uvs = {uvAt(last, i), top, uvAt(last, i + 1)};
        mesh.polygons.push_back(tri);
    }
}

// Puts the seam UVs after the per-vertex ones, so UV i is vertex i's for every i below the
// vertex count.
void finishUvs(DomainMesh& mesh, const UvList& seamUvs)
{
    const int base = int(mesh.uvs.size());
    mesh.uvs.insert(mesh.uvs.end(), seamUvs.begin(), seamUvs.end());
    for (Polygon& p : mesh.polygons)
        for (int& uv : p.uvs)
            if (uv < 0)
                uv = base + (-uv - 1);
}

} // namespace

DomainMesh tessellateHumanoid(const Tessellation& tess)
{
    DomainMesh mesh;
    // Fixed group order, whatever the tessellation.
    for (const char* name : {"Torso", "Neck", "Head", "LeftLeg", "RightLeg"})
        mesh.groups.append(QString::fromLatin1(name));
    UvList seamUvs;
    addTube(mesh, seamUvs, Part::Body, tess.bodyAround, tess.bodyAlong, tess.phase);
    addTube(mesh, seamUvs, Part::LeftLeg, tess.legAround, tess.legAlong, tess.phase);
    addTube(mesh, seamUvs, Part::RightLeg, tess.legAround, tess.legAlong, tess.phase);
    finishUvs(mesh, seamUvs);
    return mesh;
}

DomainMesh tessellateSphere(int around, int along)
{
    DomainMesh mesh;
    UvList seamUvs;
    addTube(mesh, seamUvs, Part::Body, around, along, 0);
    finishUvs(mesh, seamUvs);
    mesh.groups = QStringList{QStringLiteral("Sphere")};
    for (Polygon& p : mesh.polygons)
        p.group = 0;
    return mesh;
}

} // namespace cg
