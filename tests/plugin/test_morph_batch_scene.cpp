// What a batch leaves in the scene: its morphs and nothing else, the morphs that move nothing
// skipped, a failure that names its morph.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <iterator>

#include "dzbone.h"
#include "dzmorph.h"
#include "dzmorphdeltas.h"
#include "dzfloatproperty.h"
#include "dzintproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-morphs-batch.h"
#include "test_morph_batch_judge.h"
#include "test_scene_access_scene.h"
#include "tv_daz-helpers-progress.h"
#include "tv_daz-helpers-scene-morphs.h"
#include "tv_daz-helpers-scene.h"
#include "tv_str.h"

using scene_access::messageOf;
using tav::daz::NodeResolution;

namespace {

const std::vector<std::string> fourMorphs = {"head_ctrl_NoseWidth", "body_ctrl_HipsWidth", "head_ctrl_EarsSize",
                                             "body_ctrl_FeetLength"};

// Everything of a figure a batch must leave as it found it: label, transforms, thighs, dials
// (by name, new morphs left out), resolution and subdivision level.
struct FigureState {
    QString label;
    std::vector<float> transforms;
    std::map<std::string, float> dials;
    NodeResolution eResolution;
    int iSubdLevel = 0;

    explicit FigureState(DzFigure* pFigure)
        : label(pFigure->getLabel()), eResolution(tav::daz::GetNodeResolution(pFigure))
    {
        for (const char* pcszName : {"XTranslate", "YTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"})
            transforms.push_back(nodeTransform(pFigure, pcszName)->getValue());
        for (const char* pcszThigh : {"l_thigh", "r_thigh"})
            transforms.push_back(pFigure->findBone(pcszThigh)->getZRotControl()->getValue());
        const tav::daz::NodeMorphs morphs(pFigure);
        for (const auto& pInfo : morphs.all()) {
            if (pInfo->path.find("Converted") == std::string::npos)
                dials[pInfo->name] = pInfo->pProperty->getValue();
        }
        tav::daz::GetSubdivisionLevel(pFigure, &iSubdLevel);
    }
    bool operator==(const FigureState& o) const
    {
        return label == o.label && transforms == o.transforms && dials == o.dials && eResolution == o.eResolution
               && iSubdLevel == o.iSubdLevel;
    }
};

std::vector<std::string> convertedMorphsOf(DzFigure* pfigTarget)
{
    std::vector<std::string> names;
    const tav::daz::NodeMorphs morphs(pfigTarget);
    for (const auto& pInfo : morphs.all()) {
        if (pInfo->path.find("Converted") != std::string::npos)
            names.push_back(pInfo->name);
    }
    return names;
}

// The length of the morph's largest delta.
float largestDeltaOf(DzFigure* pFigure, const std::string& morph)
{
    float fLargest = 0;
    for (const DzVec3& delta : tav::daz::FindMorph(pFigure, morph)->getDeltas()->deltaValues())
        fLargest = std::max(fLargest, delta.length());
    return fLargest;
}

// A scene whose figures a user has placed, posed, dialled and set to level 1: the batch must
// give all of it back.
void unsettle(ConversionScene& scene)
{
    const std::pair<const char*, float> aPlace[] = {{"XTranslate", 40.0f}, {"YTranslate", 3.0f},
                                                    {"ZTranslate", -25.0f}, {"YRotate", 30.0f}};
    for (const auto& [pcszName, fValue] : aPlace)
        nodeTransform(scene.target(), pcszName)->setValue(fValue);
    nodeTransform(scene.source(), "XTranslate")->setValue(-40.0f);
    scene.target()->findBone("l_thigh")->getZRotControl()->setValue(3.0f);
    scene.dial(scene.target(), "body_bs_ProportionHeight", 0.3f);
    scene.dial(scene.target(), "CloneGenesis8Female", 0.25f);
    tav::daz::SetNodeResolution(scene.target(), NodeResolution::HighResolution, true);
    tav::daz::GetSubdivisionLevelProperty(scene.target(), true)->setValue(1);
}

TEST(MorphBatchScene, ABatchLeavesTheFiguresAsTheyWereButForTheNewMorphs)
{
    ConversionScene scene;
    scene.setUp(genesis8Female);
    unsettle(scene);
    const QStringList labelsBefore = ConversionScene::sceneLabels();
    const FigureState sourceBefore(scene.source()), targetBefore(scene.target());

    const KvrMorphBatchResult result = runMorphBatch(scene.job(), batchOf(fourMorphs, allMorphs));

    EXPECT_EQ(ConversionScene::sceneLabels(), labelsBefore);
    EXPECT_EQ(scene.target()->getNumNodeChildren(), scene.source()->getNumNodeChildren());
    EXPECT_TRUE(FigureState(scene.source()) == sourceBefore);
    EXPECT_TRUE(FigureState(scene.target()) == targetBefore);
    EXPECT_FALSE(result.bCancelled);
    ASSERT_EQ(result.morphs.size(), fourMorphs.size());
    EXPECT_EQ(convertedMorphsOf(scene.target()).size(), 3 * fourMorphs.size());
    const std::pair<KvrMorphKind, const char*> aKinds[] = {
        {KvrMorphKind::FullFigure, ""}, {KvrMorphKind::Head, " head"}, {KvrMorphKind::Body, " body"}};
    for (size_t i = 0; i < fourMorphs.size(); ++i) {
        const KvrConvertedMorph& morph = result.morphs[i];
        EXPECT_EQ(morph.sourceName, fourMorphs[i]);
        EXPECT_EQ(morph.sourceLabel, fourMorphs[i] + " label");
        EXPECT_FALSE(morph.bSkipped);
        ASSERT_EQ(morph.reports.size(), std::size(aKinds));
        for (size_t k = 0; k < std::size(aKinds); ++k) {
            const KvrMorphReport& report = morph.reports[k];
            EXPECT_EQ(report.eKind, aKinds[k].first);
            EXPECT_EQ(report.name, convertedName(fourMorphs[i]) + aKinds[k].second);
            EXPECT_EQ(report.pProperty,
                      tav::daz::GetMorphValueProperty(tav::daz::FindMorph(scene.target(), report.name)));
            EXPECT_EQ(report.pProperty->getMin(), -1.0f);  // the source's dial goes both ways
        }
        // Neither where the user left the target nor the dials it had get into the morph.
        const float fFull = largestDeltaOf(scene.target(), morph.reports[0].name);
        EXPECT_GT(fFull, 0.1f) << morph.sourceName;
        EXPECT_LT(fFull, 2.0f) << morph.sourceName;
        // Head and body split the change: a face morph's body part moves nothing, a body
        // morph's head part nearly nothing.
        const bool bFace = morph.sourceName.rfind("head_", 0) == 0;
        const std::string converted = convertedName(morph.sourceName);
        EXPECT_GT(largestDeltaOf(scene.target(), converted + (bFace ? " head" : " body")), 0.1f) << morph.sourceName;
        EXPECT_LT(largestDeltaOf(scene.target(), converted + (bFace ? " body" : " head")), 0.01f) << morph.sourceName;
    }
}

// A content library with a morph for the source that moves nothing: it is skipped, the others
// are made.
TEST(MorphBatchScene, AMorphThatMovesNothingIsSkipped)
{
    QTemporaryDir library;
    const QString folder = library.filePath("data/Daz 3D/Genesis 8/Female/Morphs/Test/Empty");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + "/test_MovesNothing.dsf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"asset_info":{"id":"/data/Daz%203D/Genesis%208/Female/Morphs/Test/Empty/test_MovesNothing.dsf",)"
               R"("type":"modifier"},"file_version":"0.6.0.0","modifier_library":[{"channel":{"id":"value",)"
               R"("label":"Moves Nothing","max":1,"min":0,"name":"test_MovesNothing","type":"float","value":0},)"
               R"("group":"/Test","id":"test_MovesNothing","morph":{"deltas":{"count":1,"values":[[5,0.0001,0,0]]},)"
               R"("vertex_count":3782},"name":"test_MovesNothing",)"
               R"("parent":"/data/Daz%203D/Genesis%208/Female/Genesis8Female.dsf#Genesis8Female"}]})");
    file.close();
    DzAppOptions options = TestApp::defaultOptions();
    options.contentDirs << library.path();
    ConversionScene scene(options);
    scene.setUp(genesis8Female);
    ASSERT_NE(tav::daz::FindMorph(scene.source(), "test_MovesNothing"), nullptr);

    const KvrMorphBatchResult result =
        runMorphBatch(scene.job(), batchOf({"head_ctrl_NoseWidth", "test_MovesNothing", "body_ctrl_HipsWidth"}));

    ASSERT_EQ(result.morphs.size(), 3u);
    EXPECT_TRUE(result.morphs[1].bSkipped);
    EXPECT_TRUE(result.morphs[1].reports.empty());
    EXPECT_FALSE(result.morphs[0].bSkipped || result.morphs[2].bSkipped);
    EXPECT_EQ(convertedMorphsOf(scene.target()),
              (std::vector<std::string>{convertedName("head_ctrl_NoseWidth"), convertedName("body_ctrl_HipsWidth")}));
}

// A failure names the morph at fault; a source with no dialled morph is no reason to refuse.
TEST(MorphBatchScene, AFailureNamesTheMorph)
{
    {
        ConversionScene scene;
        scene.loadFigures(genesis3Male);
        dialOnly(scene.source(), {});
        KvrConverter job(makeParams(scene.source(), genesis3Male.eGeneration, scene.target()), KvrSourceCheck::AnyShape);
        job.setTempDir(tav::ToUtf8(scene.tempDir()));
        const std::string message =
            messageOf([&] { runMorphBatch(job, batchOf({"head_ctrl_NoseWidth", "my_OwnMorph"})); });
        EXPECT_EQ(message, "cannot convert morph my_OwnMorph: the stock figure Genesis 3 Male has no morph of that "
                           "name; only morphs installed in a content library convert one by one");
    }
    {
        ConversionScene scene;
        scene.setUp(genesis8Female);
        QTemporaryDir scratch;
        const std::string message = messageOf([&] {
            runMorphBatch(scene.job(), batchOf(fourMorphs), [&](const KvrConvertedMorph&, tav::daz::StepProgress&) {
                scene.job().setTempDir(tav::ToUtf8(scratch.filePath("gone/away")));
            });
        });
        EXPECT_EQ(message.rfind("converting morph body_ctrl_HipsWidth label (body_ctrl_HipsWidth) failed: failed to "
                                "export OBJ",
                                0),
                  0u)
            << message;
        EXPECT_EQ(convertedMorphsOf(scene.target()), std::vector<std::string>{convertedName(fourMorphs[0])});
    }
}

} // namespace
