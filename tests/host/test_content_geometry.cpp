#include <gtest/gtest.h>

#include <QSet>

#include "../../host/src/content/dzdformer.h"
#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"
#include "dzbone.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"
#include "dzshape.h"
#include "mesh_regions.h"
#include "test_content_support.h"
#include "test_geometry_fixtures.h"

using namespace testcontent;

namespace {

// Both sizes of the library, and how close a clone must lay Genesis 9 on the older surface:
// everywhere, and on the fingers, where a point drawn to the wrong finger would show.
struct Library {
    const char* name;
    const char* dir;
    double bound, fingerBound; // shares of the figure's height
};
const Library kLibraries[] = {
    {"small", KVR_CONTENT_DIR, 0.005, 0.001},
    {"full", KVR_BUILD_DIR "/content-full", 0.0025, 0.0005},
};

struct Clone {
    const char* file;
    const char* label;
    const char* morph;
    float thighs; // the pose the conversion gives a Genesis 9 for this generation
};
const Clone kClones[] = {
    {"People/Genesis 3 Female/Genesis 3 Female.duf", "Genesis 3 Female", "CloneGenesis3Female", 0},
    {"People/Genesis 3 Male/Genesis 3 Male.duf", "Genesis 3 Male", "CloneGenesis3Male", 0},
    {"People/Genesis 8 Female/Developer Kit/Genesis 8 Female Dev Load.duf", "Genesis 8 Female",
     "CloneGenesis8Female", 6.5f},
    {"People/Genesis 8 Male/Developer Kit/Genesis 8 Male Dev Load.duf", "Genesis 8 Male", "CloneGenesis8Male",
     6.5f},
};

// The vertices of a mesh's faces whose group passes.
template <class Pick> QSet<int> verticesOf(const DzFacetMesh& mesh, Pick pick)
{
    QSet<int> out;
    for (const DzFacet& f : mesh.facets())
        if (pick(mesh.getFaceGroupName(f.m_faceGroupIdx)))
            for (int c = 0; c < f.numCorners(); ++c)
                out.insert(f.m_vertIdx[c]);
    return out;
}

struct Spread {
    double all = 0, fingers = 0; // largest distance, share of the height
};

// How far the Genesis 9 lies from the source's surface and back, everywhere and on its fingers.
Spread spread(DzNode* g9, DzNode* source)
{
    const DzFacetMesh& a = *DzGeometry::worldMesh(g9);
    const DzFacetMesh& b = *DzGeometry::worldMesh(source);
    const DzSurfaceDistance d = dzMeasureSurfaceDistance(a, b);
    const double height = dzMeshHeight(b);
    Spread s;
    s.all = d.max / height;
    for (int v : verticesOf(a, [](const QString& g) { return !digitOfGroup(g).isEmpty(); }))
        s.fingers = std::max(s.fingers, d.fromA[v] / height);
    return s;
}

void poseThighs(DzFigure* fig, float degrees)
{
    fig->findBone("l_thigh")->getZRotControl()->setValue(degrees);
    fig->findBone("r_thigh")->getZRotControl()->setValue(-degrees);
}

class CloneAccuracy : public ::testing::TestWithParam<std::tuple<Library, Clone>> {
};

} // namespace

TEST_P(CloneAccuracy, TheCloneLaysGenesis9OntoTheOlderBaseSurfaceOnlyWithItsThighPose)
{
    const auto& [library, clone] = GetParam();
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{QString::fromUtf8(library.dir)};
    TestApp app(options);
    ASSERT_TRUE(openStock("People/Genesis 9/Genesis 9.duf"));
    ASSERT_TRUE(openStock(QString::fromUtf8(clone.file)));
    DzFigure* g9 = figureLabelled("Genesis 9");
    DzFigure* source = figureLabelled(QString::fromUtf8(clone.label));
    ASSERT_TRUE(g9 && source);

    const Spread unmorphed = spread(g9, source);
    testgeo::morphOf(g9, clone.morph)->getValueControl()->setValue(1);
    poseThighs(g9, clone.thighs);
    const Spread cloned = spread(g9, source);
    std::printf("%s %s: clone max %.4f %% of the height, fingers %.4f %%\n", library.name, clone.label,
                100 * cloned.all, 100 * cloned.fingers);
    EXPECT_LT(cloned.all, library.bound);
    EXPECT_LT(cloned.fingers, library.fingerBound);
    EXPECT_GT(unmorphed.all, 4 * library.bound);
    if (clone.thighs != 0) {
        poseThighs(g9, 0);
        EXPECT_GT(spread(g9, source).all, 4 * library.bound) << "without the thigh pose";
        poseThighs(g9, -clone.thighs);
        EXPECT_GT(spread(g9, source).all, 4 * library.bound) << "the wrong way round";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGenerationAndSize, CloneAccuracy,
                         ::testing::Combine(::testing::ValuesIn(kLibraries), ::testing::ValuesIn(kClones)),
                         [](const auto& info) {
                             std::string name = std::string(std::get<0>(info.param).name) + "_" +
                                                std::get<1>(info.param).morph;
                             return name;
                         });

TEST(ContentGeometry, HeadSplitDFormerAddsItsNodesAndAHeadWeightMapToTheSelectedFigure)
{
    TestApp app;
    DzFigure* g9 = loadGenesis9();
    ASSERT_TRUE(g9);
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
    // Whole on the head and the eyes, nothing below the neck, a ramp up the neck.
    const QSet<QString> whole = {"head", "l_eye", "r_eye"};
    int ramp = 0;
    for (const DzFacet& f : mesh.facets()) {
        const QString group = mesh.getFaceGroupName(f.m_faceGroupIdx);
        for (int c = 0; c < f.numCorners(); ++c) {
            const float w = (*weights)[f.m_vertIdx[c]];
            if (whole.contains(group))
                EXPECT_FLOAT_EQ(w, 1.0f) << group.toStdString();
            else if (group != "neck")
                EXPECT_FLOAT_EQ(w, 0.0f) << group.toStdString();
            else if (w > 0.05f && w < 0.95f)
                ++ramp;
        }
    }
    EXPECT_GT(ramp, 2 * 20); // the neck blends over at least two rings

    // With nothing selected the preset has nowhere to go.
    dzScene->selectAllNodes(false);
    EXPECT_FALSE(contentMgr()->openFile(preset, true));
}
