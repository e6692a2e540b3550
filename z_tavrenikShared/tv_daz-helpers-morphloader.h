#pragma once

#include <QString>
#include <string_view>

class DzNode;

namespace tav::daz {

// Creates one morph on `pNode` from an OBJ file with the host's Morph Loader Pro, driven
// through its scripting objects by method signature. `importerJson` holds OBJ options as
// JSON (may be empty). Returns the tool's own report of what it made or why it made nothing;
// throws tav::Exception when the tool cannot be driven.
std::string LoadMorph(DzNode* pNode, std::string_view objPath, std::string_view morphName,
                      const QString& importerJson, bool bSubdivision, int iBuiltResolution,
                      std::string_view propertyGroupPath, bool bReverseDeformations,
                      std::string_view attenuateMapPath, float fAttenuateStrength);

// Whether the host's HD morph support plug-in is present, activated and working.
bool IsMorphLoaderProSubdivisionAvailable();

// How many times the two method tables have been resolved in this process (for tests).
int MorphLoaderTableResolutions();

} // namespace tav::daz
