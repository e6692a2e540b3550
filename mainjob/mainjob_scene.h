#pragma once

#include <QString>
#include <stdexcept>

#include "dzfacetmesh.h"

class Dz3DViewport;
class DzFigure;
class DzFloatProperty;
class DzMainWindow;
class DzMorph;
class DzNode;
struct KvrGeneration;

// The sample scene both main jobs run on, and what they need of it through the host's public
// interface. Each lookup throws MainJobError naming what is missing.
extern const char* const pcszSampleScene;
extern const char* const pcszSampleSourceLabel;
extern const char* const pcszSampleTargetLabel;
// The sample's source is a Genesis 8.1 Female: its clone morph and leg stance.
const KvrGeneration& sampleGeneration();

// What went wrong, as a main job reports it.
class MainJobError : public std::runtime_error {
public:
    explicit MainJobError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// Runs a job, turning the MainJobError it throws into false and its text.
template <typename Job>
bool runReportingError(Job job, QString* error)
{
    try {
        job();
        return true;
    } catch (const MainJobError& e) {
        *error = QString::fromStdString(e.what());
        return false;
    }
}

// Opens the sample scene into the studio's scene.
void openSampleScene();
DzFigure* figureLabelled(const char* pcszLabel);
DzFloatProperty* floatProperty(DzNode* pNode, const QString& name);
DzMorph* morphOf(DzNode* pNode, const QString& name);
DzMainWindow* mainWindow();
Dz3DViewport* activeView(DzMainWindow* pWindow);
// Stands the target where the source stands, as a conversion aligns them, in the leg stance of
// the sample source's generation.
void placeOnSource(DzFigure* pTarget, DzFigure* pSource);
// The node's evaluated world mesh (see evaluatedWorldMesh), the scratch files in `folder`.
DzFacetMesh worldMesh(DzNode* pNode, const QString& folder);
