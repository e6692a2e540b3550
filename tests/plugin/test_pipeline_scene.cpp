#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include "../../host/src/content/dzdformer.h"
#include "../../host/src/geometry/dzgeometry.h"
#include "conversion_fixture.h"
#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzenumproperty.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzscene.h"
#include "tv_clickaway.h"
#include "tv_daz-helpers-scene.h"

using tav::daz::PropertyScope;

namespace {

const SourceFigure& genesis81Female = aSourceFigures[4];
const SourceFigure& genesis3Male = aSourceFigures[1];
const KvrJobFlags allMorphs = KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::HeadMorph | KvrJobFlag::BodyMorph;

float transform(DzNode* pNode, const char* pcszName)
{
    return tav::daz::GetFloatProperty(pNode, PropertyScope::Node, pcszName, true)->getValue();
}

void setTransform(DzNode* pNode, const char* pcszName, float fValue)
{
    tav::daz::GetFloatProperty(pNode, PropertyScope::Node, pcszName, true)->setValue(fValue);
}

float thigh(DzFigure* pFigure, const char* pcszBone)
{
    return tav::daz::GetBoneFloatProperty(pFigure, pcszBone, "ZRotate", true)->getValue();
}

// Rest positions of the target's base mesh with only that morph dialled (none for null).
QVector<DzVec3> shapeWith(ConversionScene& scene, const char* pcszMorph)
{
    for (const char* pcszName : {"Full", "Head", "Body"})
        scene.dial(scene.target(), pcszName, 0.0f);
    if (pcszMorph)
        scene.dial(scene.target(), pcszMorph, 1.0f);
    return DzGeometry::restPositions(scene.target(), 0);
}

float length(const DzVec3& v)
{
    return std::sqrt(v.dot(v));
}

// The head-split weights over the target's base vertices, from a fresh load of the D-Former.
QVector<float> headSplitWeights(ConversionScene& scene)
{
    DzContentMgr* pContent = scene.app()->getContentMgr();
    dzScene->selectAllNodes(false);
    dzScene->setPrimarySelection(scene.target());
    tav::Clickaway clickaway(false);
    EXPECT_TRUE(pContent->openFile(pContent->getAbsolutePath("People/Genesis 9/Developer Kit/G9 HeadSplit DFormer.duf"), true));
    for (int i = 0; i < scene.target()->getNumNodeChildren(); ++i)
        if (auto* pDFormer = qobject_cast<DzDFormer*>(scene.target()->getNodeChild(i)))
            if (pDFormer->hasWeightMap())
                return pDFormer->influenceWeights();
    return {};
}

} // namespace

TEST(PipelineScene, AJobLeavesTheSceneAsItFoundItButForTheTargetsLabel)
{
    ConversionScene scene;
    scene.setUp(genesis81Female);
    setTransform(scene.target(), "XTranslate", 45.0f);
    const QStringList labelsBefore = ConversionScene::sceneLabels();
    const int cNodesBefore = dzScene->getNumNodes();
    const float fSourceX = transform(scene.source(), "XTranslate");
    const auto eSourceResolution = tav::daz::GetNodeResolution(scene.source());

    scene.convert(allMorphs);

    // No stock figure, stock mesh, temporary Genesis 9, fit suit, result figure or D-Former is left.
    EXPECT_EQ(dzScene->getNumNodes(), cNodesBefore);
    QStringList labelsAfter = ConversionScene::sceneLabels();
    const QString targetLabel = scene.target()->getLabel();
    EXPECT_TRUE(targetLabel.startsWith("rigged-for-mlp-")) << targetLabel.toStdString();
    labelsAfter.replaceInStrings(targetLabel, "Genesis 9");
    EXPECT_EQ(labelsAfter, labelsBefore);
    EXPECT_EQ(scene.target()->getNumNodeChildren(), scene.source()->getNumNodeChildren());

    // The source has its label, place and resolution back; the target its place and stance.
    EXPECT_EQ(scene.source()->getLabel(), genesis81Female.pcszLabel);
    EXPECT_EQ(transform(scene.source(), "XTranslate"), fSourceX);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.source()), eSourceResolution);
    EXPECT_EQ(transform(scene.target(), "XTranslate"), 45.0f);
    EXPECT_EQ(thigh(scene.target(), "l_thigh"), 0.0f);
    EXPECT_EQ(thigh(scene.target(), "r_thigh"), 0.0f);

    // The five OBJ files of the job stay in its temporary folder.
    QStringList files = QDir(scene.tempDir()).entryList({"*.obj"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 5) << files.join(", ").toStdString();
    for (const char* pcszPrefix : {"rigged-for-mlp-", "tempg8-src1-", "tempg8-src2-", "tempg8-tgt-", "tempg9-"})
        EXPECT_EQ(files.filter(QRegularExpression(QString("^%1[0-9a-zA-Z]{8}\\.obj$").arg(pcszPrefix))).size(), 1)
            << pcszPrefix;
    EXPECT_EQ(targetLabel + ".obj", files.filter("rigged-for-mlp-").value(0));
}

