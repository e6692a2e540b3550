#include "conversion_fixture.h"

#include <cctype>

#include <gtest/gtest.h>

#include "dzbone.h"
#include "dzcontentmgr.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-select.h"
#include "tv_daz-helpers-scene.h"
#include "tv_str.h"

const SourceFigure aSourceFigures[6] = {
    {"People/Genesis 3 Female/Genesis 3 Female.duf", "Genesis 3 Female", KvrSourceGeneration::Genesis3Female,
     "CloneGenesis3Female", 0.0f},
    {"People/Genesis 3 Male/Genesis 3 Male.duf", "Genesis 3 Male", KvrSourceGeneration::Genesis3Male,
     "CloneGenesis3Male", 0.0f},
    {"People/Genesis 8 Female/Genesis 8 Basic Female.duf", "Genesis 8 Female", KvrSourceGeneration::Genesis8Female,
     "CloneGenesis8Female", 6.5f},
    {"People/Genesis 8 Male/Genesis 8 Basic Male.duf", "Genesis 8 Male", KvrSourceGeneration::Genesis8Male,
     "CloneGenesis8Male", 6.5f},
    {"People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", "Genesis 8.1 Female",
     KvrSourceGeneration::Genesis8Female, "CloneGenesis8Female", 6.5f},
    {"People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male", KvrSourceGeneration::Genesis8Male,
     "CloneGenesis8Male", 6.5f},
};
const SourceFigure& genesis3Male = aSourceFigures[1];
const SourceFigure& genesis8Female = aSourceFigures[2];
const SourceFigure& genesis81Female = aSourceFigures[4];

const KvrJobFlags allMorphs = KvrJobFlags(KvrJobFlag::FullFigureMorph) | KvrJobFlag::HeadMorph | KvrJobFlag::BodyMorph;

void PrintTo(const SourceFigure& source, std::ostream* pOut)
{
    *pOut << source.pcszLabel;
}

std::string SourceFigureTestName(const ::testing::TestParamInfo<SourceFigure>& info)
{
    std::string name = info.param.pcszLabel;
    for (char& c : name) {
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

namespace {

// Character morphs every bundled source carries, with the values a test dials them to.
const std::pair<const char*, float> aCharacterDials[] = {
    {"body_ctrl_Heavy", 0.6f},       {"body_ctrl_Athletic", 0.4f}, {"body_ctrl_TorsoLength", -0.5f},
    {"head_ctrl_HeadSize", 0.5f},    {"head_ctrl_NoseSize", 1.0f},
};

} // namespace

DzFloatProperty* nodeTransform(DzNode* pNode, const char* pcszName)
{
    return tav::daz::GetFloatProperty(pNode, tav::daz::PropertyScope::Node, pcszName, true);
}

ConversionScene::ConversionScene(DzAppOptions options) : _app(std::move(options))
{
    // The delete action and the HD morph support exist once the host has started.
    _app->startup();
}

ConversionScene::~ConversionScene() = default;

DzFigure* ConversionScene::load(const char* pcszFile, const char* pcszLabel)
{
    DzContentMgr* pContent = _app->getContentMgr();
    EXPECT_TRUE(pContent->openFile(pContent->getAbsolutePath(pcszFile), true)) << pcszFile;
    // The newest node of that label: a second load of the same file adds another.
    DzFigure* pFigure = nullptr;
    for (DzNode* pNode : dzScene->nodeList())
        if (pNode->getLabel() == pcszLabel)
            pFigure = qobject_cast<DzFigure*>(pNode);
    return pFigure;
}

void ConversionScene::setUp(const SourceFigure& source)
{
    loadFigures(source);
    makeJob();
}

void ConversionScene::loadFigures(const SourceFigure& source)
{
    _source = source;
    _pfigSource = load(source.pcszFile, source.pcszLabel);
    _pfigTarget = load("People/Genesis 9/Genesis 9.duf", "Genesis 9");
    ASSERT_TRUE(_pfigSource && _pfigTarget);
    for (const auto& [pcszMorph, fValue] : aCharacterDials)
        dial(_pfigSource, pcszMorph, fValue);
}

void ConversionScene::makeJob()
{
    _pJob = std::make_unique<KvrConverter>(makeParams(_pfigSource, _source.eGeneration, _pfigTarget));
    _pJob->setTempDir(tav::ToUtf8(_tempDir.path()));
}

void ConversionScene::dial(DzNode* pNode, const char* pcszMorph, float fValue)
{
    tav::daz::GetMorphValueProperty(tav::daz::FindMorph(pNode, pcszMorph))->setValue(fValue);
}

void ConversionScene::convert(KvrJobFlags flags, KvrResolution eResolution, bool bConfirmSteps)
{
    KvrJobOptions options;
    options.names = {"Full", "Head", "Body"};
    options.paths = {"/Kelvaro", "/Kelvaro", "/Kelvaro"};
    options.flags = flags;
    options.eResolution = eResolution;
    options.iSubdLevel = eResolution == KvrResolution::Subd ? _pJob->params()->iSubdLevelSource : 0;
    options.bConfirmSteps = bConfirmSteps;
    _result = runPipeline(*_pJob, options);
}

Fidelity ConversionScene::judge(const char* pcszMorph)
{
    for (const char* pcszTransform : {"XTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"})
        nodeTransform(_pfigTarget, pcszTransform)->setValue(nodeTransform(_pfigSource, pcszTransform)->getValue());
    nodeTransform(_pfigTarget, "YTranslate")->setValue(0.0f);
    _pfigTarget->findBone("l_thigh")->getZRotControl()->setValue(_source.fThighDegrees);
    _pfigTarget->findBone("r_thigh")->getZRotControl()->setValue(-_source.fThighDegrees);
    if (pcszMorph)
        dial(_pfigTarget, pcszMorph, 1.0f);
    return measureFidelity(_pfigSource, _pfigTarget);
}

QStringList ConversionScene::sceneLabels()
{
    QStringList labels;
    for (DzNode* pNode : dzScene->nodeList())
        labels << pNode->getLabel();
    return labels;
}
