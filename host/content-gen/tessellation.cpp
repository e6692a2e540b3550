#include "tessellation.h"

#include <algorithm>
#include <cmath>

#include "shaping.h"
#include "skeleton.h"
#include "surfaces.h"

namespace cg {
namespace {

// UV tiles of the parts: a grid of kTileColumns x kTileRows, one tile per part in part order.
constexpr int kTileColumns = 6, kTileRows = 3;
constexpr double kTileMargin = 0.05;

// The head's columns gather on the face and, less, on the ears.
constexpr double kFaceDensity = 2.2, kFaceSpread = 1.1, kEarDensity = 0.8, kEarSpread = 0.5;
constexpr int kWarpSamples = 2048;

struct UvTile {
    double u0, v0, width, height;
};

UvTile tileOf(Part part)
{
    const int i = int(part);
    const double w = 1.0 / kTileColumns, h = 1.0 / kTileRows;
    return {(i % kTileColumns + kTileMargin) * w, (i / kTileColumns + kTileMargin) * h,
            (1 - 2 * kTileMargin) * w, (1 - 2 * kTileMargin) * h};
}

double headColumnDensity(double u)
{
    const double theta = 2 * kPi * u;
    return 1 + kFaceDensity * bump(angleBetween(theta, kPi / 2) / kFaceSpread) +
           kEarDensity * (bump(angleBetween(theta, 0) / kEarSpread) +
                          bump(angleBetween(theta, kPi) / kEarSpread));
}

// The u of column i + phase of n, evenly spread by the part's column density.
std::vector<double> columnsOf(Part part, int n, double phase)
{
    std::vector<double> out(static_cast<size_t>(n));
    if (kindOf(part) != PartKind::Head) {
        for (int i = 0; i < n; ++i)
            out[size_t(i)] = (i + phase) / n;
        return out;
    }
    std::vector<double> cumulative(kWarpSamples + 1, 0.0);
    for (int k = 0; k < kWarpSamples; ++k)
        cumulative[size_t(k) + 1] =
            cumulative[size_t(k)] + headColumnDensity((k + 0.5) / kWarpSamples);
    for (int i = 0; i < n; ++i) {
        const double target = (i + phase) / n * cumulative.back();
        const size_t k = size_t(std::upper_bound(cumulative.begin(), cumulative.end(), target) -
                                cumulative.begin()) - 1;
        const size_t next = std::min(k + 1, cumulative.size() - 1);
        const double span = cumulative[next] - cumulative[k];
        const double t = span > 0 ? (target - cumulative[k]) / span : 0;
        out[size_t(i)] = (double(k) + t) / kWarpSamples;
    }
    return out;
}

// The v of every ring strictly between the poles: each section's share of the rings, evenly
// spread, with a ring on every section boundary and where each rounded end begins; an end gets
// at least kCapIntervals.
constexpr int kCapIntervals = 2;

std::vector<double> ringsOf(Part part, int rings)
{
    const std::vector<SectionDef>& sections = sectionsOf(part);
    const Caps caps = capsOf(part);
    double total = 0;
    for (const SectionDef& s : sections)
        total += s.ringShare;
    std::vector<double> out;
    double start = 0;
    for (const SectionDef& s : sections) {
        // The section's stretches between its ends and where the caps begin.
        std::vector<double> cuts = {start};
        for (double capEdge : {caps.bottom, 1 - caps.top})
            if (capEdge > start && capEdge < s.vEnd)
                cuts.push_back(capEdge);
        cuts.push_back(s.vEnd);
        for (size_t k = 0; k + 1 < cuts.size(); ++k) {
            const double a = cuts[k], b = cuts[k + 1];
            const bool inCap = b <= caps.bottom || a >= 1 - caps.top;
            const double share = s.ringShare * (b - a) / (s.vEnd - start);
            const int n = std::max(inCap ? kCapIntervals : 1, int(std::lround(rings * share / total)));
            for (int j = 1; j <= n; ++j)
                out.push_back(a + (b - a) * j / n);
        }
        start = s.vEnd;
    }
    out.pop_back(); // the last section ends at the top pole
    return out;
}

using UvList = std::vector<std::pair<double, double>>;

// Appends one closed tube: bottom pole, rings bottom to top, top pole.
void addTube(DomainMesh& mesh, UvList& seamUvs, Part part, const std::vector<double>& columns,
             const std::vector<double>& rings)
{
    const UvTile tile = tileOf(part);
    const int around = int(columns.size());
    const int along = int(rings.size()) + 1; // intervals between the poles
    const int first = mesh.vertexCount();
    auto uvOf = [&](double u, double v) {
        return std::make_pair(tile.u0 + tile.width * u, tile.v0 + tile.height * v);
    };
    auto ringV = [&](int j) { return j <= 0 ? 0.0 : j >= along ? 1.0 : rings[size_t(j) - 1]; };
    auto columnU = [&](int i) { return i < around ? columns[size_t(i)] : columns[0] + 1; };

    const double poleU = columns[0] + 0.5 / around;
    mesh.params.push_back({part, poleU, 0.0});
    mesh.uvs.push_back(uvOf(0.5, 0.0));
    for (int j = 1; j < along; ++j)
        for (int i = 0; i < around; ++i) {
            mesh.params.push_back({part, columns[size_t(i)], ringV(j)});
            mesh.uvs.push_back(uvOf(columns[size_t(i)], ringV(j)));
        }
    mesh.params.push_back({part, poleU, 1.0});
    mesh.uvs.push_back(uvOf(0.5, 1.0));
    const int bottom = first;
    const int top = mesh.vertexCount() - 1;
    auto ring = [&](int j, int i) { return first + 1 + (j - 1) * around + (i % around); };

    // The last column closes onto the first: its corners there take seam UVs at u + 1.
    // They are numbered from -1 down until finishUvs moves them behind the vertex UVs.
    std::vector<int> seamUv(size_t(along) + 1, 0);
    for (int j = 1; j < along; ++j) {
        seamUvs.push_back(uvOf(columns[0] + 1.0, ringV(j)));
        seamUv[size_t(j)] = -int(seamUvs.size());
    }
    auto uvAt = [&](int j, int i) { return i == around ? seamUv[size_t(j)] : ring(j, i); };

    for (int j = 0; j < along; ++j) {
        const double vMid = 0.5 * (ringV(j) + ringV(j + 1));
        const int group = mesh.groups.indexOf(groupOf(part, vMid));
        for (int i = 0; i < around; ++i) {
            double uMid = 0.5 * (columnU(i) + columnU(i + 1));
            uMid -= std::floor(uMid);
            Polygon p;
            p.group = group;
            p.material = surfaceOf(part, uMid, vMid);
            if (j == 0) {
                p.vertices = {bottom, ring(1, i), ring(1, i + 1)};
                p.uvs = {bottom, uvAt(1, i), uvAt(1, i + 1)};
            } else if (j == along - 1) {
                p.vertices = {ring(j, i), top, ring(j, i + 1)};
                p.uvs = {uvAt(j, i), top, uvAt(j, i + 1)};
            } else {
                p.vertices = {ring(j, i), ring(j + 1, i), ring(j + 1, i + 1), ring(j, i + 1)};
                p.uvs = {uvAt(j, i), uvAt(j + 1, i), uvAt(j + 1, i + 1), uvAt(j, i + 1)};
            }
            mesh.polygons.push_back(p);
        }
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

const PartCut& Tessellation::cutOf(Part part) const
{
    switch (kindOf(part)) {
    case PartKind::Torso:
        return torso;
    case PartKind::Head:
        return head;
    case PartKind::Eye:
        return eye;
    case PartKind::Arm:
        return arm;
    case PartKind::Leg:
        return leg;
    case PartKind::Digit:
        return digitOf(part) == Digit::Thumb ? thumb : finger;
    }
    return torso;
}

DomainMesh tessellateFigure(const Tessellation& tess)
{
    DomainMesh mesh;
    for (const BoneDef& bone : bones())
        mesh.groups.append(bone.name);
    mesh.materials = surfaceNames();
    UvList seamUvs;
    for (int p = 0; p < kPartCount; ++p) {
        const Part part = Part(p);
        const PartCut& cut = tess.cutOf(part);
        addTube(mesh, seamUvs, part, columnsOf(part, cut.around, tess.phase), ringsOf(part, cut.rings));
    }
    finishUvs(mesh, seamUvs);
    return mesh;
}

DomainMesh tessellateSphere(int around, int along)
{
    DomainMesh mesh;
    mesh.groups = QStringList{QStringLiteral("Sphere")};
    mesh.materials = QStringList{QStringLiteral("Default")};
    std::vector<double> columns, rings;
    for (int i = 0; i < around; ++i)
        columns.push_back(double(i) / around);
    for (int j = 1; j < along; ++j)
        rings.push_back(double(j) / along);
    UvList seamUvs;
    addTube(mesh, seamUvs, Part::Torso, columns, rings);
    finishUvs(mesh, seamUvs);
    for (Polygon& p : mesh.polygons)
        p.group = p.material = 0;
    return mesh;
}

} // namespace cg
