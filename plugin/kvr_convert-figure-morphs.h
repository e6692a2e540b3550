#pragma once

#include <string>
#include <string_view>

#include "kvr_report.h"
#include "kvr_types.h"

class DzFloatProperty;
class DzNode;
class KvrConverter;
struct KvrConversion;

// Steps 17 to 19: the requested morphs on the target, each loaded by Morph Loader Pro from the
// fit suit's converted shape; the head and body morphs through the head-split D-Former's
// weight map with strengths 1 and -1, so that they sum to the full figure morph.
void createFullFigureMorph(KvrConversion& c);
void createHeadMorph(KvrConversion& c);
void createBodyMorph(KvrConversion& c);

// What Morph Loader Pro is to make of an OBJ file.
struct KvrMorphLoad {
    std::string_view name;
    std::string_view groupPath;  // the new dial's property group
    bool bSubdivision;  // a subdivision morph at iSubdLevel; otherwise a base one
    int iSubdLevel;
    std::string_view attenuationMapPath;  // empty: the whole shape
    float fStrength;  // of the attenuation
};

// Has Morph Loader Pro make one kind of morph on the target from the shape file at the
// resolution, the head and body ones through the head-split D-Former (loaded on first use).
KvrMorphReport createTargetMorph(KvrConverter& job, const std::string& objPath, KvrMorphKind eKind,
                                 const std::string& name, const std::string& groupPath, KvrResolution eResolution);

// Has Morph Loader Pro build the morph on the node from the OBJ file (reverse deformations on)
// and returns its verified value property.
DzFloatProperty* loadMorphFromObj(DzNode* pNode, std::string_view objPath, const KvrMorphLoad& load);

// Loads the head-split D-Former onto the target once per job, its dialogs answered
// automatically; the nodes it adds become the job's temporary nodes.
void ensureHeadSplitDFormer(KvrConverter& job);

// The morph's value property, limited to 0..1; throws with the loader's report when the morph
// is not there.
DzFloatProperty* verifyNewMorph(DzNode* pNode, std::string_view name, std::string_view loaderResult);

// "D-Former_1::weightmap::<label>/Influence Weights" for a figure of that label.
std::string headSplitWeightMapPath(std::string_view targetLabel);
