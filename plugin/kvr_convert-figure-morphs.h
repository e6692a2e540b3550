#pragma once

#include <string>
#include <string_view>

#include "kvr_types.h"

class DzFloatProperty;
class DzNode;
class KvrConverter;

namespace tav::daz {
class StepProgress;
}

// One morph step: begins the next step, then has Morph Loader Pro build the morph `name` on the
// node from the OBJ file (reverse deformations on; attenuated by the weight map when its path is
// not empty) and returns the verified morph's value property.
DzFloatProperty* createMorphFromObj(KvrConverter& job, tav::daz::StepProgress& progress, DzNode* pNode,
                                    std::string_view objPath, KvrResolution eResolution, int iSubdLevel,
                                    std::string_view name, std::string_view path,
                                    std::string_view attenuationMapPath, float fStrength);

// Has Morph Loader Pro build the morph `name` on the node from the OBJ file, as a subdivision
// morph at `iSubdLevel` when `bSubdivision`, and returns its verified value property.
DzFloatProperty* loadMorphFromObj(const KvrConverter& job, DzNode* pNode, std::string_view objPath,
                                  bool bSubdivision, int iSubdLevel, std::string_view name, std::string_view path,
                                  std::string_view attenuationMapPath, float fStrength);

// The head (strength 1) or body (strength -1) morph on the target: the converted shape through
// the head-split D-Former's weight map.
DzFloatProperty* createSplitMorph(KvrConverter& job, tav::daz::StepProgress& progress, KvrResolution eResolution,
                                  std::string_view name, std::string_view path, float fStrength);

// Loads the head-split D-Former onto the target once per job, its dialogs answered
// automatically; the nodes it adds become the job's temporary nodes.
void ensureHeadSplitDFormer(KvrConverter& job);

// The morph's value property, limited to 0..1; throws with the loader's text when the morph is
// not there.
DzFloatProperty* verifyNewMorph(const KvrConverter& job, DzNode* pNode, std::string_view name,
                                std::string_view loaderResult);

// "D-Former_1::weightmap::<label>/Influence Weights" for a figure of that label.
std::string headSplitWeightMapPath(std::string_view targetLabel);
