#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>

#include "../../host/src/content/dzdformer.h"
#include "../../host/src/geometry/dzgeometry.h"
#include "conversion_fixture.h"
#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzscene.h"
#include "tv_clickaway.h"
#include "tv_daz-helpers-scene.h"

using tav::daz::NodeResolution;

namespace {

// Rest positions of the target's base mesh with only that morph dialled (none for null).
QVector<DzVec3> shapeWith(ConversionScene& scene, const char* pcszMorph)
{
    for (const char* pcszName : {"Full", "Head", "Body"})
        scene.dial(scene.target(), pcszName, 0.0f);
    if (pcszMorph)
        scene.dial(scene.target(), pcszMorph, 1.0f);
    return DzGeometry::restPositions(scene.target(), 0);
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

// The source and the target placed apart, each its own way.
const std::pair<const char*, float> aSourcePlace[] = {{"XTranslate", -80.0f}, {"ZTranslate", 35.0f}, {"YRotate", 30.0f}};
const std::pair<const char*, float> aTargetPlace[] = {
    {"XTranslate", 60.0f}, {"YTranslate", 12.0f}, {"YRotate", -15.0f}, {"ZTranslate", 0.0f}};

} // namespace

TEST(PipelineScene, ABaseJobLeavesTheSceneAsItFoundItButForTheTargetsLabelAndConverts)
{
    ConversionScene scene;
    scene.loadFigures(genesis81Female);
    // A source at high resolution is converted at base resolution and put back.
    tav::daz::SetNodeResolution(scene.source(), NodeResolution::HighResolution, true);
    tav::daz::GetSubdivisionLevelProperty(scene.source(), true)->setValue(1);
    for (const auto& [pcszName, fValue] : aSourcePlace)
        nodeTransform(scene.source(), pcszName)->setValue(fValue);
    for (const auto& [pcszName, fValue] : aTargetPlace)
        nodeTransform(scene.target(), pcszName)->setValue(fValue);
    scene.makeJob();
    const QStringList labelsBefore = ConversionScene::sceneLabels();

    scene.convert(allMorphs);

    // No stock figure, stock mesh, temporary Genesis 9, fit suit, result figure or D-Former is left.
    QStringList labelsAfter = ConversionScene::sceneLabels();
    const QString targetLabel = scene.target()->getLabel();
    EXPECT_TRUE(targetLabel.contains(QRegularExpression("^rigged-for-mlp-[0-9A-Za-z]{8}$")))
        << targetLabel.toStdString();
    labelsAfter.replaceInStrings(targetLabel, "Genesis 9");
    EXPECT_EQ(labelsAfter, labelsBefore);
    EXPECT_EQ(scene.target()->getNumNodeChildren(), scene.source()->getNumNodeChildren());
    EXPECT_TRUE(scene.job().changes().empty());

    // The source has its label, place and resolution back; the target its place and stance.
    EXPECT_EQ(scene.source()->getLabel(), genesis81Female.pcszLabel);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.source()), NodeResolution::HighResolution);
    for (const auto& [pcszName, fValue] : aSourcePlace)
        EXPECT_EQ(nodeTransform(scene.source(), pcszName)->getValue(), fValue) << pcszName;
    for (const auto& [pcszName, fValue] : aTargetPlace)
        EXPECT_EQ(nodeTransform(scene.target(), pcszName)->getValue(), fValue) << pcszName;
    for (const char* pcszThigh : {"l_thigh", "r_thigh"})
        EXPECT_EQ(scene.target()->findBone(pcszThigh)->getZRotControl()->getValue(), 0.0f) << pcszThigh;

    // The five OBJ files of the job stay in its temporary folder.
    QStringList files = QDir(scene.tempDir()).entryList({"*.obj"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 5) << files.join(", ").toStdString();
    for (const char* pcszPrefix : {"rigged-for-mlp-", "tempg8-src1-", "tempg8-src2-", "tempg8-tgt-", "tempg9-"})
        EXPECT_EQ(files.filter(QRegularExpression(QString("^%1[0-9a-zA-Z]{8}\\.obj$").arg(pcszPrefix))).size(), 1)
            << pcszPrefix;
    EXPECT_EQ(targetLabel + ".obj", files.filter("rigged-for-mlp-").value(0));

    // Converted where each stands, the full figure morph lays the target on the base source.
    tav::daz::SetNodeResolution(scene.source(), NodeResolution::BaseResolution, true);
    const Fidelity fidelity = scene.judge("Full");
    EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);
    EXPECT_LT(fidelity.rmsRelative, fRmsRelativeBound);

    // Head and body split the full figure morph at the neck.
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
        EXPECT_LT((dHead + dBody - dFull).length(), 1e-4f) << "vertex " << i;
        if (weights[i] == 0.0f) {
            ++cBodyVertices;
            EXPECT_EQ(dHead.length(), 0.0f) << "head morph moves vertex " << i << " below the neck";
        } else if (weights[i] == 1.0f) {
            ++cHeadVertices;
            EXPECT_EQ(dBody.length(), 0.0f) << "body morph moves vertex " << i << " on the head";
            fLargestHeadDelta = std::max(fLargestHeadDelta, dHead.length());
        }
    }
    EXPECT_GT(cHeadVertices, 100);
    EXPECT_GT(cBodyVertices, 1000);
    EXPECT_GT(fLargestHeadDelta, 0.5f);  // the head morph does carry the head's change
}

TEST(PipelineScene, AtHighResolutionTheMorphIsASubdivisionMorphOnTheLevel1Surface)
{
    ConversionScene scene;
    scene.loadFigures(genesis3Male);
    tav::daz::SetNodeResolution(scene.source(), NodeResolution::HighResolution, true);
    tav::daz::GetSubdivisionLevelProperty(scene.source(), true)->setValue(1);
    scene.makeJob();

    scene.convert(KvrJobFlag::FullFigureMorph, KvrResolution::Subd);
    DzMorphDeltas* pDeltas = tav::daz::FindMorph(scene.target(), "Full")->getDeltas();
    EXPECT_TRUE(pDeltas->hasHDDeltas());
    EXPECT_EQ(pDeltas->getHDLevel(), 1);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.target()), NodeResolution::HighResolution);
    EXPECT_EQ(tav::daz::GetNodeResolution(scene.source()), NodeResolution::HighResolution);
    EXPECT_EQ(DzGeometry::evaluatedLevel(scene.target()), 1);

    const Fidelity fidelity = scene.judge("Full");
    EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);
    EXPECT_LT(fidelity.rmsRelative, fRmsRelativeBound);
}
