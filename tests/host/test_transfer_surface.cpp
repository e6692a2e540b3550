#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "../../host/src/geometry/dzgeometry.h"
#include "transfer_surface.h"
#include "dzbone.h"
#include "test_content_support.h"

using namespace testcontent;

namespace {

DzVec3 corner(const DzFacetMesh& mesh, int facet, int c)
{
    return mesh.getVertex(mesh.getFacet(facet).m_vertIdx[c]);
}

// The triangles the surface is made of: quads cut along their 0-2 diagonal.
QVector<std::array<DzVec3, 3>> trianglesOf(const DzFacetMesh& mesh)
{
    QVector<std::array<DzVec3, 3>> triangles;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        triangles.append({corner(mesh, f, 0), corner(mesh, f, 1), corner(mesh, f, 2)});
        if (mesh.getFacet(f).isQuad())
            triangles.append({corner(mesh, f, 0), corner(mesh, f, 2), corner(mesh, f, 3)});
    }
    return triangles;
}

// Distance from p to the nearest of all triangles, trying every one.
float bruteForceDistance(const QVector<std::array<DzVec3, 3>>& triangles, const DzVec3& p)
{
    float best = std::numeric_limits<float>::max();
    for (const auto& t : triangles) {
        float w[3];
        dzClosestPointOnTriangle(p, t[0], t[1], t[2], w);
        best = std::min(best, (t[0] * w[0] + t[1] * w[1] + t[2] * w[2] - p).length());
    }
    return best;
}

// The point a hit stands for, from its corners and weights.
DzVec3 hitPoint(const DzFacetMesh& mesh, const DzTransferSurface::Hit& hit)
{
    DzVec3 q;
    for (int c = 0; c < 3; ++c)
        q += mesh.getVertex(hit.corners[c]) * hit.weights[c];
    return q;
}

// Every query's hit, searched one by one and as a list, is as near as the nearest triangle and
// lies where the hit says.
void expectExact(const DzFacetMesh& mesh, const QVector<DzVec3>& queries, float tolerance)
{
    const DzTransferSurface surface(mesh, mesh.vertices());
    const auto triangles = trianglesOf(mesh);
    const std::vector<DzTransferSurface::Hit> listed = surface.closestPoints(queries);
    int misses = 0;
    for (int i = 0; i < queries.size(); ++i) {
        const DzVec3& p = queries[i];
        const DzTransferSurface::Hit hit = i % 2 ? listed[i] : surface.closestPoint(p);
        const float truth = bruteForceDistance(triangles, p);
        const float found = (hitPoint(mesh, hit) - p).length();
        EXPECT_NEAR(std::sqrt(hit.distanceSq), found, tolerance);
        if (std::abs(found - truth) > tolerance && ++misses <= 5)
            ADD_FAILURE() << "at (" << p.m_x << ", " << p.m_y << ", " << p.m_z << "): found "
                          << found << ", nearest " << truth;
    }
    EXPECT_EQ(misses, 0) << "of " << queries.size() << " queries";
}

// Points moved `offsets` along the normal from random points of the given facets.
QVector<DzVec3> offsetPoints(const DzFacetMesh& mesh, const QVector<int>& facets, int count,
                             const QVector<float>& offsets, std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, facets.size() - 1);
    std::uniform_real_distribution<float> unit(0, 1);
    QVector<DzVec3> points;
    for (int i = 0; i < count; ++i) {
        const int f = facets[pick(random)];
        const DzVec3 a = corner(mesh, f, 0), b = corner(mesh, f, 1), c = corner(mesh, f, 2);
        float u = unit(random), v = unit(random);
        if (u + v > 1)
            u = 1 - u, v = 1 - v;
        const DzVec3 onSurface = a + (b - a) * u + (c - a) * v;
        const DzVec3 normal = (b - a).cross(c - a);
        const DzVec3 n = normal * (1.0f / normal.length());
        for (float offset : offsets)
            points.append(onSurface + n * offset);
    }
    return points;
}

} // namespace

