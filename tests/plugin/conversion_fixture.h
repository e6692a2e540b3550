#pragma once

#include <QTemporaryDir>
#include <memory>
#include <utility>
#include <vector>

#include "dzfigure.h"
#include "fidelity.h"
#include "kvr_convert-figure-pipeline.h"
#include "kvr_converter.h"
#include "test_app.h"

// A source figure of the bundled content, as a user would load it.
struct SourceFigure {
    const char* pcszFile;
    const char* pcszLabel;
    KvrSourceGeneration eGeneration;
};

extern const SourceFigure aSourceFigures[6];

// Character morphs every bundled source carries, with the values a test dials them to.
extern const std::vector<std::pair<const char*, float>> characterDials;

// A started host (action manager, HD morph support) with the bundled content, a source and a
// Genesis 9 target in the scene, and the job that converts one onto the other.
class ConversionScene {
public:
    ConversionScene();
    // A host set up otherwise (content libraries, HD morph support).
    explicit ConversionScene(DzAppOptions options);
    ~ConversionScene();

    DzFigure* load(const char* pcszFile, const char* pcszLabel);
    // Loads the source and a Genesis 9, dials the character morphs and builds the job.
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

    // Runs the pipeline with default names ("Full", "Head", "Body") under "/Kelvaro".
    void convert(KvrJobFlags flags, KvrResolution eResolution = KvrResolution::Base);
    const KvrMorphReports& report() const { return _report; }
    const KvrMissingMorphs& missing() const { return _missing; }

    // Places the target on the source (X, Z, rotations; on the floor), poses the thighs as the
    // source's generation needs, dials `pcszMorph` to 1 (none when null) and measures.
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
    KvrMorphReports _report;
    KvrMissingMorphs _missing;
};
