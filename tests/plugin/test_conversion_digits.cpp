#include <gtest/gtest.h>

#include <QSet>

#include "../../host/src/geometry/dzgeometry.h"
#include "../../host/surface/surface_distance.h"
#include "conversion_fixture.h"
#include "mesh_regions.h"

namespace {

// A source with its fingers, thumbs and eyes reshaped; the Transfer Utility must carry every
// Genesis 9 vertex of a digit or an eye to the same digit or eye of the source.
const std::pair<const char*, float> kDigitAndEyeDials[] = {
    {"body_ctrl_FingersLength", 1.0f}, {"body_ctrl_FingersThickness", 1.0f},
    {"body_ctrl_ThumbLength", -1.0f},  {"body_ctrl_IndexFingerLength", 1.0f},
    {"head_ctrl_EyesSize", 1.0f},      {"head_ctrl_EyesSpacing", -1.0f},
    {"head_ctrl_EyesHeight", 1.0f},
};

// The region a face group belongs to: a digit ("l_index"), an eye, or nothing of interest.
QString regionOf(const QString& group)
{
    if (group.endsWith("_eye"))
        return group;
    return digitOfGroup(group);
}

struct Drift {
    float largest = 0; // largest distance of a vertex to its own region of the source
    int vertices = 0;
};

// Every vertex of each of the target's digits and eyes against the same region of the source.
Drift drift(const DzFacetMesh& target, const DzFacetMesh& source)
{
    QSet<QString> regions;
    for (const QString& g : target.faceGroupNames())
        if (!regionOf(g).isEmpty())
            regions << regionOf(g);
    Drift d;
    for (const QString& region : regions) {
        auto inRegion = [&](const QString& g) { return regionOf(g) == region; };
        const DzFacetMesh ours = meshOfGroups(target, inRegion);
        const DzSurfaceDistance own = dzMeasureSurfaceDistance(ours, meshOfGroups(source, inRegion));
        for (float distance : own.fromA)
            d.largest = std::max(d.largest, distance);
        d.vertices += ours.getNumVertices();
    }
    return d;
}

} // namespace

// A source whose legs stand as Genesis 9's and one whose legs are spread by the thigh pose.
TEST(ConversionDigits, EveryDigitAndEyeVertexLandsOnTheSameDigitOrEyeOfTheSource)
{
    for (const SourceFigure& source : {aSourceFigures[1], aSourceFigures[4]}) {
        SCOPED_TRACE(source.pcszLabel);
        ConversionScene scene;
        scene.loadFigures(source);
        for (const auto& [pcszMorph, fValue] : kDigitAndEyeDials)
            scene.dial(scene.source(), pcszMorph, fValue);
        scene.makeJob();
        scene.convert(KvrJobFlag::FullFigureMorph);
        const Fidelity fidelity = scene.judge("Full");
        EXPECT_LT(fidelity.maxRelative, fMaxRelativeBound);

        const Drift d = drift(*DzGeometry::worldMesh(scene.target()), *DzGeometry::worldMesh(scene.source()));
        EXPECT_GT(d.vertices, 500);
        // On its own digit or eye, five times closer than the whole figure must be and closer
        // than digits stand apart: a vertex carried by a neighbour's change, or the palm's,
        // would not be.
        EXPECT_LT(d.largest, fMaxRelativeBound / 5 * fidelity.height);
    }
}
