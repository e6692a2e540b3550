#include <gtest/gtest.h>

#include <ostream>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <map>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"
#include "../../host/surface/transfer_surface.h"
#include "dzbone.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzobject.h"
#include "dzshape.h"
#include "dzskinbinding.h"
#include "mesh_regions.h"
#include "test_content_support.h"

using namespace testcontent;

namespace {

struct FigureFile {
    const char* path;
    const char* label;
    bool source; // carries the regional morph library
    const char* uri;
};
const FigureFile kFigures[] = {
    {"People/Genesis 9/Genesis 9.duf", "Genesis 9", false, "/data/DAZ%203D/Genesis%209/Base/Genesis9.dsf#Genesis9"},
    {"People/Genesis 3 Female/Genesis 3 Female.duf", "Genesis 3 Female", true,
     "/data/DAZ%203D/Genesis%203/Female/Genesis3Female.dsf#Genesis3Female"},
    {"People/Genesis 3 Male/Genesis 3 Male.duf", "Genesis 3 Male", true,
     "/data/DAZ%203D/Genesis%203/Male/Genesis3Male.dsf#Genesis3Male"},
    {"People/Genesis 8 Female/Genesis 8 Basic Female.duf", "Genesis 8 Female", true,
     "/data/Daz%203D/Genesis%208/Female/Genesis8Female.dsf#Genesis8Female"},
    {"People/Genesis 8 Male/Genesis 8 Basic Male.duf", "Genesis 8 Male", true,
     "/data/Daz%203D/Genesis%208/Male/Genesis8Male.dsf#Genesis8Male"},
    {"People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", "Genesis 8.1 Female", true,
     "/data/Daz%203D/Genesis%208/Female%208_1/Genesis8_1Female.dsf#Genesis8_1Female"},
    {"People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male", true,
     "/data/Daz%203D/Genesis%208/Male%208_1/Genesis8_1Male.dsf#Genesis8_1Male"},
    {"People/Genesis 2 Female/Genesis 2 Female.duf", "Genesis 2 Female", false,
     "/data/DAZ%203D/Genesis%202/Female/Genesis2Female.dsf#Genesis2Female"},
};

// Chains of the left side and the middle, each bone the parent of the next; the right side
// mirrors the left.
const std::vector<std::vector<const char*>> kChains = {
    {"hip", "abdomen", "chest", "neck", "head", "l_eye"},
    {"chest", "l_shoulder", "l_upperarm", "l_forearm", "l_hand", "l_thumb1", "l_thumb2", "l_thumb3"},
    {"l_hand", "l_index1", "l_index2", "l_index3"},
    {"l_hand", "l_mid1", "l_mid2", "l_mid3"},
    {"l_hand", "l_ring1", "l_ring2", "l_ring3"},
    {"l_hand", "l_pinky1", "l_pinky2", "l_pinky3"},
    {"hip", "l_thigh", "l_shin", "l_foot"},
};

QString mirrorName(const QString& name)
{
    return name.startsWith("l_") ? "r_" + name.mid(2) : name;
}

const DzFacetMesh& meshOf(DzNode* node)
{
    return *DzGeometry::worldMesh(node);
}

DzVec3 groupCentroid(const DzFacetMesh& mesh, const QString& group)
{
    const DzFacetMesh part = meshOfGroups(mesh, [&](const QString& g) { return g == group; });
    DzVec3 sum;
    for (const DzVec3& v : part.vertices())
        sum += v;
    return sum * (1.0f / part.getNumVertices());
}

// The face groups of the faces around each vertex.
QVector<QSet<QString>> groupsAtVertices(const DzFacetMesh& mesh)
{
    QVector<QSet<QString>> groupsAt(mesh.getNumVertices());
    for (const DzFacet& f : mesh.facets())
        for (int c = 0; c < f.numCorners(); ++c)
            groupsAt[f.m_vertIdx[c]] << mesh.getFaceGroupName(f.m_faceGroupIdx);
    return groupsAt;
}

// The smallest distance from one region's vertices to another region's surface.
float gap(const DzFacetMesh& mesh, const std::function<bool(const QString&)>& a,
          const std::function<bool(const QString&)>& b)
{
    const DzSurfaceDistance d = dzMeasureSurfaceDistance(meshOfGroups(mesh, a), meshOfGroups(mesh, b));
    return d.fromA.isEmpty() ? 0.0f : *std::min_element(d.fromA.begin(), d.fromA.end());
}

// How close neighbouring digits come, and the eyes to the head.
struct Clearance {
    float digits = 1e9f, eyes = 1e9f;
};

Clearance clearance(const DzFacetMesh& mesh)
{
    Clearance c;
    const char* const digits[] = {"thumb", "index", "mid", "ring", "pinky"};
    for (const char* side : {"l_", "r_"}) {
        for (int d = 0; d + 1 < 5; ++d) {
            const QString a = QString(side) + digits[d], b = QString(side) + digits[d + 1];
            c.digits = std::min(c.digits, gap(mesh, [&](const QString& g) { return digitOfGroup(g) == a; },
                                              [&](const QString& g) { return digitOfGroup(g) == b; }));
        }
        const QString eye = QString(side) + "eye";
        c.eyes = std::min(c.eyes, gap(mesh, [&](const QString& g) { return g == eye; },
                                      [](const QString& g) { return g == "head"; }));
    }
    return c;
}

DzFigure* loadFigure(const FigureFile& f)
{
    dzScene->clear();
    return openStock(QString::fromUtf8(f.path)) ? figureLabelled(QString::fromUtf8(f.label)) : nullptr;
}

// Where each family of regional morphs may move the figure: the face groups of its region.
struct Region {
    const char* groupPath; // a morph's property group path begins with it
    QStringList groups;    // "l_" groups stand for both sides
};
const QStringList kDigits = {"l_thumb1", "l_thumb2", "l_thumb3", "l_index1", "l_index2", "l_index3",
                             "l_mid1",   "l_mid2",   "l_mid3",   "l_ring1",  "l_ring2",  "l_ring3",
                             "l_pinky1", "l_pinky2", "l_pinky3"};
const std::vector<Region> kRegions = {
    {"Actor/Head/Eyes", {"head", "l_eye"}},
    {"Actor/Head/Jaw", {"head", "neck"}},
    {"Actor/Head", {"head"}},
    {"Actor/Body/Neck", {"neck"}},
    {"Actor/Body/Shoulders", {"chest", "neck", "l_shoulder", "l_upperarm"}},
    {"Actor/Body/Arms", {"l_upperarm", "l_forearm", "l_hand"}},
    {"Actor/Body/Hands/Fingers", kDigits},
    {"Actor/Body/Hands", QStringList{"l_hand"} + kDigits},
    {"Actor/Body/Chest", {"chest", "abdomen"}},
    {"Actor/Body/Waist", {"abdomen", "hip"}},
    {"Actor/Body/Abdomen", {"abdomen", "hip", "chest"}},
    {"Actor/Body/Hips", {"hip", "abdomen", "l_thigh"}},
    {"Actor/Body/Glutes", {"hip", "l_thigh"}},
    {"Actor/Body/Legs", {"l_thigh", "l_shin"}},
    {"Actor/Body/Feet", {"l_foot", "l_shin"}},
};

QSet<QString> regionOf(const QString& groupPath)
{
    for (const Region& r : kRegions)
        if (groupPath.startsWith(QLatin1String(r.groupPath))) {
            QSet<QString> out;
            for (const QString& g : r.groups)
                out << g << mirrorName(g);
            return out;
        }
    return {};
}

QList<DzMorph*> libraryMorphs(DzNode* fig)
{
    QList<DzMorph*> out;
    for (DzModifier* m : fig->getObject()->modifierList())
        if (auto* morph = qobject_cast<DzMorph*>(m))
            if (morph->getDeltas()->getUri().toString().contains("/Regional%20Shapes/"))
                out << morph;
    return out;
}

// How many morph files the folder of the figure's regional product holds.
int productFiles(DzNode* fig)
{
    const QList<DzMorph*> morphs = libraryMorphs(fig);
    if (morphs.isEmpty())
        return 0;
    const QString uri = morphs.first()->getDeltas()->getUri().toString().section('#', 0, 0);
    const QString file = contentMgr()->getAbsolutePath(QUrl::fromPercentEncoding(uri.mid(1).toUtf8()));
    return QFileInfo(file).dir().entryList({"*.dsf"}, QDir::Files).size();
}

// "Nose Width" for "head_ctrl_NoseWidth".
QString labelFromName(const QString& name)
{
    QString words = name.section('_', 2);
    words.replace(QRegularExpression("([a-z])([A-Z])"), "\\1 \\2");
    return words;
}

class BundledFigure : public ::testing::TestWithParam<FigureFile> {
protected:
    void SetUp() override
    {
        fig = loadFigure(GetParam());
        ASSERT_NE(fig, nullptr);
    }
    TestApp app;
    DzFigure* fig = nullptr;
};

// gtest prints the figure's label as the parameter.
void PrintTo(const FigureFile& figure, std::ostream* pOut)
{
    *pOut << figure.label;
}

std::string figureName(const ::testing::TestParamInfo<FigureFile>& info)
{
    std::string name = info.param.label;
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

} // namespace

TEST_P(BundledFigure, LoadsAtBaseResolutionWithABonePerFaceGroupInOneMirroredHierarchy)
{
    EXPECT_EQ(fig->getAssetUri().toString(), QString::fromUtf8(GetParam().uri));
    const DzShape* shape = fig->getObject()->getCurrentShape();
    EXPECT_EQ(shape->getLODControl()->getValue(), 0);
    EXPECT_EQ(shape->getSubDIALevelControl()->getValue(), 1);
    EXPECT_EQ(shape->getSubDIALevelControl()->getMax(), 4);
    EXPECT_GT(shape->getNumVertices(), 1500);
    EXPECT_LE(shape->getNumVertices(), 4000);
    EXPECT_TRUE(shape->getFacetMesh().hasUVs());
    EXPECT_EQ(shape->getFacetMesh().materialNames(), QStringList({"Skin", "Lips", "Eyes", "Fingernails"}));
    // The figure and its bones, each skinning the faces of its own name.
    const QStringList groups = shape->getFacetMesh().faceGroupNames();
    EXPECT_EQ(dzScene->getNumNodes(), 1 + groups.size());
    EXPECT_EQ(fig->getSkinBinding()->getNumBoneWeightMaps(), groups.size());
    for (const QString& group : groups)
        EXPECT_NE(fig->findBone(group), nullptr) << group.toStdString();

    for (const auto& chain : kChains) {
        for (bool right : {false, true}) {
            float reach = -1;
            const QString first = QString::fromLatin1(chain[0]);
            for (size_t i = 1; i < chain.size(); ++i) {
                QString parent = QString::fromLatin1(chain[i - 1]), child = QString::fromLatin1(chain[i]);
                if (right)
                    parent = mirrorName(parent), child = mirrorName(child);
                DzBone* bone = fig->findBone(child);
                ASSERT_NE(bone, nullptr) << child.toStdString();
                EXPECT_EQ(bone->getNodeParent(), fig->findBone(parent)) << child.toStdString();
                // Each joint lies further out along its limb than the one before.
                const float out = (bone->getOrigin() - fig->findBone(mirrorName(first))->getOrigin()).length();
                EXPECT_GT(out, reach) << child.toStdString();
                reach = out;
            }
        }
    }
    for (int b = 0; b < fig->getSkinBinding()->getNumBoneWeightMaps(); ++b) {
        const QString name = fig->getSkinBinding()->getBoneName(b);
        if (!name.startsWith("l_"))
            continue;
        const DzVec3 left = fig->findBone(name)->getOrigin(), right = fig->findBone(mirrorName(name))->getOrigin();
        EXPECT_GT(left.m_x, 0.5f) << name.toStdString();
        EXPECT_NEAR(right.m_x, -left.m_x, 1e-3f) << name.toStdString();
        EXPECT_NEAR(right.m_y, left.m_y, 1e-3f) << name.toStdString();
    }
}

TEST_P(BundledFigure, FaceGroupsAndSurfacesLieWhereTheirBodyPartsDoAndStandApart)
{
    const DzFacetMesh& mesh = meshOf(fig);
    auto at = [&](const char* group) { return groupCentroid(mesh, QString::fromLatin1(group)); };
    // From the crown down to the feet.
    const char* const downwards[] = {"head", "neck", "chest", "abdomen", "hip", "l_thigh", "l_shin", "l_foot"};
    for (size_t i = 1; i < std::size(downwards); ++i)
        EXPECT_LT(at(downwards[i]).m_y, at(downwards[i - 1]).m_y) << downwards[i];
    // The eyes in the upper front of the head, one each side.
    EXPECT_GT(at("l_eye").m_z, at("head").m_z + 3);
    EXPECT_GT(at("l_eye").m_y, at("head").m_y);
    EXPECT_GT(at("l_eye").m_x, 1.5f);
    EXPECT_LT(at("r_eye").m_x, -1.5f);
    // Out along the arm, and out along every digit from the palm.
    const DzVec3 shoulder = at("l_shoulder"), palm = at("l_hand");
    EXPECT_LT((at("l_upperarm") - shoulder).length(), (at("l_forearm") - shoulder).length());
    EXPECT_LT((at("l_forearm") - shoulder).length(), (palm - shoulder).length());
    for (const char* digit : {"l_thumb", "l_index", "l_mid", "l_ring", "l_pinky"})
        for (int segment = 2; segment <= 3; ++segment) {
            const QString inner = QString("%1%2").arg(digit).arg(segment - 1), outer = QString("%1%2").arg(digit).arg(segment);
            EXPECT_LT((groupCentroid(mesh, inner) - palm).length(), (groupCentroid(mesh, outer) - palm).length())
                << outer.toStdString();
        }
    // The thumb beside the index finger, the pinky across the hand from both.
    EXPECT_LT((at("l_thumb2") - at("l_index1")).length(), (at("l_thumb2") - at("l_pinky1")).length());

    QHash<QString, QSet<QString>> groupsOf; // surface -> face groups with faces of it
    QHash<QString, DzVec3> sum;
    QHash<QString, int> count;
    for (const DzFacet& f : mesh.facets()) {
        const QString surface = mesh.getMaterialName(f.m_materialIdx);
        groupsOf[surface] << mesh.getFaceGroupName(f.m_faceGroupIdx);
        sum[surface] += mesh.getVertex(f.m_vertIdx[0]);
        ++count[surface];
    }
    EXPECT_EQ(groupsOf.value("Eyes"), (QSet<QString>{"l_eye", "r_eye"}));
    EXPECT_FALSE(groupsOf.value("Skin").contains("l_eye"));
    EXPECT_EQ(groupsOf.value("Lips"), QSet<QString>{"head"});
    // The lips on the front of the face, below the eyes.
    const DzVec3 lips = sum.value("Lips") * (1.0f / count.value("Lips"));
    EXPECT_LT(lips.m_y, groupCentroid(mesh, "l_eye").m_y - 3);
    EXPECT_GT(lips.m_z, groupCentroid(mesh, "head").m_z + 3);
    // A nail on the last segment of each of the ten digits.
    QSet<QString> nailed;
    for (const QString& g : groupsOf.value("Fingernails")) {
        EXPECT_TRUE(g.endsWith('3') && !digitOfGroup(g).isEmpty()) << g.toStdString();
        nailed << g;
    }
    EXPECT_EQ(nailed.size(), 10);

    const Clearance c = clearance(mesh);
    EXPECT_GT(c.digits, 0.2f); // cm: a few millimetres
    EXPECT_GT(c.eyes, 0.1f);
}

TEST_P(BundledFigure, SkinWeightsSumToOneAndBindEachBoneToItsOwnPartAndItsNeighbours)
{
    const DzFacetMesh& mesh = fig->getObject()->getCurrentShape()->getFacetMesh();
    const DzSkinBinding* skin = fig->getSkinBinding();
    QVector<float> total(mesh.getNumVertices(), 0.0f);
    const QVector<QSet<QString>> groupsAt = groupsAtVertices(mesh);
    for (int b = 0; b < skin->getNumBoneWeightMaps(); ++b) {
        const QString bone = skin->getBoneName(b);
        // The bone's own part, its parent's and its children's.
        QSet<QString> near{bone};
        const DzBone* node = fig->findBone(bone);
        if (auto* parent = qobject_cast<DzBone*>(node->getNodeParent()))
            near << parent->getName();
        for (int c = 0; c < node->getNumNodeChildren(); ++c)
            near << node->getNodeChild(c)->getName();
        const QVector<float>& weights = skin->getBoneWeights(b);
        for (int v = 0; v < weights.size(); ++v) {
            if (weights[v] == 0)
                continue;
            total[v] += weights[v];
            EXPECT_TRUE(groupsAt[v].intersects(near)) << bone.toStdString() << " binds vertex " << v;
        }
    }
    for (int v = 0; v < total.size(); ++v)
        ASSERT_NEAR(total[v], 1.0f, 1e-4f) << "vertex " << v;
}

INSTANTIATE_TEST_SUITE_P(EveryFigure, BundledFigure, ::testing::ValuesIn(kFigures), figureName);

// The separate surface a face group lies on: the torso with its neck, the head, an eye, an arm
// with its palm (and the digits' roots inside it), a digit, a leg.
QString surfaceOf(const QString& group)
{
    if (!digitOfGroup(group).isEmpty())
        return digitOfGroup(group);
    static const QRegularExpression limb("^([lr]_)(shoulder|upperarm|forearm|hand|thigh|shin|foot)$");
    const QRegularExpressionMatch m = limb.match(group);
    if (m.hasMatch())
        return m.captured(1) + (QStringList{"thigh", "shin", "foot"}.contains(m.captured(2)) ? "leg" : "arm");
    if (QStringList{"hip", "abdomen", "chest", "neck"}.contains(group))
        return "torso";
    return group;
}

// Where a vertex of one surface lies within kJunction of another surface: the vertex and the
// other surface's closest point there, which the Transfer Utility could take for each other.
constexpr float kJunction = 0.2f;
struct Junction {
    int vertex;
    int corners[3];
    float weights[3];
};

std::vector<Junction> junctionsOf(const DzFacetMesh& mesh)
{
    QVector<QSet<QString>> surfacesAt(mesh.getNumVertices());
    QHash<QString, QVector<DzFacet>> facetsOf;
    for (const DzFacet& f : mesh.facets()) {
        const QString surface = surfaceOf(mesh.getFaceGroupName(f.m_faceGroupIdx));
        facetsOf[surface] << f;
        for (int c = 0; c < f.numCorners(); ++c)
            surfacesAt[f.m_vertIdx[c]] << surface;
    }
    // Each surface against the vertices of the others near its box; a vertex keeps the
    // nearest spot of another surface.
    std::map<int, Junction> nearest;
    std::map<int, float> distanceSq;
    for (auto it = facetsOf.cbegin(); it != facetsOf.cend(); ++it) {
        DzFacetMesh alone;
        alone.setVertices(mesh.vertices());
        DzBox3 box;
        for (const DzFacet& f : it.value()) {
            alone.addFacet(f);
            for (int c = 0; c < f.numCorners(); ++c)
                box.include(mesh.getVertex(f.m_vertIdx[c]));
        }
        const DzVec3 margin(kJunction, kJunction, kJunction), lo = box.getMin() - margin, hi = box.getMax() + margin;
        const DzTransferSurface index(alone, mesh.vertices());
        for (int v = 0; v < mesh.getNumVertices(); ++v) {
            const DzVec3 p = mesh.getVertex(v);
            if (surfacesAt[v].size() != 1 || surfacesAt[v].contains(it.key()) || p.m_x < lo.m_x ||
                p.m_y < lo.m_y || p.m_z < lo.m_z || p.m_x > hi.m_x || p.m_y > hi.m_y || p.m_z > hi.m_z)
                continue;
            const DzTransferSurface::Hit hit = index.closestPoint(p);
            if (hit.triangle < 0 || hit.distanceSq >= kJunction * kJunction ||
                (distanceSq.count(v) && distanceSq[v] <= hit.distanceSq))
                continue;
            distanceSq[v] = hit.distanceSq;
            nearest[v] = {v, {hit.corners[0], hit.corners[1], hit.corners[2]},
                          {hit.weights[0], hit.weights[1], hit.weights[2]}};
        }
    }
    std::vector<Junction> out;
    for (const auto& [v, junction] : nearest)
        out.push_back(junction);
    return out;
}

// How much a morph moves a vertex apart from the spot of another surface it nearly touches.
float slideAtJunctions(const DzMorphDeltas* deltas, int vertexCount, const std::vector<Junction>& junctions)
{
    QVector<DzVec3> dense(vertexCount);
    for (int i = 0; i < deltas->getNumDeltas(); ++i)
        dense[deltas->getDeltaIndex(i)] = deltas->getDelta(i);
    float largest = 0;
    for (const Junction& j : junctions) {
        DzVec3 there;
        for (int c = 0; c < 3; ++c)
            there += dense[j.corners[c]] * j.weights[c];
        largest = std::max(largest, (dense[j.vertex] - there).length());
    }
    return largest;
}

// Every regional morph of the figure: named and labelled alike, in a group of its region,
// moving only that region, by a visible amount and at most a few centimetres; at either end of
// its range the digits stay apart and the eyes clear when `clearances`. Where two surfaces
// meet, it moves both alike, so neither slides out of the other by more than `slide`.
void expectEachLocal(DzFigure* fig, bool clearances, float slide)
{
    const DzFacetMesh& base = fig->getObject()->getCurrentShape()->getFacetMesh();
    const std::vector<Junction> junctions = junctionsOf(base);
    const QVector<QSet<QString>> groupsAt = groupsAtVertices(base);

    for (DzMorph* morph : libraryMorphs(fig)) {
        const QString name = morph->getName();
        SCOPED_TRACE(name.toStdString());
        DzFloatProperty* dial = morph->getValueControl();
        EXPECT_TRUE(QRegularExpression("^(head|body)_ctrl_[A-Z][A-Za-z]+$").match(name).hasMatch());
        EXPECT_EQ(dial->getLabel(), labelFromName(name));
        const QSet<QString> region = regionOf(dial->getPath());
        ASSERT_FALSE(region.isEmpty()) << dial->getPath().toStdString();
        const DzMorphDeltas* deltas = morph->getDeltas();
        float largest = 0;
        bool movesDigitsOrEyes = false;
        for (int i = 0; i < deltas->getNumDeltas(); ++i) {
            const int v = deltas->getDeltaIndex(i);
            largest = std::max(largest, deltas->getDelta(i).length());
            EXPECT_TRUE(groupsAt[v].intersects(region)) << "moves vertex " << v << " outside its region";
            for (const QString& g : groupsAt[v])
                movesDigitsOrEyes = movesDigitsOrEyes || !digitOfGroup(g).isEmpty() || g.endsWith("_eye");
        }
        EXPECT_GT(largest, 0.05f);
        EXPECT_LT(largest, 4.0f);
        EXPECT_LT(slideAtJunctions(deltas, base.getNumVertices(), junctions), slide);
        if (!clearances || !movesDigitsOrEyes)
            continue;
        for (float value : {dial->getMin(), dial->getMax()}) {
            dial->setValue(value);
            const Clearance c = clearance(meshOf(fig));
            EXPECT_GT(c.digits, 0.05f) << "at " << value;
            EXPECT_GT(c.eyes, 0.05f) << "at " << value;
        }
        dial->setValue(0);
    }
}

class RegionalMorphs : public BundledFigure {
};

TEST_P(RegionalMorphs, EachMovesOnlyItsRegionByAFewCentimetresAndKeepsFingersAndEyesApart)
{
    // Every file of the product is a morph of the figure: none is unusable.
    EXPECT_GE(libraryMorphs(fig).size(), 20);
    EXPECT_EQ(libraryMorphs(fig).size(), productFiles(fig));
    // The small figures' large faces blur a morph's edge where it crosses a junction.
    expectEachLocal(fig, true, 0.3f);
}

INSTANTIATE_TEST_SUITE_P(EverySource, RegionalMorphs, ::testing::ValuesIn(kFigures + 1, kFigures + 7),
                         figureName);

TEST(RegionalMorphLibrary, AtRealScaleEverySourceKindHasAHundredInItsOwnProduct)
{
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs = QStringList{QStringLiteral(KVR_BUILD_DIR "/content-full")};
    TestApp app(options);
    QSet<QString> names;
    for (const FigureFile& f : kFigures) {
        if (!f.source)
            continue;
        DzFigure* fig = loadFigure(f);
        ASSERT_NE(fig, nullptr) << f.label;
        QSet<QString> these;
        for (DzMorph* m : libraryMorphs(fig))
            these << m->getName();
        EXPECT_GE(these.size(), 100) << f.label;
        EXPECT_EQ(these.size(), productFiles(fig)) << f.label;
        if (names.isEmpty())
            names = these;
        EXPECT_EQ(these, names) << f.label; // the same product for every source kind
        // Every morph of a generation with legs at rest and of one with them spread.
        if (QString(f.label) == "Genesis 3 Female" || QString(f.label) == "Genesis 8.1 Female") {
            SCOPED_TRACE(f.label);
            expectEachLocal(fig, false, 0.15f);
        }
    }
}