TEST(PipelineScene, HeadAndBodyMorphsSplitTheFullFigureMorphAtTheNeck)
{
    ConversionScene scene;
    scene.setUp(genesis81Female);
    scene.convert(allMorphs);
    ASSERT_EQ(scene.report().size(), 3u);
    EXPECT_EQ(scene.report()[1].eKind, KvrMorphKind::Head);
    EXPECT_EQ(scene.report()[2].eKind, KvrMorphKind::Body);
    for (const KvrMorphReport& morph : scene.report()) {
        EXPECT_EQ(morph.pProperty->getMin(), 0.0f);
        EXPECT_EQ(morph.pProperty->getMax(), 1.0f);
    }

    const QVector<DzVec3> base = shapeWith(scene, nullptr);
    const QVector<DzVec3> full = shapeWith(scene, "Full");
    const QVector<DzVec3> head = shapeWith(scene, "Head");
    const QVector<DzVec3> body = shapeWith(scene, "Body");
    const QVector<float> weights = headSplitWeights(scene);
    ASSERT_EQ(weights.size(), base.size());

    int cHeadVertices = 0, cBodyVertices = 0;
    float fLargestHeadDelta = 0;
    for (int i = 0; i < base.size(); ++i) {
        const DzVec3 dFull = full[i] - base[i], dHead = head[i] - base[i], dBody = body[i] - base[i];
        EXPECT_LT(length(dHead + dBody - dFull), 1e-4f) << "vertex " << i;
        if (weights[i] == 0.0f) {
            ++cBodyVertices;
            EXPECT_EQ(length(dHead), 0.0f) << "head morph moves vertex " << i << " below the neck";
        } else if (weights[i] == 1.0f) {
            ++cHeadVertices;
            EXPECT_EQ(length(dBody), 0.0f) << "body morph moves vertex " << i << " on the head";
            fLargestHeadDelta = std::max(fLargestHeadDelta, length(dHead));
        }
    }
    EXPECT_GT(cHeadVertices, 100);
    EXPECT_GT(cBodyVertices, 1000);
    EXPECT_GT(fLargestHeadDelta, 0.5f);  // the head morph does carry the head's change
}

TEST(PipelineScene, ASourceStandingElsewhereConvertsAsWellAsOneAtTheOrigin)
{
    ConversionScene scene;
    scene.setUp(genesis81Female);
    setTransform(scene.source(), "XTranslate", -80.0f);
    setTransform(scene.source(), "ZTranslate", 35.0f);
    setTransform(scene.source(), "YRotate", 30.0f);
    setTransform(scene.target(), "XTranslate", 60.0f);
    setTransform(scene.target(), "YTranslate", 12.0f);
    setTransform(scene.target(), "YRotate", -15.0f);

    scene.convert(KvrJobFlag::FullFigureMorph);
    EXPECT_EQ(transform(scene.target(), "XTranslate"), 60.0f);
    EXPECT_EQ(transform(scene.target(), "YTranslate"), 12.0f);
    EXPECT_EQ(transform(scene.target(), "YRotate"), -15.0f);
    EXPECT_EQ(transform(scene.target(), "ZTranslate"), 0.0f);

    const Fidelity fidelity = scene.judge("Full");
    EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);
    EXPECT_LT(fidelity.rmsRelative, fRmsRelativeBound);
}

TEST(PipelineScene, AtHighResolutionTheMorphIsASubdivisionMorphOnTheLevel1Surface)
{
    ConversionScene scene;
    scene.loadFigures(genesis3Male);
    tav::daz::SetNodeResolution(scene.source(), tav::daz::NodeResolution::HighResolution, true);
    tav::daz::GetSubdivisionLevelProperty(scene.source(), true)->setValue(1);
    scene.makeJob();

    scene.convert(KvrJobFlag::FullFigureMorph, KvrResolution::Subd);
    ASSERT_EQ(scene.report().size(), 1u);
    DzMorphDeltas* pDeltas = tav::daz::FindMorph(scene.target(), "Full")->getDeltas();
    EXPECT_TRUE(pDeltas->hasHDDeltas());
    EXPECT_EQ(pDeltas->getHDLevel(), 1);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.target()), tav::daz::NodeResolution::HighResolution);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.source()), tav::daz::NodeResolution::HighResolution);
    EXPECT_EQ(DzGeometry::evaluatedLevel(scene.target()), 1);

    const Fidelity fidelity = scene.judge("Full");
    EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);
    EXPECT_LT(fidelity.rmsRelative, fRmsRelativeBound);
}
