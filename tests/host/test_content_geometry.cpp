#include <gtest/gtest.h>

#include <nanoflann.hpp>

#include "../../host/src/content/dzdformer.h"
#include "../../host/src/geometry/dzgeometry.h"
#include "dzbone.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzshape.h"
#include "test_content_support.h"

using namespace testcontent;

namespace {

struct Cloud {
    QVector<DzVec3> pts;
    size_t kdtree_get_point_count() const { return size_t(pts.size()); }
    float kdtree_get_pt(size_t i, size_t d) const
    {
        const DzVec3& p = pts[int(i)];
        return d == 0 ? p.m_x : d == 1 ? p.m_y : p.m_z;
    }
    template <class B> bool kdtree_get_bbox(B&) const { return false; }
};
using Tree = nanoflann::KDTreeSingleIndexAdaptor<nanoflann::L2_Simple_Adaptor<float, Cloud>, Cloud, 3>;

DzVec3 closestOnTriangle(const DzVec3& p, const DzVec3& a, const DzVec3& b, const DzVec3& c)
{
    // Ericson's region test on the triangle's Voronoi regions.
    const DzVec3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = ab.dot(ap), d2 = ac.dot(ap);
    if (d1 <= 0 && d2 <= 0)
        return a;
    const DzVec3 bp = p - b;
    const float d3 = ab.dot(bp), d4 = ac.dot(bp);
    if (d3 >= 0 && d4 <= d3)
        return b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0)
        return a + ab * (d1 / (d1 - d3));
    const DzVec3 cp = p - c;
    const float d5 = ab.dot(cp), d6 = ac.dot(cp);
    if (d6 >= 0 && d5 <= d6)
        return c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0)
        return a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0)
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    const float denom = 1 / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}

// Largest distance from a vertex of `a` to the surface of `b`: the triangles around the
// nearest vertices of `b` hold the closest point on these smooth, evenly cut meshes.
float oneSided(const DzFacetMesh& a, const DzFacetMesh& b)
{
    Cloud cloud{b.vertices()};
    Tree tree(3, cloud, nanoflann::KDTreeSingleIndexAdaptorParams(10));
    tree.buildIndex();
    QVector<QVector<int>> facetsOf(b.getNumVertices());
    for (int f = 0; f < b.getNumFacets(); ++f)
        for (int c = 0; c < b.getFacet(f).numCorners(); ++c)
            facetsOf[b.getFacet(f).m_vertIdx[c]].append(f);
    float worst = 0;
    for (const DzVec3& p : a.vertices()) {
        const float q[3] = {p.m_x, p.m_y, p.m_z};
        unsigned int index[6];
        float d2[6];
        const size_t found = tree.knnSearch(q, 6, index, d2);
        float best = std::sqrt(d2[0]);
        for (size_t k = 0; k < found; ++k)
            for (int f : facetsOf[int(index[k])]) {
                const DzFacet& facet = b.getFacet(f);
                const DzVec3 v0 = b.getVertex(facet.m_vertIdx[0]);
                for (int t = 1; t + 1 < facet.numCorners(); ++t) {
                    const DzVec3 cp = closestOnTriangle(p, v0, b.getVertex(facet.m_vertIdx[t]),
                                                        b.getVertex(facet.m_vertIdx[t + 1]));
                    best = std::min(best, (p - cp).length());
                }
            }
        worst = std::max(worst, best);
    }
    return worst;
}

// Two-sided point-to-surface distance of the evaluated meshes.
float surfaceDistance(const DzNode* a, const DzNode* b)
{
    const DzFacetMesh& ma = *DzGeometry::worldMesh(a);
    const DzFacetMesh& mb = *DzGeometry::worldMesh(b);
    return std::max(oneSided(ma, mb), oneSided(mb, ma));
}

float height(const DzNode* node)
{
    return DzGeometry::worldBoundingBox(node).getMax().m_y;
}

void dial(DzNode* node, const char* morph, float value)
{
    qobject_cast<DzMorph*>(node->getObject()->findModifier(morph))->getValueControl()->setValue(value);
}

void poseThighs(DzFigure* fig, float degrees)
{
    fig->findBone("l_thigh")->getZRotControl()->setValue(degrees);
    fig->findBone("r_thigh")->getZRotControl()->setValue(-degrees);
}

} // namespace