// A fine sheet under one large triangle whose corners and centre are far away: the nearest
// vertices and facet centres all belong to the sheet, the nearest surface does not.
TEST(TransferSurface, FindsALargeTriangleWhoseCornersAndCentreAreFarAway)
{
    DzFacetMesh mesh;
    constexpr int kCells = 20;
    constexpr float kCell = 0.5f;
    for (int j = 0; j <= kCells; ++j)
        for (int i = 0; i <= kCells; ++i)
            mesh.addVertex({i * kCell, j * kCell, 0});
    for (int j = 0; j < kCells; ++j)
        for (int i = 0; i < kCells; ++i) {
            const int v = j * (kCells + 1) + i;
            mesh.addFacet({v, v + 1, v + kCells + 2, v + kCells + 1});
        }
    const int big = mesh.getNumVertices();
    mesh.addVertex({-100, -100, 0.3f});
    mesh.addVertex({200, -100, 0.3f});
    mesh.addVertex({-100, 200, 0.3f});
    mesh.addFacet({big, big + 1, big + 2});

    const DzTransferSurface surface(mesh, mesh.vertices());
    const DzTransferSurface::Hit hit = surface.closestPoint({5, 5, 0.2f});
    EXPECT_EQ(hit.facet, mesh.getNumFacets() - 1);
    EXPECT_NEAR(std::sqrt(hit.distanceSq), 0.1f, 1e-5f);
    expectExact(mesh, {{5, 5, 0.2f}, {5.1f, 4.9f, 0.16f}, {2, 7, -0.1f}, {5, 5, 0.5f}}, 1e-5f);
}

// Points off the Genesis 8 Female surface, everywhere and between the thighs where the other
// leg can be nearer than the surface the point came from.
TEST(TransferSurface, ClosestPointOnAFigureIsTheNearestOfAllTriangles)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf"));
    DzFigure* figure = figureLabelled("Genesis 8 Female");
    ASSERT_TRUE(figure);
    const DzFacetMesh mesh = DzGeometry::restMesh(figure, 0);
    ASSERT_GT(mesh.getNumFacets(), 0);

    // The crotch lies below the middle of the hip joints.
    const DzVec3 crotch = (figure->findBone("l_thigh")->getOrigin()
                           + figure->findBone("r_thigh")->getOrigin()) * 0.5f
                          - DzVec3(0, 8, 0);
    QVector<int> all, nearCrotch;
    for (int f = 0; f < mesh.getNumFacets(); ++f) {
        all.append(f);
        if ((corner(mesh, f, 0) - crotch).length() < 10)
            nearCrotch.append(f);
    }
    ASSERT_GT(nearCrotch.size(), 20);

    std::mt19937 random(12);
    QVector<DzVec3> queries = offsetPoints(mesh, all, 300, {-2, -0.5f, 0.2f, 1, 3}, random);
    queries += offsetPoints(mesh, nearCrotch, 300, {-1, -0.3f, 0.5f, 1, 2, 4}, random);
    expectExact(mesh, queries, 1e-4f);
}

// The brute force above judges with the routine itself; here each region of the triangle
// (0,0,0) (2,0,0) (0,2,0) has its answer worked out by hand.
TEST(TransferSurface, ClosestPointOnATriangleInEachRegion)
{
    struct Case {
        const char* region;
        DzVec3 p;
        std::array<float, 3> weights;
    };
    const Case cases[] = {
        {"corner a", {-1, -1, 1}, {1, 0, 0}},
        {"corner b", {3, -1, 0}, {0, 1, 0}},
        {"corner c", {-1, 3, 0}, {0, 0, 1}},
        {"edge ab", {0.5f, -1, 0}, {0.75f, 0.25f, 0}},
        {"edge ac", {-1, 1.5f, 0}, {0.25f, 0, 0.75f}},
        {"edge bc", {1.5f, 1.5f, 2}, {0, 0.5f, 0.5f}},
        {"edge bc off centre", {2, 1, 0}, {0, 0.75f, 0.25f}},
        {"inside", {0.5f, 0.5f, -3}, {0.5f, 0.25f, 0.25f}},
    };
    for (const Case& c : cases) {
        float w[3];
        dzClosestPointOnTriangle(c.p, {0, 0, 0}, {2, 0, 0}, {0, 2, 0}, w);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(w[i], c.weights[i], 1e-6f) << c.region << " weight " << i;
    }
}

TEST(TransferSurface, WithoutTrianglesOrWithMismatchedPositionsNothingIsHit)
{
    DzFacetMesh mesh;
    mesh.addVertex({0, 0, 0});
    mesh.addVertex({1, 0, 0});
    mesh.addVertex({0, 1, 0});
    EXPECT_TRUE(DzTransferSurface(mesh, mesh.vertices()).isEmpty());
    mesh.addFacet({0, 1, 2});
    const DzTransferSurface mismatched(mesh, {{0, 0, 0}});
    EXPECT_TRUE(mismatched.isEmpty());
    EXPECT_EQ(mismatched.closestPoint({0, 0, 1}).triangle, -1);
    EXPECT_EQ(DzTransferSurface(mesh, mesh.vertices()).closestPoint({0.2f, 0.2f, 1}).facet, 0);
}
