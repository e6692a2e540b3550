#include <gtest/gtest.h>

#include <QString>

#include "conversion_fixture.h"
#include "dzfloatproperty.h"
#include "dzmorph.h"
#include "dzobject.h"

namespace {

const std::vector<std::string> commonSteps = {
    "Normalizing target G9 figure",
    "Exporting source as OBJ",
    "Loading stock figure for morph conversion",
    "Exporting stock figure as OBJ for morph conversion",
    "Removing stock figure",
    "Loading stock figure OBJ again",
    "Creating converted morph",
    "Dialing up converted morph",
    "Loading temporary G9 for fit suit",
    "Exporting temporary G9 as OBJ for fit suit",
    "Removing temporary G9",
    "Loading fit suit OBJ again",
    "Running Transfer Utility to create morphs in fit suit OBJ",
    "Dialing up morphs in fit suit with transfers",
    "Exporting fit suit with transfers as OBJ again",
    "Adjusting target G9 before creating morphs",
};

struct JobKind {
    const char* pcszKind;
    KvrJobFlags flags;
    std::vector<std::string> morphSteps;
    std::vector<std::pair<KvrMorphKind, std::string>> reported;  // in the report's order
};

constexpr KvrMorphKind eFull = KvrMorphKind::FullFigure;
constexpr KvrMorphKind eHead = KvrMorphKind::Head;
constexpr KvrMorphKind eBody = KvrMorphKind::Body;

const JobKind aJobKinds[] = {
    {"no morph", KvrJobFlags(), {}, {}},
    {"full figure only", KvrJobFlag::FullFigureMorph, {"Creating full figure morph"}, {{eFull, "Full"}}},
    {"head and body", KvrJobFlags(KvrJobFlag::HeadMorph) | KvrJobFlag::BodyMorph,
     {"Creating head morph", "Creating body morph"}, {{eHead, "Head"}, {eBody, "Body"}}},
    {"all three", allMorphs, {"Creating full figure morph", "Creating head morph", "Creating body morph"},
     {{eFull, "Full"}, {eHead, "Head"}, {eBody, "Body"}}},
};

// The progress lines a headless job writes to standard error ("[3/19] ..."), nothing else.
std::vector<std::string> progressLines(const std::string& err)
{
    std::vector<std::string> lines;
    for (const QString& line : QString::fromStdString(err).split('\n'))
        if (line.startsWith('['))
            lines.push_back(line.toStdString());
    return lines;
}

} // namespace

TEST(PipelineSteps, EachJobKindShowsItsStepsOnceInOrderAndReportsItsMorphs)
{
    for (const JobKind& kind : aJobKinds) {
        std::vector<std::string> steps = commonSteps;
        steps.insert(steps.end(), kind.morphSteps.begin(), kind.morphSteps.end());

        ConversionScene scene;
        scene.setUp(genesis81Female);
        // Morphs of the new names are there already, with a wider range: they are replaced.
        for (const char* pcszName : {"Full", "Head", "Body"}) {
            auto* pOld = new DzMorph(pcszName);
            pOld->getValueControl()->setMinMax(-1.0f, 2.0f);
            scene.target()->getObject()->addModifier(pOld);
        }
        testing::internal::CaptureStderr();
        scene.convert(kind.flags);
        std::vector<std::string> expected;
        for (size_t i = 0; i < steps.size(); ++i)
            expected.push_back("[" + std::to_string(i + 1) + "/" + std::to_string(steps.size()) + "] " + steps[i]);
        EXPECT_EQ(progressLines(testing::internal::GetCapturedStderr()), expected) << kind.pcszKind;

        std::vector<std::pair<KvrMorphKind, std::string>> reported;
        for (const KvrMorphReport& morph : scene.result().reports) {
            reported.emplace_back(morph.eKind, morph.name);
            EXPECT_EQ(morph.pProperty->getName().toStdString(), morph.name);
            EXPECT_EQ(morph.pProperty->getMin(), 0.0f);
            EXPECT_EQ(morph.pProperty->getMax(), 1.0f);
        }
        EXPECT_EQ(reported, kind.reported) << kind.pcszKind;
    }
}
