#pragma once

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dzfigure.h"
#include "fidelity.h"
#include "kvr_convert-figure-pipeline.h"
#include "kvr_converter.h"
#include "test_app.h"

class DzFloatProperty;

// A source figure of the bundled content as a user would load it, and what a job must make of
// its kind, written out here rather than taken from the product's tables.
struct SourceFigure {
    const char* pcszFile;
    const char* pcszLabel;
    KvrSourceGeneration eGeneration;
    const char* pcszCloneMorph;
    float fThighDegrees;  // the left thigh's stance on Genesis 9; the right one's is its negative
};

// gtest prints the figure's label as the parameter.
void PrintTo(const SourceFigure& source, std::ostream* pOut);
// The figure's label as a test name: "Genesis_8_1_Female".
std::string SourceFigureTestName(const ::testing::TestParamInfo<SourceFigure>& info);

extern const SourceFigure aSourceFigures[6];
extern const SourceFigure& genesis3Male;
extern const SourceFigure& genesis8Female;
extern const SourceFigure& genesis81Female;

extern const KvrJobFlags allMorphs;

// The node's own transform of that name ("XTranslate", "YRotate", ...).
DzFloatProperty* nodeTransform(DzNode* pNode, const char* pcszName);

// A started host (action manager, HD morph support) with the bundled content, a source and a
// Genesis 9 target in the scene, and the job that converts one onto the other.
class ConversionScene {
public:
    explicit ConversionScene(DzAppOptions options = TestApp::defaultOptions());
    ~ConversionScene();

    DzFigure* load(const char* pcszFile, const char* pcszLabel);
    // Loads the source and a Genesis 9, dials character morphs and builds the job.
    void setUp(const SourceFigure& source);
    // The two halves of setUp, for a test that changes the figures before the job is made.
    void loadFigures(const SourceFigure& source);
    void makeJob();
    void dial(DzNode* pNode, const char* pcszMorph, float fValue);

    KvrConverter& job() { return *_pJob; }
    DzFigure* source() const { return _pfigSource; }
    DzFigure* target() const { return _pfigTarget; }
    QString tempDir() const { return _tempDir.path(); }
    TestApp& app() { return _app; }

    // Runs the pipeline with the names "Full", "Head", "Body" under "/Kelvaro"; Subd at the
    // source's own level.
    void convert(KvrJobFlags flags, KvrResolution eResolution = KvrResolution::Base, bool bConfirmSteps = false);
    const KvrJobResult& result() const { return _result; }

    // Places the target on the source (X, Z, rotations; on the floor), poses its thighs in the
    // source's stance, dials `pcszMorph` to 1 (none when null) and measures.
    Fidelity judge(const char* pcszMorph);

    // The labels of the scene's nodes, in order.
    static QStringList sceneLabels();

private:
    TestApp _app;
    QTemporaryDir _tempDir;
    DzFigure* _pfigSource = nullptr;
    DzFigure* _pfigTarget = nullptr;
    SourceFigure _source{};
    std::unique_ptr<KvrConverter> _pJob;
    KvrJobResult _result;
};