TEST(ContentGeometry, CloneMorphsLayGenesis9OntoEachSourceBaseWithTheLegPoseOnlyForGenesis8)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    ASSERT_TRUE(openStock("People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf"));
    ASSERT_TRUE(openStock("People/Genesis 3 Male/Genesis 3 Male.duf"));
    DzFigure* g9 = figureLabelled("Genesis 9");
    DzFigure* g8f = figureLabelled("Genesis 8 Female");
    DzFigure* g3m = figureLabelled("Genesis 3 Male");
    const float figureHeight = height(g9);
    const float close = 0.005f * figureHeight;

    const float unmorphed = surfaceDistance(g9, g8f);
    dial(g9, "CloneGenesis8Female", 1);
    const float withoutPose = surfaceDistance(g9, g8f);
    poseThighs(g9, 6.5f);
    const float withPose = surfaceDistance(g9, g8f);
    EXPECT_LT(withPose, close);
    EXPECT_GT(withoutPose, 5 * withPose);
    EXPECT_GT(unmorphed, withPose);
    poseThighs(g9, -6.5f); // the wrong way round
    EXPECT_GT(surfaceDistance(g9, g8f), 5 * withPose);

    poseThighs(g9, 0);
    dial(g9, "CloneGenesis8Female", 0);
    dial(g9, "CloneGenesis3Male", 1);
    EXPECT_LT(surfaceDistance(g9, g3m), close);
}

TEST(ContentGeometry, ProportionHeightMakesGenesis9TallerAndShorter)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    DzFigure* g9 = figureLabelled("Genesis 9");
    const float base = height(g9);
    EXPECT_NEAR(base, 171.0f, 1.0f);
    dial(g9, "body_bs_ProportionHeight", 0.5f);
    const float taller = height(g9);
    dial(g9, "body_bs_ProportionHeight", 1.0f);
    EXPECT_GT(taller, base + 5);
    EXPECT_GT(height(g9), taller + 5);
    dial(g9, "body_bs_ProportionHeight", -0.5f);
    EXPECT_LT(height(g9), base - 5);
}

TEST(ContentGeometry, HeadSplitDFormerAddsItsNodesAndAHeadWeightMapToTheSelectedFigure)
{
    TestApp app;
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    DzFigure* g9 = figureLabelled("Genesis 9");
    dzScene->setPrimarySelection(g9);
    const QString preset = contentMgr()->getAbsolutePath("People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf");

    {
        DialogAnswerer cancel("Cancel");
        EXPECT_FALSE(contentMgr()->openFile(preset, true));
        ASSERT_EQ(cancel.seen().size(), 1);
        EXPECT_EQ(cancel.seen()[0].objectName, "DzDFormPresetLoadOptionsDlg");
        EXPECT_TRUE(cancel.seen()[0].title.startsWith("D-Former Load Options"));
        EXPECT_EQ(dzFindInfluenceWeights("D-Former_1::weightmap::Genesis 9/Influence Weights"), nullptr);
    }
    DialogAnswerer accept("Accept");
    ASSERT_TRUE(contentMgr()->openFile(preset, true));
    EXPECT_NE(dzScene->findNodeByLabel("D-Former_1"), nullptr);
    EXPECT_EQ(dzScene->findNodeByLabel("D-Former_1")->getNodeParent(), g9);

    const QVector<float>* weights = dzFindInfluenceWeights("D-Former_1::weightmap::Genesis 9/Influence Weights");
    ASSERT_NE(weights, nullptr);
    EXPECT_EQ(dzFindInfluenceWeights("D-Former_1::weightmap::Genesis 8/Influence Weights"), nullptr);
    const DzFacetMesh& mesh = g9->getObject()->getCurrentShape()->getFacetMesh();
    ASSERT_EQ(weights->size(), mesh.getNumVertices());
    int ramp = 0;
    for (const DzFacet& f : mesh.facets()) {
        const QString group = mesh.getFaceGroupName(f.m_faceGroupIdx);
        for (int c = 0; c < f.numCorners(); ++c) {
            const float w = (*weights)[f.m_vertIdx[c]];
            if (group == "Head")
                EXPECT_FLOAT_EQ(w, 1.0f);
            else if (group != "Head" && group != "Neck")
                EXPECT_FLOAT_EQ(w, 0.0f);
            else if (w > 0.05f && w < 0.95f)
                ++ramp;
        }
    }
    EXPECT_GT(ramp, 2 * 40); // the neck blends over at least two rings

    // With nothing selected the preset has nowhere to go.
    dzScene->selectAllNodes(false);
    EXPECT_FALSE(contentMgr()->openFile(preset, true));
}
