#include "conversion_fixture.h"

#include <gtest/gtest.h>

#include "dzcontentmgr.h"
#include "dzfloatproperty.h"
#include "dzscene.h"
#include "kvr_convert-figure-select.h"
#include "kvr_convert-figure-target.h"
#include "tv_daz-helpers-scene.h"
#include "tv_str.h"

const SourceFigure aSourceFigures[6] = {
    {"People/Genesis 3 Female/Genesis 3 Female.duf", "Genesis 3 Female", KvrSourceGeneration::Genesis3Female},
    {"People/Genesis 3 Male/Genesis 3 Male.duf", "Genesis 3 Male", KvrSourceGeneration::Genesis3Male},
    {"People/Genesis 8 Female/Genesis 8 Basic Female.duf", "Genesis 8 Female", KvrSourceGeneration::Genesis8Female},
    {"People/Genesis 8 Male/Genesis 8 Basic Male.duf", "Genesis 8 Male", KvrSourceGeneration::Genesis8Male},
    {"People/Genesis 8 Female/Genesis 8.1 Basic Female.duf", "Genesis 8.1 Female",
     KvrSourceGeneration::Genesis8Female},
    {"People/Genesis 8 Male/Genesis 8.1 Basic Male.duf", "Genesis 8.1 Male", KvrSourceGeneration::Genesis8Male},
};

const std::vector<std::pair<const char*, float>> characterDials = {
    {"body_ctrl_Heavy", 0.6f},
    {"body_ctrl_Athletic", 0.4f},
    {"body_ctrl_TorsoLength", -0.5f},
    {"head_ctrl_HeadSize", 0.5f},
    {"head_ctrl_NoseSize", 1.0f},
};

ConversionScene::ConversionScene() : ConversionScene(TestApp::defaultOptions()) {}

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
    for (const auto& [pcszMorph, fValue] : characterDials)
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

void ConversionScene::convert(KvrJobFlags flags, KvrResolution eResolution)
{
    const KvrMorphTexts names = {"Full", "Head", "Body"};
    const KvrMorphTexts paths = {"/Kelvaro", "/Kelvaro", "/Kelvaro"};
    runPipeline(*_pJob, _report, eResolution, paths, names, flags, _missing);
}

Fidelity ConversionScene::judge(const char* pcszMorph)
{
    using tav::daz::PropertyScope;
    for (const char* pcszTransform : {"XTranslate", "ZTranslate", "XRotate", "YRotate", "ZRotate"}) {
        const float fValue = tav::daz::GetFloatProperty(_pfigSource, PropertyScope::Node, pcszTransform, true)->getValue();
        tav::daz::GetFloatProperty(_pfigTarget, PropertyScope::Node, pcszTransform, true)->setValue(fValue);
    }
    tav::daz::GetFloatProperty(_pfigTarget, PropertyScope::Node, "YTranslate", true)->setValue(0.0f);
    poseThighs(*_pJob, _pfigTarget, true);
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
